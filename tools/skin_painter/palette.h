#pragma once
// The colours of the Midnight skin. The text colours of its settings file (Config.ini) are chosen
// from the same list, so a label drawn over one of these pictures matches it.
#include "canvas.h"

namespace kv::painter::midnight {

// Window frame: a dark outline, a highlight line, then the frame's body.
constexpr Rgb kOutline = hex(0x04080f);
constexpr Rgb kFrameHighlight = hex(0x5d79a6);
constexpr Rgb kTitleTop = hex(0x2a3d5e);
constexpr Rgb kTitleBottom = hex(0x172339);
constexpr Rgb kBorderOuter = hex(0x22324f);
constexpr Rgb kBorderInner = hex(0x16223a);
constexpr Rgb kFrameShadow = hex(0x080d17);

// The inside of windows and the panels set into it.
constexpr Rgb kBackgroundTop = hex(0x0f1a2d);
constexpr Rgb kBackground = hex(0x0d1626);
constexpr Rgb kBackgroundBottom = hex(0x0b1322);
constexpr Rgb kPanel = hex(0x09101d);
constexpr Rgb kPanelStripe = hex(0x0c1526);
constexpr Rgb kPanelBorder = hex(0x2c3f60);
constexpr Rgb kPage = hex(0x111c30);

// Headers of the main window's panels.
constexpr Rgb kHeaderTop = hex(0x25385a);
constexpr Rgb kHeaderBottom = hex(0x182741);

// Buttons, released and pressed.
constexpr Rgb kButtonTop = hex(0x2f4569);
constexpr Rgb kButtonBottom = hex(0x1b2b46);
constexpr Rgb kButtonBorder = hex(0x4b6794);
constexpr Rgb kButtonHighlight = hex(0x6a89b9);
constexpr Rgb kPressedTop = hex(0x111b2d);
constexpr Rgb kPressedBottom = hex(0x1b2a43);
constexpr Rgb kPressedBorder = hex(0x3b5682);
constexpr Rgb kPressedShadow = hex(0x070c16);

// The steel-blue accent: selection, ticks, thumbs.
constexpr Rgb kAccent = hex(0x4f7fb8);
constexpr Rgb kAccentLight = hex(0x7ea6da);
constexpr Rgb kAccentDark = hex(0x2d5283);
constexpr Rgb kAccentDeep = hex(0x1f3d66);

// Text and glyphs.
constexpr Rgb kText = hex(0xe8f0fc);
constexpr Rgb kTextDim = hex(0x9fb3cf);
constexpr Rgb kGlyph = hex(0xd4e1f4);
constexpr Rgb kGlyphPressed = hex(0xb5c8e3);

// The two message icons and the close button's pressed look.
constexpr Rgb kInfo = hex(0x4f86c9);
constexpr Rgb kWarning = hex(0xe2a84b);
constexpr Rgb kWarningDark = hex(0x9c6a22);
constexpr Rgb kClose = hex(0xa8394d);
constexpr Rgb kCloseDark = hex(0x6e2232);

}  // namespace kv::painter::midnight
