// Tests of the magic sphere: loading the balls, filling, paying, the goal, the payable-ball
// choice, restoring saved fills and the drawing with its bursts and voices.
#include "MagicFixture.h"

#include "data/TTSCFile.h"
#include "level/LevelSeams.h"
#include "magic/TMagicSphere.h"
#include "services/OptionsSeam.h"
#include "services/TRingEmiter.h"
#include "services/TDeltaTime.h"
#include "services/TSpark.h"

#include <cmath>

namespace vsm::test {

namespace {

using Sphere = MagicFixture;

std::shared_ptr<TTSCFile> LevelDoc(const std::string& colours, const std::string& caps) {
    auto doc = CreateTSCFile();
    SetTSCStringKey(doc, "Settings::Level", "SpheresColors", colours, 0);
    SetTSCStringKey(doc, "Settings::Level", "SpheresCapacities", caps, 0);
    return doc;
}

} // namespace

TEST_F(Sphere, LoadReadsColoursAndCapacitiesByPosition) {
    struct Case {
        std::string colours, caps;
        std::array<int, 5> clr;
        std::array<float, 5> cap;
    };
    const Case cases[] = {
        {"1 2 3 4 5", "10 20 30 40 50", {1, 2, 3, 4, 5}, {10, 20, 30, 40, 50}},
        {"1  2 3 4 5", "10 20 30 40 50", {1, 0, 2, 3, 4}, {10, 20, 30, 40, 50}},
        {"7 7", "3.9", {7, 7, 0, 0, 0}, {3, 0, 0, 0, 0}},
        {"", "", {0, 0, 0, 0, 0}, {0, 0, 0, 0, 0}},
        {"16 -1 x 15 3", "-5 5 5 5 5", {0, 0, 0, 15, 3}, {0, 5, 5, 5, 5}},
        // Numbers past the int range saturate: such a ball can hardly be filled, never 0.
        {"1 1e10 2 3 4",
         "99999999999999 1e30 -1e20 nan 2147483648",
         {1, 0, 2, 3, 4},
         {2147483647.0f, 2147483647.0f, 0, 0, 2147483647.0f}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.colours + " / " + c.caps);
        magicSphere.ballsFil[0] = 9;
        magicSphere.Load(LevelDoc(c.colours, c.caps));
        for (int i = 0; i < SPHERE_BALLS; ++i) {
            EXPECT_EQ(magicSphere.ballsClr[i], c.clr[i]) << i;
            EXPECT_EQ(magicSphere.ballsCap[i], c.cap[i]) << i;
            EXPECT_EQ(magicSphere.ballsFil[i], 0) << i;
            EXPECT_EQ(magicSphere.ballsFTimer[i], -1) << i;
        }
    }
    // A goal-1 level whose only ball is that large is not won at its first test.
    magicSphere.Load(LevelDoc("1 0 0 0 0", "99999999999 0 0 0 0"));
    EXPECT_EQ(magicSphere.IsFull(), 0);
}

TEST_F(Sphere, LoadKeepsImagesOfColoursStillUsedAndDropsTheRest) {
    for (const char* n : {"14", "05", "11", "06", "04"}) {
        WritePicture(std::string("gfx/ring/k-") + n + ".png", 4, 4);
        WritePicture(std::string("gfx/ring/s-") + n + ".png", 4, 4);
    }
    magicSphere.LoadExt("1 2 3 4 5", "1 1 1 1 1");
    for (int c = 1; c <= 5; ++c) {
        SCOPED_TRACE(c);
        EXPECT_TRUE(magicSphere.ballsImg[c - 1]);
        EXPECT_TRUE(magicSphere.singsImg[c - 1]);
        EXPECT_EQ(magicSphere.Ball(c), magicSphere.ballsImg[c - 1]);
        EXPECT_EQ(magicSphere.Sing(c), magicSphere.singsImg[c - 1]);
    }
    const ImagePtr four = magicSphere.ballsImg[3];
    magicSphere.LoadExt("4 4 0 0 0", "1 1 0 0 0");
    EXPECT_EQ(magicSphere.ballsImg[3], four);
    EXPECT_FALSE(magicSphere.ballsImg[0]);
    EXPECT_FALSE(magicSphere.singsImg[4]);
    EXPECT_FALSE(magicSphere.Ball(1));
}

TEST_F(Sphere, FillCapsEveryBallOfTheColourAndGetManaNeverGoesNegative) {
    magicSphere.LoadExt("3 3 2 0 0", "10 20 5 0 0");
    for (int i = 0; i < 10; ++i)
        magicSphere.Fill(3);
    EXPECT_EQ(magicSphere.ballsFil[0], 10);
    EXPECT_EQ(magicSphere.ballsFil[1], 10);
    for (int i = 0; i < 10; ++i)
        magicSphere.Fill(3);
    EXPECT_EQ(magicSphere.ballsFil[0], 10);
    EXPECT_EQ(magicSphere.ballsFil[1], 20);
    magicSphere.Fill(0);
    magicSphere.Fill(9);
    EXPECT_EQ(magicSphere.ballsFil[2], 0);

    magicSphere.GetMana(3, 4);
    EXPECT_EQ(magicSphere.ballsFil[0], 6);
    EXPECT_EQ(magicSphere.ballsFil[1], 16);
    magicSphere.GetMana(3, 7);
    EXPECT_EQ(magicSphere.ballsFil[0], 0);
    EXPECT_EQ(magicSphere.ballsFil[1], 9);
    magicSphere.GetMana(0, 5);
    EXPECT_EQ(magicSphere.ballsFil[1], 9);
}

TEST_F(Sphere, PayableChoiceTakesTheFullestBallAndChargesOnlyIt) {
    magicSphere.LoadExt("2 8 2 5 0", "20 20 20 20 0");
    magicSphere.ballsFil[0] = 7;
    magicSphere.ballsFil[1] = 9.5f;
    magicSphere.ballsFil[2] = 9;
    magicSphere.ballsFil[3] = 30;
    // 9.5 and 9 have the same whole part: the lower index wins.
    EXPECT_EQ(magicSphere.FullestBall({2, 8}), 1);
    EXPECT_EQ(magicSphere.FullestBall({2}), 2);
    EXPECT_EQ(magicSphere.FullestBall({4}), -1);
    EXPECT_EQ(magicSphere.FullestBall({0}), -1);

    EXPECT_EQ(magicSphere.GetManaBall(2, 5), 5);
    EXPECT_EQ(magicSphere.ballsFil[0], 7);
    EXPECT_EQ(magicSphere.ballsFil[2], 4);
    EXPECT_EQ(magicSphere.GetManaBall(2, 5), 4);
    EXPECT_EQ(magicSphere.ballsFil[2], 0);
    EXPECT_EQ(magicSphere.GetManaBall(4, 5), 0);
    EXPECT_EQ(magicSphere.GetManaBall(7, 5), 0);
    EXPECT_EQ(magicSphere.GetManaBall(-1, 5), 0);
}

TEST_F(Sphere, FullGoalAndOpenBalls) {
    EXPECT_EQ(magicSphere.IsFull(), 1); // no coloured ball
    EXPECT_EQ(magicSphere.OpenBallsCount(), 0);
    magicSphere.LoadExt("1 2 0 0 0", "2 0 0 0 0");
    EXPECT_EQ(magicSphere.IsFull(), 0);
    EXPECT_EQ(magicSphere.OpenBallsCount(), 2);
    magicSphere.Fill(1);
    magicSphere.Fill(2); // capacity 0: full from the start, nothing added
    EXPECT_EQ(magicSphere.ballsFil[1], 0);
    EXPECT_EQ(magicSphere.IsFull(), 0);
    magicSphere.Fill(1);
    EXPECT_EQ(magicSphere.IsFull(), 1);
    // Open balls are counted by the shown level, which has not moved yet.
    EXPECT_EQ(magicSphere.OpenBallsCount(), 2);
    // The level's goal hook reaches the sphere.
    ASSERT_TRUE(levelSeams.sphereIsFull);
    EXPECT_EQ(levelSeams.sphereIsFull(), 1);
}

TEST_F(Sphere, ColourPointsAimAtTheFirstBallOrTheCentre) {
    magicSphere.LoadExt("3 5 3 0 0", "1 1 1 0 0");
    int x = 0, y = 0;
    EXPECT_EQ(magicSphere.GetColorXY(3, x, y), 1);
    EXPECT_EQ(x, 106);
    EXPECT_EQ(y, 43);
    EXPECT_EQ(magicSphere.GetColorXY(5, x, y), 1);
    EXPECT_EQ(x, 166);
    EXPECT_EQ(y, 85);
    for (int c : {0, 7}) {
        SCOPED_TRACE(c);
        EXPECT_EQ(magicSphere.GetColorXY(c, x, y), 0);
        EXPECT_EQ(x, 100);
        EXPECT_EQ(y, 95);
    }
}

TEST_F(Sphere, RestoredFillsShowAtOnceAndNeverDivideByZero) {
    magicSphere.LoadExt("1 2 3 4 0", "10 0 10 10 0");
    control->SetClock(50000);
    const float saved[5] = {4.7f, 3, 25, -6, 8};
    magicSphere.RestoreFills(saved);
    EXPECT_EQ(magicSphere.ballsFil[0], 4);
    EXPECT_FLOAT_EQ(magicSphere.ballsLod[0], 0.4f);
    EXPECT_EQ(magicSphere.ballsFTimer[0], -1);
    // Capacity 0: a coloured ball shows full and closed; an unused ball stays empty.
    EXPECT_EQ(magicSphere.ballsLod[1], 1);
    EXPECT_EQ(magicSphere.ballsFTimer[1], 47000);
    EXPECT_EQ(magicSphere.ballsFil[2], 10);
    EXPECT_EQ(magicSphere.ballsLod[2], 1);
    EXPECT_EQ(magicSphere.ballsFil[3], 0);
    EXPECT_EQ(magicSphere.ballsLod[4], 0);
    EXPECT_EQ(magicSphere.ballsFTimer[4], -1);
    EXPECT_EQ(magicSphere.TargetLevel(4), 0);
}

TEST_F(Sphere, ShownLevelEasesByTheFrameFactor) {
    magicSphere.LoadExt("1 0 0 0 0", "10 0 0 0 0");
    magicSphere.ballsFil[0] = 5;
    magicSphere.Update(0);
    EXPECT_NEAR(magicSphere.ballsLod[0], 0.01f, 1e-6);
    delta = 2.0;
    magicSphere.Update(0);
    EXPECT_NEAR(magicSphere.ballsLod[0], 0.03f, 1e-6);
    magicSphere.ballsLod[0] = 0.495f;
    magicSphere.Update(0);
    EXPECT_FLOAT_EQ(magicSphere.ballsLod[0], 0.5f); // not past the target
    magicSphere.ballsFil[0] = 0;
    magicSphere.Update(0);
    EXPECT_NEAR(magicSphere.ballsLod[0], 0.48f, 1e-6);
    // A shown level outside 0..1 or not a number is put back in range.
    magicSphere.ballsLod[0] = std::nanf("");
    magicSphere.Update(0);
    EXPECT_EQ(magicSphere.ballsLod[0], 0);
    magicSphere.ballsFil[0] = 10;
    magicSphere.ballsLod[0] = 3;
    magicSphere.Update(0);
    EXPECT_EQ(magicSphere.ballsLod[0], 1);
}

TEST_F(Sphere, BurstRingsSoundsAndSpeaksAtMostEveryTwoSeconds) {
    options.soundVol = 10;
    WriteSound("sfx/fx4/playgame-colorget.ogg");
    for (const char* v : {"v-exelent", "v-1mgo", "v-j2m", "v-perfect2", "v-great2"})
        WriteSound(std::string("sfx/voice/") + v + ".ogg");
    magicSphere.LoadResources();
    magicSphere.LoadExt("1 2 3 0 0", "1 1 1 0 0");
    magicSphere.ballsLod[0] = 0.995f;
    magicSphere.ballsLod[1] = 0.995f;
    magicSphere.Fill(1);
    magicSphere.Fill(2);
    control->SetClock(10000);
    control->ClearSoundLog();
    magicSphere.Update(0);
    // Both balls burst in one frame; only the first speaks, while ball 1 is still shown open
    // beside ball 2 ("v-j2m").
    const auto rings = ringEmiterList.Snapshot();
    ASSERT_EQ(rings.size(), 2u);
    EXPECT_EQ(rings[0]->x, 105);
    EXPECT_EQ(rings[0]->y, 42);
    EXPECT_EQ(rings[0]->mins, 0.8f);
    EXPECT_EQ(rings[0]->maxs, 1.2f);
    EXPECT_EQ(Plays("playgame-colorget.ogg"), 2);
    EXPECT_EQ(Plays("v-j2m.ogg"), 1);
    EXPECT_EQ(Plays("v-1mgo.ogg"), 0);
    EXPECT_EQ(magicSphere.ballsFTimer[0], 10000);

    // The last ball bursts 2000 ms after the clip: no clip; at 2001 ms it would speak.
    magicSphere.ballsLod[2] = 0.995f;
    magicSphere.Fill(3);
    control->SetClock(12000);
    control->ClearSoundLog();
    magicSphere.Update(0);
    EXPECT_EQ(Plays("playgame-colorget.ogg"), 1);
    EXPECT_EQ(Plays("v-exelent.ogg"), 0);
    magicSphere.GetMana(3, 1);
    magicSphere.Update(0); // falls below 1: open again
    EXPECT_EQ(magicSphere.ballsFTimer[2], -1);
    magicSphere.Fill(3);
    control->SetClock(12001);
    magicSphere.ballsLod[2] = 0.995f;
    control->ClearSoundLog();
    magicSphere.Update(0);
    EXPECT_EQ(Plays("v-exelent.ogg"), 1);
}

TEST_F(Sphere, UpdateWithoutEmitAddsNoCirclingSpark) {
    magicSphere.LoadExt("1 0 0 0 0", "1 0 0 0 0");
    magicSphere.magicSphereEmiter.emissionFreq = 100; // a spark on every emitting update
    const size_t before = SparkList.Count();
    magicSphere.Update(0);
    EXPECT_EQ(SparkList.Count(), before);
    magicSphere.Update(1);
    EXPECT_EQ(SparkList.Count(), before + 1);
}

// Draw calls of one image in the log; a textured band counts only when it has some height.
static int DrawsOf(const HeadlessBackendControl& c, const ImagePtr& img) {
    int n = 0;
    for (const DrawCall& d : c.DrawLog()) {
        if (d.image != img) continue;
        if (d.op == "image" || d.op == "imagerect") ++n;
        if (d.op == "poly" && d.poly.size() >= 16 && d.poly[9] > d.poly[1]) ++n;
    }
    return n;
}

TEST_F(Sphere, ClosedBallGlowsForTwoSecondsAndIsWipedByTwoAndAHalf) {
    WritePicture("gfx/ring/kulki.png", 8, 8);
    WritePicture("gfx/ring/k-black.png", 62, 62);
    WritePicture("gfx/gwiazdki/volum04.png", 8, 8);
    WritePicture("gfx/gwiazdki/volum05.png", 8, 8);
    WritePicture("gfx/ring/k-14.png", 62, 62);
    WritePicture("gfx/ring/s-14.png", 32, 32);
    magicSphere.LoadResources();
    magicSphere.LoadExt("1 0 0 0 0", "1 0 0 0 0");
    magicSphere.Fill(1);
    magicSphere.ballsLod[0] = 1;
    control->SetClock(1000);
    magicSphere.Update(0); // the burst
    struct Step {
        int at;
        int glows; // volum04 draws
        bool ball; // any part of the ball image drawn
    };
    for (const Step& s : {Step{1000 + 150, 4, true}, Step{1000 + 1999, 4, true}, Step{1000 + 2000, 0, true},
                          Step{1000 + 2250, 0, true}, Step{1000 + 2500, 0, false}}) {
        SCOPED_TRACE(s.at);
        control->SetClock(s.at);
        control->ClearDrawLog();
        magicSphere.Update(0);
        EXPECT_EQ(DrawsOf(*control, magicSphere.volumImg[0]), s.glows);
        EXPECT_EQ(DrawsOf(*control, magicSphere.ballsImg[0]) > 0, s.ball);
        EXPECT_EQ(DrawsOf(*control, magicSphere.sphereImg), 1);
    }
    // An uncoloured ball draws nothing but the sphere.
    magicSphere.LoadExt("0 0 0 0 0", "0 0 0 0 0");
    control->ClearDrawLog();
    magicSphere.Update(0);
    EXPECT_EQ(DrawsOf(*control, magicSphere.blackImg), 0);
    EXPECT_EQ(DrawsOf(*control, magicSphere.sphereImg), 1);
}

} // namespace vsm::test
