#include "storage/text/messages.h"

#include <cstdio>
#include <ctime>

#include "engine/dates.h"
#include "storage/format/file_status.h"

namespace acv {
namespace {

namespace caption {
constexpr std::string_view kMandatoryField = "Mandatory Field";
constexpr std::string_view kIncorrectDate = "Incorrect Date";
constexpr std::string_view kIncorrectFileName = "Incorrect File Name";
constexpr std::string_view kSaveFailed = "Save Has Failed";
constexpr std::string_view kSaveSucceeded = "Save Was Successful";
constexpr std::string_view kPartialCorruption = "Partial File Corruption";
constexpr std::string_view kNoMatch = "No Matching Records";
constexpr std::string_view kReadOnly = "File is Read Only";
constexpr std::string_view kNoSelection = "No Selection";
constexpr std::string_view kTooManySelections = "Too Many Selections";
constexpr std::string_view kTwoSelf = "Two Self Assessments";
constexpr std::string_view kTwoObserver = "Two Observer Assessments";
constexpr std::string_view kChangedCriteria = "Changed Selection Criteria";
constexpr std::string_view kReadError = "Read Error";
constexpr std::string_view kWrongPassword = "Wrong Password";
constexpr std::string_view kExportFileName = "Export File Name";
constexpr std::string_view kDataPrivacy = "Data Privacy Responsibility";
constexpr std::string_view kFileExists = "File Exists";
constexpr std::string_view kAcvFileError = "ACV File Error";
constexpr std::string_view kExportFileError = "Export File Error";
constexpr std::string_view kExportOk = "Export OK";
constexpr std::string_view kExportProblem = "Export File Problem";
}  // namespace caption

namespace text {
constexpr std::string_view kNamesMandatory = "'First Name' and 'Last Name' are mandatory.";
constexpr std::string_view kBirthDateMandatory = "'Date Of Birth' is mandatory.";
constexpr std::string_view kBirthDateIncorrect =
    "The 'Date Of Birth' is not correct.\n\nThe date must have a valid day for the month,\nand "
    "have a four digit year greater than 1900.";
constexpr std::string_view kUnder18 = "The age of the person must be 18 or more";
constexpr std::string_view kNoFileName = "You have not entered a filename.";
constexpr std::string_view kFileNameWithExtension =
    "You must enter an ACV filename without the extension.  For example:  "
    "c:/data_files/ACV_2005";
constexpr std::string_view kBrowseNotCvr =
    "You must enter an ACV filename (*.cvr).  For example:  c:/data_files/ACV_2005.cvr";
constexpr std::string_view kBrowseNotCsv =
    "You must enter a CSV filename (*.csv).  For example:  "
    "c:/export_files/export_ACV_2005.csv";
constexpr std::string_view kNoMatch =
    "There were no records in the specified ACV file\nwith the requested name and date of birth.";
constexpr std::string_view kReadOnly =
    "Warning:  The file you are attempting to edit is read-only.\n\nYou will have to either have "
    "the read-only security\non the file removed or save any edits to a new file.";
constexpr std::string_view kNoSelection =
    "You have not made a selection.\n\nEnter the name, date of birth and file to search\nthen "
    "click the 'Load/Reload ACV Responses' button.\n\nIf any matching records have been found "
    "you can\nthen select one from the list.";
constexpr std::string_view kTooManySelections =
    "You are limited to select at most two assessments.\n\nIf you select two assessments then "
    "one must be\na Self Assessment and one an Observer Assessment.";
constexpr std::string_view kTwoSelf =
    "You have selected two Self Assessments.\n\nYou are limited to select at most two "
    "assessments.\n\nIf you select two assessments then one must be\na Self Assessment and one "
    "an Observer Assessment.";
constexpr std::string_view kTwoObserver =
    "You have selected two Observer Assessments.\n\nYou are limited to select at most two "
    "assessments.\n\nIf you select two assessments then one must be\na Self Assessment and one "
    "an Observer Assessment.";
constexpr std::string_view kChangedCriteria =
    "Warning:  You have changed the selection criteria for the list of ACV responses but have "
    "not reloaded the list.";
constexpr std::string_view kReadError =
    "There was an error trying to read the records you have selected.\n\nPlease try again.";
constexpr std::string_view kWrongPassword =
    "Sorry, but the password you entered is not correct.\n\nIf you need help with the password "
    "please contact\nyour system administrator for assistance.";
constexpr std::string_view kExportNameChanged =
    "The default Export File name has changed because the ACV file name has changed";
constexpr std::string_view kDataPrivacy =
    "To proceed with the export, you must check the box indicating\nthat you accept "
    "responsibility for the privacy of the data.";
constexpr std::string_view kFileExists = "The file already exists.\nDo you want to replace it?";
constexpr std::string_view kRecordChanged =
    "Someone else has changed this record since you opened it,\nso it was not replaced.\n\nYou "
    "can save your edits as a new record instead.";
}  // namespace text

struct SaveFailure {
  FileStatus code;
  std::string_view text;
  std::string_view caption = caption::kSaveFailed;
};

constexpr std::string_view kNotResponseFile =
    "The file is not in the correct format for an Adult Corvantis file.";

constexpr std::string_view kBadPath = "The path for the file is not correct.";

constexpr SaveFailure kSaveFailures[] = {
    {FileStatus::kNoFileName, text::kNoFileName, caption::kIncorrectFileName},
    {FileStatus::kNameHasExtension, text::kFileNameWithExtension, caption::kIncorrectFileName},
    {FileStatus::kBadMagic, kNotResponseFile},
    {FileStatus::kTooShort, kNotResponseFile},
    {FileStatus::kBadLength, kNotResponseFile},
    {FileStatus::kHeaderUnreadable,
     "An error occurred while accessing the file.\nPlease contact your system administrator."},
    {FileStatus::kFull,
     "The file has reached its maximum number of records.\nPlease use another file or create a "
     "new file."},
    {FileStatus::kBadPath, kBadPath},
    {FileStatus::kNotRegularFile, kBadPath},
    {FileStatus::kAccessDenied,
     "Write access to the file has been denied.\nPlease contact your system administrator."},
    {FileStatus::kDirectoryFull,
     "The directory (folder) is full.\nPlease save the record in another directory of contact "
     "your system administrator."},
    {FileStatus::kSharingViolation, "The file is currently is use by someone else."},
    {FileStatus::kLockViolation, "The file is currently is use by someone else."},
    {FileStatus::kDiskFull, "The disk is full.\nPlease contact your system administrator."},
    {FileStatus::kRecordChanged, text::kRecordChanged},
    {FileStatus::kRecordsBeyondMark,
     "Another program has added records to the end of this file that its last\ncomplete save "
     "does not include, so nothing was saved to it.\n\nCopy the file's records into a new file "
     "with 'acv salvage' first."},
    {FileStatus::kRecordsMissing,
     "This file holds fewer records than its last complete save left in it: some records\nhave "
     "been lost, so nothing was saved to it.\n\nCopy the records that are left into a new file "
     "with 'acv salvage' first."},
    {FileStatus::kHistoryUnusable,
     "The history of changes kept beside this file could not be written: the disk may be\nfull, "
     "or the history may be read-only. Nothing was saved, so the file and its\nhistory still "
     "agree.\n\nPlease contact your system administrator."},
};

constexpr std::string_view kSaveFailureOther =
    "An error has occurred while writing the details to disk.\nPlease contact your system "
    "administrator.";

std::string DayMonthYear(const ResponseRecord& record) {
  return FormatDayMonthYear(record.BirthDate().value_or(CalendarDate{}));
}

// The export's open-failure texts: `lead` opens the not-found text, `file` is the quoted name
// with its extension.
std::string ExportOpenText(FileStatus code, std::string_view lead, const std::string& file) {
  switch (code) {
    case FileStatus::kNotFound:
    case FileStatus::kBadPath:
      return std::string(lead) + "\n\t'" + file + "'\nwas not found";
    case FileStatus::kAccessDenied:
      return "You do not have access to the file\n\t'" + file + "'";
    case FileStatus::kSharingViolation:
    case FileStatus::kLockViolation:
      return "The file\n\t'" + file + "'\nis in use by another application";
    case FileStatus::kBadMagic:
    case FileStatus::kTooShort:
      return "The file\n\t'" + file + "'\nis not in an ACV file format";
    default:
      return "There was an error opening or reading the file\n\t'" + file + "'";
  }
}

constexpr std::string_view kSaveFileError = "Save File Error";

// A file that could not be written, and why in a user's words.
std::string WriteFailureText(FileStatus code, const std::string& file) {
  return "The file\n\t'" + file + "'\ncould not be written because " + FileStatusReason(code) + ".";
}

struct MessageRow {
  MessageId id;
  std::string_view caption;
  std::string_view text;
  MessageIcon icon = MessageIcon::kStop;
};

// In the order of MessageId.
constexpr MessageRow kMessages[] = {
    {MessageId::kNamesMandatory, caption::kMandatoryField, text::kNamesMandatory},
    {MessageId::kBirthDateMandatory, caption::kMandatoryField, text::kBirthDateMandatory},
    {MessageId::kBirthDateIncorrect, caption::kIncorrectDate, text::kBirthDateIncorrect},
    {MessageId::kUnder18, caption::kIncorrectDate, text::kUnder18},
    {MessageId::kAgeOutOfRange, caption::kIncorrectDate,
     "The age of the person must be between 18 and 99"},
    {MessageId::kCompletionMandatory, caption::kMandatoryField,
     "'Date Of Completion' is mandatory."},
    {MessageId::kCompletionIncorrect, caption::kIncorrectDate,
     "The 'Date Of Completion' is not correct.\n\nThe date must have a valid day for the "
     "month,\nand have a four digit year greater than 1900."},
    {MessageId::kCompletionOutOfRange, caption::kIncorrectDate,
     "The date of completion cannot be a future date\nand cannot be more than two years ago"},
    {MessageId::kUnder18AtCompletion, caption::kIncorrectDate,
     "The person must be aged 18 or more at the date of completion"},
    {MessageId::kNoFileName, caption::kIncorrectFileName, text::kNoFileName},
    {MessageId::kFileNameWithExtension, caption::kIncorrectFileName, text::kFileNameWithExtension},
    {MessageId::kSelectReportType, "Select Report Type",
     "You must select either:\n\n\tACV Self-report; or\n\n\tACV Observer-report"},
    {MessageId::kObserverNameMandatory, caption::kMandatoryField,
     "The observer name is mandatory for the 'ACV Observer-report'."},
    {MessageId::kIncorrectValue, "Incorrect Value",
     "You must enter a value between 0 and 5, or leave blank"},
    {MessageId::kReplaceChosen, "Replace Existing Record",
     "The checkbox indicates to replace the existing record\nso you cannot change the "
     "filename.\n\nIf you wish to save the record to a new location\nthen please uncheck the "
     "checkbox."},
    {MessageId::kNoEditsMade, "No Edits Made",
     "You have not made any edits.\n\nIf you replace the existing record you will simply "
     "update the date and time of the last save.\n\nIf you create a new record it will be a "
     "copy of the existing record except for a new date and time saved.\n\n\nDo you wish to "
     "proceed with saving the record?",
     MessageIcon::kNone},
    {MessageId::kCancelSelected, "Cancel Selected",
     "You have selected to Cancel.\n\nAre you sure you wish to cancel and lose all data you "
     "have entered?",
     MessageIcon::kNone},
    {MessageId::kNoMatch, caption::kNoMatch, text::kNoMatch},
    {MessageId::kReadOnly, caption::kReadOnly, text::kReadOnly, MessageIcon::kInformation},
    {MessageId::kNoSelection, caption::kNoSelection, text::kNoSelection},
    {MessageId::kTooManySelections, caption::kTooManySelections, text::kTooManySelections},
    {MessageId::kTwoSelf, caption::kTwoSelf, text::kTwoSelf},
    {MessageId::kTwoObserver, caption::kTwoObserver, text::kTwoObserver},
    {MessageId::kChangedCriteria, caption::kChangedCriteria, text::kChangedCriteria,
     MessageIcon::kNone},
    {MessageId::kReadError, caption::kReadError, text::kReadError},
    {MessageId::kNoAnalysisSelection, "No Analysis Selection",
     "There is no selection for the analysis to occur"},
    {MessageId::kWebSiteNotOpened, "",
     "The web site could not be opened in a browser.\n\nIts address is ",
     MessageIcon::kExclamation},
    {MessageId::kWrongPassword, caption::kWrongPassword, text::kWrongPassword},
    {MessageId::kExportNameChanged, caption::kExportFileName, text::kExportNameChanged,
     MessageIcon::kInformation},
    {MessageId::kDataPrivacy, caption::kDataPrivacy, text::kDataPrivacy},
    {MessageId::kFileExists, caption::kFileExists, text::kFileExists, MessageIcon::kNone},
    {MessageId::kSettingsRefused, "Settings Not Read",
     "The settings file\n\t'\x1f'\nis not a plain text file of a settings file's size, so it "
     "was not read.\n\nThe program goes on with its usual settings.",
     MessageIcon::kExclamation},
    {MessageId::kTypingsAgree, "Both Typings Agree",
     "The second typing agrees with the first in every response and in the date of birth.\n\n"
     "The record will be saved as verified by double entry.",
     MessageIcon::kInformation},
    {MessageId::kDoubleEntryRequired, "Double Entry Required",
     "The settings of this computer require every paper copy to be verified by a second "
     "typing\nbefore it is saved.\n\nPlease go back to the page of the responses and tick "
     "'Verify by typing the responses again'.",
     MessageIcon::kStop},
    {MessageId::kDropSecondTyping, "Leave the Second Typing?",
     "Going back to the responses drops the second typing done so far; it will have to be "
     "typed again from the start.\n\nDo you want to go back?",
     MessageIcon::kExclamation},
    {MessageId::kEditDropsVerification, "Verified Record Changed",
     "This record was verified by double entry, and this edit changes some of its answers.\n\n"
     "Unless the changed answers are typed again and checked against the paper, the record "
     "will be saved without its mark of verification.\n\nDo you want to type the changed "
     "answers again now?",
     MessageIcon::kExclamation},
    {MessageId::kEditDropsVerificationOnScreen, "Verified Record Changed",
     "This record was verified by double entry, and this edit changes some of its answers.\n\n"
     "Answers changed on these pages are not typed again, so the record will be saved without "
     "its mark of verification.  An edit in the paper layout can verify the changed answers "
     "instead.\n\nDo you want to save the record without the mark?",
     MessageIcon::kExclamation},
    {MessageId::kBrowseNotCvr, caption::kIncorrectFileName, text::kBrowseNotCvr},
    {MessageId::kBrowseNotCsv, caption::kIncorrectFileName, text::kBrowseNotCsv},
    {MessageId::kBrowseNotRtf, caption::kIncorrectFileName,
     "You must enter an RTF filename (*.rtf).  For example:  c:/analysis_files/jane_smith.rtf"},
    {MessageId::kFolderMissing, caption::kIncorrectFileName,
     "The folder\n\n\x1f\n\ndoes not exist.  Please choose a folder that exists, or make the "
     "folder first."},
    {MessageId::kRtfPrivacy, caption::kDataPrivacy,
     "To proceed with the save, you must check the box indicating\nthat you accept "
     "responsibility for the privacy of the data."},
    {MessageId::kRtfNoName, "File Name Error",
     "You must specify a file name.\n\nYou may like to use the 'Browse ...' button."},
    {MessageId::kRtfBadName, "File Name Error",
     "You must specify a valid file name.\n\nYou may like to use the 'Browse ...' button."},
    {MessageId::kRtfSaved, "Save Successful",
     "The Rich Text Format file \n\n    \x1f.rtf\n\nhas been saved", MessageIcon::kInformation},
    {MessageId::kPrintFailedBecause, "Print Has Failed",
     "The report could not be printed on \x1f: \x1f."},
    {MessageId::kPrintFailed, "Print Has Failed", "The report could not be printed on \x1f."},
    {MessageId::kExportPasswordRefused, "Export Password File Refused", "\x1f"},
    {MessageId::kNoExportPassword, "Export Password Not Set",
     "No export password has been set on this computer.\n\nAn administrator must set one "
     "before a file can be exported,\nwith the command\n\n\tsudo acv set-export-password 1"},
    {MessageId::kExportOk, caption::kExportOk,
     "The ACV file \n\n\t\x1f.cvr\n\nwas exported to\n\n\t\x1f.csv"},
    {MessageId::kExportPartial, caption::kExportProblem,
     "The ACV file \n\t\x1f.cvr\n\nwas partially exported to\n\t\x1f.csv\n\nNumber of "
     "Records:\t\x1f\nRecords Written:\t\x1f\nCould Not Read:\t\x1f\nCould Not "
     "Import:\t\x1f\nCould Not Write:\t\x1f"},
    {MessageId::kFhirPrivacy, caption::kDataPrivacy,
     "The FHIR file (*.json) holds this person's details, answers and report as plain text "
     "that other programs can read, unlike an Adult Corvantis file (*.cvr).\n\nDo you accept "
     "responsibility for data privacy of the export file?",
     MessageIcon::kNone},
    {MessageId::kFhirNotWritten, caption::kSaveFailed,
     "The FHIR file\n\x1f\ncould not be written: \x1f."},
    {MessageId::kFhirSaved, caption::kSaveSucceeded,
     "The analysis was saved as a FHIR R4 Bundle in\n\x1f", MessageIcon::kInformation},
    {MessageId::kTakeOutNotNoted, "Not Recorded in the History",
     "The history beside\n\x1f\ncould not be written (the folder or the history may be "
     "read-only), so this is not recorded in it. Everything else went ahead.",
     MessageIcon::kInformation},
    {MessageId::kTakeOutNotRecorded, "",
     "note: the history beside \x1f could not be written (the folder or the history may be "
     "read-only), so this is not recorded in it; everything else went ahead"},
    {MessageId::kNotAnIndex, "",
     "'\x1f' is not a record index: an index is a record's place in the file, 0 for the first "
     "record up to \x1f, as acv list prints it"},
    {MessageId::kCommandNeeded, "", "a command is required (acv --help lists them)"},
    {MessageId::kOutputNotWritten, "", "the output could not be written: \x1f"},
    {MessageId::kChooseReports, "", "give --self INDEX, --observer INDEX or both"},
    {MessageId::kRecordNotRead, caption::kReadError,
     "record \x1f: There was an error trying to read the records you have selected."},
    {MessageId::kNotOfItsType, "", "warning: record \x1f is not \x1f"},
    {MessageId::kNeitherType, "",
     "warning: record \x1f is neither a Self-report nor an Observer-report"},
    {MessageId::kHoldsNoRecords, "",
     "\x1f holds no records: it is empty, holds a header alone, or is too short to be "
     "a response file"},
    {MessageId::kSalvageNoRecords, "",
     "\x1f holds no records: it is empty, holds a header alone, or is too short to be "
     "a response file; nothing was made"},
    {MessageId::kDamageRead, caption::kReadError, "\x1f"},
    {MessageId::kRecordFailsChecksum, caption::kReadError, "record \x1f fails its checksum"},
    {MessageId::kRecordBeyondEnd, caption::kReadError, "record \x1f is beyond the file's end"},
    {MessageId::kAlreadyExistsForce, "", "\x1f already exists; pass --force to replace it"},
    {MessageId::kDemoExists, "", "\x1f already exists (use --force to replace it)"},
    {MessageId::kSalvageTargetExists, "", "\x1f already exists; name a new file"},
    {MessageId::kSalvageLeftOut, "", "left out \x1f"},
    {MessageId::kSalvageTookIn, "", "took in \x1f"},
    {MessageId::kSalvageUnreadable, "", "cannot read \x1f: \x1f; nothing was made"},
    {MessageId::kImportUnreadable, "", "cannot read \x1f: \x1f; nothing was imported"},
    {MessageId::kImportTooLarge, "",
     "\x1f is larger than an export of a full response file; nothing was imported"},
    {MessageId::kImportRefused, "", "\x1f \x1f; nothing was imported"},
    {MessageId::kImportWarning, "", "\x1f line \x1f: warning: \x1f"},
    {MessageId::kImportUnverifiedRefused, "",
     "\x1f holds \x1f paper records not verified by double entry, which the settings "
     "of this computer require; nothing was imported (--unverified takes them as they "
     "are)"},
    {MessageId::kImportUnverifiedTaken, "",
     "warning: \x1f paper records are imported unverified, as --unverified asked"},
    {MessageId::kDraftsNotRead, "", "the drafts in \x1f are not read, because \x1f"},
    {MessageId::kDraftSetAside, "", "\x1f.draft is \x1f; \x1f"},
    {MessageId::kDraftNotRemoved, "", "the draft \x1f could not be removed"},
    {MessageId::kNoSuchDraft, "", "no draft \x1f that no running program holds"},
    {MessageId::kPasswordAtTerminal, "",
     "type the password at a terminal, or pass it on standard input with "
     "--password-stdin"},
    {MessageId::kNoPasswordGiven, "", "no password was given; nothing was changed"},
    {MessageId::kPasswordsDiffer, "", "the two passwords differ; nothing was changed"},
    {MessageId::kPasswordsAdministratorOnly, "",
     "only an administrator may write \x1f; run this command as one (for example with sudo)"},
    {MessageId::kPasswordsNotWritten, "", "could not write \x1f because \x1f; nothing was changed"},
    {MessageId::kReportFileNeeded, "", "give the file to write, e.g. --pdf OUT.pdf"},
    {MessageId::kReportNotWritten, "", "cannot write \x1f: \x1f"},
    {MessageId::kNoReport, "", "the chosen records have no last name, so there is no report"},
    {MessageId::kFhirAllTakesEvery, "",
     "--all takes every record; leave out --self and --observer"},
    {MessageId::kFhirFileUnreadable, "", "\x1f: \x1f"},
    {MessageId::kFhirRecordLeftOut, "", "record \x1f cannot be read and is left out"},
    {MessageId::kFhirNoOne, "",
     "the chosen records have no last name, so there is no one to export"},
    {MessageId::kImportTooManyForRoom, "",
     "holds \x1f records; the response file has room for \x1f"},
    {MessageId::kPdfNotDrawn, "", "cannot draw the printed report: \x1f"},
    {MessageId::kUnknownOption, "", "unknown option '\x1f' (\x1f --help lists what it takes)"},
    {MessageId::kUnknownCommand, "", "unknown command '\x1f' (\x1f --help lists what it takes)"},
    {MessageId::kUnexpectedArgument, "",
     "unexpected argument '\x1f' (\x1f --help lists what it takes)"},
    {MessageId::kWrittenElsewhere, "", "\x1f"},
    {MessageId::kBeyondCommitMark, "",
     "record \x1f is beyond commit mark: acv salvage takes it into a new file"},
    {MessageId::kResponsesLength, "",
     "RESPONSES must hold exactly \x1f characters, one per item; it holds \x1f"},
    {MessageId::kResponsesCharacter, "",
     "RESPONSES character \x1f is '\x1f': use 0-5 for a rating, or '.', '7' or a blank for no "
     "response"},
    {MessageId::kNoSuchVersion, "", "record \x1f has \x1f versions, not \x1f"},
    {MessageId::kVersionChanged, "",
     "version \x1f of record \x1f was changed after the history kept it (it no longer matches "
     "the hash its entry holds): it is not shown"},
    {MessageId::kVersionFailsChecksum, "", "version \x1f fails its checksum"},
};

constexpr bool InIdOrder() {
  int expected = 0;
  for (const MessageRow& row : kMessages) {
    if (static_cast<int>(row.id) != expected++) {
      return false;
    }
  }
  return true;
}
static_assert(InIdOrder() && std::size(kMessages) == static_cast<std::size_t>(MessageId::kCount),
              "kMessages must list every MessageId in order");

}  // namespace

UserMessage Message(MessageId id, std::initializer_list<std::string_view> names) {
  const MessageRow& row = kMessages[static_cast<std::size_t>(id)];
  UserMessage message{row.caption, std::string(row.text), row.icon};
  std::size_t at = 0;
  for (const std::string_view name : names) {
    at = message.text.find(kNameMark, at);
    if (at == std::string::npos) {
      break;
    }
    message.text.replace(at, kNameMark.size(), name);
    at += name.size();
  }
  return message;
}

UserMessage BirthDateMessage(BirthDateCheck check) {
  UserMessage message =
      Message(check == BirthDateCheck::kEmpty     ? MessageId::kBirthDateMandatory
              : check == BirthDateCheck::kUnder18 ? MessageId::kUnder18
                                                  : MessageId::kBirthDateIncorrect);
  // A search names every refused date of birth an incorrect date, an empty one too.
  message.caption = caption::kIncorrectDate;
  return message;
}

UserMessage DetailsMessage(DetailsCheck check) {
  // Indexed by DetailsCheck: both names share one message.
  static constexpr MessageId kDetailsMessages[] = {
      MessageId::kNamesMandatory,       MessageId::kNamesMandatory,
      MessageId::kNamesMandatory,       MessageId::kBirthDateMandatory,
      MessageId::kBirthDateIncorrect,   MessageId::kAgeOutOfRange,
      MessageId::kCompletionMandatory,  MessageId::kCompletionIncorrect,
      MessageId::kCompletionOutOfRange, MessageId::kUnder18AtCompletion};
  static_assert(std::size(kDetailsMessages) ==
                static_cast<std::size_t>(DetailsCheck::kUnder18AtCompletion) + 1);
  return Message(kDetailsMessages[static_cast<std::size_t>(check)]);
}

UserMessage FileNameMessage(FileNameCheck check) {
  return Message(check == FileNameCheck::kEmpty ? MessageId::kNoFileName
                                                : MessageId::kFileNameWithExtension);
}

UserMessage AcvFileOpenMessage(FileStatus code, const std::string& name) {
  return {caption::kAcvFileError, ExportOpenText(code, "The file", name + ".cvr")};
}

UserMessage ExportFileOpenMessage(FileStatus code, const std::string& name) {
  return {caption::kExportFileError, ExportOpenText(code, "The path to file", name + ".csv")};
}

UserMessage ExportFileWriteMessage(FileStatus code, const std::string& name) {
  return {caption::kExportFileError,
          WriteFailureText(code, name + ".csv") + "\n\nNothing was exported."};
}

UserMessage RtfSaveFailureMessage(FileStatus code, const std::string& name) {
  if (code == FileStatus::kDiskFull || code == FileStatus::kDirectoryFull) {
    return RtfWriteFailureMessage(code, name);  // whether at the open or later, in those words
  }
  return {kSaveFileError, ExportOpenText(code, "The path to file", name + ".rtf")};
}

UserMessage RtfWriteFailureMessage(FileStatus code, const std::string& name) {
  return {kSaveFileError,
          WriteFailureText(code, name + ".rtf") + "\n\nNo part of the report was saved."};
}

UserMessage CorruptRecordsMessage(unsigned count) {
  char text[256];
  std::snprintf(text, sizeof text,
                "Unfortunately %u records failed to load from the file,\nindicating some file "
                "corruption.\n\nPlease contact your system administrator for assistance.",
                count);
  return {caption::kPartialCorruption, text};
}

UserMessage SaveFailureMessage(FileStatus code) {
  for (const SaveFailure& failure : kSaveFailures) {
    if (failure.code == code) {
      return {failure.caption, std::string(failure.text)};
    }
  }
  return {caption::kSaveFailed, std::string(kSaveFailureOther)};
}

UserMessage SaveSuccessMessage(const ResponseRecord& record, const std::string& fullFileName) {
  std::string text = "The save has been successful.  The responses for\n\n\tFirst Name:\t";
  text += record.Text(TextField::kFirstName);
  text += "\n\tLast Name:\t";
  text += record.Text(TextField::kLastName);
  text += "\n\tDate of Birth:\t" + DayMonthYear(record);
  text += "\n\nhave been saved in the file\n\n\t" + fullFileName;
  return {caption::kSaveSucceeded, text};
}

UserMessage SelectionOpenMessage(FileStatus code, const std::string& name) {
  if (code == FileStatus::kNotRegularFile) {
    return {"File Access Error", "'" + name + ".cvr' is a folder, device or pipe, not a file."};
  }
  if (Code(code) <= Code(FileStatus::kBadMagic)) {
    return {caption::kPartialCorruption,
            "There was a read error or file validation error,\nindicating some file "
            "corruption.\n\nPlease contact your system administrator for assistance."};
  }
  switch (code) {
    case FileStatus::kNotFound:
    case FileStatus::kBadPath:
      return {"File Not Found", "The file '" + name + ".cvr' was not found."};
    case FileStatus::kAccessDenied:
      return {"File Access Error",
              "The file\n\t'" + name +
                  ".cvr'\n is not available for edit access.\n\nPlease contact your system "
                  "administrator for assistance."};
    case FileStatus::kSharingViolation:
    case FileStatus::kLockViolation:
      return {"File In Use", "The file '" + name + ".cvr' is locked by another application."};
    default:
      return {"File Access Error", "There was an error attempting to open the file\n'" + name +
                                       ".cvr'\n\nPlease contact your system administrator for "
                                       "assistance."};
  }
}

}  // namespace acv

