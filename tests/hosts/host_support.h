// Helpers for tests of the installed program: a temporary installation and
// commands whose output is checked.
#pragma once

#include <sys/types.h>

#include <map>
#include <string>
#include <vector>

namespace hosts {

// A fresh directory under /tmp, readable by every user; removed with its
// contents by the destructor.
class TempDir {
public:
    explicit TempDir(const char* stem);
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& path() const { return m_path; }

private:
    std::string m_path;
};

// `cmake --install` of this build into prefix; true when it succeeded.
bool installInto(const std::string& prefix);

// Paths of the regular files under root, relative to it, sorted.
std::vector<std::string> filesUnder(const std::string& root);

struct Output {
    int status = -1;  // exit status, -1 when it did not end by itself in time
    std::string out;
    std::string err;
};

// The whole of a file; empty when it cannot be read.
std::string readFile(const std::string& path);

// Process ids on the system whose parent is pid, and theirs, and so on.
std::vector<pid_t> descendants(pid_t pid);

// The environment a process was started with.
std::map<std::string, std::string> environmentOf(pid_t pid);

// Runs a command to its end (at most seconds) and keeps what it printed.
Output capture(const std::vector<std::string>& argv, const std::map<std::string, std::string>& env = {},
               double seconds = 30.0);

} // namespace hosts
