// acv fhir and acv fhir-questionnaire: the questionnaire, a person's analysis or a whole file's
// responses as HL7 FHIR R4 JSON, for a record system or a research platform.
#include <CLI/CLI.hpp>
#include <set>
#include <utility>

#include "cli/analysis_options.h"
#include "cli/commands.h"
#include "cli/output.h"
#include "storage/fhir/fhir_files.h"
#include "storage/format/whole_file_writer.h"
#include "storage/history/data_taken_out.h"
#include "storage/text/messages.h"

namespace acv::cli {
namespace {

// Where a command's JSON goes: standard output, or a file written whole or not at all, opened
// when the first text comes.
class JsonOutput {
 public:
  JsonOutput(const Console& io, std::string out, bool force)
      : io_(io), out_(std::move(out)), force_(force) {}

  // Writes `text` after what came before: false, after saying why, when the file could not
  // take it.
  bool Write(std::string_view text) {
    if (out_.empty()) {
      io_.out << text;
      return true;
    }
    FileStatus status = writer_.isOpen() ? FileStatus::kOk : writer_.Open(out_, force_);
    if (status == FileStatus::kOk) {
      status = writer_.Write(text);
    }
    return Succeeded(status);
  }

  // Gives the file its name once everything is written: the exit code.
  int Finish() {
    const bool written = !writer_.isOpen() || Succeeded(writer_.Commit());
    return written ? kExitOk : kExitBadInput;
  }

 private:
  // Whether `status` is kOk; says why not when it is not.
  bool Succeeded(FileStatus status) const {
    if (status == FileStatus::kFileExists) {
      io_.Say(MessageId::kAlreadyExistsForce, {out_});
    } else if (status != FileStatus::kOk) {
      io_.Say(MessageId::kReportNotWritten, {out_, FileStatusReason(status)});
    }
    return status == FileStatus::kOk;
  }

  const Console& io_;
  std::string out_;
  bool force_;
  WholeFileWriter writer_;
};

// Writes `json` to `out` (stdout when empty), whole or not at all: exit code.
int WriteJson(const Console& io, const fhir::Json& json, const std::string& out, bool force) {
  JsonOutput output(io, out, force);
  return output.Write(json.dump() + "\n") ? output.Finish() : kExitBadInput;
}

// Notes the export in the history of `file`, or says that it could not.
void NoteTakenOut(const Console& io, const std::string& file, const std::vector<int>& indexes) {
  if (!RecordDataTakenOut(file, HistoryAction::kExportedFhir, indexes)) {
    io.Say(MessageId::kTakeOutNotRecorded, {file});
  }
}

int RunFhirAll(const FhirOptions& options, const Console& io) {
  if (options.records.self >= 0 || options.records.observer >= 0) {
    io.Say(MessageId::kFhirAllTakesEvery);
    return kExitBadInput;
  }
  JsonOutput output(io, options.out, options.force);
  const fhir::FileResponses responses = fhir::WriteResponsesOfFile(
      options.records.file, [&output](std::string_view text) { return output.Write(text); });
  if (responses.status != FileStatus::kOk) {
    io.Say(MessageId::kFhirFileUnreadable, {options.records.file, ReadFailure(responses.status)});
    return kExitBadInput;
  }
  if (responses.sinkFailed) {
    return kExitBadInput;
  }
  for (const int index : responses.unread) {
    io.Say(MessageId::kFhirRecordLeftOut, {std::to_string(index)});
  }
  const int written = output.Finish();
  if (written == kExitOk) {
    NoteTakenOut(io, options.records.file, responses.written);
  }
  return written == kExitOk && !responses.unread.empty() ? kExitPartial : written;
}

}  // namespace

int RunFhir(const FhirOptions& options, ReportPdfMaker makePdf, const Console& io) {
  if (options.all) {
    return RunFhirAll(options, io);
  }
  Analysis analysis;
  if (!LoadChosenAnalysis(options.records, io, analysis)) {
    return kExitBadInput;
  }
  if (analysis.IsSelfAbsent() && analysis.IsObserverAbsent()) {
    io.Say(MessageId::kFhirNoOne);
    return kExitBadInput;
  }
  const std::set<int> edited = fhir::EditedRecords(options.records.file);
  fhir::PersonExport person{
      &analysis,
      std::nullopt,
      {edited.contains(options.records.self), edited.contains(options.records.observer)}};
  if (makePdf != nullptr && !options.noPdf) {
    person.reportPdf = makePdf(analysis, io);
    if (!person.reportPdf) {
      return kExitBadInput;
    }
  }
  const int written = WriteJson(io, fhir::PersonBundle(person), options.out, options.force);
  if (written == kExitOk) {
    NoteTakenOut(io, options.records.file, ChosenIndexes(options.records));
  }
  return written;
}

void SetupFhirCommands(CLI::App& app, int* exitCode, ReportPdfMaker makePdf) {
  auto options = std::make_shared<FhirOptions>();
  CLI::App* command = app.add_subcommand(
      "fhir",
      "Write a person's analysis as an HL7 FHIR R4 transaction Bundle (Patient, "
      "QuestionnaireResponses, Observations, the printed report), or with --all the responses of "
      "every record as a collection Bundle");
  AddAnalysisOptions(*command, options->records);
  command->add_flag("--all", options->all,
                    "Every record's QuestionnaireResponse, without analysis or report");
  command->add_flag("--no-pdf", options->noPdf, "Leave the printed report out");
  command->add_option("--out", options->out, "The file to write (standard output without it)");
  command->add_flag("--force", options->force, "Replace a file that exists");
  command->callback([options, exitCode, makePdf, command] {
    *exitCode = RunFhir(*options, makePdf, StandardConsole(command->get_name()));
  });

  auto questionnaire = std::make_shared<FhirOptions>();
  CLI::App* questionnaireCommand = app.add_subcommand(
      "fhir-questionnaire", "Write the questionnaire as an HL7 FHIR R4 Questionnaire");
  questionnaireCommand->add_option("--out", questionnaire->out,
                                   "The file to write (standard output without it)");
  questionnaireCommand->add_flag("--force", questionnaire->force, "Replace a file that exists");
  questionnaireCommand->callback([questionnaire, exitCode, questionnaireCommand] {
    *exitCode = WriteJson(StandardConsole(questionnaireCommand->get_name()), fhir::Questionnaire(),
                          questionnaire->out, questionnaire->force);
  });
}

}  // namespace acv::cli
