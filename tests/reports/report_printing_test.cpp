// Printing, previewing and PDF: the PDF as a reader sees it (pages, embedded fonts, texts), the
// failure that keeps an older file, `acv report`, and the window's Print and Print Preview.
#include <sys/resource.h>

#include <QAction>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>

#include "reports/analysis_view.h"
#include "reports/report_printing.h"
#include "shell/main_frame.h"
#include "storage/sample_records.h"
#include "support/fake_prompts.h"
#include "support/sample_file.h"

namespace acv {
namespace {

// What a program printed on stdout.
QString Output(const QString& program, const QStringList& arguments) {
  QProcess process;
  process.start(program, arguments);
  process.waitForFinished(60000);
  return QString::fromUtf8(process.readAllStandardOutput());
}

int PageCount(const QString& pdf) {
  static const QRegularExpression pages(QStringLiteral("Pages:\\s+(\\d+)"));
  return pages.match(Output(QStringLiteral("pdfinfo"), {pdf})).captured(1).toInt();
}

Analysis SampleAnalysis() {
  const std::vector<ResponseRecord> records = SampleRecords();
  Analysis analysis;
  analysis.selfReport() = records[0];
  analysis.observerReport() = records[1];
  analysis.selfReport().MarkMetItems();
  analysis.observerReport().MarkMetItems();
  return analysis;
}

// Print dialogs that print or preview into a PDF file instead of asking.
class PdfPrintDialogs : public PrintDialogs {
 public:
  bool choosePrinter(QPrinter& printer, QWidget*) override {
    ++asked;
    printer.setOutputFileName(file);
    if (first > 0) {
      printer.setPrintRange(QPrinter::PageRange);
      printer.setPageRanges(QPageRanges::fromString(QStringLiteral("%1-%2").arg(first).arg(last)));
    }
    return accept;
  }
  void preview(QPrinter& printer, QWidget*, const std::function<void(QPrinter&)>& paint) override {
    ++asked;
    printer.setOutputFileName(file);
    paint(printer);
  }

  QString file;
  bool accept = true;
  int first = 0;
  int last = 0;
  int asked = 0;
};

}  // namespace

class ReportPrintingTest : public QObject {
  Q_OBJECT

