// acv report: the report of one or two stored records, written without a display.
#include <unistd.h>
#include <CLI/CLI.hpp>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <optional>
#include <utility>
#include <vector>

#include "cli/analysis_options.h"
#include "cli/commands.h"
#include "cli/output.h"
#include "engine/cp1252.h"
#include "reports/report_printing.h"
#include "reports/rtf_report.h"
#include "storage/history/data_taken_out.h"

namespace acv::cli {
namespace {

// The forms a report can be written in: each is one option naming the file to write, where the
// options keep it, and a writer that returns the empty text or why it failed.
struct ReportOutput {
  const char* option;
  const char* help;
  std::string ReportOptions::*file;
  QString (*write)(const QString& fileName, const Analysis& analysis);
  HistoryAction action;  // as the history beside the response file notes it
};

constexpr ReportOutput kOutputs[] = {
    {"--pdf", "Write the eight-page printed report to this PDF file", &ReportOptions::pdf,
     [](const QString& fileName, const Analysis& analysis) {
       return WriteReportPdf(fileName, analysis);
     },
     HistoryAction::kReportPdf},
    {"--rtf", "Write the report as a Rich Text Format document (.rtf) for word processors",
     &ReportOptions::rtf,
     [](const QString& fileName, const Analysis& analysis) {
       return QString::fromStdString(
           Cp1252ToUtf8(WriteRtfReportFile(QFile::encodeName(fileName).toStdString(), analysis)));
     },
     HistoryAction::kReportRtf},
};

// Runs `work` with Qt's drawing and fonts, but no display; returns what it returns.
template <typename Work>
auto WithOffscreenDrawing(Work work) {
  qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
  // Qt looks for the user's runtime folder as it starts and warns when XDG_RUNTIME_DIR is not set
  // (cron, sudo). The report keeps nothing there: a private folder stands in while it runs.
  std::optional<QTemporaryDir> runtime;
  if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
    runtime.emplace();
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime->path()));
  }
  static int argc = 1;
  static char name[] = "acv";
  static char* argv[] = {name, nullptr};
  QGuiApplication application(argc, argv);
  return work();
}

int WriteReports(const Analysis& analysis, const ReportOptions& options, const Console& io) {
  return WithOffscreenDrawing([&] {
    int exitCode = kExitOk;
    bool recorded = true;
    for (const ReportOutput& output : kOutputs) {
      const std::string& file = options.*output.file;
      if (file.empty()) {
        continue;
      }
      const QString error = output.write(QString::fromStdString(file), analysis);
      if (!error.isEmpty()) {
        io.Say(MessageId::kReportNotWritten, {file, error.toStdString()});
        exitCode = kExitBadInput;
      } else if (!RecordDataTakenOut(options.records.file, output.action,
                                     ChosenIndexes(options.records)) &&
                 std::exchange(recorded, false)) {
        io.Say(MessageId::kTakeOutNotRecorded, {options.records.file});
      }
    }
    return exitCode;
  });
}

}  // namespace

std::optional<std::string> ReportPdfBytes(const Analysis& analysis, const Console& io) {
  return WithOffscreenDrawing([&]() -> std::optional<std::string> {
    QByteArray pdf;
    if (const QString error = DrawReportPdf(analysis, &pdf); !error.isEmpty()) {
      io.Say(MessageId::kPdfNotDrawn, {error.toStdString()});
      return std::nullopt;
    }
    return pdf.toStdString();
  });
}

int RunReport(const ReportOptions& options, const Console& io) {
  if (options.pdf.empty() && options.rtf.empty()) {
    io.Say(MessageId::kReportFileNeeded);
    return kExitBadInput;
  }
  // As acv export: a file already there is replaced only when asked, and then only once the new
  // one is whole.
  for (const ReportOutput& output : kOutputs) {
    const std::string& file = options.*output.file;
    if (!options.force && !file.empty() && access(file.c_str(), F_OK) == 0) {
      io.Say(MessageId::kAlreadyExistsForce, {file});
      return kExitBadInput;
    }
  }
  Analysis analysis;
  if (!LoadChosenAnalysis(options.records, io, analysis)) {
    return kExitBadInput;
  }
  if (analysis.IsSelfAbsent() && analysis.IsObserverAbsent()) {
    io.Say(MessageId::kNoReport);
    return kExitBadInput;
  }
  return WriteReports(analysis, options, io);
}

void SetupReportCommand(CLI::App& app, int* exitCode) {
  auto options = std::make_shared<ReportOptions>();
  CLI::App* command = app.add_subcommand(
      "report", "Write the report of a Self-report and/or an Observer-report of a response file");
  AddAnalysisOptions(*command, options->records);
  for (const ReportOutput& output : kOutputs) {
    command->add_option(output.option, (*options).*output.file, output.help);
  }
  command->add_flag("--force", options->force, "Replace a report file that exists");
  command->callback([options, exitCode, command] {
    *exitCode = RunReport(*options, StandardConsole(command->get_name()));
  });
}

}  // namespace acv::cli
