// TStory: one showing of a story document: its pictures, page count, voice and the page on show.
#pragma once

#include "platform/Graphics.h"
#include "quest/TDrawStoryText.h"

#include <array>
#include <memory>
#include <string>

namespace vsm {

class TTSCFile;

// What the story viewer loads for one showing of story `part` ("data/part-<part>.tsc" under the
// resources folder, groups "Story<part>" and "Story<part>::Page<i>"); dropped when it returns.
class TStory {
  public:
    static constexpr int MAX_PAGES = 26;

    int part = 0;
    // Stays loaded for the whole showing: page turns read their keys from it.
    std::shared_ptr<TTSCFile> storyDoc;
    // Entry i - 1 holds page i's picture; a "<<" page holds the very object of the page before.
    std::array<ImagePtr, MAX_PAGES> pictures;
    int pageCount = 0;      // 0..26
    std::string voiceName;  // relative to bDir; "" for no voice
    int voiceStopAfter = 0; // ms after the voice starts
    TDrawStoryText currentText;
    TDrawStoryText previousText;
    int pictureY = 0; // of the page on show
    int pageTime = 0; // ms before the page turns by itself; negative waits for Next
    ImagePtr storyTop;
    ImagePtr storyBottom;
    ImagePtr nextButtonImage;
    ImagePtr skipButtonImage;

    // Selects the story font and loads the frame pictures, the document, every page's picture and
    // the voice, then reads page 1. A missing or faulty document (one line on standard output) is
    // an empty story of 0 pages; more than 26 pages keep the first 26; missing pictures stay empty.
    void loadStory(int storyPart);
    // Reads page i's picture position, time and lines into the page state; currentText must be
    // empty. Lines beyond six are dropped with one line on standard output.
    void readPage(int i);
};

} // namespace vsm
