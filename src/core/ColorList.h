// The entries of the colour lists: the 16 standard colours, the four extended ones and the
// Windows system colours, each with the language-file entry that names it.
#pragma once
#include <cstddef>
#include <string_view>

#include "core/Settings.h"

namespace velmora {

struct NamedColor {
  std::string_view nameKey;  // the language-file entry with the display name
  ColorValue value;
};

constexpr ColorValue SystemColorValue(unsigned index) { return 0xFF000000u | index; }

// In list order: standard colours, extended colours, then the system colours by index (0 to 24
// and 26 to 30; Windows defines no colour 25).
inline constexpr NamedColor kColorList[] = {
    {"clBlack", 0x000000},
    {"clMaroon", 0x000080},
    {"clGreen", 0x008000},
    {"clOlive", 0x008080},
    {"clNavy", 0x800000},
    {"clPurple", 0x800080},
    {"clTeal", 0x808000},
    {"clGray", 0x808080},
    {"clSilver", 0xC0C0C0},
    {"clRed", 0x0000FF},
    {"clLime", 0x00FF00},
    {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},
    {"clFuchsia", 0xFF00FF},
    {"clAqua", 0xFFFF00},
    {"clWhite", 0xFFFFFF},
    {"clMoneyGreen", 0xC0DCC0},
    {"clSkyBlue", 0xF0CAA6},
    {"clCream", 0xF0FBFF},
    {"clMedGray", 0xA4A0A0},
    {"clScrollBar", SystemColorValue(0)},
    {"clBackground", SystemColorValue(1)},
    {"clActiveCaption", SystemColorValue(2)},
    {"clInactiveCaption", SystemColorValue(3)},
    {"clMenu", SystemColorValue(4)},
    {"clWindow", SystemColorValue(5)},
    {"clWindowFrame", SystemColorValue(6)},
    {"clMenuText", SystemColorValue(7)},
    {"clWindowText", SystemColorValue(8)},
    {"clCaptionText", SystemColorValue(9)},
    {"clActiveBorder", SystemColorValue(10)},
    {"clInactiveBorder", SystemColorValue(11)},
    {"clAppWorkSpace", SystemColorValue(12)},
    {"clHighlight", SystemColorValue(13)},
    {"clHighlightText", SystemColorValue(14)},
    {"clBtnFace", SystemColorValue(15)},
    {"clBtnShadow", SystemColorValue(16)},
    {"clGrayText", SystemColorValue(17)},
    {"clBtnText", SystemColorValue(18)},
    {"clInactiveCaptionText", SystemColorValue(19)},
    {"clBtnHighlight", SystemColorValue(20)},
    {"cl3DDkShadow", SystemColorValue(21)},
    {"cl3DLight", SystemColorValue(22)},
    {"clInfoText", SystemColorValue(23)},
    {"clInfoBk", SystemColorValue(24)},
    {"clHotLight", SystemColorValue(26)},
    {"clGradientActiveCaption", SystemColorValue(27)},
    {"clGradientInactiveCaption", SystemColorValue(28)},
    {"clMenuHighlight", SystemColorValue(29)},
    {"clMenuBar", SystemColorValue(30)},
};

// What a colour list reports with no entry selected.
constexpr ColorValue kNoColorSelected = 0xFF000000;

// The index of the first entry with that value; -1 when the list has none (the list then
// shows no selection).
int ColorListIndexOf(ColorValue value);

}  // namespace velmora
