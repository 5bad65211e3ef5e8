// A smoke run of the game executable on the off-screen video driver with the null sound driver.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

// The game sits at the top of the build folder; this test runs from <build>/tests/platform.
std::filesystem::path GameExecutable() {
    std::error_code ec;
    std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) return {};
    return self.parent_path().parent_path().parent_path() / "vessamoor";
}

TEST(SmokeGl, TheGameStartsAndQuitsByItself) {
    std::filesystem::path game = GameExecutable();
    if (game.empty() || !std::filesystem::exists(game)) GTEST_SKIP() << "the game is not built: " << game;
    // The real backend raises a close request after that many frames when asked to.
    std::string command = "cd '" + game.parent_path().string() +
                          "' && SDL_VIDEODRIVER=offscreen ALSOFT_DRIVERS=null VSM_QUIT_AFTER_FRAMES=120 '" +
                          game.string() + "'";
    int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status)) << "status " << status;
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

} // namespace
