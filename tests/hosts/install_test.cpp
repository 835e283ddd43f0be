// `cmake --install` lays out the program, its manual page and its settings
// description where xscreensaver-style daemons look, and nothing else.
#include <gtest/gtest.h>

#include "tests/hosts/host_support.h"
#include "tests/support/e2e.h"

#include <sys/stat.h>

#include <fstream>
#include <sstream>

using namespace hosts;

namespace {

std::string trimmed(const std::string& text)
{
    const auto first = text.find_first_not_of(" \t\n");
    if (first == std::string::npos)
        return "";
    const auto last = text.find_last_not_of(" \t\n");
    return text.substr(first, last - first + 1);
}

class Installed : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_prefix = new TempDir("install");
        s_installed = installInto(s_prefix->path());
    }
    static void TearDownTestSuite()
    {
        delete s_prefix;
        s_prefix = nullptr;
    }
    void SetUp() override { ASSERT_TRUE(s_installed) << "cmake --install into " << s_prefix->path(); }

    static std::string at(const std::string& relative) { return s_prefix->path() + "/" + relative; }

    // The value of an XPath expression over the settings description.
    static std::string xpath(const std::string& expression)
    {
        const Output result =
            capture({"xmllint", "--xpath", expression, at("share/xscreensaver/config/tarnwick.xml")});
        EXPECT_EQ(result.status, 0) << expression << ": " << result.err;
        // xmllint ends the value with a line break of its own.
        std::string value = result.out;
        if (!value.empty() && value.back() == '\n')
            value.pop_back();
        return value;
    }

    static inline TempDir* s_prefix = nullptr;
    static inline bool s_installed = false;
};

TEST_F(Installed, LaysOutExactlyTheProgramManualPageSettingsDescriptionAndDocuments)
{
    const std::vector<std::string> expected{
        "libexec/xscreensaver/tarnwick",
        "share/applications/screensavers/tarnwick.desktop",
        "share/doc/tarnwick/changelog.gz",
        "share/doc/tarnwick/copyright",
        "share/man/man6/tarnwick.6.gz",
        "share/xscreensaver/config/tarnwick.xml",
    };
    EXPECT_EQ(filesUnder(s_prefix->path()), expected);

    struct stat info{};
    ASSERT_EQ(stat(at("libexec/xscreensaver/tarnwick").c_str(), &info), 0);
    EXPECT_TRUE(S_ISREG(info.st_mode));
    EXPECT_EQ(info.st_mode & 0555, 0555u) << "every user can run it: the daemon runs as the user";
    EXPECT_TRUE(readFile(at("libexec/xscreensaver/tarnwick")) == readFile(e2e::binaryPath()))
        << "the installed program is this build's";
}

TEST_F(Installed, SettingsDescriptionIsWellFormedAndOffersTheTickAndTheFrameRateLimit)
{
    const Output lint = capture({"xmllint", "--noout", at("share/xscreensaver/config/tarnwick.xml")});
    ASSERT_EQ(lint.status, 0) << lint.err;
    EXPECT_EQ(lint.err, "");

    EXPECT_EQ(xpath("string(/screensaver/@name)"), "tarnwick");
    EXPECT_EQ(xpath("string(/screensaver/@_label)"), "Tarnwick");
    EXPECT_EQ(xpath("string(/screensaver/@gl)"), "yes");
    EXPECT_EQ(xpath("string(/screensaver/command/@arg)"), "--root");
    // The command, the two settings of hosted runs and the description.
    EXPECT_EQ(xpath("count(/screensaver/*)"), "4");
    EXPECT_EQ(xpath("count(/screensaver/command)"), "1");
    EXPECT_EQ(xpath("count(/screensaver/_description)"), "1");
    // A checkbox that is off by default and passes its option when checked:
    // xscreensaver reads that from arg-set, and XFCE's screensaver, which
    // takes any option of a checkbox as the one to pass when checked, reads
    // it the same way.
    EXPECT_EQ(xpath("string(/screensaver/boolean/@_label)"), "Silent: no tick");
    EXPECT_EQ(xpath("string(/screensaver/boolean/@arg-set)"), "--no-tick") << "ticks unless checked";
    EXPECT_EQ(xpath("count(/screensaver/boolean/@arg-unset)"), "0");
    EXPECT_EQ(xpath("count(/screensaver/boolean/@convert)"), "0");
    EXPECT_EQ(xpath("string(/screensaver/number/@arg)"), "--max-fps %");
    EXPECT_EQ(xpath("string(/screensaver/number/@type)"), "slider");
    EXPECT_EQ(xpath("string(/screensaver/number/@low)"), "0");
    EXPECT_EQ(xpath("string(/screensaver/number/@default)"), "0") << "paced by the display unless limited";

    const std::string description = trimmed(xpath("string(/screensaver/_description)"));
    EXPECT_GT(description.size(), 100u);
    EXPECT_EQ(description.find("\n\n"), std::string::npos) << "one paragraph";
    EXPECT_NE(description.find("clock"), std::string::npos);
}

TEST_F(Installed, ThemeEntryNamesTheInstalledProgramForMateAndXfceAndValidates)
{
    const std::string entry = at("share/applications/screensavers/tarnwick.desktop");
    const Output validate = capture({"desktop-file-validate", entry});
    EXPECT_EQ(validate.status, 0) << validate.out << validate.err;
    // A screensaver theme belongs in no menu, so the one hint that
    // "Screensaver" is no main menu category is expected; nothing else.
    for (const std::string& line : {validate.out, validate.err})
        EXPECT_TRUE(line.empty() || (line.find(": hint: ") != std::string::npos &&
                                     line.find("error") == std::string::npos &&
                                     line.find("warning") == std::string::npos))
            << line;

    const std::string program = at("libexec/xscreensaver/tarnwick");
    const std::string expected = "[Desktop Entry]\n"
                                 "Type=Application\n"
                                 "Name=Tarnwick\n"
                                 "Comment=A pendulum wall clock that shows the local time\n"
                                 "Exec=" + program + " --root\n"
                                 "TryExec=" + program + "\n"
                                 "Categories=Screensaver;\n"
                                 "OnlyShowIn=MATE;XFCE;\n"
                                 "StartupNotify=false\n"
                                 "Terminal=false\n";
    EXPECT_EQ(readFile(entry), expected);
}

TEST_F(Installed, ManualPageRendersWithoutWarningsAndCoversSwitchesHostsAndExitStatus)
{
    const std::string page = at("share/man/man6/tarnwick.6.gz");
    const Output man = capture({"man", "--warnings", "-l", page}, {{"MANWIDTH", "80"}, {"MANPAGER", "cat"}});
    ASSERT_EQ(man.status, 0) << man.err;
    EXPECT_EQ(man.err, "");
    const Output groff = capture({"sh", "-c", "gzip -dc \"$0\" | groff -ww -z -man", page});
    EXPECT_EQ(groff.status, 0);
    EXPECT_EQ(groff.err, "");

    for (const char* text : {"TARNWICK(6)", "/s", "/p window", "/c", "-root, --root", "--window-id",
                             "--no-tick", "--max-fps", "XSECURELOCK_SAVER", "XSCREENSAVER_WINDOW", "DISPLAY",
                             "SIGTERM", "EXIT STATUS", "GL: \"Tarnwick\" tarnwick --root", "Tarnwick " TARNWICK_VERSION,
                             "--help", "--version", "mate-screensaver", "xfce4-screensaver", "screensavers-tarnwick",
                             "WAYLAND", "swayidle", "status 143"})
        EXPECT_NE(man.out.find(text), std::string::npos) << text;
}

} // namespace
