// A static text label: left-aligned, wrapped lines from its top-left corner,
// one colour on a solid background, optionally underlined, clipped to its box.
#pragma once

#include <FL/Enumerations.H>
#include <FL/Fl_Widget.H>

#include <string>

class StaticText : public Fl_Widget {
public:
    StaticText(int x, int y, int w, int h);

    void setText(const std::string& text) { m_text = text; redraw(); }
    const std::string& text() const { return m_text; }
    void setFont(Fl_Font face, int size, bool underlined);
    void setColours(Fl_Color text, Fl_Color background);

protected:
    void draw() override;

private:
    std::string m_text;
    Fl_Font m_face = FL_HELVETICA;
    int m_size = 14;
    bool m_underlined = false;
    Fl_Color m_textColour = FL_BLACK;
    Fl_Color m_background = FL_WHITE;
};
