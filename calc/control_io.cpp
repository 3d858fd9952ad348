#include "calc/control_io.h"

#include <cmath>

#include "calc/click_record.h"
#include "calc/main_window.h"
#include "runtime/core/conversions.h"
#include "runtime/core/heap.h"
#include "runtime/core/loaded_windows.h"
#include "runtime/core/property_access.h"

namespace calc {
namespace {

// The control's first own property (an edit box's content, a caption, a draw panel's
// picture) as a runtime heap block, null when empty; the caller frees it.
char* ReadContent(uint32_t control_id) {
  uint64_t bits = rt::GetProperty(kMainWindowId, control_id, kContentProperty, -1);
  return reinterpret_cast<char*>(static_cast<uintptr_t>(bits));
}

// Applies a conversion command to the box's content, an empty box counting as the empty
// text, and keeps what `keep` makes of the result; the content is noted with that value.
template <class Keep>
auto ReadConverted(rt::Command command, uint32_t control_id, Keep keep) {
  char* text = ReadContent(control_id);
  rt::Value argument = rt::MakeText(text ? text : "");
  auto kept = keep(rt::CallCommand(command, 1, &argument));
  NoteInput(control_id, text, kept);
  rt::FreeMem(text);
  return kept;
}

// Truncation toward zero to 32 bits. A value beyond the 32-bit range, an infinity or a
// not-a-number becomes the most negative integer, the "integer indefinite" that the
// processor's own conversion yields, so absurd inputs give the figures the bank
// engineers have always seen rather than an undefined result.
int32_t DropFraction(float value) {
  if (!(value > -2147483649.0f && value < 2147483648.0f)) return INT32_MIN;
  return static_cast<int32_t>(value);
}

}  // namespace

float ReadNumber(uint32_t control_id) { return ReadConverted(rt::ToNumber, control_id, rt::FloatOf); }

int32_t ReadInteger(uint32_t control_id) { return ReadConverted(rt::ToInteger, control_id, rt::IntOf); }

int32_t ReadTruncated(uint32_t control_id) {
  return ReadConverted(rt::ToNumber, control_id,
                       [](const rt::Value& number) { return DropFraction(rt::FloatOf(number)); });
}

void WriteNumber(uint32_t control_id, double value) {
  rt::Value argument = rt::MakeDouble(value);
  rt::Value text = rt::CallCommand(rt::ToText, 1, &argument);
  rt::SetProperty(kMainWindowId, control_id, kContentProperty, -1, text.lo, text.hi);
  NoteResult(control_id, static_cast<const char*>(rt::AddressOf(text)), value);
  rt::FreeMem(rt::AddressOf(text));
}

void WriteText(uint32_t control_id, const char* gbk_text) {
  rt::Value text = rt::MakeText(gbk_text);
  rt::SetProperty(kMainWindowId, control_id, kContentProperty, -1, text.lo, text.hi);
  NoteResult(control_id, gbk_text, NAN);
}

int32_t ReadSelection(uint32_t control_id) {
  int32_t selection = ReadIntProperty(control_id, kSelectionProperty);
  if (IsNewInput(control_id)) NoteInput(control_id, ReadText(control_id).c_str(), selection);
  return selection;
}

std::string ReadText(uint32_t control_id) {
  char* text = ReadContent(control_id);
  std::string copy = text ? text : "";
  rt::FreeMem(text);
  return copy;
}

std::vector<uint8_t> ReadPicture(uint32_t control_id) {
  void* block = ReadContent(control_id);
  const uint8_t* bytes = rt::BytesData(block);
  std::vector<uint8_t> picture(bytes, bytes + rt::BytesCount(block));
  rt::FreeMem(block);
  return picture;
}

std::string ControlName(uint32_t control_id) {
  rt::LoadedWindow* window = rt::FindLoadedWindow(kMainWindowId);
  rt::ControlState* control = window ? rt::FindControl(*window, control_id) : nullptr;
  return control ? control->record.name : std::string();
}

int32_t ReadIntProperty(uint32_t control_id, int32_t property) {
  return static_cast<int32_t>(rt::GetProperty(kMainWindowId, control_id, property, -1));
}

void WriteIntProperty(uint32_t control_id, int32_t property, int32_t value) {
  rt::SetProperty(kMainWindowId, control_id, property, -1, static_cast<uint32_t>(value), 0);
}

double SquareRoot(double x) {
  rt::Value argument = rt::MakeDouble(x);
  return rt::DoubleOf(rt::CallCommand(rt::Sqrt, 1, &argument));
}

float RoundToSingle(double x) {
  rt::Value argument = rt::MakeDouble(x);
  return rt::FloatOf(rt::CallCommand(rt::ToNumber, 1, &argument));
}

int32_t WholePart(double x) {
  rt::Value argument = rt::MakeDouble(x);
  return rt::IntOf(rt::CallCommand(rt::IntPart, 1, &argument));
}

}  // namespace calc
