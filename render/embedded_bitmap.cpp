// Bitmap resources on Linux: the embedded .bmp file, read by our own reader.
#include "render/bitmap_resource.h"

#include "platform/resources.h"
#include "render/bmp_reader.h"

std::vector<float> bitmapResourceTexels(int resourceId, int size)
{
    const ResourceBytes bitmap = findResource(resourceId, kBitmapType);
    return bitmapTexels(bitmap.data, bitmap.size, size);
}
