// Reads a BITMAP resource into texture texels, one implementation per platform.
#pragma once

#include <vector>

// size × size RGBA float texels (red, green, blue each byte / 255, alpha 1),
// texture row 0 = the bottom row of the picture. Pixels outside the picture
// read as black; a missing resource gives an all-black, opaque picture.
std::vector<float> bitmapResourceTexels(int resourceId, int size);
