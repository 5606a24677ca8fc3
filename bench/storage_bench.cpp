// Reading, indexing, searching and appending on a full response file, and the scrambler's
// blocks on their own. Every file benchmark works on one 657-record file made at start.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "storage/csv/csv_export.h"
#include "storage/fhir/fhir_files.h"
#include "storage/format/record_image.h"
#include "storage/format/record_scrambler.h"
#include "storage/format/response_file.h"
#include "storage/format/whole_file_writer.h"
#include "storage/history/history_file.h"
#include "storage/history/history_journal.h"
#include "storage/history/history_review.h"
#include "storage/records/file_check.h"
#include "storage/records/record_search.h"

namespace acv {
namespace {

constexpr std::array<const char*, 9> kFirstNames = {"Alex", "Sam",    "Robin", "Kim",  "Jo",
                                                    "Lee",  "Morgan", "Drew",  "Casey"};
constexpr std::array<const char*, 8> kLastNames = {"Morgan", "Smith", "Nguyen", "Okafor",
                                                   "Rossi",  "Bauer", "Silva",  "Kowalski"};

// Made-up person number `n`: names, date of birth, report type and responses all vary with it.
ResponseRecord MadeUpPerson(int n) {
  ResponseRecord record;
  record.SetReportType(n % 3 == 0 ? kObserverReport : kSelfReport);
  record.SetText(TextField::kFirstName, kFirstNames[n % kFirstNames.size()]);
  record.SetText(TextField::kLastName, kLastNames[n / kFirstNames.size() % kLastNames.size()]);
  char birth[16];
  std::snprintf(birth, sizeof birth, "%04d%02d%02d", 1940 + n % 60, 1 + n % 12, 1 + n % 28);
  record.SetText(TextField::kBirthDate, birth);
  record.SetText(TextField::kCompletionDate, "20070612");
  record.SetText(TextField::kStreetAddress, "12 Example Street");
  record.SetText(TextField::kComments, "Made-up record for timing");
  if (record.ReportType() == kObserverReport) {
    record.SetText(TextField::kObserverName, "Jo Observer");
  }
  for (int item = 1; item <= kItemCount; ++item) {
    record.SetResponse(item, (item * (n + 1) + n) % 7 - 1);
  }
  return record;
}

// The whole file in one read call, the floor for anything that loads it.
std::size_t RawRead(const std::string& name, std::string* buffer) {
  const int fd = open(name.c_str(), O_RDONLY | O_CLOEXEC);
  const ssize_t got = fd < 0 ? -1 : read(fd, buffer->data(), buffer->size());
  if (fd >= 0) {
    close(fd);
  }
  return got < 0 ? 0 : static_cast<std::size_t>(got);
}

// A full file of made-up people in a temporary folder removed at exit.
class FullFile {
 public:
  FullFile() {
    char pattern[] = "/tmp/acv-bench-XXXXXX";
    folder_ = mkdtemp(pattern);
    name_ = folder_ + "/full.cvr";
    std::vector<StoredRecord> records;
    for (int n = 0; n < kMaxRecords; ++n) {
      ResponseRecord record = MadeUpPerson(n);
      records.push_back(BuildImage(record, "20070612093000"));
    }
    int first = -1;
    if (ResponseFile::AppendRecords(name_, records, &first) != FileStatus::kOk) {
      std::fprintf(stderr, "storage bench: cannot write %s\n", name_.c_str());
      std::exit(1);
    }
    lastRecord_ = records.back();
  }
  ~FullFile() {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }

  const std::string& name() const { return name_; }
  const std::string& folder() const { return folder_; }
  const StoredRecord& lastRecord() const { return lastRecord_; }
  std::size_t size() const { return kFileHeaderSize + kRecordSize * kMaxRecords; }

