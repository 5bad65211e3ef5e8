// Gallery: the list shared with the revealed pictures, stepping with wrap-around and its
// cross-fades, the loop's buttons and close request, and the picture-puzzle replay's sizes.
#include "frontend/FrontendFixture.h"

#include "frontend/FrontendScreens.h"
#include "frontend/TGallery.h"
#include "frontend/TTitleScreen.h"
#include "overlays/TOptionsWindow.h"
#include "platform/System.h"
#include "profiles/TProfileManager.h"
#include "services/GameFlags.h"
#include "services/TSlidesManager.h"
#include "services/TSpark.h"
#include "support/ScreenInk.h"
#include "support/TestAssets.h"
#include "widgets/TMenu.h"

#include <string>
#include <vector>

namespace vsm::test {
namespace {

using Strings = std::vector<std::string>;

const Strings PICTURES = {"gfx/slides/n-02.jpg", "gfx/slides/n-03.jpg", "gfx/slides/n-04.jpg"};

class Gallery : public FrontendFixture {
  protected:
    // The player's revealed pictures, saved in the profile.
    static void Pictures(const Strings& list) { profile.SetList("revealedImages", list, 1); }
    // Runs Update until the change ends; returns the frames it took.
    static int SettleChange() {
        int frames = 0;
        while (gallery.changeImage != 0.0f && frames < 1000) {
            gallery.Update();
            ++frames;
        }
        return frames;
    }
};

TEST_F(Gallery, AProfileWithoutPicturesShowsTheFirstOneAndKeepsItWithTheRevealedPictures) {
    gallery.Start(1);
    EXPECT_EQ(*gallery.imagesList, (Strings{GALLERY_FIRST_PICTURE}));
    EXPECT_EQ(gallery.imagesList, &slides.revealedImages) << "the gallery shares the revealed list";
    EXPECT_EQ(gallery.actual, 1);

    // What the quest reveals and saves shows at the next opening.
    profile.SetList("revealedImages", {"gfx/slides/n-05.jpg"}, 1);
    gallery.Start(1);
    EXPECT_EQ(*gallery.imagesList, (Strings{"gfx/slides/n-05.jpg"}));

    // With no player selected the gallery still opens, on the first picture.
    profile = TProfileManager();
    gallery.Start(1);
    EXPECT_EQ(*gallery.imagesList, (Strings{GALLERY_FIRST_PICTURE}));
}

TEST_F(Gallery, StepsWrapAroundAndWaitForTheRunningChange) {
    Pictures(PICTURES);
    gallery.Start(1);
    EXPECT_EQ(gallery.imgOne, nullptr);
    ASSERT_NE(gallery.imgTwo, nullptr);
    // The first picture fades in from nothing over 51 frames.
    EXPECT_EQ(SettleChange(), FADE_FRAMES);
    EXPECT_NE(gallery.imgOne, nullptr);
    EXPECT_EQ(gallery.imgTwo, nullptr);

    gallery.prevImage();
    EXPECT_EQ(gallery.actual, 3) << "before the first comes the last";
    gallery.nextImage();
    gallery.prevImage();
    EXPECT_EQ(gallery.actual, 3) << "no step while a change runs";
    SettleChange();
    gallery.nextImage();
    EXPECT_EQ(gallery.actual, 1) << "past the last comes the first";
    SettleChange();
    gallery.nextImage();
    EXPECT_EQ(gallery.actual, 2);

    // A replay starts the gallery again on the picture it showed.
    SettleChange();
    gallery.Start(0);
    EXPECT_EQ(gallery.actual, 2);
}

TEST_F(Gallery, APictureThatDoesNotLoadBringsTheShownOneBack) {
    Pictures({"gfx/slides/n-02.jpg", "gfx/slides/missing.jpg"});
    gallery.Start(1);
    SettleChange();
    const ImagePtr shown = gallery.imgOne;
    gallery.nextImage();
    EXPECT_EQ(gallery.imgTwo, nullptr);
    SettleChange();
    EXPECT_EQ(gallery.imgOne, shown);
    EXPECT_EQ(gallery.actual, 2);
}

TEST_F(Gallery, ARevealedPictureOutsideTheResourcesIsRefusedWithOneLine) {
    const std::string climbing = "gfx/slides/../../../../../../../../../../dev/zero";
    Pictures({climbing, "gfx/slides/n-02.jpg", "/dev/zero"});
    int replays = 0;
    frontendScreens.replayPuzzle = [&](int, int, const std::string&, const std::string&) {
        return ++replays;
    };
    Strings lines;
    SetPrintListener([&](const std::string& line) {
        if (line.find("Revealed picture") != std::string::npos) lines.push_back(line);
    });
    int firstShown = -1, secondShown = -1;
    control->SetScript([&](int frame, FrameInput& in) {
        const int step = FADE_FRAMES + 4;
        if (frame == step) {
            firstShown = gallery.imgOne != nullptr;
            in = GalleryClick(GALLERY_NEXT);
        }
        if (frame == 2 * step) {
            secondShown = gallery.imgOne != nullptr;
            in = GalleryClick(GALLERY_NEXT);
        }
        if (frame == 3 * step) in = GalleryClick(GALLERY_PUZZLE);
        if (frame == 3 * step + 5) in = GalleryClick(GALLERY_BACK);
        return frame < 1000;
    });
    gallery.show();
    SetPrintListener(nullptr);
    EXPECT_EQ(firstShown, 0);
    EXPECT_EQ(secondShown, 1) << "a picture inside the resources still shows";
    EXPECT_EQ(replays, 0) << "a refused picture is not replayed";
    EXPECT_EQ(lines,
              (Strings{"Revealed picture \"" + climbing + "\" lies outside the resources folder; not shown",
                       "Revealed picture \"/dev/zero\" lies outside the resources folder; not shown",
                       "Revealed picture \"/dev/zero\" lies outside the resources folder; not shown"}));
}

TEST_F(Gallery, TheBackButtonLeavesToTheMainMenuAndACloseRequestEndsTheProgram) {
    Pictures(PICTURES);
    titleScreen.playMusic();
    optionsWindow.SetState(MENU_OPTIONS, 0, MENU_WINDOW_X, MENU_WINDOW_Y);
    int clicks = -1;
    control->SetScript([&](int frame, FrameInput& in) {
        if (frame == FADE_FRAMES + 4) in = GalleryClick(GALLERY_NEXT); // once the opening change ended
        if (frame == 60) clicks = CountCues(*control, "");
        if (frame == 61) in = GalleryClick(GALLERY_WALLPAPER);
        if (frame == 62) in = GalleryClick(GALLERY_BACK);
        return frame < 200;
    });
    const int start = control->Frame();
    gallery.show();
    EXPECT_LT(control->Frame() - start, 70) << "the back button leaves at once";
    EXPECT_EQ(gallery.actual, 2);
    EXPECT_EQ(CountCues(*control, "") - clicks, 1) << "the wallpaper button is silent, back clicks";
    EXPECT_EQ(gallery.menu, nullptr);
    EXPECT_EQ(gallery.imgOne, nullptr);
    EXPECT_EQ(optionsWindow.State, MENU_MAIN);
    EXPECT_LT(optionsWindow.alpha, 0.05f);
    EXPECT_EQ(optionsWindow.music, titleScreen.music);

    std::vector<FrameInput> frames(10);
    frames.push_back(Close());
    Script(frames, 100);
    const int opened = control->Frame();
    EXPECT_THROW(gallery.show(), ProgramEnd);
    EXPECT_LE(control->Frame() - opened, 12) << "the close request ends the program in its frame";
}

TEST_F(Gallery, TheReplayCutsTheShownPictureIntoTheChosenSize) {
    Pictures(PICTURES);
    struct Call {
        int width = 0, height = 0;
        std::string music, picture;
        int readFromProfile = -1, playing = -1;
    };
    std::vector<Call> calls;
    frontendScreens.replayPuzzle = [&](int w, int h, const std::string& music, const std::string& picture) {
        calls.push_back({w, h, music, picture, readFromProfile, titleScreen.Playing});
        return 0;
    };
    struct Row {
        int button;
        int width, height; // 0: no puzzle
    };
    for (const Row& row : std::vector<Row>{
             {BUTTON_EASY, 6, 5}, {BUTTON_NORMAL, 8, 6}, {BUTTON_HARD, 8, 8}, {BUTTON_BACK, 0, 0}}) {
        SCOPED_TRACE(row.button);
        calls.clear();
        readFromProfile = 1;
        titleScreen.stopMusic();
        titleScreen.playMusic();
        gallery.Start(1);
        SettleChange();
        gallery.nextImage(); // the second picture
        SettleChange();
        control->ClearSoundLog();
        control->SetScript([&](int frame, FrameInput& in) {
            if (frame == 3) in = ClickOn(row.button);
            return frame < 100;
        });
        gallery.playPuzzles();
        if (row.width == 0) {
            EXPECT_TRUE(calls.empty());
            EXPECT_NE(gallery.menu, nullptr) << "back leaves the gallery as it was";
            EXPECT_EQ(CountCues(*control, "glyndra-song.ogg"), 0);
            continue;
        }
        ASSERT_EQ(calls.size(), 1u);
        EXPECT_EQ(calls[0].width, row.width);
        EXPECT_EQ(calls[0].height, row.height);
        EXPECT_EQ(calls[0].music, "sfx/glyndra-puzzle.ogg");
        EXPECT_EQ(calls[0].picture, "gfx/slides/n-03.jpg");
        EXPECT_EQ(calls[0].readFromProfile, 0) << "the puzzle starts scrambled";
        EXPECT_EQ(calls[0].playing, 0) << "the title song is off during the puzzle";
        EXPECT_EQ(readFromProfile, 1);
        EXPECT_EQ(titleScreen.Playing, 1);
        EXPECT_EQ(CountCues(*control, "glyndra-song.ogg"), 1) << "the song starts again from its beginning";
        EXPECT_EQ(gallery.actual, 2);
        EXPECT_NE(gallery.imgTwo, nullptr) << "the same picture fades in anew";
        EXPECT_TRUE(SparkList.IsEmpty());
    }

    // A size chosen in the frame of a close request ends the program.
    calls.clear();
    gallery.Start(1);
    control->SetScript([&](int frame, FrameInput& in) {
        if (frame == 3) {
            in = ClickOn(BUTTON_EASY);
            in.terminate = true;
        }
        return frame < 100;
    });
    EXPECT_THROW(gallery.playPuzzles(), ProgramEnd);
    EXPECT_TRUE(calls.empty());
}

TEST_F(Gallery, EveryButtonStandsWholeOnTheScreenAndBackIsCentredUnderThePicture) {
    gallery.Start(1);
    for (int frame = 0; frame < FADE_FRAMES; ++frame)
        gallery.Update();
    control->ClearDrawLog();
    gallery.Draw();
    const int ids[] = {GALLERY_PREVIOUS, GALLERY_NEXT, GALLERY_WALLPAPER, GALLERY_PUZZLE, GALLERY_BACK};
    InkBox screen;
    screen.Add(0, 0, 800, 600);
    for (int id : ids) {
        SCOPED_TRACE(id);
        const ButtonPtr button = gallery.menu->GetItem(id);
        ASSERT_TRUE(button && button->image);
        InkBox drawn;
        for (const DrawCall& c : control->DrawLog())
            if (c.image == button->image) drawn.Add(DrawnInk(c, 1));
        ASSERT_FALSE(drawn.empty);
        EXPECT_TRUE(drawn.Inside(screen)) << drawn;
        if (id == GALLERY_BACK) {
            EXPECT_NEAR(drawn.CentreX(), 400, 2) << drawn;
        }
    }
}

} // namespace
} // namespace vsm::test
