// TPuzzleManager: the puzzle stage's level documents, the building of the tiled picture, the
// stage loop and its in-game menu.
#include "puzzle/TPuzzleManager.h"

#include "data/BBArchive.h"
#include "data/DataFolders.h"
#include "data/ImageLoaders.h"
#include "data/NumberText.h"
#include "data/TTSCFile.h"
#include "overlays/TOptionsWindow.h"
#include "overlays/TPopup.h"
#include "overlays/TPopupManager.h"
#include "platform/EndFrame.h"
#include "platform/Files.h"
#include "platform/Input.h"
#include "platform/System.h"
#include "profiles/SaveNotice.h"
#include "profiles/SavedCampaign.h"
#include "puzzle/PuzzleSave.h"
#include "puzzle/THints.h"
#include "services/GameFlags.h"
#include "services/Paths.h"
#include "services/Sound.h"
#include "services/TDeltaTime.h"
#include "services/TGlobalSnd.h"
#include "services/TMouse.h"
#include "services/TSongManager.h"
#include "services/TSpark.h"
#include "widgets/SharedAssets.h"
#include "widgets/SharedImageIds.h"
#include "widgets/TAnimButton.h"
#include "widgets/TContainer.h"

namespace vsm {

TPuzzleManager puzzle;

namespace {

constexpr int PICTURE_LEFT = 65;
constexpr int PICTURE_TOP = 53;
constexpr int PICTURE_WIDTH = 670;
constexpr int PICTURE_HEIGHT = 494;
constexpr const char* DEFAULT_PICTURE = "gfx/slides/1a.jpg";
constexpr int DEFAULT_COLUMNS = 6;
constexpr int DEFAULT_ROWS = 5;

constexpr int KEY_P = KEY_A + ('P' - 'A');
constexpr int KEY_G = KEY_A + ('G' - 'A');

// Interface sounds of the bank.
constexpr int SND_GET_HINT = 0;
constexpr int SND_POPUP_CLOSE = 2;
constexpr int SND_POPUP_SHOW = 3;

bool InMenuBox(int x, int y) {
    return x > 287 && x < 360 && y > 572 && y < 592;
}
bool InHintBox(int x, int y) {
    return x > 417 && x < 530 && y > 572 && y < 592;
}

// Where the picture of a level or replay is found: as given, in the resources, under its bare
// name in the custom pictures folder, else the default slide.
std::string FindPicture(const std::string& given) {
    const std::string path = given.empty() ? DEFAULT_PICTURE : given;
    if (FileType(path) == FILETYPE_FILE) return path;
    if (FileType(bDir + path) == FILETYPE_FILE) return bDir + path;
    const size_t cut = path.find_last_of("/\\");
    const std::string name = cut == std::string::npos ? path : path.substr(cut + 1);
    const std::string custom = myDocsFolder + "/custom-art/" + name;
    if (!myDocsFolder.empty() && FileType(custom) == FILETYPE_FILE) return custom;
    return bDir + DEFAULT_PICTURE;
}

// A plain picture for when neither the picture nor the default slide can be decoded.
PixmapPtr PlainPicture() {
    PixmapPtr p = CreatePixmap(PICTURE_WIDTH, PICTURE_HEIGHT);
    for (int y = 0; y < PICTURE_HEIGHT; ++y)
        for (int x = 0; x < PICTURE_WIDTH; ++x)
            p->pixels[static_cast<size_t>(y * PICTURE_WIDTH + x)] = 0xFF000000u | 0x5A4A3Au;
    return p;
}

} // namespace

bool CheckPuzzleSize(int& columns, int& rows, const std::string& source) {
    const bool fits = columns >= 1 && columns <= PUZZLE_MAX_SIDE && rows >= 1 && rows <= PUZZLE_MAX_SIDE &&
                      columns * rows >= 2;
    if (fits) return true;
    Print("Puzzle size " + std::to_string(columns) + " x " + std::to_string(rows) + " of " + source +
          " cannot be played; using " + std::to_string(DEFAULT_COLUMNS) + " x " +
          std::to_string(DEFAULT_ROWS));
    columns = DEFAULT_COLUMNS;
    rows = DEFAULT_ROWS;
    return false;
}

int TPuzzleManager::loadGfx() {
    puzzle->loadGfx();
    hint = LoadImage(bDir + "gfx/puzzle/b-hint.png");
    menu = LoadImage(bDir + "gfx/puzzle/b-menu.png");
    stageCompleted = LoadImage(bDir + "gfx/gui/stage3.png");
    picture = LoadImage(bDir + "gfx/gui/areYouSure2.png");
    MidHandleImage(picture);
    SetImageHandle(stageCompleted, 183, 73);
    scrollOutSnd = LoadSound(bDir + "sfx/fx4/playgamepuzzle-podlicz-out.ogg");
    return 0;
}

int TPuzzleManager::Load(const std::string& name) {
    // A popup list left over from a stage that never ran must not show in this one.
    popups.clear();
    auto doc = CreateTSCFile();
    LoadTSCFileBB(doc, bDir + "data/puzzle_levels_lp.bca", name);
    gfxName = GetTSCStringKey(doc, "Settings", "Image", 0);
    musicName = GetTSCStringKey(doc, "Settings", "Music", 0);
    width = NumberToInt(GetTSCNumberKey(doc, "Settings", "width", 0));
    height = NumberToInt(GetTSCNumberKey(doc, "Settings", "height", 0));
    hintA = NumberToInt(GetTSCNumberKey(doc, "Settings", "hintA", 0));
    hintB = NumberToInt(GetTSCNumberKey(doc, "Settings", "hintB", 0));
    CheckPuzzleSize(width, height, "\"" + name + "\"");
    if (name == "puzzle-01.tsc") _loadPopups();
    return 0;
}

void TPuzzleManager::_loadPopups() {
    auto doc = CreateTSCFile();
    LoadTSCFileBB(doc, bDir + "data/popups_lp.bca", "infoPZ.tsc");
    for (const TTSCGroupPtr& group : GetTSCGroupList(doc, "")) {
        if (NumberToInt(GetTSCNumberKey(doc, group->Name, "Level", 0)) == 1)
            popups.push_back(TPopup::Create(doc, *group));
    }
}

void TPuzzleManager::_keepMusicFed() {
    PollSystem();
    if (music) music->update();
}

int TPuzzleManager::Create(const std::string& path, int columns, int rows) {
    Print(path);
    CheckPuzzleSize(columns, rows, "the picture \"" + path + "\"");
    const std::string file = FindPicture(path);

    TPuzzleGrid& grid = *puzzle;
    grid.Clear();
    grid.dim = CreateDim(PICTURE_LEFT, PICTURE_TOP, PICTURE_WIDTH, PICTURE_HEIGHT, 0, 1, 1, 0);
    grid.count = columns * rows;
    grid.width = columns;
    grid.height = rows;
    grid.itemWidth = static_cast<float>(PICTURE_WIDTH / columns);
    grid.itemHeight = static_cast<float>(PICTURE_HEIGHT / rows);

    // Decoding, scaling and cutting a full-screen picture take long enough to starve the
    // streamed music, so the song is fed between the steps.
    _keepMusicFed();
    PixmapPtr pix = FLoadPixmap(file);
    _keepMusicFed();
    if (!pix || pix->width <= 0 || pix->height <= 0) {
        // A picture that exists but cannot be decoded is treated as missing.
        const std::string fallback = bDir + DEFAULT_PICTURE;
        pix = file == fallback ? nullptr : FLoadPixmap(fallback);
        _keepMusicFed();
        if (!pix || pix->width <= 0 || pix->height <= 0) pix = PlainPicture();
    }
    if (pix->width != PICTURE_WIDTH || pix->height != PICTURE_HEIGHT) {
        pix = ResizePixmap(pix, PICTURE_WIDTH, PICTURE_HEIGHT);
        _keepMusicFed();
    }
    const int tileW = static_cast<int>(grid.itemWidth);
    const int tileH = static_cast<int>(grid.itemHeight);
    grid.image = LoadAnimImage(pix, tileW, tileH, 0, grid.count);
    _keepMusicFed();
    if (!grid.image) grid.image = CreateImage(tileW, tileH, grid.count);

    const float left = grid.dim->Left();
    const float top = grid.dim->Top();
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            const int id = static_cast<int>(grid.items.size());
            grid.items.push_back(
                CreatePuzzleButton(grid.image, id, left, top, c, r, c + r * columns, columns, rows));
        }
    }
    return 0;
}

