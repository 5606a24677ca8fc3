// Printing, previewing and saving the report as PDF: all three draw through PrintReportPage.
#pragma once

#include <functional>

#include <QByteArray>
#include <QPageLayout>
#include <QPageRanges>
#include <QString>

class QPagedPaintDevice;
class QPrinter;
class QWidget;

namespace acv {

class Analysis;
class Prompts;

// The page the report is laid out for: A4 portrait, with margins that leave the report's area.
QPageLayout ReportPageLayout();

// Draws the pages in `ranges` (every page when empty) on `device`, each on a page of its own;
// false when the device could not be painted on.
bool PaintReport(QPagedPaintDevice& device, const Analysis& analysis,
                 const QPageRanges& ranges = QPageRanges());

// Writes the pages in `ranges` (all eight when empty) to `fileName` as an archival PDF (PDF/A-1b,
// every font embedded, the title "Strictly Confidential", VELT as its creator, the creation
// date), created with the mode of the RTF report. The PDF is written to a temporary file and
// moved into place only when complete, so a failure keeps any older file. Returns the empty text
// on success, otherwise why it failed.
QString WriteReportPdf(const QString& fileName, const Analysis& analysis,
                       const QPageRanges& ranges = QPageRanges());
// The same PDF in memory: the empty text, or why it could not be drawn.
QString DrawReportPdf(const Analysis& analysis, QByteArray* pdf,
                      const QPageRanges& ranges = QPageRanges());

// The print and preview dialogs, behind one interface so that tests can answer them.
class PrintDialogs {
 public:
  virtual ~PrintDialogs() = default;
  // The print dialog, offering pages 1 to 8; false when cancelled. The printer then holds the
  // choices made (device, copies, page range).
  virtual bool choosePrinter(QPrinter& printer, QWidget* parent) = 0;
  // The print preview of `printer`; `paint` draws the pages whenever the preview asks.
  virtual void preview(QPrinter& printer, QWidget* parent,
                       const std::function<void(QPrinter&)>& paint) = 0;
};

// Qt's own print dialog and print preview.
class QtPrintDialogs : public PrintDialogs {
 public:
  bool choosePrinter(QPrinter& printer, QWidget* parent) override;
  void preview(QPrinter& printer, QWidget* parent,
               const std::function<void(QPrinter&)>& paint) override;
};

// What the Print command did with the report.
enum class Printed { kNothing, kOnPaper, kAsPdf };

// The Print command: the print dialog, then the pages chosen; a failure is told in a box and
// gives kNothing.
Printed PrintAnalysis(const Analysis& analysis, PrintDialogs& dialogs, Prompts& prompts,
                      QWidget* parent);
// The Print Preview command.
void PreviewAnalysis(const Analysis& analysis, PrintDialogs& dialogs, QWidget* parent);

}  // namespace acv
