// The built-in resources on Linux: the table the build links in from
// resources.txt (or the tools' empty one).
#include "platform/built_in_resources.h"

#include <cstring>

ResourceBytes findBuiltInResource(int id, const char* type)
{
    for (int i = 0; i < g_embeddedResourceCount; ++i) {
        const EmbeddedResource& r = g_embeddedResources[i];
        if (r.id == id && std::strcmp(r.type, type) == 0)
            return {r.begin, static_cast<std::size_t>(r.end - r.begin)};
    }
    return {};
}
