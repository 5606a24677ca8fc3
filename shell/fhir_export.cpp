#include "shell/fhir_export.h"

#include <QCoreApplication>
#include <QFile>

#include "reports/report_printing.h"
#include "storage/fhir/fhir_export.h"
#include "storage/format/whole_file_writer.h"
#include "storage/text/messages.h"
#include "ui/prompts.h"
#include "ui/text.h"

namespace acv {
namespace {

QString Tr(const char* text) {
  return QCoreApplication::translate("FhirExport", text);
}

// The Bundle with the report's PDF, written to `fileName`: the empty text, or why not.
QString WriteBundle(const Analysis& analysis, const QString& fileName) {
  QByteArray pdf;
  if (QString error = DrawReportPdf(analysis, &pdf); !error.isEmpty()) {
    return error;
  }
  const std::string text =
      fhir::PersonBundle({&analysis, pdf.toStdString()}).dump() + std::string("\n");
  WholeFileWriter file;
  FileStatus status = file.Open(QFile::encodeName(fileName).toStdString(), true);
  if (status == FileStatus::kOk) {
    status = file.Write(text);
  }
  if (status == FileStatus::kOk) {
    status = file.Commit();
  }
  return status == FileStatus::kOk ? QString() : toQt(FileStatusReason(status));
}

}  // namespace

bool ExportAnalysisAsFhir(Prompts& prompts, const Analysis& analysis, const QString& startName,
                          QWidget* parent) {
  const bool accepted = prompts.ask(
      parent, toQt(caption::kDataPrivacy),
      Tr("The FHIR file (*.json) holds this person's details, answers and report as plain text "
         "that other programs can read, unlike an Adult Corvantis file (*.cvr).\n\nDo you "
         "accept responsibility for data privacy of the export file?"),
      Tr("&Accept"), Tr("Cancel"), false);
  if (!accepted) {
    return false;
  }
  QString fileName =
      prompts.saveFileName(parent, Tr("Export as FHIR"), startName, Tr("FHIR JSON files (*.json)"));
  if (fileName.isEmpty()) {
    return false;
  }
  if (!fileName.endsWith(QStringLiteral(".json"), Qt::CaseInsensitive)) {
    fileName += QStringLiteral(".json");
  }
  if (const QString error = WriteBundle(analysis, fileName); !error.isEmpty()) {
    prompts.message(parent, Tr("Save Has Failed"),
                    Tr("The FHIR file\n%1\ncould not be written: %2.").arg(fileName, error),
                    Prompts::Icon::kStop);
    return false;
  }
  prompts.message(parent, Tr("Save Was Successful"),
                  Tr("The analysis was saved as a FHIR R4 Bundle in\n%1").arg(fileName),
                  Prompts::Icon::kInformation);
  return true;
}

}  // namespace acv
