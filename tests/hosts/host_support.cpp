#include "tests/hosts/host_support.h"

#include "tests/support/e2e.h"

#include <dirent.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace hosts {

TempDir::TempDir(const char* stem)
{
    std::string pattern = std::string("/tmp/tarnwick-") + stem + "-XXXXXX";
    if (mkdtemp(pattern.data()) != nullptr) {
        m_path = pattern;
        chmod(m_path.c_str(), 0755);
    }
}

TempDir::~TempDir()
{
    std::error_code ignored;
    if (!m_path.empty())
        std::filesystem::remove_all(m_path, ignored);
}

bool installInto(const std::string& prefix)
{
    const Output result = capture({"cmake", "--install", TARNWICK_BUILD_DIR, "--prefix", prefix}, {}, 60.0);
    return result.status == 0;
}

std::vector<std::string> filesUnder(const std::string& root)
{
    std::vector<std::string> files;
    std::error_code error;
    for (auto it = std::filesystem::recursive_directory_iterator(root, error);
         it != std::filesystem::recursive_directory_iterator(); it.increment(error)) {
        if (error)
            break;
        if (!it->is_directory())
            files.push_back(std::filesystem::relative(it->path(), root).string());
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<pid_t> descendants(pid_t pid)
{
    std::multimap<pid_t, pid_t> childrenOf;
    if (DIR* proc = opendir("/proc")) {
        while (dirent* entry = readdir(proc)) {
            const pid_t child = static_cast<pid_t>(std::atoi(entry->d_name));
            if (child <= 0)
                continue;
            const std::string stat = readFile("/proc/" + std::string(entry->d_name) + "/stat");
            const auto close = stat.rfind(')');
            if (close == std::string::npos)
                continue;
            std::istringstream rest(stat.substr(close + 2));
            char state = 0;
            pid_t parent = 0;
            rest >> state >> parent;
            childrenOf.emplace(parent, child);
        }
        closedir(proc);
    }
    std::vector<pid_t> found;
    std::vector<pid_t> open{pid};
    while (!open.empty()) {
        const pid_t next = open.back();
        open.pop_back();
        auto [first, last] = childrenOf.equal_range(next);
        for (auto it = first; it != last; ++it) {
            found.push_back(it->second);
            open.push_back(it->second);
        }
    }
    return found;
}

std::map<std::string, std::string> environmentOf(pid_t pid)
{
    std::map<std::string, std::string> env;
    std::istringstream text(readFile("/proc/" + std::to_string(pid) + "/environ"));
    std::string entry;
    while (std::getline(text, entry, '\0')) {
        const auto eq = entry.find('=');
        if (eq != std::string::npos)
            env[entry.substr(0, eq)] = entry.substr(eq + 1);
    }
    return env;
}

Output capture(const std::vector<std::string>& argv, const std::map<std::string, std::string>& env, double seconds)
{
    e2e::Process process(argv, env);
    Output result;
    int status = 0;
    if (process.wait(seconds, &status) && WIFEXITED(status))
        result.status = WEXITSTATUS(status);
    result.out = process.out();
    result.err = process.err();
    return result;
}

} // namespace hosts
