// The analysis view: the welcome page, the tables' set-up and fitting, and filling them from
// an analysis (the cells' own rules are tested with the report cells).
#include <QLabel>
#include <QtTest>

#include "grid/grid_control.h"
#include "reports/analysis_view.h"
#include "storage/analysis_loader.h"
#include "storage/sample_records.h"
#include "ui/artwork.h"

namespace acv {
namespace {

using Field = AnalysisForm::Field;

const QColor kShaded(225, 225, 220);
const QColor kPlain(255, 255, 255);

QString Lines(const char* text) {
  return QString::fromLatin1(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

// Pixels of `image` within `area` that are close to `colour`.
int PixelsNear(const QImage& image, const QRect& area, const QColor& colour) {
  int count = 0;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) {
      const QColor pixel = image.pixelColor(x, y);
      if (qAbs(pixel.red() - colour.red()) < 40 && qAbs(pixel.green() - colour.green()) < 40 &&
          qAbs(pixel.blue() - colour.blue()) < 40) {
        ++count;
      }
    }
  }
  return count;
}

}  // namespace

class AnalysisViewTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { InitArtwork(); }

  void welcomePageUntilAnAnalysisIsShown() {
    CTesselView view;
    view.resize(880, 500);
    view.show();
    AnalysisForm* form = view.form();
    QVERIFY(!form->analysisFaceShown());
    QVERIFY(!view.hasReport());
    QVERIFY(!form->results()->isVisibleTo(form));
    QVERIFY(!form->findChild<QLabel*>(QStringLiteral("banner"))->isVisibleTo(form));
    QVERIFY(form->findChild<QLabel*>(QStringLiteral("logo"))->isVisibleTo(form));
    const QImage page = form->grab().toImage();
    // The heading lines in violet, the menu lines in pink, nothing written between them.
    QVERIFY(PixelsNear(page, QRect(20, 150, 500, 14), QColor(58, 16, 124)) > 20);
    QVERIFY(PixelsNear(page, QRect(60, 182, 160, 14), QColor(193, 82, 156)) > 20);
    QCOMPARE(PixelsNear(page, QRect(20, 430, 800, page.height() - 430), QColor(58, 16, 124)), 0);

    Analysis empty;
    view.setAnalysis(empty);
    QVERIFY2(!form->analysisFaceShown(), "an analysis without reports keeps the welcome page");
  }

  void tablesAreSetUpAndFitTheirControls() {
    CTesselView view;
    GridControl& results = *view.form()->results();
    GridControl& reliability = *view.form()->reliability();
    QCOMPARE(results.rowCount(), 28);
    QCOMPARE(results.columnCount(), 6);
    QCOMPARE(results.fixedRowCount(), 1);
    QCOMPARE(reliability.rowCount(), 2);
    QCOMPARE(reliability.fixedRowCount(), 0);
    QCOMPARE(results.cellText(0, 1), QStringLiteral("Positive\nScreen\nCutoff"));
    QVERIFY(results.cellFont(0, 3).bold());
    QVERIFY(!results.cellFont(1, 0).bold());
    QCOMPARE(results.cellText(1, 0), QStringLiteral("\nGeneralised anxiety disorder"));
    QCOMPARE(results.cellText(12, 0),
             QStringLiteral("Mixed receptive-expressive language\ndisorder (#3)"));
    QCOMPARE(results.cellText(27, 0), QStringLiteral("Number of positive screens"));
    QCOMPARE(results.cellText(4, 1), QStringLiteral(">=1\n>=3\n>=2"));
    QCOMPARE(results.cellText(13, 1), QStringLiteral("\n>=3"));
    QCOMPARE(results.cellText(27, 1), QString());
    QCOMPARE(reliability.cellText(0, 0), Lines("\r\n\r\nReliability Measure (Omega Statistic)"));
    QCOMPARE(reliability.cellText(1, 0), QStringLiteral("Range: -1 to +1"));

    // The tables fill their controls exactly; the reliability columns line up with the
    // results columns.
    int width = 0;
    int height = 0;
    for (int col = 0; col < 6; ++col) {
      width += results.columnWidth(col);
      QCOMPARE(reliability.columnWidth(col), results.columnWidth(col));
    }
    for (int row = 0; row < 28; ++row) {
      height += results.rowHeight(row);
    }
    QCOMPARE(width, results.width());
    QCOMPARE(height, results.height());
    QCOMPARE(reliability.rowHeight(0) + reliability.rowHeight(1), reliability.height());
    QVERIFY(results.rowHeight(0) > results.rowHeight(1));
  }

