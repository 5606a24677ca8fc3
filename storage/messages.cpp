#include "storage/messages.h"

#include <cstdio>

#include "storage/csv_export.h"
#include "storage/file_status.h"

namespace acv {
namespace {

struct SaveFailure {
  int code;
  std::string_view text;
};

constexpr std::string_view kNotResponseFile =
    "The file is not in the correct format for an Adult Corvantis file.";

constexpr SaveFailure kSaveFailures[] = {
    {kFileBadMagic, kNotResponseFile},
    {kFileTooShort, kNotResponseFile},
    {kFileBadLength, kNotResponseFile},
    {kFileHeaderUnreadable,
     "An error occurred while accessing the file.\nPlease contact your system administrator."},
    {kFileFull,
     "The file has reached its maximum number of records.\nPlease use another file or create a "
     "new file."},
    {kFileBadPath, "The path for the file is not correct."},
    {kFileAccessDenied,
     "Write access to the file has been denied.\nPlease contact your system administrator."},
    {kFileDirectoryFull,
     "The directory (folder) is full.\nPlease save the record in another directory of contact "
     "your system administrator."},
    {kFileSharingViolation, "The file is currently is use by someone else."},
    {kFileLockViolation, "The file is currently is use by someone else."},
    {kFileDiskFull, "The disk is full.\nPlease contact your system administrator."},
};

constexpr std::string_view kSaveFailureOther =
    "An error has occurred while writing the details to disk.\nPlease contact your system "
    "administrator.";

std::string DayMonthYear(const ResponseRecord& record) {
  const CalendarDate date = record.BirthDate().value_or(CalendarDate{});
  char text[32];
  std::snprintf(text, sizeof text, "%02u/%02u/%04u", static_cast<unsigned>(date.day),
                static_cast<unsigned>(date.month), static_cast<unsigned>(date.year));
  return text;
}

// The export's open-failure texts: `lead` opens the not-found text, `file` is the quoted name
// with its extension.
std::string ExportOpenText(int code, std::string_view lead, const std::string& file) {
  switch (code) {
    case kFileNotFound:
    case kFileBadPath:
      return std::string(lead) + "\n\t'" + file + "'\nwas not found";
    case kFileAccessDenied:
      return "You do not have access to the file\n\t'" + file + "'";
    case kFileSharingViolation:
    case kFileLockViolation:
      return "The file\n\t'" + file + "'\nis in use by another application";
    case kFileBadMagic:
    case kFileTooShort:
      return "The file\n\t'" + file + "'\nis not in an ACV file format";
    default:
      return "There was an error opening or reading the file\n\t'" + file + "'";
  }
}

}  // namespace

UserMessage AcvFileOpenMessage(int code, const std::string& name) {
  return {caption::kAcvFileError, ExportOpenText(code, "The file", name + ".cvr")};
}

UserMessage ExportFileOpenMessage(int code, const std::string& name) {
  return {caption::kExportFileError, ExportOpenText(code, "The path to file", name + ".csv")};
}

UserMessage ExportSummaryMessage(const std::string& acvName, const std::string& csvName,
                                 const ExportCounts& counts) {
  if (counts.written == counts.records) {
    return {caption::kExportOk,
            "The ACV file \n\n\t" + acvName + ".cvr\n\nwas exported to\n\n\t" + csvName + ".csv"};
  }
  std::string text = "The ACV file \n\t" + acvName + ".cvr\n\nwas partially exported to\n\t" +
                     csvName + ".csv\n\n";
  char numbers[256];
  std::snprintf(numbers, sizeof numbers,
                "Number of Records:\t%5u\nRecords Written:\t%5u\nCould Not Read:\t%5u\nCould Not "
                "Import:\t%5u\nCould Not Write:\t%5u",
                counts.records, counts.written, counts.couldNotRead, counts.couldNotImport,
                counts.couldNotWrite);
  return {caption::kExportProblem, text + numbers};
}

UserMessage CorruptRecordsMessage(unsigned count) {
  char text[256];
  std::snprintf(text, sizeof text,
                "Unfortunately %u records failed to load from the file,\nindicating some file "
                "corruption.\n\nPlease contact your system administrator for assistance.",
                count);
  return {caption::kPartialCorruption, text};
}

UserMessage SaveFailureMessage(int code) {
  for (const SaveFailure& failure : kSaveFailures) {
    if (failure.code == code) {
      return {caption::kSaveFailed, std::string(failure.text)};
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

UserMessage SelectionOpenMessage(int code, const std::string& name) {
  if (code <= kFileBadMagic) {
    return {caption::kPartialCorruption,
            "There was a read error or file validation error,\nindicating some file "
            "corruption.\n\nPlease contact your system administrator for assistance."};
  }
  switch (code) {
    case kFileNotFound:
    case kFileBadPath:
      return {"File Not Found", "The file '" + name + ".cvr' was not found."};
    case kFileAccessDenied:
      return {"File Access Error",
              "The file\n\t'" + name +
                  ".cvr'\n is not available for edit access.\n\nPlease contact your system "
                  "administrator for assistance."};
    case kFileSharingViolation:
    case kFileLockViolation:
      return {"File In Use", "The file '" + name + ".cvr' is locked by another application."};
    default:
      return {"File Access Error", "There was an error attempting to open the file\n'" + name +
                                       ".cvr'\n\nPlease contact your system administrator for "
                                       "assistance."};
  }
}

}  // namespace acv
