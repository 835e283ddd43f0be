#include "about/text_layout.h"

namespace {

// Greedy word wrap of one paragraph (no line breaks inside).
void wrapParagraph(const std::string& paragraph, double maxWidth, const TextWidth& width,
                   std::vector<std::string>& lines)
{
    std::string line;
    std::size_t pos = 0;
    while (pos < paragraph.size()) {
        const std::size_t blank = paragraph.find(' ', pos);
        const std::size_t end = blank == std::string::npos ? paragraph.size() : blank;
        const std::string word = paragraph.substr(pos, end - pos);
        const std::string candidate = line.empty() ? word : line + " " + word;
        if (!line.empty() && width(candidate) > maxWidth) {
            lines.push_back(line);
            line = word;
        } else {
            line = candidate;
        }
        pos = end == paragraph.size() ? end : end + 1;
    }
    lines.push_back(line);
}

} // namespace

std::vector<std::string> layoutLines(const std::string& text, double maxWidth, const TextWidth& width)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (true) {
        const std::size_t newline = text.find('\n', start);
        std::string paragraph = text.substr(start, newline == std::string::npos ? std::string::npos : newline - start);
        if (!paragraph.empty() && paragraph.back() == '\r')
            paragraph.pop_back();
        wrapParagraph(paragraph, maxWidth, width, lines);
        if (newline == std::string::npos)
            break;
        start = newline + 1;
    }
    return lines;
}
