// Whether the process was stopped and continued (SIGSTOP and SIGCONT, as a
// screensaver daemon does while it asks for the password). A frame whose
// time was read before the stop would show the hands that far behind, so the
// loop drops it instead of showing it. One implementation per platform
// (resume_watch.cpp, win32_resume_watch.cpp).
#pragma once

// Starts watching; called once at start-up.
void watchForResume();

// True once after each continuation since the last call.
bool resumedSinceLastLook();
