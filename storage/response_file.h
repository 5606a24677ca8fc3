// A response file (.cvr): a 243-byte header and at most 657 scrambled records of 2,187 bytes.
// A file is held open only for one operation, under a whole-file lock: shared while it is only
// read, exclusive while it is written or may be.
#pragma once

#include <string>
#include <vector>

#include "storage/file_status.h"
#include "storage/format.h"

namespace acv {

// What the header of one open said.
struct HeaderStamps {
  std::string version;
  std::string created;
  std::string modified;
};

class ResponseFile {
 public:
  ResponseFile() = default;
  ResponseFile(const ResponseFile&) = delete;
  ResponseFile& operator=(const ResponseFile&) = delete;
  ~ResponseFile();  // closes

  // Opens an existing response file to read its records (never creating one): read-only under
  // a shared lock, or with `readOnly` false for reading and writing under an exclusive lock.
  // kOk when the header is valid and the file holds at least one record (recordCount()), else
  // the failure: kNotFound, kTooShort for a file with no record, kBadLength, kBadMagic, ...
  FileStatus OpenForReading(const std::string& name, bool readOnly);
  // Reads the next record, the first one after the open: kOk with `index` its index,
  // kNoMoreRecords after the last one, kShortRead when it could not be read whole.
  FileStatus ReadNext(StoredRecord* bytes, int* index);
  void Close();

  int recordCount() const { return count_; }
  // The header's stamps as read by the open.
  const HeaderStamps& header() const { return header_; }

  // Reads record `index` of `name`: kOk, kIndexBeyondEnd, or the failure of the open or read.
  static FileStatus ReadAt(const std::string& name, int index, StoredRecord* bytes);
  // Appends (`at` < 0) or rewrites record `at` in place; `index` gets the index written (-1
  // until success). A failed write leaves the file as it was.
  static FileStatus WriteRecord(const std::string& name, const StoredRecord& bytes, int* index,
                                int at);
  // Appends all of `records` or none: kFull when they would take the file beyond 657 records;
  // `firstIndex` gets the index of the first one written (-1 until success). A failed append
  // leaves the file as it was.
  static FileStatus AppendRecords(const std::string& name, const std::vector<StoredRecord>& records,
                                  int* firstIndex);
  // Compare-and-write: rewrites record `at` with `bytes` only while it still holds `expected`
  // (the bytes read when an edit began), checked under the lock of the write. kRecordChanged
  // when another write came between, kIndexBeyondEnd when there is no such record; nothing is
  // written then.
  static FileStatus ReplaceRecord(const std::string& name, int at, const StoredRecord& expected,
                                  const StoredRecord& bytes);

 private:
  enum class Access { kRead, kReadWrite, kCreate };
  // Opens `name` as asked and locks it; kOk with the length known.
  FileStatus Open(const std::string& name, Access access);
  // Checks the header of the open file: kOk (isNew_ for an empty file) or the format failure.
  FileStatus CheckHeader();
  // Writes the 243 header bytes: the creation stamp only when the file was empty, the modified
  // stamp always.
  FileStatus WriteHeader();
  // Opens `name` for writing, creating it when missing, and checks its header.
  FileStatus OpenForWriting(const std::string& name);
  // Writes the header (for a new file), `size` bytes at `offset` and the modified stamp, then
  // flushes; on any failure puts the file back as it was with `undo`.
  template <typename Undo>
  FileStatus WriteAndFlush(const void* data, std::size_t size, long long offset, Undo undo);
  // Rewrites record `at`, first checking it holds `expected` when that is given.
  static FileStatus Rewrite(const std::string& name, int at, const StoredRecord* expected,
                            const StoredRecord& bytes);
  // Reads the run of records starting at `first`.
  FileStatus FillBuffer(int first);

  int fd_ = -1;
  long long length_ = 0;
  bool isNew_ = false;
  HeaderStamps header_;
  int count_ = 0;
  int nextIndex_ = 0;
  // A run of records read in one call, starting at record bufferFirst_; bufferRecords_ of them
  // were read whole (fewer than fit when the file ends early).
  std::string buffer_;
  int bufferFirst_ = 0;
  int bufferRecords_ = 0;
};

}  // namespace acv
