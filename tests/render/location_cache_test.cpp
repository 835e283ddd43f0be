#include "render/location_cache.h"
#include "render/texture.h"

#include <gtest/gtest.h>

TEST(LocationCache, AsksOnceForEachNameAndCachesMinusOne)
{
    LocationCache cache;
    int queries = 0;
    auto uniform = [&](const char* name) {
        ++queries;
        return std::string(name) == "iTime" ? 3 : -1;
    };
    EXPECT_EQ(cache.lookup("unused", uniform), -1);
    EXPECT_EQ(cache.lookup("unused", uniform), -1);
    EXPECT_EQ(queries, 1);
    EXPECT_EQ(cache.lookup("iTime", uniform), 3);
    EXPECT_EQ(cache.lookup("iTime", uniform), 3);
    EXPECT_EQ(queries, 2);
}

TEST(LocationCache, UniformAndAttributeQueriesShareOneKey)
{
    LocationCache cache;
    int attributeQueries = 0;
    auto uniform = [](const char*) { return -1; };
    auto attribute = [&](const char*) {
        ++attributeQueries;
        return 0;
    };
    EXPECT_EQ(cache.lookup("position", uniform), -1);
    // Asked as an attribute now: the cached uniform answer comes back.
    EXPECT_EQ(cache.lookup("position", attribute), -1);
    EXPECT_EQ(attributeQueries, 0);
    EXPECT_EQ(cache.lookup("position_tex", attribute), 0);
    EXPECT_EQ(cache.lookup("position_tex", uniform), 0);
    EXPECT_EQ(cache.size(), 2u);
}

TEST(TextureLevels, Log2OfTheSizeAtLeastOne)
{
    const int sizes[] = {1024, 512, 256, 128, 64, 32, 16, 8, 4, 2, 1};
    const int levels[] = {10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 1};
    for (int i = 0; i < 11; ++i)
        EXPECT_EQ(textureLevelCount(sizes[i]), levels[i]) << sizes[i];
    EXPECT_EQ(textureLevelCount(300), 8);
    EXPECT_EQ(textureLevelCount(0), 0);
    EXPECT_EQ(textureLevelCount(-4), 0);
}