 private:
  std::string folder_;
  std::string name_;
  StoredRecord lastRecord_{};
};

const FullFile& File() {
  static const FullFile file;
  return file;
}

void BM_RawRead(benchmark::State& state) {
  std::string buffer(File().size(), '\0');
  for (auto _ : state) {
    benchmark::DoNotOptimize(RawRead(File().name(), &buffer));
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * File().size()));
}
BENCHMARK(BM_RawRead);

// Mean time of one raw read of the whole file, over enough reads to be steady.
double RawReadSeconds() {
  std::string buffer(File().size(), '\0');
  constexpr int kWarmUp = 20;
  constexpr int kTimed = 500;
  for (int i = 0; i < kWarmUp; ++i) {
    benchmark::DoNotOptimize(RawRead(File().name(), &buffer));
  }
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < kTimed; ++i) {
    benchmark::DoNotOptimize(RawRead(File().name(), &buffer));
  }
  const std::chrono::duration<double> spent = std::chrono::steady_clock::now() - start;
  return spent.count() / kTimed;
}

// Sets ratio_to_raw_read: the mean wall-clock time of one iteration, `spent` over all of them,
// against the mean time of one raw read measured just before.
void ReportRatioToRawRead(benchmark::State& state, double rawSeconds,
                          std::chrono::duration<double> spent) {
  state.counters["ratio_to_raw_read"] =
      spent.count() / static_cast<double>(state.iterations()) / rawSeconds;
  state.counters["raw_read_us"] = rawSeconds * 1e6;
}

// Open, read, unscramble, checksum and index all 657 records.
void BM_LoadAllAndIndex(benchmark::State& state) {
  const double rawSeconds = RawReadSeconds();
  RecordIndex index;
  const auto start = std::chrono::steady_clock::now();
  for (auto _ : state) {
    if (BuildRecordIndex(File().name(), true, &index) != FileStatus::kOk) {
      state.SkipWithError("the file could not be read");
      return;
    }
    benchmark::DoNotOptimize(index.entries.data());
  }
  const std::chrono::duration<double> spent = std::chrono::steady_clock::now() - start;
  if (index.entries.size() != static_cast<std::size_t>(kMaxRecords)) {
    state.SkipWithError("not every record loaded");
    return;
  }
  ReportRatioToRawRead(state, rawSeconds, spent);
}
BENCHMARK(BM_LoadAllAndIndex)->Unit(benchmark::kMicrosecond);

// The whole file exported to CSV, replacing the previous export each time.
void BM_ExportCsv(benchmark::State& state) {
  const double rawSeconds = RawReadSeconds();
  const std::string acvName = File().name().substr(0, File().name().size() - 4);
  const std::string csvName = File().folder() + "/export";
  ExportOutcome outcome;
  const auto start = std::chrono::steady_clock::now();
  for (auto _ : state) {
    outcome = ExportResponseFile(acvName, csvName, [] { return true; });
  }
  const std::chrono::duration<double> spent = std::chrono::steady_clock::now() - start;
  if (outcome.result != ExportResult::kDone ||
      outcome.counts.written != static_cast<unsigned>(kMaxRecords)) {
    state.SkipWithError("export did not write every record");
    return;
  }
  ReportRatioToRawRead(state, rawSeconds, spent);
}
BENCHMARK(BM_ExportCsv)->Unit(benchmark::kMicrosecond);

// Every record's QuestionnaireResponse as one FHIR collection Bundle, streamed to the file as
// acv fhir --all writes it; ratio_to_csv_export is its time over the CSV export of the same file in
// the same run (aim 3 or less).
void BM_ExportFhirResponses(benchmark::State& state) {
  const std::string acvName = File().name().substr(0, File().name().size() - 4);
  const std::string csvName = File().folder() + "/export";
  const auto csvStart = std::chrono::steady_clock::now();
  constexpr int kCsvRuns = 10;
  for (int i = 0; i < kCsvRuns; ++i) {
    benchmark::DoNotOptimize(ExportResponseFile(acvName, csvName, [] { return true; }));
  }
  const std::chrono::duration<double> csvSpent = std::chrono::steady_clock::now() - csvStart;
  int entries = 0;
  const auto start = std::chrono::steady_clock::now();
  for (auto _ : state) {
    WholeFileWriter writer;
    const auto write = [&writer](std::string_view text) {
      return writer.Write(text) == FileStatus::kOk;
    };
    fhir::FileResponses responses;
    if (writer.Open(File().folder() + "/bundle.json", true) != FileStatus::kOk ||
        (responses = fhir::WriteResponsesOfFile(File().name(), write)).sinkFailed ||
        writer.Commit() != FileStatus::kOk) {
      state.SkipWithError("the Bundle could not be written");
      return;
    }
    entries = static_cast<int>(responses.written.size());
  }
  const std::chrono::duration<double> spent = std::chrono::steady_clock::now() - start;
  if (entries != kMaxRecords) {
    state.SkipWithError("not every record was exported");
    return;
  }
  state.counters["ratio_to_csv_export"] =
      spent.count() / static_cast<double>(state.iterations()) / (csvSpent.count() / kCsvRuns);
}
BENCHMARK(BM_ExportFhirResponses)->Unit(benchmark::kMillisecond);

