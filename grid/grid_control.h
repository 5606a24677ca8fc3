// A small read-only table: fixed header rows, per-cell text, background and font, per-column
// alignment with word wrap, row heights and column widths in pixels, and a rule that fits the
// rows and columns to an area exactly. Cells are never edited or selected; the keyboard moves a
// current cell over them, and assistive technology sees a table of cells with their headers.
#pragma once

#include <QAccessible>
#include <QColor>
#include <QFont>
#include <QString>
#include <QWidget>
#include <optional>
#include <vector>

namespace acv {

// Changes `lengths` so that they add up to `total`: with d = total minus their sum and n their
// count, every length changes by d / n (truncated toward zero) and the first |d| mod n by one
// more pixel in the direction of d.
std::vector<int> FitLengths(std::vector<int> lengths, int total);

class GridControl : public QWidget {
  Q_OBJECT

 public:
  explicit GridControl(QWidget* parent = nullptr);

  // New rows and columns are empty; cells of the rows and columns that stay keep their contents.
  void setRowCount(int rows);
  void setColumnCount(int columns);
  // The top `rows` rows are headers: light grey unless given a background of their own.
  void setFixedRowCount(int rows);
  int rowCount() const { return static_cast<int>(heights_.size()); }
  int columnCount() const { return static_cast<int>(widths_.size()); }
  int fixedRowCount() const { return fixedRows_; }
  // The top `rows` rows name the columns, and the left `columns` columns the rows, for
  // assistive technology; they are drawn like the other cells.
  void setHeaderRowCount(int rows);
  int headerRowCount() const { return headerRows_; }
  void setHeaderColumnCount(int columns) { headerColumns_ = columns; }
  int headerColumnCount() const { return headerColumns_; }

  // The header of a column is the text of its cell in the top (fixed) row.
  void setColumnHeader(int column, const QString& text) { setCellText(0, column, text); }
  // Qt::AlignLeft | Qt::AlignVCenter or Qt::AlignHCenter | Qt::AlignVCenter; text always wraps.
  void setColumnFormat(int column, Qt::Alignment alignment);
  Qt::Alignment columnFormat(int column) const { return formats_.at(Index(column)); }

  // "\n", "\r\n" and "\r" are line breaks; the text is kept with "\n" only. A cell out of range
  // throws std::out_of_range.
  void setCellText(int row, int column, const QString& text);
  QString cellText(int row, int column) const { return cell(row, column).text; }
  // White unless set.
  void setCellBackground(int row, int column, const QColor& colour);
  QColor cellBackground(int row, int column) const;
  // The widget's font unless set.
  void setCellFont(int row, int column, const QFont& font);
  QFont cellFont(int row, int column) const;

  void setRowHeight(int row, int height);
  int rowHeight(int row) const { return heights_.at(Index(row)); }
  void setColumnWidth(int column, int width);
  int columnWidth(int column) const { return widths_.at(Index(column)); }

  // Fits the column widths to the width of `clientSize` and the row heights to its height by
  // FitLengths, so that the table fills it exactly.
  void fitToSize(const QSize& clientSize);

  // The cell that has the keyboard: the top-left cell below the header rows until it is moved.
  // The arrow keys move it by one cell, Home and End to the ends of its row, Ctrl+Home and
  // Ctrl+End to the first and last cell; it stays out of the header rows. While the table has
  // the focus the cell is framed.
  int currentRow() const { return currentRow_; }
  int currentColumn() const { return currentColumn_; }
  // Moves the current cell, kept within the cells below the header rows.
  void setCurrentCell(int row, int column);
  // Where a cell is drawn, in the widget's coordinates; the cell drawn at `at`, if any.
  QRect cellArea(int row, int column) const;
  bool cellAt(const QPoint& at, int* row, int* column) const;
  // The cell's text as it is read aloud: its lines joined by blanks, or straight on after a
  // line that ends in a hyphen ("Self-\nReport" reads "Self-Report").
  QString spokenText(int row, int column) const;

  // The sum of the column widths by the sum of the row heights.
  QSize sizeHint() const override;

 signals:
  // The current cell moved, or the table took the focus with it.
  void currentCellChanged(int row, int column);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void changeEvent(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  struct Cell {
    QString text;
    std::optional<QColor> background;
    std::optional<QFont> font;
  };

  static std::size_t Index(int i) { return static_cast<std::size_t>(i); }
  Cell& cell(int row, int column) { return cells_.at(Index(row)).at(Index(column)); }
  const Cell& cell(int row, int column) const { return cells_.at(Index(row)).at(Index(column)); }
  void paintCell(QPainter& painter, int row, int column, const QRect& area) const;
  void paintLines(QPainter& painter) const;
  void geometryChanged();
  // Tells assistive technology which cell has the focus; `what` happened to a cell.
  void announceCurrentCell();
  void announce(QAccessible::Event what, int row, int column);

  std::vector<int> heights_;
  std::vector<int> widths_;
  std::vector<Qt::Alignment> formats_;
  std::vector<std::vector<Cell>> cells_;  // by row, then by column
  int fixedRows_ = 0;
  int headerRows_ = 0;
  int headerColumns_ = 0;
  int currentRow_ = 0;
  int currentColumn_ = 0;
};

}  // namespace acv
