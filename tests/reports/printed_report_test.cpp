// The printed pages as a model: what each page routine draws where, recorded from its painter
// calls for a two-report and a one-report analysis and for the longest texts the fields hold.
#include <QDir>
#include <QFontMetricsF>
#include <QPainter>
#include <QTemporaryDir>
#include <QtTest>

#include "engine/analysis.h"
#include "reports/printed_report.h"
#include "reports/printed_report_texts.h"
#include "reports/report_page.h"
#include "support/record_builder.h"
#include "support/recording_device.h"
#include "support/sample_analysis.h"

namespace acv {
namespace {

using testing::Drawing;
using testing::DrawnBox;
using testing::DrawnText;
using testing::RecordingDevice;
using testing::RecordingEngine;
using testing::SampleAnalysis;

const QColor kShaded(192, 192, 192);
const QChar kCutSign(0x2026);

// Column centres of the results tables, in inches.
constexpr double kSelfColumn = 0.5 + 2.25 + 0.725 * 1.5;
constexpr double kObserverColumn = kSelfColumn + 0.725;
// Below the column headers of pages 3 to 5.
constexpr double kBelowHeaders = 1.5;

Drawing Record(int page, const Analysis& analysis) {
  RecordingDevice device;
  QPainter painter(&device);
  PrintReportPage(page, painter, analysis);
  painter.end();
  return device.drawing();
}

// Every text field at its full width, in words, and every item answered "Very Often".
ResponseRecord LongestRecord(int type) {
  ResponseRecord record;
  record.SetReportType(type);
  for (int field = 0; field < kTextFieldCount; ++field) {
    const auto which = static_cast<TextField>(field);
    std::string text;
    while (static_cast<int>(text.size()) < FieldWidth(which)) {
      text += "Wmwq" + std::to_string(text.size()) + " ";
    }
    record.SetText(which, text.substr(0, static_cast<std::size_t>(FieldWidth(which) - 1)) + "Z");
  }
  record.SetText(TextField::kBirthDate, "19750307");
  record.SetText(TextField::kCompletionDate, "20261130");
  record.SetText(TextField::kSavedStamp, "20261130101510");
  record.SetGender('F');
  testing::AnswerEvery(record, [](int) { return 5; });
  record.MarkMetItems();
  return record;
}

QString AllText(const Drawing& record) {
  QStringList lines;
  for (const DrawnText& text : record.texts) {
    lines << text.text;
  }
  return lines.join(QLatin1Char(' '));
}

// The smallest drawn box holding `point`; none when no box does.
const DrawnBox* BoxAt(const Drawing& record, const QPointF& point) {
  const DrawnBox* smallest = nullptr;
  for (const DrawnBox& box : record.boxes) {
    if (box.rect.contains(point) &&
        (smallest == nullptr ||
         box.rect.width() * box.rect.height() < smallest->rect.width() * smallest->rect.height())) {
      smallest = &box;
    }
  }
  return smallest;
}

// The area a drawn text covers, in inches.
QRectF Extent(const DrawnText& text) {
  const QFontMetricsF metrics(text.font);
  const double units = RecordingEngine::kUnits;
  return QRectF(text.at.x(), text.at.y() - metrics.ascent() / units,
                metrics.horizontalAdvance(text.text) / units,
                (metrics.ascent() + metrics.descent()) / units);
}

// Texts drawn inside a box that spill out of it.
QStringList SpilledTexts(const Drawing& record) {
  QStringList spilled;
  constexpr double kTolerance = 0.01;
  for (const DrawnText& text : record.texts) {
    const DrawnBox* box = BoxAt(record, text.at);
    if (box != nullptr && !box->rect.adjusted(-kTolerance, -kTolerance, kTolerance, kTolerance)
                               .contains(Extent(text))) {
      spilled << text.text;
    }
  }
  return spilled;
}

// The first text drawn that starts with `start`.
const DrawnText* FindText(const Drawing& record, const QString& start) {
  for (const DrawnText& text : record.texts) {
    if (text.text.startsWith(start)) {
      return &text;
    }
  }
  return nullptr;
}

}  // namespace

class PrintedReportTest : public QObject {
  Q_OBJECT

