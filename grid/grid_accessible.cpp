#include "grid/grid_accessible.h"

#include <QAccessibleWidget>
#include <QHash>
#include <QPointer>

#include "grid/grid_control.h"

namespace acv {
namespace {

class GridAccessible;

// One cell, by its row and column in the grid. It stays valid while the grid has that cell.
class GridCellAccessible : public QAccessibleInterface, public QAccessibleTableCellInterface {
 public:
  GridCellAccessible(GridAccessible* table, GridControl* grid, int row, int column)
      : table_(table), grid_(grid), row_(row), column_(column) {}

  int row() const { return row_; }
  int column() const { return column_; }

  bool isValid() const override {
    return grid_ && row_ < grid_->rowCount() && column_ < grid_->columnCount();
  }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override;
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  QAccessibleInterface* parent() const override;
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QString text(QAccessible::Text t) const override {
    return t == QAccessible::Name && isValid() ? grid_->spokenText(row_, column_) : QString();
  }
  void setText(QAccessible::Text, const QString&) override {}
  QRect rect() const override {
    if (!isValid()) {
      return {};
    }
    const QRect area = grid_->cellArea(row_, column_);
    return QRect(grid_->mapToGlobal(area.topLeft()), area.size());
  }
  QAccessible::Role role() const override {
    if (isHeaderRow()) {
      return QAccessible::ColumnHeader;
    }
    return column_ < grid_->headerColumnCount() ? QAccessible::RowHeader : QAccessible::Cell;
  }
  QAccessible::State state() const override {
    QAccessible::State state;
    state.readOnly = true;
    if (!isValid() || !grid_->isVisible()) {
      state.invisible = true;
      return state;
    }
    state.focusable = !isHeaderRow();
    state.focused =
        grid_->hasFocus() && row_ == grid_->currentRow() && column_ == grid_->currentColumn();
    return state;
  }
  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::TableCellInterface && !isHeaderRow()) {
      return static_cast<QAccessibleTableCellInterface*>(this);
    }
    return nullptr;
  }

  bool isSelected() const override { return false; }
  QList<QAccessibleInterface*> columnHeaderCells() const override;
  QList<QAccessibleInterface*> rowHeaderCells() const override;
  int columnIndex() const override { return column_; }
  int rowIndex() const override { return row_ - grid_->headerRowCount(); }
  int columnExtent() const override { return 1; }
  int rowExtent() const override { return 1; }
  QAccessibleInterface* table() const override;

 private:
  bool isHeaderRow() const { return row_ < grid_->headerRowCount(); }

  GridAccessible* table_;
  QPointer<GridControl> grid_;
  int row_;
  int column_;
};

