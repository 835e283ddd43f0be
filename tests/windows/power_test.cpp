// The Windows program's watch on the display's power under Wine: the
// registration for the power-setting notification succeeds. Wine sends no
// such notification, so what the program does with one is checked by the
// decoding's unit test and, on Linux, by the stand-in DPMS display.
#include <gtest/gtest.h>

#include "tests/windows/wine_run.h"

TEST(WindowsDisplayPower, TheRegistrationForTheDisplaysPowerNotificationSucceeds)
{
    e2e::VirtualDisplay display{{"800x600x24"}};
    ASSERT_TRUE(display.ok());
    wine::Session session;
    auto env = wine::environment(display);
    // Wine's own line for the call names the setting asked for.
    env["WINEDEBUG"] = "-all,fixme+win";
    e2e::Process program(wine::command({wine::scrPath(), "/s"}), env);
    bool registered = false;
    for (double waited = 0.0; waited < 90.0 && program.running() && !registered; waited += 0.5) {
        e2e::pause(0.5);
        registered = program.err().find("RegisterPowerSettingNotification") != std::string::npos;
    }
    ASSERT_TRUE(registered) << program.err();
    // Wine reports itself as Windows 7, which knows only the monitor's power.
    EXPECT_NE(program.err().find("{02731015-4510-4526-99e6-e5a17ebd1aea}"), std::string::npos) << program.err();
    EXPECT_EQ(program.err().find("{6fe69556"), std::string::npos) << "the first registration failed\n" << program.err();
    e2e::pause(1.0);
    EXPECT_TRUE(program.running()) << program.err();
    EXPECT_EQ(program.err().find("cannot be watched"), std::string::npos) << program.err();
    e2e::pressKey(display, "a");
    int status = 0;
    ASSERT_TRUE(program.wait(15.0, &status)) << "a key did not end the run";
    EXPECT_EQ(wine::exitCode(status), 0);
}
