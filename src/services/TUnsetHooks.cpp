// TUnsetHooks: reporting a hook used before start-up filled it.
#include "services/TUnsetHooks.h"

#include "platform/System.h"

namespace vsm {

void TUnsetHooks::Report(const std::string& hook, const std::string& outcome) {
    if (!reported.insert(hook).second) return;
    Print("Hook unset: no " + hook + " is installed; " + outcome);
}

} // namespace vsm
