// The About window of "/c" runs: the product name, a picture of the running
// screensaver, the maker's notice and a button that opens the maker's website.
#pragma once

#include <string>

class AboutWindowView;
class Fl_Button;
class Fl_RGB_Image;
class StaticText;

class AboutWindow {
public:
    // Builds and shows the window and runs its event loop; returns once the
    // window has been closed, or at once when no window could be made (after
    // saying so).
    AboutWindow();

    std::string caption;
    std::string className;
    std::string buttonText;
    std::string noticeText;
    std::string productName;
};

// Reacts to a command from one of the window's controls (by control id):
// the link button (10) opens the website; anything else is ignored.
void aboutWindowCommand(int controlId);

// The window and its parts, for the handlers above.
extern AboutWindowView* g_aboutWindow;
extern Fl_RGB_Image* g_aboutBitmap;
extern StaticText* g_noticeLabel;
extern StaticText* g_titleLabel;
extern Fl_Button* g_linkButton;
