// Stand-in for libFuzzer in the normal build: runs a fuzz target on its corpus
// and on a fixed, repeatable series of mutations of it, within a time budget.
//
//   fuzz_<name> [--mutations=N] [--seconds=S] [--seed=N] <corpus dirs or files...>
//
// A crash or sanitizer report ends the run with the input that caused it saved
// as fuzz-crash-<pid> in the working folder.
#include "input_mutator.h"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

// The input under test, for the crash handler.
const std::string* g_current = nullptr;

void saveCurrentInput(int sig)
{
    if (g_current) {
        char name[64] = "fuzz-crash-";
        // Async-signal-safe: no formatting functions, just digits.
        char digits[24];
        int n = 0;
        for (long pid = static_cast<long>(getpid()); pid > 0 && n < 23; pid /= 10)
            digits[n++] = static_cast<char>('0' + pid % 10);
        std::size_t len = std::strlen(name);
        while (n > 0)
            name[len++] = digits[--n];
        name[len] = '\0';
        const int fd = open(name, O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (fd >= 0) {
            ssize_t ignored = write(fd, g_current->data(), g_current->size());
            (void)ignored;
            close(fd);
        }
        const char message[] = "fuzz driver: crashing input saved in the working folder\n";
        ssize_t ignored = write(2, message, sizeof message - 1);
        (void)ignored;
    }
    std::signal(sig, SIG_DFL);
    std::raise(sig);
}

std::string readFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void runOne(const std::string& input)
{
    g_current = &input;
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(input.data()), input.size());
    g_current = nullptr;
}

bool startsWith(const char* arg, const char* prefix, const char** value)
{
    const std::size_t n = std::strlen(prefix);
    if (std::strncmp(arg, prefix, n) != 0)
        return false;
    *value = arg + n;
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    long mutations = 100000;
    double seconds = 5.0;
    std::uint64_t seed = 0x7A31C0DEULL;
    std::vector<std::string> corpus;

    for (int i = 1; i < argc; ++i) {
        const char* value = nullptr;
        if (startsWith(argv[i], "--mutations=", &value)) {
            mutations = std::strtol(value, nullptr, 10);
        } else if (startsWith(argv[i], "--seconds=", &value)) {
            seconds = std::strtod(value, nullptr);
        } else if (startsWith(argv[i], "--seed=", &value)) {
            seed = std::strtoull(value, nullptr, 10);
        } else {
            const std::filesystem::path path(argv[i]);
            std::error_code error;
            if (std::filesystem::is_directory(path, error)) {
                std::vector<std::filesystem::path> files;
                for (const auto& entry : std::filesystem::directory_iterator(path))
                    if (entry.is_regular_file())
                        files.push_back(entry.path());
                std::sort(files.begin(), files.end());  // the same order on every machine
                for (const auto& file : files)
                    corpus.push_back(readFile(file));
            } else if (std::filesystem::is_regular_file(path, error)) {
                corpus.push_back(readFile(path));
            } else {
                std::fprintf(stderr, "fuzz driver: no such corpus entry: %s\n", argv[i]);
                return 2;
            }
        }
    }

    for (int sig : {SIGSEGV, SIGABRT, SIGBUS, SIGFPE, SIGILL})
        std::signal(sig, saveCurrentInput);

    for (const std::string& input : corpus)
        runOne(input);

    // The mutations are the same on every run; the time budget only cuts the
    // series short on a slow machine.
    InputMutator mutator(corpus, seed);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    long done = 0;
    for (; done < mutations; ++done) {
        if ((done & 63) == 0 && std::chrono::steady_clock::now() > deadline)
            break;
        runOne(mutator.next());
    }
    std::fprintf(stderr, "fuzz driver: %zu corpus inputs, %ld of %ld mutations, no crash\n", corpus.size(), done,
                 mutations);
    return 0;
}
