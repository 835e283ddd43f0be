// The About window's two typefaces: Liberation Sans, which has Arial's metrics,
// in a regular and a bold face.
#pragma once

#include <FL/Enumerations.H>

inline constexpr Fl_Font kAboutTextFace = FL_FREE_FONT;
inline constexpr Fl_Font kAboutBoldFace = FL_FREE_FONT + 1;

// Binds the two faces above to Liberation Sans; needs an open display.
void registerAboutFaces();

// The pixel (em) size at which face's cell (ascent + descent) is cellHeight
// pixels, the way a font's height is given on the desktop this window copies:
// Liberation Sans at cell 16 is drawn at 14 pixels, at cell 18 at 16.
int pixelSizeForCellHeight(Fl_Font face, int cellHeight);

// Where an underline goes below the baseline and how thick it is, at a pixel
// size: the face's own underline position (0.106 em) and thickness (0.073 em).
struct UnderlineMetrics {
    int offset;
    int thickness;
};
UnderlineMetrics underlineMetrics(int pixelSize);
