// Which "fmt " bodies become which OpenAL buffer formats.
#include "sound/wave_format.h"
#include "tests/sound/wave_image.h"

#include <gtest/gtest.h>

namespace {

bool convert(const std::vector<std::uint8_t>& body, OpenAlFormat* out)
{
    return toOpenAlFormat(WaveFormat{body.data(), static_cast<std::uint32_t>(body.size())}, out);
}

} // namespace

TEST(WaveFormatMapping, PcmEightAndSixteenBitMonoAndStereo)
{
    struct Case {
        std::uint16_t channels, bits;
        ALenum expected;
    };
    for (const Case& c : {Case{1, 8, AL_FORMAT_MONO8}, Case{1, 16, AL_FORMAT_MONO16},
                          Case{2, 8, AL_FORMAT_STEREO8}, Case{2, 16, AL_FORMAT_STEREO16}}) {
        OpenAlFormat al;
        ASSERT_TRUE(convert(pcmFormat(c.channels, 22050, c.bits), &al)) << c.channels << "x" << c.bits;
        EXPECT_EQ(al.format, c.expected);
        EXPECT_EQ(al.frequency, 22050);
        EXPECT_EQ(al.blockAlign, c.channels * c.bits / 8u);
    }
}

TEST(WaveFormatMapping, AFourteenByteBodyTakesItsSampleWidthFromTheBlockAlign)
{
    OpenAlFormat al;
    ASSERT_TRUE(convert(pcmFormat(2, 44100, 16, 14), &al));
    EXPECT_EQ(al.format, AL_FORMAT_STEREO16);
    ASSERT_TRUE(convert(pcmFormat(1, 44100, 8, 15), &al));
    EXPECT_EQ(al.format, AL_FORMAT_MONO8);
}

TEST(WaveFormatMapping, EverythingElseIsRefused)
{
    OpenAlFormat al;
    EXPECT_FALSE(convert(pcmFormat(1, 44100, 16, 16, 3), &al));      // IEEE float
    EXPECT_FALSE(convert(pcmFormat(1, 44100, 16, 40, 0xFFFE), &al)); // extensible
    EXPECT_FALSE(convert(pcmFormat(1, 44100, 24), &al));
    EXPECT_FALSE(convert(pcmFormat(1, 44100, 32), &al));
    EXPECT_FALSE(convert(pcmFormat(3, 44100, 16), &al));
    EXPECT_FALSE(convert(pcmFormat(0, 44100, 16), &al));
    EXPECT_FALSE(convert(pcmFormat(1, 0, 16), &al));
    EXPECT_FALSE(convert(pcmFormat(1, 1000000, 16), &al));
    EXPECT_FALSE(convert(pcmFormat(1, 44100, 16, 13), &al));

    auto wrongAlign = pcmFormat(2, 44100, 16);
    wrongAlign[12] = 2;  // block align 2 for stereo 16-bit
    EXPECT_FALSE(convert(wrongAlign, &al));
}
