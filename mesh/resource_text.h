// The OBJ and MTL texts, taken from "TEXTFILE" resources and read line by line.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace wavefront {

// Reads a text line by line. Each line ends at a line feed, which is not part
// of it; a last line without a line feed is still read, and what follows the
// last line feed, if empty, is no line.
class LineReader {
public:
    // Copies the bytes of the "TEXTFILE" resource id (a missing resource is an
    // empty text). False when there was no memory for the copy.
    bool loadResource(int resourceId);

    // The next line, false at the end of the text.
    bool nextLine(std::string_view& line);

private:
    std::string m_text;
    std::size_t m_position = 0;
};

} // namespace wavefront
