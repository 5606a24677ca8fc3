// storage/text/: the one message table by id and the rules for what users type; it stands on
// the file format alone.
//
// Every message the program shows to the user, word for word: the fixed ones in one table keyed
// by MessageId (caption, text, icon), and the ones built from a name, a count or a file status.
// The window shows them in message boxes; the command line prints them.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "engine/response_record.h"
#include "storage/format/file_status.h"
#include "storage/text/typed_input.h"

namespace acv {

// kNone is for a question (two buttons, no icon).
enum class MessageIcon { kNone, kStop, kInformation, kExclamation };

struct UserMessage {
  std::string_view caption;
  std::string text;
  MessageIcon icon = MessageIcon::kStop;
};

// A message that names something (a file, a count) has a kNameMark in each place a name goes.
inline constexpr std::string_view kNameMark = "\x1f";

enum class MessageId {
  // Names and dates of the details page and the selection dialogs.
  kNamesMandatory,
  kBirthDateMandatory,
  kBirthDateIncorrect,
  kUnder18,
  kAgeOutOfRange,
  kCompletionMandatory,
  kCompletionIncorrect,
  kCompletionOutOfRange,
  kUnder18AtCompletion,
  // File names typed or chosen.
  kNoFileName,
  kFileNameWithExtension,
  // The entry pages.
  kSelectReportType,
  kObserverNameMandatory,
  kIncorrectValue,
  kReplaceChosen,
  kNoEditsMade,
  kCancelSelected,
  // The selection dialogs.
  kNoMatch,
  kReadOnly,
  kNoSelection,
  kTooManySelections,
  kTwoSelf,
  kTwoObserver,
  kChangedCriteria,
  kReadError,
  // The shell and the export.
  kNoAnalysisSelection,
  kWebSiteNotOpened,  // captioned with the product's name; the web address follows the text
  kWrongPassword,
  kExportNameChanged,
  kDataPrivacy,
  kFileExists,
  kSettingsRefused,  // the settings file's path stands at kNameMark's place
  // The paper wizards' second typing.
  kTypingsAgree,
  kDoubleEntryRequired,
  kDropSecondTyping,
  kEditDropsVerification,
  kEditDropsVerificationOnScreen,
  // Files chosen in a file dialog, and the RTF report's save and printing.
  kBrowseNotCvr,
  kBrowseNotCsv,
  kBrowseNotRtf,
  kFolderMissing,  // the folder
  kRtfPrivacy,
  kRtfNoName,
  kRtfBadName,
  kRtfSaved,            // the name without ".rtf"
  kPrintFailedBecause,  // the printer or file, then why
  kPrintFailed,         // the printer or file
  // The export's passwords and its summary.
  kExportPasswordRefused,  // why the password file was refused
  kNoExportPassword,
  kExportOk,       // the response file and the export file, without their extensions
  kExportPartial,  // the same, then five counts
  // The FHIR export of an analysis.
  kFhirPrivacy,
  kFhirNotWritten,   // the file, then why
  kFhirSaved,        // the file
  kTakeOutNotNoted,  // the response file: the window's form of kTakeOutNotRecorded
  // Data taken out of a response file whose history could not note it.
  kTakeOutNotRecorded,  // the response file
  // The command line's own lines, printed after "acv COMMAND: ".
  kNotAnIndex,  // the text typed, then the highest index
  kCommandNeeded,
  kOutputNotWritten,
  kChooseReports,
  kRecordNotRead,
  kNotOfItsType,
  kNeitherType,
  kHoldsNoRecords,
  kSalvageNoRecords,
  kDamageRead,
  kRecordFailsChecksum,
  kRecordBeyondEnd,
  kAlreadyExistsForce,
  kDemoExists,
  kSalvageTargetExists,
  kSalvageLeftOut,
  kSalvageTookIn,
  kSalvageUnreadable,
  kImportUnreadable,
  kImportTooLarge,
  kImportRefused,
  kImportWarning,
  kImportUnverifiedRefused,
  kImportUnverifiedTaken,
  kDraftsNotRead,
  kDraftSetAside,
  kDraftNotRemoved,
  kNoSuchDraft,
  kPasswordAtTerminal,
  kNoPasswordGiven,
  kPasswordsDiffer,
  kPasswordsAdministratorOnly,
  kPasswordsNotWritten,
  kReportFileNeeded,
  kReportNotWritten,
  kNoReport,
  kFhirAllTakesEvery,
  kFhirFileUnreadable,  // the file, then why
  kFhirRecordLeftOut,
  kFhirNoOne,
  kImportTooManyForRoom,  // the records, then the room
  kPdfNotDrawn,
  kUnknownOption,         // the word typed, then the command whose help lists what it takes
  kUnknownCommand,        // the same
  kUnexpectedArgument,    // the same
  kWrittenElsewhere,      // a line made elsewhere: the option parser's, a history problem
  kBeyondCommitMark,      // the record
  kResponsesLength,       // the characters needed, then those given
  kResponsesCharacter,    // the item, then the character
  kNoSuchVersion,         // the record, the versions kept, the version asked for
  kVersionChanged,        // the version, then the record
  kVersionFailsChecksum,  // the version
  kCount,
};

// The fixed message of `id`, its kNameMarks filled from `names` in order; marks left over stay
// for the window, which puts in names that need not fit code page 1252.
UserMessage Message(MessageId id, std::initializer_list<std::string_view> names = {});

// The message of a search (the selection dialogs, `acv list`) for a refused date of birth;
// `check` is not kOk.
UserMessage BirthDateMessage(BirthDateCheck check);
// The message for a refused response-file name; `check` is not kOk.
UserMessage FileNameMessage(FileNameCheck check);
// The details page's message for a detail that `check` refuses (not kOk).
UserMessage DetailsMessage(DetailsCheck check);

// "Unfortunately %u records failed to load from the file, ..." (caption Partial File Corruption).
UserMessage CorruptRecordsMessage(unsigned count);

// The message for a failed save (caption Save Has Failed), by the status SaveRecord or
// ReplaceRecord gave; a refused file name has its own message (caption Incorrect File Name).
UserMessage SaveFailureMessage(FileStatus code);
// The message for a successful save (caption Save Was Successful).
UserMessage SaveSuccessMessage(const ResponseRecord& record, const std::string& fullFileName);

// The selection dialogs' message for a failure to open `name` (typed, without ".cvr").
UserMessage SelectionOpenMessage(FileStatus code, const std::string& name);
// The same message for a file opened by its whole `path`, which it names as it was given (any
// suffix, or none).
UserMessage OpenedFileMessage(FileStatus code, const std::string& path);

// The export's message for a failure to open the response file (caption ACV File Error) or the
// export file (caption Export File Error); `name` is the file name without its extension.
UserMessage AcvFileOpenMessage(FileStatus code, const std::string& name);
UserMessage ExportFileOpenMessage(FileStatus code, const std::string& name);
// The export's message for an export file that could not be written whole, so was not made.
UserMessage ExportFileWriteMessage(FileStatus code, const std::string& name);
// The RTF report's message for a file that could not be made (caption Save File Error); `name`
// is the file name as typed, without ".rtf". A full disk has the write failure's message.
UserMessage RtfSaveFailureMessage(FileStatus code, const std::string& name);
// The same for a file that could not be written whole, so was not saved.
UserMessage RtfWriteFailureMessage(FileStatus code, const std::string& name);

// Why a file could not be written, in a user's words: "the disk is full".
std::string FileStatusReason(FileStatus code);
}  // namespace acv
