// main: the game's entry point: start-up, then the main flow until a screen ends the program.
#include "platform/Headless.h"
#include "platform/System.h"
#include "shell/MainFlow.h"
#include "shell/StartUp.h"

int main(int, char**) {
    return vsm::RunProgram([] {
        vsm::UseRealBackend();
        vsm::StartUp();
        vsm::MainFlow();
    });
}
