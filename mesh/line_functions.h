// Line-level helpers of the OBJ/MTL parser: words, pieces, numbers, indices.
// Every function reads only inside the text it is given.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace wavefront {

// The first word: leading spaces and tabs skipped, up to the next space or
// tab. Empty for an empty or all-blank line.
std::string_view firstWord(std::string_view line);

// Everything after the first word and the blanks following it, up to the last
// character that is neither space nor tab. A carriage return is an ordinary
// character here.
std::string_view restOfLine(std::string_view line);

// Splits text on separator into out (cleared first). A run of two separators
// gives an empty piece between them; a separator at the very end closes the
// pending piece and adds nothing after it. The pieces point into text.
void splitOn(std::string_view text, std::string_view separator, std::vector<std::string_view>& out);

// text without its trailing carriage returns and line feeds; a text made only
// of them comes back unchanged.
std::string_view trimLineEnd(std::string_view text);

// The longest prefix in decimal floating-point syntax (leading white space,
// optional sign, digits with an optional point, optional exponent), rounded to
// float; the rest is ignored. No number gives 0. Beyond the float range the
// value is ±infinity, below it ±0.
float parseFloat(std::string_view text);

// Leading white space, optional sign, decimal digits; the rest is ignored.
// Empty when there are no digits. Saturates at the limits of long long.
std::optional<long long> parseInteger(std::string_view text);

// parseInteger clamped to int; no number gives 0.
int parseInt(std::string_view text);

// The list element that indexText names: n > 0 is element n - 1, n < 0 is
// element size + n (so -1 is the last one read so far). Index 0, an index
// outside the list or a text without a number name nothing: nullptr.
template <typename T>
const T* elementAt(const std::vector<T>& list, std::string_view indexText)
{
    const std::optional<long long> n = parseInteger(indexText);
    if (!n)
        return nullptr;
    const long long size = static_cast<long long>(list.size());
    long long i = 0;
    if (*n > 0)
        i = *n - 1;
    else if (*n < 0)
        i = size + *n;
    else
        return nullptr;
    if (i < 0 || i >= size)
        return nullptr;
    return &list[static_cast<std::size_t>(i)];
}

} // namespace wavefront
