// What the About window shows and where, stated once for every platform's
// window: its texts, colours, fonts and the places of its parts.
#pragma once

namespace about {

inline constexpr const char* kCaption = "About";
inline constexpr const char* kClassName = "QuillmereWindowClass";
inline constexpr const char* kButtonText = "Visit website";
inline constexpr const char* kProductName = "Tarnwick";
// The maker and its home page, as the notice names them and as the Windows
// program's file details and installer show them.
#define ABOUT_MAKER "Quillmere"
#define ABOUT_MAKER_HOME "https://quillmere.example"
inline constexpr const char* kMaker = ABOUT_MAKER;
inline constexpr const char* kMakerHome = ABOUT_MAKER_HOME;
// Three lines, CR LF between them, in UTF-8 (the copyright sign is the one
// character beyond ASCII).
inline constexpr const char* kNoticeText = "\xC2\xA9 " ABOUT_MAKER ". All rights reserved.\r\n"
                                           "Visit our website: " ABOUT_MAKER_HOME "\r\n"
                                           "Support: support@quillmere.example";
// The maker's website, as the "Visit website" button opens it.
inline constexpr const char* kWebsiteAddress = ABOUT_MAKER_HOME "/?utm_source=About";

struct Colour {
    unsigned char red, green, blue;
};
inline constexpr Colour kBackground{177, 232, 179};
inline constexpr Colour kNoticeColour{0, 51, 255};
inline constexpr Colour kTitleColour{0, 0, 0};

// Heights are cell heights (ascent + descent) in pixels, widths average
// character widths; weight 400 is regular, 700 bold.
struct Font {
    const char* face;
    int height;
    int width;
    int weight;
    bool underline;
};
inline constexpr Font kTextFont{"Arial", 16, 6, 400, false};
inline constexpr Font kTitleFont{"Arial", 18, 8, 700, true};

// Positions in client coordinates, in pixels.
struct Place {
    int x, y, width, height;
};
struct Control {
    Place place;
    int id;  // the notice label and the button share 10; a label sends no commands
};
inline constexpr int kWindowWidth = 400;  // outer size, frame included
inline constexpr int kWindowHeight = 300;
inline constexpr Control kTitleLabel{{70, 20, 280, 20}, 30};
inline constexpr Control kNoticeLabel{{20, 150, 380, 80}, 10};
inline constexpr Control kLinkButton{{150, 210, 100, 32}, 10};
inline constexpr int kPictureX = 142;  // the picture at its own size
inline constexpr int kPictureY = 55;
inline constexpr int kPictureResource = 101;

} // namespace about
