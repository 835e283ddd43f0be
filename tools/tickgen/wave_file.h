// Writing a 16-bit mono PCM RIFF/WAVE image.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The whole file: RIFF header, a 16-byte "fmt " chunk and the "data" chunk.
std::vector<std::uint8_t> makeMonoPcm16Wave(const std::vector<std::int16_t>& samples, std::uint32_t sampleRate);

// Writes bytes to path; false on any error.
bool writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes);
