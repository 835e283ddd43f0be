#include "about/static_text.h"

#include "about/about_fonts.h"
#include "about/text_layout.h"

#include <FL/fl_draw.H>

StaticText::StaticText(int x, int y, int w, int h)
    : Fl_Widget(x, y, w, h)
{
    box(FL_NO_BOX);
    clear_visible_focus();
}

void StaticText::setFont(Fl_Font face, int size, bool underlined)
{
    m_face = face;
    m_size = size;
    m_underlined = underlined;
    redraw();
}

void StaticText::setColours(Fl_Color text, Fl_Color background)
{
    m_textColour = text;
    m_background = background;
    redraw();
}

void StaticText::draw()
{
    fl_push_clip(x(), y(), w(), h());
    fl_color(m_background);
    fl_rectf(x(), y(), w(), h());

    fl_font(m_face, m_size);
    fl_color(m_textColour);
    const int lineHeight = fl_height();
    const int ascent = lineHeight - fl_descent();
    const std::vector<std::string> lines =
        layoutLines(m_text, w(), [](const std::string& s) { return fl_width(s.c_str(), static_cast<int>(s.size())); });
    const UnderlineMetrics underline = underlineMetrics(m_size);
    int top = y();
    for (const std::string& line : lines) {
        if (top >= y() + h())
            break;
        // Drawn raw: no '@' symbols, no '&' shortcuts.
        const int baseline = top + ascent;
        fl_draw(line.c_str(), static_cast<int>(line.size()), x(), baseline);
        if (m_underlined && !line.empty()) {
            const int width = static_cast<int>(fl_width(line.c_str(), static_cast<int>(line.size())) + 0.5);
            fl_rectf(x(), baseline + underline.offset, width, underline.thickness);
        }
        top += lineHeight;
    }
    fl_pop_clip();
}