 private slots:
  void reportCommandWritesAnArchivalPdf() {
    const testing::SampleFile sample;
    const QString pdf = sample.folder() + QStringLiteral("/report.pdf");
    QProcess acv;
    acv.start(QStringLiteral(ACV_EXE),
              {QStringLiteral("report"), QString::fromStdString(sample.fullName()),
               QStringLiteral("--self"), QStringLiteral("0"), QStringLiteral("--observer"),
               QStringLiteral("1"), QStringLiteral("--pdf"), pdf});
    QVERIFY(acv.waitForFinished(60000));
    QCOMPARE(acv.exitCode(), 0);

    QCOMPARE(PageCount(pdf), 8);
    const QString info = Output(QStringLiteral("pdfinfo"), {pdf});
    QVERIFY(info.contains(QStringLiteral("Strictly Confidential")));
    QVERIFY(info.contains(QRegularExpression(QStringLiteral("Author:\\s+VELT"))));
    QVERIFY(info.contains(QRegularExpression(QStringLiteral("Creator:\\s+VELT"))));
    QVERIFY(info.contains(QStringLiteral("CreationDate")));
    // Every font embedded: the last-but-four column of each font line says "yes".
    const QStringList fonts = Output(QStringLiteral("pdffonts"), {pdf})
                                  .split(QLatin1Char('\n'), Qt::SkipEmptyParts)
                                  .mid(2);
    QVERIFY(fonts.size() >= 3);
    QStringList families;
    for (const QString& line : fonts) {
      const QStringList columns = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
      QCOMPARE(columns.at(columns.size() - 5), QStringLiteral("yes"));
      families << columns.front();
    }
    for (const char* family : {"LiberationSerif", "LiberationSans", "EBGaramond"}) {
      QVERIFY2(families.join(' ').contains(QLatin1String(family)), family);
    }
    const QString text = Output(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    for (const char* key :
         {"Strictly Confidential", "Ms Alex Morgan", "ACV RESULTS", "Generalised anxiety disorder",
          "Number of positive screens", "BRIEF DEFINITIONS FOR EACH DISORDER",
          "Definitions (continued)", "ACV Report Interpretation Guidelines"}) {
      QVERIFY2(text.contains(QLatin1String(key)), key);
    }
  }

  void reportCommandSaysWhyItCannotWrite() {
    const testing::SampleFile sample;
    const QString pdf = sample.folder() + QStringLiteral("/no such folder/report.pdf");
    QProcess acv;
    acv.start(QStringLiteral(ACV_EXE),
              {QStringLiteral("report"), QString::fromStdString(sample.fullName()),
               QStringLiteral("--self"), QStringLiteral("0"), QStringLiteral("--pdf"), pdf});
    QVERIFY(acv.waitForFinished(60000));
    QCOMPARE(acv.exitCode(), 2);
    QVERIFY(QString::fromUtf8(acv.readAllStandardError()).contains(QStringLiteral("cannot write")));
    QVERIFY(!QFile::exists(pdf));

    acv.start(QStringLiteral(ACV_EXE),
              {QStringLiteral("report"), QString::fromStdString(sample.fullName()),
               QStringLiteral("--self"), QStringLiteral("0")});
    QVERIFY(acv.waitForFinished(60000));
    QCOMPARE(acv.exitCode(), 2);
    QVERIFY(QString::fromUtf8(acv.readAllStandardError()).contains(QStringLiteral("--pdf")));
  }

  void failedPdfKeepsTheOlderFile() {
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("report.pdf"));
    QVERIFY(WriteReportPdf(pdf, SampleAnalysis()).isEmpty());
    QFile older(pdf);
    QVERIFY(older.open(QIODevice::ReadOnly));
    const QByteArray olderBytes = older.readAll();
    older.close();

    // A file-size limit far below a report's size breaks the write part-way.
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small = saved;
    small.rlim_cur = 4096;
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
    const QString error = WriteReportPdf(pdf, SampleAnalysis());
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    QVERIFY(!error.isEmpty());
    QVERIFY(older.open(QIODevice::ReadOnly));
    QCOMPARE(older.readAll(), olderBytes);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("report.pdf")});
  }

  void printAndPreviewDrawTheAnalysisShown() {
    testing::FakePrompts prompts;
    CMainFrame frame(prompts);
    PdfPrintDialogs dialogs;
    frame.setPrintDialogs(dialogs);
    QTemporaryDir dir;
    dialogs.file = dir.filePath(QStringLiteral("printed.pdf"));

    // No analysis: the commands are off and ask nothing.
    frame.command(QStringLiteral("print"))->trigger();
    frame.printPreviewCommand();
    QCOMPARE(dialogs.asked, 0);

    frame.view()->setAnalysis(SampleAnalysis());
    QVERIFY(frame.command(QStringLiteral("print"))->isEnabled());
    dialogs.accept = false;
    frame.command(QStringLiteral("print"))->trigger();
    QCOMPARE(dialogs.asked, 1);
    QVERIFY(!QFile::exists(dialogs.file));

    // Pages 2 to 3 of 8, as chosen in the print dialog.
    dialogs.accept = true;
    dialogs.first = 2;
    dialogs.last = 3;
    frame.command(QStringLiteral("print"))->trigger();
    QCOMPARE(PageCount(dialogs.file), 2);
    QVERIFY(Output(QStringLiteral("pdftotext"), {dialogs.file, QStringLiteral("-")})
                .contains(QStringLiteral("ACV RESULTS")));

    QFile::remove(dialogs.file);
    frame.command(QStringLiteral("printPreview"))->trigger();
    QCOMPARE(PageCount(dialogs.file), 8);
    QVERIFY(prompts.shown.isEmpty());
  }
};

}  // namespace acv

QTEST_MAIN(acv::ReportPrintingTest)
#include "report_printing_test.moc"
