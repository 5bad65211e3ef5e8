// TBoardManager: the frame round the board — built from the board's shape, drawn piece by piece.
#include "board/TBoardManager.h"
#include "platform/System.h"

namespace vsm {

namespace {

constexpr int PAD = BOARD_CELLS + 2; // the padded grid and the edge-code map are 17 x 17

// Edge codes of an open cell: which sides of it touch a board cell.
constexpr int EDGE_TOP = 1;    // the open cell lies above a board cell
constexpr int EDGE_BOTTOM = 2; // below one
constexpr int EDGE_LEFT = 4;   // left of one
constexpr int EDGE_RIGHT = 8;  // right of one
// Corner codes written into open cells.
constexpr int CORNER_LU = 10, CORNER_RU = 6, CORNER_LL = 9, CORNER_RL = 5;

} // namespace

int TBoardManager::_buildCorner(int side, int size, int i, int j, int t) {
    auto e = std::make_shared<TFrameElement>();
    e->side = side;
    e->Size = size;
    e->x = i - 1;
    e->y = j - 1;
    e->t = t;
    e->id = Rand(0, 2);
    Frame.push_back(e);
    return 0;
}

namespace {

// Cuts a stretch of n cells into pieces of 3, then one of 2 or 1; put(offset, size) appends one.
template <class Put> void CutStretch(int n, Put put) {
    int offset = 0;
    while (n - offset >= 3) {
        put(offset, 3);
        offset += 3;
    }
    if (n - offset > 0) put(offset, n - offset);
}

int VariantFor(int size) {
    return size == 3 ? Rand(0, 2) : Rand(0, 1);
}

} // namespace

int TBoardManager::_buildSide(int side, int i, int end, int start) {
    CutStretch(end - start, [&](int offset, int size) {
        auto e = std::make_shared<TFrameElement>();
        e->side = side;
        e->Size = size;
        e->x = i - 1;
        e->y = start - 1 + offset;
        e->id = VariantFor(size);
        Frame.push_back(e);
    });
    return 0;
}

int TBoardManager::_buildSide2(int side, int end, int j, int start) {
    CutStretch(end - start, [&](int offset, int size) {
        auto e = std::make_shared<TFrameElement>();
        e->side = side;
        e->Size = size;
        e->x = start - 1 + offset;
        e->y = j - 1;
        e->id = VariantFor(size);
        Frame.push_back(e);
    });
    return 0;
}

int TBoardManager::buildFrame() {
    Frame.clear();
    int padded[PAD][PAD] = {};
    int code[PAD][PAD] = {};
    for (int x = 0; x < BOARD_CELLS; ++x)
        for (int y = 0; y < BOARD_CELLS; ++y)
            padded[x + 1][y + 1] = grid[x][y];

    // Pass 1: straight edges, one bit per board cell beside an open cell.
    for (int i = 0; i < PAD; ++i) {
        for (int j = 0; j < PAD; ++j) {
            if (padded[i][j] <= 0) continue;
            if (padded[i - 1][j] == 0) code[i - 1][j] += EDGE_LEFT;
            if (padded[i + 1][j] == 0) code[i + 1][j] += EDGE_RIGHT;
            if (padded[i][j - 1] == 0) code[i][j - 1] += EDGE_TOP;
            if (padded[i][j + 1] == 0) code[i][j + 1] += EDGE_BOTTOM;
        }
    }

    // Pass 2: outside corners between two straight edges.
    for (int i = 0; i < PAD; ++i) {
        for (int j = 0; j < PAD; ++j) {
            int& c = code[i][j];
            if (c == 0 && i < 16 && j < 16 && code[i + 1][j] == EDGE_TOP && code[i][j + 1] == EDGE_LEFT)
                c = CORNER_LU;
            if (c == 0 && i < 16 && j > 0 && code[i + 1][j] == EDGE_BOTTOM && code[i][j - 1] == EDGE_LEFT)
                c = CORNER_LL;
            if (c == 0 && i > 0 && j < 16 && code[i - 1][j] == EDGE_TOP && code[i][j + 1] == EDGE_RIGHT)
                c = CORNER_RU;
            if (c == 0 && i > 0 && j > 0 && code[i - 1][j] == EDGE_BOTTOM && code[i][j - 1] == EDGE_RIGHT)
                c = CORNER_RL;
        }
    }

    // Pass 3: outside corners that meet another corner; reads what this pass already wrote.
    struct Rule {
        int dx, dy; // the horizontal and the vertical neighbour
        int h, v;   // the codes they must hold
        int written;
    };
    static const Rule rules[12] = {
        {1, 1, EDGE_TOP, CORNER_RL, CORNER_LU},     {1, 1, CORNER_RL, CORNER_RL, CORNER_LU},
        {1, 1, CORNER_RL, EDGE_LEFT, CORNER_LU},    {-1, 1, EDGE_TOP, CORNER_LL, CORNER_RU},
        {-1, 1, CORNER_LL, CORNER_LL, CORNER_RU},   {-1, 1, CORNER_LL, EDGE_RIGHT, CORNER_RU},
        {1, -1, EDGE_BOTTOM, CORNER_RU, CORNER_LL}, {1, -1, CORNER_RU, CORNER_RU, CORNER_LL},
        {1, -1, CORNER_RU, EDGE_LEFT, CORNER_LL},   {-1, -1, EDGE_BOTTOM, CORNER_LU, CORNER_RL},
        {-1, -1, CORNER_LU, CORNER_LU, CORNER_RL},  {-1, -1, CORNER_LU, EDGE_RIGHT, CORNER_RL},
    };
    for (int i = 0; i < PAD; ++i) {
        for (int j = 0; j < PAD; ++j) {
            for (const Rule& r : rules) {
                if (code[i][j] != 0) break;
                int hi = i + r.dx, vj = j + r.dy;
                if (hi < 0 || hi >= PAD || vj < 0 || vj >= PAD) continue;
                if (code[hi][j] == r.h && code[i][vj] == r.v) code[i][j] = r.written;
            }
        }
    }

    // Pass 4: columns — Left and Right stretches and the corners, from the top.
    for (int i = 0; i < PAD; ++i) {
        int leftStart = -1, rightStart = -1;
        for (int j = 0; j < PAD; ++j) {
            int c = code[i][j];
            if (c == EDGE_LEFT && leftStart < 0) leftStart = j;
            if (c != EDGE_LEFT && leftStart >= 0) {
                _buildSide(FRAME_LEFT, i, j, leftStart);
                leftStart = -1;
            }
            if (c == EDGE_RIGHT && rightStart < 0) rightStart = j;
            if (c != EDGE_RIGHT && rightStart >= 0) {
                _buildSide(FRAME_RIGHT, i, j, rightStart);
                rightStart = -1;
            }
            if (c == CORNER_RL) _buildCorner(FRAME_RIGHT_LOWER, 3, i, j, 0);
            if (c == CORNER_RU) _buildCorner(FRAME_RIGHT_UPPER, 1, i, j, 0);
            if (c == CORNER_LL) _buildCorner(FRAME_LEFT_LOWER, 2, i, j, 0);
            if (c == CORNER_LU) _buildCorner(FRAME_LEFT_UPPER, 0, i, j, 0);
        }
    }

    // Pass 5: rows — Top and Bottom stretches, from the left.
    for (int j = 0; j < PAD; ++j) {
        int topStart = -1, bottomStart = -1;
        for (int i = 0; i < PAD; ++i) {
            int c = code[i][j];
            if (c == EDGE_TOP && topStart < 0) topStart = i;
            if (c != EDGE_TOP && topStart >= 0) {
                _buildSide2(FRAME_TOP, i, j, topStart);
                topStart = -1;
            }
            if (c == EDGE_BOTTOM && bottomStart < 0) bottomStart = i;
            if (c != EDGE_BOTTOM && bottomStart >= 0) {
                _buildSide2(FRAME_BOTTOM, i, j, bottomStart);
                bottomStart = -1;
            }
        }
    }
    return 0;
}

namespace {

// The art of one element, or null when its side, size or variant names no slot.
ImagePtr FrameArt(const TBoardManager& b, const TFrameElement& e) {
    if (e.Size < 0 || e.Size > 3 || e.id < 0 || e.id > 4) return nullptr;
    if (e.side == FRAME_LEFT || e.side == FRAME_RIGHT) return b.frameH[e.Size][e.id];
    if (e.side == FRAME_TOP || e.side == FRAME_BOTTOM) return b.frameV[e.Size][e.id];
    if (e.side >= FRAME_LEFT_UPPER && e.side <= FRAME_RIGHT_LOWER) return b.frameC[e.Size][e.id];
    return nullptr;
}

} // namespace

int TBoardManager::_drawFrame() {
    SetAlpha(alpha);
    for (const FrameElementPtr& e : Frame) {
        SetScale(scale, scale);
        ImagePtr art = FrameArt(*this, *e);
        if (!art) continue;
        float shift = 7.0f * scale;
        float px = static_cast<float>(offsetX + e->x * tileSize);
        float py = static_cast<float>(offsetY + e->y * tileSize);
        bool shiftLeft = e->side == FRAME_LEFT || e->side == FRAME_RIGHT || e->side == FRAME_LEFT_UPPER ||
                         e->side == FRAME_LEFT_LOWER;
        bool shiftUp = e->side == FRAME_TOP || e->side == FRAME_BOTTOM || e->side == FRAME_LEFT_UPPER ||
                       e->side == FRAME_RIGHT_UPPER;
        DrawImage(art, shiftLeft ? px - shift : px, shiftUp ? py - shift : py);
    }
    SetScale(1, 1);
    return 0;
}

int TBoardManager::_drawSmallFrame() {
    return _drawFrame();
}

} // namespace vsm
