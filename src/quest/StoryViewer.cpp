// StoryViewer: the story's opening fade, loading frame, cross-fade into page 1, page loop with
// timed and clicked turns, voice cut-off and closing fade.
#include "quest/StoryViewer.h"

#include "platform/EndFrame.h"
#include "platform/Input.h"
#include "platform/System.h"
#include "quest/TStory.h"
#include "services/TDeltaTime.h"
#include "services/TGlobalSnd.h"
#include "services/TMouse.h"
#include "services/TSongManager.h"
#include "widgets/SharedImageIds.h"
#include "widgets/TContainer.h"

#include <cstdint>

namespace vsm {

namespace {

constexpr float STORY_BOTTOM_Y = 381;
constexpr float SKIP_X = 319, NEXT_X = 413, BUTTONS_Y = 572;

// The buttons' hit boxes, strict on every side.
bool OverSkip(int x, int y) {
    return x > 319 && x < 383 && y > 572 && y < 592;
}
bool OverNext(int x, int y) {
    return x > 413 && x < 471 && y > 572 && y < 592;
}

class StoryViewer {
  public:
    explicit StoryViewer(int part) : part(part), loadingText(data.GetImage(DATA_LOADING_TEXT)) {}

    int Run(int fadeIn);

  private:
    void OpeningFade();
    void LoadingFrame();
    void CrossFadeIn();
    void StartVoice();
    void PageFrame();
    void Turn();
    void ClosingFade();

    int part;
    ImagePtr loadingText;
    TStory story;
    AudioStreamPtr musicStream;
    AudioStreamPtr voiceStream;
    int64_t voiceStart = 0;

