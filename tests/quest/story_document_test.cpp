// Tests of loading a story: its pages' pictures with the "<<" shared picture, the first page's
// values, the voice preload, and documents that are missing, faulty or out of bounds.
#include "quest/QuestFixture.h"

#include "platform/audio/TSound.h"
#include "quest/TStory.h"
#include "services/TSongManager.h"
#include "support/TestAssets.h"

#include <climits>
#include <filesystem>

namespace vsm::test {
namespace {

class StoryDocumentTest : public QuestFixture {
  protected:
    void SetUp() override {
        QuestFixture::SetUp();
        Picture("pics/a.png", 61, 2);
        Picture("pics/b.png", 62, 2);
    }
    // Loads story 1 from the text and returns what it printed.
    std::string Load(const std::string& text) {
        WriteResource("data/part-1.tsc", text);
        testing::internal::CaptureStdout();
        story.loadStory(1);
        return testing::internal::GetCapturedStdout();
    }
    TStory story;
};

TEST_F(StoryDocumentTest, PagesSharePicturesOnlyThroughTheExactMark) {
    const std::string out = Load(R"(
Story1{ Music="sfx/other.ogg" Pages=6
  Page1{ Picture="pics/a.png" PosY=12.9 Lines=2.7 Time=-0.5 Line1="first" Line2="second" Line3="never" }
  Page2{ Picture="<<" }
  Page3{ Picture="<<" }
  Page4{ Picture="pics/a.png" }
  Page5{ Picture=" <<" }
  Page6{ Picture="<<<" }
})");
    // No voice: its cut-off is neither read nor reported.
    EXPECT_EQ(out, "The key Story1::Voice does not exist\n");
    EXPECT_EQ(story.pageCount, 6);
    EXPECT_EQ(story.voiceName, "");
    EXPECT_EQ(story.voiceStopAfter, 0);
    EXPECT_TRUE(songManager.songsList.IsEmpty());

    ASSERT_TRUE(story.pictures[0]);
    EXPECT_EQ(story.pictures[0]->width, 61);
    EXPECT_EQ(story.pictures[1], story.pictures[0]);
    EXPECT_EQ(story.pictures[2], story.pictures[0]);
    // The same file named again is loaded again: its own object.
    ASSERT_TRUE(story.pictures[3]);
    EXPECT_NE(story.pictures[3], story.pictures[0]);
    // Near misses of the mark are paths, and no such files exist.
    EXPECT_FALSE(story.pictures[4]);
    EXPECT_FALSE(story.pictures[5]);
    for (size_t i = 6; i < story.pictures.size(); ++i)
        EXPECT_FALSE(story.pictures[i]);

    // Page 1 is read: numbers truncated toward zero, -0.5 is not a waiting page.
    EXPECT_EQ(story.pictureY, 12);
    EXPECT_EQ(story.pageTime, 0);
    EXPECT_EQ(story.currentText.lines, 2);
    EXPECT_EQ(story.currentText.text[0], "first");
    EXPECT_EQ(story.currentText.text[1], "second");
    EXPECT_EQ(story.currentText.text[2], "");
    EXPECT_EQ(story.previousText.lines, 0);
    EXPECT_TRUE(story.storyDoc);
}

TEST_F(StoryDocumentTest, FirstPageMarkIsAPathAndNamesMatchInAnyCase) {
    Load(R"(story1{ pages=2 voice="" page1{ picture="<<" posy=7 lines=1 time=-1 line1="low" }
        PAGE2{ PICTURE="<<" } })");
    EXPECT_EQ(story.pageCount, 2);
    EXPECT_FALSE(story.pictures[0]);
    EXPECT_FALSE(story.pictures[1]);
    EXPECT_EQ(story.pictureY, 7);
    EXPECT_EQ(story.pageTime, -1);
    EXPECT_EQ(story.currentText.text[0], "low");
}

TEST_F(StoryDocumentTest, VoiceIsPreloadedAsALoopWithItsCutOff) {
    ASSERT_TRUE(WriteSilentSound(resources + "voice/v.ogg"));
    Load(R"(Story1{ Pages=1 Voice="voice/v.ogg" voiceStopAfter=1500.7 Page1{ Picture="pics/a.png" } })");
    EXPECT_EQ(story.voiceName, "voice/v.ogg");
    EXPECT_EQ(story.voiceStopAfter, 1500);
    MusicFilePtr voice = songManager.findSong("voice/v.ogg");
    ASSERT_TRUE(voice && voice->s);
    EXPECT_TRUE(voice->s->Loops());
}

TEST_F(StoryDocumentTest, HostileDocumentsAreBoundedOrEmpty) {
    std::string many = "Story1{ Pages=30 ";
    for (int i = 1; i <= 30; ++i)
        many += "Page" + std::to_string(i) + "{ Picture=\"pics/b.png\" } ";
    many += "}";
    const struct {
        const char* name;
        const char* text; // null: no file at all
        int pages;
    } cases[] = {
        {"no file", nullptr, 0},
        {"syntax error", "Story1{ Pages=2 Page1{ ", 0},
        {"no Pages", "Story1{ Page1{ Picture=\"pics/a.png\" } }", 0},
        {"negative Pages", "Story1{ Pages=-3 }", 0},
        {"another story's group", "Story2{ Pages=3 }", 0},
        {"thirty pages", many.c_str(), 26},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove(resources + "data/part-1.tsc");
        if (c.text)
            Load(c.text);
        else {
            testing::internal::CaptureStdout();
            story.loadStory(1);
            testing::internal::GetCapturedStdout();
        }
        EXPECT_EQ(story.pageCount, c.pages);
        for (int i = 0; i < TStory::MAX_PAGES; ++i)
            EXPECT_EQ(story.pictures[static_cast<size_t>(i)] != nullptr, i < c.pages) << i;
    }
}

TEST_F(StoryDocumentTest, PageValuesAreClampedToWhatAPageHolds) {
    const struct {
        const char* page;
        int lines, posY, time;
    } cases[] = {
        {"Lines=9 Line1=\"1\" Line6=\"6\" Line7=\"7\" PosY=99999999999 Time=-99999999999", 6, INT_MAX,
         INT_MIN},
        {"Lines=-2 Line1=\"1\" PosY=-4.9 Time=250.5", -2, -4, 250},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.page);
        Load(std::string("Story1{ Pages=1 Voice=\"\" Page1{ ") + c.page + " } }");
        EXPECT_EQ(story.currentText.lines, c.lines);
        EXPECT_EQ(story.pictureY, c.posY);
        EXPECT_EQ(story.pageTime, c.time);
        EXPECT_EQ(story.currentText.text[0], c.lines > 0 ? "1" : "");
        EXPECT_EQ(story.currentText.text[5], c.lines > 0 ? "6" : "");
    }
}

} // namespace
} // namespace vsm::test
