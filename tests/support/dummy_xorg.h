// A real X server for tests of monitors that come, go and change: Xorg with
// the dummy video driver, run as root from the test's own configuration.
// Its outputs DUMMY0 … DUMMY15 are switched with xrandr as on a real desk:
// DUMMY0 starts alone at 1280 × 720, and the screen can grow to two such
// monitors side by side. Windows drawn with GL (llvmpipe) show in its
// screenshots.
#pragma once

#include "tests/support/e2e.h"

#include <memory>
#include <string>
#include <vector>

namespace e2e {

class DummyXorg {
public:
    static constexpr int kWidth = 1280;
    static constexpr int kHeight = 720;

    // Why no such server can run here (not root, no Xorg or dummy driver);
    // empty when one can.
    static std::string unavailableBecause();

    DummyXorg();
    ~DummyXorg();  // stops the server and removes its folder
    DummyXorg(const DummyXorg&) = delete;
    DummyXorg& operator=(const DummyXorg&) = delete;

    bool ok() const { return m_display != nullptr && m_display->ok(); }
    const VirtualDisplay& display() const { return *m_display; }

    // Runs xrandr with arguments on this server, then lets the server look at
    // its outputs again; true when both succeeded.
    bool xrandr(const std::vector<std::string>& arguments);
    // What the server wrote to its log.
    std::string log() const;

private:
    std::string m_dir;
    std::unique_ptr<VirtualDisplay> m_display;
};

} // namespace e2e
