// The window template: one byte block describing every window of the program with all its
// controls. Loaded once at start into the structures below; the live windows are built
// from them when a window is shown.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace forms {

// Type codes: library number in the high 16 bits, type number within it in the low 16.
enum TypeCode : uint32_t {
  kWindowType = 0x00010001,
  kMenuItemType = 0x00010003,
  kEditBoxType = 0x00010005,
  kDrawPanelType = 0x00010008,
  kGroupBoxType = 0x00010009,
  kLabelType = 0x0001000A,
  kButtonType = 0x0001000B,
  kComboBoxType = 0x0001000E,
  kTabType = 0x00010015,
  kTimerType = 0x00010020,
  kBalloonTipType = 0x00020001,
};

// Stored handler reference meaning "no handler".
constexpr uint32_t kNoHandler = 0xFFFFFFFF;

// Record flags.
enum RecordFlag : uint32_t { kVisible = 1, kDisabled = 2, kTabStop = 4 };

// Valid when both the low 24 bits and bits 24..27 are non-zero.
bool IsValidId(uint32_t id);
// Bits 24..27 are 6 and bits 28..31 are 2.
bool IsMenuItemId(uint32_t id);

struct Binding {
  int32_t event = 0;
  uint32_t handler = kNoHandler;  // index into the program's handler table
};

struct MenuItem {
  std::string text2;        // the second C string
  uint32_t values[3] = {};  // values[2] holds the flags: 1 hidden, 2 disabled, 4 checked
  std::string caption;
  uint32_t handler = kNoHandler;
};

// One record of a window: the window itself (record 0), a control, or a menu item.
// Texts are GBK.
struct ControlRecord {
  uint32_t control_id = 0;
  uint32_t type_code = 0;
  uint32_t event_owner = 0;
  std::string name;
  std::string remark;
  int32_t left = 0, top = 0, width = 0, height = 0;
  uint32_t container = 0;
  // For a control with pages: the page lists one after another, each ended by a 0 entry.
  std::vector<uint32_t> children;
  std::vector<uint8_t> mouse_pointer;  // the whole stored block, 32-bit kind first
  std::string tag;
  uint32_t flags = 0;
  uint32_t tab_order = 0;
  std::vector<Binding> bindings;
  // The type's own properties, as stored; read with ParseUnitData when the control is
  // created (a version the type does not know makes the control impossible to create).
  std::vector<uint8_t> unit_data;
  std::optional<MenuItem> menu_item;  // set for menu item records only
};

struct WindowEntry {
  uint32_t window_id = 0;
  uint32_t value1 = 0, value2 = 0;  // carried with the window, otherwise unused
  std::string text1, text2;
  std::vector<ControlRecord> records;  // record 0 is the window's own
};

struct Template {
  std::vector<WindowEntry> windows;
};

// Reads the block exactly as laid out, through a bounds-checked reader; nullopt for any
// malformed block (never reads out of bounds, never allocates from an unchecked count).
// An empty block gives a template without windows. Malformed, besides any field or count
// that runs past the end of the block or of its record area:
//  - a window table size that is not a multiple of 8, or bytes after the last window;
//  - two windows with one WindowId, or two records of a window with one ControlId;
//  - a window without records, or whose record 0 is not a record of type window;
//  - a record offset or a record's declared size that leaves its record area, or two
//    records that share bytes;
//  - a menu item record with bytes after its handler reference;
//  - two bindings of one record for the same event number.
// Otherwise records may lie anywhere within the record area, in any order. Unit data is
// kept as stored; it is read by ParseUnitData when the control is created.
std::optional<Template> ParseTemplate(std::span<const uint8_t> block);

// The inverse, used by the template compiler and by tests. Records follow one another in
// index order; a record with a menu item ControlId is written as a menu item (from
// `menu_item`, or a default one). Throws std::invalid_argument for a zero byte inside a
// name, remark, tag or menu text, std::length_error for a size or count beyond 32 bits.
std::vector<uint8_t> SerializeTemplate(const Template& tmpl);

}  // namespace forms