int TPuzzleManager::show(int /*resume*/, const std::string& path, int fromMenu) {
    Print("in puzzle");
    auto hints = std::make_shared<THints>();
    int menuOver = 0;
    int hintOver = 0;
    const ImagePtr background = LoadImage(bDir + "gfx/puzzle/game-puzle.jpg", 0);
    const FontPtr rowFont = data.GetTTFont(DATA_FONT_TITLE_28);
    const FontPtr titleFont = data.GetTTFont(DATA_FONT_TITLE_40);
    puzzle->loadSfx();
    const std::string picturePath = path.empty() ? gfxName : path;
    Timer = MilliSecs64();
    clicks = 0;
    music = playMusicStream(musicName, 1, 1.0f);
    Create(picturePath, width, height);
    if (readFromProfile != 0 || fromMenu != 0) popups.clear();

    if (readFromProfile != 0 && LoadPuzzles() != 0) {
        LoadSpells(QUEST_SLOT);
        Begin(background, 1);
    } else {
        // A fresh start, also when the saved layout was refused.
        if (fromMenu != 0) {
            hintA = 0;
            hintB = 1;
        } else {
            Begin(background, 0);
        }
        puzzle->Scramble(background);
        hintsCount = 0;
        hints->show(*puzzle, 1, hintA, hintB);
    }
    if (!popups.empty()) {
        globalSnd.play(SND_POPUP_SHOW);
        SetImageFont(popupManager.font);
    }

    int result = PUZZLE_GO_ON;
    while (result == PUZZLE_GO_ON && puzzle->IsSet() == 0) {
        deltaTime.Update();
        delta = deltaTime.CurrDelta();
        if (music) music->update();
        DrawImage(background, 0, 0);
        mouse.fetchState(0);
        if (!popups.empty())
            _popupFrame();
        else
            result = _playFrame(background, hints, fromMenu, menuOver, hintOver);
    }

    // The tiles stay for the exit hook to save.
    if (result == PUZZLE_TERMINATE) _endProgram();
    popups.clear();
    const bool solved = puzzle->IsSet() != 0;
    bool closed = false;
    if (solved) {
        playSound2(puzzle->snd[1], nullptr, 0, 1.0f);
        closed = summary(background, rowFont, titleFont, fromMenu) != 0;
    }
    if (!closed && fromMenu == 0 && (solved || result == PUZZLE_CHEAT_END)) closed = Finish(background) != 0;
    if (closed) {
        // The summary has paid the puzzle already: the campaign counts it as won, as it would
        // after the closing picture, and goes on with the map and the next level.
        if (fromMenu == 0) gameState = 2;
        _endProgram();
    }
    if (fromMenu == 0 && result == PUZZLE_LEAVE) {
        SavePuzzles(1);
        // The second write holds the puzzle too: its result is the one the player is told.
        TellIfNotSaved(SaveProfile(1) != 0, false);
    }
    puzzle->Clear();
    TSpark::destroyAll();
    if (music) {
        music->stop();
        music->free();
    }
    music = nullptr;
    return result == PUZZLE_LEAVE ? 1 : 0;
}

