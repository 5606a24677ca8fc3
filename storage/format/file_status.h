// Outcomes of the file layer. Every file operation gives back a FileStatus: kOk, or one of the
// fixed negative codes below. Callers and messages are keyed on the numbers, so they never
// change; a status can never be dropped unread.
#pragma once

namespace acv {

enum class [[nodiscard]] FileStatus : int{
    kOk = 0,
    // The negated causes of the platform's file errors.
    kGeneric = -1,
    kNotFound = -2,
    kBadPath = -3,
    kTooManyOpen = -4,
    kAccessDenied = -5,
    kInvalid = -6,
    kRemoveCurrentDir = -7,
    kDirectoryFull = -8,
    kBadSeek = -9,
    kHardIo = -10,
    kSharingViolation = -11,
    kLockViolation = -12,
    kDiskFull = -13,
    kEndOfFile = -14,
    kOther = -99,
    // Record index beyond the end of the file.
    kIndexBeyondEnd = -101,
    // Response-file format and capacity.
    kBadMagic = -501,
    kTooShort = -502,
    kBadLength = -503,
    kHeaderUnreadable = -504,
    kFull = -506,
    kNotRegularFile = -507,  // a folder, device, pipe or socket where a file was named
    // Reading records.
    kShortRead = -601,
    kNoMoreRecords = -602,
    kCorruptRecord = -603,  // a record whose checksums fail
    // Rewriting a record in place: it no longer holds the bytes read when the edit began.
    kRecordChanged = -604,
    // Whole records after those the commit mark counts, added by another program: the file takes
    // no write until they are salvaged into a new file.
    kRecordsBeyondMark = -605,
    // Fewer records than the commit mark says the last completed write left: records were lost
    // (the file was cut short). The file takes no write until what is left is salvaged, so that
    // the smaller count is never written over the loss.
    kRecordsMissing = -606,
    // The history kept beside the file cannot be read or written (a full disk, a read-only
    // history, one that is not a history): the write is refused, so no change goes unrecorded.
    kHistoryUnusable = -607,
    // A typed response-file name that cannot be used.
    kNoFileName = -701,
    kNameHasExtension = -702,  // an extension other than ".cvr", or only a folder
    // An export file that exists, when replacing it was not asked for.
    kFileExists = -703,
    // A folder or file kept for the user alone that is a link, belongs to another user or is
    // open to others: neither read nor written.
    kNotPrivate = -704,
};

inline constexpr int Code(FileStatus status) {
  return static_cast<int>(status);
}

}  // namespace acv
