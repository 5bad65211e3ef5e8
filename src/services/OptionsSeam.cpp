// TOptions: the user's settings that the engine services read.
#include "services/OptionsSeam.h"

namespace vsm {

TOptions options;

} // namespace vsm
