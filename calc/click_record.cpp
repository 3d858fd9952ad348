#include "calc/click_record.h"

#include <algorithm>
#include <map>
#include <memory>

#include "runtime/core/events.h"

namespace calc {
namespace {

// Room for the most boxes a click reads (13) and writes (12), so that noting never moves them.
constexpr size_t kBoxesNoted = 16;

std::unique_ptr<ClickRecord> recording;
std::map<uint32_t, std::shared_ptr<const ClickRecord>> by_button;
std::map<uint32_t, std::shared_ptr<const ClickRecord>> by_box;

bool Noted(const std::vector<NotedBox>& boxes, uint32_t control) {
  return std::any_of(boxes.begin(), boxes.end(),
                     [control](const NotedBox& box) { return box.control == control; });
}

const ClickRecord* Find(const std::map<uint32_t, std::shared_ptr<const ClickRecord>>& records,
                        uint32_t key) {
  auto found = records.find(key);
  return found == records.end() ? nullptr : found->second.get();
}

}  // namespace

ClickRecording::ClickRecording() {
  recording = std::make_unique<ClickRecord>();
  recording->button = rt::CurrentEventSource().control_id;
  recording->time = std::time(nullptr);
  recording->inputs.reserve(kBoxesNoted);
  recording->results.reserve(kBoxesNoted);
}

ClickRecording::~ClickRecording() {
  recording->working = protection::CurrentWorkingValues();
  std::shared_ptr<const ClickRecord> record = std::move(recording);
  by_button[record->button] = record;
  for (const NotedBox& result : record->results) by_box[result.control] = record;
}

bool IsNewInput(uint32_t control) {
  return recording && !Noted(recording->inputs, control) && !Noted(recording->results, control);
}

void NoteInput(uint32_t control, const char* gbk_text, double value) {
  if (IsNewInput(control)) recording->inputs.push_back({control, gbk_text ? gbk_text : "", value});
}

void NoteResult(uint32_t control, const char* gbk_text, double value) {
  if (!recording) return;
  recording->results.push_back({control, gbk_text ? gbk_text : "", value});
}

const ClickRecord* RecordOfButton(uint32_t button) { return Find(by_button, button); }

const ClickRecord* RecordBehind(uint32_t box) { return Find(by_box, box); }

}  // namespace calc
