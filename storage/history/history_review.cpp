#include "storage/history/history_review.h"

#include <algorithm>
#include <future>

#include "storage/format/posix_file.h"
#include "storage/format/response_file_reader.h"

namespace acv {
namespace {

using Kind = HistoryProblem::Kind;

// The entries that chain, in order; an entry that does not is named.
void Chain(const HistoryFrames& frames, HistoryReview* review) {
  Digest previous{};
  review->entries.reserve(frames.frames.size());
  for (std::size_t at = 0; at < frames.frames.size(); ++at) {
    const HistoryFrame& frame = frames.frames[at];
    std::optional<HistoryEntry> entry = DecodeEntry(frame.payload);
    const bool first = at == 0;
    const int number = static_cast<int>(review->entries.size()) + 1;
    if (!entry || entry->previous != previous ||
        first != (entry->action == HistoryAction::kHistoryBegun)) {
      review->problems.push_back({Kind::kAltered, number});
      return;
    }
    entry->earlier = frame.earlier;
    previous = frame.digest;
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

// The hash of every record of the file, then zero up to the most a file holds.
std::vector<Digest> RecordDigests(const std::vector<StoredRecord>& records) {
  std::vector<Digest> digests(kMaxRecords);
  std::transform(records.begin(), records.end(), digests.begin(),
                 [](const StoredRecord& record) { return RecordDigest(record); });
  return digests;
}

// Every record (`current`, as RecordDigests gives) against what the history last made it.
void Compare(const std::vector<Digest>& current, HistoryReview* review) {
  std::vector<HistoryEntry>& entries = review->entries;
  const auto inRange = [](int index) { return index >= 0 && index < kMaxRecords; };
  const auto now = [&](int index) {
    return inRange(index) ? current[static_cast<std::size_t>(index)] : Digest{};
  };
  while (entries.size() > review->sealed &&
         NeverCommitted(entries.back(), now(entries.back().index))) {
    entries.pop_back();
    ++review->uncommitted;
  }
  std::vector<Digest> known(kMaxRecords);
  for (std::size_t at = 0; at < entries.size(); ++at) {
    const HistoryEntry& entry = entries[at];
    if (entry.action == HistoryAction::kHistoryBegun) {
      std::copy_n(entry.records.begin(), std::min(entry.records.size(), known.size()),
                  known.begin());
      continue;
    }
    if (TakesDataOut(entry.action)) {
      continue;  // no record changed
    }
    if (!inRange(entry.index)) {
      review->problems.push_back({Kind::kNotInFile, static_cast<int>(at) + 1, entry.index});
      continue;
    }
    Digest& last = known[static_cast<std::size_t>(entry.index)];
    if (last != entry.before) {
      review->problems.push_back({Kind::kChangedOutside, static_cast<int>(at) + 1, entry.index});
    }
    last = entry.after;
  }
  for (int index = 0; index < kMaxRecords; ++index) {
    const Digest& last = known[static_cast<std::size_t>(index)];
    if (last == now(index)) {
      continue;
    }
    review->problems.push_back({index < static_cast<int>(review->records.size())
                                    ? Kind::kChangedOutside
                                    : Kind::kNotInFile,
                                0, index});
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
    case Kind::kVersionChanged:
      return "history altered at entry " + std::to_string(problem.entry) + ": the version of " +
             record + " it keeps no longer matches its hash";
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
  StoredRecord bytes;  // each read in turn: no call to zero it
  int index = 0;
  review->records.reserve(status == FileStatus::kOk ? file.recordCount() : 0);
  while (status == FileStatus::kOk && file.ReadNext(&bytes, &index) == FileStatus::kOk) {
    review->records.push_back(bytes);
  }
  // Hashing the records is most of the work: it runs beside the walk through the history, on
  // another processor where there is one.
  std::future<std::vector<Digest>> current =
      std::async([&records = review->records] { return RecordDigests(records); });
  status = review->history.Map(HistoryNameFor(responseFile));
  const std::string_view history = review->history.bytes();
  if (status != FileStatus::kOk) {
    current.wait();
    return status == FileStatus::kNotFound ? FileStatus::kOk : status;
  }
  HistoryFrames frames;
  const bool split = SplitFrames(history, &frames);
  // A history whose first write never got an entry in is none yet.
  review->exists = !split || frames.end < history.size() || !frames.frames.empty();
  if (split) {
    Chain(frames, review);
  } else {
    review->problems.push_back({Kind::kAltered, 1});
  }
  const std::vector<Digest> digests = current.get();
  if (review->problems.empty()) {
    Compare(digests, review);
  }
  return FileStatus::kOk;
}

std::vector<RecordVersion> RecordVersions(const HistoryReview& review, int index) {
  std::vector<RecordVersion> versions;
  for (const HistoryEntry& entry : review.entries) {
    if (entry.index == index && !entry.earlier.empty()) {
      RecordVersion& version = versions.emplace_back();
      std::copy(entry.earlier.begin(), entry.earlier.end(), version.bytes.begin());
      version.intact = RecordDigest(entry.earlier) == entry.before;
    }
  }
  if (index >= 0 && index < static_cast<int>(review.records.size())) {
    versions.push_back({review.records[static_cast<std::size_t>(index)], true});
  }
  return versions;
}

std::vector<HistoryProblem> ChangedVersions(const HistoryReview& review) {
  std::vector<HistoryProblem> problems;
  for (std::size_t at = 0; at < review.entries.size(); ++at) {
    const HistoryEntry& entry = review.entries[at];
    if (!entry.earlier.empty() && RecordDigest(entry.earlier) != entry.before) {
      problems.push_back({Kind::kVersionChanged, static_cast<int>(at) + 1, entry.index});
    }
  }
  return problems;
}

}  // namespace acv
