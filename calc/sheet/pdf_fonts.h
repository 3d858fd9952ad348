// The fonts of a sheet in a PDF file: the Chinese CID fonts every PDF reader knows (SimSun,
// SimHei for the title, headings and setting), which take the text as GBK, and for ASCII,
// the digits above all, the standard Latin fonts. Nothing is embedded, so the text stays
// text: selectable and searchable.
#pragma once

#include <hpdf.h>

#include <string>
#include <string_view>
#include <vector>

#include "calc/sheet/sheet_layout.h"

namespace calc {

// A stretch of a line in one font, its bytes in that font's encoding.
struct PdfRun {
  HPDF_Font font;
  std::string bytes;
};

class PdfFonts : public TextMetrics {
 public:
  explicit PdfFonts(HPDF_Doc pdf);

  // Layout units are points before the paper's scale.
  int Width(std::string_view utf8, TextStyle style) const override;
  int LineHeight(TextStyle style) const override;

  // The line in runs of one font each: ASCII in the Latin font, characters of GBK in the
  // CID font, others as "?" (the bullet as the Latin font's own).
  std::vector<PdfRun> Runs(std::string_view utf8, TextStyle style) const;
  HPDF_REAL Size(TextStyle style) const;
  // From the top of a line's place to its baseline.
  HPDF_REAL BaselineOffset(TextStyle style) const;

 private:
  struct Faces {
    HPDF_Font latin, cjk;
  };
  Faces FacesOf(TextStyle style) const;

  Faces plain_, bold_;
};

}  // namespace calc
