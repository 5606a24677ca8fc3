// The acv commands, one file each. A command has an options struct filled by its Setup
// function, which adds the subcommand to the program, and a Run function that does the work and
// returns the exit code: 0 success, 1 nothing found, 2 bad input or file error, 3 partial
// result. Results go to the Console's `out`, messages to its `err`.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>

#include "storage/csv/export_passwords.h"
#include "storage/format/format.h"
#include "storage/settings/double_entry_rule.h"

namespace CLI {
class App;
}  // namespace CLI

namespace acv {
class Analysis;
}  // namespace acv

namespace acv::cli {

struct Console;

inline constexpr int kExitOk = 0;
inline constexpr int kExitNothingFound = 1;
inline constexpr int kExitBadInput = 2;
inline constexpr int kExitPartial = 3;

struct CheckOptions {
  std::string file;
  bool versions = false;  // also hash every earlier version the history keeps
};
int RunCheck(const CheckOptions& options, const Console& io);
void SetupCheckCommand(CLI::App& app, int* exitCode);

// acv drafts [--discard ID]: the unfinished questionnaires in the user's drafts (whose, which
// wizard, page, times), never their answers; or removes one.
struct DraftsOptions {
  std::string discard;
};
int RunDrafts(const DraftsOptions& options, const Console& io);
void SetupDraftsCommand(CLI::App& app, int* exitCode);

struct ListOptions {
  std::string file;
  std::string first;
  std::string last;
  std::string birthDate;  // YYYYMMDD
};
int RunList(const ListOptions& options, const Console& io);
void SetupListCommand(CLI::App& app, int* exitCode);
// False, after saying why as acv COMMAND, unless `options` name a person of age as the selection
// dialogs require (both names, a valid date of birth); `birthDate` then holds it as YYYYMMDD.
bool CheckPerson(const Console& io, const ListOptions& options, std::string* birthDate);

// acv verified FILE [--first --last --dob]: the paper records not yet verified by double entry
// and the file's counts; names only for the person asked for, as acv list shows them.
struct VerifiedOptions {
  ListOptions person;  // person.file is the response file; no names: every record
};
int RunVerified(const VerifiedOptions& options, const Console& io);
void SetupVerifiedCommand(CLI::App& app, int* exitCode);

struct ImportOptions {
  std::string file;   // the response file
  std::string data;   // the CSV file, or the FHIR Bundle
  bool fhir = false;  // data is a FHIR Bundle
  // While the settings require double entry, unverified "Paper" rows are taken only when asked.
  bool unverified = false;
  std::string administratorFile = std::string(kMachineSettingsFile);  // tests name their own
};
int RunImport(const ImportOptions& options, const Console& io);
void SetupImportCommand(CLI::App& app, int* exitCode);

struct SalvageOptions {
  std::string damaged;
  std::string fresh;
};
int RunSalvage(const SalvageOptions& options, const Console& io);
void SetupSalvageCommand(CLI::App& app, int* exitCode);

// acv show FILE INDEX: one record's every stored field, its responses and the file's header.
struct ShowOptions {
  std::string file;
  int index = 0;
};
int RunShow(const ShowOptions& options, const Console& io);
void SetupShowCommand(CLI::App& app, int* exitCode);
// Prints the stored record `bytes` as record `index` of `file`, as acv show does (`committed`
// false for one beyond the commit mark); false, printing nothing, when it fails its checksums.
bool ShowStoredRecord(const Console& io, const std::string& file, int index,
                      const StoredRecord& bytes, bool committed = true);

// acv history FILE [--index N [--version K]]: the changes the file's history records, or one
// earlier version of a record as acv show prints it.
struct HistoryOptions {
  std::string file;
  int index = -1;   // -1: every record
  int version = 0;  // 0: list the entries; 1 the oldest version the history keeps
};
int RunHistory(const HistoryOptions& options, const Console& io);
void SetupHistoryCommand(CLI::App& app, int* exitCode);

// acv score --type self|observer RESPONSES
struct ScoreOptions {
  std::string type;       // "self" or "observer"
  std::string responses;  // 190 characters in item order
};
int RunScore(const ScoreOptions& options, const Console& io);
void SetupScoreCommand(CLI::App& app, int* exitCode);

// The records an analysing command reads: a file, and the index of each report or -1.
struct AnalysisChoice {
  std::string file;
  int self = -1;
  int observer = -1;
};

int RunAnalyse(const AnalysisChoice& options, const Console& io);
void SetupAnalyseCommand(CLI::App& app, int* exitCode);

// acv demo DIR
struct DemoOptions {
  std::string dir;
  bool force = false;
};
int RunDemo(const DemoOptions& options, const Console& io);
void SetupDemoCommand(CLI::App& app, int* exitCode);

void SetupExportCommand(CLI::App& app, int* exitCode);
void SetupSetExportPasswordCommand(CLI::App& app, int* exitCode);

// acv export FILE.cvr OUT.csv: the passwords are always the machine's; tests name their own.
struct ExportOptions {
  std::string acvFile;
  std::string csvFile;
  bool force = false;
  bool passwordStdin = false;
  std::string passwordFile = std::string(kMachinePasswordFile);
  uid_t passwordOwner = 0;  // root
};
int RunExport(const ExportOptions& options, const Console& io);

// acv set-export-password [SLOT]
struct SetExportPasswordOptions {
  int slot = 1;
  bool passwordStdin = false;
  bool clear = false;
  std::string passwordFile = std::string(kMachinePasswordFile);
  uid_t passwordOwner = 0;  // root
};
int RunSetExportPassword(const SetExportPasswordOptions& options, const Console& io);
// acv report FILE [--self I] [--observer I] [--pdf OUT.pdf] [--rtf OUT.rtf] [--force]; built with
// the window's libraries only (ACV_GUI).
struct ReportOptions {
  AnalysisChoice records;
  std::string pdf;     // empty: no PDF
  std::string rtf;     // empty: no RTF
  bool force = false;  // replace a file that exists
};
int RunReport(const ReportOptions& options, const Console& io);
void SetupReportCommand(CLI::App& app, int* exitCode);
// The printed report of `analysis` as PDF bytes; nothing, after saying why on stderr, when it
// cannot be drawn (ACV_GUI only).
std::optional<std::string> ReportPdfBytes(const Analysis& analysis, const Console& io);

// acv fhir FILE [--self I] [--observer J] [--all] [--no-pdf] [--out F] [--force], and
// acv fhir-questionnaire [--out F] [--force]. The report's PDF comes from `makePdf`, which is
// null where acv is built without the window's libraries.
using ReportPdfMaker = std::optional<std::string> (*)(const Analysis& analysis, const Console& io);
struct FhirOptions {
  AnalysisChoice records;
  std::string out;  // empty: standard output
  bool all = false;
  bool noPdf = false;
  bool force = false;
};
int RunFhir(const FhirOptions& options, ReportPdfMaker makePdf, const Console& io);
void SetupFhirCommands(CLI::App& app, int* exitCode, ReportPdfMaker makePdf);

}  // namespace acv::cli
