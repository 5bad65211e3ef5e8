// TUnsetHooks: the one way a hook that start-up has not filled answers — one printed line the
// first time it is met, then the hook's harmless default.
#pragma once

#include <set>
#include <string>

namespace vsm {

// Remembers which hooks of one set were met unset. Each set of hooks holds one, so assigning a
// fresh set of hooks also forgets what was reported.
class TUnsetHooks {
  public:
    // Prints "Hook unset: no <hook> is installed; <outcome>" through Print the first time `hook`
    // is met unset; later calls for the same hook print nothing.
    void Report(const std::string& hook, const std::string& outcome);

  private:
    std::set<std::string> reported;
};

} // namespace vsm
