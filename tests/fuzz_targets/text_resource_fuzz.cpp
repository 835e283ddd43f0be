// Fuzz target: arbitrary bytes as a "TEXTFILE" shader text, read through the
// resource lookup by the same reader the shader programs use, into a buffer of
// exactly the documented size (capacity + terminator) so that any write past
// it is caught.
#include "fuzz_require.h"
#include "platform/resources.h"
#include "render/program.h"
#include "render/text_resource.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

namespace {

constexpr int kShaderResource = 136;
// The program's capacity, and small ones that make every input long enough
// to be cut.
constexpr std::size_t kCapacities[] = {kShaderTextCapacity, 0, 1, 7, 64};

void require(bool condition, const char* what) { fuzzRequire(condition, "text resource", what); }

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size)
{
    overrideResource(kShaderResource, kTextFileType, bytes, size);
    for (std::size_t capacity : kCapacities) {
        std::unique_ptr<char[]> text(new char[capacity + kTextTerminatorBytes]);
        const std::size_t length = loadTextResource(kShaderResource, text.get(), capacity);
        require(length <= capacity && length <= size, "the text fits the buffer and the resource");
        require(length == 0 || std::memcmp(text.get(), bytes, length) == 0, "the text is the resource's start");
        require(std::find(text.get(), text.get() + length, '~') == text.get() + length, "the text has no terminator");
        if (length < std::min(size, capacity))
            require(bytes[length] == '~', "the copy stops early only at the terminator");
        for (std::size_t i = 0; i < kTextTerminatorBytes; ++i)
            require(text[length + i] == '\0', "four NUL bytes follow the text");
    }
    clearResourceOverrides();
    return 0;
}
