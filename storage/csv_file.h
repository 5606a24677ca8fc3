// The export file: written through a new file beside the target, which takes the target's name
// only when the export is committed, so a failed export never leaves a half-written file in
// place of a good one.
#pragma once

#include <string>
#include <string_view>

#include "storage/file_status.h"

namespace acv {

class CsvFile {
 public:
  CsvFile() = default;
  CsvFile(const CsvFile&) = delete;
  CsvFile& operator=(const CsvFile&) = delete;
  ~CsvFile();  // abandons an uncommitted export

  // Opens `name` for writing: kFileExists when it exists and `replace` is false. A file being
  // replaced is locked for the length of the export.
  FileStatus Open(const std::string& name, bool replace);
  bool isOpen() const { return fd_ >= 0; }

  // Writes `line` and CR LF.
  FileStatus WriteLine(std::string_view line);

  // Flushes the new file and gives it the target's name; on failure the new file is removed and
  // an old file left as it was.
  FileStatus Commit();
  // Removes the new file; an old file is left as it was.
  void Abandon();

 private:
  void CloseAll();

  std::string name_;
  std::string partName_;
  bool replace_ = false;
  int fd_ = -1;
  int oldFd_ = -1;  // the file being replaced, held locked
  long long length_ = 0;
};

}  // namespace acv
