#include "mesh/line_functions.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace wavefront {

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

// White space as the C library's number parsers skip it.
bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

std::size_t skipBlanks(std::string_view s, std::size_t i)
{
    while (i < s.size() && isBlank(s[i]))
        ++i;
    return i;
}

std::size_t skipWord(std::string_view s, std::size_t i)
{
    while (i < s.size() && !isBlank(s[i]))
        ++i;
    return i;
}

std::size_t skipDigits(std::string_view s, std::size_t i)
{
    while (i < s.size() && isDigit(s[i]))
        ++i;
    return i;
}

// Decimal order of magnitude of a number the float range cannot hold, to tell
// overflow from underflow: positive means at least 1.
long long decimalMagnitude(std::string_view digits)
{
    std::size_t i = 0;
    long long magnitude = 0;
    bool seenNonZero = false;
    for (; i < digits.size() && isDigit(digits[i]); ++i) {
        if (digits[i] != '0')
            seenNonZero = true;
        if (seenNonZero)
            ++magnitude;
    }
    if (i < digits.size() && digits[i] == '.') {
        for (++i; i < digits.size() && isDigit(digits[i]); ++i) {
            if (seenNonZero)
                continue;
            if (digits[i] != '0')
                seenNonZero = true;
            else
                --magnitude;
        }
    }
    if (i < digits.size() && (digits[i] == 'e' || digits[i] == 'E')) {
        long long exponent = parseInteger(digits.substr(i + 1)).value_or(0);
        // Saturated exponents stay far from overflowing this sum.
        exponent = std::max(std::min(exponent, 1LL << 40), -(1LL << 40));
        magnitude += exponent;
    }
    return magnitude;
}

} // namespace

std::string_view firstWord(std::string_view line)
{
    const std::size_t begin = skipBlanks(line, 0);
    return line.substr(begin, skipWord(line, begin) - begin);
}

std::string_view restOfLine(std::string_view line)
{
    std::size_t begin = skipBlanks(line, 0);
    begin = skipWord(line, begin);
    begin = skipBlanks(line, begin);
    std::size_t end = line.size();
    while (end > begin && isBlank(line[end - 1]))
        --end;
    return line.substr(begin, end - begin);
}

void splitOn(std::string_view text, std::string_view separator, std::vector<std::string_view>& out)
{
    out.clear();
    if (separator.empty()) {
        if (!text.empty())
            out.push_back(text);
        return;
    }
    const std::size_t length = text.size();
    const std::size_t sepLength = separator.size();
    // The pending piece is always the run text[pendingBegin, i).
    std::size_t pendingBegin = 0;
    for (std::size_t i = 0; i < length; ++i) {
        if (text.compare(i, sepLength, separator) == 0) {
            if (i > pendingBegin) {
                out.push_back(text.substr(pendingBegin, i - pendingBegin));
                i += sepLength - 1;
            } else {
                out.push_back(text.substr(i, 0));
            }
            pendingBegin = i + 1;
        } else if (i + sepLength >= length) {
            out.push_back(text.substr(pendingBegin));
            return;
        }
    }
}

std::string_view trimLineEnd(std::string_view text)
{
    std::size_t end = text.size();
    while (end > 0 && (text[end - 1] == '\r' || text[end - 1] == '\n'))
        --end;
    return end == 0 ? text : text.substr(0, end);
}

float parseFloat(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && isSpace(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    const std::size_t begin = i;
    std::size_t end = skipDigits(text, i);
    std::size_t digitCount = end - begin;
    if (end < text.size() && text[end] == '.') {
        const std::size_t fractionEnd = skipDigits(text, end + 1);
        digitCount += fractionEnd - (end + 1);
        end = fractionEnd;
    }
    if (digitCount == 0)
        return 0.0f;
    if (end < text.size() && (text[end] == 'e' || text[end] == 'E')) {
        std::size_t e = end + 1;
        if (e < text.size() && (text[e] == '+' || text[e] == '-'))
            ++e;
        const std::size_t exponentEnd = skipDigits(text, e);
        if (exponentEnd > e)
            end = exponentEnd;
    }
    const std::string_view number = text.substr(begin, end - begin);
    float value = 0.0f;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value,
                                        std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range)
        value = decimalMagnitude(number) > 0 ? std::numeric_limits<float>::infinity() : 0.0f;
    return negative ? -value : value;
}

std::optional<long long> parseInteger(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && isSpace(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i >= text.size() || !isDigit(text[i]))
        return std::nullopt;
    constexpr long long kMax = std::numeric_limits<long long>::max();
    long long value = 0;
    for (; i < text.size() && isDigit(text[i]); ++i) {
        const int digit = text[i] - '0';
        value = value > (kMax - digit) / 10 ? kMax : value * 10 + digit;
    }
    return negative ? -value : value;
}

int parseInt(std::string_view text)
{
    const long long value = parseInteger(text).value_or(0);
    constexpr long long kMin = std::numeric_limits<int>::min();
    constexpr long long kMax = std::numeric_limits<int>::max();
    return static_cast<int>(std::max(kMin, std::min(kMax, value)));
}

} // namespace wavefront
