// The RIFF/WAVE chunk walk: chunk order, the first "fmt " rule, pad bytes,
// and the bounds of the RIFF size and of the image itself.
#include "platform/resources.h"
#include "sound/DirectSound.h"
#include "sound/wave_format.h"
#include "tests/sound/wave_image.h"

#include <gtest/gtest.h>

namespace {

struct Parsed {
    bool ok = false;
    WaveFormat format;
    const unsigned char* data = nullptr;
    std::uint32_t size = 0;
};

Parsed parse(const unsigned char* image, std::size_t size)
{
    Parsed p;
    p.ok = CDirectSound::parseWave(image, size, &p.format, &p.data, &p.size);
    return p;
}

// Parses a copy that ends at an unreadable page: reading past it crashes.
Parsed parseGuarded(const std::vector<std::uint8_t>& bytes)
{
    GuardedCopy copy(bytes);
    Parsed p = parse(copy.data(), copy.size());
    // Report positions relative to the copy's start.
    if (p.format.body)
        p.format.body = reinterpret_cast<const unsigned char*>(p.format.body - copy.data());
    if (p.data)
        p.data = reinterpret_cast<const unsigned char*>(p.data - copy.data());
    return p;
}

std::size_t offsetOf(const unsigned char* relative)
{
    return reinterpret_cast<std::size_t>(relative);
}

const std::vector<std::uint8_t> kSamples = sampleBytes({100, -200, 300, -400});

void expectFailedAndCleared(const Parsed& p)
{
    EXPECT_FALSE(p.ok);
    EXPECT_EQ(p.format.body, nullptr);
    EXPECT_EQ(p.data, nullptr);
    EXPECT_EQ(p.size, 0u);
}

} // namespace

TEST(ParseWave, TheTickResourceIsMono16BitPcmWith8784DataBytes)
{
    const ResourceBytes tick = findResource(173, kWaveType);
    ASSERT_TRUE(tick);
    EXPECT_EQ(tick.size, 8828u);

    const Parsed p = parse(tick.data, tick.size);
    ASSERT_TRUE(p.ok);
    EXPECT_EQ(p.format.size, 16u);
    EXPECT_EQ(p.format.body, tick.data + 20);
    EXPECT_EQ(p.size, 8784u);
    EXPECT_EQ(p.data, tick.data + 44);

    EXPECT_EQ(readU16(p.format.body), 1);           // PCM
    EXPECT_EQ(readU16(p.format.body + 2), 1);       // mono
    EXPECT_EQ(readU32(p.format.body + 4), 44100u);
    EXPECT_EQ(readU32(p.format.body + 8), 88200u);
    EXPECT_EQ(readU16(p.format.body + 12), 2);      // block align
    EXPECT_EQ(readU16(p.format.body + 14), 16);     // bits

    OpenAlFormat al;
    ASSERT_TRUE(toOpenAlFormat(p.format, &al));
    EXPECT_EQ(al.format, AL_FORMAT_MONO16);
    EXPECT_EQ(al.frequency, 44100);
}

TEST(ParseWave, ChunksMayComeInEitherOrderAroundOthers)
{
    const auto fmtFirst = WaveImage().chunk("LIST", {1, 2, 3, 4}).chunk("fmt ", pcmFormat(1, 44100, 16))
                              .chunk("data", kSamples).bytes();
    const auto dataFirst = WaveImage().chunk("data", kSamples).chunk("LIST", {1, 2, 3, 4})
                               .chunk("fmt ", pcmFormat(1, 44100, 16)).bytes();
    const Parsed a = parseGuarded(fmtFirst);
    const Parsed b = parseGuarded(dataFirst);
    ASSERT_TRUE(a.ok);
    ASSERT_TRUE(b.ok);
    EXPECT_EQ(offsetOf(a.format.body), 12u + 12u + 8u);
    EXPECT_EQ(offsetOf(a.data), 12u + 12u + 24u + 8u);
    EXPECT_EQ(offsetOf(b.data), 12u + 8u);
    EXPECT_EQ(offsetOf(b.format.body), 12u + 16u + 12u + 8u);
    EXPECT_EQ(a.size, 8u);
    EXPECT_EQ(b.size, 8u);
    EXPECT_EQ(a.format.size, 16u);
    EXPECT_EQ(b.format.size, 16u);
}

