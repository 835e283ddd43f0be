#include "platform/resources.h"
#include "render/program.h"
#include "render/text_resource.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr int kTestId = 9100;
constexpr char kSentinel = '#';

// Loads text into a buffer of capacity + 4 bytes followed by sentinels, and
// checks that no sentinel was overwritten.
struct Loaded {
    std::size_t length;
    std::vector<char> buffer;
};

Loaded load(const std::string& resource, std::size_t capacity)
{
    overrideResource(kTestId, kTextFileType, resource.data(), resource.size());
    Loaded out{0, std::vector<char>(capacity + kTextTerminatorBytes + 8, kSentinel)};
    out.length = loadTextResource(kTestId, out.buffer.data(), capacity);
    clearResourceOverrides();
    return out;
}

void expectTerminatedAt(const Loaded& l, std::size_t at)
{
    EXPECT_EQ(l.length, at);
    for (std::size_t i = at; i < at + kTextTerminatorBytes; ++i)
        EXPECT_EQ(l.buffer[i], '\0') << "byte " << i;
    for (std::size_t i = at + kTextTerminatorBytes; i < l.buffer.size(); ++i)
        EXPECT_EQ(l.buffer[i], kSentinel) << "byte " << i << " written";
}

} // namespace

TEST(LoadTextResource, CopiesUpToTheTildeAndDropsWhatFollows)
{
    const Loaded l = load("abc//~\r\n", 64);
    EXPECT_EQ(std::string(l.buffer.data()), "abc//");
    expectTerminatedAt(l, 5);
}

TEST(LoadTextResource, LeadingTildeGivesAnEmptyText)
{
    const Loaded l = load("~rest", 64);
    expectTerminatedAt(l, 0);
}

TEST(LoadTextResource, MissingResourceGivesAnEmptyText)
{
    std::vector<char> buffer(16, kSentinel);
    EXPECT_EQ(loadTextResource(kTestId + 1, buffer.data(), 8), 0u);
    EXPECT_EQ(buffer[0], '\0');
    EXPECT_EQ(buffer[3], '\0');
    EXPECT_EQ(buffer[4], kSentinel);
}

TEST(LoadTextResource, TextWithoutTildeStopsAtTheResourceEnd)
{
    // Only the resource's own bytes are read, never what lies behind them.
    const std::string backing = "abcdefXXXX";
    overrideResource(kTestId, kTextFileType, backing.data(), 6);
    std::vector<char> buffer(32, kSentinel);
    EXPECT_EQ(loadTextResource(kTestId, buffer.data(), 20), 6u);
    clearResourceOverrides();
    EXPECT_EQ(std::string(buffer.data()), "abcdef");
}

TEST(LoadTextResource, TooLongTextIsCutAtTheCapacity)
{
    const Loaded l = load(std::string(40, 'x') + "~", 16);
    EXPECT_EQ(std::string(l.buffer.data()), std::string(16, 'x'));
    expectTerminatedAt(l, 16);
}

TEST(LoadTextResource, EveryEmbeddedShaderTextStartsWithItsVersionAndEndsAtItsTerminator)
{
    for (int id : {136, 137, 160, 161, 164, 165, 171, 172}) {
        const ResourceBytes raw = findResource(id, kTextFileType);
        ASSERT_TRUE(raw) << id;
        std::vector<char> buffer(kShaderTextCapacity + kTextTerminatorBytes);
        const std::size_t length = loadTextResource(id, buffer.data(), kShaderTextCapacity);
        const std::string text(buffer.data());
        EXPECT_EQ(text.size(), length);
        EXPECT_LT(length, kShaderTextCapacity) << id;
        EXPECT_EQ(text.rfind("#version 130\r\n", 0), 0u) << id;
        // The last line is "//~" followed by CR LF, and nothing else.
        EXPECT_EQ(raw.size, length + 3) << id;
        EXPECT_EQ(text.substr(text.size() - 4), "\r\n//") << id;
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (text[i] == '\n') {
                ASSERT_TRUE(i > 0 && text[i - 1] == '\r') << id << ": bare LF at " << i;
            }
        }
    }
}
