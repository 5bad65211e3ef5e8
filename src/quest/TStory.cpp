// TStory: loading one story document with its pictures and voice, and reading its pages.
#include "quest/TStory.h"

#include "data/ImageLoaders.h"
#include "data/NumberText.h"
#include "data/TTSCFile.h"
#include "platform/System.h"
#include "services/Paths.h"
#include "services/TSongManager.h"

namespace vsm {

namespace {

int DocumentInt(const TTSCFilePtr& doc, const std::string& path, const std::string& key) {
    return NumberToInt(GetTSCNumberKey(doc, path, key, 0));
}

} // namespace

void TStory::loadStory(int storyPart) {
    part = storyPart;
    pictures.fill(nullptr);
    currentText = TDrawStoryText();
    previousText = TDrawStoryText();
    pageCount = 0;
    voiceName.clear();
    voiceStopAfter = 0;

    // The text blocks draw in whatever font is current.
    SetImageFont(LoadImageFont(bDir + "gfx/fonts/Lombardic.ttf", 22, SMOOTHFONT));
    storyTop = LoadImage(bDir + "gfx/story/top.png", 0);
    storyBottom = LoadImage(LoadJPEG2000(bDir + "gfx/story/bottom.jp2"), 0);
    nextButtonImage = LoadImage(bDir + "gfx/story/next-g.png", DEFAULT_IMAGE_FLAGS);
    skipButtonImage = LoadImage(bDir + "gfx/story/skip-g.png", DEFAULT_IMAGE_FLAGS);

    const std::string file = bDir + "data/part-" + std::to_string(part) + ".tsc";
    storyDoc = CreateTSCFile();
    try {
        LoadTSCFile(storyDoc, file);
    } catch (const TSCError& e) {
        // A new campaign must still start: the story is skipped, not the game.
        Print("Story " + file + " not read: " + e.what());
        storyDoc = CreateTSCFile();
    }

    const std::string group = "Story" + std::to_string(part);
    GetTSCStringKey(storyDoc, group, "Music", 0); // the story music is fixed; read for its report
    pageCount = DocumentInt(storyDoc, group, "Pages");
    if (pageCount > MAX_PAGES) {
        Print("Story " + file + " has " + std::to_string(pageCount) + " pages; showing the first " +
              std::to_string(MAX_PAGES));
        pageCount = MAX_PAGES;
    }
    if (pageCount < 0) pageCount = 0;
    voiceName = GetTSCStringKey(storyDoc, group, "Voice", 0);
    if (!voiceName.empty()) {
        voiceStopAfter = DocumentInt(storyDoc, group, "voiceStopAfter");
        songManager.loadSong(voiceName, 1);
    }

    for (int i = 1; i <= pageCount; ++i) {
        const std::string picture =
            GetTSCStringKey(storyDoc, group + "::Page" + std::to_string(i), "Picture", 0);
        const auto slot = static_cast<size_t>(i - 1);
        if (i >= 2 && picture == "<<")
            pictures[slot] = pictures[slot - 1];
        else
            pictures[slot] = LoadImage(bDir + picture, 0);
    }
    if (pageCount >= 1) readPage(1);
}

void TStory::readPage(int i) {
    const std::string page = "Story" + std::to_string(part) + "::Page" + std::to_string(i);
    pictureY = DocumentInt(storyDoc, page, "PosY");
    int lines = DocumentInt(storyDoc, page, "Lines");
    if (lines > TDrawStoryText::MAX_LINES) {
        Print("Story page " + page + " has " + std::to_string(lines) + " lines; showing the first " +
              std::to_string(TDrawStoryText::MAX_LINES));
        lines = TDrawStoryText::MAX_LINES;
    }
    currentText.lines = lines;
    pageTime = DocumentInt(storyDoc, page, "Time");
    for (int j = 1; j <= lines; ++j)
        currentText.setLine(j - 1, GetTSCStringKey(storyDoc, page, "Line" + std::to_string(j), 0));
}

} // namespace vsm