namespace acv {

UserMessage OpenedFileMessage(FileStatus code, const std::string& path) {
  constexpr std::string_view kNamed = "\x1f.cvr";
  UserMessage message = SelectionOpenMessage(code, "\x1f");
  for (std::size_t at = message.text.find(kNamed); at != std::string::npos;
       at = message.text.find(kNamed, at + path.size())) {
    message.text.replace(at, kNamed.size(), path);
  }
  return message;
}

std::string FileStatusReason(FileStatus code) {
  switch (code) {
    case FileStatus::kDiskFull:
    case FileStatus::kDirectoryFull:
      return "the disk is full";
    case FileStatus::kAccessDenied:
      return "the folder cannot be written to";
    case FileStatus::kNotFound:
    case FileStatus::kBadPath:
      return "the folder does not exist";
    case FileStatus::kSharingViolation:
    case FileStatus::kLockViolation:
      return "the file is in use by another program";
    case FileStatus::kNotPrivate:
      return "it is not a private folder of this user (it is a link, or another user's folder)";
    case FileStatus::kNotRegularFile:
      return "the name is that of a folder, device, pipe or socket, not of a file";
    case FileStatus::kHardIo:
      return "the disk could not be read or written (an input/output error)";
    case FileStatus::kTooManyOpen:
      return "too many files are open";
    default:
      return "the file system reported an unexpected error (code " + std::to_string(Code(code)) +
             ")";
  }
}

}  // namespace acv
