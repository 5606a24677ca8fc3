#include "storage/text/messages.h"

#include <cstdio>
#include <ctime>

#include "engine/dates.h"
#include "storage/format/file_status.h"

namespace acv {
namespace {

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
static_assert(InIdOrder(), "kMessages must list every MessageId in order");

}  // namespace

UserMessage Message(MessageId id) {
  const MessageRow& row = kMessages[static_cast<std::size_t>(id)];
  return {row.caption, std::string(row.text), row.icon};
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
