// The one list of fields of each control type's unit data, in stored order, with the version
// that introduced each. The binary reader and writer (forms/field_io.h) and the window
// description compiler all walk these lists, so the three cannot disagree on a field.
//
// A visitor `io` offers one member per kind of field, each taking the field's name (the
// word the window description uses for it) and a reference to the member:
//   U8, U16, U32, I32     integers of that width
//   Colours               three 32-bit colours
//   Text                  32-bit byte count, then GBK bytes
//   Bytes                 32-bit byte count, then bytes (pictures, icon, sound, item data)
//   TextList              16-bit count, then that many texts
//   Font                  32-bit byte count, then a 60-byte logical font or nothing
//   FaceName              the font's face: 32 bytes, zero-terminated
// The unit is const when writing, so each list is a template over the unit's constness.
#pragma once

#include <concepts>
#include <cstdint>
#include <type_traits>

#include "forms/template.h"
#include "forms/unit_data.h"

namespace forms {

template <class U, class T>
concept Is = std::same_as<std::remove_const_t<U>, T>;

// Type code and highest readable version of each unit data kind.
template <class Unit>
struct UnitType;
template <uint32_t code, uint32_t highest>
struct UnitTypeOf {
  static constexpr uint32_t kCode = code, kHighest = highest;
};
template <>
struct UnitType<WindowUnit> : UnitTypeOf<kWindowType, 6> {};
template <>
struct UnitType<LabelUnit> : UnitTypeOf<kLabelType, 2> {};
template <>
struct UnitType<EditBoxUnit> : UnitTypeOf<kEditBoxType, 2> {};
template <>
struct UnitType<GroupBoxUnit> : UnitTypeOf<kGroupBoxType, 1> {};
template <>
struct UnitType<ButtonUnit> : UnitTypeOf<kButtonType, 1> {};
template <>
struct UnitType<DrawPanelUnit> : UnitTypeOf<kDrawPanelType, 1> {};
template <>
struct UnitType<ComboBoxUnit> : UnitTypeOf<kComboBoxType, 3> {};
template <>
struct UnitType<TabUnit> : UnitTypeOf<kTabType, 3> {};
template <>
struct UnitType<TimerUnit> : UnitTypeOf<kTimerType, 1> {};
// Stores nothing at all, not even a version.
template <>
struct UnitType<BalloonTipUnit> : UnitTypeOf<kBalloonTipType, 0> {};

template <class Io, Is<LogFont> F>
void VisitFontFields(Io& io, F& f) {
  io.I32("height", f.height);
  io.I32("width", f.width);
  io.I32("escapement", f.escapement);
  io.I32("orientation", f.orientation);
  io.I32("weight", f.weight);
  io.U8("italic", f.italic);
  io.U8("underline", f.underline);
  io.U8("strike_out", f.strike_out);
  io.U8("charset", f.charset);
  io.U8("out_precision", f.out_precision);
  io.U8("clip_precision", f.clip_precision);
  io.U8("quality", f.quality);
  io.U8("pitch_and_family", f.pitch_and_family);
  io.FaceName("face", f.face);
}

template <class Io, Is<WindowUnit> U>
void VisitUnitFields(Io& io, U& u, uint32_t version) {
  io.U32("border", u.border);
  io.U32("picture_mode", u.picture_mode);
  io.U32("background", u.background);
  io.U32("maximise_button", u.maximise_button);
  io.U32("minimise_button", u.minimise_button);
  io.U32("control_box", u.control_box);
  io.U32("position", u.position);
  io.U32("movable", u.movable);
  io.U32("sound_play_mode", u.sound_play_mode);
  io.U32("enter_moves_focus", u.enter_moves_focus);
  io.U32("escape_closes", u.escape_closes);
  io.U32("f1_opens_help", u.f1_opens_help);
  io.U32("help_topic", u.help_topic);
  if (version >= 2) io.U32("in_task_bar", u.in_task_bar);
  if (version >= 3) {
    io.U32("reserved3", u.reserved3);
    io.U32("shape", u.shape);
  }
  if (version >= 4) io.U32("always_on_top", u.always_on_top);
  if (version >= 5) io.U32("reserved5", u.reserved5);
  if (version >= 6) io.Text("class_text", u.class_text);
  io.Bytes("background_picture", u.background_picture);
  io.Bytes("icon", u.icon);
  io.Bytes("background_sound", u.background_sound);
  io.Text("caption", u.caption);
  io.Text("help_file", u.help_file);
}

template <class Io, Is<LabelUnit> U>
void VisitUnitFields(Io& io, U& u, uint32_t version) {
  io.U32("effect", u.effect);
  io.U32("gradient_border_width", u.gradient_border_width);
  io.U32("border", u.border);
  io.Colours("gradient_border_colours", u.gradient_border_colours);
  io.U32("text_colour", u.text_colour);
  io.U32("background", u.background);
  io.U32("picture_mode", u.picture_mode);
  io.U32("gradient_background", u.gradient_background);
  io.Colours("gradient_background_colours", u.gradient_background_colours);
  io.U32("horizontal_alignment", u.horizontal_alignment);
  io.U32("vertical_alignment", u.vertical_alignment);
  io.U32("word_wrap", u.word_wrap);
  io.Font("font", u.font);
  io.Bytes("background_picture", u.background_picture);
  io.Text("caption", u.caption);
  if (version >= 2) {
    io.Text("text2", u.text2);
    io.Text("text3", u.text3);
  }
}

template <class Io, Is<EditBoxUnit> U>
void VisitUnitFields(Io& io, U& u, uint32_t version) {
  io.U32("border", u.border);
  io.U32("text_colour", u.text_colour);
  io.U32("background", u.background);
  io.U32("hide_selection", u.hide_selection);
  io.U32("maximum_length", u.maximum_length);
  io.U32("multi_line", u.multi_line);
  io.U32("scroll_bars", u.scroll_bars);
  io.U32("alignment", u.alignment);
  io.U32("input_mode", u.input_mode);
  io.U16("password_character", u.password_character);
  io.U32("case_conversion", u.case_conversion);
  io.U32("spin_button", u.spin_button);
  io.U32("spin_minimum", u.spin_minimum);
  io.U32("spin_maximum", u.spin_maximum);
  io.U32("selection_start", u.selection_start);
  io.U32("selection_length", u.selection_length);
  io.Font("font", u.font);
  io.Text("content", u.content);
  if (version >= 2) {
    io.Text("text2", u.text2);
    io.Text("text3", u.text3);
  }
}

template <class Io, Is<GroupBoxUnit> U>
void VisitUnitFields(Io& io, U& u, uint32_t /*version*/) {
  io.U32("caption_alignment", u.caption_alignment);
  io.U32("text_colour", u.text_colour);
  io.U32("background", u.background);
  io.Font("font", u.font);
  io.Text("caption", u.caption);
}

template <class Io, Is<ButtonUnit> U>
void VisitUnitFields(Io& io, U& u, uint32_t /*version*/) {
  io.U32("kind", u.kind);
  io.U32("horizontal_alignment", u.horizontal_alignment);
  io.U32("vertical_alignment", u.vertical_alignment);
  io.Bytes("picture", u.picture);
  io.Font("font", u.font);
  io.Text("caption", u.caption);
}

template <class Io, Is<DrawPanelUnit> U>
void VisitUnitFields(Io& io, U& u, uint32_t /*version*/) {
  io.U32("border", u.border);
  io.U32("background", u.background);
  io.U32("picture_mode", u.picture_mode);
  io.U32("automatic_redraw", u.automatic_redraw);
  io.U32("scale_mode", u.scale_mode);
  io.U32("pen_style", u.pen_style);
  io.U32("pen_mix_mode", u.pen_mix_mode);
  io.U32("pen_width", u.pen_width);
  io.U32("pen_colour", u.pen_colour);
  io.U32("brush_style", u.brush_style);
  io.U32("brush_colour", u.brush_colour);
  io.U32("text_colour", u.text_colour);
  io.U32("text_background", u.text_background);
  io.Font("font", u.font);
  io.Bytes("background_picture", u.background_picture);
}

template <class Io, Is<ComboBoxUnit> U>
void VisitUnitFields(Io& io, U& u, uint32_t version) {
  io.U32("kind", u.kind);
  io.U32("maximum_length", u.maximum_length);
  io.U32("selection_start", u.selection_start);
  io.U32("selection_length", u.selection_length);
  io.U32("sorted", u.sorted);
  io.U32("extra_item_height", u.extra_item_height);
  io.U32("text_colour", u.text_colour);
  io.U32("background", u.background);
  io.I32("current_item", u.current_item);
  io.Font("font", u.font);
  io.Bytes("item_data", u.item_data);
  io.Text("content", u.content);
  io.TextList("items", u.items);
  if (version >= 2) {
    io.Text("text2", u.text2);
    io.Text("text3", u.text3);
  }
  if (version >= 3) io.U32("reserved3", u.reserved3);
}

template <class Io, Is<TabUnit> U>
void VisitUnitFields(Io& io, U& u, uint32_t version) {
  io.U32("tab_position", u.tab_position);
  io.U32("multi_line_tabs", u.multi_line_tabs);
  io.U32("current_page", u.current_page);
  if (version >= 2) io.U32("drawn_style", u.drawn_style);
  if (version >= 3) {
    io.U32("opaque", u.opaque);
    io.U32("background", u.background);
  }
  io.Font("font", u.font);
  io.TextList("pages", u.pages);
}

template <class Io, Is<TimerUnit> U>
void VisitUnitFields(Io& io, U& u, uint32_t /*version*/) {
  io.U32("period", u.period);
}

template <class Io, Is<BalloonTipUnit> U>
void VisitUnitFields(Io& /*io*/, U& /*u*/, uint32_t /*version*/) {}

}  // namespace forms
