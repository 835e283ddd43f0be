// The tick of the Windows program under Wine. ALSA's default device is a file
// plugin in the run's own HOME (.asoundrc), so what DirectSound plays is
// recorded as a WAVE file; without a device, the clock runs silently.
//
// Wine mixes into the device's own format (48 kHz here) with its own
// resampler, and the recording device takes samples faster than real time:
// so the recording cannot equal the tick sample for sample. Each recorded
// tick is compared with the tick by shape and level after resampling, and
// the ticks are counted against the seconds the run showed frames.
#include <gtest/gtest.h>

#include "tests/windows/wine_run.h"

#include <chrono>
#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

// The first channel of a PCM (16 or 32 bit) or float WAVE file, in [-1, 1].
struct Sound {
    int rate = 0;
    std::vector<double> samples;
};

std::uint32_t u32(const std::vector<char>& b, std::size_t at)
{
    std::uint32_t v = 0;
    std::memcpy(&v, &b[at], 4);
    return v;
}
std::uint16_t u16(const std::vector<char>& b, std::size_t at)
{
    std::uint16_t v = 0;
    std::memcpy(&v, &b[at], 2);
    return v;
}

Sound readWave(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    const std::vector<char> b{std::istreambuf_iterator<char>(in), {}};
    Sound sound;
    if (b.size() < 12 || std::memcmp(b.data(), "RIFF", 4) != 0)
        return sound;
    int tag = 0, channels = 0, bits = 0;
    for (std::size_t at = 12; at + 8 <= b.size();) {
        const std::uint32_t size = u32(b, at + 4);
        const std::size_t body = at + 8;
        // A recording whose writer was ended before it closed the file
        // states no size or one past its end: its data runs to the end.
        const std::size_t end = size == 0 ? b.size() : std::min<std::size_t>(b.size(), body + size);
        if (std::memcmp(&b[at], "fmt ", 4) == 0) {
            tag = u16(b, body);
            channels = u16(b, body + 2);
            sound.rate = static_cast<int>(u32(b, body + 4));
            bits = u16(b, body + 14);
        } else if (std::memcmp(&b[at], "data", 4) == 0 && channels > 0) {
            const std::size_t frame = static_cast<std::size_t>(channels) * bits / 8;
            for (std::size_t p = body; p + frame <= end; p += frame) {
                if (tag == 3 && bits == 32) {
                    float f = 0;
                    std::memcpy(&f, &b[p], 4);
                    sound.samples.push_back(f);
                } else if (bits == 32) {
                    sound.samples.push_back(static_cast<std::int32_t>(u32(b, p)) / 2147483648.0);
                } else if (bits == 16) {
                    sound.samples.push_back(static_cast<std::int16_t>(u16(b, p)) / 32768.0);
                }
            }
            break;
        }
        at = body + size + (size & 1u);
    }
    return sound;
}

// Where the sound starts after at least a tenth of a second of silence.
std::vector<std::size_t> onsets(const Sound& sound)
{
    std::vector<std::size_t> found;
    std::size_t quiet = static_cast<std::size_t>(sound.rate);
    for (std::size_t i = 0; i < sound.samples.size(); ++i) {
        if (std::fabs(sound.samples[i]) > 0.01) {
            if (quiet > static_cast<std::size_t>(sound.rate / 10))
                found.push_back(i);
            quiet = 0;
        } else {
            ++quiet;
        }
    }
    return found;
}

// The tick resampled to rate (linear interpolation).
std::vector<double> resampled(const Sound& tick, int rate)
{
    std::vector<double> out;
    const double step = static_cast<double>(tick.rate) / rate;
    for (double t = 0.0; t + 1.0 < static_cast<double>(tick.samples.size()); t += step) {
        const std::size_t i = static_cast<std::size_t>(t);
        const double f = t - static_cast<double>(i);
        out.push_back(tick.samples[i] * (1.0 - f) + tick.samples[i + 1] * f);
    }
    return out;
}

