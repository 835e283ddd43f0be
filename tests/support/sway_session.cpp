#include "tests/support/sway_session.h"

#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace e2e {

namespace {

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The variables a session's client needs, from sway's own environment as a
// program it started saw it.
std::map<std::string, std::string> sessionVariables(const std::string& text)
{
    std::map<std::string, std::string> found;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        const auto eq = line.find('=');
        if (eq == std::string::npos)
            continue;
        const std::string key = line.substr(0, eq);
        if (key == "WAYLAND_DISPLAY" || key == "DISPLAY" || key == "XDG_RUNTIME_DIR" || key == "HOME" ||
            key == "SWAYSOCK")
            found[key] = line.substr(eq + 1);
    }
    return found;
}

const char* const kSanitizerVariables[] = {"ASAN_OPTIONS", "LSAN_OPTIONS", "UBSAN_OPTIONS"};

} // namespace

SwaySession::SwaySession(int outputs, int width, int height)
{
    m_user = testUser();
    if (m_user.uid == 0)
        return;
    char pattern[] = "/tmp/tarnwick-sway-XXXXXX";
    if (mkdtemp(pattern) == nullptr)
        return;
    m_dir = pattern;
    // The runtime directory must be the user's own and private to it.
    if (chown(m_dir.c_str(), m_user.uid, m_user.gid) != 0 || chmod(m_dir.c_str(), 0700) != 0)
        return;

    const std::string config = m_dir + "/config";
    {
        std::ofstream out(config);
        out << "xwayland enable\n"
               "default_border none\n";
        for (int i = 0; i < outputs; ++i)
            out << "output HEADLESS-" << i + 1 << " mode " << width << "x" << height << " position "
                << i * width << " 0\n";
        // Tells the test the session's variables once sway is up.
        out << "exec env > " << m_dir << "/session.part && mv " << m_dir << "/session.part " << m_dir
            << "/session.env\n";
    }
    copySanitizerFiles();
    if (chown(config.c_str(), m_user.uid, m_user.gid) != 0)
        return;

    m_sway = std::make_unique<Process>(asUser(
        m_user, {"env", "-i", "HOME=" + m_dir, "XDG_RUNTIME_DIR=" + m_dir, "PATH=/usr/bin:/bin",
                 "WLR_BACKENDS=headless", "WLR_RENDERER=pixman", "WLR_LIBINPUT_NO_DEVICES=1",
                 "WLR_HEADLESS_OUTPUTS=" + std::to_string(outputs), "sway", "-c", config}));
    for (int i = 0; i < 2000 && m_sway->running(); ++i) {
        const std::string text = readFile(m_dir + "/session.env");
        if (!text.empty()) {
            m_environment = sessionVariables(text);
            break;
        }
        pause(0.01);
    }
}

SwaySession::~SwaySession()
{
    if (m_sway) {
        // sway, XWayland and whatever sway started share sway's process group.
        if (m_sway->running())
            ::kill(-m_sway->pid(), SIGTERM);
        m_sway->wait(5.0);
        m_sway.reset();
    }
    if (!m_dir.empty())
        run({"rm", "-rf", m_dir});
}

std::string SwaySession::xDisplay() const
{
    const auto it = m_environment.find("DISPLAY");
    return it != m_environment.end() ? it->second : "";
}

std::string SwaySession::program()
{
    const std::string copy = m_dir + "/tarnwick";
    if (access(copy.c_str(), X_OK) != 0)
        run({"install", "-m", "0755", binaryPath(), copy});
    return copy;
}

void SwaySession::copySanitizerFiles()
{
    // A sanitizer build reads its suppression files at start: the session's
    // user gets copies in the runtime directory, wherever the build tree is.
    for (const char* name : kSanitizerVariables) {
        const char* value = std::getenv(name);
        if (value == nullptr || *value == '\0')
            continue;
        std::string options = value;
        const std::string key = "suppressions=";
        const auto at = options.find(key);
        if (at != std::string::npos) {
            const auto end = options.find(':', at);
            const std::size_t from = at + key.size();
            const std::string path = options.substr(from, end == std::string::npos ? end : end - from);
            const std::string copy = m_dir + "/" + name + ".supp";
            run({"install", "-m", "0644", path, copy});
            options.replace(at + key.size(), path.size(), copy);
        }
        m_environment[name] = options;
    }
}

std::vector<std::string> SwaySession::command(const std::vector<std::string>& argv,
                                              const std::map<std::string, std::string>& env) const
{
    std::vector<std::string> command{"env", "-i", "PATH=/usr/bin:/bin"};
    std::map<std::string, std::string> all = m_environment;
    for (const auto& [key, value] : env)
        all[key] = value;
    for (const auto& [key, value] : all)
        command.push_back(key + "=" + value);
    command.insert(command.end(), argv.begin(), argv.end());
    return asUser(m_user, command);
}

Image SwaySession::screenshot(const std::string& output)
{
    const std::string path = m_dir + "/shot-" + std::to_string(++m_shots) + ".ppm";
    std::vector<std::string> argv{"grim", "-t", "ppm"};
    if (!output.empty())
        argv.insert(argv.end(), {"-o", output});
    argv.push_back(path);
    run(command(argv), {}, 20.0);
    Image image = readPpm(path);
    std::remove(path.c_str());
    return image;
}

bool SwaySession::pressKey(const std::string& key)
{
    // wtype makes a new virtual keyboard each time; XWayland drops a press
    // that comes before the keyboard's keymap has reached it, so the key
    // waits a moment after the keyboard appears.
    return run(command({"wtype", "-s", "300", "-k", key}), {}, 10.0) == 0;
}

bool SwaySession::swaymsg(const std::vector<std::string>& arguments)
{
    std::vector<std::string> argv{"swaymsg"};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    return run(command(argv), {}, 10.0) == 0;
}

std::string SwaySession::log() const { return m_sway ? m_sway->err() + m_sway->out() : ""; }

} // namespace e2e
