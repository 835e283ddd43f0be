// A Wayland session for end-to-end tests: sway on its headless backend with
// software rendering and XWayland, its outputs side by side, run as an
// unprivileged user (sway refuses root) in a runtime directory that user
// owns. X11 programs started with command() run inside it as that user;
// grim takes screenshots and wtype types keys, as a user of the session would.
#pragma once

#include "tests/support/e2e.h"
#include "tests/support/test_user.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace e2e {

class SwaySession {
public:
    // outputs screens of width × height pixels, placed left to right.
    explicit SwaySession(int outputs = 1, int width = 1920, int height = 1080);
    ~SwaySession();  // ends sway (and with it XWayland) and removes the directory
    SwaySession(const SwaySession&) = delete;
    SwaySession& operator=(const SwaySession&) = delete;

    // True once sway runs and has told its session's variables.
    bool ok() const { return !m_environment.empty(); }
    // The runtime directory: the session's user may write there.
    const std::string& dir() const { return m_dir; }
    // XWayland's display (":N"), as the session's clients see it in DISPLAY.
    std::string xDisplay() const;
    // A copy of the program under test in dir(), which the session's user
    // can run wherever the build tree lives.
    std::string program();

    // The argv that runs argv inside the session as its user, with only the
    // session's variables (WAYLAND_DISPLAY, DISPLAY, XDG_RUNTIME_DIR, HOME,
    // PATH, the sanitizers' options) and env added.
    std::vector<std::string> command(const std::vector<std::string>& argv,
                                     const std::map<std::string, std::string>& env = {}) const;

    // The whole layout, or one output ("HEADLESS-2"), through grim; empty on failure.
    Image screenshot(const std::string& output = "");
    // Types one key by its XKB name ("Escape", "space") through wtype; true on success.
    bool pressKey(const std::string& key);
    // Runs swaymsg with arguments ("create_output", "focus output HEADLESS-2")
    // in the session; true on success.
    bool swaymsg(const std::vector<std::string>& arguments);
    // What sway wrote.
    std::string log() const;

private:
    void copySanitizerFiles();

    TestUser m_user;
    std::string m_dir;
    std::unique_ptr<Process> m_sway;
    std::map<std::string, std::string> m_environment;  // the session's variables
    int m_shots = 0;
};

} // namespace e2e
