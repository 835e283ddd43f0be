// The About window's toplevel: a solid background, the picture at a fixed
// place, then the labels and the button on top. Its outer rectangle, window
// manager decorations included, stays at the position and size it was made
// with: without decorations (no window manager) the client area is the whole
// rectangle, and once a window manager reports its frame, the client area
// shrinks by the frame so that the frame fills the rectangle.
#pragma once

#include <FL/Enumerations.H>
#include <FL/Fl_Window.H>

class Fl_RGB_Image;

class AboutWindowView : public Fl_Window {
public:
    AboutWindowView(int outerX, int outerY, int outerWidth, int outerHeight, const char* caption);

    void setBackground(Fl_Color colour) { m_background = colour; }
    // image may be null (no picture); it is not owned.
    void setPicture(const Fl_RGB_Image* image, int x, int y);

    // Call once after show(): starts following the window manager's frame.
    void followFrameExtents();

protected:
    void draw() override;

private:
    void fitIntoOuterRect();
    static int onSystemEvent(void* event, void* self);

    int m_outerX;
    int m_outerY;
    int m_outerWidth;
    int m_outerHeight;
    bool m_framePlaced = false;
    Fl_Color m_background = FL_WHITE;
    const Fl_RGB_Image* m_picture = nullptr;
    int m_pictureX = 0;
    int m_pictureY = 0;
};
