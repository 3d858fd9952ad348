// The binary skin format (described in skin/FORMAT.md) and the theme it carries. Pure
// data handling: the engine, the skin compiler, the program's skin accessor and the fuzz
// target all share it, and none of it touches the toolkit.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace skin {

struct Rgb {
  uint8_t r = 0, g = 0, b = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

// Palette roles, in the numbering the format stores.
enum class Role : uint8_t {
  kWindow,     // window and page background
  kField,      // edit box background
  kText,       // text on windows and in edit boxes
  kSelection,  // selected text and items
  kInactive,   // text of disabled controls
  kBorder,     // outline of buttons, edit boxes and tabs
  kButtonTop,  // button face gradient, top and bottom rows
  kButtonBottom,
  kPressedTop,  // face of a pressed button
  kPressedBottom,
  kFrame,       // group box line
  kFrameLight,  // the light line beside it that makes an etched frame
  kAeroTop,     // background gradient while the aero effect is on
  kAeroBottom,
  kCount
};

// The kinds of boxes the engine draws.
enum class Part : uint8_t {
  kButton,  // raised: buttons, the combo box face
  kField,   // sunken: edit boxes
  kPanel,   // thin raised: tabs and tab pages
  kFrame,   // engraved: group boxes
  kCount
};

enum class Style : uint8_t {
  kFlat,      // one colour, one outline
  kGradient,  // a vertical gradient; a soft inner shadow in edit boxes
  kBevel,     // a gradient with a light inner edge on top
  kCount
};

// The toolkit schemes a skin may build on; the engine overrides the boxes it draws.
enum class Scheme : uint8_t { kNone, kGtk, kGleam, kCount };

struct BoxLook {
  Style style = Style::kFlat;
  uint8_t radius = 0;  // corner radius in pixels, at most kMaxRadius
  friend bool operator==(const BoxLook&, const BoxLook&) = default;
};

inline constexpr size_t kRoleCount = static_cast<size_t>(Role::kCount);
inline constexpr size_t kPartCount = static_cast<size_t>(Part::kCount);
inline constexpr uint8_t kMaxRadius = 8;
inline constexpr size_t kMaxNameLength = 64;

struct Skin {
  std::string name;  // UTF-8
  Scheme scheme = Scheme::kNone;
  std::array<Rgb, kRoleCount> palette{};
  std::array<BoxLook, kPartCount> boxes{};
  uint8_t gloss = 0;  // strength of the aero highlight on buttons, 0 to 255

  Rgb& operator[](Role role) { return palette[static_cast<size_t>(role)]; }
  const Rgb& operator[](Role role) const { return palette[static_cast<size_t>(role)]; }
  BoxLook& operator[](Part part) { return boxes[static_cast<size_t>(part)]; }
  const BoxLook& operator[](Part part) const { return boxes[static_cast<size_t>(part)]; }
  friend bool operator==(const Skin&, const Skin&) = default;
};

// Names as skin sources and the format write them; index = enum value.
inline constexpr std::array<const char*, kRoleCount> kRoleNames = {
    "window", "field",       "text",          "selection",   "inactive",
    "border", "button.top",  "button.bottom", "pressed.top", "pressed.bottom",
    "frame",  "frame.light", "aero.top",      "aero.bottom"};
inline constexpr std::array<const char*, kPartCount> kPartNames = {"button", "field", "panel",
                                                                   "frame"};
inline constexpr std::array<const char*, static_cast<size_t>(Style::kCount)> kStyleNames = {
    "flat", "gradient", "bevel"};
inline constexpr std::array<const char*, static_cast<size_t>(Scheme::kCount)> kSchemeNames = {
    "none", "gtk+", "gleam"};

// Record tags; a reader skips tags it does not know.
enum class RecordTag : uint16_t { kName = 1, kScheme, kPalette, kBoxes, kAero, kEnd };

inline constexpr size_t kHeaderSize = 16;
inline constexpr size_t kMaxSkinSize = 64 * 1024;

// The whole skin, or nothing when any check of FORMAT.md fails. Reads only `bytes`.
std::optional<Skin> Decode(std::span<const uint8_t> bytes);

// The binary form of `skin`, sealed with its length and checksum.
std::vector<uint8_t> Encode(const Skin& skin);

// Writes the length and checksum fields of a complete skin image (header included).
void Seal(std::vector<uint8_t>& image);

// The length a skin's header declares, when `bytes` starts with a header that fits in
// `bytes`; lets skins be laid one after another without an index.
std::optional<size_t> DeclaredLength(std::span<const uint8_t> bytes);

}  // namespace skin