// A moving average over five samples: a low-pass (zero near 10 kHz at 48
// kHz), so that the comparison does not depend on how a mixer's resampler
// treats the tick's content near the top of the band.
std::vector<double> smoothed(const std::vector<double>& x)
{
    std::vector<double> out(x.size(), 0.0);
    for (std::size_t i = 0; i < x.size(); ++i) {
        double sum = 0.0;
        for (std::size_t k = i >= 2 ? i - 2 : 0; k <= i + 2 && k < x.size(); ++k)
            sum += x[k];
        out[i] = sum / 5.0;
    }
    return out;
}

// The best normalised correlation of the recording near onset with the
// tick, and the ratio of their levels there.
void compareTick(const Sound& recording, std::size_t onset, const std::vector<double>& tick, double* correlation,
                 double* level)
{
    *correlation = -1.0;
    *level = 0.0;
    for (int lag = -200; lag <= 200; ++lag) {
        double dot = 0.0, rr = 0.0, tt = 0.0;
        for (std::size_t k = 0; k < tick.size(); ++k) {
            const long long at = static_cast<long long>(onset) + lag + static_cast<long long>(k);
            const double r = at >= 0 && at < static_cast<long long>(recording.samples.size()) ? recording.samples[at] : 0.0;
            dot += r * tick[k];
            rr += r * r;
            tt += tick[k] * tick[k];
        }
        const double c = rr > 0.0 ? dot / std::sqrt(rr * tt) : 0.0;
        if (c > *correlation) {
            *correlation = c;
            *level = std::sqrt(rr / tt);
        }
    }
}

void writeAsoundrc(const std::string& home, const std::string& text)
{
    std::ofstream(home + "/.asoundrc") << text;
}

// The ALSA set-up of a run whose sound is recorded into recording. The
// recording is kept as 16-bit integers: the file plugin labels the float
// samples Wine mixes as integer PCM.
void recordInto(const std::string& home, const std::string& recording)
{
    writeAsoundrc(home, "pcm.!default {\n  type plug\n  slave { pcm \"record\" format S16_LE }\n}\n"
                        "pcm.record {\n  type file\n  slave.pcm \"null\"\n  file \"" + recording +
                            "\"\n  format \"wav\"\n}\n");
}

// Runs "/s" on display until frames show, lets it run for seconds, ends it
// with a key; gives the seconds between the first frame seen and the key,
// and what the program wrote on standard error.
double runScreensaverOn(const e2e::VirtualDisplay& display, const std::string& home, double seconds,
                        std::string* error, std::string* programErr = nullptr)
{
    e2e::Process program(wine::command({wine::scrPath(), "/s"}), wine::environment(display, home));
    bool shown = false;
    for (int i = 0; i < 240 && program.running() && !shown; ++i) {
        shown = wine::frameShown(e2e::grabScreen(display));
        if (!shown)
            e2e::pause(0.25);
    }
    const auto firstFrame = std::chrono::steady_clock::now();
    if (!shown) {
        *error = "no frame: " + program.err();
        return -1.0;
    }
    e2e::pause(seconds);
    if (!program.running()) {
        *error = "the run ended by itself: " + program.err();
        return -1.0;
    }
    e2e::pressKey(display, "a");
    const double shownFor = std::chrono::duration<double>(std::chrono::steady_clock::now() - firstFrame).count();
    int status = -1;
    const bool ended = program.wait(15.0, &status);
    if (programErr != nullptr)
        *programErr = program.err();
    if (!ended || wine::exitCode(status) != 0) {
        *error = "the run did not end with status 0 on a key";
        return -1.0;
    }
    return shownFor;
}

// The same on a display and Wine session of its own.
double runScreensaver(const std::string& home, double seconds, std::string* error, std::string* programErr = nullptr)
{
    e2e::VirtualDisplay display({"640x480x24"});
    if (!display.ok())
        return -1.0;
    wine::Session session;
    return runScreensaverOn(display, home, seconds, error, programErr);
}

} // namespace

