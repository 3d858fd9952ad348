#include "calc/pages/sheet_reopening.h"

#include <algorithm>
#include <iterator>
#include <vector>

#include "calc/pages/capacitor_boxes.h"
#include "calc/pages/control_io.h"
#include "calc/pages/main_window.h"
#include "calc/pages/protection_boxes.h"
#include "runtime/core/live_control.h"
#include "runtime/core/loaded_windows.h"

namespace calc {
namespace {

// The connection box's items, by their index.
constexpr const char* kConnectionItems[] = {"星形接线", "角形接线"};

uint32_t BoxNamed(const std::vector<uint32_t>& boxes, const std::string& name) {
  auto found = std::find_if(boxes.begin(), boxes.end(),
                            [&name](uint32_t box) { return ControlName(box) == name; });
  return found == boxes.end() ? 0 : *found;
}

rt::LiveControl* LiveControl(uint32_t control_id) {
  rt::LoadedWindow* window = rt::FindLoadedWindow(kMainWindowId);
  rt::ControlState* control = window ? rt::FindControl(*window, control_id) : nullptr;
  return control && control->live ? control->live.get() : nullptr;
}

// The connection as the user gave it: an item picked from the list (which shows its
// diagram), or any other text typed into the text field over the item that was picked.
void PutBackConnection(const SavedInput& input) {
  const auto* item =
      std::find(std::begin(kConnectionItems), std::end(kConnectionItems), input.text);
  rt::LiveControl* box = LiveControl(kConnectionBox);
  if (item != std::end(kConnectionItems) && box) {
    box->UserPickItem(static_cast<int>(item - std::begin(kConnectionItems)));
    return;
  }
  WriteIntProperty(kConnectionBox, kSelectionProperty, input.item);
  WriteText(kConnectionBox, input.text);
}

}  // namespace

std::vector<uint32_t> InputBoxesOf(CalculationPage page, Variant variant) {
  std::vector<uint32_t> boxes;
  if (page == CalculationPage::kCapacitorPage) {
    for (const CapacitorInputBox& input : kCapacitorInputs) boxes.push_back(input.box);
    boxes.push_back(kConnectionBox);
    return boxes;
  }
  for (const InputBox& input : BoxesOfPage(page).inputs)
    if (input.Serves(variant)) boxes.push_back(input.box);
  return boxes;
}

std::string PutBackSavedSheet(const SavedSheet& sheet) {
  const std::vector<uint32_t> boxes = InputBoxesOf(sheet.page, sheet.variant);
  std::vector<std::pair<uint32_t, const SavedInput*>> inputs;
  for (const SavedInput& input : sheet.inputs) {
    const uint32_t box = BoxNamed(boxes, input.control);
    if (!box)
      return "这不是本程序保存的计算书：“" + input.control + "”不是“" + PageTitle(sheet.page) +
             "”页这项计算的输入框。";
    inputs.emplace_back(box, &input);
  }
  if (rt::LiveControl* tabs = LiveControl(选择夹1))
    tabs->UserSelectPage(static_cast<int>(sheet.page));
  for (const auto& [box, input] : inputs) {
    if (box == kConnectionBox) {
      PutBackConnection(*input);
    } else {
      WriteText(box, input->text);
    }
  }
  return {};
}

std::string ReopenSheetFile(const std::string& gbk_path) {
  SavedSheetReading reading = ReadSavedSheetFile(gbk_path);
  return reading.sheet ? PutBackSavedSheet(*reading.sheet) : reading.problem;
}

}  // namespace calc
