#include "tests/sound/wave_image.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstring>
#include <stdexcept>

namespace {

void putU16(std::vector<std::uint8_t>& out, std::uint16_t v)
{
    out.push_back(static_cast<std::uint8_t>(v & 0xFF));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void putU32(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    putU16(out, static_cast<std::uint16_t>(v & 0xFFFF));
    putU16(out, static_cast<std::uint16_t>(v >> 16));
}

void putTag(std::vector<std::uint8_t>& out, const std::string& tag)
{
    out.insert(out.end(), tag.begin(), tag.begin() + 4);
}

} // namespace

WaveImage& WaveImage::chunk(const std::string& tag, const std::vector<std::uint8_t>& body, bool pad)
{
    rawChunk(tag, static_cast<std::uint32_t>(body.size()), body);
    if (pad && body.size() % 2 == 1)
        m_chunks.push_back(0);
    return *this;
}

WaveImage& WaveImage::rawChunk(const std::string& tag, std::uint32_t declaredSize, const std::vector<std::uint8_t>& body)
{
    putTag(m_chunks, tag);
    putU32(m_chunks, declaredSize);
    m_chunks.insert(m_chunks.end(), body.begin(), body.end());
    return *this;
}

WaveImage& WaveImage::riffSize(std::uint32_t size)
{
    m_fixedSize = true;
    m_riffSize = size;
    return *this;
}

std::vector<std::uint8_t> WaveImage::bytes() const
{
    std::vector<std::uint8_t> out;
    putTag(out, "RIFF");
    putU32(out, m_fixedSize ? m_riffSize : static_cast<std::uint32_t>(4 + m_chunks.size()));
    putTag(out, "WAVE");
    out.insert(out.end(), m_chunks.begin(), m_chunks.end());
    return out;
}

std::vector<std::uint8_t> pcmFormat(std::uint16_t channels, std::uint32_t rate, std::uint16_t bits,
                                    std::uint32_t size, std::uint16_t tag)
{
    const auto blockAlign = static_cast<std::uint16_t>(channels * bits / 8);
    std::vector<std::uint8_t> out;
    putU16(out, tag);
    putU16(out, channels);
    putU32(out, rate);
    putU32(out, rate * blockAlign);
    putU16(out, blockAlign);
    putU16(out, bits);
    out.resize(size, 0);
    return out;
}

std::vector<std::uint8_t> sampleBytes(const std::vector<std::int16_t>& samples)
{
    std::vector<std::uint8_t> out;
    for (std::int16_t s : samples)
        putU16(out, static_cast<std::uint16_t>(s));
    return out;
}

GuardedCopy::GuardedCopy(const std::vector<std::uint8_t>& bytes)
{
    const auto page = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
    const std::size_t dataPages = (bytes.size() + page - 1) / page + 1;
    m_mappingSize = (dataPages + 1) * page;
    m_mapping = mmap(nullptr, m_mappingSize, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (m_mapping == MAP_FAILED)
        throw std::runtime_error("mmap failed");
    auto* base = static_cast<unsigned char*>(m_mapping);
    unsigned char* guard = base + dataPages * page;
    mprotect(guard, page, PROT_NONE);
    unsigned char* start = guard - bytes.size();
    if (!bytes.empty())
        std::memcpy(start, bytes.data(), bytes.size());
    m_data = start;
    m_size = bytes.size();
}

GuardedCopy::~GuardedCopy()
{
    munmap(m_mapping, m_mappingSize);
}
