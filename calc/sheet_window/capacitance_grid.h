// One section of a measured bank (a phase, or a phase's star or arm) as a spreadsheet-like
// grid: rows the groups, columns the units, one cell a unit's capacitance. The cell with
// the focus takes what is typed, the first key in place of what it held; Tab and Enter
// go on to the next cell (along the row, down the column), the arrows move, and a block
// pasted from a spreadsheet fills the cells from the current one on. Cells that hold no
// capacitance are marked.
#pragma once

#include <FL/Fl_Table.H>

#include <functional>
#include <string>
#include <vector>

#include "calc/model/bank_circuit.h"

namespace calc {

class CapacitanceGrid : public Fl_Table {
 public:
  // `cells` (one text a unit of the whole bank, at IndexOf) outlives the grid;
  // `changed` runs after every change of a cell.
  CapacitanceGrid(int x, int y, int w, int h, const BankShape& shape, int phase, int branch,
                  std::vector<std::string>& cells, std::function<void()> changed);

  int handle(int event) override;

 protected:
  void draw_cell(TableContext context, int row, int col, int x, int y, int w, int h) override;

 private:
  size_t IndexAt(int row, int col) const;
  void MoveTo(int row, int col);
  bool Advance(int rows, int cols);  // false at the grid's edge
  bool Key(int key, const char* text);
  void Paste(const char* text);
  void Changed();

  BankShape shape_;
  int phase_, branch_;
  std::vector<std::string>& cells_;
  std::function<void()> changed_;
  int row_ = 0, col_ = 0;
  bool fresh_ = true;  // the next key typed replaces the cell's text
};

}  // namespace calc
