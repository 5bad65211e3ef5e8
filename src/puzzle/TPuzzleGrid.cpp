// TPuzzleGrid: the board of the picture puzzle — its tiles, scrambling, swaps, home map and the
// drop shadow around the part of the picture already put together.
#include "puzzle/TPuzzleGrid.h"

#include "platform/EndFrame.h"
#include "platform/System.h"
#include "puzzle/THints.h"
#include "puzzle/TPuzzleManager.h"
#include "services/Paths.h"
#include "services/Sound.h"
#include "services/TSongManager.h"

namespace vsm {

namespace {

constexpr const char* SHADOW_FILES[8] = {
    "gfx/puzzle/cienie_lg.png", "gfx/puzzle/cienie_pg.png", "gfx/puzzle/cienie_ld.png",
    "gfx/puzzle/cienie_pd.png", "gfx/puzzle/cienie_l.png",  "gfx/puzzle/cienie_g.png",
    "gfx/puzzle/cienie_p.png",  "gfx/puzzle/cienie_d.png",
};

constexpr const char* SOUND_FILES[5] = {
    "sfx/fx-puzzle/playgamepuzzle-myszkafirst1.ogg", "sfx/fx-puzzle/playgamepuzzle-all.ogg",
    "sfx/fx-puzzle/playgamepuzzle-odkrycie1.ogg",    "sfx/fx-puzzle/playgamepuzzle-odkrycie2.ogg",
    "sfx/fx-puzzle/playgamepuzzle-zamiana1.ogg",
};

constexpr int SND_CLICK = 0;
constexpr int SND_LANDING = 2;
constexpr int SND_SWAP = 4;

} // namespace

std::vector<PuzzleButtonPtr> TPuzzleGrid::Tiles() const {
    std::vector<PuzzleButtonPtr> out;
    out.reserve(items.size());
    for (const ButtonPtr& b : items)
        if (auto tile = std::dynamic_pointer_cast<TPuzzleButton>(b)) out.push_back(tile);
    return out;
}

PuzzleButtonPtr TPuzzleGrid::Tile(int k) const {
    if (k < 0) return nullptr;
    for (const ButtonPtr& b : items) {
        if (k-- == 0) return std::dynamic_pointer_cast<TPuzzleButton>(b);
    }
    return nullptr;
}

int TPuzzleGrid::loadGfx() {
    for (size_t i = 0; i < cien.size(); ++i)
        cien[i] = LoadImage(bDir + SHADOW_FILES[i]);
    ramka = LoadImage(bDir + "gfx/puzzle/ramka3.png");
    ramkaOn = LoadImage(bDir + "gfx/puzzle/ramka-puzle.png");
    TPuzzleButton::ramka = ramka;
    TPuzzleButton::ramkaOn = ramkaOn;
    return 0;
}

int TPuzzleGrid::loadSfx() {
    if (snd[SND_CLICK]) return 0;
    for (size_t i = 0; i < snd.size(); ++i)
        snd[i] = LoadSound(bDir + SOUND_FILES[i], 0);
    return 0;
}

int TPuzzleGrid::IsScrambled() {
    for (const PuzzleButtonPtr& t : Tiles())
        if (t->IsInPlace()) return 0;
    return 1;
}

int TPuzzleGrid::IsSet() {
    for (const PuzzleButtonPtr& t : Tiles())
        if (!t->IsInPlace()) return 0;
    return 1;
}

int TPuzzleGrid::Scramble(const ImagePtr& background) {
    const std::vector<PuzzleButtonPtr> tiles = Tiles();
    // With one tile no exchange can ever take it off its home cell.
    if (tiles.size() < 2) return 0;
    const int64_t t0 = MilliSecs64();
    for (;;) {
        if (::vsm::puzzle.music) ::vsm::puzzle.music->update();
        Cls();
        if (background) DrawImage(background, 0, 0);
        Draw();
        EndFrame();
        if (MilliSecs64() - t0 < 50) continue;
        const PuzzleButtonPtr& a = tiles[static_cast<size_t>(Rand(0, static_cast<int>(tiles.size()) - 1))];
        const PuzzleButtonPtr& b = tiles[static_cast<size_t>(Rand(0, static_cast<int>(tiles.size()) - 1))];
        std::swap(a->currentNumber, b->currentNumber);
        std::swap(a->targetNumber, b->targetNumber);
        a->SetPosition();
        b->SetPosition();
        if (IsScrambled()) return 0;
    }
}

int TPuzzleGrid::State() {
    if (enable == 0) return 0;
    const std::vector<PuzzleButtonPtr> tiles = Tiles();
    bool moved = false;
    for (const PuzzleButtonPtr& t : tiles) {
        if (!t->IsFlying()) continue;
        t->Move();
        moved = true;
        // Greeted once, on the step that lands it home.
        if (!t->IsFlying() && t->IsInPlace()) {
            t->enable = 0;
            SparksOnPlace(*t);
            playSound2(snd[SND_LANDING], nullptr, 0, 1.0f);
        }
    }
    if (moved) return 0;

    bool clicked = false;
    for (const PuzzleButtonPtr& t : tiles) {
        t->State();
        if (t->clickedNow) clicked = true;
    }
    if (clicked) {
        playSound2(snd[SND_CLICK], nullptr, 0, 1.0f);
        ::vsm::puzzle.clicks += 1;
    }

    PuzzleButtonPtr first;
    for (const PuzzleButtonPtr& t : tiles) {
        if (t->marked != 1) continue;
        if (!first) {
            first = t;
            continue;
        }
        first->targetNumber = t->currentNumber;
        t->targetNumber = first->currentNumber;
        first->Prepare(+1);
        t->Prepare(-1);
        playSound2(snd[SND_SWAP], nullptr, 0, 1.0f);
        return 1;
    }
    return 0;
}

int TPuzzleGrid::doMatrix() {
    if (width <= 0) return 0;
    for (const PuzzleButtonPtr& t : Tiles()) {
        if (!t->IsInPlace()) continue;
        const int c = t->currentNumber % width;
        const int r = t->currentNumber / width;
        if (c < 0 || r < 0 || c >= PUZZLE_MAX_SIDE || r >= PUZZLE_MAX_SIDE) continue;
        matrix[static_cast<size_t>(c + 1)][static_cast<size_t>(r + 1)] = 1;
    }
    return 0;
}

int TPuzzleGrid::Clear() {
    for (auto& column : matrix)
        column.fill(0);
    items.clear();
    return 0;
}

int TPuzzleGrid::Draw() {
    const std::vector<PuzzleButtonPtr> tiles = Tiles();
    for (const PuzzleButtonPtr& t : tiles) {
        if (t->IsFlying())
            t->DrawShaded();
        else
            t->Draw();
    }
    DrawShadow();
    for (const PuzzleButtonPtr& t : tiles)
        if (t->marked == 1) t->DrawMark();
    for (const PuzzleButtonPtr& t : tiles)
        if (t->IsFlying()) t->Draw();
    return 0;
}

void TPuzzleGrid::DrawShadow() {
    enum Piece { TL, TR, BL, BR, L, T, R, B };
    const float left = static_cast<float>(static_cast<int>(dim ? dim->Left() : 0));
    const float top = static_cast<float>(static_cast<int>(dim ? dim->Top() : 0));
    SetAlpha(1);
    SetColor(255, 255, 255);
    SetTransform(0, 1, 1);
    SetBlend(ALPHABLEND);
    const float sh = itemHeight / 82.0f;
    const float sw = itemWidth / 82.0f;
    const int cols = std::min(width, PUZZLE_MAX_SIDE);
    const int rows = std::min(height, PUZZLE_MAX_SIDE);
    for (int r = 1; r <= rows; ++r) {
        for (int c = 1; c <= cols; ++c) {
            auto M = [&](int i, int j) {
                return matrix[static_cast<size_t>(c + i)][static_cast<size_t>(r + j)];
            };
            const float x0 = left + static_cast<float>(c - 1) * itemWidth;
            const float x1 = left + static_cast<float>(c) * itemWidth;
            const float y0 = top + static_cast<float>(r - 1) * itemHeight;
            const float y1 = top + static_cast<float>(r) * itemHeight;
            const bool home = M(0, 0) == 1;
            const bool l = M(-1, 0) == 0, rr = M(1, 0) == 0, u = M(0, -1) == 0, d = M(0, 1) == 0;
            auto piece = [&](Piece p, float px, float py) { DrawImage(cien[p], px, py); };
            SetScale(1, sh);
            if (l && home) piece(L, x0, y0);
            if (rr && home) piece(R, x1 - 7, y0);
            SetScale(sw, 1);
            if (u && home) piece(T, x0, y0);
            if (d && home) piece(B, x0, y1 - 7);
            SetScale(1, 1);
            if (l && u && home) piece(TL, x0, y0);
            if (rr && u && home) piece(TR, x1 - 7, y0);
            if (l && d && home) piece(BL, x0, y1 - 7);
            if (rr && d && home) piece(BR, x1 - 7, y1 - 7);
            if (home && !l && !d && M(-1, 1) == 0) piece(BL, x0, y1 - 7);
            if (home && !rr && !d && M(1, 1) == 0) piece(BR, x1 - 7, y1 - 7);
            if (home && !l && !u && M(-1, -1) == 0) piece(TL, x0, y0);
            if (home && !rr && !u && M(1, -1) == 0) piece(TR, x1 - 7, y0);
        }
    }
    SetScale(1, 1);
}

} // namespace vsm
