// BigHelp: the full-screen help picture that a quest board level opens from its score panel.
#include "tutorial/BigHelp.h"

#include "level/TLevelManager.h"
#include "platform/EndFrame.h"
#include "platform/Input.h"
#include "services/Paths.h"
#include "services/TMouse.h"
#include "services/TSongManager.h"
#include "services/TSoundQ.h"

namespace vsm {

ImagePtr helpImg;

int showBigHelp() {
    if (!helpImg) helpImg = LoadImage(bDir + "gfx/info/help.jpg");
    bool done = false;
    while (!done) {
        Cls();
        DrawImage(helpImg, 0, 0);
        mouse.fetchState(0);
        TSoundQ::updateAll();
        if (level.musicStream) level.musicStream->update();
        mouse.Draw(1, 1);
        EndFrame(PollOrder::BeforeFlip);
        const bool clicked = mouse.leftPressed != 0;
        const bool escape = KeyHit(KEY_ESCAPE) != 0;
        const bool closing = AppTerminate() != 0;
        // The level loop under the picture ends the program on a close request; reading it here
        // must not swallow it.
        if (closing) RequestTerminate();
        done = clicked || escape || closing;
    }
    return 0;
}

} // namespace vsm
