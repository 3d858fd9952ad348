#include "calc/sheet_window/sheet_printing.h"

#include <FL/Fl_Printer.H>
#include <FL/Fl_Window.H>

#include <algorithm>
#include <string>

#include "calc/sheet_window/sheet_painter.h"
#include "calc/sheet_window/sheet_windows.h"
#include "calc/sheet_window/toolkit_dialogs.h"
#include "runtime/ui/system/message_box.h"

namespace calc {
namespace {

// The printable area of an A4 page, in points, as the toolkit's printer leaves it: the
// dialog is told the number of pages before the paper is known, and A4 is what it offers.
constexpr int kA4PrintableWidth = 559;
constexpr int kA4PrintableHeight = 806;

// Start_job's answers besides success: the user cancelled, the printer or file failed.
constexpr int kCancelled = 1;

PictureSize SizeOf(const std::optional<forms::Image>& diagram) {
  return diagram ? PictureSize{diagram->width, diagram->height} : PictureSize{};
}

PaperLayout LayOutForPrinter(const SheetDocument& document,
                             const std::optional<forms::Image>& diagram, Fl_Printer& printer) {
  int width = kA4PrintableWidth, height = kA4PrintableHeight;
  printer.printable_rect(&width, &height);
  return LayOutForPaper(document, SizeOf(diagram), width, height, ToolkitTextMetrics());
}

void PrintPage(Fl_Printer& printer, const PaperLayout& paper, const DiagramPixels& diagram,
               const std::string& title, size_t page_index) {
  printer.scale(static_cast<float>(paper.scale));
  PaintSheet(paper.layout, diagram, paper.margin, paper.body_top, paper.pages[page_index]);
  for (const PlacedText& text : PageFrame(paper, title, page_index, ToolkitTextMetrics()))
    PaintText(text, 0, 0);
  printer.end_page();
}

}  // namespace

void PrintSheet(const SheetDocument& document, const std::optional<forms::Image>& diagram,
                Fl_Window& from_window) {
  const PaperLayout on_a4 = LayOutForPaper(document, SizeOf(diagram), kA4PrintableWidth,
                                           kA4PrintableHeight, ToolkitTextMetrics());
  Fl_Printer printer;
  int from = 1, to = static_cast<int>(on_a4.pages.size());
  const int started = [&] {
    const CjkDialogFaces faces;
    const ChineseFixedLabels labels;
    const InOfferedFolder folder(TheSheetWindows().offered_folder);
    return printer.start_job(to, &from, &to);
  }();
  if (started == kCancelled) return;
  if (started != 0) {
    rt::PresentInMessageBox("计算书未能打印：打印机或打印文件无法写入。");
    return;
  }
  // The printer draws CJK text as pictures made in a window's pixmap: the sheet's own, not
  // the dialog's that has just gone.
  from_window.make_current();
  // The paper the user chose decides the pages; the range they asked for still holds.
  printer.start_page();
  const PaperLayout paper = LayOutForPrinter(document, diagram, printer);
  const DiagramPixels image = DiagramImage(diagram, paper.layout.diagram);
  const int count = static_cast<int>(paper.pages.size());
  const int first = std::clamp(from, 1, count);
  const int last = std::clamp(to, first, count);
  for (int page = first; page <= last; ++page) {
    if (page > first) printer.start_page();
    PrintPage(printer, paper, image, document.title, static_cast<size_t>(page - 1));
  }
  printer.end_job();
}

}  // namespace calc
