#include "reports/report_printing.h"

#include <algorithm>

#include <QBuffer>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QRegularExpression>
#include <QToolBar>
#include <QToolButton>

#include "reports/printed_report.h"
#include "reports/report_page.h"
#include "storage/format/file_status.h"
#include "storage/format/whole_file_writer.h"
#include "storage/text/messages.h"
#include "ui/accessible_roles.h"
#include "ui/prompts.h"
#include "ui/text.h"

namespace acv {
namespace {

// PDFs are drawn at this many units per inch.
constexpr int kPdfResolution = 1200;

// The maker named as the PDF's author and creator.
constexpr char kAuthor[] = "VELT";
// The title of every report document, printed or saved.
constexpr char kTitle[] = "Strictly Confidential";

// The text of the first match of `pattern`'s one group in `text`; empty when none.
QByteArray Capture(const QByteArray& text, const char* pattern) {
  return QRegularExpression(QLatin1String(pattern))
      .match(QString::fromLatin1(text))
      .captured(1)
      .toLatin1();
}

// The body of object `number` (between "N 0 obj\n" and "\nendobj"); empty when not found.
QByteArray ObjectBody(const QByteArray& pdf, const QByteArray& number) {
  const QByteArray start = "\n" + number + " 0 obj\n";
  const qsizetype at = pdf.indexOf(start);
  const qsizetype end = pdf.indexOf("\nendobj", at);
  return at < 0 || end < 0 ? QByteArray() : pdf.mid(at + start.size(), end - at - start.size());
}

// Qt's PDF writer has no author field, so the author is added by an incremental update that
// replaces the document information (adding /Author) and the XMP metadata (adding dc:creator),
// which an archival PDF keeps in agreement. False when the PDF is not laid out as expected.
bool AddAuthor(QByteArray& pdf) {
  const QByteArray trailer = pdf.mid(pdf.lastIndexOf("trailer"));
  const QByteArray info = Capture(trailer, R"(/Info (\d+) 0 R)");
  const QByteArray root = Capture(trailer, R"(/Root (\d+) 0 R)");
  const QByteArray size = Capture(trailer, R"(/Size (\d+))");
  const QByteArray id = Capture(trailer, R"((/ID \[[^\]]*\]))");
  const QByteArray previous = Capture(trailer, R"(startxref\s+(\d+))");
  const qsizetype metadataAt =
      std::max<qsizetype>(32, pdf.indexOf("/Type /Metadata /Subtype /XML"));
  const QByteArray metadata = Capture(pdf.mid(metadataAt - 32, 32), R"((\d+) 0 obj\n<<\n$)");
  QByteArray infoBody = ObjectBody(pdf, info);
  const QByteArray metadataBody = ObjectBody(pdf, metadata);
  const qsizetype streamAt = metadataBody.indexOf("stream\n");
  const qsizetype streamEnd = metadataBody.lastIndexOf("\nendstream");
  QByteArray xmp = metadataBody.mid(streamAt + 7, streamEnd - streamAt - 7);
  if (root.isEmpty() || size.isEmpty() || id.isEmpty() || previous.isEmpty() ||
      !infoBody.endsWith(">>") || streamAt < 0 || streamEnd < 0 || !xmp.contains("</dc:title>")) {
    return false;
  }
  infoBody.insert(infoBody.size() - 2, QByteArray("/Author (") + kAuthor + ")\n");
  xmp.replace("</dc:title>", QByteArray("</dc:title>\n      <dc:creator><rdf:Seq><rdf:li>") +
                                 kAuthor + "</rdf:li></rdf:Seq></dc:creator>");
  pdf += '\n';
  const qsizetype infoAt = pdf.size();
  pdf += info + " 0 obj\n" + infoBody + "\nendobj\n";
  const qsizetype metadataObjectAt = pdf.size();
  pdf += metadata + " 0 obj\n<<\n/Type /Metadata /Subtype /XML\n/Length " +
         QByteArray::number(xmp.size()) + "\n>>\nstream\n" + xmp + "\nendstream\nendobj\n";
  const qsizetype xrefAt = pdf.size();
  pdf += "xref\n" + info + " 1\n" + QByteArray::number(infoAt).rightJustified(10, '0') +
         " 00000 n \n" + metadata + " 1\n" +
         QByteArray::number(metadataObjectAt).rightJustified(10, '0') + " 00000 n \n";
  pdf += "trailer\n<<\n/Size " + size + "\n/Info " + info + " 0 R\n/Root " + root + " 0 R\n/Prev " +
         previous + "\n" + id + "\n>>\nstartxref\n" + QByteArray::number(xrefAt) + "\n%%EOF\n";
  return true;
}

// A printer set up for the report, at the printer's own resolution.
void SetUpPrinter(QPrinter& printer) {
  printer.setPageLayout(ReportPageLayout());
  printer.setDocName(QString::fromLatin1(kTitle));
  printer.setCreator(QString::fromLatin1(kAuthor));
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

QString DrawReportPdf(const Analysis& analysis, QByteArray* pdf, const QPageRanges& ranges) {
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  {
    QPdfWriter writer(&buffer);
    writer.setPdfVersion(QPagedPaintDevice::PdfVersion_A1b);
    writer.setResolution(kPdfResolution);
    writer.setPageLayout(ReportPageLayout());
    writer.setTitle(QString::fromLatin1(kTitle));
    writer.setCreator(QString::fromLatin1(kAuthor));
    if (!PaintReport(writer, analysis, ranges)) {
      return QStringLiteral("the pages could not be drawn");
    }
  }
  *pdf = buffer.data();
  if (!AddAuthor(*pdf)) {
    return QStringLiteral("the PDF's document information could not be completed");
  }
  return {};
}

QString WriteReportPdf(const QString& fileName, const Analysis& analysis,
                       const QPageRanges& ranges) {
  QByteArray pdf;
  if (QString error = DrawReportPdf(analysis, &pdf, ranges); !error.isEmpty()) {
    return error;
  }
  // It holds a patient's details: written as the RTF report and the CSV export are, whole or
  // not at all, readable by the user and the group only.
  const FileStatus status = WholeFileWriter::WriteFile(
      fileNameFromQt(fileName), true,
      std::string_view(pdf.constData(), static_cast<std::size_t>(pdf.size())));
  return status == FileStatus::kOk ? QString() : toQt(FileStatusReason(status));
}

bool QtPrintDialogs::choosePrinter(QPrinter& printer, QWidget* parent) {
  QPrintDialog dialog(&printer, parent);
  dialog.setMinMax(1, kReportPageCount);
  dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
  return dialog.exec() == QDialog::Accepted;
}

namespace {

// Qt's preview leaves its zoom box, page box and page area without names, and its toolbar out
// of the Tab order.
void MakeReachable(QPrintPreviewDialog& dialog) {
  InstallAccessibleRoles();
  // The zoom box is a box one can type in, inside a choice box; the other box is the page's.
  for (QLineEdit* box : dialog.findChildren<QLineEdit*>()) {
    const bool zoom = qobject_cast<QComboBox*>(box->parentWidget()) != nullptr;
    box->setAccessibleName(zoom ? QObject::tr("Zoom") : QObject::tr("Page shown"));
  }
  for (QComboBox* zoom : dialog.findChildren<QComboBox*>()) {
    zoom->setAccessibleName(QObject::tr("Zoom"));
  }
  for (QPrintPreviewWidget* pages : dialog.findChildren<QPrintPreviewWidget*>()) {
    pages->setAccessibleName(QObject::tr("Report pages"));
  }
  for (QToolBar* bar : dialog.findChildren<QToolBar*>()) {
    for (QToolButton* button : bar->findChildren<QToolButton*>()) {
      button->setFocusPolicy(Qt::TabFocus);
    }
  }
}

}  // namespace

void QtPrintDialogs::preview(QPrinter& printer, QWidget* parent,
                             const std::function<void(QPrinter&)>& paint) {
  QPrintPreviewDialog dialog(&printer, parent);
  MakeReachable(dialog);
  QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested,
                   [&paint](QPrinter* shown) { paint(*shown); });
  dialog.exec();
}

Printed PrintAnalysis(const Analysis& analysis, PrintDialogs& dialogs, Prompts& prompts,
                      QWidget* parent) {
  QPrinter printer(QPrinter::HighResolution);
  SetUpPrinter(printer);
  printer.setFromTo(1, kReportPageCount);
  if (!dialogs.choosePrinter(printer, parent)) {
    return Printed::kNothing;
  }
  const QPageRanges pages =
      printer.printRange() == QPrinter::PageRange ? printer.pageRanges() : QPageRanges();
  // Printed to a PDF file, the report is the same archival document as a saved one.
  if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty()) {
    const QString error = WriteReportPdf(printer.outputFileName(), analysis, pages);
    if (!error.isEmpty()) {
      prompts.show(parent, Message(MessageId::kPrintFailedBecause),
                   {printer.outputFileName(), error});
      return Printed::kNothing;
    }
    return Printed::kAsPdf;
  }
  if (!PaintReport(printer, analysis, pages)) {
    prompts.show(
        parent, Message(MessageId::kPrintFailed),
        {printer.printerName().isEmpty() ? printer.outputFileName() : printer.printerName()});
    return Printed::kNothing;
  }
  return Printed::kOnPaper;
}

void PreviewAnalysis(const Analysis& analysis, PrintDialogs& dialogs, QWidget* parent) {
  QPrinter printer(QPrinter::HighResolution);
  SetUpPrinter(printer);
  dialogs.preview(printer, parent, [&analysis](QPrinter& shown) { PaintReport(shown, analysis); });
}

}  // namespace acv
