// DataChecker: the state of one data check: loaded documents, catalogues, boards and the report.
#pragma once

#include "DataCheck.h"
#include "data/TTSCFile.h"
#include "platform/Graphics.h"

#include <array>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace vsm::tools {

// Board side in cells; every layer of a level document is 15 by 15.
constexpr int BOARD_SIDE = 15;

// One rune of the catalogue.
struct CatalogueRune {
    int cls = 0;
    bool stone = false;
    std::string blockedID;
    std::string unblocked;
};

// One warden placed by a board: its id and the top-left cell of its 2x2.
struct PlacedWarden {
    std::string id;
    int x = 0;
    int y = 0;
};

// What the checks need of one board-level document.
struct BoardLevel {
    std::string name;
    int goal = 0;
    int copySpells = 0;
    int petrify = 0;
    int time = 0;
    std::vector<std::string> runes;
    std::vector<std::string> blocks;
    std::vector<int> spells;
    std::vector<int> colours;
    std::vector<int> capacities;
    std::vector<PlacedWarden> wardens;
    std::array<std::array<bool, BOARD_SIDE>, BOARD_SIDE> cell{};          // [x][y]: playable
    std::array<std::array<std::string, BOARD_SIDE>, BOARD_SIDE> preset{}; // [x][y]: "" none
    bool presetsRead = false;

    // True when (x, y) lies on the board and is playable.
    bool Playable(int x, int y) const;
    // True when some ball of this colour class has room for at least `mana`.
    bool HasBall(int cls, int mana = 1) const;
};

// One position of the campaign sequence.
struct Position {
    std::string fileName;
    int type = 0;
};

class DataChecker {
  public:
    explicit DataChecker(DataCheckPaths paths);
    // Runs every rule and returns the report lines.
    std::vector<std::string> Run();

  private:
    DataCheckPaths paths_;
    std::vector<std::string> report_;
    std::map<std::string, TTSCFilePtr> docs_;
    std::map<std::string, std::optional<std::pair<int, int>>> pictures_;
    std::map<std::pair<std::string, int>, FontPtr> fonts_;
    std::map<std::string, CatalogueRune> runes_;
    std::map<std::string, std::vector<std::pair<int, int>>> templates_;
    std::map<std::string, int> wardenColours_;
    std::map<std::string, std::string> wardenPictures_;
    std::map<std::string, BoardLevel> boards_;
    std::map<int, Position> sequence_;
    int lastPosition_ = 0;
    std::map<int, int> ringLevelNumbers_; // LevelNumber -> position

    // Reporting and loading (DataChecker.cpp).
    void Report(const std::string& doc, const std::string& key, const std::string& rule);
    std::string Archive(const std::string& archive) const;
    // The entry of the archive loaded with the game's loader (cached); null, reported, when it
    // is missing or does not load.
    TTSCFilePtr Archived(const std::string& archive, const std::string& name);
    // A loose document of the resources folder (cached); null, reported, when it does not load.
    TTSCFilePtr Loose(const std::string& relativePath);
    // The picture's size when the game's decoder reads it, cached.
    std::optional<std::pair<int, int>> PictureSize(const std::string& path);
    // Reports a picture that is missing, undecodable, or not w x h (a negative size is not checked).
    void NeedPicture(const std::string& doc, const std::string& key, const std::string& path, int w = -1,
                     int h = -1);
    void NeedSound(const std::string& doc, const std::string& key, const std::string& path);
    // The game's font file at that size, loaded as the game loads it (cached), to measure texts
    // with; null, reported once, when it does not load.
    FontPtr Font(const std::string& path, int size);

    // Form of the sources (DataChecker_form.cpp).
    void CheckSources();
    void CheckSourceText(const std::string& shownName, const std::string& text);

    // Catalogues, wardens, fixed settings (DataChecker_catalogue.cpp).
    void CheckCatalogues();
    void CheckWardens();
    void CheckSettings();
    void CheckReleased();

    // Board levels (DataChecker_boards.cpp).
    // The board's document read and checked on its own; cached, null when it does not load.
    const BoardLevel* Board(const std::string& name);
    void CheckBoardRules(const BoardLevel& b);
    void CheckShape(const BoardLevel& b);
    void CheckWardenPlaces(const BoardLevel& b);
    void CheckQuickPlay();

    // Campaign (DataChecker_campaign.cpp).
    void CheckSequence();
    void CheckSpellsCastable(int pos, const BoardLevel& b);
    void CheckRing(int pos, const std::string& name);
    void CheckPuzzle(const std::string& name);
    void CheckPopups();
    void CheckMap();
    void CheckStories();
};

// The entries of a list value split at single blanks, as the game's readers split them; an
// empty text gives no entry.
std::vector<std::string> SplitList(const std::string& text);
// The entries as integers (TextToInt).
std::vector<int> SplitNumbers(const std::string& text);

} // namespace vsm::tools
