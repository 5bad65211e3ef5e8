// ModesFixture: level documents and board helpers for the mode loop tests.
#include "modes/ModesFixture.h"

#include "board/TBoardManager.h"

namespace vsm::test {

namespace {

std::string Lines(const std::vector<std::string>& rows, char empty) {
    std::string out;
    for (int y = 0; y < 15; ++y) {
        std::string line;
        for (int x = 0; x < 15; ++x) {
            char c = empty;
            if (y < static_cast<int>(rows.size()) && x < static_cast<int>(rows[y].size()) &&
                rows[y][x] >= '1' && rows[y][x] <= '9')
                c = rows[y][x];
            line += (x ? " " : "");
            line += c;
        }
        out += "\tLine" + std::to_string(y + 1) + "=\"" + line + "\"\n";
    }
    return out;
}

} // namespace

std::string ModesFixture::LevelDoc(const std::string& settings, const std::vector<std::string>& board,
                                   const std::vector<std::string>& runes) {
    return "Settings{\n\tLevel{ Number=1 " + settings + " }\n}\nBoard{\n" + Lines(board, '0') +
           "}\nDavar{\n\tRead=\"" + (runes.empty() ? "0" : "1") + "\"\n" + Lines(runes, '0') + "}\n";
}

bool ModesFixture::BoardSettled() {
    return board.wjazd < 0 && board.alpha >= 1.0f;
}

int ModesFixture::RunesOnBoard() {
    int n = 0;
    for (int x = 0; x < 15; ++x)
        for (int y = 0; y < 15; ++y)
            if (board.davarLayer[x][y] > 0) ++n;
    return n;
}

} // namespace vsm::test
