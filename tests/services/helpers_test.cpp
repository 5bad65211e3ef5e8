// Resource paths, text splitting and cutting, shadowed text, and the reset of every global.
#include "ServicesFixture.h"

#include "support/TestSupport.h"

#include <cstdlib>

namespace vsm::test {
namespace {

TEST(SplitStringTest, PiecesBetweenOneCharacterSeparatorsKeepingEmptyOnes) {
    struct Case {
        std::string text, separator;
        std::vector<std::string> pieces;
    };
    const Case cases[] = {
        {"1:2:3", ":", {"1", "2", "3"}},
        {"a,,b", ",", {"a", "", "b"}},
        {"a,", ",", {"a", ""}},
        {",a", ",", {"", "a"}},
        {",", ",", {"", ""}},
        {"", ",", {}},
        {"abc", ",", {"abc"}},
        {"a::b", "::", {"a::b"}}, // only a one-character separator can match
        {"a,b", "", {"a,b"}},
        {"żółw→kot→", "→", {"żółw", "kot", ""}}, // whole UTF-8 characters
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("\"" + c.text + "\" on \"" + c.separator + "\"");
        EXPECT_EQ(splitString(c.text, c.separator), c.pieces);
    }
}

TEST(PosTest, CharactersFromToCountedFromOne) {
    struct Case {
        std::string text;
        int from, to;
        std::string cut;
    };
    const Case cases[] = {
        {"hello", 2, 4, "ell"},  {"hello", 1, 5, "hello"}, {"hello", 3, 3, "l"}, {"hello", 0, 2, ""},
        {"hello", 2, 6, ""},     {"hello", 4, 2, ""},      {"", 1, 1, ""},       {"hello", -5, 1, ""},
        {"zażółć", 3, 5, "żół"}, // counted in characters, never cutting one in half
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text + " " + std::to_string(c.from) + ".." + std::to_string(c.to));
        EXPECT_EQ(Pos(c.text, c.from, c.to), c.cut);
    }
}

TEST(ReplaceAllTest, EveryOccurrenceLeftToRightWithoutRescanningTheReplacement) {
    struct Case {
        std::string text, from, to, result;
    };
    const Case cases[] = {
        {"level_01.tsc", "level_", "lp-", "lp-01.tsc"},
        {"/a/level_x/level_01.tsc", "level_", "lp-", "/a/lp-x/lp-01.tsc"},
        {"aaa", "a", "aa", "aaaaaa"}, // what was put in is not looked at again
        {"abc", "", "x", "abc"},
        {"", "a", "b", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text + " " + c.from + " -> " + c.to);
        EXPECT_EQ(ReplaceAll(c.text, c.from, c.to), c.result);
    }
}

TEST(ResourcePathTest, BundleRuleFindsTheReleaseBundleFromADevelopmentOne) {
    struct Case {
        std::string app, file, folder, url;
    };
    const Case cases[] = {
        {"/Apps/Game.app/Contents/MacOS/Game", "", "", "/Apps/Game.app/Contents/Resources/"},
        {"/Apps/Game.debug.app/Contents/MacOS/Game", "", "", "/Apps/Game.app/Contents/Resources/"},
        {"/Apps/Game.app/Contents/MacOS/Game", "a.png", "gfx", "/Apps/Game.app/Contents/Resources/gfx/a.png"},
        {"/Apps/My.app/x.debug.app/bin", "f", "", "/Apps/My.app/x.app/Contents/Resources/f"},
        {"/usr/bin/game", "f", "", "app/Contents/Resources/f"}, // no bundle: relative
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.app);
        EXPECT_EQ(BundleResourceURL(c.app, c.file, c.folder), c.url);
    }
}

TEST(ResourcePathTest, ResourcesFolderComesFromTheEnvironmentOrBesideTheExecutable) {
    const char* saved = std::getenv("VSM_RESOURCES");
    const std::string keep = saved ? saved : "";

    setenv("VSM_RESOURCES", "/data/res", 1);
    EXPECT_EQ(ResourcesFolder(), "/data/res/");
    setenv("VSM_RESOURCES", "/data/res/", 1);
    EXPECT_EQ(ResourcesFolder(), "/data/res/");
    EXPECT_EQ(GetBundleResourceURL("a.ogg", "sfx"), "/data/res/sfx/a.ogg");
    EXPECT_EQ(GetBundleResourceURL("", ""), "/data/res/");

    unsetenv("VSM_RESOURCES");
    EXPECT_EQ(ResourcesFolder(), AppDir() + "/resources/");
    setenv("VSM_RESOURCES", "", 1);
    EXPECT_EQ(ResourcesFolder(), AppDir() + "/resources/");

    // A folder that is not there is named once, however often it is asked for.
    const std::string missing = test::ScratchDir("nores") + "/gone";
    setenv("VSM_RESOURCES", missing.c_str(), 1);
    testing::internal::CaptureStdout();
    EXPECT_EQ(ResourcesFolder(), missing + "/");
    EXPECT_EQ(GetBundleResourceURL("a.png", "gfx"), missing + "/gfx/a.png");
    const std::string printed = testing::internal::GetCapturedStdout();
    EXPECT_NE(printed.find("resources folder " + missing + "/ cannot be found"), std::string::npos)
        << printed;
    EXPECT_EQ(printed.find("cannot be found"), printed.rfind("cannot be found")) << printed;

    if (saved)
        setenv("VSM_RESOURCES", keep.c_str(), 1);
    else
        unsetenv("VSM_RESOURCES");
}

