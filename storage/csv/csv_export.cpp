#include "storage/csv/csv_export.h"

#include <cstdio>

#include <span>

#include "storage/format/file_status.h"
#include "storage/format/record_image.h"
#include "storage/format/response_file.h"
#include "storage/format/whole_file_writer.h"
#include "storage/history/data_taken_out.h"

namespace acv {
namespace {

constexpr std::string_view kNamedColumns =
    "Version,Data Entry,First Name,Last Name,Street Address,Town/Suburb,State,Postcode,Country,"
    "Phone,Phone2,Email,Gender,Birth Year,Birth Month,Birth Day,Completion Year,Completion "
    "Month,Completion Day,Save Year,Save Month,Save Day,Save Hour,Save Minute,Save Second,"
    "Reporter,Observer Name,Observer Relationship,Observer Contact,Observer Comment,";

// A stored date or time-stamp as its digit columns; empty columns when it is not exactly as
// long as they need.
void AppendDigitColumns(std::string* line, std::string_view stored, std::span<const int> parts) {
  std::size_t total = 0;
  for (const int digits : parts) {
    total += static_cast<std::size_t>(digits);
  }
  std::size_t at = 0;
  for (const int digits : parts) {
    *line += ',';
    if (stored.size() == total) {
      *line += CleanCsvText(stored.substr(at, static_cast<std::size_t>(digits)));
    }
    at += static_cast<std::size_t>(digits);
  }
}

}  // namespace

const std::string& CsvHeaderLine() {
  static const std::string header = [] {
    std::string line(kNamedColumns);
    for (int item = 1; item <= kItemCount; ++item) {
      line += std::to_string(item);
      if (item < kItemCount) {
        line += ',';
      }
    }
    return line;
  }();
  return header;
}

std::string CleanCsvText(std::string_view text) {
  std::string cleaned;
  cleaned.reserve(text.size() + 1);
  for (const char c : text) {
    if (c == '\n' || c == '\r' || c == ',') {
      cleaned += ' ';
    } else if (c == '"' || c == '\'') {
      cleaned += '`';
    } else {
      cleaned += c;
    }
  }
  if (NeedsFormulaGuard(cleaned)) {
    cleaned.insert(cleaned.begin(), '`');
  }
  return cleaned;
}

std::string CsvRecordLine(const ResponseRecord& record) {
  std::string line(csv::kVersion);
  line += ',';
  line += record.EntryMethod() == kEnteredFromPaper ? csv::kPaper : csv::kOnScreen;
  for (const TextField field : csv::kDetailFields) {
    line += ',' + CleanCsvText(record.Text(field));
  }
  line += ',';
  const char gender = record.Gender();
  if (gender != '\0') {
    line += CleanCsvText(std::string_view(&gender, 1));
  }
  AppendDigitColumns(&line, record.Text(TextField::kBirthDate), csv::kDateParts);
  AppendDigitColumns(&line, record.Text(TextField::kCompletionDate), csv::kDateParts);
  AppendDigitColumns(&line, record.Text(TextField::kSavedStamp), csv::kStampParts);
  line += ',';
  line += record.ReportType() == kObserverReport ? csv::kObserver : csv::kSelf;
  for (const TextField field : csv::kObserverFields) {
    line += ',' + CleanCsvText(record.Text(field));
  }
  for (int item = 1; item <= kItemCount; ++item) {
    line += ',';
    if (const char response = record.GetResponseChar(item); response != ' ') {
      line += response;  // a blank is an empty cell
    }
  }
  return line;
}

ExportOutcome ExportResponseFile(const std::string& acvName, const std::string& csvName,
                                 const std::function<bool()>& replaceExisting) {
  ExportOutcome outcome;
  ExportCounts& counts = outcome.counts;
  ResponseFile source;
  if (const FileStatus opened =
          source.OpenForReading(acvName + std::string(kResponseFileSuffix), true);
      opened != FileStatus::kOk) {
    return {ExportResult::kAcvOpenError, opened, counts};
  }
  if (!source.hasCommitMark() && source.hasUnreadTail()) {
    // Not a whole number of records: not a response file this program can vouch for.
    return {ExportResult::kAcvOpenError, FileStatus::kBadLength, counts};
  }
  counts.records = static_cast<unsigned>(source.recordCount());
  WholeFileWriter target;
  FileStatus writeFailure = FileStatus::kOk;  // the first line that could not be written
  const auto write = [&](std::string_view line) {
    const FileStatus written = target.WriteLine(line);
    if (writeFailure == FileStatus::kOk) {
      writeFailure = written;
    }
    return written == FileStatus::kOk;
  };
  const std::string targetName = csvName + std::string(kCsvSuffix);
  StoredRecord bytes{};
  int index = 0;
  ResponseRecord record;  // one for every record in turn
  std::vector<int> exported;
  for (FileStatus read = source.ReadNext(&bytes, &index); read != FileStatus::kNoMoreRecords;
       read = source.ReadNext(&bytes, &index)) {
    if (read != FileStatus::kOk) {
      ++counts.couldNotRead;
      continue;
    }
    if (LoadImage(record, bytes.data()) != FileStatus::kOk) {
      ++counts.couldNotImport;
      continue;
    }
    if (!target.isOpen()) {
      FileStatus opened = target.Open(targetName, false);
      if (opened == FileStatus::kFileExists) {
        if (!replaceExisting()) {
          return {ExportResult::kDeclined, FileStatus::kOk, counts};
        }
        opened = target.Open(targetName, true);
      }
      if (opened != FileStatus::kOk) {
        return {ExportResult::kCsvOpenError, opened, counts};
      }
      write(CsvHeaderLine());
    }
    if (write(CsvRecordLine(record))) {
      ++counts.written;
      exported.push_back(index);
    } else {
      ++counts.couldNotWrite;
    }
  }
  // The parts of the file after the records read, and records its mark counts that a cut took,
  // were not exported either.
  for (const Damage& damage : source.tailDamage()) {
    const auto slots =
        static_cast<unsigned>(std::min<long long>(DamagedSlots(damage), kMaxRecords));
    counts.records += slots;
    counts.couldNotRead += slots;
  }
  source.Close();
  if (target.isOpen() && writeFailure == FileStatus::kOk) {
    writeFailure = target.Commit();
  }
  if (writeFailure != FileStatus::kOk) {
    // An export file missing lines is never left behind, nor put in place of an older one.
    target.Abandon();
    counts.couldNotWrite += counts.written;
    counts.written = 0;
    return {ExportResult::kCsvWriteError, writeFailure, counts};
  }
  if (!exported.empty()) {
    outcome.recorded = RecordDataTakenOut(acvName + std::string(kResponseFileSuffix),
                                          HistoryAction::kExportedCsv, exported);
  }
  return outcome;
}

std::string_view FileNamePart(std::string_view path) {
  const std::size_t separator = path.find_last_of("/\\");
  return separator == std::string_view::npos ? path : path.substr(separator + 1);
}

std::string DefaultExportName(std::string_view currentExportName, std::string_view acvName) {
  const std::size_t separator = currentExportName.find_last_of("/\\");
  std::string name(separator == std::string_view::npos
                       ? std::string_view()
                       : currentExportName.substr(0, separator + 1));
  name += FileNamePart(acvName);
  return name;
}

UserMessage ExportSummaryMessage(const std::string& acvName, const std::string& csvName,
                                 const ExportCounts& counts) {
  if (counts.written == counts.records) {
    return Message(MessageId::kExportOk, {acvName, csvName});
  }
  const auto count = [](unsigned value) {
    char text[16];
    std::snprintf(text, sizeof text, "%5u", value);
    return std::string(text);
  };
  return Message(
      MessageId::kExportPartial,
      {acvName, csvName, count(counts.records), count(counts.written), count(counts.couldNotRead),
       count(counts.couldNotImport), count(counts.couldNotWrite)});
}

}  // namespace acv
