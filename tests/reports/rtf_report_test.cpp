// The RTF report: its escaping, the document a word processor makes of it (converted by
// LibreOffice and read back from the PDF), and the crash-safe save.
#include <sys/resource.h>

#include <QProcess>
#include <QRegularExpression>
#include <QtTest>
#include <csignal>
#include <optional>

#include "engine/cp1252.h"
#include "engine/item_bank.h"
#include "engine/screens.h"
#include "reports/rtf_report.h"
#include "storage/format/file_status.h"
#include "storage/records/sample_records.h"
#include "support/sample_file.h"
#include "support/temp_dir.h"
#include "ui/text.h"

namespace acv {
namespace {

// Alex Morgan's Self- and Observer-report, with every text a word processor could misread.
Analysis TrickyAnalysis() {
  const std::vector<ResponseRecord> sample = SampleRecords();
  Analysis analysis;
  analysis.selfReport() = sample[0];
  analysis.observerReport() = sample[1];
  ResponseRecord& self = analysis.selfReport();
  self.SetText(TextField::kFirstName, Utf8ToCp1252("Zoë {Al}"));
  self.SetText(TextField::kStreetAddress, "12 Back\\Lane");
  self.SetText(TextField::kTown, "Brace}Town");
  self.SetText(TextField::kComments,
               Utf8ToCp1252("Sleeps “badly” {often} C:\\Temp\r\nsecond ‘line’ here"));
  self.SetText(TextField::kPhone, "555{0100}");
  analysis.observerReport().SetText(TextField::kObserverName, Utf8ToCp1252("Jo “J” {Obs}"));
  analysis.observerReport().SetText(TextField::kComments, "}{\\");
  analysis.selfReport().MarkMetItems();
  analysis.observerReport().MarkMetItems();
  return analysis;
}

// Alex Morgan's reports answered "Very Often" throughout, so that the items met of most screens
// run over several lines and the results over two pages; the Self-report's last 52 statements
// answered "Never" and the first of each repeated pair left blank in the Observer-report (its
// Omega has too few pairs, for a comment on reliability of three lines). With these the
// results end so low on their last page that the reliability table's header row fits below
// them but its values do not.
Analysis LongAnalysis() {
  const std::vector<ResponseRecord> sample = SampleRecords();
  Analysis analysis;
  analysis.selfReport() = sample[0];
  analysis.observerReport() = sample[1];
  for (int item = 1; item <= kItemCount; ++item) {
    analysis.selfReport().SetResponse(item, item <= 138 ? 5 : 0);
    analysis.observerReport().SetResponse(item, 5);
  }
  for (const ItemPair& pair : kOmegaPairs) {
    analysis.observerReport().SetResponse(pair.first, -1);
  }
  analysis.selfReport().MarkMetItems();
  analysis.observerReport().MarkMetItems();
  return analysis;
}

// All runs of blanks as one blank; a word wrapped after its hyphen joined again.
QString Squeezed(QString text) {
  return text.replace(QStringLiteral("-\n"), QStringLiteral("-")).simplified();
}

// The text of each page of a PDF file, as laid out.
QStringList PdfPages(const QString& pdf) {
  QProcess text;
  text.start(QStringLiteral("pdftotext"), {QStringLiteral("-raw"), pdf, QStringLiteral("-")});
  text.waitForFinished(60000);
  QStringList pages = QString::fromUtf8(text.readAllStandardOutput()).split(QLatin1Char('\f'));
  pages.removeLast();  // after the last page's form feed
  return pages;
}

}  // namespace

class RtfReportTest : public QObject {
  Q_OBJECT

 private slots:
  void textsAreEscapedWhole() {
    const struct {
      std::string_view in;
      std::string_view out;
    } cases[] = {
        {"plain", "plain"},
        {"a\\b{c}d", "a\\\\b\\{c\\}d"},
        {"ends in \\", "ends in \\\\"},
        {"one\r\ntwo\nthree\rfour", "one\\line two\\line three\\line four"},
        {"\x93quoted\x94 caf\xe9", "\\'93quoted\\'94 caf\\'e9"},
        {"tab\there\x01", "tab\\tab here"},
    };
    for (const auto& [in, out] : cases) {
      QCOMPARE(QString::fromStdString(RtfText(in)), QString::fromStdString(std::string(out)));
    }
  }

  void defaultNameMarksTheReportsPresent() {
    Analysis analysis = TrickyAnalysis();
    QCOMPARE(DefaultRtfName(analysis, "20261207"), Utf8ToCp1252("Zoë {Al}_Morgan_so_20261207"));
    analysis.selfReport() = ResponseRecord();
    QCOMPARE(DefaultRtfName(analysis, "20260101"), std::string("Alex_Morgan_o_20260101"));
  }

