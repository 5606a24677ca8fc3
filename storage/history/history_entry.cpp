#include "storage/history/history_entry.h"

#include <algorithm>
#include <array>
#include <utility>

#include "storage/history/sha256.h"

namespace acv {
namespace {

constexpr std::array<std::pair<HistoryAction, std::string_view>, 15> kActionNames = {{
    {HistoryAction::kHistoryBegun, "history begun"},
    {HistoryAction::kNewRecord, "new record"},
    {HistoryAction::kPaperEntry, "paper entry"},
    {HistoryAction::kEditReplaced, "edit replaced"},
    {HistoryAction::kEditSavedAsNew, "edit saved as new"},
    {HistoryAction::kImported, "imported"},
    {HistoryAction::kSalvaged, "salvaged"},
    {HistoryAction::kSample, "sample"},
    {HistoryAction::kWritten, "written"},
    {HistoryAction::kCommitted, "committed"},
    {HistoryAction::kExportedCsv, "exported as CSV"},
    {HistoryAction::kReportPdf, "report saved as PDF"},
    {HistoryAction::kReportRtf, "report saved as RTF"},
    {HistoryAction::kReportPrinted, "report printed"},
    {HistoryAction::kExportedFhir, "exported as FHIR"},
}};

void PutU16(std::string* out, std::uint16_t value) {
  out->push_back(static_cast<char>(value & 0xFF));
  out->push_back(static_cast<char>(value >> 8));
}

void PutU32(std::string* out, std::uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) {
    out->push_back(static_cast<char>((value >> shift) & 0xFF));
  }
}

void PutU64(std::string* out, std::uint64_t value) {
  for (int shift = 0; shift < 64; shift += 8) {
    out->push_back(static_cast<char>((value >> shift) & 0xFF));
  }
}

template <typename Bytes>
void PutBytes(std::string* out, const Bytes& bytes) {
  out->append(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

void PutText(std::string* out, std::string_view text) {
  text = text.substr(0, 0xFFFF);
  PutU16(out, static_cast<std::uint16_t>(text.size()));
  out->append(text);
}

// Reads a payload front to back; any read past its end makes it fail.
class PayloadReader {
 public:
  explicit PayloadReader(std::string_view bytes) : bytes_(bytes) {}

  bool ok() const { return ok_; }
  bool atEnd() const { return at_ == bytes_.size(); }

  std::uint64_t Number(std::size_t size) {
    std::uint64_t value = 0;
    if (const std::string_view got = Take(size); got.size() == size) {
      for (std::size_t i = size; i-- > 0;) {
        value = value << 8 | static_cast<std::uint8_t>(got[i]);
      }
    }
    return value;
  }
  template <typename Bytes>
  void Fill(Bytes* bytes) {
    const std::string_view got = Take(bytes->size());
    std::copy(got.begin(), got.end(), bytes->begin());
  }
  std::string_view Text() { return Take(static_cast<std::size_t>(Number(2))); }

 private:
  std::string_view Take(std::size_t size) {
    if (!ok_ || bytes_.size() - at_ < size) {
      ok_ = false;
      return {};
    }
    const std::string_view got = bytes_.substr(at_, size);
    at_ += size;
    return got;
  }

  std::string_view bytes_;
  std::size_t at_ = 0;
  bool ok_ = true;
};

}  // namespace

bool TakesDataOut(HistoryAction action) {
  return action >= HistoryAction::kExportedCsv && action <= HistoryAction::kExportedFhir;
}

std::vector<IndexRun> IndexRuns(std::vector<int> indexes) {
  std::sort(indexes.begin(), indexes.end());
  std::vector<IndexRun> runs;
  for (const int index : indexes) {
    if (!runs.empty() && index <= runs.back().last + 1) {
      runs.back().last = std::max(runs.back().last, index);
    } else {
      runs.push_back({index, index});
    }
  }
  return runs;
}

std::string IndexRunsText(const std::vector<IndexRun>& runs) {
  std::string text;
  for (const IndexRun& run : runs) {
    text += (text.empty() ? "" : ", ") + std::to_string(run.first);
    if (run.last != run.first) {
      text += "-" + std::to_string(run.last);
    }
  }
  return text;
}

std::string_view ActionName(HistoryAction action) {
  const auto* found = std::find_if(kActionNames.begin(), kActionNames.end(),
                                   [action](const auto& name) { return name.first == action; });
  return found == kActionNames.end() ? std::string_view("unknown") : found->second;
}

bool Concerns(const HistoryEntry& entry, int index) {
  return entry.index == index ||
         std::any_of(entry.taken.begin(), entry.taken.end(), [index](const IndexRun& run) {
           return run.first <= index && index <= run.last;
         });
}

std::string EncodeEntry(const HistoryEntry& entry) {
  std::string out;
  PutBytes(&out, entry.previous);
  out.push_back(static_cast<char>(kEntryLayout));
  out.push_back(static_cast<char>(entry.action));
  PutU32(&out, static_cast<std::uint32_t>(entry.index));
  PutU64(&out, static_cast<std::uint64_t>(entry.time));
  PutBytes(&out, entry.before);
  PutBytes(&out, entry.after);
  out.push_back(entry.earlier.empty() ? '\0' : '\1');
  for (const std::string_view text :
       {entry.user, entry.host, entry.program, entry.reason, entry.fields}) {
    PutText(&out, text);
  }
  PutU16(&out, static_cast<std::uint16_t>(entry.records.size()));
  for (const Digest& digest : entry.records) {
    PutBytes(&out, digest);
  }
  PutU16(&out, static_cast<std::uint16_t>(entry.taken.size()));
  for (const IndexRun& run : entry.taken) {
    PutU16(&out, static_cast<std::uint16_t>(run.first));
    PutU16(&out, static_cast<std::uint16_t>(run.last));
  }
  return out;
}

std::optional<HistoryEntry> DecodeEntry(std::string_view payload) {
  PayloadReader in(payload);
  HistoryEntry entry;
  in.Fill(&entry.previous);
  const auto layout = static_cast<std::uint8_t>(in.Number(1));
  entry.action = static_cast<HistoryAction>(in.Number(1));
  entry.index = static_cast<std::int32_t>(static_cast<std::uint32_t>(in.Number(4)));
  entry.time = static_cast<std::int64_t>(in.Number(8));
  in.Fill(&entry.before);
  in.Fill(&entry.after);
  const std::uint64_t earlier = in.Number(1);
  for (std::string_view* text :
       {&entry.user, &entry.host, &entry.program, &entry.reason, &entry.fields}) {
    *text = in.Text();
  }
  entry.records.resize(static_cast<std::size_t>(in.Number(2)));
  for (Digest& digest : entry.records) {
    in.Fill(&digest);
  }
  entry.taken.resize(static_cast<std::size_t>(in.Number(2)));
  for (IndexRun& run : entry.taken) {
    run.first = static_cast<int>(in.Number(2));
    run.last = static_cast<int>(in.Number(2));
  }
  if (!in.ok() || !in.atEnd() || layout != kEntryLayout || earlier > 1) {
    return std::nullopt;
  }
  return entry;
}

std::string FrameEntry(std::string_view payload, std::string_view earlier, Digest* digest) {
  std::string frame;
  PutU32(&frame, static_cast<std::uint32_t>(payload.size()));
  frame.append(payload);
  frame.append(earlier);
  *digest = Sha256(payload.data(), payload.size());
  PutBytes(&frame, *digest);
  PutU32(&frame, static_cast<std::uint32_t>(frame.size() + 4));
  return frame;
}

Digest RecordDigest(const StoredRecord& bytes) {
  return Sha256(bytes.data(), bytes.size());
}

Digest RecordDigest(std::string_view bytes) {
  return Sha256(bytes.data(), bytes.size());
}

std::string_view BytesOf(const StoredRecord& bytes) {
  return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

}  // namespace acv

namespace acv {

bool NeverCommitted(const HistoryEntry& entry, const Digest& current) {
  return entry.action != HistoryAction::kHistoryBegun &&
         entry.action != HistoryAction::kCommitted && current == entry.before &&
         current != entry.after;
}

}  // namespace acv
