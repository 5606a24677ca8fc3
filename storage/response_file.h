// A response file (.cvr): a 243-byte header and at most 657 scrambled records of 2,187 bytes.
// A file is held open only for one operation, under an exclusive lock.
#pragma once

#include <string>
#include <vector>

#include "storage/file_status.h"
#include "storage/format.h"

namespace acv {

class ResponseFile {
 public:
  ResponseFile() = default;
  ResponseFile(const ResponseFile&) = delete;
  ResponseFile& operator=(const ResponseFile&) = delete;
  ~ResponseFile();  // closes

  // Opens `name` exclusively, read-only or read-write. Read-write creates a missing file (mode
  // 0660) and never truncates; read-only never creates one, a missing file then reads as empty.
  // Returns the file length (>= 0) or a negative FileStatus.
  int Open(const std::string& name, bool readOnly);
  void Close();

  // 1 for an empty (new) file, 0 for a valid header, otherwise -502, -503, -504 or -501.
  int CheckHeader();
  // Writes the 243 header bytes: the creation stamp only when the file was empty, the modified
  // stamp always. 0 or a negative FileStatus.
  int WriteHeader();

  // Opens, checks the header, gives the record count (fewer than one: -502) and reads record 0
  // as ReadNext does, returning its result. The file stays open for ReadNext.
  int OpenForReading(const std::string& name, bool readOnly, StoredRecord* bytes, int* count);
  // -602 when no record is left, -601 for a short read, otherwise 1 when the record read was the
  // last one and 0 before that. `index` receives the index of the record read.
  int ReadNext(StoredRecord* bytes, int* index);

  // The header's stamps as read by CheckHeader (empty for a new file).
  const std::string& versionText() const { return version_; }
  const std::string& createdStamp() const { return created_; }
  const std::string& modifiedStamp() const { return modified_; }
  int recordCount() const;

  // Reads record `index` of `name`: the number of bytes read (2,187), -101 beyond the end, or a
  // negative FileStatus.
  static int ReadAt(const std::string& name, int index, StoredRecord* bytes);
  // Appends (`at` < 0) or rewrites record `at` in place; `index` gets the index written (-1
  // until success). 0 or a negative FileStatus. A failed write leaves the file as it was.
  static int WriteRecord(const std::string& name, const StoredRecord& bytes, int* index, int at);
  // Appends all of `records` or none: -506 when they would take the file beyond 657 records;
  // `firstIndex` gets the index of the first one written (-1 until success). 0 or a negative
  // FileStatus; a failed append leaves the file as it was.
  static int AppendRecords(const std::string& name, const std::vector<StoredRecord>& records,
                           int* firstIndex);

 private:
  // A run of records read in one call, starting at record bufferFirst_; bufferRecords_ of them
  // were read whole (fewer than fit when the file ends early).
  std::string buffer_;
  int bufferFirst_ = 0;
  int bufferRecords_ = 0;
  // Reads the run of records starting at `first`: 0, or the negative code of a failed read.
  int FillBuffer(int first);
  int fd_ = -1;
  long long length_ = 0;
  bool readOnly_ = true;
  std::string version_;
  std::string created_;
  std::string modified_;
  // Opens `name` for reading and writing and checks its header: CheckHeader's result, or the
  // negative code of the open.
  int OpenForWriting(const std::string& name);
  // Writes the header (for a new file), `size` bytes at `offset` and the modified stamp, then
  // flushes; on any failure puts the file back as it was with `undo`.
  template <typename Undo>
  int WriteAndFlush(const void* data, std::size_t size, long long offset, bool wasEmpty, Undo undo);

  int nextIndex_ = 0;
  int count_ = 0;
};

}  // namespace acv
