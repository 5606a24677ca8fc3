// Printing, previewing and PDF: the PDF as a reader sees it (pages, embedded fonts, texts), the
// failure that keeps an older file, `acv report`, and the window's Print and Print Preview.
#include <sys/resource.h>
#include <sys/stat.h>

#include <QAction>
#include <QComboBox>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>
#include <algorithm>
#include <csignal>

#include "reports/analysis_view.h"
#include "reports/report_printing.h"
#include "shell/acv_settings.h"
#include "shell/main_frame.h"
#include "storage/history/history_review.h"
#include "support/analysis_choice.h"
#include "support/dialogs.h"
#include "support/fake_prompts.h"
#include "support/sample_analysis.h"
#include "support/sample_file.h"

namespace acv {
namespace {

using testing::SampleAnalysis;

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

// An archival PDF as a reader sees it: PDF/A identification and output intent, the title, the
// maker as author and creator, and a creation date.
void VerifyArchival(const QString& pdf) {
  QFile file(pdf);
  QVERIFY(file.open(QIODevice::ReadOnly));
  const QByteArray bytes = file.readAll();
  QVERIFY(bytes.contains("pdfaid:part"));
  QVERIFY(bytes.contains("/OutputIntents"));
  const QString info = Output(QStringLiteral("pdfinfo"), {pdf});
  QVERIFY(info.contains(QRegularExpression(QStringLiteral("Title:\\s+Strictly Confidential"))));
  QVERIFY(info.contains(QRegularExpression(QStringLiteral("Author:\\s+VELT"))));
  QVERIFY(info.contains(QRegularExpression(QStringLiteral("Creator:\\s+VELT"))));
  QVERIFY(info.contains(QStringLiteral("CreationDate")));
}

// The permission bits a file was created with.
mode_t ModeOf(const QString& path) {
  struct stat info {};
  return stat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_mode & 07777 : 0;
}

// A word of a PDF page as poppler places it, in points from the page's top-left corner.
struct Word {
  QString text;
  QRectF box;
};

// The words of page `page`, as `pdftotext -bbox` reads them.
QList<Word> PageWords(const QString& pdf, int page) {
  const QString xhtml =
      Output(QStringLiteral("pdftotext"),
             {QStringLiteral("-bbox"), QStringLiteral("-f"), QString::number(page),
              QStringLiteral("-l"), QString::number(page), pdf, QStringLiteral("-")});
  static const QRegularExpression word(QStringLiteral(
      R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
  QList<Word> words;
  for (const QRegularExpressionMatch& match : word.globalMatch(xhtml)) {
    const QPointF topLeft(match.captured(1).toDouble(), match.captured(2).toDouble());
    const QPointF bottomRight(match.captured(3).toDouble(), match.captured(4).toDouble());
    QString text = match.captured(5);
    text.replace(QStringLiteral("&gt;"), QStringLiteral(">"))
        .replace(QStringLiteral("&lt;"), QStringLiteral("<"))
        .replace(QStringLiteral("&amp;"), QStringLiteral("&"));
    words.push_back({text, QRectF(topLeft, bottomRight)});
  }
  return words;
}

// The first word `text` lying within `area` (everywhere when `area` is empty).
const Word* FindWord(const QList<Word>& words, const QString& text, const QRectF& area = {}) {
  for (const Word& word : words) {
    if (word.text == text && (area.isEmpty() || area.contains(word.box.center()))) {
      return &word;
    }
  }
  return nullptr;
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
    const QString rtf = sample.folder() + QStringLiteral("/report.rtf");
    // Run as cron and sudo run it: without a runtime folder, and without a word of Qt's.
    QProcess acv;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("XDG_RUNTIME_DIR"));
    acv.setProcessEnvironment(environment);
    acv.start(QStringLiteral(ACV_EXE),
              {QStringLiteral("report"), QString::fromStdString(sample.fullName()),
               QStringLiteral("--self"), QStringLiteral("0"), QStringLiteral("--observer"),
               QStringLiteral("1"), QStringLiteral("--pdf"), pdf, QStringLiteral("--rtf"), rtf});
    QVERIFY(acv.waitForFinished(60000));
    QCOMPARE(acv.exitCode(), 0);
    QCOMPARE(acv.readAllStandardError(), QByteArray());
    // Each report taken out is noted in the history, with the records it shows.
    HistoryReview review;
    QCOMPARE(ReviewHistory(sample.fullName(), &review), FileStatus::kOk);
    QVERIFY(review.problems.empty());
    QVERIFY(review.entries.size() >= 2);
    const std::vector<IndexRun> shown = {{0, 1}};
    QCOMPARE(review.entries.end()[-2].action, HistoryAction::kReportPdf);
    QVERIFY(review.entries.end()[-2].taken == shown);
    QCOMPARE(review.entries.back().action, HistoryAction::kReportRtf);

    QCOMPARE(PageCount(pdf), 8);
    VerifyArchival(pdf);
    // Both hold the patient's details, so both are kept from other users alike.
    QCOMPARE(ModeOf(pdf), ModeOf(rtf));
    QCOMPARE(ModeOf(pdf) & 0007, mode_t(0));
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

  // Page 2's values and the counts of the one-value rows, where a reader finds them.
  void pagesPlaceTheirTextsAsLaidOut() {
    Analysis analysis = SampleAnalysis();
    ResponseRecord& self = analysis.selfReport();
    self.SetText(TextField::kStreetAddress, "Flat 4, 12 Example Street");
    self.SetText(TextField::kTown, "Ashby");
    self.SetText(TextField::kPostcode, "2000");
    self.SetText(TextField::kCountry, "Australia");
    self.SetText(TextField::kPhone, "555 0100");
    self.SetText(TextField::kPhone2, "555 0199");
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("report.pdf"));
    QVERIFY(WriteReportPdf(pdf, analysis).isEmpty());

    // A three-line address and a two-line phone keep the 9 points of a one-line value.
    const QList<Word> details = PageWords(pdf, 2);
    const Word* gender = FindWord(details, QStringLiteral("Female"));
    QVERIFY(gender != nullptr);
    for (const char* shown : {"Flat", "Ashby", "Australia", "0100", "0199"}) {
      const Word* word = FindWord(details, QLatin1String(shown));
      QVERIFY2(word != nullptr, shown);
      QVERIFY2(qAbs(word->box.height() - gender->box.height()) < 0.1, shown);
    }
    const Word* street = FindWord(details, QStringLiteral("Flat"));
    const Word* country = FindWord(details, QStringLiteral("Australia"));
    QVERIFY2(country->box.top() - street->box.top() > 1.5 * gender->box.height(), "lines apart");

    // A word wider than its box is broken between characters inside it, still at 9 points, and
    // the rest of the value follows; a 200-character word of the comments is on the page whole.
    self.SetText(TextField::kStreetAddress, std::string(40, 'W'));
    analysis.observerReport().SetText(TextField::kComments, std::string(200, 'Q'));
    QVERIFY(WriteReportPdf(pdf, analysis).isEmpty());
    const QList<Word> wide = PageWords(pdf, 2);
    QString read;  // the page's words in reading order, run together
    for (const Word& word : wide) {
      read += word.text;
      if (word.text.startsWith(u'W')) {
        QVERIFY2(qAbs(word.box.height() - gender->box.height()) < 0.1, "not shrunk");
      }
    }
    QVERIFY2(read.contains(QString(40, u'W') + QStringLiteral("Ashby")), qPrintable(read));
    for (const char* shown : {"Ashby", "2000", "Australia"}) {
      QVERIFY2(FindWord(wide, QLatin1String(shown)) != nullptr, shown);
    }
    read.clear();
    for (const Word& word : PageWords(pdf, 5)) {
      read += word.text;
    }
    QVERIFY2(read.contains(QStringLiteral("{Observer:") + QString(200, u'Q') + u'}'),
             qPrintable(read));

    // One-value rows: each count level with the row's label, above the cutoff in the lower part.
    const struct {
      int page;
      int row;
      const char* label;
    } rows[] = {
        {3, 13, "Phonological"}, {4, 16, "Anorexia"}, {4, 17, "Bulimia"}, {4, 21, "Antisocial"}};
    constexpr double kPoints = 72;
    for (const auto& [page, row, labelWord] : rows) {
      const QList<Word> words = PageWords(pdf, page);
      const Word* label = FindWord(words, QLatin1String(labelWord));
      QVERIFY2(label != nullptr, labelWord);
      const double tableLeft = label->box.left() - 0.1 * kPoints;
      const double rowTop = label->box.top() - 0.1 * kPoints;
      const auto column = [&](int index) {
        const double left = tableLeft + (2.25 + 0.725 * (index - 1)) * kPoints;
        return QRectF(left, rowTop, 0.725 * kPoints, 0.6 * kPoints);
      };
      const Word* cutoff =
          FindWord(words, QString::fromLatin1(ScreenTableRow(row).cutoffText).trimmed(), column(1));
      QVERIFY2(cutoff != nullptr, labelWord);
      QVERIFY2(cutoff->box.top() > rowTop + 0.25 * kPoints, labelWord);
      for (const auto& [index, which] :
           {std::pair{2, Report::kSelf}, std::pair{3, Report::kObserver}}) {
        const QString count = QString::number(analysis.ScreenForReport(row, which).counts.front());
        const Word* shown = FindWord(words, count, column(index));
        QVERIFY2(shown != nullptr, labelWord);
        QVERIFY2(qAbs(shown->box.top() - label->box.top()) < 0.5, labelWord);
      }
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
    // A device is named as one, in words, not by the file layer's number.
    acv.start(QStringLiteral(ACV_EXE),
              {QStringLiteral("report"), QString::fromStdString(sample.fullName()),
               QStringLiteral("--self"), QStringLiteral("0"), QStringLiteral("--force"),
               QStringLiteral("--pdf"), QStringLiteral("/dev/full")});
    QVERIFY(acv.waitForFinished(60000));
    QCOMPARE(acv.exitCode(), 2);
    QCOMPARE(QString::fromUtf8(acv.readAllStandardError()),
             QStringLiteral("acv report: cannot write /dev/full: the name is that of a folder, "
                            "device, pipe or socket, not of a file\n"));

    acv.start(QStringLiteral(ACV_EXE),
              {QStringLiteral("report"), QString::fromStdString(sample.fullName()),
               QStringLiteral("--self"), QStringLiteral("0")});
    QVERIFY(acv.waitForFinished(60000));
    QCOMPARE(acv.exitCode(), 2);
    QVERIFY(QString::fromUtf8(acv.readAllStandardError()).contains(QStringLiteral("--pdf")));

    // A file there is replaced only with --force, as acv export replaces one.
    const QString rtf = sample.folder() + QStringLiteral("/report.rtf");
    QFile older(rtf);
    QVERIFY(older.open(QIODevice::WriteOnly));
    older.write("older");
    older.close();
    const QStringList arguments = {
        QStringLiteral("report"), QString::fromStdString(sample.fullName()),
        QStringLiteral("--self"), QStringLiteral("0"),
        QStringLiteral("--rtf"),  rtf};
    acv.start(QStringLiteral(ACV_EXE), arguments);
    QVERIFY(acv.waitForFinished(60000));
    QCOMPARE(acv.exitCode(), 2);
    QVERIFY(QString::fromUtf8(acv.readAllStandardError())
                .contains(QStringLiteral("already exists; pass --force")));
    QCOMPARE(QFileInfo(rtf).size(), qint64{5});

    // A full disk, said in words on one line.
    acv.setChildProcessModifier([] {
      signal(SIGXFSZ, SIG_IGN);
      const rlimit limit{4096, 4096};
      setrlimit(RLIMIT_FSIZE, &limit);
    });
    acv.start(QStringLiteral(ACV_EXE), arguments + QStringList{QStringLiteral("--force")});
    QVERIFY(acv.waitForFinished(60000));
    QCOMPARE(acv.exitCode(), 2);
    const QString error = QString::fromUtf8(acv.readAllStandardError());
    QVERIFY2(error.contains(QStringLiteral("acv report: cannot write %1: The file  '%1' could not "
                                           "be written because the disk is full.  No part of the "
                                           "report was saved.\n")
                                .arg(rtf)),
             qPrintable(error));
    QCOMPARE(QFileInfo(rtf).size(), qint64{5});
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

    QCOMPARE(error, QStringLiteral("the disk is full"));  // in words, not "Unknown error"
    QVERIFY(older.open(QIODevice::ReadOnly));
    QCOMPARE(older.readAll(), olderBytes);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("report.pdf")});
  }

