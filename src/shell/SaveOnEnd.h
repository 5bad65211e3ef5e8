// SaveOnEnd: the exit hook, which saves the options and the campaign as the program ends.
#pragma once

namespace vsm {

// saveOptions, then shows the system pointer again; when the program ends on an error, only the
// options document is written (one line says so). Returns 0.
int saveOnEnd();

} // namespace vsm
