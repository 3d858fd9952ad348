// Where the capacitor parameter page keeps its inputs, its connection and its twelve
// results.
#pragma once

#include <cstdint>
#include <string>

#include "calc/model/capacitor.h"
#include "calc/pages/main_window.h"

namespace calc {

struct CapacitorInputBox {
  const char* symbol;  // as the model names the input
  std::string CapacitorTexts::*text;
  uint32_t box;
};

inline constexpr CapacitorInputBox kCapacitorInputs[] = {
    {"UN", &CapacitorTexts::UN, 编辑框_电容电压},
    {"QN", &CapacitorTexts::QN, 编辑框_电容容量},
    {"Kr", &CapacitorTexts::Kr, 编辑框_电抗率},
    {"Usys", &CapacitorTexts::Usys, 编辑框_系统电压},
    {"f", &CapacitorTexts::f, 编辑框_频率},
    {"nCT", &CapacitorTexts::nCT, 编辑框_CT变比},
    {"cosφ1", &CapacitorTexts::cosφ1, 编辑框_COS1},
    {"cosφ2", &CapacitorTexts::cosφ2, 编辑框_COS2},
    {"P", &CapacitorTexts::P, 编辑框_P},
};

inline constexpr uint32_t kConnectionBox = 组合框_接线方式;

// The result boxes in the order of CapacitorResult, the order the page writes them.
inline constexpr uint32_t kCapacitorResultBoxes[] = {
    编辑框_电容电流,  编辑框_电容电流1, 编辑框_XC,        编辑框_XL,
    编辑框_电容输出,  编辑框_电容电流2, 编辑框_调谐频率,  编辑框_补偿容量,
    编辑框_电容电流6, 编辑框_电容电流7, 编辑框_电容电流8, 编辑框_电容电流9,
};
static_assert(std::size(kCapacitorResultBoxes) == kCapacitorResultCount);

inline uint32_t ResultBoxOf(CapacitorResult result) {
  return kCapacitorResultBoxes[static_cast<size_t>(result)];
}

// The box of an input as the model read it: the connection's for the choice.
uint32_t CapacitorInputBoxOf(const InputReading& input);

}  // namespace calc
