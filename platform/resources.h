// The resources embedded in the executable at build time (resources/resources.txt).
#pragma once

#include <cstddef>
#include <cstdint>

// One row of the generated table: the bytes run from begin to end (exclusive).
struct EmbeddedResource {
    int id;
    const char* type;
    const unsigned char* begin;
    const unsigned char* end;
};

// A resource's bytes, used in place: they live as long as the process and are
// never copied. A missing resource has data == nullptr and size == 0.
struct ResourceBytes {
    const unsigned char* data = nullptr;
    std::size_t size = 0;

    explicit operator bool() const { return data != nullptr; }
};

// Resource types used by the program.
inline constexpr const char* kTextFileType = "TEXTFILE";
inline constexpr const char* kWaveType = "WAVE";
inline constexpr const char* kBitmapType = "BITMAP";

// Looks a resource up by integer id and type name (compared exactly).
ResourceBytes findResource(int id, const char* type);

// Test and fuzzing seam: makes findResource answer (id, type) with the given
// bytes, in front of the embedded table, until cleared. The bytes are not
// copied; the caller keeps them alive. Passing data == nullptr hides the
// resource, as if it were not embedded.
void overrideResource(int id, const char* type, const void* data, std::size_t size);
void clearResourceOverrides();

extern "C++" {
extern const EmbeddedResource g_embeddedResources[];
extern const int g_embeddedResourceCount;
}
