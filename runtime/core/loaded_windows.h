// The loaded-window list: every window of the template with its control records, and the
// live controls once the window has been created.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "forms/template.h"

namespace rt {

class LiveControl;

// One record of a loaded window. Geometry and flags are kept up to date by property
// writes, also while no live control exists.
struct ControlState {
  forms::ControlRecord record;
  std::unique_ptr<LiveControl> live;

  ControlState();
  explicit ControlState(forms::ControlRecord r);
  ControlState(ControlState&&) noexcept;
  ControlState& operator=(ControlState&&) noexcept;
  ~ControlState();
};

struct LoadedWindow {
  uint32_t window_id = 0;
  const forms::WindowEntry* entry = nullptr;  // as loaded; never changed at run time
  std::vector<ControlState> controls;         // record 0 is the window's own
  bool live = false;                          // the live window exists
};

// Reads the template block and registers its windows; a malformed block is the fatal
// runtime error "载入窗口模板数据段出错!". An empty block loads no windows.
void LoadWindowTemplate(std::span<const uint8_t> block);
// Forgets every loaded window (and destroys their live controls).
void ReleaseLoadedWindows();

std::vector<LoadedWindow>& LoadedWindows();
LoadedWindow* FindLoadedWindow(uint32_t window_id);
ControlState* FindControl(LoadedWindow& window, uint32_t control_id);
ControlState* FindControlByName(LoadedWindow& window, std::string_view gbk_name);

// Whether the ControlId names the window's own record rather than a control.
bool IsWindowRecordId(uint32_t control_id);
// The window's own record for such an id, otherwise the control's record; null if none.
ControlState* FindRecord(LoadedWindow& window, uint32_t control_id);

}  // namespace rt
