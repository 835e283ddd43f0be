// Bitmap resources on Windows: the system loads the bitmap, and the texels are
// read through a memory device context one pixel at a time.
#include "render/bitmap_resource.h"

#include "render/bmp_reader.h"

#include <windows.h>

std::vector<float> bitmapResourceTexels(int resourceId, int size)
{
    std::vector<float> texels(static_cast<std::size_t>(size > 0 ? size : 0) * (size > 0 ? size : 0) * 4, 0.0f);
    for (std::size_t i = 3; i < texels.size(); i += 4)
        texels[i] = 1.0f;
    HBITMAP bitmap = LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(resourceId));
    if (bitmap == nullptr)
        return texels;
    HWND desktop = GetDesktopWindow();
    HDC screen = GetDC(desktop);
    HDC memory = CreateCompatibleDC(screen);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    for (int i = 0; i < size; ++i) {
        for (int j = 0; j < size; ++j) {
            // Bottom row first: the picture's bottom row is texture row 0.
            // Outside the bitmap GetPixel reports CLR_INVALID: black.
            COLORREF value = GetPixel(memory, j, size - 1 - i);
            if (value == CLR_INVALID)
                value = 0;
            texelFromColorRef(value, &texels[4 * (static_cast<std::size_t>(i) * size + j)]);
        }
    }
    SelectObject(memory, previous);
    DeleteDC(memory);
    ReleaseDC(desktop, screen);
    DeleteObject(bitmap);
    return texels;
}
