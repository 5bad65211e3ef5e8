// TLevelSequencer: the campaign's order of levels ("sequencer.tsc") and the player's position in it.
#include "level/TLevelSequencer.h"

#include "board/BoardText.h"
#include "board/TBoardManager.h"
#include "data/BBArchive.h"
#include "data/TTSCFile.h"
#include "level/TLevelManager.h"
#include "platform/System.h"
#include "services/Paths.h"

namespace vsm {

TLevelSequencer sequencer;

int TLevelSequencer::Start(int position) {
    seqNo = position;
    file = CreateTSCFile();
    LoadTSCFileBB(file, bDir + "data/settings_lp.bca", "sequencer.tsc");
    First = NumberToInt(GetTSCNumberKey(file, "Sequence", "FirstLevel", 0));
    Last = NumberToInt(GetTSCNumberKey(file, "Sequence", "LastLevel", 0));
    return 0;
}

int TLevelSequencer::Get() {
    if (seqNo < First || seqNo > Last) return 0;
    const std::string group = seqNo == -1 ? "Sequence::LevelA" : "Sequence::Level" + std::to_string(seqNo);
    if (file) {
        levelFileName = GetTSCStringKey(file, group, "FileName", 0);
        levelType = NumberToInt(GetTSCNumberKey(file, group, "Type", 0));
    } else {
        levelFileName.clear();
        levelType = 0;
    }
    return 1;
}

int TLevelSequencer::setupLevel() {
    if (Get() == 0) return 0;
    if (levelType < LEVEL_TYPE_BOARD || levelType > LEVEL_TYPE_RING) {
        Print("sequencer: level " + std::to_string(seqNo) + " has unknown type " + std::to_string(levelType));
        return 0;
    }
    if (levelFileName.empty()) {
        Print("sequencer: level " + std::to_string(seqNo) + " names no document");
        return 0;
    }
    if (levelType == LEVEL_TYPE_BOARD) {
        board.gameOver = 0;
        level.Set(levelFileName);
        board.clearBoard();
        if (level.Load(0) != 0) return 0;
        level.loadGfx();
    }
    return 1;
}

int TLevelSequencer::nextLevel() {
    ++seqNo;
    return levelExists();
}

int TLevelSequencer::levelExists() {
    return seqNo <= Last ? 1 : 0;
}

} // namespace vsm
