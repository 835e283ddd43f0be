#include "about/about_window.h"

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

constexpr int kWindowWidth = 400;   // outer size, decorations included
constexpr int kWindowHeight = 300;
constexpr int kPictureX = 142;
constexpr int kPictureY = 55;
constexpr int kPictureResource = 101;

// Control ids; the notice label and the button share 10, but a label sends no commands.
constexpr int kNoticeLabelId = 10;
constexpr int kTitleLabelId = 30;
constexpr int kLinkButtonId = 10;

// Font heights are cell heights (ascent + descent) in pixels.
constexpr int kTextCellHeight = 16;
constexpr int kTitleCellHeight = 18;

const Fl_Color kBackground = fl_rgb_color(177, 232, 179);
const Fl_Color kNoticeColour = fl_rgb_color(0, 51, 255);
const Fl_Color kTitleColour = fl_rgb_color(0, 0, 0);

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
    const ResourceBytes bytes = findResource(kPictureResource, kBitmapType);
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
    if (controlId != kLinkButtonId)
        return;
    const std::string address = std::string(kMakerHomePage) + kWebsiteLinkSuffix;
    openInBrowser(address.c_str());
}

AboutWindow::AboutWindow()
    : caption("About")
    , className("QuillmereWindowClass")
    , buttonText("Visit website")
    , noticeText("\xC2\xA9 Quillmere. All rights reserved.\r\n"
                 "Visit our website: https://quillmere.example\r\n"
                 "Support: support@quillmere.example")
    , productName("Tarnwick")
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
    const int x = screen.x + centredOffset(screen.width, kWindowWidth);
    const int y = screen.y + centredOffset(screen.height, kWindowHeight);

    g_aboutWindow = new AboutWindowView(x, y, kWindowWidth, kWindowHeight, caption.c_str());
    g_aboutWindow->xclass(className.c_str());
    g_aboutWindow->setBackground(kBackground);
    g_aboutWindow->callback(onWindowCallback);
    setInformationIcon(*g_aboutWindow);

    g_aboutBitmap = loadPicture();
    g_aboutWindow->setPicture(g_aboutBitmap, kPictureX, kPictureY);

    registerAboutFaces();
    const int textSize = pixelSizeForCellHeight(kAboutTextFace, kTextCellHeight);
    const int titleSize = pixelSizeForCellHeight(kAboutBoldFace, kTitleCellHeight);

    g_noticeLabel = new StaticText(20, 150, 380, 80);
    g_noticeLabel->argument(kNoticeLabelId);
    g_noticeLabel->setText(noticeText);
    g_noticeLabel->setFont(kAboutTextFace, textSize, false);
    g_noticeLabel->setColours(kNoticeColour, kBackground);

    g_titleLabel = new StaticText(70, 20, 280, 20);
    g_titleLabel->argument(kTitleLabelId);
    g_titleLabel->setText(productName);
    g_titleLabel->setFont(kAboutBoldFace, titleSize, true);
    g_titleLabel->setColours(kTitleColour, kBackground);

    g_linkButton = new Fl_Button(150, 210, 100, 32);
    g_linkButton->copy_label(buttonText.c_str());
    g_linkButton->labelfont(kAboutTextFace);
    g_linkButton->labelsize(textSize);
    g_linkButton->argument(kLinkButtonId);
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
