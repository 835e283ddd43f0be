// The built-in resources on Windows: the program file's resource section.
#include "platform/built_in_resources.h"

#include <windows.h>

ResourceBytes findBuiltInResource(int id, const char* type)
{
    HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(id), type);
    if (found == nullptr)
        return {};
    HGLOBAL loaded = LoadResource(nullptr, found);
    const DWORD size = SizeofResource(nullptr, found);
    const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (bytes == nullptr || size == 0)
        return {};
    // Resource memory is mapped with the program file and never released.
    return {static_cast<const unsigned char*>(bytes), size};
}