 private slots:
  void twoReportsDrawEveryScreenWithItsShading() {
    const Analysis analysis = SampleAnalysis(true);
    // Each screen's row, in report order, has one YES or NO; the score cells level with it are
    // shaded for a positive screen.
    int row = 0;
    for (int page = 2; page <= 5; ++page) {
      const Drawing record = Record(page, analysis);
      for (const DrawnText& text : record.texts) {
        const bool summary = page == 5 && text.at.y() > 4.2;  // the reliability rows
        if (summary || (text.text != QLatin1String("YES") && text.text != QLatin1String("NO"))) {
          continue;
        }
        ++row;
        const bool self = analysis.ScreenForReport(row, Report::kSelf).positive;
        const bool observer = analysis.ScreenForReport(row, Report::kObserver).positive;
        QCOMPARE(text.text, QLatin1String(self || observer ? "YES" : "NO"));
        const double y = text.at.y();
        QCOMPARE(BoxAt(record, {kSelfColumn, y})->fill, self ? kShaded : QColor());
        QCOMPARE(BoxAt(record, {kObserverColumn, y})->fill, observer ? kShaded : QColor());
        QCOMPARE(BoxAt(record, text.at)->fill, self || observer ? kShaded : QColor());
      }
      QVERIFY2(SpilledTexts(record).isEmpty(), qPrintable(SpilledTexts(record).join(" | ")));
      QCOMPARE(record.lines.size(), std::size_t{1});  // the footer's rule
      QVERIFY(FindText(record, QString::number(page)) != nullptr);
    }
    QCOMPARE(row, kScreenCount);

    const QString details = AllText(Record(2, analysis));
    QVERIFY(details.contains(QStringLiteral("Ms Alex Morgan")));
    QVERIFY(details.contains(QStringLiteral("Observer:")));
    QVERIFY(details.contains(QStringLiteral("Jordan Morgan")));
    // Both counts of positive screens, and both Omega texts.
    const Drawing summary = Record(5, analysis);
    for (const std::string& text :
         {analysis.PositiveScreenCountText(Report::kSelf), analysis.SelfOmegaText(),
          analysis.ObserverOmegaText(), analysis.ReliabilityCommentText()}) {
      QVERIFY2(AllText(summary).contains(QString::fromStdString(text).section(' ', 0, 2)),
               text.c_str());
    }
  }

  void oneReportLeavesTheObserverCellsEmptyAndPlain() {
    const Analysis analysis = SampleAnalysis(false);
    for (int page = 2; page <= 5; ++page) {
      const Drawing record = Record(page, analysis);
      const double tableTop = page == 2 ? 5.6 : kBelowHeaders;
      // Down to the reliability rows on page 5.
      const double tableBottom = page == 5 ? 4.8 : 10.2;
      for (const DrawnText& text : record.texts) {
        const bool inObserverColumn = qAbs(text.at.x() - kObserverColumn) < 0.36;
        QVERIFY2(!(inObserverColumn && text.at.y() > tableTop && text.at.y() < tableBottom &&
                   !text.text.trimmed().isEmpty()),
                 qPrintable(text.text));
      }
      // Every observer cell plain, down to the count row (a heading row, shaded throughout).
      const double cellsBottom = page == 5 ? 4.2 : 10.2;
      for (const DrawnBox& box : record.boxes) {
        if (qAbs(box.rect.center().x() - kObserverColumn) < 0.1 && box.rect.top() >= tableTop &&
            box.rect.bottom() <= cellsBottom + 0.001) {
          QVERIFY(!box.fill.isValid());
        }
      }
    }
    QVERIFY(!AllText(Record(2, analysis)).contains(QStringLiteral("Observer:")));
  }

  void longestTextsAreDrawnWholeInsideTheirBoxes() {
    Analysis analysis;
    analysis.selfReport() = LongestRecord(kSelfReport);
    analysis.observerReport() = LongestRecord(kObserverReport);
    // The longest lines on the verification too, beside the details on page 2.
    analysis.selfReport().SetVerification(Verification{false, 188});
    analysis.observerReport().SetVerification(Verification{true, 255});
    QString verification;
    for (const DrawnText& text : Record(2, analysis).texts) {
      if (text.at.x() >= 4 && text.at.y() > 4.5 && text.at.y() < 5.1) {
        verification += text.text + QLatin1Char(' ');
      }
    }
    QCOMPARE(verification.simplified(),
             QStringLiteral("Self-report: Responses verified by double entry (the second typing "
                            "by the same person, 188 differences resolved) Observer-report: "
                            "Responses verified by double entry (the second typing by another "
                            "person, 255 differences resolved)"));
    QVERIFY(!AllText(Record(2, SampleAnalysis(true))).contains(QStringLiteral("verified")));
    for (int page = 2; page <= 5; ++page) {
      const Drawing record = Record(page, analysis);
      QVERIFY2(SpilledTexts(record).isEmpty(), qPrintable(SpilledTexts(record).join(" | ")));
      QVERIFY2(!AllText(record).contains(kCutSign), qPrintable(AllText(record)));
    }
    // The comments: every word of both, above the footer.
    const Drawing summary = Record(5, analysis);
    QString comments;
    for (const DrawnText& text : summary.texts) {
      if (text.at.y() > 6.9 && text.at.y() < 10.1) {
        comments += text.text;
      }
    }
    const QString expected = QString::fromStdString(analysis.CommentsText());
    QCOMPARE(comments.remove(QLatin1Char(' ')),
             QString(expected).remove(QLatin1Char(' ')).remove(QStringLiteral("\r\n")));
    // The address: whole, within the room above the phone box.
    const Drawing details = Record(2, analysis);
    QString address;
    for (const DrawnText& text : details.texts) {
      if (text.at.y() > 3.4 && text.at.y() < 4.0 && text.at.x() > 1.25 && text.at.x() < 3.9) {
        address += text.text;
      }
    }
    QCOMPARE(address.remove(QLatin1Char(' ')), QString::fromStdString(analysis.AddressText())
                                                   .remove(QLatin1Char(' '))
                                                   .remove(QStringLiteral("\r\n")));
  }

