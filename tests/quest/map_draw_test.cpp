// Tests of drawing the quest map: the layer order of one frame, the looks of earlier, current and
// later markers and stages at the map's opacity, and the pulse of the current marker.
#include "quest/QuestFixture.h"

#include "quest/TMapCore.h"
#include "widgets/TFont.h"

#include <cstdio>

namespace vsm::test {
namespace {

// An image call as "width@x,y alpha blend colour", rounded for comparison.
std::string Summary(int w, float x, float y, float alpha, int blend = ALPHABLEND, int r = 255, int g = 255,
                    int b = 255) {
    char text[96];
    std::snprintf(text, sizeof text, "%d@%g,%g a%.3f b%d c%d,%d,%d", w, x, y, alpha, blend, r, g, b);
    return text;
}

std::string Describe(const DrawCall& c) {
    if (c.op != "image") return c.op;
    return Summary(c.image->width, c.x, c.y, c.state.alpha, c.state.blend, c.state.r, c.state.g, c.state.b);
}

class MapDrawTest : public QuestFixture {
  protected:
    void SetUp() override {
        QuestFixture::SetUp();
        MapPictures();
        Picture("gfx/mapa/stage-1.png", 51, 5);
        Picture("gfx/mapa/stage-2.png", 52, 5);
        Picture("gfx/mapa/stage-3.png", 53, 5);
        MapDocument(R"(
Levels{
  A{ Number=1 Stage=1 Kind=1 X=700 Y=100 }
  B{ Number=2 Stage=2 Kind=3 X=600 Y=100 }
  C{ Number=2 Stage=2 Kind=5 X=500 Y=100 }
  D{ Number=3 Stage=3 Kind=4 X=400 Y=100 }
}
Stages{
  S1{ Number=1 Image="gfx/mapa/stage-1.png" X=10 Y=20 }
  S2{ Number=2 Image="gfx/mapa/stage-2.png" X=30 Y=40 }
  S3{ Number=3 Image="gfx/mapa/stage-3.png" X=50 Y=60 }
})");
        fonts[1] = DigitFont();
        map.Load();
        map.actualLevel = 2;
        map.actualStage = 2;
        map.caption[0]->text = "2";
        map.caption[0]->dim->x = 200;
        map.caption[1]->text = "9";
        map.caption[1]->dim->x = 300;
        map.captionX = {150, 260};
        SetBlend(ALPHABLEND); // as the map screen leaves it
    }
    // Draws one frame of the map and describes its calls.
    std::vector<std::string> DrawnFrame() {
        control->ClearDrawLog();
        map.Draw();
        const auto frames = Frames();
        EXPECT_EQ(frames.size(), 1u);
        std::vector<std::string> drawn;
        for (const DrawCall& c : frames.at(0))
            drawn.push_back(Describe(c));
        return drawn;
    }
};

TEST_F(MapDrawTest, OneFrameDrawsEveryLayerInOrderAtTheMapsOpacity) {
    for (float a : {0.0f, 0.5f}) {
        SCOPED_TRACE(a);
        for (const MapLevelPtr& marker : map.mapLevels)
            marker->alpha = 1.0f;
        map.alpha = a;
        const std::vector<std::string> drawn = DrawnFrame();
        // Both current markers pulse once and show their own overlay at 0.965 of the opacity.
        const std::vector<std::string> expected{
            "cls",
            Summary(80, 0, 0, a),
            Summary(102, 200, 564, a), // the digit 2
            Summary(109, 300, 564, a), // the digit 9
            Summary(31, 260, 572, a),  // "of"
            Summary(30, 150, 572, a),  // "level"
            Summary(40, 508, 566, a),  // Play
            Summary(11, 100, 100, a),  // an earlier level
            Summary(14, 200, 100, a),
            Summary(22, 200, 100, 0.965f * a),
            Summary(16, 300, 100, a),
            Summary(23, 300, 100, 0.965f * a),
            Summary(12, 400, 100, a), // a later level: no overlay
            Summary(51, 10, 20, a),   // an earlier stage
            Summary(52, 30, 40, a),   // the current stage, then its bluish glow
            Summary(52, 30, 40, 0.6f * a, LIGHTBLEND, 200, 200, 255),
            Summary(53, 50, 60, 0.5f * a), // a later stage
            Summary(1, 0, 0, 1.0f),        // the cursor, opaque whatever the fade
        };
        EXPECT_EQ(drawn, expected);
        EXPECT_EQ(CurrentDrawState().alpha, 1.0f);
    }
}

TEST_F(MapDrawTest, CurrentMarkerPulsesOneStepPerFrame) {
    TMapLevel& marker = *map.mapLevels[1];
    std::vector<float> pulse;
    for (int frame = 0; frame < 48; ++frame) {
        marker.Draw(2, 1.0f);
        pulse.push_back(marker.alpha);
    }
    // 15 steps down to 0.475, 16 up to 1.035 (exactly 1.0 is not above 1, so it rises once
    // more), then down again: one swing takes 32 frames.
    EXPECT_NEAR(pulse[0], 0.965f, 1e-6);
    EXPECT_NEAR(pulse[14], 0.475f, 1e-6);
    EXPECT_NEAR(pulse[15], 0.51f, 1e-6);
    EXPECT_EQ(pulse[29], 1.0f);
    EXPECT_NEAR(pulse[30], 1.035f, 1e-6);
    EXPECT_NEAR(pulse[31], 1.0f, 1e-6);
    EXPECT_NEAR(pulse[46], 0.475f, 1e-6);
    EXPECT_NEAR(pulse[47], 0.51f, 1e-6);

    // Markers that are not current never pulse.
    map.mapLevels[0]->Draw(2, 1.0f);
    map.mapLevels[3]->Draw(2, 1.0f);
    EXPECT_EQ(map.mapLevels[0]->alpha, 1.0f);
    EXPECT_EQ(map.mapLevels[3]->alpha, 1.0f);
}

TEST_F(MapDrawTest, MissingPicturesDrawNothingAndNoMarkerIsCurrent) {
    ResetQuestGlobals();
    map.actualLevel = 7; // Load never ran: no pictures, captions or button
    map.mapLevels.push_back(TMapLevel::Create(7, 1, 1, 10, 10, nullptr, nullptr));
    map.AddStage(1, "gfx/mapa/none.png", 0, 0);
    EXPECT_EQ(DrawnFrame(), (std::vector<std::string>{"cls", Summary(1, 0, 0, 1.0f)}));
}

} // namespace
} // namespace vsm::test
