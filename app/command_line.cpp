#include "app/command_line.h"

#include "platform/single_instance.h"

#include <cstdlib>

CommandLine* g_commandLine = nullptr;

namespace {

// The usual string-to-int reading: white space, an optional sign, digits up to
// the first non-digit; no digits give 0. Values past 32 bits wrap, as the
// handle is held in 32 bits anyway.
std::int32_t readDecimal(const char* p)
{
    while (*p == ' ' || *p == '\t' || *p == '\n' || *p == '\r' || *p == '\f' || *p == '\v')
        ++p;
    bool negative = false;
    if (*p == '+' || *p == '-')
        negative = *p++ == '-';
    std::uint32_t value = 0;
    while (*p >= '0' && *p <= '9')
        value = value * 10u + static_cast<std::uint32_t>(*p++ - '0');
    if (negative)
        value = 0u - value;
    return static_cast<std::int32_t>(value);
}

} // namespace

CommandLine parseCommandLine(const char* text)
{
    CommandLine result;
    if (text == nullptr)
        return result;
    for (const char* p = text; *p != '\0'; ++p) {
        if (*p != '/')
            continue;
        // Either case: Windows' own launches (Explorer's double-click, the
        // Settings' "Test") write the letters in upper case.
        const char letter = p[1] >= 'A' && p[1] <= 'Z' ? static_cast<char>(p[1] - 'A' + 'a') : p[1];
        if (letter == 'p')
            result.mode = Preview;
        else if (letter == 's')
            result.mode = Screensaver;
        else if (letter == 'c')
            result.mode = Configure;
        if (result.mode != RunMode::None) {
            // The number starts after the '/', the letter and one separator;
            // a text that ends before that gives 0.
            if (p[1] == '\0' || p[2] == '\0')
                result.hostWindow = 0;
            else
                result.hostWindow = readDecimal(p + 3);
        }
        // Scanning goes on right after the '/', so later switches win.
    }
    return result;
}

std::string joinArguments(int argc, char** argv)
{
    std::string text;
    for (int i = 1; i < argc; ++i) {
        if (i > 1)
            text += ' ';
        text += argv[i];
    }
    return text;
}

bool acquireSingleInstance()
{
    return holdSingleInstanceName();
}