TEST(WindowsTick, OneTickASecondAsTheResourceSoundsIt)
{
    const std::string home = wine::freshFolder("windows_tick");
    const std::string recording = home + "/recording.wav";
    recordInto(home, recording);
    std::string error;
    const double shownFor = runScreensaver(home, 6.0, &error);
    ASSERT_GT(shownFor, 0.0) << error;

    const Sound tick = readWave(TARNWICK_TICK_WAVE);
    ASSERT_EQ(tick.rate, 44100);
    const Sound recorded = readWave(recording);
    ASSERT_GT(recorded.rate, 0) << "nothing was recorded";
    const std::vector<std::size_t> ticks = onsets(recorded);
    // A tick on the first frame and one each second after it.
    EXPECT_GE(static_cast<double>(ticks.size()), std::floor(shownFor) - 1.0);
    EXPECT_LE(static_cast<double>(ticks.size()), std::ceil(shownFor) + 2.0);

    // Both low-passed alike; a wrong sound correlates far below this.
    const std::vector<double> expected = smoothed(resampled(tick, recorded.rate));
    const Sound heard{recorded.rate, smoothed(recorded.samples)};
    ASSERT_FALSE(ticks.empty());
    for (std::size_t i = 0; i + 1 < ticks.size(); ++i) {
        double correlation = 0.0, level = 0.0;
        compareTick(heard, ticks[i], expected, &correlation, &level);
        EXPECT_GT(correlation, 0.9) << "tick " << i;
        EXPECT_NEAR(level, 1.0, 0.1) << "tick " << i << " is not played at full level";
    }
}

TEST(WindowsTick, WithoutASoundDeviceTheClockRunsSilently)
{
    const std::string home = wine::freshFolder("windows_no_sound");
    // A device that does not exist: Wine's DirectSound refuses it as an
    // invalid parameter, which is not tried again; the run says so once (in
    // the text mode of Windows, with CR LF) and goes on.
    writeAsoundrc(home, "pcm.!default { type hw card 9 }\nctl.!default { type hw card 9 }\n");
    std::string error;
    std::string programErr;
    EXPECT_GT(runScreensaver(home, 3.0, &error, &programErr), 0.0) << error;
    EXPECT_EQ(programErr, "tarnwick: the sound device failed to open; the clock runs silently\r\n");
}

TEST(WindowsTick, TheFullScreenRunTicksBesideAPreview)
{
    e2e::VirtualDisplay display({"640x480x24"});
    ASSERT_TRUE(display.ok());
    wine::Session session;
    // The preview first, in a stand-in for the Settings' small monitor,
    // recorded on its own; then "/s" beside it, recorded on its own.
    const std::string previewHome = wine::freshFolder("windows_tick_preview");
    recordInto(previewHome, previewHome + "/recording.wav");
    e2e::Process host(wine::command({wine::previewHostPath(), "60"}), wine::environment(display));
    const std::string handle = wine::startHost(host);
    ASSERT_FALSE(handle.empty()) << host.err();
    e2e::Process preview(wine::command({wine::scrPath(), "/p", handle}), wine::environment(display, previewHome));
    for (int i = 0; i < 120 && onsets(readWave(previewHome + "/recording.wav")).empty(); ++i)
        e2e::pause(0.25);
    ASSERT_FALSE(onsets(readWave(previewHome + "/recording.wav")).empty()) << "the preview alone ticks\n"
                                                                         << preview.err();

    const std::string home = wine::freshFolder("windows_tick_beside_preview");
    recordInto(home, home + "/recording.wav");
    std::string error;
    const double shownFor = runScreensaverOn(display, home, 5.0, &error);
    ASSERT_GT(shownFor, 0.0) << error;
    EXPECT_TRUE(preview.running()) << preview.err();
    const std::vector<std::size_t> ticks = onsets(readWave(home + "/recording.wav"));
    EXPECT_GE(static_cast<double>(ticks.size()), std::floor(shownFor) - 1.0) << "the full-screen run is silent";
}
