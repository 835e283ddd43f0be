#include "about/about_window.h"

#include "about/about_facts.h"
#include "about/about_fonts.h"
#include "about/about_window_view.h"
#include "about/bmp_decoder.h"
#include "about/browser_launcher.h"
#include "about/information_icon.h"
#include "about/screen_placement.h"
#include "about/static_text.h"
#include "about/x11_window.h"
#include "platform/message_box.h"
#include "platform/resources.h"

#include <FL/Fl.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Image.H>
#include <FL/x.H>
#include <unistd.h>

#include <cstdarg>
#include <cstdio>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

AboutWindowView* g_aboutWindow = nullptr;
Fl_RGB_Image* g_aboutBitmap = nullptr;
StaticText* g_noticeLabel = nullptr;
StaticText* g_titleLabel = nullptr;
Fl_Button* g_linkButton = nullptr;

namespace {

Fl_Color toFl(about::Colour colour)
{
    return fl_rgb_color(colour.red, colour.green, colour.blue);
}

const Fl_Color kBackground = toFl(about::kBackground);

// The face that stands in for font: regular or bold Liberation Sans.
Fl_Font faceOf(const about::Font& font)
{
    return font.weight >= 700 ? kAboutBoldFace : kAboutTextFace;
}

int sizeOf(const about::Font& font)
{
    return pixelSizeForCellHeight(faceOf(font), font.height);
}

// A label of the table, with its text, font and colour on the background.
StaticText* makeLabel(const about::Control& control, const std::string& text, const about::Font& font,
                      about::Colour colour)
{
    auto* label = new StaticText(control.place.x, control.place.y, control.place.width, control.place.height);
    label->argument(control.id);
    label->setText(text);
    label->setFont(faceOf(font), sizeOf(font), font.underline);
    label->setColours(toFl(colour), kBackground);
    return label;
}

// The toolkit's fatal errors and a lost X server end the About mode like a
// closed window: with a line on standard error and status 0.
void endOnFatalError(const char* format, ...)
{
    va_list arguments;
    va_start(arguments, format);
    std::fputs("About: ", stderr);
    std::vfprintf(stderr, format, arguments);
    std::fputc('\n', stderr);
    va_end(arguments);
    std::fflush(stderr);
    _exit(0);
}

int endOnLostDisplay(Display*)
{
    endOnFatalError("the connection to the X server was lost");
    return 0;
}

// A close request (title-bar button, Alt+F4) ends the window. Escape does
// not: this is a plain window, not a dialog.
void onWindowCallback(Fl_Widget* window, void*)
{
    if (Fl::event() == FL_SHORTCUT && Fl::event_key() == FL_Escape)
        return;
    window->hide();
}

void onButtonCallback(Fl_Widget* button, void*)
{
    aboutWindowCommand(static_cast<int>(button->argument()));
}

// Bitmap 101 decoded into an image that owns its pixels; null when the
// resource is missing or not a 24-bit bitmap (the window then shows no picture).
Fl_RGB_Image* loadPicture()
{
    const ResourceBytes bytes = findResource(about::kPictureResource, kBitmapType);
    DecodedBitmap bitmap;
    if (!bytes || !decodeBmp24(bytes.data, bytes.size, bitmap))
        return nullptr;
    auto* pixels = new uchar[bitmap.rgb.size()];
    std::memcpy(pixels, bitmap.rgb.data(), bitmap.rgb.size());
    auto* image = new Fl_RGB_Image(pixels, bitmap.width, bitmap.height, 3);
    image->alloc_array = 1;
    return image;
}

void setInformationIcon(Fl_Window& window)
{
    static const std::vector<std::uint8_t> pixels = informationIconPixels();
    const Fl_RGB_Image icon(pixels.data(), kInformationIconSize, kInformationIconSize, 4);
    window.icon(&icon);  // copied by the window
}

} // namespace

void aboutWindowCommand(int controlId)
{
    if (controlId != about::kLinkButton.id)
        return;
    openInBrowser(about::kWebsiteAddress);
}

AboutWindow::AboutWindow()
    : caption(about::kCaption)
    , className(about::kClassName)
    , buttonText(about::kButtonText)
    , noticeText(about::kNoticeText)
    , productName(about::kProductName)
{
    // The window class lives with the connection to the X server: without
    // one there is nothing to register it with.
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        showMessageBox("Window Registration Failed!", "Error!", MessageIcon::Warning);
        // The window needs that same connection, so it cannot be made either.
        showMessageBox("Window Creation Failed!", "Error!", MessageIcon::Warning);
        return;
    }
    fl_open_display(display);
    Fl::fatal = endOnFatalError;
    XSetIOErrorHandler(endOnLostDisplay);

    const ScreenRect screen = primaryScreenRect(display);
    const int x = screen.x + centredOffset(screen.width, about::kWindowWidth);
    const int y = screen.y + centredOffset(screen.height, about::kWindowHeight);

    g_aboutWindow = new AboutWindowView(x, y, about::kWindowWidth, about::kWindowHeight, caption.c_str());
    g_aboutWindow->xclass(className.c_str());
    g_aboutWindow->setBackground(kBackground);
    g_aboutWindow->callback(onWindowCallback);
    setInformationIcon(*g_aboutWindow);

    g_aboutBitmap = loadPicture();
    g_aboutWindow->setPicture(g_aboutBitmap, about::kPictureX, about::kPictureY);

    registerAboutFaces();
    g_noticeLabel = makeLabel(about::kNoticeLabel, noticeText, about::kTextFont, about::kNoticeColour);
    g_titleLabel = makeLabel(about::kTitleLabel, productName, about::kTitleFont, about::kTitleColour);

    const about::Place& button = about::kLinkButton.place;
    g_linkButton = new Fl_Button(button.x, button.y, button.width, button.height);
    g_linkButton->copy_label(buttonText.c_str());
    g_linkButton->labelfont(faceOf(about::kTextFont));
    g_linkButton->labelsize(sizeOf(about::kTextFont));
    g_linkButton->argument(about::kLinkButton.id);
    g_linkButton->callback(onButtonCallback);
    g_linkButton->clear_visible_focus();
    g_aboutWindow->end();

    if (!showCloseOnlyWindow(*g_aboutWindow)) {
        showMessageBox("Window Creation Failed!", "Error!", MessageIcon::Warning);
        return;
    }
    g_aboutWindow->followFrameExtents();

    Fl::run();

    g_aboutWindow->setPicture(nullptr, 0, 0);
    delete g_aboutBitmap;
    g_aboutBitmap = nullptr;
}