void TPuzzleManager::_endProgram() {
    if (music) {
        music->stop();
        music->free();
    }
    music = nullptr;
    End();
}

void TPuzzleManager::_popupFrame() {
    puzzle->Draw();
    const std::shared_ptr<TPopup> popup = popups.front();
    popup->Update(popupManager.button);
    TSpark::UpdateAll();
    mouse.Draw(1, 1);
    EndFrame(PollOrder::BeforeFlip);
    // The popup's own OK handling has closed it; the stage takes it away at once.
    if (popup->active == 0) {
        globalSnd.play(SND_POPUP_CLOSE);
        popups.pop_front();
        FlushMouse();
        if (!popups.empty()) globalSnd.play(SND_POPUP_SHOW);
    }
}

int TPuzzleManager::_playFrame(const ImagePtr& background, const std::shared_ptr<THints>& hints, int fromMenu,
                               int& menuOver, int& hintOver) {
    int result = PUZZLE_GO_ON;
    if (puzzle->State() != 0) hints->Hide();
    puzzle->doMatrix();
    puzzle->Draw();
    hints->Update();
    TSpark::UpdateAll();

    SetBlend(ALPHABLEND);
    SetAlpha(1);
    SetTransform(0, 1, 1);
    SetColor(200, 200, 200);
    if (menuOver) DrawImage(menu, 287, 572);
    if (hintOver) DrawImage(hint, 417, 572);
    SetColor(255, 255, 255);
    SetAlpha(1);

    mouse.Draw(1, 1);
    EndFrame();

    // A close request ends the program whatever else this frame asked for.
    if (AppTerminate()) return PUZZLE_TERMINATE;
    const int esc = KeyHit(KEY_ESCAPE);
    if (esc != 0 || KeyHit(KEY_P) != 0) result = ShowInGameMenuPuzzle(background, hints);
    if (KeyHit(KEY_G) != 0 && FileType("cheats.txt") != FILETYPE_NONE) result = PUZZLE_CHEAT_END;

    menuOver = InMenuBox(mouse.x, mouse.y) ? 1 : 0;
    hintOver = InHintBox(mouse.x, mouse.y) ? 1 : 0;
    if (mouse.leftPressed != 0) {
        if (hintOver) {
            if (hints->showed == 0) globalSnd.play(SND_GET_HINT);
            hints->show(*puzzle, 0, 0, 0);
            hintsCount += 1;
        }
        if (menuOver) {
            globalSnd.click();
            result = fromMenu != 0 ? PUZZLE_LEAVE : ShowInGameMenuPuzzle(background, hints);
        }
    }
    if (fromMenu == 0 && AppSuspended() != 0) result = ShowInGameMenuPuzzle(background, hints);
    return result;
}

