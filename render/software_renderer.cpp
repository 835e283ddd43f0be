#include "render/software_renderer.h"

#include <epoxy/gl.h>

#include <algorithm>
#include <cctype>

namespace {

bool containsIgnoringCase(std::string_view text, std::string_view word)
{
    const auto found = std::search(text.begin(), text.end(), word.begin(), word.end(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
    });
    return found != text.end();
}

} // namespace

bool isSoftwareRenderer(std::string_view rendererName)
{
    for (const std::string_view word : {"llvmpipe", "softpipe", "swrast", "software rasterizer"}) {
        if (containsIgnoringCase(rendererName, word))
            return true;
    }
    return false;
}

bool currentRendererIsSoftware()
{
    const auto* name = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
    return isSoftwareRenderer(name != nullptr ? name : "");
}
