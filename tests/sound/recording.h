// Reading what OpenAL's "wave" backend recorded, and finding the ticks in it.
#pragma once

#include "tests/support/e2e.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

struct Recording {
    int channels = 0;
    int sampleRate = 0;
    int bitsPerSample = 0;
    std::vector<std::int16_t> samples;  // 16-bit recordings only
};

// Reads a RIFF/WAVE file. A data chunk whose size was never filled in (the
// recorder did not get to close the file) runs to the end of the file.
// False when the file is missing or no 16-bit PCM recording.
bool readRecording(const std::string& path, Recording* out, std::string* error);

// Where the recording holds exact copies of sound, found by scanning for
// sound after silence. Every stretch of sound must be a whole copy; the first
// that is not ends the scan and is reported in *mismatch (its start, and
// the first differing sample index within the copy).
struct TickScan {
    std::vector<std::size_t> starts;
    bool mismatch = false;
    std::size_t mismatchStart = 0;
    std::size_t mismatchIndex = 0;
};
TickScan findCopies(const std::vector<std::int16_t>& recording, const std::vector<std::int16_t>& sound);

// The tick as the program embeds it.
std::vector<std::int16_t> tickSamples();

// The environment of a run whose sound OpenAL's "wave" backend records into
// the artefact <name>.wav: the mix as it is (mono, 16-bit, the tick's own
// rate, no limiter or dither) in short mixing periods, so a tick lands close
// to its time.
std::map<std::string, std::string> recordingEnv(const e2e::VirtualDisplay& display, const std::string& name);

// The starts of the ticks in the artefact <name>.wav, in seconds from the
// start of the recording; empty when there is no such recording. Sound that
// is no tick fails the test.
std::vector<double> recordedTicks(const std::string& name);
