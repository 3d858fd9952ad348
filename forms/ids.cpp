#include "forms/template.h"

namespace forms {

bool IsValidId(uint32_t id) { return (id & 0x00FFFFFF) != 0 && (id & 0x0F000000) != 0; }

bool IsMenuItemId(uint32_t id) { return ((id >> 24) & 0xF) == 6 && (id >> 28) == 2; }

}  // namespace forms
