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
        // Case-sensitive: only the lower-case letters are switches.
        if (p[1] == 'p')
            result.mode = Preview;
        else if (p[1] == 's')
            result.mode = Screensaver;
        else if (p[1] == 'c')
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
