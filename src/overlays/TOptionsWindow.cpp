// TOptionsWindow: loading, fade, polling, the options screens' own buttons and drawing.
#include "overlays/TOptionsWindow.h"

#include "board/TBlocksManager.h"
#include "boardlists/TBoardSelector.h"
#include "data/ImageLoaders.h"
#include "services/GameFlags.h"
#include "services/GraphicsMode.h"
#include "services/OptionsSeam.h"
#include "services/Paths.h"
#include "services/Sound.h"
#include "services/TGlobalSnd.h"
#include "services/TSongManager.h"
#include "widgets/SharedImageIds.h"
#include "widgets/TButton.h"
#include "widgets/TContainer.h"
#include "widgets/TFont.h"
#include "widgets/TImageButton.h"
#include "widgets/TText.h"

#include <algorithm>

namespace vsm {

TOptionsWindow optionsWindow;

namespace {

// Label slots and their files; the slots not listed stay empty.
struct LabelFile {
    int slot;
    const char* path;
};
constexpr LabelFile kLabels[] = {
    {0, "gfx/fonts/n/quick_play.png"},      {1, "gfx/fonts/n/exit.png"},
    {4, "gfx/fonts/menu-resume.png"},       {5, "gfx/fonts/menu-new-game.png"},
    {6, "gfx/fonts/menu-main.png"},         {7, "gfx/fonts/menu-options.png"},
    {9, "gfx/fonts/menu-restart.png"},      {12, "gfx/fonts/menu-yes.png"},
    {13, "gfx/fonts/menu-no.png"},          {15, "gfx/fonts/n/gallery.png"},
    {16, "gfx/fonts/n/options.png"},        {17, "gfx/fonts/menu-resume-small.png"},
    {18, "gfx/fonts/menu-back2game.png"},   {19, "gfx/fonts/menu-music-vol.png"},
    {20, "gfx/fonts/menu-sound-vol.png"},   {21, "gfx/fonts/menu-fullscreen.png"},
    {22, "gfx/fonts/menu-easy.png"},        {23, "gfx/fonts/menu-normal.png"},
    {24, "gfx/fonts/menu-hard.png"},        {25, "gfx/fonts/n/play.png"},
    {26, "gfx/fonts/menu-timeattack.png"},  {27, "gfx/fonts/menu-endless.png"},
    {30, "gfx/fonts/menu-hiscores.png"},    {31, "gfx/fonts/menu-credits.png"},
    {32, "gfx/fonts/menu-quest-lvl.png"},   {33, "gfx/fonts/menu-timed-lvl.png"},
    {34, "gfx/fonts/menu-endless-lvl.png"}, {35, "gfx/fonts/help.png"},
    {36, "gfx/fonts/menu-play.png"},        {37, "gfx/fonts/menu-back.png"},
};

// Label slots of the options screens' three captions.
constexpr int LABEL_MUSIC_VOL = 19;
constexpr int LABEL_SOUND_VOL = 20;
constexpr int LABEL_FULLSCREEN = 21;

// The rows of a volume screen's marks and labels.
struct VolumeRows {
    int marksMusicY, marksSoundY, labelMusicY, labelSoundY, labelFullY;
};

constexpr int kButtonIdsEnd = 100;

// A button for a label that failed to load: nothing to draw and no area to hit, so the rest of
// the screen keeps working without a notification per screen change.
ButtonPtr BlankButton(const DimPtr& dim, int id) {
    auto button = std::make_shared<TImageButton>();
    button->dim = dim;
    button->id = id;
    button->alpha = -1.0f;
    button->kind = 1;
    return button;
}

} // namespace

int TOptionsWindow::loadGfx() {
    ramka = nullptr;
    if (PixmapPtr frame = LoadJPEG2000(bDir + "gfx/gui/pod-menu.jp2")) ramka = LoadImage(frame);
    podswietlacz = LoadImage(bDir + "gfx/gui/podswietlacz2.png");
    ptaszek = LoadImage(bDir + "gfx/gui/ptaszek.png");
    noPtaszek = LoadImage(bDir + "gfx/gui/ptaszek-brak.png");
    suwak = LoadImage(bDir + "gfx/gui/suwak.png");
    minus = LoadImage(bDir + "gfx/gui/minus.png");
    plus = LoadImage(bDir + "gfx/gui/plus.png");
    profileImg = LoadImage(bDir + "gfx/gui/profile-change.png");
    helloBg = LoadImage(bDir + "gfx/gui/hello-plama2.png", FILTEREDIMAGE);
    ptasznik = LoadImage(bDir + "gfx/gui/ptaszek_01.png");
    gamePaused = LoadImage(bDir + "gfx/fonts/game-paused.png");
    areYouSure = LoadImage(bDir + "gfx/fonts/menu-are-you-sure.png");
    arows[0] = LoadImage(bDir + "gfx/gui/galeria_05.png");
    arows[1] = LoadImage(bDir + "gfx/gui/galeria_03.png");
    for (const ImagePtr& image : {ptasznik, gamePaused, podswietlacz, suwak, helloBg, areYouSure})
        MidHandleImage(image);

    helloText = CreateText("", CreateDim(0, 550, 0, 0, 0, 1, 1, 0), fonts[0], 1, 0, 0, 0);
    fullScreenNote =
        CreateText(FULL_SCREEN_REFUSED, CreateDim(0, 528, 0, 0, 0, 1, 1, 0), fonts[0], 1, 0, 0, 0);

    napisy = {};
    for (const LabelFile& label : kLabels)
        napisy[label.slot] = LoadImage(bDir + label.path);
    for (int slot : {LABEL_MUSIC_VOL, LABEL_SOUND_VOL, LABEL_FULLSCREEN})
        MidHandleImage(napisy[slot]);

    // The profile screen draws the window's frame and highlight without reaching up to it.
    data.Remove(DATA_MENU_FRAME);
    data.Remove(DATA_MENU_HIGHLIGHT);
    data.Add(ramka, DATA_MENU_FRAME);
    data.Add(podswietlacz, DATA_MENU_HIGHLIGHT);
    return 0;
}

const std::vector<int>& TOptionsWindow::PolledIds(int state) {
    static const std::vector<std::vector<int>> polled = {
        {BUTTON_QUICK_PLAY, BUTTON_EXIT, BUTTON_GALLERY, BUTTON_OPTIONS, BUTTON_PLAY, BUTTON_PROFILE},
        {BUTTON_MUSIC_DOWN, BUTTON_MUSIC_UP, BUTTON_SOUND_DOWN, BUTTON_SOUND_UP, BUTTON_FULLSCREEN_TICKED,
         BUTTON_FULLSCREEN_EMPTY, BUTTON_OPTIONS_BACK, BUTTON_HISCORES, BUTTON_CREDITS},
        {BUTTON_RESUME, BUTTON_RESTART, BUTTON_GAME_OPTIONS, BUTTON_MAIN_MENU, BUTTON_HELP},
        {BUTTON_SAVED_RESUME, BUTTON_SAVED_NEW_GAME, BUTTON_SAVED_MAIN_MENU},
        {BUTTON_EASY, BUTTON_NORMAL, BUTTON_HARD, BUTTON_BACK},
        {BUTTON_TIME_ATTACK, BUTTON_ENDLESS, BUTTON_BACK},
        {BUTTON_LIST_PLAY, BUTTON_LIST_NEXT, BUTTON_LIST_PREVIOUS, BUTTON_LIST_QUEST, BUTTON_LIST_TIMED,
         BUTTON_LIST_ENDLESS, BUTTON_BACK},
        {BUTTON_MUSIC_DOWN, BUTTON_MUSIC_UP, BUTTON_SOUND_DOWN, BUTTON_SOUND_UP, BUTTON_FULLSCREEN_TICKED,
         BUTTON_FULLSCREEN_EMPTY, BUTTON_OPTIONS_BACK},
        {BUTTON_RESUME, BUTTON_GAME_OPTIONS, BUTTON_MAIN_MENU},
        {BUTTON_EXIT_YES, BUTTON_EXIT_NO},
        {BUTTON_OVERWRITE_YES, BUTTON_OVERWRITE_NO},
    };
    static const std::vector<int> none;
    if (state < 0 || state >= static_cast<int>(polled.size())) return none;
    return polled[state];
}

int TOptionsWindow::freeState() {
    for (int id : PolledIds(State))
        data.Remove(id);
    return 0;
}

int TOptionsWindow::SetState(int state, int fade, int newX, int newY) {
    freeState();
    State = state;
    fullScreenRefused = false;
    if (fade != 0) alpha = 0;
    x = newX;
    y = newY;
    BuildButtons(state);
    return 0;
}

std::vector<TOptionsWindow::ButtonSpec> TOptionsWindow::VolumeControls(int dx, int dy) const {
    // The two full-screen boxes share one place; BuildButtons switches one of them off.
    return {{BUTTON_MUSIC_DOWN, minus, x + 80 + dx, 280 + dy, View::Centred},
            {BUTTON_MUSIC_UP, plus, x + 273 + dx, 280 + dy, View::Centred},
            {BUTTON_SOUND_DOWN, minus, x + 80 + dx, 340 + dy, View::Centred},
            {BUTTON_SOUND_UP, plus, x + 273 + dx, 340 + dy, View::Centred},
            {BUTTON_FULLSCREEN_TICKED, ptaszek, x + 250 + dx, 388 + dy, View::Centred},
            {BUTTON_FULLSCREEN_EMPTY, noPtaszek, x + 250 + dx, 388 + dy, View::Centred}};
}

void TOptionsWindow::BuildButtons(int state) {
    const auto& n = napisy;
    std::vector<ButtonSpec> specs;
    switch (state) {
    case MENU_MAIN:
        specs = {{BUTTON_PLAY, n[25], 400, 310},    {BUTTON_QUICK_PLAY, n[0], 400, 348},
                 {BUTTON_GALLERY, n[15], 400, 378}, {BUTTON_OPTIONS, n[16], 400, 408},
                 {BUTTON_EXIT, n[1], 400, 460},     {BUTTON_PROFILE, profileImg, 32, 525, View::Profile}};
        break;
    case MENU_OPTIONS:
        specs = VolumeControls(0, 0);
        specs.insert(specs.end(), {{BUTTON_HISCORES, n[30], 400, 430, View::Centred},
                                   {BUTTON_CREDITS, n[31], 400, 465, View::Centred},
                                   {BUTTON_OPTIONS_BACK, n[6], 400, 500}});
        break;
    case MENU_QUEST_PAUSE:
        specs = {{BUTTON_RESUME, n[17], 400, 240},
                 {BUTTON_RESTART, n[9], 400, 270},
                 {BUTTON_GAME_OPTIONS, n[7], 400, 300},
                 {BUTTON_HELP, n[35], 400, 330},
                 {BUTTON_MAIN_MENU, n[6], 400, 360}};
        break;
    case MENU_RESUME_OR_NEW: {
        // Without a saved game the resume button goes and the other two move up into its place.
        const int d = gameState != 0 ? 0 : -35;
        specs = {{BUTTON_SAVED_RESUME, n[4], 400, 290},
                 {BUTTON_SAVED_NEW_GAME, n[5], 400, 335 + d},
                 {BUTTON_SAVED_MAIN_MENU, n[6], 400, 400 + d}};
        break;
    }
    case MENU_THREE_CHOICES:
        specs = {{BUTTON_EASY, n[22], 400, 198},
                 {BUTTON_NORMAL, n[23], 400, 243},
                 {BUTTON_HARD, n[24], 400, 288},
                 {BUTTON_BACK, n[37], 400, 358}};
        break;
    case MENU_QUICK_PLAY:
        specs = {{BUTTON_TIME_ATTACK, n[26], 400, 305},
                 {BUTTON_ENDLESS, n[27], 400, 350},
                 {BUTTON_BACK, n[6], 400, 420}};
        break;
    case MENU_LEVEL_LIST:
        specs = {{BUTTON_LIST_PLAY, n[36], 280, 310},        {BUTTON_LIST_NEXT, arows[1], 515, 510},
                 {BUTTON_LIST_PREVIOUS, arows[0], 460, 510}, {BUTTON_BACK, n[6], 280, 500},
                 {BUTTON_LIST_QUEST, n[32], 280, 380},       {BUTTON_LIST_TIMED, n[33], 280, 410},
                 {BUTTON_LIST_ENDLESS, n[34], 280, 410}};
        break;
    case MENU_GAME_OPTIONS:
        // The same controls as the options screen, a little to the left and higher up.
        specs = VolumeControls(-5, -67);
        specs.push_back({BUTTON_OPTIONS_BACK, n[18], 400, 368});
        break;
    case MENU_OTHER_PAUSE:
        specs = {{BUTTON_RESUME, n[17], 400, 240},
                 {BUTTON_GAME_OPTIONS, n[7], 400, 270},
                 {BUTTON_MAIN_MENU, n[6], 400, 330}};
        break;
    case MENU_EXIT_QUESTION:
        specs = {{BUTTON_EXIT_YES, n[12], 360, 400}, {BUTTON_EXIT_NO, n[13], 440, 400}};
        break;
    case MENU_OVERWRITE_QUESTION:
        specs = {{BUTTON_OVERWRITE_YES, n[12], 360, 400}, {BUTTON_OVERWRITE_NO, n[13], 440, 400}};
        break;
    default:
        return;
    }

    std::vector<std::pair<ButtonPtr, View>> built;
    for (const ButtonSpec& spec : specs) {
        DimPtr dim =
            CreateDim(static_cast<float>(spec.x), static_cast<float>(spec.y), 0, 0, 0, 1.0f, 1.0f, 0);
        const int kind = spec.view == View::Profile ? 2 : 1;
        ButtonPtr button = spec.image ? ButtonPtr(CreateImageButton(spec.image, dim, spec.id, -1.0f, kind))
                                      : BlankButton(dim, spec.id);
        data.Add(button, spec.id);
        built.emplace_back(button, spec.view);
    }
    for (const auto& [button, view] : built) {
        if (view == View::Highlight) button->setView(1, 1, podswietlacz);
        if (view == View::Centred) button->setView(1, 1, nullptr);
    }

    if (state == MENU_OPTIONS || state == MENU_GAME_OPTIONS) {
        if (ButtonPtr off =
                data.GetButton(options.screenMode == 1 ? BUTTON_FULLSCREEN_EMPTY : BUTTON_FULLSCREEN_TICKED))
            off->setState(0, 0);
    }
    if (state == MENU_RESUME_OR_NEW && gameState == 0) {
        if (ButtonPtr resume = data.GetButton(BUTTON_SAVED_RESUME)) resume->setState(0, 0);
    }
}

int TOptionsWindow::buttonsSetAlpha(float a) {
    for (int id = 0; id <= kButtonIdsEnd; ++id)
        if (ButtonPtr button = data.GetButton(id)) button->alpha = a;
    return 0;
}

int TOptionsWindow::Update() {
    clickedButton = 0;
    if (alpha < 1) alpha += 0.02f;
    buttonsSetAlpha(alpha);

    const int polledState = State;
    for (int id : PolledIds(polledState)) {
        data.State(id);
        // A caller that freed the screen (or never set one) leaves nothing to ask.
        if (ButtonPtr button = data.GetButton(id); button && button->isClicked()) clickedButton = id;
    }
    if (polledState == MENU_OPTIONS || polledState == MENU_GAME_OPTIONS) OptionsAction(clickedButton);

    if (clickedButton != 0) globalSnd.click();
    return 0;
}

void TOptionsWindow::OptionsAction(int id) {
    switch (id) {
    case BUTTON_MUSIC_DOWN:
    case BUTTON_MUSIC_UP:
        options.musicVol = std::clamp(options.musicVol + (id == BUTTON_MUSIC_UP ? 1 : -1), 0, 10);
        if (music) SetStreamVolume(music, static_cast<float>(options.musicVol / 10.0));
        break;
    case BUTTON_SOUND_DOWN:
    case BUTTON_SOUND_UP:
        options.soundVol = std::clamp(options.soundVol + (id == BUTTON_SOUND_UP ? 1 : -1), 0, 10);
        // The sample sounds at the new level, so the player hears what was chosen.
        playSound2(blocks.szurSnd, nullptr, 0, 1.0f);
        break;
    case BUTTON_FULLSCREEN_TICKED:
        SwitchFullScreen(0);
        break;
    case BUTTON_FULLSCREEN_EMPTY:
        SwitchFullScreen(1);
        break;
    case BUTTON_OPTIONS_BACK:
        SetState(State == MENU_OPTIONS ? MENU_MAIN : optionsBackType, 0, MENU_WINDOW_X, MENU_WINDOW_Y);
        break;
    default:
        break;
    }
}

void TOptionsWindow::SwitchFullScreen(int mode) {
    const int before = options.screenMode;
    options.screenMode = mode;
    SetGraphicsMode(mode == 1 ? 1 : 2, 800, 600, 32);
    if (mode == 1 && !GraphicsFullScreen()) {
        // No full screen to be had: the setting and the box stay as they were, so the options
        // document never records a mode the display is not in. The player is told why the box
        // did not tick.
        options.screenMode = before;
        fullScreenRefused = true;
        return;
    }
    if (ButtonPtr ticked = data.GetButton(BUTTON_FULLSCREEN_TICKED)) ticked->setState(mode, mode);
    if (ButtonPtr empty = data.GetButton(BUTTON_FULLSCREEN_EMPTY)) empty->setState(1 - mode, 1 - mode);
}

int TOptionsWindow::Draw() {
    SetBlend(ALPHABLEND);
    SetAlpha(alpha);
    SetTransform(0, 1, 1);
    DrawBackground();
    DrawButtons();
    if (State == MENU_OPTIONS || State == MENU_GAME_OPTIONS) DrawVolumeMarks();
    if (State == MENU_LEVEL_LIST) {
        DrawImage(ptasznik, 350, boardSelector.mode == 0 ? 380 : 410);
        boardSelector.DrawMiniBoard();
    }
    return 0;
}

void TOptionsWindow::DrawBackground() {
    switch (State) {
    case MENU_OPTIONS:
        DrawImage(papirus2, static_cast<float>(x + 12), static_cast<float>(y - 30));
        break;
    case MENU_QUEST_PAUSE:
    case MENU_OTHER_PAUSE:
        DrawImage(ramka, static_cast<float>(x), 108);
        DrawImage(gamePaused, 400, 190);
        break;
    case MENU_THREE_CHOICES:
    case MENU_GAME_OPTIONS:
        DrawImage(ramka, static_cast<float>(x), 108);
        break;
    case MENU_LEVEL_LIST:
        SetScale(2.9921875f, 1.078125f);
        DrawImage(helloBg, 400, 150);
        SetScale(1, 1);
        DrawImage(ramka2, 144, static_cast<float>(y));
        if (helloText) helloText->Draw();
        break;
    default:
        DrawImage(papirus, static_cast<float>(x + 47), static_cast<float>(y + 20));
        if (State == MENU_MAIN && helloText) helloText->Draw();
        break;
    }
}

void TOptionsWindow::DrawButtons() {
    if (State == MENU_EXIT_QUESTION || State == MENU_OVERWRITE_QUESTION) DrawImage(areYouSure, 400, 310);
    if (State == MENU_MAIN) {
        // The main menu draws its play button last, over its neighbours' zoom.
        for (int id :
             {BUTTON_QUICK_PLAY, BUTTON_EXIT, BUTTON_GALLERY, BUTTON_OPTIONS, BUTTON_PROFILE, BUTTON_PLAY})
            data.Draw(id);
        return;
    }
    for (int id : PolledIds(State))
        data.Draw(id);
}

void TOptionsWindow::DrawVolumeMarks() {
    const VolumeRows rows =
        State == MENU_OPTIONS ? VolumeRows{279, 339, 255, 320, 387} : VolumeRows{212, 272, 184, 249, 320};
    for (int i = 1; i <= options.musicVol; ++i)
        DrawImage(suwak, static_cast<float>(x + 100 + 13 * i), static_cast<float>(rows.marksMusicY));
    for (int i = 1; i <= options.soundVol; ++i)
        DrawImage(suwak, static_cast<float>(x + 100 + 13 * i), static_cast<float>(rows.marksSoundY));
    SetAlpha(1);
    SetColor(255, 255, 255);
    SetTransform(0, 1, 1);
    DrawImage(napisy[LABEL_MUSIC_VOL], 400, static_cast<float>(rows.labelMusicY));
    DrawImage(napisy[LABEL_SOUND_VOL], 400, static_cast<float>(rows.labelSoundY));
    DrawImage(napisy[LABEL_FULLSCREEN], 390, static_cast<float>(rows.labelFullY));
    if (fullScreenRefused && fullScreenNote) {
        // Below the window's paper (or frame), where nothing else is drawn.
        fullScreenNote->dim->y = State == MENU_OPTIONS ? 528.0f : 418.0f;
        fullScreenNote->dim->x = 400.0f - fullScreenNote->Width() / 2.0f;
        SetColor(255, 220, 160);
        fullScreenNote->Draw();
        SetColor(255, 255, 255);
    }
}

} // namespace vsm
