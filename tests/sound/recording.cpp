// GoogleTest comes before Xlib, whose macros (None, Bool, …) would clash.
#include <gtest/gtest.h>

#include "tests/sound/recording.h"

#include "platform/resources.h"
#include "sound/DirectSound.h"

#include <filesystem>

#include <cstring>
#include <fstream>
#include <iterator>

namespace {

std::uint32_t u32(const unsigned char* p)
{
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

std::uint16_t u16(const unsigned char* p)
{
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

} // namespace

bool readRecording(const std::string& path, Recording* out, std::string* error)
{
    std::ifstream file(path, std::ios::binary);
    const std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (bytes.size() < 12 || std::memcmp(bytes.data(), "RIFF", 4) != 0 || std::memcmp(bytes.data() + 8, "WAVE", 4) != 0) {
        *error = "no RIFF/WAVE file at " + path + " (" + std::to_string(bytes.size()) + " bytes)";
        return false;
    }
    std::size_t pos = 12;
    bool haveFormat = false;
    while (pos + 8 <= bytes.size()) {
        const unsigned char* header = bytes.data() + pos;
        std::size_t size = u32(header + 4);
        const std::size_t body = pos + 8;
        if (std::memcmp(header, "fmt ", 4) == 0 && size >= 16 && body + size <= bytes.size()) {
            out->channels = u16(bytes.data() + body + 2);
            out->sampleRate = static_cast<int>(u32(bytes.data() + body + 4));
            out->bitsPerSample = u16(bytes.data() + body + 14);
            haveFormat = true;
        } else if (std::memcmp(header, "data", 4) == 0) {
            if (size == 0 || size > bytes.size() - body)
                size = bytes.size() - body;
            if (!haveFormat || out->bitsPerSample != 16) {
                *error = "the recording is not 16-bit PCM";
                return false;
            }
            out->samples.resize(size / 2);
            for (std::size_t i = 0; i < out->samples.size(); ++i)
                out->samples[i] = static_cast<std::int16_t>(u16(bytes.data() + body + 2 * i));
            return true;
        }
        pos = body + size + (size & 1);
    }
    *error = "no data chunk in " + path;
    return false;
}

TickScan findCopies(const std::vector<std::int16_t>& recording, const std::vector<std::int16_t>& sound)
{
    TickScan scan;
    std::size_t lead = 0;  // silent samples at the sound's start
    while (lead < sound.size() && sound[lead] == 0)
        ++lead;
    if (lead == sound.size())
        return scan;

    std::size_t i = 0;
    while (i < recording.size()) {
        if (recording[i] == 0) {
            ++i;
            continue;
        }
        const std::size_t start = i >= lead ? i - lead : 0;
        for (std::size_t k = 0; k < sound.size(); ++k) {
            // A copy cut off by the end of the recording counts as far as it goes.
            if (start + k >= recording.size())
                break;
            if (recording[start + k] != sound[k]) {
                scan.mismatch = true;
                scan.mismatchStart = start;
                scan.mismatchIndex = k;
                return scan;
            }
        }
        scan.starts.push_back(start);
        i = start + sound.size();
    }
    return scan;
}

std::vector<std::int16_t> tickSamples()
{
    const ResourceBytes image = findResource(173, kWaveType);
    WaveFormat format;
    const unsigned char* data = nullptr;
    std::uint32_t size = 0;
    if (!image || !CDirectSound::parseWave(image.data, image.size, &format, &data, &size))
        return {};
    std::vector<std::int16_t> samples(size / 2);
    std::memcpy(samples.data(), data, samples.size() * 2);
    return samples;
}

std::map<std::string, std::string> recordingEnv(const e2e::VirtualDisplay& display, const std::string& name)
{
    const std::string recordingPath = e2e::artefactPath(name + ".wav");
    const std::string configPath = e2e::artefactPath(name + ".conf");
    std::filesystem::remove(recordingPath);
    std::ofstream conf(configPath);
    conf << "[general]\ndrivers = wave\nchannels = mono\nsample-type = int16\nfrequency = 44100\n"
            "period_size = 64\nperiods = 2\noutput-limiter = false\ndither = false\n"
            "[wave]\nfile = " << recordingPath << "\n";
    auto env = e2e::quietEnv(display);
    env["ALSOFT_DRIVERS"] = "";  // the config file chooses the recorder
    env["ALSOFT_CONF"] = configPath;
    return env;
}

std::vector<double> recordedTicks(const std::string& name)
{
    Recording recording;
    std::string error;
    if (!readRecording(e2e::artefactPath(name + ".wav"), &recording, &error))
        return {};
    const TickScan scan = findCopies(recording.samples, tickSamples());
    EXPECT_FALSE(scan.mismatch) << name << ": sound that is no tick";
    std::vector<double> seconds;
    for (std::size_t start : scan.starts)
        seconds.push_back(static_cast<double>(start) / 44100.0);
    return seconds;
}
