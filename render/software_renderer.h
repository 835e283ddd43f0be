// Telling a software rasterizer from a graphics processor by the name the GL
// implementation gives itself (GL_RENDERER).
#pragma once

#include <string_view>

// True for the CPU rasterizers a desktop falls back to without a usable GPU
// (virtual machines, remote sessions, missing drivers).
bool isSoftwareRenderer(std::string_view rendererName);
// The same, for the GL context current on this thread.
bool currentRendererIsSoftware();
