// The resource table of the Windows program, as a resource reader lists it:
// every asset the program loads, with its id and type.
#include <gtest/gtest.h>

#include "tests/windows/wine_run.h"

#include <fstream>
#include <set>
#include <sstream>
#include <string>

TEST(WindowsResources, EveryAssetIsAResourceOfItsIdAndType)
{
    const std::string listing = wine::freshFolder("windows_resources") + "/listing.txt";
    ASSERT_EQ(e2e::run({"sh", "-c", "wrestool -l \"$0\" > \"$1\"", wine::scrPath(), listing}), 0);
    std::ifstream in(listing);
    std::set<std::string> found;
    std::string line;
    while (std::getline(in, line)) {
        // --type='TEXTFILE' --name=136 ...   or   --type=2 --name=101 ... [type=bitmap ...]
        std::istringstream fields(line);
        std::string type, name;
        fields >> type >> name;
        found.insert(type.substr(7) + " " + name.substr(7));
    }
    std::set<std::string> expected;
    for (int id : {101, 167, 168})
        expected.insert("2 " + std::to_string(id));  // RT_BITMAP
    expected.insert("'WAVE' 173");
    for (int id : {136, 137, 140, 141, 158, 159, 160, 161, 162, 163, 164, 165, 169, 170, 171, 172, 174, 175, 176, 178})
        expected.insert("'TEXTFILE' " + std::to_string(id));
    EXPECT_EQ(found, expected);
}

TEST(WindowsResources, TheProgramNeedsNoDllBesideTheSystemsOwn)
{
    const std::string listing = wine::freshFolder("windows_imports") + "/imports.txt";
    ASSERT_EQ(e2e::run({"sh", "-c", "x86_64-w64-mingw32-objdump -p \"$0\" > \"$1\"", wine::scrPath(), listing}), 0);
    std::ifstream in(listing);
    std::set<std::string> dlls;
    std::string line;
    while (std::getline(in, line)) {
        const auto at = line.find("DLL Name: ");
        if (at != std::string::npos)
            dlls.insert(line.substr(at + 10));
    }
    const std::set<std::string> system{"DSOUND.dll", "GDI32.dll", "KERNEL32.dll", "msvcrt.dll", "SHELL32.dll",
                                       "USER32.dll"};
    EXPECT_EQ(dlls, system) << "no C++ runtime, libgcc, thread, GLFW or epoxy DLL";
}
