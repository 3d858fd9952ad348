// The record of a "计算" click: every box the calculation read, with its text as it stood
// and the value kept from it, every box it wrote, and the working values it left. Each
// button keeps the record of its last click; a result box leads to the click that last
// wrote it, whatever has been typed since.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

#include "calc/protection_values.h"

namespace calc {

struct NotedBox {
  uint32_t control = 0;
  std::string text;  // GBK, as the box held it
  double value = 0;  // an input as stored; a result before it became text, NaN for a text
};

struct ClickRecord {
  uint32_t button = 0;
  std::time_t time = 0;
  std::vector<NotedBox> inputs;   // in the order first read
  std::vector<NotedBox> results;  // in the order written
  protection::WorkingValues working{};
};

// Notes the reads and writes of the click whose handler runs while it lives; at its end
// the record becomes the button's. One click at a time: handlers never nest.
class ClickRecording {
 public:
  ClickRecording();
  ~ClickRecording();
  ClickRecording(const ClickRecording&) = delete;
  ClickRecording& operator=(const ClickRecording&) = delete;
};

// A read of a box that the click has neither read nor written before is an input; a box
// read back after the click wrote it is not. Nothing is noted outside a click.
bool IsNewInput(uint32_t control);
void NoteInput(uint32_t control, const char* gbk_text, double value);
void NoteResult(uint32_t control, const char* gbk_text, double value);

// The last click of the button; null before its first.
const ClickRecord* RecordOfButton(uint32_t button);
// The last click that wrote the box; null when no click has.
const ClickRecord* RecordBehind(uint32_t box);

}  // namespace calc
