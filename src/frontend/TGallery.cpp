// TGallery: the revealed pictures, their cross-fades, the buttons and the gallery's loop.
#include "frontend/TGallery.h"

#include "data/ImageLoaders.h"
#include "frontend/FrontendFrame.h"
#include "frontend/TTitleScreen.h"
#include "overlays/TOptionsWindow.h"
#include "platform/EndFrame.h"
#include "platform/Files.h"
#include "platform/Graphics.h"
#include "platform/Input.h"
#include "platform/System.h"
#include "profiles/TProfileManager.h"
#include "services/Paths.h"
#include "services/TDeltaTime.h"
#include "services/TGlobalSnd.h"
#include "services/TMouse.h"
#include "services/TSlidesManager.h"
#include "services/TSpark.h"
#include "widgets/TAnimButton.h"
#include "widgets/TImageButton.h"
#include "widgets/TMenu.h"

namespace vsm {

TGallery gallery;

namespace {

// The gallery's loop ends on these result codes.
constexpr int GALLERY_LEFT = 3;
constexpr int GALLERY_CLOSED = 4;

DimPtr Corner(float x, float y) {
    return CreateDim(x, y, 0, 0, 0, 1.0f, 1.0f, 0);
}

} // namespace

bool RevealedPictureAllowed(const std::string& picture) {
    if (StaysInside(picture)) return true;
    Print("Revealed picture \"" + picture + "\" lies outside the resources folder; not shown");
    return false;
}

int TGallery::Count() const {
    return imagesList ? static_cast<int>(imagesList->size()) : 0;
}

int TGallery::loadGfx() {
    bgjp2 = LoadJPEG2000(bDir + "gfx/title/galeria.jp2");
    return 0;
}

int TGallery::loadSlide() {
    imgTwo = nullptr;
    if (actual < 1 || actual > Count()) return 0;
    const std::string& picture = (*imagesList)[static_cast<size_t>(actual - 1)];
    if (RevealedPictureAllowed(picture)) imgTwo = LoadImage(bDir + picture, FILTEREDIMAGE | MIPMAPPEDIMAGE);
    return 0;
}

int TGallery::Start(int flag) {
    bg = LoadImage(bgjp2);
    title = LoadImage(bDir + "gfx/fonts/galeria_11.png");
    imgOne = nullptr;
    imgTwo = nullptr;
    alphaOne = 0.0f;
    alphaTwo = 0.0f;
    changeImage = 0.0f;
    if (flag != 0)
        actual = 0;
    else
        actual = actual - 1 < 0 ? 0 : actual - 1;
    // The gallery works on the slides manager's own list: what it appends is saved with the
    // profile, and what the quest reveals shows here.
    slides.revealedImages = profile.GetList("revealedImages").value_or(std::vector<std::string>());
    imagesList = &slides.revealedImages;
    if (imagesList->empty()) imagesList->push_back(GALLERY_FIRST_PICTURE);
    nextImage();

    menu = std::make_shared<TMenu>();
    menu->AddItem(CreateImageButton(optionsWindow.arows[0], Corner(365, 502), GALLERY_PREVIOUS, 1.0f, 1));
    menu->AddItem(CreateImageButton(optionsWindow.arows[1], Corner(420, 502), GALLERY_NEXT, 1.0f, 1));
    menu->AddItem(CreateAnimButton(bDir + "gfx/fonts/galeria_03.png", Corner(100, 500), GALLERY_WALLPAPER, 2,
                                   1, 0, 1.0f, -1));
    menu->AddItem(CreateAnimButton(bDir + "gfx/fonts/galeria_05.png", Corner(600, 497), GALLERY_PUZZLE, 2, 1,
                                   0, 1.0f, -1));
    menu->AddItem(CreateAnimButton(bDir + "gfx/fonts/galeria_07.png", Corner(335, 571), GALLERY_BACK, 2, 1, 0,
                                   1.0f, -1));
    return 0;
}

int TGallery::nextImage() {
    if (Count() < 1 || changeImage != 0.0f) return 0;
    ++actual;
    if (actual > Count()) actual = 1;
    changeImage = 1.0f;
    loadSlide();
    return 0;
}

int TGallery::prevImage() {
    if (Count() < 1 || changeImage != 0.0f) return 0;
    --actual;
    if (actual < 1) actual = Count();
    changeImage = 1.0f;
    loadSlide();
    return 0;
}

int TGallery::Update() {
    alphaOne += 0.02f;
    if (!(alphaOne <= 1.0f)) alphaOne = 1.0f;
    changeImage -= 0.02f;
    if (!(changeImage >= 0.0f)) changeImage = 0.0f;
    if (changeImage == 0.0f && imgTwo) {
        imgOne = imgTwo;
        imgTwo = nullptr;
    }
    return 0;
}

int TGallery::Draw() {
    SetBlend(ALPHABLEND);
    SetColor(255, 255, 255);
    SetScale(0.7f, 0.7f);
    if (changeImage == 0.0f) {
        SetAlpha(alphaOne);
        if (imgOne) DrawImage(imgOne, 120, 80);
    } else {
        SetAlpha(changeImage);
        if (imgOne) DrawImage(imgOne, 120, 80);
        SetAlpha(1.0f - changeImage);
        if (imgTwo) DrawImage(imgTwo, 120, 80);
    }
    SetTransform(0, 1, 1);
    SetAlpha(1.0f);
    DrawImage(bg, 0, 0);
    DrawImage(title, 347, 8);
    SetAlpha(1.0f);
    SetScale(1, 1);
    if (menu) menu->Draw(1.0f);
    return 0;
}

int TGallery::show() {
    int result = 0;
    Start(1);
    UpdateTitleMusic();
    while (result < GALLERY_LEFT) {
        // The gallery counts frames: sparks age one step a frame whatever the last game or
        // replayed puzzle left.
        delta = 1.0;
        mouse.fetchState(0);
        Cls();
        Update();
        Draw();
        AddCursorSpark();
        TSpark::UpdateAll();
        mouse.Draw(1.0f, 1.0f);
        EndFrame();
        switch (menu ? menu->State() : 0) {
        case GALLERY_PREVIOUS:
            globalSnd.click();
            prevImage();
            break;
        case GALLERY_NEXT:
            globalSnd.click();
            nextImage();
            break;
        case GALLERY_FULLSCREEN:
            if (imgOne) {
                globalSnd.click();
                if (showFullscreen() != 0) result = GALLERY_CLOSED;
            }
            break;
        case GALLERY_WALLPAPER:
            SetWallpaper();
            break;
        case GALLERY_PUZZLE:
            globalSnd.click();
            playPuzzles();
            FlushMouse();
            break;
        case GALLERY_BACK:
            globalSnd.click();
            result = GALLERY_LEFT;
            break;
        }
        if (AppTerminate()) result = GALLERY_CLOSED;
        UpdateTitleMusic();
    }
    if (result == GALLERY_CLOSED) End();
    finish();
    optionsWindow.SetState(MENU_MAIN, 1, MENU_WINDOW_X, MENU_WINDOW_Y);
    optionsWindow.music = titleScreen.music;
    PollSystem();
    return 0;
}

int TGallery::showFullscreen() {
    FlushMouse();
    if (Count() < 1) return 0;
    while (!MouseHit(1)) {
        Cls();
        DrawImage(imgOne, 0, 0);
        EndFrame(PollOrder::BeforeFlip);
        UpdateTitleMusic();
        if (AppTerminate()) return 1;
    }
    return 0;
}

int TGallery::finish() {
    bg = nullptr;
    menu = nullptr;
    imgOne = nullptr;
    imgTwo = nullptr;
    clickedButton = 0;
    return 0;
}

int TGallery::SetWallpaper() {
    return 0;
}

} // namespace vsm
