#include "grid/grid_control.h"

#include <QAccessible>
#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <numeric>

#include "grid/grid_accessible.h"

namespace acv {
namespace {

constexpr int kDefaultHeight = 20;
constexpr int kDefaultWidth = 60;
constexpr int kPadding = 3;
constexpr Qt::Alignment kDefaultFormat = Qt::AlignLeft | Qt::AlignVCenter;
const QColor kPlainBackground(255, 255, 255);
const QColor kHeaderBackground(236, 236, 236);
const QColor kLineColour(160, 160, 160);

// The sum of the first `count` lengths, or of them all.
int Sum(const std::vector<int>& lengths, std::size_t count = SIZE_MAX) {
  return std::accumulate(lengths.begin(), lengths.begin() + std::min(count, lengths.size()), 0);
}

}  // namespace

std::vector<int> FitLengths(std::vector<int> lengths, int total) {
  const int n = static_cast<int>(lengths.size());
  if (n == 0) {
    return lengths;
  }
  const int d = total - Sum(lengths);
  const int extra = std::abs(d) % n;
  const int step = d < 0 ? -1 : 1;
  for (int i = 0; i < n; ++i) {
    lengths[static_cast<std::size_t>(i)] += d / n + (i < extra ? step : 0);
  }
  return lengths;
}

GridControl::GridControl(QWidget* parent) : QWidget(parent) {
  InstallGridAccessibility();
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void GridControl::setRowCount(int rows) {
  heights_.resize(Index(rows), kDefaultHeight);
  cells_.resize(Index(rows), std::vector<Cell>(widths_.size()));
  setCurrentCell(currentRow_, currentColumn_);
  geometryChanged();
}

void GridControl::setColumnCount(int columns) {
  widths_.resize(Index(columns), kDefaultWidth);
  formats_.resize(Index(columns), kDefaultFormat);
  for (std::vector<Cell>& row : cells_) {
    row.resize(Index(columns));
  }
  setCurrentCell(currentRow_, currentColumn_);
  geometryChanged();
}

void GridControl::setFixedRowCount(int rows) {
  fixedRows_ = rows;
  update();
}

void GridControl::setHeaderRowCount(int rows) {
  headerRows_ = rows;
  setCurrentCell(currentRow_, currentColumn_);
}

void GridControl::setCurrentCell(int row, int column) {
  row = std::clamp(row, headerRows_, std::max(headerRows_, rowCount() - 1));
  column = std::clamp(column, 0, std::max(0, columnCount() - 1));
  if (row == currentRow_ && column == currentColumn_) {
    return;
  }
  update(cellArea(currentRow_, currentColumn_));
  currentRow_ = row;
  currentColumn_ = column;
  update(cellArea(row, column));
  announceCurrentCell();
  emit currentCellChanged(row, column);
}

QRect GridControl::cellArea(int row, int column) const {
  const int height = row < rowCount() ? rowHeight(row) : 0;
  const int width = column < columnCount() ? columnWidth(column) : 0;
  return QRect(Sum(widths_, Index(column)), Sum(heights_, Index(row)), width, height);
}

bool GridControl::cellAt(const QPoint& at, int* row, int* column) const {
  for (int r = 0; r < rowCount(); ++r) {
    for (int c = 0; c < columnCount(); ++c) {
      if (cellArea(r, c).contains(at)) {
        *row = r;
        *column = c;
        return true;
      }
    }
  }
  return false;
}

QString GridControl::spokenText(int row, int column) const {
  QString spoken;
  for (const QString& line : cellText(row, column).split(QLatin1Char('\n'))) {
    const QString part = line.simplified();
    if (part.isEmpty()) {
      continue;
    }
    if (!spoken.isEmpty() && !spoken.endsWith(QLatin1Char('-'))) {
      spoken += QLatin1Char(' ');
    }
    spoken += part;
  }
  return spoken;
}

void GridControl::announceCurrentCell() {
  if (hasFocus()) {
    announce(QAccessible::Focus, currentRow_, currentColumn_);
  }
}

void GridControl::announce(QAccessible::Event what, int row, int column) {
  if (QAccessible::isActive()) {
    QAccessibleEvent event(this, what);
    event.setChild(GridCellChildIndex(*this, row, column));
    QAccessible::updateAccessibility(&event);
  }
}

void GridControl::keyPressEvent(QKeyEvent* event) {
  const bool control = event->modifiers().testFlag(Qt::ControlModifier);
  const int lastRow = rowCount() - 1;
  const int lastColumn = columnCount() - 1;
  switch (event->key()) {
    case Qt::Key_Up:
      setCurrentCell(currentRow_ - 1, currentColumn_);
      break;
    case Qt::Key_Down:
      setCurrentCell(currentRow_ + 1, currentColumn_);
      break;
    case Qt::Key_Left:
      setCurrentCell(currentRow_, currentColumn_ - 1);
      break;
    case Qt::Key_Right:
      setCurrentCell(currentRow_, currentColumn_ + 1);
      break;
    case Qt::Key_Home:
      setCurrentCell(control ? headerRows_ : currentRow_, 0);
      break;
    case Qt::Key_End:
      setCurrentCell(control ? lastRow : currentRow_, lastColumn);
      break;
    default:
      QWidget::keyPressEvent(event);
      return;
  }
  event->accept();
}

void GridControl::mousePressEvent(QMouseEvent* event) {
  int row = 0;
  int column = 0;
  if (cellAt(event->position().toPoint(), &row, &column) && row >= headerRows_) {
    setCurrentCell(row, column);
  }
  QWidget::mousePressEvent(event);
}

void GridControl::focusInEvent(QFocusEvent* event) {
  QWidget::focusInEvent(event);
  update(cellArea(currentRow_, currentColumn_));
  // Qt tells of the table's own focus once this returns; the cell's focus is told after it, so
  // that a screen reader ends on the cell.
  QMetaObject::invokeMethod(this, &GridControl::announceCurrentCell, Qt::QueuedConnection);
  emit currentCellChanged(currentRow_, currentColumn_);
}

void GridControl::focusOutEvent(QFocusEvent* event) {
  QWidget::focusOutEvent(event);
  update(cellArea(currentRow_, currentColumn_));
}

void GridControl::setColumnFormat(int column, Qt::Alignment alignment) {
  formats_.at(Index(column)) = alignment;
  update();
}

void GridControl::setCellText(int row, int column, const QString& text) {
  // A lone carriage return counts as a line break too, so that none is ever drawn as a glyph.
  cell(row, column).text = QString(text)
                               .replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
                               .replace(QLatin1Char('\r'), QLatin1Char('\n'));
  update(cellArea(row, column));
  announce(QAccessible::NameChanged, row, column);
}

void GridControl::setCellBackground(int row, int column, const QColor& colour) {
  cell(row, column).background = colour;
  update();
}

QColor GridControl::cellBackground(int row, int column) const {
  return cell(row, column).background.value_or(kPlainBackground);
}

void GridControl::setCellFont(int row, int column, const QFont& font) {
  cell(row, column).font = font;
  update();
}

QFont GridControl::cellFont(int row, int column) const {
  return cell(row, column).font.value_or(font());
}

void GridControl::setRowHeight(int row, int height) {
  heights_.at(Index(row)) = height;
  geometryChanged();
}

void GridControl::setColumnWidth(int column, int width) {
  widths_.at(Index(column)) = width;
  geometryChanged();
}

void GridControl::fitToSize(const QSize& clientSize) {
  // The rows take nothing from the width, so once the columns fit, a further pass over them
  // after the rows would find nothing left to do.
  widths_ = FitLengths(std::move(widths_), clientSize.width());
  heights_ = FitLengths(std::move(heights_), clientSize.height());
  geometryChanged();
}

QSize GridControl::sizeHint() const {
  return {Sum(widths_), Sum(heights_)};
}

void GridControl::geometryChanged() {
  updateGeometry();
  update();
}

void GridControl::changeEvent(QEvent* event) {
  if (event->type() == QEvent::FontChange) {
    update();  // cells without a font of their own follow the widget's
  }
  QWidget::changeEvent(event);
}

void GridControl::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.fillRect(event->rect(), palette().color(QPalette::Window));
  int top = 0;
  for (int row = 0; row < rowCount(); ++row) {
    int left = 0;
    for (int column = 0; column < columnCount(); ++column) {
      const QRect area(left, top, columnWidth(column), rowHeight(row));
      if (area.intersects(event->rect())) {
        paintCell(painter, row, column, area);
      }
      left += columnWidth(column);
    }
    top += rowHeight(row);
  }
  paintLines(painter);
  if (hasFocus() && currentRow_ < rowCount() && currentColumn_ < columnCount()) {
    painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(cellArea(currentRow_, currentColumn_).adjusted(1, 1, -2, -2));
  }
}

void GridControl::paintCell(QPainter& painter, int row, int column, const QRect& area) const {
  const Cell& here = cell(row, column);
  const QColor standard = row < fixedRows_ ? kHeaderBackground : kPlainBackground;
  painter.fillRect(area, here.background.value_or(standard));
  if (here.text.isEmpty()) {
    return;
  }
  painter.setPen(palette().color(QPalette::WindowText));
  painter.setFont(cellFont(row, column));
  painter.drawText(area.adjusted(kPadding, kPadding, -kPadding, -kPadding),
                   static_cast<int>(columnFormat(column) | Qt::TextWordWrap), here.text);
}

// One-pixel lines round every cell: along the top and left of the table and along the right
// and bottom edge of each cell.
void GridControl::paintLines(QPainter& painter) const {
  const int right = Sum(widths_) - 1;
  const int bottom = Sum(heights_) - 1;
  if (right < 0 || bottom < 0) {
    return;
  }
  painter.setPen(kLineColour);
  painter.drawLine(0, 0, right, 0);
  painter.drawLine(0, 0, 0, bottom);
  int x = 0;
  for (const int width : widths_) {
    x += width;
    painter.drawLine(x - 1, 0, x - 1, bottom);
  }
  int y = 0;
  for (const int height : heights_) {
    y += height;
    painter.drawLine(0, y - 1, right, y - 1);
  }
}

}  // namespace acv