// The table. Its cells are made when first asked for and live as long as it does, or until the
// grid's shape changes under them.
class GridAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
 public:
  explicit GridAccessible(GridControl* grid) : QAccessibleWidget(grid, QAccessible::Table) {}
  ~GridAccessible() override { dropCells(); }

  GridControl* grid() const { return static_cast<GridControl*>(widget()); }

  // The cell at grid row `row` and column `column`, or null outside the grid.
  QAccessibleInterface* gridCell(int row, int column) const {
    if (row < 0 || column < 0 || row >= grid()->rowCount() || column >= grid()->columnCount()) {
      return nullptr;
    }
    const int index = GridCellChildIndex(*grid(), row, column);
    if (const auto found = cells_.constFind(index); found != cells_.constEnd()) {
      auto* cell = static_cast<GridCellAccessible*>(QAccessible::accessibleInterface(*found));
      if (cell->row() == row && cell->column() == column) {
        return cell;
      }
      QAccessible::deleteAccessibleInterface(*found);  // the grid changed shape
    }
    auto* cell = new GridCellAccessible(const_cast<GridAccessible*>(this), grid(), row, column);
    cells_.insert(index, QAccessible::registerAccessibleInterface(cell));
    return cell;
  }

  int childCount() const override { return grid()->rowCount() * grid()->columnCount(); }
  QAccessibleInterface* child(int index) const override {
    const int columns = grid()->columnCount();
    return index < 0 || columns == 0 ? nullptr : gridCell(index / columns, index % columns);
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    const auto* cell = dynamic_cast<const GridCellAccessible*>(child);
    if (cell == nullptr || cell->parent() != this || !cell->isValid()) {
      return -1;
    }
    return GridCellChildIndex(*grid(), cell->row(), cell->column());
  }
  QAccessibleInterface* childAt(int x, int y) const override {
    int row = 0;
    int column = 0;
    return grid()->cellAt(grid()->mapFromGlobal(QPoint(x, y)), &row, &column)
               ? gridCell(row, column)
               : nullptr;
  }
  QAccessibleInterface* focusChild() const override {
    return grid()->hasFocus() ? gridCell(grid()->currentRow(), grid()->currentColumn()) : nullptr;
  }
  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::TableInterface) {
      return static_cast<QAccessibleTableInterface*>(this);
    }
    return QAccessibleWidget::interface_cast(type);
  }

  QAccessibleInterface* caption() const override { return nullptr; }
  QAccessibleInterface* summary() const override { return nullptr; }
  QAccessibleInterface* cellAt(int row, int column) const override {
    return gridCell(row + grid()->headerRowCount(), column);
  }
  int rowCount() const override { return grid()->rowCount() - grid()->headerRowCount(); }
  int columnCount() const override { return grid()->columnCount(); }
  QString columnDescription(int column) const override {
    QStringList headers;
    for (int row = 0; row < grid()->headerRowCount(); ++row) {
      headers << grid()->spokenText(row, column);
    }
    return headers.join(QLatin1Char(' '));
  }
  QString rowDescription(int row) const override {
    QStringList headers;
    for (int column = 0; column < grid()->headerColumnCount(); ++column) {
      headers << grid()->spokenText(row + grid()->headerRowCount(), column);
    }
    return headers.join(QLatin1Char(' '));
  }
  // Cells are never selected.
  int selectedCellCount() const override { return 0; }
  QList<QAccessibleInterface*> selectedCells() const override { return {}; }
  int selectedColumnCount() const override { return 0; }
  int selectedRowCount() const override { return 0; }
  QList<int> selectedColumns() const override { return {}; }
  QList<int> selectedRows() const override { return {}; }
  bool isColumnSelected(int) const override { return false; }
  bool isRowSelected(int) const override { return false; }
  bool selectRow(int) override { return false; }
  bool selectColumn(int) override { return false; }
  bool unselectRow(int) override { return false; }
  bool unselectColumn(int) override { return false; }
  void modelChange(QAccessibleTableModelChangeEvent*) override { dropCells(); }

 private:
  void dropCells() {
    for (const QAccessible::Id id : std::as_const(cells_)) {
      QAccessible::deleteAccessibleInterface(id);
    }
    cells_.clear();
  }

  mutable QHash<int, QAccessible::Id> cells_;  // by child index
};

QWindow* GridCellAccessible::window() const {
  return table_->window();
}

QAccessibleInterface* GridCellAccessible::parent() const {
  return table_;
}

QAccessibleInterface* GridCellAccessible::table() const {
  return table_;
}

QList<QAccessibleInterface*> GridCellAccessible::columnHeaderCells() const {
  QList<QAccessibleInterface*> headers;
  for (int row = 0; row < grid_->headerRowCount(); ++row) {
    headers << table_->gridCell(row, column_);
  }
  return headers;
}

QList<QAccessibleInterface*> GridCellAccessible::rowHeaderCells() const {
  QList<QAccessibleInterface*> headers;
  for (int column = 0; column < grid_->headerColumnCount(); ++column) {
    headers << table_->gridCell(row_, column);
  }
  return headers;
}

QAccessibleInterface* GridAccessibleFactory(const QString& className, QObject* object) {
  if (className == QLatin1String(GridControl::staticMetaObject.className())) {
    return new GridAccessible(static_cast<GridControl*>(object));
  }
  return nullptr;
}

}  // namespace

void InstallGridAccessibility() {
  static const bool installed = [] {
    QAccessible::installFactory(&GridAccessibleFactory);
    return true;
  }();
  Q_UNUSED(installed);
}

int GridCellChildIndex(const GridControl& grid, int row, int column) {
  return row * grid.columnCount() + column;
}

}  // namespace acv
