// storage/csv/: the CSV export and import, the formula guard, and the export passwords.
//
// Exporting a response file to comma-separated text: one header line of 220 columns and one
// line per record, no quoting, lines ending in CR LF.
#pragma once

#include "storage/text/messages.h"

#include <algorithm>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/response_record.h"
#include "storage/format/file_status.h"
#include "storage/format/format.h"

namespace acv {

inline constexpr int kCsvColumnCount = 220;
inline constexpr std::string_view kCsvSuffix = ".csv";

// The columns of a record line, shared by the export and the import.
namespace csv {
inline constexpr std::string_view kVersion = kVersionText;
inline constexpr std::string_view kPaper = "Paper";
inline constexpr std::string_view kOnScreen = "On-Screen";
inline constexpr std::string_view kObserver = "Observer";
inline constexpr std::string_view kSelf = "Self";

inline constexpr int kVersionColumn = 0;
inline constexpr int kEntryColumn = 1;
inline constexpr int kDetailsColumn = 2;  // the ten respondent details, in this order:
inline constexpr TextField kDetailFields[] = {
    TextField::kFirstName, TextField::kLastName, TextField::kStreetAddress, TextField::kTown,
    TextField::kState,     TextField::kPostcode, TextField::kCountry,       TextField::kPhone,
    TextField::kPhone2,    TextField::kEmail};
inline constexpr int kGenderColumn = 12;
inline constexpr int kBirthColumn = 13;       // year, month, day
inline constexpr int kCompletionColumn = 16;  // year, month, day
inline constexpr int kSavedColumn = 19;       // year, month, day, hour, minute, second
inline constexpr int kReporterColumn = 25;
inline constexpr int kObserverColumn = 26;  // the observer's details and the comments:
inline constexpr TextField kObserverFields[] = {TextField::kObserverName,
                                                TextField::kObserverRelationship,
                                                TextField::kObserverContact, TextField::kComments};
inline constexpr int kFirstItemColumn = 30;  // items 1 to 190

// Digits per column of a date (year, month, day) and of a time-stamp.
inline constexpr int kDateParts[] = {4, 2, 2};
inline constexpr int kStampParts[] = {4, 2, 2, 2, 2, 2};
}  // namespace csv

// Line 1 of every export, without its line end.
const std::string& CsvHeaderLine();

// Whether a cleaned text cell gets a guard backquote in front: when it starts with '=', '+',
// '-' or '@' (a spreadsheet would run it as a formula), or with a backquote before one of those
// (so that the import, which takes exactly one guard off, gives the text back).
inline bool NeedsFormulaGuard(std::string_view cell) {
  while (cell.starts_with('`')) {
    cell.remove_prefix(1);
  }
  // Some spreadsheets skip a leading blank, tab or line break (a blank here once it is cleaned)
  // and still read the formula after it.
  cell.remove_prefix(std::min(cell.find_first_not_of(" \t\r\n"), cell.size()));
  return !cell.empty() && (cell[0] == '=' || cell[0] == '+' || cell[0] == '-' || cell[0] == '@');
}

// A text cell: line feeds, carriage returns and commas become blanks, double quotes and
// apostrophes become backquotes, and a guard backquote goes in front where NeedsFormulaGuard
// says so.
std::string CleanCsvText(std::string_view text);

// The record's line, without its line end.
std::string CsvRecordLine(const ResponseRecord& record);

// What one export did.
struct ExportCounts {
  unsigned records = 0;         // in the response file
  unsigned written = 0;         // lines written to the export file
  unsigned couldNotRead = 0;    // records that could not be read from the response file
  unsigned couldNotImport = 0;  // records that failed their checksum
  unsigned couldNotWrite = 0;   // lines that could not be written
};

enum class ExportResult {
  kDone,           // the counts say how much was exported
  kAcvOpenError,   // the response file could not be opened; `code` says why
  kCsvOpenError,   // the export file could not be opened; `code` says why
  kCsvWriteError,  // the export file could not be written whole, and was not made; `code` says why
  kDeclined,       // the export file exists and the user chose not to replace it
};

struct ExportOutcome {
  ExportResult result = ExportResult::kDone;
  FileStatus code = FileStatus::kOk;
  ExportCounts counts;
  // Whether the history beside the response file notes the records exported (kTakeOutNotRecorded
  // when not); an export that wrote nothing needs no note.
  bool recorded = true;
};

// Exports `acvName` + ".cvr" to `csvName` + ".csv". The export file is made only when the first
// good record is about to be written; when it exists already, `replaceExisting` is asked once
// and a "no" ends the export with nothing written. A replaced file is swapped for the new one
// only when the export has written everything it could, so a failed export leaves it as it was.
// A finished export is noted in the history beside the response file, with the records written.
ExportOutcome ExportResponseFile(const std::string& acvName, const std::string& csvName,
                                 const std::function<bool()>& replaceExisting);

// The name part of a path: what follows its last '/' or '\'.
std::string_view FileNamePart(std::string_view path);
// The export name offered when the response file's name changes: the folder of the current
// export name (up to its last separator) followed by the name part of the new response file.
std::string DefaultExportName(std::string_view currentExportName, std::string_view acvName);

// "Export OK" when every record was written, otherwise the "Export File Problem" summary.
UserMessage ExportSummaryMessage(const std::string& acvName, const std::string& csvName,
                                 const ExportCounts& counts);

}  // namespace acv
