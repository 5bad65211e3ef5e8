// WidgetsGlobals: resetting the widget library's globals, for start-up and tests.
#pragma once

namespace vsm {

// Empties the shared container `data` and both slots of `fonts`.
void ResetWidgetsGlobals();

} // namespace vsm
