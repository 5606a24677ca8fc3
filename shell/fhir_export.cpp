#include "shell/fhir_export.h"

#include <QCoreApplication>
#include <QFile>

#include "reports/report_printing.h"
#include "storage/fhir/fhir_export.h"
#include "storage/format/whole_file_writer.h"
#include "storage/text/messages.h"
#include "ui/dialog_parts.h"
#include "ui/prompts.h"
#include "ui/text.h"

namespace acv {
namespace {

QString Tr(const char* text) {
  return QCoreApplication::translate("FhirExport", text);
}

// The Bundle with the report's PDF, written to `fileName`: the empty text, or why not.
QString WriteBundle(const Analysis& analysis, const std::array<bool, 2>& amended,
                    const QString& fileName) {
  QByteArray pdf;
  if (QString error = DrawReportPdf(analysis, &pdf); !error.isEmpty()) {
    return error;
  }
  const std::string text =
      fhir::PersonBundle({&analysis, pdf.toStdString(), amended}).dump() + std::string("\n");
  const FileStatus status = WholeFileWriter::WriteFile(fileNameFromQt(fileName), true, text);
  return status == FileStatus::kOk ? QString() : toQt(FileStatusReason(status));
}

}  // namespace

bool ExportAnalysisAsFhir(Prompts& prompts, const Analysis& analysis,
                          const std::array<bool, 2>& amended, const QString& startName,
                          QWidget* parent) {
  const bool accepted =
      prompts.confirm(parent, Message(MessageId::kFhirPrivacy), Tr("&Accept"), Tr("Cancel"), false);
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
  // The save dialog asks nothing about a file already there.
  if (QFile::exists(fileName) && !ConfirmReplace(prompts, parent)) {
    return false;
  }
  if (const QString error = WriteBundle(analysis, amended, fileName); !error.isEmpty()) {
    prompts.show(parent, Message(MessageId::kFhirNotWritten), {fileName, error});
    return false;
  }
  prompts.show(parent, Message(MessageId::kFhirSaved), {fileName});
  return true;
}

}  // namespace acv
