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
        {10, 11, 14, 15, 61, 81},
        {40, 41, 42, 43, 44, 45, 46, 12, 13},
        {20, 21, 22, 23, 25},
        {1, 2, 3},
        {51, 52, 53, 54},
        {62, 63, 54},
        {71, 72, 73, 74, 75, 76, 54},
        {40, 41, 42, 43, 44, 45, 46},
        {20, 22, 23},
        {90, 91},
        {92, 93},
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
    if (fade != 0) alpha = 0;
    x = newX;
    y = newY;
    BuildButtons(state);
    return 0;
}

std::vector<TOptionsWindow::ButtonSpec> TOptionsWindow::VolumeControls(int dx, int dy) const {
    // The two full-screen boxes share one place; BuildButtons switches one of them off.
    return {{40, minus, x + 80 + dx, 280 + dy, View::Centred},
            {41, plus, x + 273 + dx, 280 + dy, View::Centred},
            {42, minus, x + 80 + dx, 340 + dy, View::Centred},
            {43, plus, x + 273 + dx, 340 + dy, View::Centred},
            {44, ptaszek, x + 250 + dx, 388 + dy, View::Centred},
            {45, noPtaszek, x + 250 + dx, 388 + dy, View::Centred}};
}

void TOptionsWindow::BuildButtons(int state) {
    const auto& n = napisy;
    std::vector<ButtonSpec> specs;
    switch (state) {
    case MENU_MAIN:
        specs = {{61, n[25], 400, 310}, {10, n[0], 400, 348}, {14, n[15], 400, 378},
                 {15, n[16], 400, 408}, {11, n[1], 400, 460}, {81, profileImg, 32, 525, View::Profile}};
        break;
    case MENU_OPTIONS:
        specs = VolumeControls(0, 0);
        specs.insert(specs.end(), {{12, n[30], 400, 430, View::Centred},
                                   {13, n[31], 400, 465, View::Centred},
                                   {46, n[6], 400, 500}});
        break;
    case MENU_QUEST_PAUSE:
        specs = {{20, n[17], 400, 240},
                 {21, n[9], 400, 270},
                 {22, n[7], 400, 300},
                 {25, n[35], 400, 330},
                 {23, n[6], 400, 360}};
        break;
    case MENU_RESUME_OR_NEW: {
        // Without a saved game the resume button goes and the other two move up into its place.
        const int d = gameState != 0 ? 0 : -35;
        specs = {{1, n[4], 400, 290}, {2, n[5], 400, 335 + d}, {3, n[6], 400, 400 + d}};
        break;
    }
    case MENU_THREE_CHOICES:
        specs = {{51, n[22], 400, 198}, {52, n[23], 400, 243}, {53, n[24], 400, 288}, {54, n[37], 400, 358}};
        break;
    case MENU_QUICK_PLAY:
        specs = {{62, n[26], 400, 305}, {63, n[27], 400, 350}, {54, n[6], 400, 420}};
        break;
    case MENU_LEVEL_LIST:
        specs = {{71, n[36], 280, 310}, {72, arows[1], 515, 510}, {73, arows[0], 460, 510},
                 {54, n[6], 280, 500},  {74, n[32], 280, 380},    {75, n[33], 280, 410},
                 {76, n[34], 280, 410}};
        break;
    case MENU_GAME_OPTIONS:
        // The same controls as the options screen, a little to the left and higher up.
        specs = VolumeControls(-5, -67);
        specs.push_back({46, n[18], 400, 368});
        break;
    case MENU_OTHER_PAUSE:
        specs = {{20, n[17], 400, 240}, {22, n[7], 400, 270}, {23, n[6], 400, 330}};
        break;
    case MENU_EXIT_QUESTION:
        specs = {{90, n[12], 360, 400}, {91, n[13], 440, 400}};
        break;
    case MENU_OVERWRITE_QUESTION:
        specs = {{92, n[12], 360, 400}, {93, n[13], 440, 400}};
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
        if (ButtonPtr off = data.GetButton(options.screenMode == 1 ? 45 : 44)) off->setState(0, 0);
    }
    if (state == MENU_RESUME_OR_NEW && gameState == 0) {
        if (ButtonPtr resume = data.GetButton(1)) resume->setState(0, 0);
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
    case 40:
    case 41:
        options.musicVol = std::clamp(options.musicVol + (id == 41 ? 1 : -1), 0, 10);
        if (music) SetStreamVolume(music, static_cast<float>(options.musicVol / 10.0));
        break;
    case 42:
    case 43:
        options.soundVol = std::clamp(options.soundVol + (id == 43 ? 1 : -1), 0, 10);
        // The sample sounds at the new level, so the player hears what was chosen.
        playSound2(blocks.szurSnd, nullptr, 0, 1.0f);
        break;
    case 44:
        SwitchFullScreen(0);
        break;
    case 45:
        SwitchFullScreen(1);
        break;
    case 46:
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
        // document never records a mode the display is not in.
        options.screenMode = before;
        return;
    }
    if (ButtonPtr ticked = data.GetButton(44)) ticked->setState(mode, mode);
    if (ButtonPtr empty = data.GetButton(45)) empty->setState(1 - mode, 1 - mode);
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
        for (int id : {10, 11, 14, 15, 81, 61})
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
}

} // namespace vsm
