// The table widget of the analysis view: the rule that fits rows and columns to an area, the
// cell contents and their defaults, the table assistive technology is given, the current cell
// the keyboard moves, and what a person sees painted (backgrounds, header shading, grid lines,
// aligned and wrapped text, the current cell's frame).
#include <QAccessible>
#include <QFontMetrics>
#include <QImage>
#include <QSignalSpy>
#include <QTest>
#include <numeric>
#include <stdexcept>

#include "grid/grid_control.h"

using acv::FitLengths;
using acv::GridControl;

namespace {

using Lengths = std::vector<int>;

const QColor kWhite(255, 255, 255);
const QColor kShaded(225, 225, 220);

int Sum(const Lengths& lengths) {
  return std::accumulate(lengths.begin(), lengths.end(), 0);
}

QColor Pixel(const QImage& image, const QPoint& at) {
  return QColor(image.pixel(at));
}

// The bounding box of the dark (text) pixels of `image` inside `area`; empty if there are none.
QRect Ink(const QImage& image, const QRect& area) {
  QRect ink;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) {
      if (qGray(image.pixel(x, y)) < 128) {
        ink |= QRect(x, y, 1, 1);
      }
    }
  }
  return ink;
}

// A table of `rows` x `columns` cells of 80 x 30 pixels with one header row, shown at its size.
struct ShownGrid {
  ShownGrid(int rows, int columns) {
    grid.setRowCount(rows);
    grid.setColumnCount(columns);
    grid.setFixedRowCount(1);
    for (int col = 0; col < columns; ++col) {
      grid.setColumnWidth(col, 80);
    }
    for (int row = 0; row < rows; ++row) {
      grid.setRowHeight(row, 30);
    }
    grid.resize(grid.sizeHint());
  }
  QRect area(int row, int column) const { return QRect(column * 80, row * 30, 80, 30); }
  QImage image() { return grid.grab().toImage().convertToFormat(QImage::Format_RGB32); }

  GridControl grid;
};

}  // namespace

class GridTest : public QObject {
  Q_OBJECT

 private slots:
  void fittingSharesTheDifferenceEvenly() {
    QCOMPARE(FitLengths({10, 20, 30}, 66), (Lengths{12, 22, 32}));  // grow, d divisible by n
    QCOMPARE(FitLengths({10, 20, 30}, 51), (Lengths{7, 17, 27}));   // shrink, d divisible by n
    QCOMPARE(FitLengths({10, 20, 30}, 60), (Lengths{10, 20, 30}));  // already fitting
    QCOMPARE(FitLengths({}, 100), Lengths{});
  }

  void fittingGivesTheRemainderToTheFirstLengths() {
    // Growing by 7 over 4: everyone +1, the first three +1 more.
    QCOMPARE(FitLengths({10, 10, 10, 10}, 47), (Lengths{12, 12, 12, 11}));
    // Shrinking by 7 over 4: -7 / 4 truncates to -1, the first three lose one more.
    QCOMPARE(FitLengths({10, 10, 10, 10}, 33), (Lengths{8, 8, 8, 9}));
    // Less than one pixel each: only the first |d| change.
    QCOMPARE(FitLengths({5, 5, 5}, 17), (Lengths{6, 6, 5}));
    QCOMPARE(FitLengths({5, 5, 5}, 13), (Lengths{4, 4, 5}));
    // The results table of the analysis view: a 55-pixel header and 27 rows of 50 pixels
    // squeezed into 870 pixels (d = -535 = 28 * -19 - 3).
    Lengths rows(28, 50);
    rows[0] = 55;
    Lengths fitted(28, 31);
    fitted[0] = 35;
    fitted[1] = fitted[2] = 30;
    QCOMPARE(FitLengths(rows, 870), fitted);
  }

  void fittingAlwaysHitsTheTotalExactly() {
    const Lengths lengths{90, 3, 41, 17, 60, 8};
    for (int total = 100; total <= 400; ++total) {
      const Lengths fitted = FitLengths(lengths, total);
      QCOMPARE(Sum(fitted), total);
      // Every length moved by the same amount, give or take the one remainder pixel.
      const int d = total - Sum(lengths);
      for (std::size_t i = 0; i < lengths.size(); ++i) {
        const int change = fitted[i] - lengths[i];
        QVERIFY2(std::abs(change - d / 6) <= 1, qPrintable(QString::number(total)));
      }
    }
  }

