// storage/text/: the one message table by id and the rules for what users type; it stands on
// the file format alone.
//
// Every message the program shows to the user, word for word: the fixed ones in one table keyed
// by MessageId (caption, text, icon), and the ones built from a name, a count or a file status.
// The window shows them in message boxes; the command line prints them.
#pragma once

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

namespace caption {
inline constexpr std::string_view kMandatoryField = "Mandatory Field";
inline constexpr std::string_view kIncorrectDate = "Incorrect Date";
inline constexpr std::string_view kIncorrectFileName = "Incorrect File Name";
inline constexpr std::string_view kSaveFailed = "Save Has Failed";
inline constexpr std::string_view kSaveSucceeded = "Save Was Successful";
inline constexpr std::string_view kPartialCorruption = "Partial File Corruption";
inline constexpr std::string_view kNoMatch = "No Matching Records";
inline constexpr std::string_view kReadOnly = "File is Read Only";
inline constexpr std::string_view kNoSelection = "No Selection";
inline constexpr std::string_view kTooManySelections = "Too Many Selections";
inline constexpr std::string_view kTwoSelf = "Two Self Assessments";
inline constexpr std::string_view kTwoObserver = "Two Observer Assessments";
inline constexpr std::string_view kChangedCriteria = "Changed Selection Criteria";
inline constexpr std::string_view kReadError = "Read Error";
inline constexpr std::string_view kWrongPassword = "Wrong Password";
inline constexpr std::string_view kExportFileName = "Export File Name";
inline constexpr std::string_view kDataPrivacy = "Data Privacy Responsibility";
inline constexpr std::string_view kFileExists = "File Exists";
inline constexpr std::string_view kAcvFileError = "ACV File Error";
inline constexpr std::string_view kExportFileError = "Export File Error";
inline constexpr std::string_view kExportOk = "Export OK";
inline constexpr std::string_view kExportProblem = "Export File Problem";
}  // namespace caption

namespace text {
inline constexpr std::string_view kNamesMandatory = "'First Name' and 'Last Name' are mandatory.";
inline constexpr std::string_view kBirthDateMandatory = "'Date Of Birth' is mandatory.";
inline constexpr std::string_view kBirthDateIncorrect =
    "The 'Date Of Birth' is not correct.\n\nThe date must have a valid day for the month,\nand "
    "have a four digit year greater than 1900.";
inline constexpr std::string_view kUnder18 = "The age of the person must be 18 or more";
inline constexpr std::string_view kNoFileName = "You have not entered a filename.";
inline constexpr std::string_view kFileNameWithExtension =
    "You must enter an ACV filename without the extension.  For example:  "
    "c:/data_files/ACV_2005";
inline constexpr std::string_view kBrowseNotCvr =
    "You must enter an ACV filename (*.cvr).  For example:  c:/data_files/ACV_2005.cvr";
inline constexpr std::string_view kBrowseNotCsv =
    "You must enter a CSV filename (*.csv).  For example:  "
    "c:/export_files/export_ACV_2005.csv";
inline constexpr std::string_view kNoMatch =
    "There were no records in the specified ACV file\nwith the requested name and date of birth.";
inline constexpr std::string_view kReadOnly =
    "Warning:  The file you are attempting to edit is read-only.\n\nYou will have to either have "
    "the read-only security\non the file removed or save any edits to a new file.";
inline constexpr std::string_view kNoSelection =
    "You have not made a selection.\n\nEnter the name, date of birth and file to search\nthen "
    "click the 'Load/Reload ACV Responses' button.\n\nIf any matching records have been found "
    "you can\nthen select one from the list.";
inline constexpr std::string_view kTooManySelections =
    "You are limited to select at most two assessments.\n\nIf you select two assessments then "
    "one must be\na Self Assessment and one an Observer Assessment.";
inline constexpr std::string_view kTwoSelf =
    "You have selected two Self Assessments.\n\nYou are limited to select at most two "
    "assessments.\n\nIf you select two assessments then one must be\na Self Assessment and one "
    "an Observer Assessment.";
inline constexpr std::string_view kTwoObserver =
    "You have selected two Observer Assessments.\n\nYou are limited to select at most two "
    "assessments.\n\nIf you select two assessments then one must be\na Self Assessment and one "
    "an Observer Assessment.";
inline constexpr std::string_view kChangedCriteria =
    "Warning:  You have changed the selection criteria for the list of ACV responses but have "
    "not reloaded the list.";
inline constexpr std::string_view kReadError =
    "There was an error trying to read the records you have selected.\n\nPlease try again.";
inline constexpr std::string_view kWrongPassword =
    "Sorry, but the password you entered is not correct.\n\nIf you need help with the password "
    "please contact\nyour system administrator for assistance.";
inline constexpr std::string_view kExportNameChanged =
    "The default Export File name has changed because the ACV file name has changed";
inline constexpr std::string_view kDataPrivacy =
    "To proceed with the export, you must check the box indicating\nthat you accept "
    "responsibility for the privacy of the data.";
inline constexpr std::string_view kFileExists =
    "The file already exists.\nDo you want to replace it?";
inline constexpr std::string_view kRecordChanged =
    "Someone else has changed this record since you opened it,\nso it was not replaced.\n\nYou "
    "can save your edits as a new record instead.";
}  // namespace text

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
};

// The fixed message of `id`.
UserMessage Message(MessageId id);

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
