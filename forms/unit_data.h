// The type-specific properties of each control type ("unit data"), in the versions the
// runtime reads, with the defaults a type assumes for properties an older version omits.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <variant>
#include <vector>

namespace forms {

using Bytes = std::vector<uint8_t>;

// Windows colour value 0x00BBGGRR; this value means the system default colour (for a label's
// background: transparent).
constexpr uint32_t kDefaultColour = 0xFF000000;
constexpr uint32_t kBlack = 0x00000000;
constexpr uint32_t kWhite = 0x00FFFFFF;
constexpr uint32_t kGrey = 0x00808080;

// A 60-byte Windows logical font (LOGFONTA); stored as a byte block of 60 bytes, or of 0
// bytes for the default GUI font.
struct LogFont {
  int32_t height = 0;
  int32_t width = 0;
  int32_t escapement = 0;
  int32_t orientation = 0;
  int32_t weight = 400;
  uint8_t italic = 0;
  uint8_t underline = 0;
  uint8_t strike_out = 0;
  uint8_t charset = 0;
  uint8_t out_precision = 0;
  uint8_t clip_precision = 0;
  uint8_t quality = 0;
  uint8_t pitch_and_family = 0;
  std::string face;  // GBK, at most 31 bytes
};
using Font = std::optional<LogFont>;  // nullopt: the default GUI font

struct WindowUnit {
  uint32_t border = 2;
  uint32_t picture_mode = 1;
  uint32_t background = kDefaultColour;
  uint32_t maximise_button = 0;
  uint32_t minimise_button = 0;
  uint32_t control_box = 1;
  uint32_t position = 1;
  uint32_t movable = 1;
  uint32_t sound_play_mode = 0;
  uint32_t enter_moves_focus = 0;
  uint32_t escape_closes = 1;
  uint32_t f1_opens_help = 0;
  uint32_t help_topic = 0;
  uint32_t in_task_bar = 1;    // version 2 and up
  uint32_t reserved3 = 0;      // version 3 and up
  uint32_t shape = 0;          // version 3 and up
  uint32_t always_on_top = 0;  // version 4 and up
  uint32_t reserved5 = 0;      // version 5 and up
  std::string class_text;      // version 6
  Bytes background_picture;
  Bytes icon;
  Bytes background_sound;
  std::string caption;
  std::string help_file;
};

struct LabelUnit {
  uint32_t effect = 0;  // 0 none, 1 engraved, 2 raised, 3 shadow
  uint32_t gradient_border_width = 8;
  uint32_t border = 0;
  uint32_t gradient_border_colours[3] = {kGrey, kWhite, kGrey};
  uint32_t text_colour = kBlack;
  uint32_t background = kDefaultColour;
  uint32_t picture_mode = 1;
  uint32_t gradient_background = 0;
  uint32_t gradient_background_colours[3] = {kGrey, kWhite, kGrey};
  uint32_t horizontal_alignment = 0;
  uint32_t vertical_alignment = 1;
  uint32_t word_wrap = 0;
  Font font;
  Bytes background_picture;
  std::string caption;
  std::string text2, text3;  // version 2
};

struct EditBoxUnit {
  uint32_t border = 1;
  uint32_t text_colour = kBlack;
  uint32_t background = kWhite;
  uint32_t hide_selection = 1;
  uint32_t maximum_length = 0;
  uint32_t multi_line = 0;
  uint32_t scroll_bars = 0;
  uint32_t alignment = 0;
  uint32_t input_mode = 0;  // 1 read-only, 7 32-bit integer, 9 single-precision decimal, ...
  uint16_t password_character = 42;
  uint32_t case_conversion = 0;
  uint32_t spin_button = 0;
  uint32_t spin_minimum = 0;
  uint32_t spin_maximum = 100;
  uint32_t selection_start = 0;
  uint32_t selection_length = 0;
  Font font;
  std::string content;
  std::string text2, text3;  // version 2
};

struct GroupBoxUnit {
  uint32_t caption_alignment = 0;
  uint32_t text_colour = kBlack;
  uint32_t background = kDefaultColour;
  Font font;
  std::string caption;
};

struct ButtonUnit {
  uint32_t kind = 0;  // 1: default button
  uint32_t horizontal_alignment = 1;
  uint32_t vertical_alignment = 1;
  Bytes picture;
  Font font;
  std::string caption;
};

struct DrawPanelUnit {
  uint32_t border = 0;
  uint32_t background = kDefaultColour;
  uint32_t picture_mode = 1;  // 0 natural size, 1 tiled, 2 fit
  uint32_t automatic_redraw = 0;
  uint32_t scale_mode = 0;
  uint32_t pen_style = 1;
  uint32_t pen_mix_mode = 12;
  uint32_t pen_width = 0;
  uint32_t pen_colour = kBlack;
  uint32_t brush_style = 1;
  uint32_t brush_colour = kWhite;
  uint32_t text_colour = kBlack;
  uint32_t text_background = kDefaultColour;
  Font font;
  Bytes background_picture;
};

struct ComboBoxUnit {
  uint32_t kind = 1;  // 0 simple, 1 drop-down with editable text, 2 drop-down list
  uint32_t maximum_length = 0;
  uint32_t selection_start = 0;
  uint32_t selection_length = 0;
  uint32_t sorted = 0;
  uint32_t extra_item_height = 1;
  uint32_t text_colour = kBlack;
  uint32_t background = kWhite;
  int32_t current_item = -1;
  Font font;
  Bytes item_data;
  std::string content;
  std::vector<std::string> items;
  std::string text2, text3;  // version 2 and up
  uint32_t reserved3 = 0;    // version 3
};

struct TabUnit {
  uint32_t tab_position = 0;
  uint32_t multi_line_tabs = 0;
  uint32_t current_page = 0;
  uint32_t drawn_style = 0;              // version 2 and up
  uint32_t opaque = 1;                   // version 3
  uint32_t background = kDefaultColour;  // version 3
  Font font;
  std::vector<std::string> pages{std::string()};
};

struct TimerUnit {
  uint32_t period = 0;  // milliseconds; 0 stopped
};

// The balloon tip stores no unit data.
struct BalloonTipUnit {};

using UnitData = std::variant<WindowUnit, LabelUnit, EditBoxUnit, GroupBoxUnit, ButtonUnit,
                              DrawPanelUnit, ComboBoxUnit, TabUnit, TimerUnit, BalloonTipUnit>;

// Highest unit data version each type reads; 0 for a type code without unit data (the
// balloon tip stores nothing, not even a version) and for an unknown type code.
uint32_t HighestUnitDataVersion(uint32_t type_code);

// The unit data a control of `type_code` has before anything is read: every field at its
// default. nullopt for a type code without unit data kind.
std::optional<UnitData> DefaultUnitData(uint32_t type_code);

// Reads the unit data of a control of `type_code`. Fields that the stored version does not
// have keep their defaults. nullopt when the type is unknown, the version is 0 or above the
// highest the type knows, or the bytes are malformed: too short, a font block that is
// neither empty nor one 60-byte logical font, a face name without terminator, or bytes left
// over after the last field of the version.
std::optional<UnitData> ParseUnitData(uint32_t type_code, std::span<const uint8_t> bytes);

// Writes `unit` in the given version (fields a version does not have are left out). Throws
// std::invalid_argument for a version the type does not have (for the balloon tip: other
// than 0) and for a face name that does not fit; std::length_error for a block or list
// longer than its stored count can state.
std::vector<uint8_t> SerializeUnitData(const UnitData& unit, uint32_t version);

}  // namespace forms
