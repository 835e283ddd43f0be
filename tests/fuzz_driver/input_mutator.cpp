#include "input_mutator.h"

#include <algorithm>
#include <utility>

namespace {

// Bytes and tokens that matter to text parsers: separators, line ends, signs,
// numbers at the edges of the ranges, keywords of the formats under test.
const char* const kTokens[] = {
    " ", "  ", "\t", "/", "//", "\n", "\r\n", "\r", "-", "+", ".", "e", "E", "0", "1", "-1", "-0",
    "2147483647", "-2147483648", "4294967296", "99999999999999999999", "1e39", "1e-46", "nan", "inf",
    "v ", "vt ", "vn ", "f ", "g ", "o ", "usemtl ", "mtllib ", "newmtl ", "Ka ", "Kd ", "Ks ", "Ns ",
    "d ", "illum ", "map_Kd ", "bump ", "f 1 2 3\n", "f -1 -2 -3 -4\n", "v 0 0 0\n", "v 1 0 0\n",
    "vt 0 1\n", "vn 0 0 1\n", "RIFF", "WAVE", "fmt ", "data",
};

constexpr std::size_t kMaxInput = 1 << 16;

} // namespace

InputMutator::InputMutator(std::vector<std::string> seeds, std::uint64_t seed)
    : m_seeds(std::move(seeds)), m_state(seed)
{
    if (m_seeds.empty())
        m_seeds.emplace_back();
}

// xorshift64*: small, fast and the same everywhere.
std::uint64_t InputMutator::random()
{
    m_state ^= m_state >> 12;
    m_state ^= m_state << 25;
    m_state ^= m_state >> 27;
    return m_state * 0x2545F4914F6CDD1DULL;
}

std::size_t InputMutator::below(std::size_t n)
{
    return n == 0 ? 0 : static_cast<std::size_t>(random() % n);
}

std::string InputMutator::token()
{
    return kTokens[below(std::size(kTokens))];
}

std::string InputMutator::next()
{
    std::string input = m_seeds[below(m_seeds.size())];
    const std::size_t edits = 1 + below(8);
    for (std::size_t i = 0; i < edits; ++i)
        mutate(input);
    if (input.size() > kMaxInput)
        input.resize(kMaxInput);
    return input;
}

void InputMutator::mutate(std::string& input)
{
    const std::size_t at = below(input.size() + 1);
    switch (below(10)) {
    case 0:  // flip a bit
        if (!input.empty())
            input[below(input.size())] ^= static_cast<char>(1u << below(8));
        break;
    case 1:  // any byte
        if (!input.empty())
            input[below(input.size())] = static_cast<char>(random());
        break;
    case 2:  // insert a token
    case 3:
        input.insert(at, token());
        break;
    case 4:  // erase a run
        input.erase(at, 1 + below(16));
        break;
    case 5: {  // repeat a run
        const std::string run = input.substr(at, 1 + below(64));
        const std::size_t times = 1 + below(32);
        for (std::size_t t = 0; t < times && input.size() < kMaxInput; ++t)
            input.insert(at, run);
        break;
    }
    case 6: {  // splice another corpus entry in
        const std::string& other = m_seeds[below(m_seeds.size())];
        const std::size_t from = below(other.size() + 1);
        input.insert(at, other.substr(from, below(other.size() - from + 1)));
        break;
    }
    case 7:  // cut the end off
        input.resize(at);
        break;
    case 8: {  // a little-endian integer at a range edge, for binary formats
        static const std::uint32_t kValues[] = {0, 1, 2, 16, 44, 0x7F, 0xFF, 0x7FFF, 0xFFFF, 0x7FFFFFFF,
                                                0x80000000, 0xFFFFFFFF};
        const std::uint32_t value = below(4) == 0 ? static_cast<std::uint32_t>(random()) : kValues[below(12)];
        const std::size_t width = below(2) == 0 ? 2 : 4;
        for (std::size_t b = 0; b < width && at + b < input.size(); ++b)
            input[at + b] = static_cast<char>((value >> (8 * b)) & 0xFF);
        break;
    }
    default: {  // swap two bytes
        if (input.size() >= 2)
            std::swap(input[below(input.size())], input[below(input.size())]);
        break;
    }
    }
}
