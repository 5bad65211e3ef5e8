// Tests of the map screen: the current level and stage, the caption row, the timed fade-in, the
// inputs that leave the map and those that do not, the fade-out with its music, and a close
// request.
#include "quest/QuestFixture.h"

#include "level/TLevelSequencer.h"
#include "platform/Input.h"
#include "platform/System.h"
#include "quest/TMapCore.h"
#include "services/TMouse.h"
#include "support/TestAssets.h"

#include <cmath>

namespace vsm::test {
namespace {

class MapScreenTest : public QuestFixture {
  protected:
    void SetUp() override {
        QuestFixture::SetUp();
        MapPictures();
        MapDocument(R"(Levels{
  A{ Number=1 Stage=1 Kind=1 X=700 Y=100 }
  B{ Number=12 Stage=3 Kind=3 X=600 Y=100 }
  C{ Number=12 Stage=4 Kind=5 X=500 Y=100 }
})");
        fonts[1] = DigitFont();
        map.Load();
        sequencer.Last = 20;
        ASSERT_TRUE(WriteSilentSound(resources + "sfx/glyndra-map.ogg"));
    }
    // A script of `frames` frames with `input` at frame `at` (the pointer elsewhere at (100, 100)).
    void Script(int frames, int at, const FrameInput& input) {
        control->SetScript([=](int frame, FrameInput& in) {
            in.mouseX = 100;
            in.mouseY = 100;
            if (frame == at) in = input;
            return frame < frames;
        });
    }
    static FrameInput LeftClick(int x = 100, int y = 100) {
        FrameInput in;
        in.mouseX = x;
        in.mouseY = y;
        in.clicks = {1};
        return in;
    }
    // The background's alpha in each presented frame.
    std::vector<float> BackgroundAlphas() const {
        std::vector<float> out;
        for (const auto& frame : Frames()) {
            auto background = ImagesOfWidth(frame, 80);
            out.push_back(background.empty() ? -1.0f : background[0].state.alpha);
        }
        return out;
    }
    std::string LastMusicEvent() const {
        std::string last;
        for (const SoundEvent& e : control->SoundLog())
            if (e.path.ends_with("glyndra-map.ogg")) last = e.op;
        return last;
    }
    std::vector<SoundEvent> MusicEvents(const std::string& op) const {
        std::vector<SoundEvent> out;
        for (const SoundEvent& e : control->SoundLog())
            if (e.op == op && e.path.ends_with("glyndra-map.ogg")) out.push_back(e);
        return out;
    }
};

TEST_F(MapScreenTest, FadesInWaitsForAClickAndFadesOutWithItsMusic) {
    // The fade-in ends in frame 15 (266 ms > 250 ms): clicks before it are used up unheeded,
    // the one in that very frame is taken.
    control->SetScript([](int frame, FrameInput& in) {
        in.mouseX = 100;
        in.mouseY = 100;
        if (frame == 3 || frame == 14 || frame == 15 || frame == 20) in.clicks = {1};
        return frame < 200;
    });
    EXPECT_EQ(map.Show(0), 0);

    const std::vector<float> alphas = BackgroundAlphas();
    // 16 frames in, 16 frames out: the last one more than 250 ms after the click.
    ASSERT_EQ(alphas.size(), 32u);
    EXPECT_EQ(alphas[0], 0.0f);
    EXPECT_NEAR(alphas[1], 16 / 250.0f, 1e-6);
    EXPECT_NEAR(alphas[15], 250 / 250.0f, 1e-6);
    EXPECT_EQ(alphas[16], 1.0f);
    EXPECT_NEAR(alphas[17], 1 - 17 / 250.0f, 1e-6);
    EXPECT_EQ(alphas[31], 0.0f);
    EXPECT_EQ(Clicks(), 1);
    EXPECT_EQ(map.fade, -1);
    EXPECT_EQ(map.quit, 1);

    // The music starts once at full volume, follows the fade-out in tenths and stops at the end.
    ASSERT_EQ(MusicEvents("cue").size(), 1u);
    const auto volumes = MusicEvents("volume");
    ASSERT_GT(volumes.size(), 10u);
    EXPECT_EQ(volumes[0].volume, 1.0f);
    for (size_t i = 2; i < volumes.size(); ++i) {
        EXPECT_LE(volumes[i].volume, volumes[i - 1].volume);
        EXPECT_NEAR(volumes[i].volume * 10, std::round(volumes[i].volume * 10), 1e-5);
    }
    EXPECT_EQ(volumes[1].volume, 0.9f);
    EXPECT_EQ(MusicEvents("stop").size(), 1u);
    EXPECT_EQ(LastMusicEvent(), "stop");

    // A second showing fades in from nothing again and restarts the music.
    control->ClearDrawLog();
    Script(200, 20, LeftClick());
    EXPECT_EQ(map.Show(0), 0);
    EXPECT_EQ(BackgroundAlphas()[0], 0.0f);
    EXPECT_EQ(MusicEvents("cue").size(), 2u);
}

TEST_F(MapScreenTest, OnlyALeftClickOrPlayLeavesTheMap) {
    FrameInput right;
    right.clicks = {2};
    FrameInput enter;
    enter.keysHit = {KEY_ENTER};
    FrameInput space = LeftClick();
    space.keysHit = {KEY_SPACE};
    FrameInput control = LeftClick();
    control.keysHeld = {KEY_LCONTROL};
    struct Case {
        const char* name;
        FrameInput input;
        bool leaves;
    };
    const std::vector<Case> cases{
        {"left click anywhere", LeftClick(), true},
        {"Play", LeftClick(520, 570), true},
        {"right click", right, false},
        {"Enter", enter, false},
        {"Space cancels the click", space, false},
        {"left Ctrl cancels the click", control, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        this->control->ClearSoundLog();
        Script(40, 20, c.input);
        if (c.leaves) {
            EXPECT_EQ(map.Show(0), 0);
            EXPECT_EQ(Clicks(), 1);
        } else {
            // The script's end raises a close request: the map stops its music and ends the
            // program.
            EXPECT_THROW(map.Show(0), ProgramEnd);
            EXPECT_EQ(Clicks(), 0);
            EXPECT_FALSE(map.music);
        }
        EXPECT_EQ(LastMusicEvent(), "stop");
    }
}

TEST_F(MapScreenTest, MarksTheNextLevelAndLaysOutTheCaptionRow) {
    // Level 12 of 20: "level" 30 wide, "12" 3 + 4, "of" 31, "20" 4 + 2. The row is
    // 30 + 7 + 7 + 7 + 31 + 7 + 6 = 95 wide, centred on 350: it starts at 302 (302.5 truncated).
    Script(40, 20, LeftClick());
    map.Show(11);
    EXPECT_EQ(map.actualLevel, 12);
    EXPECT_EQ(map.actualStage, 3); // the first marker numbered 12
    EXPECT_EQ(map.caption[0]->text, "12");
    EXPECT_EQ(map.caption[1]->text, "20");
    EXPECT_EQ(map.captionX[0], 302);
    EXPECT_EQ(map.caption[0]->dim->x, 339);
    EXPECT_EQ(map.captionX[1], 353);
    EXPECT_EQ(map.caption[1]->dim->x, 391);
    EXPECT_EQ(map.caption[0]->dim->y, 564);

    // No marker numbered 4: the stage stays as it was.
    Script(40, 20, LeftClick());
    map.Show(3);
    EXPECT_EQ(map.actualLevel, 4);
    EXPECT_EQ(map.actualStage, 3);
    EXPECT_EQ(map.caption[0]->text, "4");

    // A negative level returns at once: no frame, no music, nothing changed.
    control->ClearDrawLog();
    control->ClearSoundLog();
    EXPECT_EQ(map.Show(-1), 0);
    EXPECT_TRUE(control->DrawLog().empty());
    EXPECT_TRUE(control->SoundLog().empty());
    EXPECT_EQ(map.actualLevel, 4);
}

} // namespace
} // namespace vsm::test