  void printAndPreviewDrawTheAnalysisShown() {
    const testing::SampleFile sample;
    {
      AcvSettings settings;
      settings.setAcvFileName(sample.stem());
    }
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

    // Alex Morgan's two reports, records 0 and 1, as the Analysis dialog chooses them.
    testing::AnalyseAlexMorgan();
    frame.command(QStringLiteral("analysis"))->trigger();
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
    // Printed to a file, the report is the archival document a saved one is, and the history
    // notes which records it showed (a print cancelled, none).
    VerifyArchival(dialogs.file);
    QCOMPARE(ModeOf(dialogs.file) & 0007, mode_t(0));
    HistoryReview review;
    QCOMPARE(ReviewHistory(sample.fullName(), &review), FileStatus::kOk);
    QCOMPARE(std::count_if(review.entries.begin(), review.entries.end(),
                           [](const HistoryEntry& entry) { return TakesDataOut(entry.action); }),
             1);
    QCOMPARE(review.entries.back().action, HistoryAction::kReportPdf);
    QVERIFY((review.entries.back().taken == std::vector<IndexRun>{{0, 1}}));

    QFile::remove(dialogs.file);
    frame.command(QStringLiteral("printPreview"))->trigger();
    QCOMPARE(PageCount(dialogs.file), 8);
    QVERIFY(prompts.shown.isEmpty());
  }

