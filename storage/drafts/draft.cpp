#include "storage/drafts/draft.h"

#include <algorithm>
#include <cstring>

#include "storage/format/coding.h"
#include "storage/format/commit_mark.h"
#include "storage/format/record_image.h"
#include "storage/format/record_scrambler.h"

namespace acv {
namespace {

constexpr std::string_view kDraftMagic(
    "\x7F"
    "CVDRAFT",
    8);
constexpr std::size_t kVersionOffset = 8;
constexpr std::size_t kWizardOffset = 10;
constexpr std::size_t kFlagsOffset = 11;
constexpr std::size_t kPageOffset = 12;
constexpr std::size_t kPageCountOffset = 14;
constexpr std::size_t kStartedOffset = 16;
constexpr std::size_t kChangedOffset = 24;
constexpr std::size_t kEditIndexOffset = 32;
constexpr std::size_t kBodyLengthOffset = 36;
constexpr std::size_t kCrcOffset = 40;

constexpr std::uint8_t kEditFlag = 1;
constexpr std::uint8_t kReplaceFlag = 2;
constexpr std::uint8_t kNoBlankWarningFlag = 4;
constexpr std::uint8_t kSecondTypingFlag = 8;
constexpr std::uint8_t kAnotherTypistFlag = 16;
constexpr std::uint8_t kViewChosenFlag = 32;
constexpr std::uint8_t kViewFlag = 64;
constexpr std::uint8_t kViewRelatedFlag = 128;

const std::uint8_t* Bytes(std::string_view text) {
  return reinterpret_cast<const std::uint8_t*>(text.data());
}

void AppendName(std::string& plain, std::string_view name) {
  std::uint8_t length[2];
  EncodeFixed16(length, static_cast<std::uint16_t>(name.size()));
  plain.append(reinterpret_cast<const char*>(length), 2);
  plain.append(name);
}

// Reads a name written by AppendName at `*at`, moving past it; false when it runs past the end.
bool TakeName(std::string_view plain, std::size_t* at, std::string* name) {
  if (plain.size() - *at < 2) {
    return false;
  }
  const std::size_t length = DecodeFixed16(Bytes(plain.substr(*at)));
  if (plain.size() - *at - 2 < length) {
    return false;
  }
  *name = std::string(plain.substr(*at + 2, length));
  *at += 2 + length;
  return true;
}

void AppendStored(std::string& out, const StoredRecord& stored) {
  out.append(reinterpret_cast<const char*>(stored.data()), stored.size());
}

}  // namespace

std::string_view DraftFaultText(DraftFault fault) {
  switch (fault) {
    case DraftFault::kNone:
      return "readable";
    case DraftFault::kNotDraft:
      return "not a draft file";
    case DraftFault::kNewer:
      return "made by a newer version of the program";
    case DraftFault::kCutShort:
      return "cut short";
    case DraftFault::kChecksum:
      return "damaged (checksum mismatch)";
    case DraftFault::kNotRegular:
      return "not a regular file";
    case DraftFault::kNotPrivate:
      return "not private to this user (readable by others, or another user's file), so not read";
  }
  return "unreadable";
}

bool LeftInPlace(DraftFault fault) {
  return fault == DraftFault::kNewer || fault == DraftFault::kNotPrivate;
}

std::string EncodeDraft(const Draft& draft, RecordScrambler& scrambler) {
  std::string body;
  StoredRecord stored{};
  scrambler.Scramble(EncodePlainImage(draft.record), &stored);
  AppendStored(body, stored);
  if (draft.edit) {
    AppendStored(body, draft.edit->original);
  }
  std::string names;
  AppendName(names, draft.fileName.substr(0, 0xFFFF));
  AppendName(names, draft.edit ? std::string_view(draft.edit->fileName).substr(0, 0xFFFF) : "");
  names.resize((names.size() + kPlainBlockSize - 1) / kPlainBlockSize * kPlainBlockSize, '\0');
  for (std::size_t at = 0; at < names.size(); at += kPlainBlockSize) {
    PlainBlock plain{};
    std::memcpy(plain.data(), names.data() + at, kPlainBlockSize);
    StoredBlock block{};
    scrambler.ScrambleBlock(plain, &block);
    body.append(reinterpret_cast<const char*>(block.data()), block.size());
  }

  std::string bytes(kDraftHeaderSize, '\0');
  auto* header = reinterpret_cast<std::uint8_t*>(bytes.data());
  std::memcpy(header, kDraftMagic.data(), kDraftMagic.size());
  EncodeFixed16(header + kVersionOffset, kDraftVersion);
  header[kWizardOffset] = static_cast<std::uint8_t>(draft.wizard);
  const std::optional<ViewAfterFinish>& view = draft.viewAfterFinish;
  header[kFlagsOffset] = static_cast<std::uint8_t>(
      (draft.edit ? kEditFlag : 0) | (draft.replace ? kReplaceFlag : 0) |
      (draft.noBlankWarning ? kNoBlankWarningFlag : 0) |
      (draft.secondTyping ? kSecondTypingFlag : 0) |
      (draft.byAnotherPerson ? kAnotherTypistFlag : 0) | (view ? kViewChosenFlag : 0) |
      (view && view->view ? kViewFlag : 0) | (view && view->related ? kViewRelatedFlag : 0));
  EncodeFixed16(header + kPageOffset, static_cast<std::uint16_t>(draft.page));
  EncodeFixed16(header + kPageCountOffset, static_cast<std::uint16_t>(draft.pageCount));
  EncodeFixed64(header + kStartedOffset, draft.started);
  EncodeFixed64(header + kChangedOffset, draft.changed);
  EncodeFixed32(header + kEditIndexOffset,
                static_cast<std::uint32_t>(draft.edit ? draft.edit->index : -1));
  EncodeFixed32(header + kBodyLengthOffset, static_cast<std::uint32_t>(body.size()));
  bytes += body;
  EncodeFixed32(reinterpret_cast<std::uint8_t*>(bytes.data()) + kCrcOffset,
                Crc32(Bytes(body), body.size(), Crc32(Bytes(bytes), kCrcOffset)));
  return bytes;
}

DraftFault DecodeDraft(std::string_view bytes, Draft* draft) {
  if (bytes.size() < kDraftMagic.size() || bytes.substr(0, kDraftMagic.size()) != kDraftMagic) {
    return DraftFault::kNotDraft;
  }
  if (bytes.size() < kDraftHeaderSize) {
    return DraftFault::kCutShort;
  }
  const std::uint8_t* header = Bytes(bytes);
  if (DecodeFixed16(header + kVersionOffset) > kDraftVersion) {
    return DraftFault::kNewer;
  }
  const std::size_t bodyLength = DecodeFixed32(header + kBodyLengthOffset);
  if (bytes.size() - kDraftHeaderSize < bodyLength) {
    return DraftFault::kCutShort;
  }
  const std::string_view body = bytes.substr(kDraftHeaderSize);
  if (body.size() != bodyLength || Crc32(Bytes(body), body.size(), Crc32(header, kCrcOffset)) !=
                                       DecodeFixed32(header + kCrcOffset)) {
    return DraftFault::kChecksum;
  }

  Draft decoded;
  const std::uint8_t flags = header[kFlagsOffset];
  const std::size_t records = (flags & kEditFlag) != 0 ? 2 : 1;
  if (header[kWizardOffset] > static_cast<std::uint8_t>(DraftWizard::kPaper) ||
      body.size() < records * kRecordSize ||
      (body.size() - records * kRecordSize) % kStoredBlockSize != 0 ||
      LoadImage(decoded.record, Bytes(body)) != FileStatus::kOk) {
    return DraftFault::kChecksum;
  }
  std::string names;
  for (std::size_t at = records * kRecordSize; at < body.size(); at += kStoredBlockSize) {
    PlainBlock plain{};
    RecordScrambler::UnscrambleBlock(Bytes(body.substr(at)), &plain);
    names.append(reinterpret_cast<const char*>(plain.data()), plain.size());
  }
  std::size_t at = 0;
  std::string editedFile;
  if (!TakeName(names, &at, &decoded.fileName) || !TakeName(names, &at, &editedFile)) {
    return DraftFault::kChecksum;
  }
  decoded.wizard = static_cast<DraftWizard>(header[kWizardOffset]);
  decoded.replace = (flags & kReplaceFlag) != 0;
  decoded.noBlankWarning = (flags & kNoBlankWarningFlag) != 0;
  decoded.secondTyping = (flags & kSecondTypingFlag) != 0;
  decoded.byAnotherPerson = (flags & kAnotherTypistFlag) != 0;
  if ((flags & kViewChosenFlag) != 0) {
    decoded.viewAfterFinish =
        ViewAfterFinish{(flags & kViewFlag) != 0, (flags & kViewRelatedFlag) != 0};
  }
  decoded.page = DecodeFixed16(header + kPageOffset);
  decoded.pageCount = DecodeFixed16(header + kPageCountOffset);
  decoded.started = DecodeFixed64(header + kStartedOffset);
  decoded.changed = DecodeFixed64(header + kChangedOffset);
  if (records == 2) {
    RecordEdit edit;
    edit.fileName = std::move(editedFile);
    edit.index = static_cast<int>(DecodeFixed32(header + kEditIndexOffset));
    std::copy_n(Bytes(body.substr(kRecordSize)), kRecordSize, edit.original.begin());
    // An edit goes on only from the record it began with.
    if (LoadImage(edit.unedited, edit.original.data()) != FileStatus::kOk) {
      return DraftFault::kChecksum;
    }
    decoded.edit = std::move(edit);
  }
  *draft = std::move(decoded);
  return DraftFault::kNone;
}

}  // namespace acv
