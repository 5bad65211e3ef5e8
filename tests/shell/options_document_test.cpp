// The options in the assembled game: their creation values until the document is read, and the
// exit hook's save of the options with the campaign.
#include "shell/ShellFixture.h"

#include "data/DataFolders.h"
#include "data/TTSCFile.h"
#include "level/TLevelSequencer.h"
#include "platform/Files.h"
#include "profiles/OptionsDocument.h"
#include "profiles/TProfileManager.h"
#include "services/GameFlags.h"
#include "services/OptionsSeam.h"
#include "shell/SaveOnEnd.h"

namespace vsm::test {

namespace {

class OptionsDocument : public ShellFixture {
  protected:
    void SetUp() override {
        ShellFixture::SetUp();
        Assemble();
    }
    TTSCFilePtr Saved() {
        TTSCFilePtr doc = CreateTSCFile();
        LoadTSCFile(doc, OptionsPath());
        return doc;
    }
};

TEST_F(OptionsDocument, AssemblyCreatesTheOptionsAndTheDocumentReplacesThem) {
    ASSERT_EQ(FileType(OptionsPath()), 0);
    EXPECT_EQ(options.screenMode, 2); // the creation values, before the document is read
    EXPECT_EQ(options.musicVol, 3);
    EXPECT_EQ(options.soundVol, 6);
    LoadOptions();
    EXPECT_EQ(options.screenMode, 1);
    EXPECT_EQ(options.musicVol, 5);
    EXPECT_EQ(options.soundVol, 7);
}

TEST_F(OptionsDocument, TheCampaignIsSavedWithTheOptionsOnlyWhilePlayed) {
    CreatePlayer("Ann");
    for (int playing : {0, 1}) {
        SCOPED_TRACE(playing);
        profile.SetNumber("level", 1, 1);
        saveToProfile = playing;
        sequencer.seqNo = 5;
        gameState = 2;
        saveOnEnd();
        TProfileManager fresh = TProfileManager::Create(myDocsFolder + "/profiles", "dat");
        ASSERT_EQ(fresh.SelectProfile("Ann"), 1);
        EXPECT_EQ(fresh.GetNumber("level"), playing ? 5 : 1);
        EXPECT_EQ(GetTSCNumberKey(Saved(), "Settings", "startingLevel", 0), 5);
    }
}

} // namespace

} // namespace vsm::test
