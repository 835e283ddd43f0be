// The platform's own modal dialog behind showMessageBox: the caption, the
// text, the icon and one OK button, without an owner window; returns when
// the user closes it. One implementation per platform (x11_message_box.cpp,
// win32_message_box.cpp).
#pragma once

#include "platform/message_box.h"

void showMessageDialog(const char* text, const char* caption, MessageIcon icon);
