#include "about/about_window_view.h"

#include "about/x11_window.h"

#include <FL/Fl.H>
#include <FL/Fl_Image.H>
#include <FL/fl_draw.H>
#include <FL/x.H>

#include <algorithm>

AboutWindowView::AboutWindowView(int outerX, int outerY, int outerWidth, int outerHeight, const char* caption)
    : Fl_Window(outerX, outerY, outerWidth, outerHeight, caption)
    , m_outerX(outerX)
    , m_outerY(outerY)
    , m_outerWidth(outerWidth)
    , m_outerHeight(outerHeight)
{
    size_range(outerWidth, outerHeight, outerWidth, outerHeight);
}

void AboutWindowView::setPicture(const Fl_RGB_Image* image, int x, int y)
{
    m_picture = image;
    m_pictureX = x;
    m_pictureY = y;
    redraw();
}

void AboutWindowView::draw()
{
    // When only a child changed, repainting the background would wipe the others.
    if (damage() & ~FL_DAMAGE_CHILD) {
        fl_rectf(0, 0, w(), h(), m_background);
        if (m_picture != nullptr)
            const_cast<Fl_RGB_Image*>(m_picture)->draw(m_pictureX, m_pictureY);
    }
    draw_children();
}

void AboutWindowView::followFrameExtents()
{
    const Window window = fl_xid(this);
    if (window == 0)
        return;
    watchPropertyChanges(fl_display, window);
    Fl::add_system_handler(onSystemEvent, this);
    // The window manager may have framed the window before we listened.
    fitIntoOuterRect();
}

int AboutWindowView::onSystemEvent(void* event, void* self)
{
    auto* view = static_cast<AboutWindowView*>(self);
    const XEvent* e = static_cast<const XEvent*>(event);
    if (e->type == PropertyNotify && view->shown() && e->xproperty.window == fl_xid(view) &&
        e->xproperty.atom == frameExtentsAtom(fl_display))
        view->fitIntoOuterRect();
    return 0;  // the toolkit still sees every event
}

void AboutWindowView::fitIntoOuterRect()
{
    FrameExtents frame;
    if (!readFrameExtents(fl_display, fl_xid(this), frame))
        return;
    const int width = std::max(1, m_outerWidth - frame.left - frame.right);
    const int height = std::max(1, m_outerHeight - frame.top - frame.bottom);
    // Placed once; after that the user may have moved the window, so later
    // frame changes (a new theme) only resize it.
    const int x = m_framePlaced ? this->x() : m_outerX + frame.left;
    const int y = m_framePlaced ? this->y() : m_outerY + frame.top;
    m_framePlaced = true;
    if (x == this->x() && y == this->y() && width == w() && height == h())
        return;
    size_range(width, height, width, height);
    resize(x, y, width, height);
    // Both calls above rewrite the toolkit's own window manager hints.
    allowOnlyClose(fl_display, fl_xid(this));
}
