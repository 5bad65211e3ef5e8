// MouseSeams: the pointer's hook into the board and its unset answer.
#include "services/MouseSeams.h"

namespace vsm {

TMouseSeams mouseSeams;

TCellGrid TMouseSeams::CellGrid() {
    if (cellGrid) return cellGrid();
    unset.Report("board cell grid", "the arrow keys move the pointer on the board's resting grid");
    return TCellGrid{};
}

} // namespace vsm