  // A report verified by double entry says so in a row of its own under the details.
  void theVerificationIsARowUnderTheDetails() {
    Analysis analysis = TrickyAnalysis();
    QVERIFY(RtfDocument(analysis).find("verified by double entry") == std::string::npos);
    analysis.observerReport().SetVerification(Verification{true, 3});
    const std::string document = RtfDocument(analysis);
    const std::size_t line = document.find(
        "Observer-report: Responses verified by double entry (the second typing by another "
        "person, 3 differences resolved)");
    QVERIFY(line != std::string::npos);
    QVERIFY(document.find("Completion Date:") < line);
    QVERIFY(line < document.find("Observer-Report Score"));
  }

  // The document as LibreOffice shows it: every text as typed, the tables' values in place.
  void aWordProcessorShowsTheAnalysisAsTyped() {
    convertReports();
    if (QTest::currentTestFailed() || pdfs_.isEmpty()) {
      return;
    }
    const Analysis analysis = TrickyAnalysis();
    const QString pdf = Squeezed(PdfPages(pdfs_ + QStringLiteral("/report.pdf")).join(u' '));

    for (const char* expected :
         {"Strictly Confidential", "Adult Corvantis Report Form", "BRIEF OUTLINE OF THE ACV",
          "ACV RESULTS", "Zoë {Al} Morgan", "555{0100}", "Jo “J” {Obs}", "12 Back\\Lane",
          "Brace}Town", "[Self: Sleeps “badly” {often} C:\\Temp second ‘line’ here]",
          "{Observer: }{\\}", "Attention-deficit/hyperactivity disorder combined type (#1)",
          "ATTENTION-DEFICIT and DISRUPTIVE BEHAVIOUR DISORDERS", "Asperger's disorder (#4)",
          "Number of positive screens", "Range: -1 to +1 >0.07",
          "# Indicates mutually exclusive screens", "PERVASIVE DEVELOPMENTAL DISORDERS"}) {
      QVERIFY2(pdf.contains(QString::fromUtf8(expected)), expected);
    }
    // The escapes themselves never show: the only backslashes are the three typed ones.
    QCOMPARE(pdf.count(QLatin1Char('\\')), 3);
    QVERIFY(!pdf.contains(QStringLiteral("\\line")));
    for (const std::string& shown :
         {analysis.SelfOmegaText(), analysis.ObserverOmegaText(), analysis.ReliabilityCommentText(),
          analysis.ScreenForReport(1, Report::kSelf).itemsMet, analysis.BirthDateText(),
          analysis.AgeText(), analysis.ObserverNameText()}) {
      QVERIFY2(pdf.contains(Squeezed(toQt(shown))), shown.c_str());
    }
    QVERIFY(!pdf.contains(QStringLiteral("hyperactivity disorder,")));
    QCOMPARE(pdf.count(QStringLiteral("(Total score also evaluated)")), 2);
    // The comment's line break is a line break, not a paragraph of the same line.
    QVERIFY(!pdf.contains(QStringLiteral("C:\\Tempsecond")));
  }

  // Results over several pages: each page of them starts with the table's header row, and the
  // reliability table's header row stays on the page of its values.
  void longResultsKeepTheirHeadersWithThem() {
    convertReports();
    if (QTest::currentTestFailed() || pdfs_.isEmpty()) {
      return;
    }
    int resultPages = 0;
    for (const QString& raw : PdfPages(pdfs_ + QStringLiteral("/long.pdf"))) {
      const QString page = Squeezed(raw);
      bool results = page.contains(QStringLiteral("Number of positive screens"));
      for (int row = 1; row <= kScreenCount; ++row) {
        const std::string_view label = ScreenTableRow(row).label;
        results = results || page.contains(toQt(std::string(label.substr(0, label.find(' ')))));
      }
      if (results) {
        ++resultPages;
        QVERIFY(page.contains(QStringLiteral("Disorder # Indicates mutually exclusive screens")));
        QVERIFY(page.contains(QStringLiteral(
            "Positive Screen Items Met [Self Report Items met] {Observer Report Items met}")));
      }
      QCOMPARE(page.contains(QStringLiteral("Reliability Measure")),
               page.contains(QStringLiteral("Range: -1 to +1")));
    }
    QVERIFY(resultPages >= 2);
  }