  void fitToSizeFitsColumnsToTheWidthAndRowsToTheHeight() {
    GridControl grid;
    grid.setRowCount(2);
    grid.setColumnCount(3);
    grid.setColumnWidth(0, 100);
    grid.setColumnWidth(1, 50);
    grid.setColumnWidth(2, 30);
    grid.setRowHeight(0, 20);
    grid.setRowHeight(1, 20);
    QCOMPARE(grid.sizeHint(), QSize(180, 40));

    grid.fitToSize(QSize(190, 35));
    QCOMPARE(grid.columnWidth(0), 104);
    QCOMPARE(grid.columnWidth(1), 53);
    QCOMPARE(grid.columnWidth(2), 33);
    QCOMPARE(grid.rowHeight(0), 17);  // shrinking by 5 over 2: -2 each, the first one more
    QCOMPARE(grid.rowHeight(1), 18);
    QCOMPARE(grid.sizeHint(), QSize(190, 35));

    // Fitting again to the same size changes nothing.
    grid.fitToSize(QSize(190, 35));
    QCOMPARE(grid.columnWidth(0), 104);
    QCOMPARE(grid.rowHeight(0), 17);
    QCOMPARE(grid.sizeHint(), QSize(190, 35));
  }

  void newCellsAreEmptyWhiteAndInTheWidgetFont() {
    GridControl grid;
    grid.setRowCount(2);
    grid.setColumnCount(3);
    QCOMPARE(grid.rowCount(), 2);
    QCOMPARE(grid.columnCount(), 3);
    QCOMPARE(grid.fixedRowCount(), 0);
    for (int row = 0; row < 2; ++row) {
      for (int col = 0; col < 3; ++col) {
        QCOMPARE(grid.cellText(row, col), QString());
        QCOMPARE(grid.cellBackground(row, col), kWhite);
        QCOMPARE(grid.cellFont(row, col), grid.font());
      }
    }
    QCOMPARE(grid.columnFormat(2), Qt::AlignLeft | Qt::AlignVCenter);
    QVERIFY(grid.rowHeight(1) > 0);
    QVERIFY(grid.columnWidth(2) > 0);
  }

  void cellsKeepWhatIsSetOnThem() {
    GridControl grid;
    grid.setRowCount(3);
    grid.setColumnCount(2);
    grid.setCellText(2, 1, QStringLiteral("YES"));
    grid.setCellBackground(2, 1, kShaded);
    QFont bold = grid.font();
    bold.setBold(true);
    grid.setCellFont(0, 1, bold);
    grid.setColumnFormat(1, Qt::AlignHCenter | Qt::AlignVCenter);
    grid.setRowHeight(2, 44);
    grid.setColumnWidth(1, 123);

    QCOMPARE(grid.cellText(2, 1), QStringLiteral("YES"));
    QCOMPARE(grid.cellBackground(2, 1), kShaded);
    QVERIFY(grid.cellFont(0, 1).bold());
    QCOMPARE(grid.columnFormat(1), Qt::AlignHCenter | Qt::AlignVCenter);
    QCOMPARE(grid.rowHeight(2), 44);
    QCOMPARE(grid.columnWidth(1), 123);
    // Neighbours are untouched.
    QCOMPARE(grid.cellText(2, 0), QString());
    QCOMPARE(grid.cellBackground(1, 1), kWhite);
    QVERIFY(!grid.cellFont(1, 1).bold());
    QCOMPARE(grid.columnFormat(0), Qt::AlignLeft | Qt::AlignVCenter);
    QCOMPARE(grid.rowHeight(1), grid.rowHeight(0));

    // Cells without a font of their own follow the widget's font; a set one stays.
    QFont large = grid.font();
    large.setPixelSize(31);
    grid.setFont(large);
    QCOMPARE(grid.cellFont(1, 1).pixelSize(), 31);
    QVERIFY(grid.cellFont(0, 1).bold());
    QVERIFY(grid.cellFont(0, 1).pixelSize() != 31);
  }

