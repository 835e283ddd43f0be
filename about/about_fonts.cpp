#include "about/about_fonts.h"

#include <FL/Fl.H>
#include <FL/fl_draw.H>

#include <algorithm>
#include <cmath>

namespace {

// Measured large, so that rounding of the cell does not skew the ratio.
constexpr int kMeasureSize = 256;

} // namespace

void registerAboutFaces()
{
    // The leading character picks the style: ' ' regular, 'B' bold.
    Fl::set_font(kAboutTextFace, " Liberation Sans");
    Fl::set_font(kAboutBoldFace, "BLiberation Sans");
}

int pixelSizeForCellHeight(Fl_Font face, int cellHeight)
{
    fl_font(face, kMeasureSize);
    const int cell = fl_height();
    if (cell <= 0)
        return cellHeight;
    const double ratio = static_cast<double>(cell) / kMeasureSize;
    return std::max(1, static_cast<int>(std::lround(cellHeight / ratio)));
}

UnderlineMetrics underlineMetrics(int pixelSize)
{
    return {std::max(1, static_cast<int>(std::lround(pixelSize * 0.106))),
            std::max(1, static_cast<int>(std::lround(pixelSize * 0.073)))};
}
