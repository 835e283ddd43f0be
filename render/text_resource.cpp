#include "render/text_resource.h"

#include "platform/resources.h"

#include <cstring>

std::size_t loadTextResource(int resourceId, char* destination, std::size_t capacity)
{
    const ResourceBytes resource = findResource(resourceId, kTextFileType);
    const std::size_t limit = resource.size < capacity ? resource.size : capacity;
    std::size_t length = 0;
    while (length < limit && resource.data[length] != '~') {
        destination[length] = static_cast<char>(resource.data[length]);
        ++length;
    }
    std::memset(destination + length, 0, kTextTerminatorBytes);
    return length;
}
