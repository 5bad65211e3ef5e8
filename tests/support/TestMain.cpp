// Test main: quiet, machine-independent defaults for every test executable.
#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv) {
    // Tests never need a sound card or a display server unless they ask for one themselves.
    setenv("ALSOFT_DRIVERS", "null", 0);
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
