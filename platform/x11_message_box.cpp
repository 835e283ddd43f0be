// Message dialogs on X11, drawn by the toolkit.
#include "platform/message_dialog.h"

#include "platform/x11_host.h"

#include <FL/Fl.H>
#include <FL/fl_ask.H>
#include <FL/x.H>

void showMessageDialog(const char* text, const char* caption, MessageIcon icon)
{
    if (!xDisplayAvailable())
        return;
    // The toolkit installs its own lost-connection handler when it opens the
    // display, which would end the process with status 1 if the X server
    // went away while the box is up; ours ends it with status 0.
    fl_open_display();
    installXErrorHandlers();

    fl_close = "OK";  // one OK button, as a message box has
    fl_message_title(caption);
    if (icon == MessageIcon::Warning)
        fl_alert("%s", text);
    else
        fl_message("%s", text);
}
