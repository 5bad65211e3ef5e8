// THints: the puzzle's hint — two tiles worth swapping marked by trickles of sparks — and the
// burst of sparks that greets a tile landing home.
#include "puzzle/THints.h"

#include "platform/Graphics.h"
#include "platform/System.h"
#include "puzzle/TPuzzleButton.h"
#include "puzzle/TPuzzleGrid.h"
#include "services/TSpark.h"

#include <string>
#include <vector>

namespace vsm {

namespace {

float RndF(double a, double b) {
    return static_cast<float>(Rnd(a, b));
}

// The tile standing on cell n, or null.
PuzzleButtonPtr TileOnCell(const std::vector<PuzzleButtonPtr>& tiles, int n) {
    for (const PuzzleButtonPtr& t : tiles)
        if (t->currentNumber == n) return t;
    return nullptr;
}

void Place(TPuzzleButton& t) {
    t.targetNumber = t.currentNumber;
    t.SetPosition();
}

} // namespace

int THints::show(TPuzzleGrid& grid, int first, int a, int b) {
    if (showed == 1) return 0;
    if (grid.IsSet() != 0) return 0;
    const std::vector<PuzzleButtonPtr> tiles = grid.Tiles();
    const int n = static_cast<int>(tiles.size());
    PuzzleButtonPtr A;
    PuzzleButtonPtr B;
    if (first != 0) {
        // The indexes come from a level document.
        if (a < 0 || a >= n || b < 0 || b >= n) {
            Print("Puzzle: free hint tiles " + std::to_string(a) + " and " + std::to_string(b) +
                  " are not tiles of a " + std::to_string(n) + "-tile puzzle; no free hint");
            return 0;
        }
        A = tiles[static_cast<size_t>(a)];
        B = tiles[static_cast<size_t>(b)];
        PuzzleButtonPtr C = TileOnCell(tiles, A->id);
        PuzzleButtonPtr D = TileOnCell(tiles, B->id);
        // Tiles always cover every cell, but a hostile restore is refused before it gets here;
        // keep the hint harmless all the same.
        if (!C || !D) return 0;
        std::swap(A->currentNumber, D->currentNumber);
        std::swap(B->currentNumber, C->currentNumber);
        Place(*A);
        Place(*B);
        Place(*C);
        Place(*D);
    } else {
        do {
            A = tiles[static_cast<size_t>(Rand(0, n - 1))];
        } while (A->IsInPlace());
        B = (A->currentNumber >= 0 && A->currentNumber < n) ? tiles[static_cast<size_t>(A->currentNumber)]
                                                            : A;
    }
    showed = 1;
    x1 = static_cast<int>(A->dim->Left());
    y1 = static_cast<int>(A->dim->Top());
    x2 = static_cast<int>(B->dim->Left());
    y2 = static_cast<int>(B->dim->Top());
    width = static_cast<int>(A->dim->width);
    height = static_cast<int>(A->dim->height);
    return 0;
}

int THints::Hide() {
    showed = 0;
    return 0;
}

int THints::Update() {
    if (showed != 1) return 0;
    SetBlend(ALPHABLEND);
    const int w = static_cast<int>(0.8 * width);
    const int h = static_cast<int>(0.8 * height);
    const int p1 = Rand(x1, x1 + w);
    const int p2 = Rand(x2, x2 + w);
    const int q1 = Rand(y1, y1 + h);
    const int q2 = Rand(y2, y2 + h);
    const int points[2][2] = {{p1, q1}, {p2, q2}};
    for (const auto& p : points) {
        const ImagePtr img = SparkImage(Rand(1, 3));
        const float scale = RndF(0.5, 1.0);
        const int life = Rand(50, 100);
        const int r = Rand(100, 255);
        const int g = Rand(100, 150);
        const int bl = Rand(100, 150);
        s = TSpark::Create(img, p[0], p[1], scale, life, r, g, bl, 1, 1);
        const float vx = RndF(-0.5, 0.5);
        const float vy = RndF(-0.5, 0.5);
        s->setVelocity(vx, vy);
    }
    return 0;
}

int SparksOnPlace(const TPuzzleButton& tile) {
    const int L = static_cast<int>(tile.dim->Left());
    const int T = static_cast<int>(tile.dim->Top());
    const int W = static_cast<int>(tile.dim->width);
    const int H = static_cast<int>(tile.dim->height);
    const ImagePtr img = SparkImage(2);
    const int x = L + W / 2 - ImageWidth(img) / 2;
    const int y = T + H / 2 - ImageHeight(img) / 2;
    for (int i = 0; i <= 100; ++i) {
        const float scale = RndF(0.5, 1.0);
        const int life = Rand(20, 80);
        const int r = Rand(100, 150);
        const int g = Rand(100, 150);
        const int b = Rand(100, 255);
        auto spark = TSpark::Create(img, x, y, scale, life, r, g, b, 1, 1);
        const float vx = RndF(-1.5, 1.5);
        const float vy = RndF(-1.5, 1.5);
        spark->setVelocity(vx, vy);
    }
    return 0;
}

} // namespace vsm