  void twoReportsFromAResponseFile() {
    QTemporaryDir dir;
    const std::string name = dir.filePath(QStringLiteral("sample.cvr")).toStdString();
    QCOMPARE(WriteSampleFile(name), FileStatus::kOk);
    Analysis analysis;
    QCOMPARE(LoadSelfReport(analysis, name, 0), FileStatus::kOk);
    QCOMPARE(LoadObserverReport(analysis, name, 1), FileStatus::kOk);

    CTesselView view;
    QSignalSpy changed(&view, &CTesselView::analysisChanged);
    view.setAnalysis(analysis);
    QCOMPARE(changed.count(), 1);
    AnalysisForm& form = *view.form();
    QVERIFY(form.analysisFaceShown());
    QVERIFY(view.hasReport());
    QCOMPARE(form.fieldText(Field::kName), QStringLiteral("Ms Alex Morgan"));
    QCOMPARE(form.fieldText(Field::kGender), QStringLiteral("Female"));
    QCOMPARE(form.fieldText(Field::kBirthDate), QStringLiteral("07 March 1975"));
    QCOMPARE(form.fieldText(Field::kAge), QStringLiteral("51"));
    QCOMPARE(form.fieldText(Field::kCompletionDate), QStringLiteral("30 November 2026"));
    QCOMPARE(form.fieldText(Field::kAddress),
             QStringLiteral("1 Sample Lane\nFitzroy   VIC   3000\nAustralia"));
    QCOMPARE(form.fieldText(Field::kObserverLine), QStringLiteral("Observer:  Jordan Morgan"));
    QVERIFY(form.fieldText(Field::kComments)
                .endsWith(QStringLiteral("{Observer: Made-up sample for trying the program.}")));
    QCOMPARE(form.fieldText(Field::kBlankLine), QString());

    // The cells as the report cells give them, their shading as the grids' background.
    GridControl& results = *form.results();
    QCOMPARE(results.cellText(1, 2), QStringLiteral("2\n5"));
    QCOMPARE(results.cellBackground(1, 2), kShaded);
    QCOMPARE(results.cellText(1, 4), QStringLiteral("YES"));
    QCOMPARE(results.cellBackground(1, 4), kShaded);
    QCOMPARE(results.cellText(2, 4), QStringLiteral("NO"));
    QCOMPARE(results.cellBackground(2, 4), kPlain);
    QCOMPARE(results.cellText(27, 2), QStringLiteral("3"));
    QCOMPARE(results.cellBackground(27, 2), kShaded);
    QCOMPARE(results.cellBackground(27, 4), kPlain);
    GridControl& reliability = *form.reliability();
    QCOMPARE(reliability.cellBackground(0, 5), kShaded);
    QCOMPARE(reliability.cellText(0, 2), Lines("Self-\r\nReport\r\nOmega"));
    QCOMPARE(reliability.cellText(1, 2), QStringLiteral(" 0.83"));
    QCOMPARE(reliability.cellBackground(1, 4), kShaded);

    view.dropAnalysis();
    QCOMPARE(changed.count(), 2);
    QVERIFY(!form.analysisFaceShown());
    QCOMPARE(form.fieldText(Field::kName), QString());
    QCOMPARE(form.fieldText(Field::kComments), QString());
  }
};

}  // namespace acv

QTEST_MAIN(acv::AnalysisViewTest)
#include "analysis_view_test.moc"
