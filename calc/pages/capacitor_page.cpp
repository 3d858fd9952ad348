// The capacitor parameter page's "计算" button: it reads the page's boxes and the picked
// connection, has the model compute the twelve results and shows them, and keeps the
// outcome for the calculation sheet.
#include "calc/pages/calculator_state.h"
#include "calc/pages/capacitor_boxes.h"
#include "calc/pages/control_io.h"
#include "calc/pages/handlers.h"
#include "calc/pages/main_window.h"

namespace calc {
namespace {

CapacitorTexts ReadTexts() {
  CapacitorTexts texts;
  for (const CapacitorInputBox& input : kCapacitorInputs) texts.*input.text = ReadText(input.box);
  texts.connection = ReadSelection(kConnectionBox);
  texts.connection_text = ReadText(kConnectionBox);
  texts.connection_items = ReadItems(kConnectionBox);
  return texts;
}

}  // namespace

rt::HandlerResult OnCapacitorParametersClicked(const rt::EventArgs&) {
  CapacitorOutcome outcome = CalculateCapacitorParameters(ReadTexts());
  for (const ResultValue& result : outcome.results)
    WriteText(ResultBoxOf(result.result), result.text);
  Calculator()->Keep({按钮_电容器计算, std::time(nullptr), std::move(outcome)},
                     kCapacitorResultBoxes);
  return std::nullopt;
}

}  // namespace calc
