// The boss page's demonstration: build-up, flash, burst, fade and restart, through the page loop.
#include "TutorialFixture.h"

#include "board/TBoardManager.h"
#include "platform/Input.h"
#include "services/TCometEmiter.h"
#include "services/TDeltaTime.h"
#include "services/TSpark.h"
#include "services/TVolcanoEmiter.h"
#include "tutorial/TTutorial.h"

#include <functional>
#include <map>

namespace vsm::test {

namespace {

class BossDemoTest : public TutorialFixture {
  protected:
    void SetUp() override {
        TutorialFixture::SetUp();
        AddRune(5, 5);
    }

    // Runs the boss page over a level with 20 ms frames timed for 50 frames a second: the page's
    // own timer start makes frame 0 a frame without elapsed time, and every later frame a factor
    // of exactly 1, so frame k is the k-th frame of the demonstration's cycle. inspect(k) runs
    // after page frame k with that frame's drawing in the log.
    void RunBossPage(int frames, const std::function<void(int)>& inspect) {
        InspectFrames(frames, inspect);
        ASSERT_EQ(tutorial.show2(1), 0);
    }

    // Alphas of the sixteen rune cells as drawn, in drawing order.
    std::vector<float> CellAlphas() const {
        std::vector<float> out;
        for (const DrawCall& c : Draws())
            if (c.image == Art40(5)) out.push_back(c.state.alpha);
        return out;
    }

    // Sparks made this frame: they have been drawn and aged once.
    static int NewSparks() {
        int n = 0;
        for (const auto& s : SparkList)
            n += s->life == s->lifetime - 1;
        return n;
    }
};

} // namespace

TEST_F(BossDemoTest, CycleBuildsFlashesBurstsOnceFadesAndRestarts) {
    std::map<int, std::vector<float>> alphas;
    std::map<int, float> bossAlpha;
    std::map<int, int> sparks;
    std::map<int, std::vector<std::shared_ptr<TCometEmiter>>> comets;
    std::map<int, std::vector<std::shared_ptr<TVolcanoEmiter>>> streams;
    std::map<int, int> stage;
    RunBossPage(545, [&](int k) {
        alphas[k] = CellAlphas();
        for (const DrawCall& c : Draws("imagerect"))
            if (c.x == 360 && c.y == 215 && c.w == 80 && c.h == 80) bossAlpha[k] = c.state.alpha;
        sparks[k] = NewSparks();
        for (const auto& c : cometList)
            if (c->t > 0 && c->t <= c->dt + 1e-6f) comets[k].push_back(c);
        for (const auto& e : volcanoList)
            if (e->counter == 1) streams[k].push_back(e);
        stage[k] = tutorial.q1Stage;
    });

    // The first frame with time in it shows rune 0 faintly and no other rune.
    ASSERT_EQ(alphas[1].size(), 16u);
    EXPECT_NEAR(alphas[1][0], 0.015f, 1e-6);
    for (int i = 1; i < 16; ++i)
        EXPECT_EQ(alphas[1][i], 0);
    EXPECT_EQ(bossAlpha[1], 1);
    // Rune i starts to appear at frame 1 + 16 i: rune 1 at 17.
    EXPECT_EQ(alphas[16][1], 0);
    EXPECT_GT(alphas[17][1], 0);

    // The flash lasts from 307 to 373: 24 sparkles a frame, nothing before or after.
    EXPECT_EQ(sparks[306], 0);
    EXPECT_EQ(sparks[307], 24);
    EXPECT_EQ(sparks[373], 24);
    EXPECT_EQ(sparks[374], 0);

    // One burst, at 374: six comets and eight streams to the bottom, in one colour of class 5.
    int burstFrames = 0;
    for (const auto& [k, list] : streams) {
        ++burstFrames;
        EXPECT_EQ(k, 374);
        EXPECT_EQ(list.size(), 8u);
    }
    EXPECT_EQ(burstFrames, 1);
    ASSERT_EQ(comets[374].size(), 6u);
    for (int j = 0; j < 6; ++j) {
        SCOPED_TRACE(j);
        const auto& c = comets[374][j];
        EXPECT_EQ(c->ax, 299 + 40 * j);
        EXPECT_EQ(c->ay, 234);
        EXPECT_EQ(c->bx, 390);
        EXPECT_EQ(c->by, 495);
        EXPECT_EQ(c->r, 50);
        const auto& s = streams[374][j];
        EXPECT_EQ(s->ax, 299 + 40 * j);
        EXPECT_EQ(s->ay, 274);
        EXPECT_EQ(s->bx, 400);
        EXPECT_EQ(s->r, 50);
    }
    // From the top group's upper row: 379 and 419 at y 154, 347.0 and 347.5... pixels away.
    EXPECT_EQ(streams[374][6]->ax, 379);
    EXPECT_EQ(streams[374][7]->ax, 419);
    EXPECT_EQ(streams[374][7]->ay, 154);
    EXPECT_NEAR(streams[374][6]->dt, 5.0f / 346.6367f, 1e-6);
    // A comet from (299, 234): 101 and 266 pixels apart on the axes.
    EXPECT_NEAR(comets[374][0]->dt, 6.0f / 284.5294f, 1e-6);

    // Fading with the runes: the boss at 3 - level once the level is past 2.
    // Rune 15 began at frame 241, so at 400 the level is 160 x 0.015 = 2.4; past 3 it is gone.
    EXPECT_NEAR(bossAlpha[400], 0.6f, 1e-4);
    EXPECT_EQ(alphas[400], std::vector<float>(16, bossAlpha[400]));
    EXPECT_EQ(bossAlpha.count(450), 0u);
    EXPECT_TRUE(alphas[450].empty());
    EXPECT_EQ(stage[539], 0);
    // The restart at 540 arms the burst again, and the next frame starts a new build-up.
    EXPECT_EQ(stage[540], 1);
    EXPECT_EQ(alphas[540], std::vector<float>(16, 0.0f));
    EXPECT_NEAR(alphas[541][0], 0.015f, 1e-6);
}

TEST_F(BossDemoTest, ALargeFrameFactorSkipsTheFlashAndRunesFadeByTheirOwnLevel) {
    board.tileSize = 40; // as the page sets it
    tutorial.loadGfx2();
    tutorial.giantset.fill(0.9f);
    tutorial.giantset[0] = 4.0f;
    tutorial.q1Stage = 1;
    delta = 100; // 1.5 in one frame
    tutorial.update2();
    EXPECT_FLOAT_EQ(tutorial.giantset[15], 2.4f);
    EXPECT_FLOAT_EQ(tutorial.giantset[0], 5.5f);
    EXPECT_EQ(tutorial.q1Stage, 0);
    EXPECT_EQ(cometList.Count(), 6u);
    EXPECT_EQ(SparkList.Count(), 0u);

    control->ClearDrawLog();
    tutorial.draw2();
    // Rune 0 at 3 - 5.5 is not drawn at all; the others at 3 - 2.4.
    EXPECT_EQ(CellAlphas(), std::vector<float>(15, 3 - 2.4f));

    // At exactly 2 the boss and the runes are drawn at their own level.
    tutorial.giantset.fill(2.0f);
    control->ClearDrawLog();
    tutorial.draw2();
    EXPECT_EQ(Draws("imagerect").at(0).state.alpha, 1);
    EXPECT_EQ(CellAlphas().at(3), 1);
}

} // namespace vsm::test
