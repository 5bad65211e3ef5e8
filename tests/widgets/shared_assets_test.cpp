// Tests of loading the assets every screen shares.
#include "widgets/WidgetTest.h"

#include "services/Paths.h"
#include "services/ServicesGlobals.h"
#include "services/TGlobalSnd.h"
#include "support/TestSupport.h"
#include "widgets/SharedAssets.h"
#include "widgets/TContainer.h"
#include "widgets/TFont.h"

namespace vsm::test {
namespace {

class SharedAssetsTest : public WidgetTest {
  protected:
    void SetUp() override {
        WidgetTest::SetUp();
        ResetServicesGlobals();
    }
    void TearDown() override {
        ResetServicesGlobals();
        WidgetTest::TearDown();
    }
};

TEST_F(SharedAssetsTest, FillsTheFontsTheContainerAndTheSoundBank) {
    bDir = ResourcesDir();
    LoadSharedAssets();
    ASSERT_TRUE(fonts[0] && fonts[1]);
    EXPECT_EQ(fonts[0]->Size, 30);
    EXPECT_EQ(fonts[1]->Size, 32);
    EXPECT_GT(fonts[1]->letters.size(), 1u) << "the strip was cut into letters";

    const ImagePtr top = data.GetImage(DATA_SCROLL_TOP);
    const ImagePtr middle = data.GetImage(DATA_SCROLL_MIDDLE);
    const ImagePtr bottom = data.GetImage(DATA_SCROLL_BOTTOM);
    ASSERT_TRUE(top && middle && bottom);
    EXPECT_EQ(std::make_pair(top->handleX, top->handleY), std::make_pair(175.0f, 55.0f));
    EXPECT_EQ(std::make_pair(middle->handleX, middle->handleY),
              std::make_pair(middle->width / 2.0f, middle->height / 2.0f));
    EXPECT_EQ(std::make_pair(bottom->handleX, bottom->handleY), std::make_pair(175.0f, 0.0f));
    for (int id = DATA_FONT_TITLE_28; id <= DATA_FONT_CAPITALS_16; ++id)
        EXPECT_TRUE(data.GetTTFont(id)) << id;
    EXPECT_GT(FontHeight(data.GetTTFont(DATA_FONT_TITLE_40)), FontHeight(data.GetTTFont(DATA_FONT_TITLE_16)));
    EXPECT_TRUE(data.GetImage(DATA_ROPE));
    for (int i = 0; i < GLOBAL_SOUNDS; ++i)
        EXPECT_TRUE(globalSnd.sfx[i]) << i;
}

TEST_F(SharedAssetsTest, MissingFilesLeaveEmptySlotsAndABlankFont) {
    bDir = ScratchDir("shared-assets") + "/";
    LoadSharedAssets();
    ASSERT_TRUE(fonts[0]);
    EXPECT_EQ(fonts[0]->letters.size(), 1u);
    EXPECT_FALSE(data.GetImage(DATA_SCROLL_TOP));
    EXPECT_FALSE(data.GetTTFont(DATA_FONT_TITLE_28));
    EXPECT_FALSE(globalSnd.sfx[6]);
}

} // namespace
} // namespace vsm::test
