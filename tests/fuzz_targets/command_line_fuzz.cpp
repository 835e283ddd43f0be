// Fuzz target: the process arguments. The first line of the input is the
// argument text, split at blanks into argv as a shell would hand it over; the
// rest, when there is a line break, is the value of XSCREENSAVER_WINDOW. Both
// go through the same functions as at start-up.
#include "app/command_line.h"
#include "app/hosted_run.h"
#include "fuzz_require.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace {

constexpr unsigned long kLargestXId = 0xFFFFFFFFul;
// What a hosted run holds for a window id option that names no window.
constexpr unsigned long kNoWindow = ~0ul;

void require(bool condition, const char* what) { fuzzRequire(condition, "command line", what); }

std::vector<std::string> splitAtBlanks(const std::string& text)
{
    std::vector<std::string> words;
    std::string word;
    for (char c : text) {
        if (c == ' ') {
            if (!word.empty())
                words.push_back(word);
            word.clear();
        } else {
            word += c;
        }
    }
    if (!word.empty())
        words.push_back(word);
    return words;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // C strings end at the first NUL, as argv and the environment do.
    std::string all(reinterpret_cast<const char*>(data), size);
    all = all.c_str();
    const std::size_t lineEnd = all.find('\n');
    const std::string arguments = all.substr(0, lineEnd);
    const bool hasEnvironment = lineEnd != std::string::npos;
    const std::string environment = hasEnvironment ? all.substr(lineEnd + 1) : std::string();

    const CommandLine whole = parseCommandLine(arguments.c_str());
    require(whole.mode >= Preview && whole.mode <= None, "the mode is one of the four");
    if (arguments.find('/') == std::string::npos)
        require(whole.mode == None && whole.hostWindow == 0, "text without a switch gives None and no window");

    std::vector<std::string> words = splitAtBlanks(arguments);
    words.insert(words.begin(), "tarnwick");
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    const int argc = static_cast<int>(words.size());

    const std::string joined = joinArguments(argc, argv.data());
    const CommandLine fromArgv = parseCommandLine(joined.c_str());
    require(fromArgv.mode >= Preview && fromArgv.mode <= None, "the mode of joined arguments is one of the four");

    const HostedRun hosted = parseHostedRun(argc, argv.data(), hasEnvironment ? environment.c_str() : nullptr,
                                            fromArgv.mode == None);
    require(hosted.window <= kLargestXId || hosted.window == kNoWindow, "a hosted window id fits an X id or marks none");
    require(hosted.active || hosted.window == 0, "an inactive hosted run names no window");
    require(hosted.maxFps >= 0 && hosted.maxFps <= kMaxFpsLimit, "a frame-rate limit within its range");
    require(hosted.complaints.size() <= 2, "at most one line for unknown arguments and one for the frame-rate limit");
    for (int i = 1; i < argc; ++i)
        require(parseWindowId(argv[i]) <= kLargestXId, "a window id fits an X id");
    if (hasEnvironment)
        require(parseWindowId(environment.c_str()) <= kLargestXId, "the variable's window id fits an X id");
    return 0;
}
