// POSIX file helpers shared by the response file and the export file.
#pragma once

#include <cstddef>
#include <string>

namespace acv {

// The file layer's code for a POSIX errno:
//   ENOENT -> -2 not found          ENOTDIR, ENAMETOOLONG, ELOOP, EISDIR -> -3 bad path
//   EMFILE, ENFILE -> -4            EACCES, EPERM, EROFS -> -5 access denied
//   EBADF -> -6 invalid file        EMLINK -> -8 folder full
//   ESPIPE, EOVERFLOW -> -9         EIO -> -10 hardware I/O
//   EAGAIN, EWOULDBLOCK -> -11      EDEADLK, ENOLCK -> -12 lock violation
//   ENOSPC, EDQUOT, EFBIG -> -13    anything else -> -1 generic
int StatusFromErrno(int error);

// Takes a non-blocking whole-file open-file-description lock: a write lock on a descriptor
// opened for writing, a read lock otherwise. 0, or -11 when another open holds a conflicting
// lock (another code for other failures).
int LockWholeFile(int fd, bool forWriting);

// Writes all of `size` bytes at `offset`, looping over partial writes; 0 or a negative code.
int WriteAllAt(int fd, const void* data, std::size_t size, long long offset);
// Reads up to `size` bytes at `offset`, looping until end of file; the count or a negative code.
long long ReadAllAt(int fd, void* data, std::size_t size, long long offset);

}  // namespace acv