  void resizingKeepsTheCellsThatStay() {
    GridControl grid;
    grid.setRowCount(2);
    grid.setColumnCount(2);
    grid.setCellText(1, 1, QStringLiteral("kept"));
    grid.setCellBackground(1, 0, kShaded);
    grid.setColumnWidth(1, 77);

    grid.setColumnCount(4);
    grid.setRowCount(3);
    QCOMPARE(grid.cellText(1, 1), QStringLiteral("kept"));
    QCOMPARE(grid.cellBackground(1, 0), kShaded);
    QCOMPARE(grid.columnWidth(1), 77);
    QCOMPARE(grid.cellText(1, 3), QString());
    QCOMPARE(grid.cellText(2, 1), QString());
    QCOMPARE(grid.cellBackground(2, 0), kWhite);

    grid.setColumnCount(1);
    QCOMPARE(grid.columnCount(), 1);
    QCOMPARE(grid.cellBackground(1, 0), kShaded);
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, grid.cellText(1, 1));
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, grid.setCellText(3, 0, QStringLiteral("x")));
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, grid.columnWidth(1));
  }

  void columnHeadersAreTheTopRow() {
    GridControl grid;
    grid.setRowCount(28);
    grid.setColumnCount(6);
    grid.setFixedRowCount(1);
    grid.setColumnHeader(3, QStringLiteral("Positive\r\nScreen"));
    QCOMPARE(grid.fixedRowCount(), 1);
    QCOMPARE(grid.cellText(0, 3), QStringLiteral("Positive\nScreen"));
    QCOMPARE(grid.cellText(1, 3), QString());
  }

  void lineBreaksAreKeptAsLineFeeds() {
    GridControl grid;
    grid.setRowCount(1);
    grid.setColumnCount(1);
    grid.setCellText(0, 0, QStringLiteral("\r\n\r\nReliability Measure"));
    QCOMPARE(grid.cellText(0, 0), QStringLiteral("\n\nReliability Measure"));
    grid.setCellText(0, 0, QStringLiteral("Self-\r\nReport\nOmega\rStatistic"));
    QCOMPARE(grid.cellText(0, 0), QStringLiteral("Self-\nReport\nOmega\nStatistic"));
  }

  void assistiveTechnologySeesATableWithHeaders() {
    GridControl grid;
    grid.setRowCount(3);
    grid.setColumnCount(3);
    grid.setFixedRowCount(1);
    grid.setHeaderRowCount(1);
    grid.setHeaderColumnCount(1);
    grid.setColumnHeader(0, QStringLiteral("\nDisorder"));
    grid.setColumnHeader(1, QStringLiteral("Self-\nReport\nScore"));
    grid.setCellText(1, 0, QStringLiteral("\nGeneralised anxiety disorder"));
    grid.setCellText(1, 1, QStringLiteral("2\n5"));
    grid.setCellText(2, 2, QStringLiteral("  YES "));

    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(&grid);
    QVERIFY(table != nullptr);
    QCOMPARE(table->role(), QAccessible::Table);
    QAccessibleTableInterface* cells = table->tableInterface();
    QVERIFY(cells != nullptr);
    QCOMPARE(cells->rowCount(), 2);  // the header row is not a row of the table
    QCOMPARE(cells->columnCount(), 3);
    QCOMPARE(table->childCount(), 9);
    QCOMPARE(cells->columnDescription(1), QStringLiteral("Self-Report Score"));
    QCOMPARE(cells->rowDescription(0), QStringLiteral("Generalised anxiety disorder"));

    QAccessibleInterface* score = cells->cellAt(0, 1);
    QVERIFY(score != nullptr);
    QCOMPARE(score->role(), QAccessible::Cell);
    QCOMPARE(score->text(QAccessible::Name), QStringLiteral("2 5"));
    QCOMPARE(score->parent(), table);
    QCOMPARE(cells->cellAt(0, 1), score);  // one interface per cell
    QCOMPARE(table->child(table->indexOfChild(score)), score);
    QCOMPARE(table->childAt(score->rect().center().x(), score->rect().center().y()), score);
    QCOMPARE(cells->cellAt(1, 2)->text(QAccessible::Name), QStringLiteral("YES"));
    QAccessibleTableCellInterface* place = score->tableCellInterface();
    QVERIFY(place != nullptr);
    QCOMPARE(place->rowIndex(), 0);
    QCOMPARE(place->columnIndex(), 1);
    QCOMPARE(place->table(), table);
    const QList<QAccessibleInterface*> columnHeaders = place->columnHeaderCells();
    QCOMPARE(columnHeaders.size(), 1);
    QCOMPARE(columnHeaders[0]->role(), QAccessible::ColumnHeader);
    QCOMPARE(columnHeaders[0]->text(QAccessible::Name), QStringLiteral("Self-Report Score"));
    const QList<QAccessibleInterface*> rowHeaders = place->rowHeaderCells();
    QCOMPARE(rowHeaders.size(), 1);
    QCOMPARE(rowHeaders[0]->role(), QAccessible::RowHeader);
    QCOMPARE(rowHeaders[0]->text(QAccessible::Name),
             QStringLiteral("Generalised anxiety disorder"));
    QCOMPARE(rowHeaders[0]->tableCellInterface()->rowHeaderCells(), rowHeaders);
    QVERIFY(cells->cellAt(2, 0) == nullptr);
    QVERIFY(cells->cellAt(0, 3) == nullptr);

    // A grid of another shape gives cells of the new shape.
    grid.setColumnCount(2);
    QCOMPARE(table->childCount(), 6);
    QAccessibleInterface* moved = table->child(4);
    QCOMPARE(moved->tableCellInterface()->rowIndex(), 1);
    QCOMPARE(moved->tableCellInterface()->columnIndex(), 0);
  }

  void theKeyboardMovesTheCurrentCellFramedOnScreen() {
    ShownGrid shown(4, 3);
    GridControl& grid = shown.grid;
    grid.setHeaderRowCount(1);
    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(&grid);
    const auto current = [&] {
      QAccessibleInterface* cell = table->focusChild();
      return cell == nullptr ? QPoint(-1, -1)
                             : QPoint(cell->tableCellInterface()->columnIndex(),
                                      cell->tableCellInterface()->rowIndex());
    };
    QCOMPARE(current(), QPoint(-1, -1));  // no focus yet
    const QColor frame = grid.palette().color(QPalette::Highlight);
    QVERIFY(Pixel(shown.image(), shown.area(1, 0).topLeft() + QPoint(1, 15)) != frame);

    grid.show();
    QVERIFY(QTest::qWaitForWindowActive(&grid));
    grid.setFocus(Qt::TabFocusReason);
    QVERIFY(grid.hasFocus());
    QCOMPARE(current(), QPoint(0, 0));
    QVERIFY(table->focusChild()->state().focused);
    QVERIFY(!table->tableInterface()->cellAt(0, 1)->state().focused);
    // The current cell is framed in the highlight colour.
    const QImage image = shown.image();
    QCOMPARE(Pixel(image, shown.area(1, 0).topLeft() + QPoint(1, 15)), frame);
    QVERIFY(Pixel(image, shown.area(2, 0).topLeft() + QPoint(1, 15)) != frame);

    QSignalSpy moves(&grid, &GridControl::currentCellChanged);
    QTest::keyClick(&grid, Qt::Key_Right);
    QCOMPARE(current(), QPoint(1, 0));
    QTest::keyClick(&grid, Qt::Key_Down);
    QTest::keyClick(&grid, Qt::Key_Down);
    QCOMPARE(current(), QPoint(1, 2));
    QCOMPARE(grid.currentRow(), 3);
    QTest::keyClick(&grid, Qt::Key_Down);  // the last row
    QCOMPARE(current(), QPoint(1, 2));
    QTest::keyClick(&grid, Qt::Key_End);
    QCOMPARE(current(), QPoint(2, 2));
    QTest::keyClick(&grid, Qt::Key_Right);
    QCOMPARE(current(), QPoint(2, 2));
    QTest::keyClick(&grid, Qt::Key_Home, Qt::ControlModifier);
    QCOMPARE(current(), QPoint(0, 0));
    QTest::keyClick(&grid, Qt::Key_Up);  // not into the header row
    QTest::keyClick(&grid, Qt::Key_Left);
    QCOMPARE(current(), QPoint(0, 0));
    QTest::keyClick(&grid, Qt::Key_End, Qt::ControlModifier);
    QCOMPARE(current(), QPoint(2, 2));
    QCOMPARE(moves.count(), 6);
    QCOMPARE(moves.last(), (QVariantList{3, 2}));
    QTest::mouseClick(&grid, Qt::LeftButton, {}, shown.area(2, 1).center());
    QCOMPARE(current(), QPoint(1, 1));

    // Fewer rows take the current cell with them.
    grid.setRowCount(2);
    QCOMPARE(current(), QPoint(1, 0));
  }

  void paintsBackgroundsHeadersAndLines() {
    ShownGrid shown(3, 2);
    GridControl& grid = shown.grid;
    grid.setCellBackground(1, 0, kShaded);
    grid.setCellBackground(0, 1, kShaded);
    const QImage image = shown.image();
    QCOMPARE(image.size(), QSize(160, 90));

    QCOMPARE(Pixel(image, shown.area(1, 0).center()), kShaded);
    QCOMPARE(Pixel(image, shown.area(2, 1).center()), kWhite);
    QCOMPARE(Pixel(image, shown.area(2, 0).center()), kWhite);
    // An unshaded header cell is light grey; a header with a background of its own shows it.
    const QColor header = Pixel(image, shown.area(0, 0).center());
    QVERIFY(header != kWhite);
    QVERIFY(header.lightness() > 200);
    QCOMPARE(Pixel(image, shown.area(0, 1).center()), kShaded);

    // One-pixel grey lines round the cells: the one between the columns is at x = 79, with the
    // cells' own colours right beside it.
    const QColor line = Pixel(image, QPoint(79, 75));
    QVERIFY(line.lightness() < 200);
    QCOMPARE(line.red(), line.blue());
    QCOMPARE(Pixel(image, QPoint(78, 75)), kWhite);
    QCOMPARE(Pixel(image, QPoint(80, 75)), kWhite);
    QCOMPARE(Pixel(image, QPoint(40, 59)), line);  // between rows 1 and 2
    QCOMPARE(Pixel(image, QPoint(0, 45)), line);   // the left edge
    QCOMPARE(Pixel(image, QPoint(40, 0)), line);   // the top edge
  }

  void paintsTextAlignedInItsColumn() {
    ShownGrid shown(2, 2);
    GridControl& grid = shown.grid;
    grid.setColumnFormat(1, Qt::AlignHCenter | Qt::AlignVCenter);
    grid.setCellText(1, 0, QStringLiteral("NO"));
    grid.setCellText(1, 1, QStringLiteral("NO"));
    const QImage image = shown.image();

    const QRect left = Ink(image, shown.area(1, 0).adjusted(1, 1, -2, -2));
    QVERIFY(!left.isEmpty());
    QVERIFY2(left.left() >= 2 && left.left() <= 8, qPrintable(QString::number(left.left())));
    QVERIFY(left.right() < 40);

    const QRect centred = Ink(image, shown.area(1, 1).adjusted(1, 1, -2, -2));
    QVERIFY(!centred.isEmpty());
    QVERIFY(std::abs(centred.center().x() - shown.area(1, 1).center().x()) <= 3);
    QVERIFY(std::abs(centred.center().y() - shown.area(1, 1).center().y()) <= 3);
    QCOMPARE(centred.width(), left.width());

    // Empty cells stay blank.
    QVERIFY(Ink(image, shown.area(0, 0).adjusted(1, 1, -2, -2)).isEmpty());
  }

  void paintsLongTextWrappedInsideItsCell() {
    ShownGrid shown(2, 2);
    GridControl& grid = shown.grid;
    grid.setRowHeight(1, 120);
    grid.resize(grid.sizeHint());
    grid.setCellText(1, 0, QStringLiteral("word word word word word word"));
    grid.setCellText(1, 1, QStringLiteral("one\r\ntwo\r\nthree"));
    const QImage image = shown.image();
    const int lineHeight = QFontMetrics(grid.font()).height();

    const QRect cell(0, 30, 80, 120);
    const QRect wrapped = Ink(image, cell.adjusted(1, 1, -2, -2));
    QVERIFY(wrapped.height() > 2 * lineHeight);
    QVERIFY(wrapped.right() <= cell.right() - 3);

    // Three lines from the line breaks, and no carriage return drawn at the end of a line.
    const QRect broken = Ink(image, QRect(80, 30, 80, 120).adjusted(1, 1, -2, -2));
    QVERIFY(broken.height() > 2 * lineHeight);
    QVERIFY(broken.width() <= QFontMetrics(grid.font()).horizontalAdvance(QStringLiteral("three")));
  }
};

QTEST_MAIN(GridTest)
#include "grid_test.moc"
