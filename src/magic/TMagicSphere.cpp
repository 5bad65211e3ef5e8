// TMagicSphere: the mana sphere's model, loading, arithmetic and restore.
#include "magic/TMagicSphere.h"

#include "data/NumberText.h"
#include "data/TTSCFile.h"
#include "platform/System.h"
#include "services/Paths.h"
#include "services/TextHelpers.h"

#include <cmath>

namespace vsm {

TMagicSphere magicSphere;

namespace {

// Whole-number value of a list item, read as document numbers are and saturated to the int
// range (a capacity too large for an int must not read as an empty ball); an empty or unreadable
// item reads as 0.
int ItemValue(const std::vector<std::string>& items, size_t i) {
    if (i >= items.size()) return 0;
    return NumberToInt(TSCTextToNumber(items[i]));
}

std::string TwoDigits(int n) {
    return n >= 10 ? std::to_string(n) : "0" + std::to_string(n);
}

} // namespace

TMagicSphere::TMagicSphere() {
    magicSphereEmiter.cx = x + 85;
    magicSphereEmiter.cy = y + 85;
    magicSphereEmiter.maxR = 30;
}

int TMagicSphere::Load(const std::shared_ptr<TTSCFile>& doc) {
    if (!doc) {
        ResetSettings();
        return 0;
    }
    return LoadExt(GetTSCStringKey(doc, "Settings::Level", "SpheresColors", 0),
                   GetTSCStringKey(doc, "Settings::Level", "SpheresCapacities", 0));
}

int TMagicSphere::LoadExt(const std::string& colors, const std::string& capacities) {
    ResetSettings();
    const auto clr = splitString(colors, " ");
    const auto cap = splitString(capacities, " ");
    for (int i = 0; i < SPHERE_BALLS; ++i) {
        int c = ItemValue(clr, static_cast<size_t>(i));
        if (c < 0 || c > 15) {
            Print("Sphere colour " + std::to_string(c) + " of ball " + std::to_string(i) +
                  " is not a colour class");
            c = 0;
        }
        ballsClr[i] = c;
        ballsCap[i] = static_cast<float>(std::max(0, ItemValue(cap, static_cast<size_t>(i))));
        const int n = colorDecoder[c];
        if (n <= 0) continue;
        if (!singsImg[c - 1])
            singsImg[c - 1] = LoadImage(bDir + "gfx/ring/s-" + TwoDigits(n) + ".png",
                                        MASKEDIMAGE | FILTEREDIMAGE | MIPMAPPEDIMAGE);
        if (!ballsImg[c - 1]) ballsImg[c - 1] = LoadImage(bDir + "gfx/ring/k-" + TwoDigits(n) + ".png");
    }
    bool used[16] = {};
    for (int i = 0; i < SPHERE_BALLS; ++i)
        used[ballsClr[i]] = true;
    for (int c = 1; c <= 15; ++c) {
        if (used[c]) continue;
        ballsImg[c - 1].reset();
        singsImg[c - 1].reset();
    }
    return 0;
}

int TMagicSphere::OpenBallsCount() {
    int n = 0;
    for (int i = 0; i < SPHERE_BALLS; ++i)
        if (ballsClr[i] != 0 && ballsLod[i] < 1) ++n;
    return n;
}

int TMagicSphere::Fill(int c) {
    if (c == 0) return 0;
    for (int i = 0; i < SPHERE_BALLS; ++i)
        if (ballsClr[i] == c && ballsFil[i] < ballsCap[i]) ballsFil[i] += 1;
    return 0;
}

ImagePtr TMagicSphere::Sing(int c) {
    if (c < 1 || c > 15) return nullptr;
    for (int i = 0; i < SPHERE_BALLS; ++i)
        if (ballsClr[i] == c) return singsImg[c - 1];
    return nullptr;
}

ImagePtr TMagicSphere::Ball(int c) {
    if (c < 1 || c > 15) return nullptr;
    for (int i = 0; i < SPHERE_BALLS; ++i)
        if (ballsClr[i] == c) return ballsImg[c - 1];
    return nullptr;
}

int TMagicSphere::GetMana(int c, int amount) {
    if (c == 0) return 0;
    for (int i = 0; i < SPHERE_BALLS; ++i)
        if (ballsClr[i] == c) ballsFil[i] = std::max(0.0f, ballsFil[i] - static_cast<float>(amount));
    return 0;
}

int TMagicSphere::GetManaBall(int i, int amount) {
    if (i < 0 || i >= SPHERE_BALLS || ballsClr[i] == 0 || amount <= 0) return 0;
    const float taken = std::min(ballsFil[i], static_cast<float>(amount));
    ballsFil[i] -= taken;
    return static_cast<int>(taken);
}

int TMagicSphere::FullestBall(const std::vector<int>& colours) const {
    int best = -1;
    for (int i = 0; i < SPHERE_BALLS; ++i) {
        if (ballsClr[i] == 0) continue;
        bool wanted = false;
        for (int c : colours)
            wanted = wanted || c == ballsClr[i];
        if (!wanted) continue;
        if (best < 0 || static_cast<int>(ballsFil[i]) > static_cast<int>(ballsFil[best])) best = i;
    }
    return best;
}

int TMagicSphere::IsFull() {
    for (int i = 0; i < SPHERE_BALLS; ++i)
        if (ballsClr[i] != 0 && ballsFil[i] < ballsCap[i]) return 0;
    return 1;
}

int TMagicSphere::ResetSettings() {
    for (int i = 0; i < SPHERE_BALLS; ++i) {
        ballsClr[i] = 0;
        ballsCap[i] = 0;
        ballsFil[i] = 0;
        ballsLod[i] = 0;
        ballsFTimer[i] = -1;
    }
    return 0;
}

int TMagicSphere::GetColorXY(int c, int& outX, int& outY) {
    if (c != 0) {
        for (int i = 0; i < SPHERE_BALLS; ++i) {
            if (ballsClr[i] != c) continue;
            outX = static_cast<int>(static_cast<float>(x + ballsPos[i][0]) + ballsWidth / 2);
            outY = static_cast<int>(static_cast<float>(y + ballsPos[i][1]) + ballsHeight / 2);
            return 1;
        }
    }
    outX = x + 85;
    outY = y + 85;
    return 0;
}

float TMagicSphere::TargetLevel(int i) const {
    if (i < 0 || i >= SPHERE_BALLS || ballsClr[i] == 0) return 0;
    if (ballsCap[i] <= 0) return 1;
    const float t = ballsFil[i] / ballsCap[i];
    return std::isfinite(t) ? t : 0.0f;
}

int TMagicSphere::RestoreFills(const float fills[SPHERE_BALLS]) {
    const int64_t now = MilliSecs64();
    for (int i = 0; i < SPHERE_BALLS; ++i) {
        float f = std::isfinite(fills[i]) ? std::trunc(fills[i]) : 0.0f;
        // A saved fill outside 0..capacity cannot come from play; hold it to what Fill allows.
        f = std::max(0.0f, std::min(f, ballsCap[i]));
        ballsFil[i] = f;
        ballsLod[i] = TargetLevel(i);
        ballsFTimer[i] = ballsLod[i] >= 1 ? now - 3000 : -1;
    }
    return 0;
}

void ResetMagicSphere() {
    magicSphere = TMagicSphere();
    magicSphere.ResetSettings();
}

} // namespace vsm
