// One open of a file under a whole-file lock: shared while it is only read, exclusive while it
// is written or may be. Closing it (or its end) releases the lock.
#pragma once

#include <string>

#include "storage/format/file_status.h"

namespace acv {

class LockedFile {
 public:
  enum class Access {
    kRead,       // an existing file, read-only, under a shared lock
    kReadWrite,  // an existing file, under an exclusive lock
    kCreate,     // as kReadWrite, making the file when there is none
  };

  LockedFile() = default;
  LockedFile(const LockedFile&) = delete;
  LockedFile& operator=(const LockedFile&) = delete;
  ~LockedFile();  // closes

  // Opens `name` as asked and locks it: kOk with the length known, or the failure with nothing
  // left open (kBadPath when a file is to be made in a folder that is not there).
  FileStatus Open(const std::string& name, Access access);
  void Close();

  int fd() const { return fd_; }
  long long length() const { return length_; }
  // What this open's writes made the length.
  void setLength(long long length) { length_ = length; }
  // Whether this open made the file.
  bool created() const { return created_; }
  // Removes `name` when this open made it and it is still the file of that name (another
  // program may have replaced it meanwhile).
  void RemoveIfMadeHere(const std::string& name) const;

 private:
  int fd_ = -1;
  long long length_ = 0;
  bool created_ = false;
};

}  // namespace acv
