// The idle cost's floor: the real backend's window at 60 frames a second with nothing drawn but
// a clear, as bench/idle-present.sh measures beside the game in the same run. Runs until asked
// to close (or for the seconds given).
#include "platform/Graphics.h"
#include "platform/Headless.h"
#include "platform/Input.h"
#include "platform/System.h"

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
    using namespace vsm;
    const int64_t seconds = argc > 1 ? std::atoll(argv[1]) : 0;
    UseRealBackend();
    std::string error;
    if (!Graphics(800, 600, 0, 60, &error)) {
        std::fprintf(stderr, "bare_window: no window: %s\n", error.c_str());
        return 1;
    }
    AppTitle("bare window");
    // VSM_BARE_PICTURE=<file>: draws that picture over the whole window each frame as well
    // (VSM_BARE_BLEND picks the blend mode, alpha by default), to weigh one full-screen layer.
    ImagePtr picture;
    if (const char* file = std::getenv("VSM_BARE_PICTURE")) picture = LoadImage(file);
    if (const char* blend = std::getenv("VSM_BARE_BLEND"))
        SetBlend(std::atoi(blend));
    else
        SetBlend(ALPHABLEND);
    const int64_t start = MilliSecs64();
    while ((seconds <= 0 || MilliSecs64() - start < seconds * 1000) && AppTerminate() == 0) {
        Cls();
        if (picture) DrawImageRect(picture, 0, 0, 800, 600);
        Flip(-1);
    }
    return 0;
}
