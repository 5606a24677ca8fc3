// Failure codes of the file layer. Operations return 0 or a count on success and one of these
// negative codes on failure; callers and messages are keyed on the numbers, so they never change.
#pragma once

namespace acv {

enum FileStatus : int {
  kFileOk = 0,
  // The negated causes of the platform's file errors.
  kFileGeneric = -1,
  kFileNotFound = -2,
  kFileBadPath = -3,
  kFileTooManyOpen = -4,
  kFileAccessDenied = -5,
  kFileInvalid = -6,
  kFileRemoveCurrentDir = -7,
  kFileDirectoryFull = -8,
  kFileBadSeek = -9,
  kFileHardIo = -10,
  kFileSharingViolation = -11,
  kFileLockViolation = -12,
  kFileDiskFull = -13,
  kFileEndOfFile = -14,
  kFileOther = -99,
  // Record index beyond the end of the file.
  kFileIndexBeyondEnd = -101,
  // Response-file format and capacity.
  kFileBadMagic = -501,
  kFileTooShort = -502,
  kFileBadLength = -503,
  kFileHeaderUnreadable = -504,
  kFileFull = -506,
  // Reading records.
  kFileShortRead = -601,
  kFileNoMoreRecords = -602,
};

}  // namespace acv
