// Message boxes without an owner window.
#pragma once

enum class MessageIcon { Information, Warning };

// Writes "caption: text" as one line on standard error, then, where the
// platform can show one (on X11: when a display can be opened), shows a modal
// dialog with the caption, text, icon and an OK button and returns when the
// user closes it.
//
// The environment variable TARNWICK_NO_DIALOGS (any value) keeps the dialog
// away; the automated tests set it so that no run waits for a click.
void showMessageBox(const char* text, const char* caption, MessageIcon icon);

// Whether showMessageBox may show its dialog (the line on standard error is
// always written). Runs that nobody can answer, such as those hosted by a
// screensaver daemon or a screen locker, turn the dialogs off.
void showMessageDialogs(bool shown);

// Ends the process with status 0 when start-up could not get the memory it
// needs: one line on standard error and, where dialogs are shown, a box like
// those of the other start-up failures.
[[noreturn]] void endForLackOfMemory();