TEST(ParseWave, TheFirstFormatChunkCountsEvenWhenItIsTooShort)
{
    const auto shortThenValid = WaveImage().chunk("fmt ", pcmFormat(1, 44100, 16, 12))
                                    .chunk("fmt ", pcmFormat(1, 44100, 16)).chunk("data", kSamples).bytes();
    expectFailedAndCleared(parseGuarded(shortThenValid));

    // 14 bytes is enough; a second, different "fmt " is skipped.
    const auto minimalThenOther = WaveImage().chunk("fmt ", pcmFormat(1, 22050, 16, 14))
                                      .chunk("fmt ", pcmFormat(2, 8000, 8)).chunk("data", kSamples).bytes();
    const Parsed p = parseGuarded(minimalThenOther);
    ASSERT_TRUE(p.ok);
    EXPECT_EQ(offsetOf(p.format.body), 20u);
    EXPECT_EQ(p.format.size, 14u);
}

TEST(ParseWave, DataBeforeTheFormatIsReplacedByALaterDataChunk)
{
    const auto twoData = WaveImage().chunk("data", sampleBytes({1, 2})).chunk("data", kSamples)
                             .chunk("fmt ", pcmFormat(1, 44100, 16)).bytes();
    const Parsed p = parseGuarded(twoData);
    ASSERT_TRUE(p.ok);
    EXPECT_EQ(offsetOf(p.data), 12u + 12u + 8u);
    EXPECT_EQ(p.size, 8u);

    // An empty data chunk before the format is no sound: nothing usable follows.
    const auto emptyData = WaveImage().chunk("data", {}).chunk("fmt ", pcmFormat(1, 44100, 16)).bytes();
    expectFailedAndCleared(parseGuarded(emptyData));
}

TEST(ParseWave, AnOddChunkSizeIsFollowedByOnePadByte)
{
    const auto image = WaveImage().chunk("junk", {9, 9, 9}).chunk("fmt ", pcmFormat(1, 44100, 8))
                           .chunk("data", {1, 2, 3}).bytes();
    const Parsed p = parseGuarded(image);
    ASSERT_TRUE(p.ok);
    EXPECT_EQ(offsetOf(p.format.body), 12u + 8u + 4u + 8u);
    EXPECT_EQ(p.size, 3u);

    // Without the pad byte the walk lands one byte early and finds no "fmt ".
    const auto unpadded = WaveImage().chunk("junk", {9, 9, 9}, false).chunk("fmt ", pcmFormat(1, 44100, 8))
                              .chunk("data", {1, 2}).bytes();
    EXPECT_FALSE(parseGuarded(unpadded).ok);
}

TEST(ParseWave, ChunksPastTheRiffSizeAreNotRead)
{
    const auto image = WaveImage().chunk("fmt ", pcmFormat(1, 44100, 16)).chunk("data", kSamples)
                           .riffSize(4 + 24).bytes();
    expectFailedAndCleared(parseGuarded(image));
}

TEST(ParseWave, AChunkRunningPastTheImageFailsWithoutReadingBeyondIt)
{
    // A data chunk claiming more bytes than the image holds.
    expectFailedAndCleared(parseGuarded(
        WaveImage().chunk("fmt ", pcmFormat(1, 44100, 16)).rawChunk("data", 1000, kSamples).bytes()));
    // The same before the format, and a skipped chunk doing it.
    expectFailedAndCleared(parseGuarded(
        WaveImage().rawChunk("data", 0xFFFFFFFFu, kSamples).bytes()));
    expectFailedAndCleared(parseGuarded(
        WaveImage().rawChunk("LIST", 0xFFFFFFF0u, {}).chunk("fmt ", pcmFormat(1, 44100, 16)).bytes()));
    // A "fmt " chunk whose 16 bytes are not all there.
    expectFailedAndCleared(parseGuarded(WaveImage().rawChunk("fmt ", 16, {1, 0, 1, 0}).bytes()));

    // The RIFF size promises more than there is: the walk meets the end of the
    // image halfway through a chunk header.
    auto truncatedHeader = WaveImage().chunk("fmt ", pcmFormat(1, 44100, 16)).riffSize(1000).bytes();
    truncatedHeader.insert(truncatedHeader.end(), {'d', 'a', 't'});
    expectFailedAndCleared(parseGuarded(truncatedHeader));
}

TEST(ParseWave, TheHeaderMustBeRiffWave)
{
    const auto good = WaveImage().chunk("fmt ", pcmFormat(1, 44100, 16)).chunk("data", kSamples).bytes();
    ASSERT_TRUE(parseGuarded(good).ok);

    auto riff = good;
    riff[3] = 'X';
    expectFailedAndCleared(parseGuarded(riff));
    auto wave = good;
    wave[8] = 'w';
    expectFailedAndCleared(parseGuarded(wave));
    expectFailedAndCleared(parseGuarded(std::vector<std::uint8_t>(good.begin(), good.begin() + 11)));
    expectFailedAndCleared(parse(nullptr, 100));
}