  void theCommandLineTakesOnlyAnRtfName() {
    const testing::SampleFile sample;
    QProcess acv;
    acv.start(QStringLiteral(ACV_EXE),
              {QStringLiteral("report"), QString::fromStdString(sample.fullName()),
               QStringLiteral("--self"), QStringLiteral("0"), QStringLiteral("--rtf"),
               sample.folder() + QStringLiteral("/report.doc")});
    QVERIFY(acv.waitForFinished(60000));
    QCOMPARE(acv.exitCode(), 2);
    QVERIFY(QString::fromUtf8(acv.readAllStandardError()).contains(QStringLiteral(".rtf")));
  }

  void anExistingReportIsReplacedOnlyWhenAskedAndOnlyWhole() {
    testing::TempDir dir;
    const std::string name = dir.File("report");
    const std::string path = name + ".rtf";
    testing::WriteBytes(path, "old report");
    const Analysis analysis = TrickyAnalysis();
    int asked = 0;
    QCOMPARE(SaveRtfReport(analysis, name, [&] { return ++asked, false; }).result,
             RtfSaveResult::kDeclined);
    QCOMPARE(asked, 1);
    QCOMPARE(testing::ReadBytes(path), std::string("old report"));

    // A disk that fills up half way: the old report stays, no part of the new one is left.
    const int child = testing::InChild([&] {
      signal(SIGXFSZ, SIG_IGN);
      const rlimit limit{4096, 4096};
      setrlimit(RLIMIT_FSIZE, &limit);
      const RtfSaveOutcome outcome = SaveRtfReport(analysis, name, [] { return true; });
      return outcome.result == RtfSaveResult::kWriteError && outcome.code == FileStatus::kDiskFull
                 ? 0
                 : 1;
    });
    QCOMPARE(child, 0);
    QCOMPARE(testing::ReadBytes(path), std::string("old report"));
    // Said in the words of every writer, whether the open or a write met the full disk.
    for (const RtfSaveResult stage : {RtfSaveResult::kOpenError, RtfSaveResult::kWriteError}) {
      QCOMPARE(RtfFailureMessage({stage, FileStatus::kDiskFull}, "r").text,
               std::string("The file\n\t'r.rtf'\ncould not be written because the disk is "
                           "full.\n\nNo part of the report was saved."));
    }
    QCOMPARE(QDir(QString::fromStdString(dir.path())).entryList(QDir::Files).size(), 1);

    QCOMPARE(SaveRtfReport(analysis, name, [] { return true; }).result, RtfSaveResult::kSaved);
    QCOMPARE(testing::ReadBytes(path), RtfDocument(analysis));
    const RtfSaveOutcome missing =
        SaveRtfReport(analysis, dir.File("none/report"), [] { return true; });
    QCOMPARE(missing.result, RtfSaveResult::kOpenError);
    QCOMPARE(missing.code, FileStatus::kNotFound);
  }

 private:
  // The tricky report, written through the command line as a user would, and the long one,
  // converted to PDF by one run of LibreOffice (it is slow to start) into `pdfs_`.
  void convertReports() {
    if (!pdfs_.isEmpty()) {
      return;
    }
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (soffice.isEmpty()) {
      QSKIP("LibreOffice is not installed (scripts/setup installs it)");
    }
    const Analysis analysis = TrickyAnalysis();
    sample_.emplace(std::vector<ResponseRecord>{analysis.selfReport(), analysis.observerReport()});
    const QString folder = sample_->folder();
    const QString report = folder + QStringLiteral("/report.rtf");
    const QString longReport = folder + QStringLiteral("/long.rtf");
    QProcess acv;
    acv.start(QStringLiteral(ACV_EXE),
              {QStringLiteral("report"), QString::fromStdString(sample_->fullName()),
               QStringLiteral("--self"), QStringLiteral("8"), QStringLiteral("--observer"),
               QStringLiteral("9"), QStringLiteral("--rtf"), report});
    QVERIFY(acv.waitForFinished(60000));
    QCOMPARE(acv.exitCode(), 0);
    QCOMPARE(WriteRtfReportFile(longReport.toStdString(), LongAnalysis()), std::string());

    QProcess convert;
    convert.start(
        soffice,
        {QStringLiteral("-env:UserInstallation=file://") + folder + QStringLiteral("/profile"),
         QStringLiteral("--headless"), QStringLiteral("--convert-to"), QStringLiteral("pdf"),
         QStringLiteral("--outdir"), folder, report, longReport});
    QVERIFY(convert.waitForFinished(180000));
    QCOMPARE(convert.exitCode(), 0);
    pdfs_ = folder;
  }

  std::optional<testing::SampleFile> sample_;
  QString pdfs_;
};

}  // namespace acv

QTEST_MAIN(acv::RtfReportTest)
#include "rtf_report_test.moc"
