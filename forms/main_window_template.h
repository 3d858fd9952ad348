// The window template of the program's windows, compiled from forms/main_window.form and
// linked into the program by the library capcalc_window_template.
#pragma once

#include <cstdint>
#include <span>

extern "C" const unsigned char capcalc_main_window_template[];
extern "C" const uint64_t capcalc_main_window_template_size;

namespace forms {

inline std::span<const uint8_t> MainWindowTemplate() {
  return {capcalc_main_window_template, static_cast<size_t>(capcalc_main_window_template_size)};
}

}  // namespace forms
