// The About window of "/c" runs.
// STAND-IN until the About window lands: says so on standard error and returns.
#pragma once

class AboutWindow {
public:
    // Shows the window and returns once it has been closed.
    AboutWindow();
};
