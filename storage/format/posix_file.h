// POSIX file helpers shared by the response file and the export file.
#pragma once

#include <cstddef>
#include <string>

#include "storage/format/file_status.h"

namespace acv {

// The file layer's code for a POSIX errno:
//   ENOENT -> -2 not found          ENOTDIR, ENAMETOOLONG, ELOOP, EISDIR -> -3 bad path
//   EMFILE, ENFILE -> -4            EACCES, EPERM, EROFS -> -5 access denied
//   EBADF -> -6 invalid file        EMLINK -> -8 folder full
//   ESPIPE, EOVERFLOW -> -9         EIO -> -10 hardware I/O
//   EAGAIN, EWOULDBLOCK -> -11      EDEADLK, ENOLCK -> -12 lock violation
//   ENOSPC, EDQUOT, EFBIG -> -13    EEXIST -> -703 exists
//   anything else -> -1 generic
FileStatus StatusFromErrno(int error);

// Opens `name` with `flags` (O_CLOEXEC and O_NONBLOCK added, so that a pipe or device never
// blocks the open) and makes sure it is a regular file: kOk with `*fd` set, or the failure
// (kNotRegularFile for a folder, pipe, device or socket) with nothing left open. `size`, when
// given, receives the file's length as it was opened.
FileStatus OpenRegularFile(const std::string& name, int flags, int mode, int* fd,
                           std::size_t* size = nullptr);

// Takes a non-blocking whole-file open-file-description lock: a write lock on a descriptor
// opened for writing, a read lock otherwise. kOk, or kSharingViolation when another open holds
// a conflicting lock.
FileStatus LockWholeFile(int fd, bool forWriting);

// Writes all of `size` bytes at `offset`, looping over partial writes.
FileStatus WriteAllAt(int fd, const void* data, std::size_t size, long long offset);
// Cuts the file to `length` bytes.
FileStatus TruncateTo(int fd, long long length);
// Flushes the file's data and size to the disk.
FileStatus SyncFile(int fd);
// Flushes two files' data and sizes to the disk. On a local disk whose one flush takes every
// file on it, and while little else waits to be written there, one flush serves both; otherwise
// each file is flushed in turn.
FileStatus SyncFiles(int first, int second);
// Sets the disk writing `length` bytes of `fd` from `offset` without waiting for them, so that a
// long file's final sync has less left to wait for. Says nothing of failure: the sync does.
void StartWriting(int fd, long long offset, long long length);
// Reads up to `size` bytes at `offset`, looping until end of file; `*got` receives the count.
FileStatus ReadAllAt(int fd, void* data, std::size_t size, long long offset, std::size_t* got);

// Gives the unnamed file `fd` (opened with O_TMPFILE) the name `name`, which must not exist.
FileStatus LinkUnnamedFile(int fd, const std::string& name);
// Renames `from` to `to`: replacing a file there when `replace` is true, and otherwise never
// replacing one that appeared there meanwhile (kFileExists).
FileStatus RenameFile(const std::string& from, const std::string& to, bool replace);

// Reads the whole of the regular file `name`, but never more than `limit` + 1 bytes (a longer
// file then shows as `limit` + 1 bytes).
FileStatus ReadWholeFile(const std::string& name, std::size_t limit, std::string* bytes);

// The folder that holds `name`, with its closing "/" ("." for a name without one).
std::string FolderOf(const std::string& name);

// Flushes the folder that holds `name`, so that a file made or renamed there stays after a crash.
FileStatus SyncFolderOf(const std::string& name);

// Called before every change the file layer makes to a file (each write, cut, flush, link and
// rename) and
// between the two halves of every write while it is set; tests kill the process from it to cut
// a write short at each of those points. Null (the default) for none.
using FaultHook = void (*)();
void SetFaultHookForTesting(FaultHook hook);
// Called after a file is opened and before it is locked, while it is set; tests hold a process
// there to let another one take the lock first. Null (the default) for none.
void SetLockHookForTesting(FaultHook hook);
// Asked before every read the file layer makes (its offset and size), while it is set; a status
// other than kOk fails the read with it, as a disk that cannot give the bytes back would.
// Null (the default) for none.
using ReadHook = FileStatus (*)(long long offset, std::size_t size);
void SetReadHookForTesting(ReadHook hook);

}  // namespace acv
