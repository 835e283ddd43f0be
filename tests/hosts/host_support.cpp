#include "tests/hosts/host_support.h"

#include "tests/support/e2e.h"

#include <sys/stat.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

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