  // Qt's own preview, with every part named and each button of its toolbar that works reached
  // by Tab (and no other).
  void thePreviewIsNamedAndReachedByTab() {
    QPrinter printer;
    QStringList faults;
    qsizetype toolButtons = 0;
    qsizetype reached = 0;
    testing::WhenShown<QPrintPreviewDialog>([&](QPrintPreviewDialog& dialog) {
      faults = testing::Unnamed(dialog);
      for (QWidget* part : {static_cast<QWidget*>(dialog.findChild<QComboBox*>()),
                            static_cast<QWidget*>(dialog.findChild<QPrintPreviewWidget*>())}) {
        if (QAccessible::queryAccessibleInterface(part)->text(QAccessible::Name).isEmpty()) {
          faults << QLatin1String(part->metaObject()->className());
        }
      }
      QSet<QToolButton*> visited;
      for (int step = 0; step < 60; ++step) {
        if (auto* button = qobject_cast<QToolButton*>(QApplication::focusWidget())) {
          visited.insert(button);
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      }
      for (QToolButton* button : dialog.findChildren<QToolButton*>()) {
        if (button->isVisible() && button->isEnabled()) {
          ++toolButtons;
          reached += visited.contains(button) ? 1 : 0;
        } else if (visited.contains(button)) {
          faults << QStringLiteral("reached while off: ") + button->text();
        }
      }
    });
    QtPrintDialogs().preview(printer, nullptr, [](QPrinter&) {});
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1String(", "))));
    QVERIFY(toolButtons > 8);
    QCOMPARE(reached, toolButtons);
  }
};

}  // namespace acv

QTEST_MAIN(acv::ReportPrintingTest)
#include "report_printing_test.moc"