int TPuzzleManager::ShowInGameMenuPuzzle(const ImagePtr& background, const std::shared_ptr<THints>& hints) {
    int result = PUZZLE_GO_ON;
    optionsWindow.OpenPause(MENU_OTHER_PAUSE, music);
    bool leave = false;
    while (!leave && result == PUZZLE_GO_ON) {
        deltaTime.Update();
        delta = deltaTime.CurrDelta();
        if (music) music->update();
        DrawImage(background, 0, 0);
        mouse.fetchState(0);
        puzzle->Draw();
        if (hints) hints->Update();
        TSpark::UpdateAll();
        SetBlend(ALPHABLEND);
        SetAlpha(1);
        SetTransform(0, 1, 1);
        SetColor(255, 255, 255);
        optionsWindow.Update();
        optionsWindow.Draw();
        mouse.Draw(1, 1);
        EndFrame(PollOrder::BeforeFlip);

        // A close request ends the program, also when Esc or a button came in the same frame;
        // the exit hook saves the campaign puzzle as the main-menu button would.
        if (AppTerminate() != 0) _endProgram();
        if (KeyHit(KEY_ESCAPE) != 0) break;
        switch (optionsWindow.clickedButton) {
        case BUTTON_RESUME:
            leave = true;
            break;
        case BUTTON_GAME_OPTIONS:
            optionsWindow.SetState(MENU_GAME_OPTIONS, 0, MENU_WINDOW_X, MENU_WINDOW_Y);
            break;
        case BUTTON_MAIN_MENU:
            result = PUZZLE_LEAVE;
            break;
        default:
            break;
        }
    }
    FlushKeys();
    FlushMouse();
    return result;
}

} // namespace vsm
