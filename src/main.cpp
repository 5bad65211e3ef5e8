// main: the game's entry point. Until the program shell exists it opens the display and shows
// an empty screen until the window is closed or Esc is pressed.
#include "platform/Headless.h"
#include "platform/Platform.h"

#include <cstdio>
#include <exception>

int main(int, char**) {
    using namespace vsm;
    int code = 0;
    try {
        UseRealBackend();
        AppTitle("Vessamoor");
        std::string error;
        if (!Graphics(800, 600, 0, 60, &error)) {
            Notify(error.empty() ? "Graphics initiation error! The game will close." : error, true);
            End();
        }
        while (!AppTerminate() && !KeyHit(KEY_ESCAPE)) {
            Cls();
            Flip(-1);
        }
        End();
    } catch (const ProgramEnd& e) {
        code = e.exitCode;
    } catch (const std::exception& e) {
        // Anything else that reaches here still saves what the exit hook saves.
        std::fprintf(stderr, "Unexpected error: %s\n", e.what());
        code = 1;
    }
    RunExitHook();
    return code;
}
