// ScreenHandOver: what one screen leaves behind in the input when the next one starts.
#include "services/ScreenHandOver.h"

#include "platform/Input.h"
#include "services/TMouse.h"

namespace vsm {

void HandOverInput() {
    FlushKeys();
    FlushMouse();
    mouse.leftPressed = 0;
    mouse.rightPressed = 0;
}

} // namespace vsm
