// BoardSeams: the one set of hooks the board uses.
#include "board/BoardSeams.h"

namespace vsm {

TBoardSeams boardSeams;

} // namespace vsm
