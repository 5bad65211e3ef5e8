// TLevelManager: the running board level — its document, background, music, statistics and goal.
#include "level/TLevelManager.h"

#include "board/BoardText.h"
#include "board/TBlocksManager.h"
#include "board/TBoardManager.h"
#include "data/BBArchive.h"
#include "data/DataFolders.h"
#include "data/TTSCFile.h"
#include "level/LevelSeams.h"
#include "level/LevelText.h"
#include "level/TBossManager.h"
#include "level/TLevelSequencer.h"
#include "level/TPointsManager.h"
#include "level/TTimeManager.h"
#include "platform/Files.h"
#include "platform/Input.h"
#include "platform/System.h"
#include "services/GameFlags.h"
#include "services/Paths.h"
#include "services/Sound.h"
#include "services/TSlidesManager.h"
#include "services/TSongManager.h"
#include "services/TSpark.h"
#include "services/TextHelpers.h"

#include <climits>
#include <exception>

namespace vsm {

TLevelManager level;
TLevelSeams levelSeams;

namespace {

bool IsFile(const std::string& path) {
    return FileType(path) == FILETYPE_FILE;
}

} // namespace

int TLevelManager::Set(const std::string& name) {
    levelName = name;
    return 0;
}

int TLevelManager::Load(int flag) {
    lvlFile = CreateTSCFile();
    const std::string archive = bDir + "data/davar_levels_lp.bca";
    bool found = !levelName.empty() && LoadTSCFileBB(lvlFile, archive, levelName) == 1;
    if (!found && levelName.find("level_") != std::string::npos) {
        found = LoadTSCFileBB(lvlFile, archive, ReplaceAll(levelName, "level_", "lp-")) == 1;
    }
    if (!found && !levelName.empty()) {
        try {
            LoadTSCFile(lvlFile, levelName);
            found = true;
        } catch (const std::exception& e) {
            Print("level " + levelName + " not read: " + e.what());
            lvlFile = CreateTSCFile();
        }
    }
    if (!found) {
        LoadTSCFileBB(lvlFile, archive, flag == 1 ? "level_endless_01.tsc" : "level_timed_01.tsc");
    }
    const auto& doc = lvlFile;

    level = NumberToInt(GetTSCNumberKey(doc, "Settings::Level", "Number", 0));
    if (flag == 1) {
        copySpellsFromRMG = 0;
        goalType = 1;
    } else {
        copySpellsFromRMG = NumberToInt(GetTSCNumberKey(doc, "Settings::Level", "CopySpellsFromRMG", 0));
        goalType = NumberToInt(GetTSCNumberKey(doc, "Settings::Level", "GoalType", 0));
    }

    bgName = GetTSCStringKey(doc, "Settings::Graphics", "BackgroundImage", 0);
    // Only a picture that can be shown earns a place among the revealed pictures.
    std::string recorded;
    if (_findBackground(recorded)) slides.addRevealedImage(bgName);

    // A level that can deal no rune or no piece could never be played; it is still configured
    // (the board and the managers stay consistent) but reported as refused.
    const int dealsRunes =
        blocks.setAvailableDavar(GetTSCStringKey(doc, "Settings::Level", "AvailableDavar", 0));
    const int dealsPieces =
        blocks.setAvailableBlocks(GetTSCStringKey(doc, "Settings::Level", "AvailableBlocks", 0));
    availableSpells = SplitAtBlanks(GetTSCStringKey(doc, "Settings::Level", "AvailableSpells", 0));
    board.petrifyMaxTime = NumberToInt(GetTSCNumberKey(doc, "Settings::Level", "PetrifyTime", 0));

    board.loadBoard(*doc);
    board.loadDavar(*doc);
    board.loadFrame(*doc);
    board.buildFrame();

    levelSeams.SphereLoad(doc);
    timeManager.Load(doc);
    bossManager.Load(doc);

    loadedMusicName = GetTSCStringKey(doc, "Settings::Music", "Song", 0);

    // A new level starts with no summary behind it, so the short summary books its end bonus
    // once, whatever the previous level's summary left in these fields.
    summaryStage = SUMMARY_PAUSE;
    sX = 0;
    sY = 0;
    bonusPoints = 0;

    lvlFile = nullptr;
    if (dealsRunes == 0 || dealsPieces == 0) {
        Print("level " + levelName + " refused: it deals no " + (dealsRunes == 0 ? "rune" : "piece"));
        return -1;
    }
    return 0;
}

bool TLevelManager::_findBackground(std::string& recorded) const {
    const std::string fileName = StripDir(bgName);
    if (!bgName.empty() && IsFile(bDir + bgName)) {
        recorded = bgName;
        return true;
    }
    if (!fileName.empty() && !myDocsFolder.empty() && IsFile(myDocsFolder + "/custom-art/" + fileName)) {
        recorded = myDocsFolder + "/custom-art/" + fileName;
        return true;
    }
    if (!fileName.empty() && IsFile(bDir + "gfx/slides/" + fileName)) {
        recorded = "gfx/slides/" + fileName;
        return true;
    }
    recorded = "gfx/slides/1a.jpg";
    return false;
}

int TLevelManager::loadSfx() {
    summarySnd = LoadLevelSound(bDir + "sfx/fx/playgame-endlevellopik1.ogg", SOUND_LOOP);
    summarySndStop = LoadLevelSound(bDir + "sfx/fx/playgame-endlevellopik1a.ogg");
    levelEnd = LoadLevelSound(bDir + "sfx/levelEnd-music.ogg");
    scrollOutSnd = LoadLevelSound(bDir + "sfx/fx4/playgame-podlicz-out.ogg");
    scrollInSnd = LoadLevelSound(bDir + "sfx/fx4/playgame-podlicz-show.ogg");
    bonusSnd = LoadLevelSound(bDir + "sfx/fx4/playgame-policz.ogg");
    const char* sides[2] = {"left", "right"};
    for (int door = 0; door < 2; ++door) {
        for (int k = 0; k < 3; ++k) {
            const std::string n = std::to_string(k + 1);
            doorImg[door][k] = LoadLevelImage(bDir + "gfx/gui/doors-" + sides[door] + "-" + n + ".jpg", 0);
            doorImg[door][k + 3] =
                LoadLevelImage(bDir + "gfx/gui/doors-" + sides[door] + "2-" + n + ".jpg", 0);
        }
    }
    levelCompletedImg = LoadLevelImage(bDir + "gfx/gui/LC.png");
    MidHandleImage(levelCompletedImg);
    gameOverImg = LoadLevelImage(bDir + "gfx/gui/game-over.png");
    MidHandleImage(gameOverImg);
    heroineImg[0] = LoadLevelImage(bDir + "gfx/gui/heroine01.png");
    heroineImg[1] = LoadLevelImage(bDir + "gfx/gui/poswiata.png");
    newHiscoreImg = LoadLevelImage(bDir + "gfx/fonts/newhiscore.png");
    MidHandleImage(newHiscoreImg);
    return 0;
}

int TLevelManager::playLvlMusic() {
    // A stream still playing would otherwise go on with no handle left to stop it.
    stopAndFreeMusic();
    musicStream = playMusicStream(loadedMusicName, 1, 1.0f);
    return 0;
}

int TLevelManager::pauseMusic() {
    if (musicStream) musicStream->pause();
    return 0;
}

int TLevelManager::continueMusic() {
    if (musicStream) musicStream->play();
    return 0;
}

int TLevelManager::stopAndFreeMusic() {
    if (musicStream) {
        musicStream->stop();
        musicStream->free();
        musicStream = nullptr;
    }
    return 0;
}

int TLevelManager::finish() {
    const long long sum = static_cast<long long>(points.total) + points.actual;
    points.total = static_cast<int>(sum > INT_MAX ? INT_MAX : sum < INT_MIN ? INT_MIN : sum);
    points.actual = 0;
    blocks.actualBlock = nullptr;
    TSpark::destroyAll();
    return 0;
}

int TLevelManager::Draw() {
    SetBlend(SOLIDBLEND);
    SetAlpha(1);
    SetTransform(0, 1, 1);
    SetColor(255, 255, 255);
    DrawImage(bgImg, 0, 0);
    return 0;
}

int TLevelManager::loadGfx() {
    if (bgName != loadedBgName) {
        std::string recorded;
        _findBackground(recorded);
        const bool absolute = !recorded.empty() && recorded[0] == '/';
        bgImg = LoadLevelImage(absolute ? recorded : bDir + recorded);
        loadedBgName = recorded;
    }
    if (gameState == 1 || gameState < 0) {
        playLvlMusic();
        pauseMusic();
    }
    return 0;
}

int TLevelManager::isGoalAchieved(int) {
    auto cheats = [] { return FileType("cheats.txt") != FILETYPE_NONE; };
    if (KeyHit(KEY_A + ('G' - 'A')) && cheats()) return 1;
    if (KeyHit(KEY_A + ('R' - 'A')) && cheats()) {
        sequencer.seqNo -= 2;
        return 1;
    }
    if (KeyHit(KEY_A + ('Q' - 'A')) && cheats()) {
        sequencer.seqNo += 10;
        return 1;
    }
    if (KeyHit(KEY_A + ('L' - 'A'))) Print("level nazwa: " + levelName);

    switch (goalType) {
    case 1:
        return levelSeams.SphereIsFull();
    case 2:
        return board.IsEmpty();
    case 3:
        return bossManager.CheckForGoal();
    default:
        return 0;
    }
}

int TLevelManager::doShortSummary() {
    if (summaryStage >= SUMMARY_DOORS_CLOSE) return 0;
    // What the count has reached is not in the score until the count ends: book it here.
    points.add(bonusPoints);
    bonusPoints = 0;
    if (sX < 0 || sX > 14) sX = 0;
    for (int y = sY < 0 ? 0 : sY; y <= 14; ++y) {
        for (int x = (y == sY ? sX : 0); x <= 14; ++x) {
            if (board.grid[x][y] != 0 && board.davarLayer[x][y] <= 0) points.add(25);
        }
    }
    sX = 0;
    sY = 15;
    return 0;
}

int TLevelManager::ResetStats() {
    recivedSpells = 0;
    droppedSpells = 0;
    usedBlocks = 0;
    matches = 0;
    combos = 0;
    return 0;
}

int TLevelManager::startSummary() {
    const int64_t now = MilliSecs64();
    summaryDone = 0;
    sTimer = 0;
    sCounter = 0;
    sX = 0;
    sY = 0;
    musicFade = now + 250;
    summaryStage = SUMMARY_PAUSE;
    playSummaryMusic = 0;
    doorPos = 0;
    fadeAlpha = 0;
    scrollAlpha = 0;
    levelCompletedAlpha = 0;
    scrollViewPos = 0;
    bonusPoints = 0;
    boardMiddle = {board.offsetX + board.GetMiddleX(), board.offsetY + board.GetMiddleY()};
    summaryTimer = now;
    bonusPoinstSndCounter = 0;
    heroineAlpha = 0;
    heroineAlphaDir = 1;
    sparksCount = 82;
    sparkDelay = 0;
    // A summary left in the middle keeps its channels: release them so that this summary plays
    // its jingle again, and silence a count sound that was still looping.
    stopSound(summaryChn, summarySnd);
    summaryChn = nullptr;
    levelEndChn = nullptr;
    return 0;
}

void ResetLevelGlobals() {
    level = TLevelManager();
    sequencer = TLevelSequencer();
    points = TPointsManager();
    timeManager = TTimeManager();
    bossManager = TBossManager();
    for (int d = 0; d < 10; ++d) {
        cyfry1Width[d] = 12;
        levelFontWidth[d] = d == 1 ? 7 : 12;
        cyfry4Width[d] = 9;
    }
}

} // namespace vsm