void BM_FindPerson(benchmark::State& state) {
  RecordIndex index;
  if (BuildRecordIndex(File().name(), true, &index) != FileStatus::kOk) {
    state.SkipWithError("the file could not be read");
    return;
  }
  const ResponseRecord wanted = MadeUpPerson(kMaxRecords / 2);
  const std::string birth = std::string(wanted.Text(TextField::kBirthDate));
  std::size_t found = 0;
  for (auto _ : state) {
    const std::vector<IndexEntry> entries = FindPerson(index, wanted.Text(TextField::kFirstName),
                                                       wanted.Text(TextField::kLastName), birth);
    found = entries.size();
    benchmark::DoNotOptimize(found);
  }
  if (found == 0) {
    state.SkipWithError("person not found");
  }
}
BENCHMARK(BM_FindPerson);

// The copy made before each timed append is put on disk first, so that the append's own sync
// writes back only what the append wrote.
void SyncFile(const std::string& name) {
  const int fd = open(name.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd >= 0) {
    fsync(fd);
    close(fd);
  }
}

// Appends the 657th record to a fresh copy of a 656-record file (copied untimed): without a
// history (0), and with its entry in the history (1), which began when the copied file was made.
void BM_AppendOne(benchmark::State& state) {
  const bool recorded = state.range(0) != 0;
  const std::string base = File().folder() + "/base.cvr";
  const std::string copy = File().folder() + "/append.cvr";
  std::vector<StoredRecord> records(kMaxRecords - 1, File().lastRecord());
  for (const std::string& name : {base, copy, HistoryNameFor(base), HistoryNameFor(copy)}) {
    std::filesystem::remove(name);
  }
  int index = -1;
  HistoryJournal begun(base, {HistoryAction::kImported});
  if (ResponseFile::AppendRecords(base, records, &index, recorded ? &begun : nullptr) !=
      FileStatus::kOk) {
    state.SkipWithError("cannot make the file");
  }
  constexpr auto kReplace = std::filesystem::copy_options::overwrite_existing;
  for (auto _ : state) {
    state.PauseTiming();
    std::filesystem::copy_file(base, copy, kReplace);
    SyncFile(copy);
    if (recorded) {
      std::filesystem::copy_file(HistoryNameFor(base), HistoryNameFor(copy), kReplace);
      SyncFile(HistoryNameFor(copy));
    }
    state.ResumeTiming();
    HistoryJournal journal(copy, {HistoryAction::kNewRecord});
    if (ResponseFile::WriteRecord(copy, File().lastRecord(), &index, -1,
                                  recorded ? &journal : nullptr) != FileStatus::kOk) {
      state.SkipWithError("append failed");
      break;
    }
  }
  for (const std::string& name : {base, copy, HistoryNameFor(base), HistoryNameFor(copy)}) {
    std::filesystem::remove(name);
  }
}
BENCHMARK(BM_AppendOne)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// A history of `entries` entries for the full file: its beginning, then rewrites of each record
// in turn with the bytes it holds, each keeping the record it replaced.
std::string MadeUpHistory(int entries) {
  std::vector<StoredRecord> records;
  ResponseFile reader;
  StoredRecord bytes{};
  int index = 0;
  if (reader.OpenForReading(File().name(), true) == FileStatus::kOk) {
    while (reader.ReadNext(&bytes, &index) == FileStatus::kOk) {
      records.push_back(bytes);
    }
  }
  std::string history(kHistoryTag);
  HistoryEntry entry;
  entry.action = HistoryAction::kHistoryBegun;
  for (const StoredRecord& record : records) {
    entry.records.push_back(RecordDigest(record));
  }
  for (int n = 0; n < entries; ++n) {
    Digest previous{};
    history += FrameEntry(EncodeEntry(entry), entry.earlier, &previous);
    const StoredRecord& record = records[static_cast<std::size_t>(n) % records.size()];
    entry = HistoryEntry();
    entry.previous = previous;
    entry.action = HistoryAction::kEditReplaced;
    entry.index = n % static_cast<int>(records.size());
    entry.before = entry.after = RecordDigest(record);
    entry.user = "clinician";
    entry.host = "clinic.example.org";
    entry.program = "acv 4.0.0";
    entry.reason = "Corrected from the paper copy";
    entry.fields = "lastName, savedStamp";
    entry.earlier = BytesOf(record);
  }
  return history;
}

