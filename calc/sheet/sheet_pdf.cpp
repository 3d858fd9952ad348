#include "calc/sheet/sheet_pdf.h"

#include <hpdf.h>

#include <algorithm>
#include <ctime>
#include <memory>
#include <type_traits>

#include "calc/sheet/pdf_fonts.h"
#include "calc/sheet/sheet_colours.h"
#include "calc/sheet/sheet_document.h"
#include "forms/picture.h"
#include "forms/picture_layout.h"

namespace calc {
namespace {

using PdfDocument = std::unique_ptr<std::remove_pointer_t<HPDF_Doc>, decltype(&HPDF_Free)>;

// The toolkit's printer leaves this much of A4 (595 x 842 pt) to print on, centred: the
// PDF's pages are the printed ones.
constexpr HPDF_REAL kPrintableWidth = 559, kPrintableHeight = 806;

// From layout units, counted from an origin on the page, to the PDF's points, counted up
// from the page's bottom-left corner.
class PageCoordinates {
 public:
  PageCoordinates(HPDF_Page page, double scale, int origin_x, int origin_y)
      : scale_(scale),
        left_((HPDF_Page_GetWidth(page) - kPrintableWidth) / 2 + origin_x * scale),
        top_(HPDF_Page_GetHeight(page) - (HPDF_Page_GetHeight(page) - kPrintableHeight) / 2 -
             origin_y * scale) {}

  HPDF_REAL X(double x) const { return static_cast<HPDF_REAL>(left_ + x * scale_); }
  HPDF_REAL Y(double y) const { return static_cast<HPDF_REAL>(top_ - y * scale_); }
  HPDF_REAL Length(double length) const { return static_cast<HPDF_REAL>(length * scale_); }
  // The rectangle as the PDF's paths take it: the bottom-left corner, width and height.
  void Rectangle(HPDF_Page page, const LayoutRect& r) const {
    HPDF_Page_Rectangle(page, X(r.x), Y(r.bottom()), Length(r.width), Length(r.height));
  }

