#include "platform/resources.h"

#include "platform/built_in_resources.h"

#include <cstring>
#include <string>
#include <vector>

namespace {

struct Override {
    int id;
    std::string type;
    ResourceBytes bytes;
};

std::vector<Override>& overrides()
{
    static std::vector<Override> list;
    return list;
}

} // namespace

ResourceBytes findResource(int id, const char* type)
{
    if (type == nullptr)
        return {};
    for (const Override& o : overrides()) {
        if (o.id == id && o.type == type)
            return o.bytes;
    }
    return findBuiltInResource(id, type);
}

void overrideResource(int id, const char* type, const void* data, std::size_t size)
{
    for (Override& o : overrides()) {
        if (o.id == id && o.type == type) {
            o.bytes = {static_cast<const unsigned char*>(data), data ? size : 0};
            return;
        }
    }
    overrides().push_back({id, type, {static_cast<const unsigned char*>(data), data ? size : 0}});
}

void clearResourceOverrides()
{
    overrides().clear();
}
