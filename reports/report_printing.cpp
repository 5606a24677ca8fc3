#include "reports/report_printing.h"

#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QSaveFile>

#include "reports/printed_report.h"
#include "reports/report_page.h"
#include "ui/prompts.h"

namespace acv {
namespace {

// PDFs are drawn at this many units per inch.
constexpr int kPdfResolution = 1200;

// A printer set up for the report, at the printer's own resolution.
void SetUpPrinter(QPrinter& printer) {
  printer.setPageLayout(ReportPageLayout());
  printer.setDocName(QStringLiteral("ACV Report"));
  printer.setCreator(QStringLiteral("VELT"));
}

}  // namespace

QPageLayout ReportPageLayout() {
  const QSizeF a4 = QPageSize(QPageSize::A4).size(QPageSize::Inch);
  const double side = (a4.width() - kReportWidthInches) / 2 - 0.005;
  const double foot = (a4.height() - kReportHeightInches) / 2 - 0.005;
  return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                     QMarginsF(side, foot, side, foot), QPageLayout::Inch);
}

bool PaintReport(QPagedPaintDevice& device, const Analysis& analysis, const QPageRanges& ranges) {
  QPainter painter;
  if (!painter.begin(&device)) {
    return false;
  }
  bool first = true;
  for (int page = 1; page <= kReportPageCount; ++page) {
    if (!ranges.isEmpty() && !ranges.contains(page)) {
      continue;
    }
    if (!first && !device.newPage()) {
      return false;
    }
    first = false;
    PrintReportPage(page, painter, analysis);
  }
  return painter.end();
}

QString WriteReportPdf(const QString& fileName, const Analysis& analysis) {
  QSaveFile file(fileName);
  if (!file.open(QIODevice::WriteOnly)) {
    return file.errorString();
  }
  {
    QPdfWriter writer(&file);
    writer.setPdfVersion(QPagedPaintDevice::PdfVersion_A1b);
    writer.setResolution(kPdfResolution);
    writer.setPageLayout(ReportPageLayout());
    writer.setTitle(QStringLiteral("Strictly Confidential"));
    writer.setCreator(QStringLiteral("VELT"));
    if (!PaintReport(writer, analysis)) {
      file.cancelWriting();
      return QStringLiteral("the pages could not be drawn");
    }
  }
  if (!file.commit()) {
    return file.errorString();
  }
  return QString();
}

bool QtPrintDialogs::choosePrinter(QPrinter& printer, QWidget* parent) {
  QPrintDialog dialog(&printer, parent);
  dialog.setMinMax(1, kReportPageCount);
  dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
  return dialog.exec() == QDialog::Accepted;
}

void QtPrintDialogs::preview(QPrinter& printer, QWidget* parent,
                             const std::function<void(QPrinter&)>& paint) {
  QPrintPreviewDialog dialog(&printer, parent);
  QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested,
                   [&paint](QPrinter* shown) { paint(*shown); });
  dialog.exec();
}

void PrintAnalysis(const Analysis& analysis, PrintDialogs& dialogs, Prompts& prompts,
                   QWidget* parent) {
  QPrinter printer(QPrinter::HighResolution);
  SetUpPrinter(printer);
  printer.setFromTo(1, kReportPageCount);
  if (!dialogs.choosePrinter(printer, parent)) {
    return;
  }
  const QPageRanges pages =
      printer.printRange() == QPrinter::PageRange ? printer.pageRanges() : QPageRanges();
  if (!PaintReport(printer, analysis, pages)) {
    prompts.message(parent, QObject::tr("Print Has Failed"),
                    QObject::tr("The report could not be printed on %1.")
                        .arg(printer.printerName().isEmpty() ? printer.outputFileName()
                                                             : printer.printerName()),
                    Prompts::Icon::kStop);
  }
}

void PreviewAnalysis(const Analysis& analysis, PrintDialogs& dialogs, QWidget* parent) {
  QPrinter printer(QPrinter::HighResolution);
  SetUpPrinter(printer);
  dialogs.preview(printer, parent, [&analysis](QPrinter& shown) { PaintReport(shown, analysis); });
}

}  // namespace acv
