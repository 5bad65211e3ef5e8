// Tests of loading the quest map: markers and stage pictures from "map.tsc" in document order,
// the mirrored marker positions, the shared marker pictures, and hostile or missing documents.
#include "quest/QuestFixture.h"

#include "quest/TMapCore.h"
#include "support/TestAssets.h"
#include "widgets/TImageButton.h"

#include <climits>

namespace vsm::test {
namespace {

using MapLoadTest = QuestFixture;

TEST_F(MapLoadTest, MarkersAndStagesFollowTheDocumentWithMirroredMarkers) {
    MapPictures();
    Picture("gfx/mapa/stage-a.png", 50, 40);
    Picture("gfx/mapa/stage-b.png", 51, 40);
    MapDocument(R"(
levels{
  L3{ Number=3 Stage=2 Kind=3 X=300 Y=200 }
  L1{ number=1 STAGE=1 kind=1 x=0 y=12.9 }
  Junk=5
  L2{ Number=2 Stage=1 Kind=5 X=800 Y=-3.7 Inner{ Number=9 Stage=9 Kind=1 X=1 Y=1 } }
  NoKind{ Number=4 Stage=2 X=10 Y=10 }
  K0{ Number=5 Stage=2 Kind=0 X=10 Y=10 }
  K6{ Number=6 Stage=2 Kind=6 X=10 Y=10 }
  Far{ Number=7 Stage=3 Kind=4 X=900 Y=40,50 }
  Far{ Number=8 Stage=4 Kind=2 X=1 Y=1 }
  Huge{ Number=9 Stage=3 Kind=2 X=9999999999 Y=-9999999999 }
}
Stages{
  S2{ Number=2 Image="gfx/mapa/stage-b.png" X=300 Y=100 }
  S1{ Number=1 Image="gfx/mapa/stage-a.png" X=10 Y=20 }
}
)");
    testing::internal::CaptureStdout();
    EXPECT_EQ(map.Load(), 0);
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(out, "The key Levels::NoKind::Kind does not exist\n");

    struct Marker {
        int number, stage, kind;
        float x, y;
    };
    // The second "Far" reads the keys of the first: a path's first key wins.
    const std::vector<Marker> expected{
        {3, 2, 3, 500, 200}, {1, 1, 1, 800, 12},  {2, 1, 5, 0, -3},
        {7, 3, 4, -100, 40}, {7, 3, 4, -100, 40}, {9, 3, 2, -2147482847.0f, -2147483648.0f},
    };
    ASSERT_EQ(map.mapLevels.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(i);
        const TMapLevel& m = *map.mapLevels[i];
        EXPECT_EQ(m.number, expected[i].number);
        EXPECT_EQ(m.stage, expected[i].stage);
        EXPECT_EQ(m.kind, expected[i].kind);
        EXPECT_FLOAT_EQ(m.x, expected[i].x);
        EXPECT_FLOAT_EQ(m.y, expected[i].y);
        EXPECT_FLOAT_EQ(m.alpha, 1.0f);
        EXPECT_EQ(m.alphaDir, 0);
    }

    ASSERT_EQ(map.mapStages.size(), 2u);
    EXPECT_EQ(map.mapStages[0]->number, 2);
    EXPECT_EQ(map.mapStages[0]->x, 300);
    EXPECT_EQ(map.mapStages[0]->y, 100);
    EXPECT_EQ(ImageWidth(map.mapStages[0]->image), 51);
    EXPECT_EQ(map.mapStages[1]->number, 1);
    EXPECT_EQ(ImageWidth(map.mapStages[1]->image), 50);
}

TEST_F(MapLoadTest, PicturesWidgetsAndSharedMarkerPictures) {
    MapPictures();
    MapDocument(R"(Levels{ A{ Number=1 Stage=1 Kind=1 X=1 Y=1 } B{ Number=2 Stage=1 Kind=2 X=1 Y=1 }
        C{ Number=3 Stage=1 Kind=3 X=1 Y=1 } D{ Number=4 Stage=1 Kind=4 X=1 Y=1 }
        E{ Number=5 Stage=1 Kind=5 X=1 Y=1 } })");
    map.Load();

