// Building RIFF/WAVE images for the tests, and a guard page to catch reads
// past the end of an image.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class WaveImage {
public:
    // "RIFF" <size> "WAVE"; the size is filled in by bytes() unless fixed.
    WaveImage& chunk(const std::string& tag, const std::vector<std::uint8_t>& body, bool pad = true);
    // A chunk header claiming declaredSize bytes, followed by the body given.
    WaveImage& rawChunk(const std::string& tag, std::uint32_t declaredSize, const std::vector<std::uint8_t>& body);
    WaveImage& riffSize(std::uint32_t size);
    std::vector<std::uint8_t> bytes() const;

private:
    std::vector<std::uint8_t> m_chunks;
    bool m_fixedSize = false;
    std::uint32_t m_riffSize = 0;
};

// A "fmt " body: PCM unless tag says otherwise; size 16 (or 14: no bits field).
std::vector<std::uint8_t> pcmFormat(std::uint16_t channels, std::uint32_t rate, std::uint16_t bits,
                                    std::uint32_t size = 16, std::uint16_t tag = 1);
// Little-endian 16-bit samples as bytes.
std::vector<std::uint8_t> sampleBytes(const std::vector<std::int16_t>& samples);

// A copy of bytes that ends exactly where an unreadable page begins, so any
// read past the last byte faults at once.
class GuardedCopy {
public:
    explicit GuardedCopy(const std::vector<std::uint8_t>& bytes);
    ~GuardedCopy();
    GuardedCopy(const GuardedCopy&) = delete;
    GuardedCopy& operator=(const GuardedCopy&) = delete;
    const unsigned char* data() const { return m_data; }
    std::size_t size() const { return m_size; }

private:
    void* m_mapping = nullptr;
    std::size_t m_mappingSize = 0;
    const unsigned char* m_data = nullptr;
    std::size_t m_size = 0;
};
