// Hands an address to the desktop's browser launcher.
#pragma once

// Starts "xdg-open address" (the address is its one argument; no shell is
// involved) and returns at once, without waiting for the browser. The
// launcher runs detached, so it never lingers as a zombie of this process.
// Failures (no launcher, no browser) are ignored.
void openInBrowser(const char* address);
