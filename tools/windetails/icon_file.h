// Windows icon files (.ico): several sizes of one picture, each a 32-bit
// bitmap with its alpha channel and the 1-bit mask older readers use.
#pragma once

#include "icon_scaling.h"

#include <string>
#include <vector>

// The icon file's bytes, one image per picture in the order given.
std::vector<std::uint8_t> iconFile(const std::vector<RgbaPicture>& pictures);

// Writes bytes to path; false when the file could not be written whole.
bool writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes);
