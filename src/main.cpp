// main: the game's entry point: start-up, then the main flow until a screen ends the program.
#include "platform/Headless.h"
#include "platform/System.h"
#include "shell/MainFlow.h"
#include "shell/StartUp.h"

#include <cstdio>
#include <exception>

int main(int, char**) {
    int code = 0;
    try {
        vsm::UseRealBackend();
        vsm::StartUp();
        vsm::MainFlow();
    } catch (const vsm::ProgramEnd& e) {
        code = e.exitCode;
    } catch (const std::exception& e) {
        // Anything else that reaches here still saves what the exit hook saves.
        std::fprintf(stderr, "Unexpected error: %s\n", e.what());
        code = 1;
    }
    try {
        vsm::RunExitHook();
    } catch (const vsm::ProgramEnd&) {
        // The hook itself asked to end; the program is ending already.
    } catch (const std::exception& e) {
        std::fprintf(stderr, "Error while saving at exit: %s\n", e.what());
        code = 1;
    }
    return code;
}
