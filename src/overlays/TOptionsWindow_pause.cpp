// TOptionsWindow: opening and closing the pause screens the game loops show over their scene.
#include "overlays/TOptionsWindow.h"

#include "platform/Input.h"
#include "services/TMouse.h"
#include "widgets/SharedImageIds.h"

namespace vsm {

void TOptionsWindow::OpenPause(int state, std::shared_ptr<TAudioStream> song) {
    SetState(state, 1, MENU_WINDOW_X, MENU_WINDOW_Y);
    music = std::move(song);
    optionsBackType = state;
}

void TOptionsWindow::ClosePause() {
    freeState();
    music = nullptr;
    FlushKeys();
    FlushMouse();
    mouse.fetchState(0);
}

} // namespace vsm