    // Markers of kinds 1, 2 and 4 hold the very same two pictures.
    ASSERT_EQ(map.mapLevels.size(), 5u);
    const auto& m = map.mapLevels;
    for (int k : {1, 3}) {
        SCOPED_TRACE(k);
        EXPECT_EQ(m[k]->image1, m[0]->image1);
        EXPECT_EQ(m[k]->image2, m[0]->image2);
    }
    EXPECT_EQ(ImageWidth(m[0]->image1), 12);
    EXPECT_EQ(ImageWidth(m[0]->image2), 11);
    EXPECT_EQ(ImageWidth(m[2]->image1), 14);
    EXPECT_EQ(ImageWidth(m[2]->image2), 13);
    EXPECT_EQ(ImageWidth(m[4]->image1), 16);
    EXPECT_EQ(ImageWidth(m[4]->image2), 15);

    // Markers and overlays are centred on their place; the rest keep their top-left corner.
    for (const ImagePtr& image : {m[0]->image1, m[2]->image2, m[4]->image1, map.migacz[0], map.migacz[2]}) {
        EXPECT_FLOAT_EQ(image->handleX, image->width / 2.0f);
        EXPECT_FLOAT_EQ(image->handleY, image->height / 2.0f);
    }
    for (const ImagePtr& image : {map.background, map.captionImages[0], map.captionImages[1]}) {
        ASSERT_TRUE(image);
        EXPECT_EQ(image->handleX, 0);
        EXPECT_EQ(image->handleY, 0);
    }

    ButtonPtr play = map.menu->GetItem(2);
    ASSERT_TRUE(play);
    EXPECT_EQ(map.menu->items.size(), 1u);
    EXPECT_EQ(play->dim->x, 508);
    EXPECT_EQ(play->dim->y, 566);
    EXPECT_EQ(play->dim->width, 40);
    EXPECT_EQ(play->dim->height, 10);
    EXPECT_EQ(std::dynamic_pointer_cast<TImageButton>(play)->kind, 2);

    ASSERT_TRUE(map.caption[0] && map.caption[1]);
    EXPECT_NE(map.caption[0], map.caption[1]);
    EXPECT_NE(map.caption[0]->dim, map.caption[1]->dim);
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(map.caption[i]->text, "");
        EXPECT_EQ(map.caption[i]->dim->x, 400);
        EXPECT_EQ(map.caption[i]->dim->y, 564);
    }
    EXPECT_FALSE(map.caption[2]);
    EXPECT_FALSE(map.caption[3]);
    EXPECT_EQ(map.alpha, 1.0f);
    EXPECT_EQ(map.fade, 0);
}

TEST_F(MapLoadTest, MissingOrFaultyDocumentsLeaveAWorkingEmptyMap) {
    struct Case {
        const char* name;
        std::map<std::string, std::string> archive;
        bool notified;
    };
    const std::vector<Case> cases{
        {"no entry", {}, false},
        {"syntax error", {{"map.tsc", "Levels{ A{ Number=1 Kind=1 "}}, true},
        {"no groups", {{"map.tsc", "Other{ Kind=1 }"}}, false},
        {"stages only", {{"map.tsc", R"(Stages{ S{ Number=1 X=1 Y=2 } })"}}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ResetQuestGlobals();
        control->notifications.clear();
        WriteArchive(resources + "data/settings_lp.bca", c.archive);
        testing::internal::CaptureStdout();
        EXPECT_EQ(map.Load(), 0);
        testing::internal::GetCapturedStdout();
        EXPECT_TRUE(map.mapLevels.empty());
        // No map pictures exist at all: only the Play button's loader reports its picture.
        bool bbError = false, playReported = false;
        for (const std::string& n : control->notifications) {
            bbError |= n.rfind("Final BBError: ", 0) == 0;
            playReported |= n == "Nie mozna zaladowac obrazka: " + resources + "gfx/fonts/play_mapa.png";
        }
        EXPECT_EQ(bbError, c.notified);
        EXPECT_TRUE(playReported);
        EXPECT_TRUE(map.menu->GetItem(2));
    }
    // A stage without its picture is still kept; it simply draws nothing.
    ASSERT_EQ(map.mapStages.size(), 1u);
    EXPECT_FALSE(map.mapStages[0]->image);
    EXPECT_EQ(map.mapStages[0]->imagePath, "");
}

} // namespace
} // namespace vsm::test
