// What assistive technology sees of a GridControl: a table whose rows are the rows below the
// header rows, with the header rows' cells as column headers and the header columns' cells as
// row headers (a cell of a header column heads its own row, as assistive technology asks a
// row's first cell). Its children are every cell of the grid, header rows included, row by row.
#pragma once

namespace acv {

class GridControl;

// Makes every GridControl answer assistive technology with its table; once is enough.
void InstallGridAccessibility();

// The index among the table's children of the cell at grid row `row` and column `column`.
int GridCellChildIndex(const GridControl& grid, int row, int column);

}  // namespace acv
