#include "grid/grid_control.h"

#include <QEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QStringList>
#include <cstdlib>
#include <numeric>

namespace acv {
namespace {

constexpr int kDefaultHeight = 20;
constexpr int kDefaultWidth = 60;
constexpr int kPadding = 3;
constexpr Qt::Alignment kDefaultFormat = Qt::AlignLeft | Qt::AlignVCenter;
const QColor kPlainBackground(255, 255, 255);
const QColor kHeaderBackground(236, 236, 236);
const QColor kLineColour(160, 160, 160);

int Sum(const std::vector<int>& lengths) {
  return std::accumulate(lengths.begin(), lengths.end(), 0);
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
  setFocusPolicy(Qt::NoFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void GridControl::setRowCount(int rows) {
  heights_.resize(Index(rows), kDefaultHeight);
  cells_.resize(Index(rows), std::vector<Cell>(widths_.size()));
  geometryChanged();
  contentsChanged();
}

void GridControl::setColumnCount(int columns) {
  widths_.resize(Index(columns), kDefaultWidth);
  formats_.resize(Index(columns), kDefaultFormat);
  for (std::vector<Cell>& row : cells_) {
    row.resize(Index(columns));
  }
  geometryChanged();
  contentsChanged();
}

void GridControl::setFixedRowCount(int rows) {
  fixedRows_ = rows;
  update();
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
  contentsChanged();
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

QString GridControl::plainText() const {
  QStringList rows;
  for (const std::vector<Cell>& row : cells_) {
    QStringList texts;
    for (const Cell& each : row) {
      texts << each.text.simplified();
    }
    rows << texts.join(QLatin1Char('\t'));
  }
  return rows.join(QLatin1Char('\n'));
}

QSize GridControl::sizeHint() const {
  return {Sum(widths_), Sum(heights_)};
}

void GridControl::contentsChanged() {
  setAccessibleDescription(accessibleText());
  update();
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