using ShadowedTextTest = ServicesTest;

TEST_F(ShadowedTextTest, DrawsTwoShadowsThenTheTextAlignedOnX) {
    const std::string text = "Hiscores";
    const int width = TextWidth(text);
    ASSERT_GT(width, 0);
    struct Case {
        int align, dx;
    };
    for (Case c : {Case{0, 0}, Case{1, width / 2}, Case{2, width}, Case{3, 0}}) {
        SCOPED_TRACE(c.align);
        hl->ClearDrawLog();
        SetAlpha(0.5f);
        EXPECT_EQ(DrawShadowedText(text, 200, 100, nullptr, c.align, 10, 20, 30), 0);
        auto draws = Draws("text");
        ASSERT_EQ(draws.size(), 3u);
        EXPECT_EQ(draws[0].x, 200 - c.dx + 1);
        EXPECT_EQ(draws[0].y, 101);
        EXPECT_EQ(draws[0].state.r, 0);
        EXPECT_EQ(draws[1].x, 200 - c.dx - 1);
        EXPECT_EQ(draws[1].y, 99);
        EXPECT_EQ(draws[1].state.g, 100);
        EXPECT_EQ(draws[2].x, 200 - c.dx);
        EXPECT_EQ(draws[2].state.b, 30);
        EXPECT_EQ(draws[2].text, text);
        EXPECT_EQ(draws[2].state.alpha, 0.5f); // alpha is used as it is
        int r, g, b;
        GetColor(r, g, b);
        EXPECT_EQ(r + g + b, 3 * 255);
    }
}

using ServicesGlobalsTest = ServicesTest;

TEST_F(ServicesGlobalsTest, ResetBuildsTheStartUpStateAgain) {
    sparkImages[0] = CreateImage(8, 8);
    TSpark::Create(sparkImages[0], 0, 0, 1, 10, 1, 1, 1, 1, 0);
    TCometEmiter::start(0, 0, 1, 1, 0, 0, 0.1f, 0, 0, 0, 0, 1);
    TVolcanoEmiter::Create(0, 0, 1, 1, 0.1f, 3, 1, 1, 1);
    TCaptions::addCaption(CAPTION_POINTS, 1, 0, 0, 1, 0, 0);
    TSoundQ::addSound(FakeSound("x"), 10);
    playSound2(FakeSound("y"), nullptr, 0, 1);
    songManager.loadSong("missing.ogg", 0);
    slides.addRevealedImage("a");
    mouse.x = 5;
    cyfry2Width[0] = 99;
    gfxDriverSet = 1;
    delta = 3;
    bDir = "/elsewhere/";

    ResetServicesGlobals();
    EXPECT_TRUE(SparkList.IsEmpty());
    EXPECT_TRUE(cometList.IsEmpty());
    EXPECT_TRUE(volcanoList.IsEmpty());
    EXPECT_TRUE(captions.IsEmpty());
    EXPECT_TRUE(soundQueue.IsEmpty());
    EXPECT_TRUE(songManager.songsList.IsEmpty());
    EXPECT_TRUE(slides.revealedImages.empty());
    for (const ChannelPtr& c : channels)
        EXPECT_EQ(c, nullptr);
    for (const ImagePtr& i : sparkImages)
        EXPECT_EQ(i, nullptr);
    EXPECT_EQ(chnNo, 0);
    EXPECT_EQ(mouse.x, 0);
    EXPECT_EQ(cyfry2Width, (std::array<int, 10>{22, 10, 19, 19, 19, 19, 18, 16, 19, 19}));
    EXPECT_EQ(gfxDriverSet, 0);
    EXPECT_EQ(delta, 1.0);
    EXPECT_NEAR(deltaTime.dDelta, 1000.0f / 60, 1e-4);
    EXPECT_EQ(comet.active, 0);
    EXPECT_EQ(bDir, ResourcesFolder());
    EXPECT_EQ(bDir.back(), '/');
}

} // namespace
} // namespace vsm::test
