#include "calc/sheet_window/capacitance_grid.h"

#include <FL/Fl.H>
#include <FL/fl_draw.H>

#include <algorithm>
#include <cstring>

#include "calc/model/measured_bank.h"
#include "calc/model/measured_grid.h"
#include "runtime/core/number_format.h"
#include "runtime/platform/gbk.h"
#include "runtime/ui/controls/look.h"

namespace calc {
namespace {

constexpr int kCellWidth = 72, kCellHeight = 22, kRowHeaderWidth = 56;
constexpr Fl_Color kRefusedCell = 0xFFC8C800;  // pink: the text is no capacitance
constexpr Fl_Color kEmptyCell = 0xFFF2C800;    // pale yellow: nothing typed yet
constexpr Fl_Color kCurrentFrame = 0x2060C000;

// What a capacitance may be typed with.
bool IsNumberCharacter(char c) { return std::strchr("0123456789.eE+-", c) != nullptr; }

}  // namespace

CapacitanceGrid::CapacitanceGrid(int x, int y, int w, int h, const BankShape& shape, int phase,
                                 int branch, std::vector<std::string>& cells,
                                 std::function<void()> changed)
    : Fl_Table(x, y, w, h),
      shape_(shape),
      phase_(phase),
      branch_(branch),
      cells_(cells),
      changed_(std::move(changed)) {
  rows(shape.groups);
  cols(shape.units);
  row_header(1);
  col_header(1);
  row_header_width(kRowHeaderWidth);
  col_header_height(kCellHeight);
  row_height_all(kCellHeight);
  col_width_all(kCellWidth);
  end();
}

size_t CapacitanceGrid::IndexAt(int row, int col) const {
  return IndexOf(shape_, {phase_, branch_, row, col});
}

void CapacitanceGrid::draw_cell(TableContext context, int row, int col, int x, int y, int w,
                                int h) {
  const rt::ToolkitFont font = rt::ToToolkitFont(std::nullopt);
  switch (context) {
    case CONTEXT_STARTPAGE: fl_font(font.face, font.size); return;
    case CONTEXT_ROW_HEADER:
    case CONTEXT_COL_HEADER: {
      const std::string label = rt::FormatInteger((context == CONTEXT_ROW_HEADER ? row : col) + 1) +
                                (context == CONTEXT_ROW_HEADER ? "串" : "号");
      fl_push_clip(x, y, w, h);
      fl_draw_box(FL_THIN_UP_BOX, x, y, w, h, FL_BACKGROUND_COLOR);
      fl_color(FL_FOREGROUND_COLOR);
      fl_font(font.face, font.size);
      fl_draw(rt::GbkToUtf8(label).c_str(), x, y, w, h, FL_ALIGN_CENTER);
      fl_pop_clip();
      return;
    }
    case CONTEXT_CELL: {
      const std::string& text = cells_[IndexAt(row, col)];
      const bool empty = text.find_first_not_of(" \t") == std::string::npos;
      const Fl_Color background =
          empty ? kEmptyCell : (CapacitanceOf(text) ? FL_BACKGROUND2_COLOR : kRefusedCell);
      fl_push_clip(x, y, w, h);
      fl_color(background);
      fl_rectf(x, y, w, h);
      fl_color(FL_FOREGROUND_COLOR);
      fl_font(FL_HELVETICA, font.size);
      fl_draw(text.c_str(), x + 3, y, w - 6, h, FL_ALIGN_RIGHT);
      fl_color(FL_LIGHT2);
      fl_rect(x, y, w, h);
      if (row == row_ && col == col_) {
        fl_color(Fl::focus() == this ? kCurrentFrame : FL_DARK3);
        fl_rect(x, y, w, h);
        fl_rect(x + 1, y + 1, w - 2, h - 2);
      }
      fl_pop_clip();
      return;
    }
    default: return;
  }
}

void CapacitanceGrid::MoveTo(int row, int col) {
  row_ = std::clamp(row, 0, rows() - 1);
  col_ = std::clamp(col, 0, cols() - 1);
  fresh_ = true;
  // Keeps the cell in view: the table scrolls as little as it must.
  if (row_ < toprow)
    row_position(row_);
  else if (row_ > botrow - 1 && botrow > toprow)
    row_position(row_ - (botrow - toprow) + 2);
  if (col_ < leftcol)
    col_position(col_);
  else if (col_ > rightcol - 1 && rightcol > leftcol)
    col_position(col_ - (rightcol - leftcol) + 2);
  redraw();
}

bool CapacitanceGrid::Advance(int rows_down, int cols_right) {
  int row = row_ + rows_down, col = col_ + cols_right;
  // Along a row Tab goes on to the next row's first cell; down a column Enter goes on to
  // the next column's first row, as the units are usually measured.
  if (col >= cols() && rows_down == 0) row += 1, col = 0;
  if (col < 0 && rows_down == 0) row -= 1, col = cols() - 1;
  if (row >= rows() && cols_right == 0) col += 1, row = 0;
  if (row < 0 || row >= rows() || col < 0 || col >= cols()) return false;
  MoveTo(row, col);
  return true;
}

void CapacitanceGrid::Changed() {
  redraw();
  if (changed_) changed_();
}

bool CapacitanceGrid::Key(int key, const char* text) {
  const bool shift = Fl::event_state(FL_SHIFT);
  const bool control = Fl::event_state(FL_CTRL | FL_COMMAND);
  std::string& cell = cells_[IndexAt(row_, col_)];
  switch (key) {
    case FL_Tab: return Advance(0, shift ? -1 : 1);
    case FL_Enter:
    case FL_KP_Enter: Advance(shift ? -1 : 1, 0); return true;
    case FL_Up: Advance(-1, 0); return true;
    case FL_Down: Advance(1, 0); return true;
    case FL_Left: Advance(0, -1); return true;
    case FL_Right: Advance(0, 1); return true;
    case FL_BackSpace:
      if (fresh_)
        cell.clear();
      else if (!cell.empty())
        cell.pop_back();
      fresh_ = false;
      Changed();
      return true;
    case FL_Delete:
      cell.clear();
      Changed();
      return true;
    default: break;
  }
  if (control && (key == 'v' || key == 'V')) {
    Fl::paste(*this, 1);
    return true;
  }
  if (control || !text || std::strlen(text) != 1 || !IsNumberCharacter(text[0])) return false;
  if (fresh_) cell.clear();
  fresh_ = false;
  cell += text[0];
  Changed();
  return true;
}

void CapacitanceGrid::Paste(const char* text) {
  const std::vector<std::vector<std::string>> block = BlockRows(text ? text : "");
  for (size_t r = 0; r < block.size() && row_ + int(r) < rows(); ++r)
    for (size_t c = 0; c < block[r].size() && col_ + int(c) < cols(); ++c)
      cells_[IndexAt(row_ + int(r), col_ + int(c))] = block[r][c];
  fresh_ = true;
  Changed();
}

int CapacitanceGrid::handle(int event) {
  switch (event) {
    case FL_FOCUS:
    case FL_UNFOCUS: redraw(); return 1;
    case FL_PUSH: {
      int row = 0, col = 0;
      ResizeFlag resize = RESIZE_NONE;
      if (cursor2rowcol(row, col, resize) == CONTEXT_CELL) {
        take_focus();
        MoveTo(row, col);
        return 1;
      }
      break;
    }
    case FL_KEYBOARD:
      if (Key(Fl::event_key(), Fl::event_text())) return 1;
      break;
    case FL_PASTE: Paste(Fl::event_text()); return 1;
    default: break;
  }
  return Fl_Table::handle(event);
}

}  // namespace calc
