// acv report: the report of one or two stored records, written without a display.
#include <QFile>
#include <QGuiApplication>
#include <algorithm>
#include <array>
#include <iostream>

#include "cli/analysis_options.h"
#include "cli/commands.h"
#include "engine/cp1252.h"
#include "reports/report_printing.h"
#include "reports/rtf_report.h"

namespace acv::cli {
namespace {

// The forms a report can be written in: each is one option naming the file to write, and a
// writer that returns the empty text or why it failed.
struct ReportOutput {
  const char* option;
  const char* help;
  QString (*write)(const QString& fileName, const Analysis& analysis);
};

constexpr ReportOutput kOutputs[] = {
    {"--pdf", "Write the eight-page printed report to this PDF file",
     [](const QString& fileName, const Analysis& analysis) {
       return WriteReportPdf(fileName, analysis);
     }},
    {"--rtf", "Write the report as a Rich Text Format document (.rtf) for word processors",
     [](const QString& fileName, const Analysis& analysis) {
       return QString::fromStdString(
           Cp1252ToUtf8(WriteRtfReportFile(QFile::encodeName(fileName).toStdString(), analysis)));
     }},
};

using OutputFiles = std::array<std::string, std::size(kOutputs)>;

// The report needs Qt's drawing and fonts, but no display.
void WriteReports(const Analysis& analysis, const OutputFiles& files, int* exitCode) {
  qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
  static int argc = 1;
  static char name[] = "acv";
  static char* argv[] = {name, nullptr};
  QGuiApplication application(argc, argv);
  *exitCode = kExitOk;
  for (std::size_t i = 0; i < files.size(); ++i) {
    if (files[i].empty()) {
      continue;
    }
    const QString error = kOutputs[i].write(QString::fromStdString(files[i]), analysis);
    if (!error.isEmpty()) {
      std::cerr << "acv report: cannot write " << files[i] << ": " << error.toStdString() << "\n";
      *exitCode = kExitBadInput;
    }
  }
}

}  // namespace

void SetupReportCommand(CLI::App& app, int* exitCode) {
  CLI::App* command = app.add_subcommand(
      "report", "Write the report of a Self-report and/or an Observer-report of a response file");
  auto choice = std::make_shared<AnalysisChoice>();
  AddAnalysisOptions(*command, *choice);
  auto files = std::make_shared<OutputFiles>();
  for (std::size_t i = 0; i < files->size(); ++i) {
    command->add_option(kOutputs[i].option, (*files)[i], kOutputs[i].help);
  }
  command->callback([choice, files, exitCode] {
    if (std::all_of(files->begin(), files->end(), [](const auto& file) { return file.empty(); })) {
      std::cerr << "acv report: give the file to write, e.g. --pdf OUT.pdf\n";
      *exitCode = kExitBadInput;
      return;
    }
    Analysis analysis;
    if (!LoadChosenAnalysis(*choice, "report", analysis)) {
      *exitCode = kExitBadInput;
      return;
    }
    if (analysis.IsSelfAbsent() && analysis.IsObserverAbsent()) {
      std::cerr << "acv report: the chosen records have no last name, so there is no report\n";
      *exitCode = kExitBadInput;
      return;
    }
    WriteReports(analysis, *files, exitCode);
  });
}

}  // namespace acv::cli
