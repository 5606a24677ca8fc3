#include "storage/history/history_review.h"

#include <map>

#include "storage/format/posix_file.h"
#include "storage/format/response_file_reader.h"
#include "storage/history/history_file.h"
#include "storage/history/sha256.h"

namespace acv {
namespace {

using Kind = HistoryProblem::Kind;

// The hash of record `index` of `records`, zero when there is none.
Digest Current(const std::vector<StoredRecord>& records, int index) {
  return index >= 0 && index < static_cast<int>(records.size())
             ? RecordDigest(records[static_cast<std::size_t>(index)])
             : Digest{};
}

// The entries that chain, in order; an entry that does not is named.
void Chain(const HistoryFrames& frames, HistoryReview* review) {
  Digest previous{};
  for (std::size_t at = 0; at < frames.payloads.size(); ++at) {
    const std::string_view payload = frames.payloads[at];
    std::optional<HistoryEntry> entry = DecodeEntry(payload);
    const bool first = at == 0;
    const int number = static_cast<int>(review->entries.size()) + 1;
    if (!entry || entry->previous != previous ||
        first != (entry->action == HistoryAction::kHistoryBegun)) {
      review->problems.push_back({Kind::kAltered, number});
      return;
    }
    previous = Sha256(payload.data(), payload.size());
    if (entry->action == HistoryAction::kCommitted) {
      review->sealed = review->entries.size();
    } else {
      review->entries.push_back(std::move(*entry));
    }
  }
  if (frames.broken >= 0) {
    review->problems.push_back({Kind::kAltered, static_cast<int>(review->entries.size()) + 1});
  }
}

// Every record against what the history last made it.
void Compare(HistoryReview* review) {
  std::vector<HistoryEntry>& entries = review->entries;
  while (entries.size() > review->sealed &&
         NeverCommitted(entries.back(), Current(review->records, entries.back().index))) {
    entries.pop_back();
    ++review->uncommitted;
  }
  std::map<int, Digest> known;
  for (std::size_t at = 0; at < entries.size(); ++at) {
    const HistoryEntry& entry = entries[at];
    if (entry.action == HistoryAction::kHistoryBegun) {
      for (std::size_t index = 0; index < entry.records.size(); ++index) {
        known[static_cast<int>(index)] = entry.records[index];
      }
      continue;
    }
    if (known[entry.index] != entry.before) {
      review->problems.push_back({Kind::kChangedOutside, static_cast<int>(at) + 1, entry.index});
    }
    known[entry.index] = entry.after;
  }
  for (int index = 0; index < static_cast<int>(review->records.size()); ++index) {
    if (known[index] != Current(review->records, index)) {
      review->problems.push_back({Kind::kChangedOutside, 0, index});
    }
  }
  for (const auto& [index, digest] : known) {
    if (index >= static_cast<int>(review->records.size()) && digest != Digest{}) {
      review->problems.push_back({Kind::kNotInFile, 0, index});
    }
  }
}

}  // namespace

std::string ProblemText(const HistoryProblem& problem) {
  const std::string record = "record " + std::to_string(problem.index);
  switch (problem.kind) {
    case Kind::kAltered:
      return "history altered at entry " + std::to_string(problem.entry);
    case Kind::kChangedOutside:
      return record + " changed outside the history" +
             (problem.entry > 0 ? " before entry " + std::to_string(problem.entry) : "");
    case Kind::kNotInFile:
      return record + " changed outside the history: the file no longer holds it";
  }
  return {};
}

FileStatus ReviewHistory(const std::string& responseFile, HistoryReview* review) {
  *review = HistoryReview();
  // The file stays open, and so locked, until the history is read.
  ResponseFileReader file;
  FileStatus status = file.OpenForReading(responseFile, true);
  // A file not there (or without records) holds none, which its history may still name.
  if (status != FileStatus::kOk && status != FileStatus::kTooShort &&
      status != FileStatus::kNotFound) {
    return status;
  }
  StoredRecord bytes{};
  int index = 0;
  while (status == FileStatus::kOk && file.ReadNext(&bytes, &index) == FileStatus::kOk) {
    review->records.push_back(bytes);
  }
  std::string history;
  status = ReadWholeFile(HistoryNameFor(responseFile), kMaxPayload * 4096, &history);
  if (status == FileStatus::kNotFound) {
    return FileStatus::kOk;
  }
  if (status != FileStatus::kOk) {
    return status;
  }
  HistoryFrames frames;
  const bool split = SplitFrames(history, &frames);
  // A history whose first write never got an entry in is none yet.
  review->exists = !split || frames.end < history.size() || !frames.payloads.empty();
  if (!split) {
    review->problems.push_back({Kind::kAltered, 1});
    return FileStatus::kOk;
  }
  Chain(frames, review);
  if (review->problems.empty()) {
    Compare(review);
  }
  return FileStatus::kOk;
}

std::vector<StoredRecord> RecordVersions(const HistoryReview& review, int index) {
  std::vector<StoredRecord> versions;
  for (const HistoryEntry& entry : review.entries) {
    if (entry.index == index && entry.earlier) {
      versions.push_back(*entry.earlier);
    }
  }
  if (index >= 0 && index < static_cast<int>(review.records.size())) {
    versions.push_back(review.records[static_cast<std::size_t>(index)]);
  }
  return versions;
}

}  // namespace acv
