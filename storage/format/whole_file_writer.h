// A new file written whole or not at all (a new response file, the CSV export, the RTF and the
// PDF report, a draft): written
// into an unnamed file in the target's folder, which is linked in under the target's name only
// when the file is committed, so that neither a failed write nor a killed one leaves a readable
// part of the personal data it holds. Where the file system
// has no unnamed files, a part file readable by its owner only is used instead; an export that
// was killed leaves it behind, and the next export to the same name removes it.
#pragma once

#include <future>
#include <string>
#include <string_view>

#include "storage/format/file_status.h"

namespace acv {

class WholeFileWriter {
 public:
  // `mode` is what the committed file gets, less the umask: shared with the group by default,
  // 0600 for a file only its owner may read.
  explicit WholeFileWriter(unsigned mode = 0660) : mode_(mode) {}
  WholeFileWriter(const WholeFileWriter&) = delete;
  WholeFileWriter& operator=(const WholeFileWriter&) = delete;
  ~WholeFileWriter();  // abandons an uncommitted file

  // Open, Write and Commit of the whole of `bytes` in one.
  static FileStatus WriteFile(const std::string& name, bool replace, std::string_view bytes,
                              unsigned mode = 0660);

  // Opens `name` for writing: kFileExists when it exists and `replace` is false. A file being
  // replaced is locked for the length of the write.
  FileStatus Open(const std::string& name, bool replace);
  bool isOpen() const { return fd_ >= 0; }

  // Writes `bytes` after what was written before. A long file is written behind, a megabyte at a
  // time on a thread of its own while the next is made, so a failure to write may be told by a
  // later Write or by Commit; until then nothing has a name.
  FileStatus Write(std::string_view bytes);
  // Writes `line` and CR LF.
  FileStatus WriteLine(std::string_view line);

  // Flushes the new file and gives it the target's name; on failure the new file is removed and
  // an old file left as it was.
  FileStatus Commit();
  // Removes the new file; an old file is left as it was.
  void Abandon();

 private:
  void CloseAll();

  // Creates the file the export is written into: unnamed, or the part file.
  FileStatus CreateTemporary();
  // Waits for the bytes being written behind: the first failure of any of them, or kOk.
  FileStatus Written();

  unsigned mode_;
  std::string name_;
  std::string partName_;  // empty while the file is unnamed
  bool replace_ = false;
  int fd_ = -1;
  int oldFd_ = -1;  // the file being replaced, held locked
  static constexpr std::size_t kWritingRun = 1 << 20;
  std::string pending_;              // written, not yet handed on
  std::string handed_;               // being written behind
  std::future<FileStatus> writing_;  // the write of `handed_`, while it runs
  FileStatus failed_ = FileStatus::kOk;
  long long length_ = 0;  // of what was handed on
};

}  // namespace acv
