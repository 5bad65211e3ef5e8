// A save the per-user folder refuses: every campaign save point of the shell and the exit hook tell
// the player on the screen which folder refused it, and the files saved before stay whole.
#include "shell/ShellFixture.h"

#include "board/TRuneManager.h"
#include "data/DataFolders.h"
#include "frontend/TTitleScreen.h"
#include "modes/CampaignSave.h"
#include "platform/Files.h"
#include "platform/System.h"
#include "profiles/OptionsDocument.h"
#include "profiles/TProfileManager.h"
#include "services/GameFlags.h"
#include "shell/MainFlow.h"
#include "shell/SaveOnEnd.h"
#include "shell/ShellScreens.h"
#include "support/TestAssets.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vsm::test {

namespace {

// One board level: a won level is the last one, so no map follows its save.
const char* const SEQUENCE = R"(Sequence{
	FirstLevel=1
	LastLevel=1
	Level1{ FileName="level_01.tsc" Type=1 }
}
)";

const char* const BLOCKS = R"(List{
	Quantity=1
	Block1{ id="p1" title="Single" description="1" width=1 height=1 pieces=1 piece1=0,0 }
}
)";

const std::string KEPT =
    ".\nWhat was saved before is kept. Check that the folder exists, has room and can be "
    "written to.";

class FailedSave : public ShellFixture {
  protected:
    void SetUp() override {
        ShellFixture::SetUp();
        WriteData({{"sequencer.tsc", SEQUENCE}, {"blocks.tsc", BLOCKS}});
        WriteArchive(
            resources + "data/davar_levels_lp.bca",
            {{"pack.txt", "marker"},
             {"level_01.tsc",
              R"(Settings{ Level{ Number=1 GoalType=1 AvailableDavar="1" AvailableBlocks="p1" } })"}});
        Assemble();
        auto rune = std::make_shared<TRune>();
        rune->id = "1";
        rune->color = "1";
        davar.List.push_back(rune);
        CreatePlayer("Ann");
        ClickThrough();
    }
    void TearDown() override {
        SetFileFaultHook(nullptr);
        ShellFixture::TearDown();
    }

    std::string ProfileFile() const { return profile.path + "/Ann.dat"; }
    std::string OptionsFile() const { return myDocsFolder + "/data/options.tsc"; }
};

TEST_F(FailedSave, EverySavePointNamesTheRefusingFolderAndKeepsTheOldFiles) {
    const std::string progress = "Your progress could not be saved in the folder\n" + profile.path;
    const std::string both =
        progress + "\nand your options not in the folder\n" + myDocsFolder + "/data" + KEPT;
    const std::string optionsOnly =
        "Your options could not be saved in the folder\n" + myDocsFolder + "/data" + KEPT;
    struct Case {
        const char* what;
        std::function<void()> save;
        std::vector<std::string> told;
    } cases[] = {
        {"a campaign level won",
         [] {
             profile.SetNumber("level", 1, 0);
             profile.SetNumber("gameState", 1, 1);
             shellScreens.titleShow = [] { return TITLE_CONTINUE; };
             shellScreens.questLevel = [](int) { return 0; };
             MainFlowRound();
         },
         {progress + KEPT}},
        {"a new campaign begun over the old one, its first level won",
         [] {
             shellScreens.titleShow = [] { return TITLE_NEW_CAMPAIGN; };
             shellScreens.questLevel = [](int) { return 0; };
             MainFlowRound();
         },
         {progress + KEPT, progress + KEPT}},
        {"leaving play for the title screen",
         [] {
             saveToProfile = 1;
             saveOptions();
         },
         {both}},
        {"the program ending during a campaign",
         [] {
             saveToProfile = 1;
             OnEnd(saveOnEnd);
             RunExitHook(false);
         },
         {both}},
        {"the program ending outside a campaign",
         [] {
             saveToProfile = 0;
             OnEnd(saveOnEnd);
             RunExitHook(false);
         },
         {optionsOnly}},
        {"the program ending on an error",
         [] {
             saveToProfile = 1;
             OnEnd(saveOnEnd);
             RunExitHook(true);
         },
         {optionsOnly}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetFileFaultHook(nullptr);
        ASSERT_EQ(SaveOptionsOnly(), 0);
        const std::optional<std::string> oldProfile = LoadText(ProfileFile());
        const std::optional<std::string> oldOptions = LoadText(OptionsFile());
        ASSERT_TRUE(oldProfile && oldOptions);
        control->notifications.clear();
        SetFileFaultHook([this](FileOp op, const std::string& path) {
            return op != FileOp::Write || path.rfind(userHome, 0) != 0;
        });
        testing::internal::CaptureStdout();
        c.save();
        testing::internal::GetCapturedStdout();
        SetFileFaultHook(nullptr);
        EXPECT_EQ(control->notifications, c.told);
        EXPECT_EQ(LoadText(ProfileFile()), oldProfile);
        EXPECT_EQ(LoadText(OptionsFile()), oldOptions);
    }
}

} // namespace

} // namespace vsm::test