 private:
  double scale_, left_, top_;
};

void SetFill(HPDF_Page page, Rgb colour) {
  HPDF_Page_SetRGBFill(page, colour.red / 255.0f, colour.green / 255.0f, colour.blue / 255.0f);
}

// The diagram as the page draws it: a JPEG file as it stands, any other picture decoded.
HPDF_Image LoadDiagram(HPDF_Doc pdf, const std::vector<uint8_t>& file) {
  if (forms::RecognisePicture(file) == forms::PictureFormat::kJpeg) {
    HPDF_Image image =
        HPDF_LoadJpegImageFromMem(pdf, file.data(), static_cast<HPDF_UINT>(file.size()));
    if (image) return image;
    HPDF_ResetError(pdf);  // a JPEG the library does not read is decoded as the screen does
  }
  const std::optional<forms::Image> decoded = forms::DecodePicture(file);
  if (!decoded) return nullptr;
  const std::vector<uint8_t> rgb = forms::RgbOnWhite(*decoded);
  return HPDF_LoadRawImageFromMem(pdf, rgb.data(), static_cast<HPDF_UINT>(decoded->width),
                                  static_cast<HPDF_UINT>(decoded->height), HPDF_CS_DEVICE_RGB, 8);
}

PictureSize SizeOf(HPDF_Image image) {
  if (!image) return {};
  return {static_cast<int>(HPDF_Image_GetWidth(image)),
          static_cast<int>(HPDF_Image_GetHeight(image))};
}

void DrawText(HPDF_Page page, const PdfFonts& fonts, const PageCoordinates& at,
              const PlacedText& text) {
  const TextStyle style = text.style;
  SetFill(page, TextColour(style));
  HPDF_Page_BeginText(page);
  HPDF_Page_MoveTextPos(page, at.X(text.place.x), at.Y(text.place.y + fonts.BaselineOffset(style)));
  for (const PdfRun& run : fonts.Runs(text.utf8, style)) {
    HPDF_Page_SetFontAndSize(page, run.font, at.Length(fonts.Size(style)));
    HPDF_Page_ShowText(page, run.bytes.c_str());
  }
  HPDF_Page_EndText(page);
}

// The colour is set before the path: the format allows no colour inside one.
void DrawShade(HPDF_Page page, const PageCoordinates& at, const PlacedShade& shade) {
  const Rgb colour = ShadeColour(shade.shade);
  const bool frame = shade.shade == Shade::kCellFrame;
  if (frame) {
    HPDF_Page_SetRGBStroke(page, colour.red / 255.0f, colour.green / 255.0f, colour.blue / 255.0f);
  } else {
    SetFill(page, colour);
  }
  at.Rectangle(page, shade.place);
  if (frame) {
    HPDF_Page_Stroke(page);
  } else {
    HPDF_Page_Fill(page);
  }
}

bool Overlaps(const LayoutRect& place, PageSpan span) {
  return place.y < span.bottom && place.bottom() > span.top;
}

// The sheet's part from span.top to span.bottom below the running head, clipped to it.
void DrawBody(HPDF_Page page, const PdfFonts& fonts, const PaperLayout& paper, HPDF_Image diagram,
              PageSpan span) {
  const SheetLayout& layout = paper.layout;
  const PageCoordinates at(page, paper.scale, paper.margin, paper.body_top - span.top);
  HPDF_Page_GSave(page);
  at.Rectangle(page, {0, span.top, layout.width, span.bottom - span.top});
  HPDF_Page_Clip(page);
  HPDF_Page_EndPath(page);
  HPDF_Page_SetLineWidth(page, at.Length(1));
  for (const PlacedShade& shade : layout.shades) {
    if (Overlaps(shade.place, span)) DrawShade(page, at, shade);
  }
  if (diagram && Overlaps(layout.diagram, span)) {
    const LayoutRect& r = layout.diagram;
    HPDF_Page_DrawImage(page, diagram, at.X(r.x), at.Y(r.bottom()), at.Length(r.width),
                        at.Length(r.height));
  }
  for (const PlacedText& text : layout.texts) {
    if (Overlaps(text.place, span)) DrawText(page, fonts, at, text);
  }
  HPDF_Page_GRestore(page);
}

void DrawPage(HPDF_Doc pdf, const PdfFonts& fonts, const PaperLayout& paper, HPDF_Image diagram,
              const std::string& title, size_t index) {
  HPDF_Page page = HPDF_AddPage(pdf);
  HPDF_Page_SetSize(page, HPDF_PAGE_SIZE_A4, HPDF_PAGE_PORTRAIT);
  DrawBody(page, fonts, paper, diagram, paper.pages[index]);
  const PageCoordinates frame(page, paper.scale, 0, 0);
  for (const PlacedText& text : PageFrame(paper, title, index, fonts))
    DrawText(page, fonts, frame, text);
}

// In universal time: the reader shows it in its own zone.
// A leap second reads as the second before it, which the format allows.
HPDF_Date PdfDate(std::time_t time) {
  const std::tm* utc = std::gmtime(&time);
  if (!utc) return {2000, 1, 1, 0, 0, 0, 'Z', 0, 0};
  return {utc->tm_year + 1900,
          utc->tm_mon + 1,
          utc->tm_mday,
          utc->tm_hour,
          utc->tm_min,
          std::min(utc->tm_sec, 59),
          'Z',
          0,
          0};
}

// The title in the info dictionary as GBK through the CID fonts' encoding, which the
// library writes as UTF-16 for the reader.
void SetProperties(HPDF_Doc pdf, const Sheet& sheet, const std::string& title) {
  HPDF_SetCurrentEncoder(pdf, "GBK-EUC-H");
  HPDF_SetInfoAttr(pdf, HPDF_INFO_TITLE, title.c_str());
  HPDF_SetInfoDateAttr(pdf, HPDF_INFO_CREATION_DATE, PdfDate(sheet.time));
}

std::string Contents(HPDF_Doc pdf) {
  if (HPDF_SaveToStream(pdf) != HPDF_OK) return {};
  std::string bytes(HPDF_GetStreamSize(pdf), '\0');
  auto size = static_cast<HPDF_UINT32>(bytes.size());
  const HPDF_STATUS read =
      HPDF_ReadFromStream(pdf, reinterpret_cast<HPDF_BYTE*>(bytes.data()), &size);
  if ((read != HPDF_OK && read != HPDF_STREAM_EOF) || size != bytes.size()) return {};
  return bytes;
}

}  // namespace

std::string SheetPdf(const Sheet& sheet) {
  const PdfDocument pdf(HPDF_New(nullptr, nullptr), &HPDF_Free);
  if (!pdf) return {};
  HPDF_SetCompressionMode(pdf.get(), HPDF_COMP_ALL);
  const PdfFonts fonts(pdf.get());
  const SheetDocument document = DocumentOf(sheet);
  HPDF_Image diagram = LoadDiagram(pdf.get(), sheet.diagram);
  const PaperLayout paper =
      LayOutForPaper(document, SizeOf(diagram), kPrintableWidth, kPrintableHeight, fonts);
  for (size_t index = 0; index < paper.pages.size(); ++index)
    DrawPage(pdf.get(), fonts, paper, diagram, document.title, index);
  SetProperties(pdf.get(), sheet, document.title);
  if (HPDF_GetError(pdf.get()) != HPDF_OK) return {};
  return Contents(pdf.get());
}

}  // namespace calc