  void readingPagesFitAboveTheFooterAtTheirOwnSizes() {
    const Analysis analysis = SampleAnalysis(true);
    for (int page = kFirstReadingPage; page <= kLastReadingPage; ++page) {
      const ReadingPage& reading = ReadingPageText(page);
      const Drawing record = Record(page, analysis);
      QString flowed;
      for (const DrawnText& text : record.texts) {
        if (text.at.y() < 1.0 || text.at.y() > 10.4) {
          continue;  // the heading and the footer
        }
        QVERIFY2(text.at.y() < 10.35, qPrintable(text.text));
        const double points = text.points();
        QVERIFY2(qAbs(points - reading.headingPoints) < 0.1 ||
                     qAbs(points - reading.titlePoints) < 0.1 ||
                     qAbs(points - reading.bodyPoints) < 0.1 ||
                     qAbs(points - reading.spacerPoints) < 0.1,
                 qPrintable(text.text));
        flowed += text.text + QLatin1Char(' ');
      }
      // Lines may break after a hyphen, so the texts are compared without spaces.
      flowed.remove(QLatin1Char(' '));
      for (const ReadingParagraph& paragraph : reading.paragraphs) {
        QVERIFY2(flowed.contains(QString::fromUtf8(paragraph.text).remove(QLatin1Char(' '))),
                 paragraph.text);
      }
      QCOMPARE(record.texts.front().font.family(), QStringLiteral("Liberation Sans"));
      QVERIFY(FindText(record, QString::number(page)) != nullptr);
    }
    QVERIFY(AllText(Record(7, analysis)).contains(QStringLiteral("Tourette\u2019s Disorder")));
  }

  void coverHasBothPicturesAndNoPageNumber() {
    const Drawing cover = Record(1, SampleAnalysis(true));
    QCOMPARE(cover.images.size(), std::size_t{2});
    QCOMPARE(cover.images[0].rect, QRectF(QPointF(2.81, 1.9), QPointF(5.17, 4.15)));
    QCOMPARE(cover.images[1].rect, QRectF(QPointF(0.77, 4.8), QPointF(7.27, 6.11)));
    QCOMPARE(cover.texts.front().text, QStringLiteral("Strictly Confidential"));
    QVERIFY(cover.texts.front().font.underline());
    QCOMPARE(cover.texts.back().font.family(), QStringLiteral("EB Garamond 12"));
    for (const DrawnText& text : cover.texts) {
      QVERIFY2(text.at.y() < 10, qPrintable(text.text));  // no footer
    }
  }

  void smallerPrintableAreaShrinksThePageEvenly() {
    // US Letter with wide margins: 8 by 10.4 inches, less than the report's 10.9 inches down.
    constexpr double kWidth = 8.0;
    constexpr double kHeight = 10.4;
    RecordingDevice device(kWidth, kHeight);
    QPainter painter(&device);
    PrintReportPage(6, painter, SampleAnalysis(true));
    painter.end();
    const Drawing& drawn = device.drawing();
    const double scale = kHeight / kReportHeightInches;
    QRectF used;
    for (const DrawnBox& box : drawn.boxes) {
      used |= box.rect;
    }
    for (const DrawnText& text : drawn.texts) {
      used |= Extent(text);
    }
    QVERIFY2(QRectF(0, 0, kWidth, kHeight).contains(used),
             qPrintable(QString::number(used.bottom())));
    // The text box, 6.9 by 9.8 inches, at the same proportions and centred across.
    const QRectF box = drawn.boxes.at(1).rect;
    QVERIFY(qAbs(box.width() - 6.9 * scale) < 0.01 && qAbs(box.height() - 9.8 * scale) < 0.01);
    QVERIFY(qAbs(box.left() - ((kWidth - kReportWidthInches * scale) / 2 + 0.5 * scale)) < 0.01);
    QVERIFY(qAbs(drawn.texts.front().points() - 12 * scale) < 0.1);
  }