    int page = 1;
    int previousPictureY = 0;
    int64_t pageStart = 0;
    float pictureFade = 0;
    float textFade = 0;
    bool turnPending = false;
    bool endReached = false;
    bool autoTurnOff = false;
    bool overSkip = false;
    bool overNext = false;
    bool leaving = false;
    bool closeRequested = false;
};

int StoryViewer::Run(int fadeIn) {
    SetTransform(0, 1, 1);
    if (fadeIn != 0) OpeningFade();
    LoadingFrame();
    story.loadStory(part);
    if (story.pageCount < 1) {
        Print("Story " + std::to_string(part) + " has no pages to show");
        return 0;
    }
    musicStream = playMusicStream("sfx/davar-lost-in-vessamoor.ogg", 1, 0.6f);
    SetColor(255, 255, 255);
    CrossFadeIn();
    StartVoice();

    SetAlpha(1);
    pageStart = MilliSecs64();
    // The first page frame must not count the time of the cross-fade.
    deltaTime.Update();
    while (!leaving)
        PageFrame();

    if (voiceStream) {
        voiceStream->stop();
        voiceStream->free();
    }
    ClosingFade();
    musicStream->stop();
    musicStream->free();
    // The profile was saved before the story began, so nothing is lost by ending here.
    if (closeRequested) End();
    return 0;
}

void StoryViewer::OpeningFade() {
    SetBlend(ALPHABLEND);
    for (int i = 0; i <= 20; ++i) {
        SetAlpha(static_cast<float>(i) / 20);
        SetColor(0, 0, 0);
        DrawRect(0, 0, 800, 600);
        SetColor(255, 255, 255);
        DrawImage(loadingText, 400, 300);
        EndFrame();
    }
}

void StoryViewer::LoadingFrame() {
    SetColor(255, 255, 255);
    Cls();
    SetAlpha(1);
    DrawImage(loadingText, 400, 300);
    EndFrame();
}

void StoryViewer::CrossFadeIn() {
    for (int i = 0; i <= 30; ++i) {
        const float in = static_cast<float>(i) / 30;
        mouse.fetchState(0);
        Cls();
        SetAlpha(1 - in);
        DrawImage(loadingText, 400, 300);
        SetAlpha(in);
        DrawImage(story.pictures[0], 0, static_cast<float>(story.pictureY));
        DrawImage(story.storyTop, 0, 0);
        DrawImage(story.storyBottom, 0, STORY_BOTTOM_Y);
        DrawImage(story.skipButtonImage, SKIP_X, BUTTONS_Y);
        DrawImage(story.nextButtonImage, NEXT_X, BUTTONS_Y);
        story.currentText.Draw(in);
        mouse.Draw(1, 1);
        EndFrame();
        musicStream->update();
    }
}

void StoryViewer::StartVoice() {
    if (story.voiceName.empty()) return;
    // Straight from the song cache, where loading preloaded it as a loop: a voice file that is
    // missing plays nothing rather than some other song. Its factor 1.2 tops out at the
    // channel's full volume.
    voiceStream = std::make_shared<TAudioStream>();
    voiceStream->mf = songManager.playSong(story.voiceName, 0, 1.2f);
    voiceStart = MilliSecs64();
}

void StoryViewer::PageFrame() {
    deltaTime.Update();
    delta = deltaTime.CurrDelta();
    mouse.fetchState(0);
    const int64_t now = MilliSecs64();
    if (story.pageTime >= 0 && !autoTurnOff && now - pageStart > story.pageTime) {
        turnPending = true;
        if (page == story.pageCount) autoTurnOff = true;
    }

    const auto slot = static_cast<size_t>(page - 1);
    if (pictureFade > 0) {
        pictureFade -= static_cast<float>(2 * delta);
        SetAlpha(pictureFade / 100);
        if (slot >= 1) DrawImage(story.pictures[slot - 1], 0, static_cast<float>(previousPictureY));
        SetAlpha(1 - pictureFade / 100);
        DrawImage(story.pictures[slot], 0, static_cast<float>(story.pictureY));
    } else {
        SetAlpha(1);
        DrawImage(story.pictures[slot], 0, static_cast<float>(story.pictureY));
    }
    SetAlpha(1);
    DrawImage(story.storyTop, 0, 0);
    DrawImage(story.storyBottom, 0, STORY_BOTTOM_Y);
    if (textFade > 0) {
        textFade -= static_cast<float>(2 * delta);
        story.previousText.Draw(textFade / 100);
        story.currentText.Draw(1 - textFade / 100);
    } else {
        story.currentText.Draw(1);
    }
    if (turnPending) {
        Turn();
        turnPending = false;
    }

    SetAlpha(1);
    const int skipShade = overSkip ? 200 : 255;
    SetColor(skipShade, skipShade, skipShade);
    DrawImage(story.skipButtonImage, SKIP_X, BUTTONS_Y);
    const int nextShade = overNext ? 200 : 255;
    SetColor(nextShade, nextShade, nextShade);
    DrawImage(story.nextButtonImage, NEXT_X, BUTTONS_Y);
    SetColor(255, 255, 255);
    mouse.Draw(1, 1);
    EndFrame();

    if (KeyHit(KEY_ESCAPE) != 0) leaving = true;
    if (AppTerminate() != 0) {
        closeRequested = true;
        leaving = true;
    }
    overSkip = OverSkip(mouse.x, mouse.y);
    overNext = OverNext(mouse.x, mouse.y);
    if (mouse.leftPressed != 0) {
        if (overNext) {
            turnPending = true;
            globalSnd.click();
            autoTurnOff = true;
            if (endReached) leaving = true;
        }
        if (overSkip) {
            leaving = true;
            globalSnd.click();
        }
    }
    if (voiceStream) {
        if (voiceStart + story.voiceStopAfter < MilliSecs64())
            voiceStream->stop();
        else
            voiceStream->update();
    }
    musicStream->update();
}

void StoryViewer::Turn() {
    ++page;
    if (page > story.pageCount) {
        // Past the last page nothing changes; the next Next leaves.
        page = story.pageCount;
        endReached = true;
        return;
    }
    endReached = false;
    const auto slot = static_cast<size_t>(page - 1);
    // A "<<" page shares the very picture of the page before and keeps it still.
    if (story.pictures[slot] != story.pictures[slot - 1]) pictureFade = 100;
    textFade = 100;
    previousPictureY = story.pictureY;
    story.previousText.Copy(story.currentText);
    story.currentText.Clear();
    story.readPage(page);
    pageStart = MilliSecs64();
}

void StoryViewer::ClosingFade() {
    SetBlend(ALPHABLEND);
    for (int i = 0; i <= 20; ++i) {
        SetColor(0, 0, 0);
        SetAlpha(static_cast<float>(i) / 20);
        DrawRect(0, 0, 800, 600);
        mouse.Draw(1, 1);
        EndFrame();
        musicStream->update();
    }
    SetColor(255, 255, 255);
}

} // namespace

int showStory(int part, int fadeIn) {
    StoryViewer viewer(part);
    return viewer.Run(fadeIn);
}

} // namespace vsm
