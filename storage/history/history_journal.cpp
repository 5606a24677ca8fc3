#include "storage/history/history_journal.h"

#include <errno.h>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <ctime>
#include <utility>

#include "storage/format/posix_file.h"
#include "storage/history/changed_fields.h"
#include "storage/history/history_file.h"

namespace acv {
namespace {

// The access a new history gets: the response file's, never more than owner read-write and
// group read.
constexpr mode_t kMostAccess = 0640;

std::string UserName() {
  std::array<char, 1024> buffer{};
  passwd entry{};
  passwd* found = nullptr;
  if (getpwuid_r(geteuid(), &entry, buffer.data(), buffer.size(), &found) == 0 &&
      found != nullptr) {
    return found->pw_name;
  }
  return "uid " + std::to_string(geteuid());
}

std::string HostName() {
  std::array<char, 256> name{};
  return gethostname(name.data(), name.size() - 1) == 0 ? std::string(name.data()) : "";
}

// Any failure of the history, whatever its cause, refuses the write in the same words; but a
// history another program is adding to is only in use.
FileStatus Unusable(FileStatus status) {
  return status == FileStatus::kOk || status == FileStatus::kSharingViolation
             ? status
             : FileStatus::kHistoryUnusable;
}

}  // namespace

HistoryJournal::HistoryJournal(const std::string& responseFile, ChangeNote note)
    : responseFile_(responseFile),
      name_(HistoryNameFor(responseFile)),
      note_(std::move(note)),
      user_(UserName()),
      host_(HostName()),
      program_(std::string(program_invocation_short_name) + " " ACV_VERSION) {}

HistoryJournal::~HistoryJournal() {
  if (fd_ >= 0) {
    close(fd_);
  }
}

FileStatus HistoryJournal::Open() {
  struct stat file {};
  const mode_t mode =
      stat(responseFile_.c_str(), &file) == 0 ? (file.st_mode & kMostAccess) : kMostAccess;
  FileStatus status = OpenRegularFile(name_, O_RDWR | O_CREAT | O_EXCL, mode, &fd_);
  created_ = status == FileStatus::kOk;
  if (status == FileStatus::kFileExists) {
    status = OpenRegularFile(name_, O_RDWR, 0, &fd_);
  }
  // The umask may have taken more away, never less.
  if (created_ && fchmod(fd_, mode) != 0) {
    status = StatusFromErrno(errno);
  }
  if (status == FileStatus::kOk) {
    status = LockWholeFile(fd_, true);
  }
  struct stat info {};
  if (status == FileStatus::kOk && fstat(fd_, &info) != 0) {
    status = StatusFromErrno(errno);
  }
  length_ = info.st_size;
  return status;
}

FileStatus HistoryJournal::Settle(const PlannedWrite& write, Digest* previous) {
  *previous = Digest{};
  const auto tag = static_cast<long long>(kHistoryTag.size());
  std::string bytes;
  HistoryFrame frame;
  long long start = 0;
  if (length_ > tag && !ReadFrameEndingAt(fd_, length_, &bytes, &frame, &start)) {
    // The last entry is torn (or more is wrong): find the last whole one from the start.
    HistoryFrames frames;
    FileStatus status = ReadWholeFile(name_, kMaxPayload * 4096, &bytes);
    if (status != FileStatus::kOk || !SplitFrames(bytes, &frames) || frames.broken >= 0) {
      return FileStatus::kHistoryUnusable;  // never written over: check names what is wrong
    }
    length_ = static_cast<long long>(frames.end);
  }
  if (length_ <= tag) {
    std::string head(static_cast<std::size_t>(length_), '\0');
    std::size_t got = 0;
    FileStatus status = ReadAllAt(fd_, head.data(), head.size(), 0, &got);
    if (status != FileStatus::kOk || kHistoryTag.substr(0, got) != head.substr(0, got)) {
      return FileStatus::kHistoryUnusable;  // not a history: never written over
    }
    length_ = 0;
    return FileStatus::kOk;
  }
  // Trailing entries whose change never committed are cut off, the last first.
  while (ReadFrameEndingAt(fd_, length_, &bytes, &frame, &start)) {
    const std::optional<HistoryEntry> entry = DecodeEntry(frame.payload);
    if (!entry) {
      return FileStatus::kHistoryUnusable;
    }
    Digest current{};
    StoredRecord record{};
    if (entry->index >= 0 && entry->index < write.count &&
        write.read(entry->index, &record) == FileStatus::kOk) {
      current = RecordDigest(record);
    }
    if (!NeverCommitted(*entry, current)) {
      *previous = frame.digest;
      return FileStatus::kOk;
    }
    length_ = start;
  }
  length_ = length_ <= tag ? 0 : length_;
  return length_ == 0 ? FileStatus::kOk : FileStatus::kHistoryUnusable;
}

HistoryEntry HistoryJournal::Stamped(HistoryAction action) const {
  HistoryEntry entry;
  entry.action = action;
  entry.time = static_cast<std::int64_t>(std::time(nullptr));
  entry.user = user_;
  entry.host = host_;
  entry.program = program_;
  return entry;
}

FileStatus HistoryJournal::Record(const PlannedWrite& write) {
  Digest previous{};
  FileStatus status = Open();
  const long long found = length_;
  if (status == FileStatus::kOk) {
    status = Settle(write, &previous);
  }
  if (status != FileStatus::kOk) {
    return Unusable(status);
  }
  std::string bytes = length_ == 0 ? std::string(kHistoryTag) : std::string();
  const auto append = [&](const HistoryEntry& entry) {
    bytes += FrameEntry(EncodeEntry(entry), entry.earlier, &previous);
  };
  if (length_ == 0) {
    // A history begins with the file's records as they are.
    HistoryEntry begun = Stamped(HistoryAction::kHistoryBegun);
    for (int at = 0; at < write.count; ++at) {
      StoredRecord record{};
      if (status = write.read(at, &record); status != FileStatus::kOk) {
        return Unusable(status);
      }
      begun.records.push_back(RecordDigest(record));
    }
    append(begun);
  }
  for (std::size_t i = 0; i < write.records.size(); ++i) {
    HistoryEntry entry = Stamped(note_.action);
    entry.previous = previous;
    entry.index = write.first + static_cast<int>(i);
    entry.reason = note_.reason;
    entry.after = RecordDigest(write.records[i]);
    StoredRecord was{};
    std::string fields;
    if (entry.index < write.count) {
      if (status = write.read(entry.index, &was); status != FileStatus::kOk) {
        return Unusable(status);
      }
      entry.before = RecordDigest(was);
      fields = ChangedFields(was, write.records[i]);
      entry.fields = fields;
      entry.earlier = BytesOf(was);
    }
    append(entry);
  }
  if (TakesDataOut(note_.action)) {
    HistoryEntry entry = Stamped(note_.action);
    entry.previous = previous;
    entry.taken = note_.taken;
    append(entry);
  }
  if (found != length_ && TakesDataOut(note_.action)) {
    // Taking data out never cuts the history under those reading it: what is to be cut off
    // waits for the next change, and this goes unrecorded.
    return FileStatus::kHistoryUnusable;
  }
  if (found != length_) {
    status = TruncateTo(fd_, length_);
  }
  if (status == FileStatus::kOk) {
    status = WriteAllAt(fd_, bytes.data(), bytes.size(), length_);
  }
  if (status != FileStatus::kOk) {
    Withdraw();
  }
  end_ = length_ + static_cast<long long>(bytes.size());
  last_ = previous;
  return Unusable(status);
}

FileStatus HistoryJournal::MakeLasting(int fd) {
  // The entries and the file's new records with one flush where the disk allows: the entries are
  // in the history before the file's mark takes the records in, whichever reaches the disk first.
  FileStatus status = fd >= 0 ? SyncFiles(fd, fd_) : Unusable(SyncFile(fd_));
  if (status == FileStatus::kOk && created_) {
    status = Unusable(SyncFolderOf(name_));
  }
  return status;
}

void HistoryJournal::Committed() {
  HistoryEntry seal;
  seal.action = HistoryAction::kCommitted;
  seal.previous = last_;
  Digest digest{};
  const std::string frame = FrameEntry(EncodeEntry(seal), {}, &digest);
  // Left out when it cannot be written: the entries before it still tell by their hashes.
  static_cast<void>(WriteAllAt(fd_, frame.data(), frame.size(), end_));
}

void HistoryJournal::Withdraw() {
  if (fd_ >= 0 && TruncateTo(fd_, length_) == FileStatus::kOk) {
    static_cast<void>(SyncFile(fd_));
  }
}

}  // namespace acv