  void pagesOutsideOneToEightDrawNothing() {
    for (int page : {0, 9, -1}) {
      const Drawing record = Record(page, SampleAnalysis(true));
      QVERIFY(record.texts.empty() && record.boxes.empty() && record.images.empty());
    }
  }

  void missingOrDamagedPictureLeavesItsPlaceEmpty() {
    QTemporaryDir dir;
    QFile damaged(dir.filePath(QStringLiteral("Print_ACV_Logo.bmp")));
    QVERIFY(damaged.open(QIODevice::WriteOnly));
    damaged.write("BM\x10\x00 not a bitmap");
    damaged.close();
    RecordingDevice device;
    QPainter painter(&device);
    {
      ReportPage page(painter);
      page.DrawBitmapFile(1, 1, 2, 2, QStringLiteral("Print_ACV_Logo.bmp"), {dir.path()});
      page.DrawBitmapFile(1, 1, 2, 2, QStringLiteral("Print_ACV_Report_Form.bmp"), {dir.path()});
      QVERIFY(device.drawing().images.empty());
      // The build's own picture is found and drawn.
      page.DrawBitmapFile(1, 1, 2, 2, QString::fromLatin1(kReportFormPicture));
      QCOMPARE(device.drawing().images.size(), std::size_t{1});
    }
    painter.end();
  }

  void picturesAreFoundBesideTheProgramsBinFolder() {
    // An installed layout: prefix/bin/program and prefix/share/adult-corvantis/.
    QTemporaryDir prefix;
    QVERIFY(QDir(prefix.path()).mkpath(QStringLiteral("bin")));
    QVERIFY(QDir(prefix.path()).mkpath(QStringLiteral("share/adult-corvantis")));
    const QString bin = prefix.filePath(QStringLiteral("bin"));
    const QString installed = prefix.filePath(QStringLiteral("share/adult-corvantis/") +
                                              QString::fromLatin1(kLogoPicture));
    QVERIFY(QFile::copy(FindReportPicture(QString::fromLatin1(kLogoPicture)), installed));
    QCOMPARE(FindReportPicture(QString::fromLatin1(kLogoPicture), ReportPictureFolders(bin)),
             installed);
    // Nothing for a program outside both trees, wherever the build was made.
    QTemporaryDir elsewhere;
    QCOMPARE(FindReportPicture(QString::fromLatin1(kLogoPicture),
                               ReportPictureFolders(elsewhere.path())),
             QString());
    // The walk up ends at the root.
    QCOMPARE(ReportPictureFolders(QStringLiteral("/")), QStringList{"/share/adult-corvantis"});
  }

  void textTooLongForItsBoxStepsDownThenEndsWithASign() {
    RecordingDevice device;
    QPainter painter(&device);
    {
      ReportPage page(painter);
      const ReportBox box = page.AddBox(1, 1, 1.3, 3, Fill::kNone);
      page.PrintInBox(box, 0, 0.05, kPlain, 9, QStringLiteral("Two words"));
      QCOMPARE(device.drawing().texts.back().points(), 9.0);
      page.PrintInBox(box, 0, 0.05, kPlain, 9, QStringLiteral("word ").repeated(20));
      QVERIFY(device.drawing().texts.back().points() < 9);
      QVERIFY(!AllText(device.drawing()).contains(kCutSign));
      page.PrintInBox(box, 0, 0.05, kPlain, 9, QStringLiteral("word ").repeated(300));
      QVERIFY(device.drawing().texts.back().text.endsWith(kCutSign));
      QVERIFY(qAbs(device.drawing().texts.back().points() - ReportPage::kSmallestPointSize) < 0.05);
      QVERIFY2(SpilledTexts(device.drawing()).isEmpty(),
               qPrintable(SpilledTexts(device.drawing()).join(" | ")));
    }
    painter.end();
  }
};

}  // namespace acv

QTEST_MAIN(acv::PrintedReportTest)
#include "printed_report_test.moc"
