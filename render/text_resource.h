// Reads the text of a "TEXTFILE" resource up to its "~" terminator.
#pragma once

#include <cstddef>

// Bytes of NUL written after the copied text.
inline constexpr std::size_t kTextTerminatorBytes = 4;

// Copies the text of TEXTFILE resource resourceId into destination, stopping
// at the first "~", and writes four NUL bytes where the "~" stood.
// destination must hold capacity + 4 bytes.
//
// The copy never reads past the resource or writes past capacity text bytes:
// a missing resource gives an empty text, a resource without "~" gives all of
// its bytes, and a longer text is cut at capacity bytes (the compiler then
// reports the cut). Returns the number of text bytes copied.
std::size_t loadTextResource(int resourceId, char* destination, std::size_t capacity);
