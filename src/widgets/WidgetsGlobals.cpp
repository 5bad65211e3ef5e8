// WidgetsGlobals: the start-up state of the widget library's globals.
#include "widgets/WidgetsGlobals.h"

#include "widgets/TContainer.h"
#include "widgets/TFont.h"

namespace vsm {

void ResetWidgetsGlobals() {
    data.Clear();
    fonts = {};
}

} // namespace vsm
