#include "calc/sheet_window/sheet_menu.h"

#include "calc/pages/main_window.h"
#include "calc/pages/page_sheets.h"
#include "calc/sheet_window/sheet_window.h"
#include "runtime/ui/editing/edit_menu.h"

namespace calc {
namespace {

// The boxes the "计算" buttons write: page 1's twelve, then each protection page's one.
constexpr uint32_t kResultBoxes[] = {
    编辑框_电容电流,  编辑框_电容电流2, 编辑框_电容电流6, 编辑框_电容电流1,
    编辑框_电容输出,  编辑框_电容电流7, 编辑框_XC,        编辑框_调谐频率,
    编辑框_电容电流8, 编辑框_XL,        编辑框_补偿容量,  编辑框_电容电流9,
    编辑框_Udz,       编辑框_Udz1,      编辑框_Idz,       编辑框_Idz1,
};

void ShowSheetBehind(uint32_t box) {
  if (std::optional<Sheet> sheet = SheetBehind(box)) ShowSheetWindow(*sheet, box);
}

}  // namespace

void OfferSheetWindows(uint32_t window_id) {
  for (uint32_t box : kResultBoxes) {
    rt::AddEditMenuEntry(
        window_id, box,
        {"计算书…", [box] { return HasSheetBehind(box); }, [box] { ShowSheetBehind(box); }});
  }
}

}  // namespace calc
