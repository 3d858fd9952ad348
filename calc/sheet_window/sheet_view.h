// The sheet on the screen: laid out afresh for the width it is given, on white, scrolled
// by its scroll bar, the mouse wheel and the page keys.
#pragma once

#include <FL/Fl_Group.H>
#include <FL/Fl_Scrollbar.H>

#include <optional>

#include "calc/sheet/sheet_document.h"
#include "calc/sheet/sheet_layout.h"
#include "calc/sheet_window/sheet_painter.h"
#include "forms/picture.h"

namespace calc {

class SheetView : public Fl_Group {
 public:
  SheetView(int x, int y, int w, int h);

  // From the top.
  void Show(SheetDocument document, std::optional<forms::Image> diagram);
  // In place of what is shown, scrolled where it was as far as the new content allows.
  void Replace(SheetDocument document, std::optional<forms::Image> diagram);
  const SheetLayout& layout() const { return layout_; }

  void resize(int x, int y, int w, int h) override;
  int handle(int event) override;

 protected:
  void draw() override;

 private:
  void LayOut();
  void ScrollTo(int top);
  bool ScrollByKey(int key);
  int VisibleHeight() const;
  static void Scrolled(Fl_Widget* bar, void* view);

  SheetDocument document_;
  std::optional<forms::Image> diagram_;
  SheetLayout layout_;
  DiagramPixels diagram_image_;
  Fl_Scrollbar bar_;
  int top_ = 0;
};

}  // namespace calc
