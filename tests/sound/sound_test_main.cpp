// Runs the sound unit tests on OpenAL's "null" output (no waiting for a real
// device) with a mix that leaves samples untouched (exact_mix.conf). Set here
// rather than by the test runner, so the binary behaves the same when run by hand.
#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv)
{
    setenv("ALSOFT_DRIVERS", "null", 1);
    setenv("ALSOFT_CONF", TARNWICK_EXACT_MIX_CONF, 1);
    setenv("TARNWICK_NO_DIALOGS", "1", 1);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
