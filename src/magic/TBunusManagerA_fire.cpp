// TBunusManagerA: firing the taken tokens, the caption after a bonus, and drawing the tokens.
#include "magic/TBunusManagerA.h"

#include "board/TBlocksManager.h"
#include "board/TBoardManager.h"
#include "level/TPointsManager.h"
#include "magic/BonusActions.h"
#include "platform/System.h"
#include "services/Sound.h"
#include "services/TCaptions.h"

#include <algorithm>

namespace vsm {

int TBunusManagerA::Update() {
    bonuses.ForEach([](const BonusPtr& t) { t->Update(); });
    queue.ForEach([this](const BonusPtr& t) {
        t->Update();
        if (t->CanGo() == 0) return;
        const int64_t now = MilliSecs64();
        if (now - bonusSndTimer > 500)
            bonusSndModifier = 1.0f;
        else
            bonusSndModifier *= 0.7f;
        bonusSndTimer = now;
        int n = 0;
        switch (t->kind) {
        case BONUS_HOLYFIRE:
            n = BonusRemoveCross(t->x, t->y);
            playSound2(sfx[1], nullptr, 0, bonusSndModifier);
            break;
        case BONUS_VANISH:
            n = BonusRemoveRandomColors(t->x, t->y);
            playSound2(sfx[2], nullptr, 0, bonusSndModifier);
            break;
        case BONUS_BOMB:
            n = BonusRemoveBlock(t->x, t->y);
            playSound2(Rand(0, 2) == 0 ? sfx[3] : sfx[Rand(7, 8)], nullptr, 0, 1.0f);
            break;
        case BONUS_DRAIN:
            n = BonusRemoveColor(t->color, t->x, t->y);
            playSound2(sfx[4], nullptr, 0, bonusSndModifier);
            break;
        case BONUS_HEAL:
            BonusHeal();
            playSound2(sfx[5], nullptr, 0, 0.5f);
            break;
        case BONUS_TELEPORT:
            replacerAlpha = 0;
            playSound2(sfx[6], nullptr, 0, 1.0f);
            break;
        default:
            break;
        }
        matches += n;
        scores += 50 * n;
        points.add(50 * n);
        blocks.Freze(t->blockFrezeTime);
        queue.Remove(t);
    });
    if (queue.IsEmpty() && captionType != 0) {
        const ImagePtr image = captions[captionType >= 1 && captionType <= 6 ? captionType : 0];
        TCaptions::addCaption(1, scores, captionX, captionY - 40, 1.0f, 0, blocks.ToDefreze());
        TCaptions::addCaption(3, matches, captionX, captionY, 1.0f, 0, blocks.ToDefreze());
        TCaptions::addCaption(4, combo, captionX + 100, captionY + 60, 1.0f, 0, blocks.ToDefreze(), image);
        captionType = 0;
    }
    if (replacerAlpha < 1) BonusReplacer(replacerAlpha, replacerDavar);
    return 0;
}

int TBunusManagerA::Draw() {
    bonuses.ForEach([](const BonusPtr& t) { t->Draw(); });
    queue.ForEach([](const BonusPtr& t) { t->Draw(); });
    return 0;
}

int TBunusManagerA::AddCaption(int m, int s, int c, int /*x*/, int /*y*/) {
    matches = m;
    scores = s;
    combo = c;
    if (queue.IsEmpty()) {
        captionType = 0;
        return 0;
    }
    const auto last = queue.Last();
    const int ts = board.tileSize;
    captionX = std::min(board.offsetX + ts / 2 + ts * last->x, 550);
    captionY = std::min(std::max(board.offsetY + ts / 2 + ts * last->y, 100), 500);
    captionType = queue.First()->kind;
    return 0;
}

} // namespace vsm
