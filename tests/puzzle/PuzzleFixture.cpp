// PuzzleFixture: fresh globals, small puzzle pictures and sounds, and helpers for the puzzle tests.
#include "PuzzleFixture.h"

#include "level/TLevelManager.h"
#include "magic/TBunusManagerA.h"
#include "overlays/OverlaysGlobals.h"
#include "overlays/TPopupManager.h"
#include "platform/Input.h"
#include "profiles/TProfileManager.h"
#include "puzzle/PuzzleGlobals.h"
#include "puzzle/TPuzzleManager.h"
#include "services/GameFlags.h"
#include "services/OptionsSeam.h"
#include "services/Paths.h"
#include "magic/CoreGame.h"
#include "shell/AssembleGame.h"
#include "shell/GameHooks.h"
#include "services/TDeltaTime.h"
#include "services/TGlobalSnd.h"
#include "services/TSpark.h"
#include "support/TestAssets.h"
#include "support/TestSupport.h"

#include <filesystem>

namespace vsm::test {

namespace {

constexpr const char* PICTURES[] = {
    "gfx/puzzle/game-puzle.jpg",
    "gfx/puzzle/b-hint.png",
    "gfx/puzzle/b-menu.png",
    "gfx/gui/stage3.png",
    "gfx/gui/areYouSure2.png",
    "gfx/puzzle/ramka3.png",
    "gfx/puzzle/ramka-puzle.png",
    "gfx/puzzle/cienie_lg.png",
    "gfx/puzzle/cienie_pg.png",
    "gfx/puzzle/cienie_ld.png",
    "gfx/puzzle/cienie_pd.png",
    "gfx/puzzle/cienie_l.png",
    "gfx/puzzle/cienie_g.png",
    "gfx/puzzle/cienie_p.png",
    "gfx/puzzle/cienie_d.png",
    "gfx/gwiazdki/1.png",
    "gfx/gwiazdki/2.png",
    "gfx/gwiazdki/3.png",
    "gfx/info/ok.png",
    "gfx/info/popup.png",
};

constexpr const char* SOUNDS[] = {
    "sfx/fx-puzzle/playgamepuzzle-myszkafirst1.ogg",
    "sfx/fx-puzzle/playgamepuzzle-all.ogg",
    "sfx/fx-puzzle/playgamepuzzle-odkrycie1.ogg",
    "sfx/fx-puzzle/playgamepuzzle-odkrycie2.ogg",
    "sfx/fx-puzzle/playgamepuzzle-zamiana1.ogg",
    "sfx/fx4/playgamepuzzle-podlicz-out.ogg",
    "sfx/fx4/playgamepuzzle-gethint.ogg",
    "sfx/fx4/playgame-info-clickout.ogg",
    "sfx/fx4/playgame-info-show.ogg",
    "sfx/fx4/playgame-mouseover.ogg",
    "sfx/glyndra-puzzle.ogg",
    "sfx/voice/v-wellplayed.ogg",
    "sfx/voice/v-wdone.ogg",
};

} // namespace

uint32_t PuzzleFixture::PicturePixel(int x, int y) {
    return 0xFF000000u | (static_cast<uint32_t>(x) << 12) | static_cast<uint32_t>(y);
}

void PuzzleFixture::SetUp() {
    control = &UseHeadlessBackend();
    resources = ScratchDir("puzzle") + "/";
    // The game's own assembly, its hooks included, as start-up makes it.
    ResetGameGlobals();
    InstallGameHooks();
    // Steered: the fixture's own resources and full volumes, as its sound checks expect.
    bDir = resources;
    options = TOptions{};
    options.soundVol = 10;
    options.musicVol = 10;
    int side = 10;
    for (const char* p : PICTURES)
        ASSERT_TRUE(WriteFlatPicture(resources + p, side++, 20));
    for (const char* s : SOUNDS)
        ASSERT_TRUE(WriteSilentSound(resources + s));
    PixmapPtr pic = CreatePixmap(670, 494);
    for (int y = 0; y < 494; ++y)
        for (int x = 0; x < 670; ++x)
            WritePixel(pic, x, y, PicturePixel(x, y));
    picturePath = resources + "gfx/puzzle/test-picture.png";
    ASSERT_TRUE(SavePixmapPNG(pic, picturePath));
    for (int i = 1; i <= 3; ++i)
        loadSparkImage(i, "gfx/gwiazdki/" + std::to_string(i) + ".png");
    globalSnd.Load();
    popupManager.Load();
    puzzle.loadGfx();
    control->overrunFrames = 5;
    control->ClearSoundLog();
    control->ClearDrawLog();
}

void PuzzleFixture::TearDown() {
    TSpark::destroyAll();
    ResetPuzzleGlobals();
    ResetOverlaysGlobals();
    ResetCoreGame();
    ResetGameFlags();
    profile = TProfileManager();
}

void PuzzleFixture::Build(int columns, int rows) {
    puzzle.puzzle->loadSfx();
    puzzle.Create(picturePath, columns, rows);
}

void PuzzleFixture::UsePlayer() {
    const std::string folder = resources + "profiles";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    WriteArchive(resources + "data/settings_lp.bca", {{"portal.tsc", "Portal{ Name=\"test\" }"}});
    profile = TProfileManager::Create(folder, "dat");
    ASSERT_EQ(profile.NewProfile("tester"), 1);
}

void PuzzleFixture::WriteLevels(const std::map<std::string, std::string>& documents) {
    WriteArchive(resources + "data/puzzle_levels_lp.bca", documents);
    WriteArchive(resources + "data/popups_lp.bca", {{"infoPZ.tsc", R"(
pz1a{ Level=1 Event="BEGIN_LEVEL" Image="gfx/info/popup.png" X=220 Y=170 ButtonY=-1 TextY=-1
      Lines=1 Line1="first" Spell=0 }
pz2{ Level=2 Event="BEGIN_LEVEL" Image="gfx/info/popup.png" X=220 Y=170 Lines=1 Line1="other" }
pz1b{ Level=1 Event="BEGIN_LEVEL" Image="gfx/info/popup.png" X=250 Y=200 ButtonY=-1 TextY=-1
      Lines=1 Line1="second" Spell=0 }
)"}});
}

void PuzzleFixture::PutOnCell(TPuzzleButton& tile, int cell) {
    tile.currentNumber = cell;
    tile.targetNumber = cell;
    tile.SetPosition();
}

std::vector<int> PuzzleFixture::Layout() {
    std::vector<int> cells;
    for (const auto& t : puzzle.puzzle->Tiles())
        cells.push_back(t->currentNumber);
    return cells;
}

void PuzzleFixture::Centre(const TPuzzleButton& tile, int& x, int& y) {
    x = static_cast<int>(tile.dim->x + tile.dim->width / 2);
    y = static_cast<int>(tile.dim->y + tile.dim->height / 2);
}

void PuzzleFixture::ClickAt(FrameInput& in, int x, int y) {
    in.mouseX = x;
    in.mouseY = y;
    in.clicks.push_back(1);
}

void PuzzleFixture::SolveScript(int limit, std::function<void(int, FrameInput&)> extra) {
    control->SetScript([this, limit, extra, second = -1](int frame, FrameInput& in) mutable {
        if (extra) extra(frame, in);
        const auto tiles = puzzle.puzzle->Tiles();
        if (tiles.empty()) return frame < limit;
        for (const auto& t : tiles)
            if (t->IsFlying()) return frame < limit;
        if (puzzle.puzzle->IsSet()) {
            if (frame % 5 == 0) ClickAt(in, 400, 300);
            return frame < limit;
        }
        int x = 0, y = 0;
        if (second >= 0) {
            for (const auto& t : tiles)
                if (t->currentNumber == second) Centre(*t, x, y);
            second = -1;
        } else {
            for (const auto& t : tiles) {
                if (t->IsInPlace() || t->enable == 0) continue;
                Centre(*t, x, y);
                second = t->id;
                break;
            }
        }
        ClickAt(in, x, y);
        return frame < limit;
    });
}

bool PuzzleFixture::Playing() {
    return deltaTime.CurrTime > 0;
}

std::vector<DrawCall> PuzzleFixture::Draws(const std::string& op) const {
    std::vector<DrawCall> out;
    for (const DrawCall& c : control->DrawLog())
        if (c.op == op) out.push_back(c);
    return out;
}

int PuzzleFixture::CountDraws(const ImagePtr& image) const {
    int n = 0;
    for (const DrawCall& c : control->DrawLog())
        if (c.op == "image" && c.image == image) ++n;
    return n;
}

int PuzzleFixture::SoundOps(const std::string& op, const std::string& name) const {
    int n = 0;
    for (const SoundEvent& e : control->SoundLog()) {
        if (e.op != op || e.path.size() < name.size()) continue;
        if (e.path.compare(e.path.size() - name.size(), name.size(), name) == 0) ++n;
    }
    return n;
}

std::vector<std::string> PuzzleFixture::ValuesAfter(const std::string& label) const {
    std::vector<std::string> out;
    const auto texts = Draws("text");
    for (size_t i = 0; i + 1 < texts.size(); ++i)
        if (texts[i].text == label) out.push_back(texts[i + 1].text);
    return out;
}

} // namespace vsm::test
