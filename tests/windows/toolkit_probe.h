// The toolkit probe (toolkit_probe.exe): a small toolkit program cross-built as the
// programs are, and run under Wine by the on-screen tests (tests/wine). Both sides share
// its layout and its answers.
#pragma once

namespace toolkit_probe {

// The caption, UTF-8.
inline constexpr char8_t kCaption[] = u8"工具包探针：电容器相关计算";

inline constexpr int kWidth = 320, kHeight = 200;

// Two single Chinese characters, each alone in a box of its own, drawn in an installed
// CJK font: real glyphs differ from each other, missing ones are drawn as equal boxes.
inline constexpr char8_t kGlyphs[2][4] = {u8"电", u8"容"};
inline constexpr int kGlyphTop = 20, kGlyphSize = 40, kGlyphLeft[2] = {20, 80};
inline constexpr int kFontSize = 32;
inline constexpr char kFontFace[] =
    " AR PL UMing CN";  // the toolkit's form: a style, then the face

// A button that has the focus at start, and an input box that gets it only by a click.
inline constexpr int kButtonLeft = 20, kInputLeft = 150, kControlTop = 120;
inline constexpr int kControlWidth = 100, kControlHeight = 30;

// Exit codes: the number typed into the input box when the window closes (Escape or the
// close button); this when the skin engine beside the probe did not theme it.
inline constexpr int kNotThemed = 3;

// Typed instead of a number, this makes the probe crash on closing, with an access
// violation that nothing handles.
inline constexpr char kCrashRequest[] = "crash";

}  // namespace toolkit_probe