// What acv check reads of a full file: its records indexed, as it did before files had a
// history (0), and the check of today, with a history of 2,000 entries walked beside it (1).
void BM_CheckFile(benchmark::State& state) {
  const bool withHistory = state.range(0) != 0;
  const std::string history = HistoryNameFor(File().name());
  if (withHistory) {
    std::FILE* out = std::fopen(history.c_str(), "wb");
    const std::string bytes = MadeUpHistory(2000);
    if (out == nullptr || std::fwrite(bytes.data(), 1, bytes.size(), out) != bytes.size()) {
      state.SkipWithError("cannot write the history");
    }
    if (out != nullptr) {
      std::fclose(out);
    }
  }
  for (auto _ : state) {
    if (!withHistory) {
      RecordIndex index;
      if (BuildRecordIndex(File().name(), true, &index) != FileStatus::kOk) {
        state.SkipWithError("check failed");
        break;
      }
      benchmark::DoNotOptimize(index.recordCount);
      continue;
    }
    const FileCheck check = CheckResponseFile(File().name());
    if (check.indexStatus != FileStatus::kOk || check.historyStatus != FileStatus::kOk ||
        !check.review.problems.empty()) {
      state.SkipWithError("check failed");
      break;
    }
    benchmark::DoNotOptimize(check.index.recordCount);
  }
  std::filesystem::remove(history);
}
BENCHMARK(BM_CheckFile)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

PlainBlock SampleBlock() {
  PlainBlock plain{};
  for (std::size_t i = 0; i < plain.size(); ++i) {
    plain[i] = static_cast<std::uint8_t>(i * 37 + 11);
  }
  return plain;
}

void BM_ScrambleBlock(benchmark::State& state) {
  RecordScrambler scrambler(7);
  const PlainBlock plain = SampleBlock();
  StoredBlock stored{};
  for (auto _ : state) {
    scrambler.ScrambleBlock(plain, &stored);
    benchmark::DoNotOptimize(stored.data());
  }
}
BENCHMARK(BM_ScrambleBlock);

void BM_UnscrambleBlock(benchmark::State& state) {
  RecordScrambler scrambler(7);
  StoredBlock stored{};
  scrambler.ScrambleBlock(SampleBlock(), &stored);
  PlainBlock plain{};
  for (auto _ : state) {
    RecordScrambler::UnscrambleBlock(stored.data(), &plain);
    benchmark::DoNotOptimize(plain.data());
  }
}
BENCHMARK(BM_UnscrambleBlock);

void BM_UnscrambleRecord(benchmark::State& state) {
  const StoredRecord stored = File().lastRecord();
  PlainImage plain{};
  for (auto _ : state) {
    RecordScrambler::Unscramble(stored.data(), &plain);
    benchmark::DoNotOptimize(plain.data());
  }
}
BENCHMARK(BM_UnscrambleRecord);

}  // namespace
}  // namespace acv
