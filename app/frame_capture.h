// Frame capture for tests: the loop hands each frame it has drawn, before the
// swap, to the capture, which writes it once for every size the frame has
// been drawn at. GL drawn in a child window does not reach every screen grab
// (Wine on a virtual X server), so the tests read the picture this way.
#pragma once

#include <string>
#include <vector>

class FrameCapture {
public:
    // prefix: where the frames go, "<prefix>-<width>x<height>.ppm"; empty
    // captures nothing.
    explicit FrameCapture(std::string prefix) : m_prefix(std::move(prefix)) {}

    // The capture asked for through TARNWICK_FRAME_CAPTURE (none without it).
    static FrameCapture fromEnvironment();

    bool active() const { return !m_prefix.empty(); }

    // After a frame of width × height pixels has been drawn into the current
    // context's back buffer: writes it when this size is new. A size counts
    // from the second frame in a row drawn at it, once the window system has
    // caught up with a resize.
    void frameDrawn(int width, int height);

    // The file a frame of that size is written to.
    std::string pathFor(int width, int height) const;

private:
    std::string m_prefix;
    std::vector<std::string> m_written;
    int m_lastWidth = 0;
    int m_lastHeight = 0;
};
