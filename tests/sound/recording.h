// Reading what OpenAL's "wave" backend recorded, and finding the ticks in it.
#pragma once

#include <cstddef>
#include <cstdint>
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
