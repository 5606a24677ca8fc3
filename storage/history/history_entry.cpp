#include "storage/history/history_entry.h"

#include <algorithm>
#include <array>
#include <utility>

#include "storage/format/coding.h"
#include "storage/format/commit_mark.h"
#include "storage/history/sha256.h"

namespace acv {
namespace {

constexpr std::array<std::pair<HistoryAction, std::string_view>, 10> kActionNames = {{
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
  std::string Text() { return std::string(Take(static_cast<std::size_t>(Number(2)))); }

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

std::string_view ActionName(HistoryAction action) {
  const auto* found = std::find_if(kActionNames.begin(), kActionNames.end(),
                                   [action](const auto& name) { return name.first == action; });
  return found == kActionNames.end() ? std::string_view("unknown") : found->second;
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
  for (const std::string* text :
       {&entry.user, &entry.host, &entry.program, &entry.reason, &entry.fields}) {
    PutText(&out, *text);
  }
  out.push_back(entry.earlier ? '\1' : '\0');
  if (entry.earlier) {
    PutBytes(&out, *entry.earlier);
  }
  PutU16(&out, static_cast<std::uint16_t>(entry.records.size()));
  for (const Digest& digest : entry.records) {
    PutBytes(&out, digest);
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
  for (std::string* text :
       {&entry.user, &entry.host, &entry.program, &entry.reason, &entry.fields}) {
    *text = in.Text();
  }
  if (in.Number(1) == 1) {
    entry.earlier.emplace();
    in.Fill(&*entry.earlier);
  }
  entry.records.resize(static_cast<std::size_t>(in.Number(2)));
  for (Digest& digest : entry.records) {
    in.Fill(&digest);
  }
  if (!in.ok() || !in.atEnd() || layout != kEntryLayout) {
    return std::nullopt;
  }
  return entry;
}

std::string FrameEntry(std::string_view payload) {
  std::string frame;
  const auto size = static_cast<std::uint32_t>(payload.size());
  PutU32(&frame, size);
  PutU32(&frame, Crc32(reinterpret_cast<const std::uint8_t*>(payload.data()), payload.size()));
  frame.append(payload);
  PutU32(&frame, size);
  return frame;
}

Digest RecordDigest(const StoredRecord& bytes) {
  return Sha256(bytes.data(), bytes.size());
}

}  // namespace acv

namespace acv {

bool NeverCommitted(const HistoryEntry& entry, const Digest& current) {
  return entry.action != HistoryAction::kHistoryBegun &&
         entry.action != HistoryAction::kCommitted && current == entry.before &&
         current != entry.after;
}

}  // namespace acv
