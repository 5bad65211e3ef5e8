// DataChecker: board-level documents (goals, dealt runes and pieces, sphere, shape, wardens) and
// the quick-play lists.
#include "DataChecker.h"

#include "data/NumberText.h"

#include <algorithm>

namespace vsm::tools {

namespace {

// Every board document is a quick-play fallback or may join the quick-play tab, so these keys
// are always read; a missing one reads 0 or "", and some of those defaults spoil the level.
const char* const LEVEL_KEYS[] = {
    "Number",      "GoalType", "CopySpellsFromRMG", "AvailableDavar",    "AvailableBlocks", "AvailableSpells",
    "PetrifyTime", "Time",     "SpheresColors",     "SpheresCapacities", "BossDavar"};
// The loader reads the frame's piece counts before it builds the frame from the board.
const char* const FRAME_COUNT_KEYS[] = {"LQ", "RQ", "TQ", "BQ", "LUCQ", "RUCQ", "LLCQ", "RLCQ"};
constexpr int MIN_PETRIFY_MS = 12000;
constexpr int MAX_TIME_S = 3600;
// Time attack clamps its clock to this range at start and resume, but not at a restart.
constexpr int TIMED_MIN_S = 60;
constexpr int TIMED_MAX_S = 500;
// Where a warden's top-left cell may lie so that its four arms stay on a 15x15 board.
constexpr int WARDEN_MIN = 2;
constexpr int WARDEN_MAX = 11;

std::string Cell(int x, int y) {
    return "(" + std::to_string(x) + "," + std::to_string(y) + ")";
}

// The 4 cells of a warden and the 16 of its arms (2x2 left, right, above and below).
std::vector<std::pair<int, int>> WardenCells(const PlacedWarden& w, bool arms) {
    std::vector<std::pair<int, int>> out;
    auto square = [&](int x, int y) {
        for (int dy = 0; dy < 2; ++dy)
            for (int dx = 0; dx < 2; ++dx)
                out.emplace_back(x + dx, y + dy);
    };
    if (!arms) {
        square(w.x, w.y);
        return out;
    }
    square(w.x - 2, w.y);
    square(w.x + 2, w.y);
    square(w.x, w.y - 2);
    square(w.x, w.y + 2);
    return out;
}

} // namespace

const BoardLevel* DataChecker::Board(const std::string& name) {
    auto found = boards_.find(name);
    if (found != boards_.end()) return &found->second;
    TTSCFilePtr doc = Archived("davar_levels_lp", name);
    if (!doc) return nullptr;

    BoardLevel b;
    b.name = name;
    const std::string lv = "Settings::Level";
    for (const char* key : LEVEL_KEYS)
        if (!doc->TryGetStringKey(lv, key, 0)) Report(name, lv + "::" + key, "missing: write every key");
    for (const char* key : FRAME_COUNT_KEYS)
        if (!doc->TryGetStringKey("Frame", key, 0))
            Report(name, std::string("Frame::") + key,
                   "missing: the loader reads it (0, the frame is built)");
    auto num = [&](const std::string& path, const char* key) {
        return NumberToInt(doc->TryGetNumberKey(path, key, 0).value_or(0));
    };
    auto str = [&](const std::string& path, const char* key) {
        return doc->TryGetStringKey(path, key, 0).value_or("");
    };
    b.goal = num(lv, "GoalType");
    b.copySpells = num(lv, "CopySpellsFromRMG");
    b.petrify = num(lv, "PetrifyTime");
    b.time = num(lv, "Time");
    b.runes = SplitList(str(lv, "AvailableDavar"));
    b.blocks = SplitList(str(lv, "AvailableBlocks"));
    b.spells = SplitNumbers(str(lv, "AvailableSpells"));
    b.colours = SplitNumbers(str(lv, "SpheresColors"));
    b.capacities = SplitNumbers(str(lv, "SpheresCapacities"));
    for (const std::string& entry : SplitList(str(lv, "BossDavar"))) {
        size_t a = entry.find(':'), c = entry.rfind(':');
        if (a == std::string::npos || a == c) {
            Report(name, lv + "::BossDavar", "\"" + entry + "\" is not id:x:y");
            continue;
        }
        b.wardens.push_back(
            {entry.substr(0, a), TextToInt(entry.substr(a + 1, c - a - 1)), TextToInt(entry.substr(c + 1))});
    }

    for (int row = 0; row < BOARD_SIDE; ++row) {
        std::string key = "Line" + std::to_string(row + 1);
        std::vector<std::string> cells = SplitList(str("Board", key.c_str()));
        // Cells past a short line stay playable, so a short line is never what was meant.
        if (cells.size() != BOARD_SIDE) Report(name, "Board::" + key, "a board line holds 15 entries");
        for (int x = 0; x < BOARD_SIDE && x < static_cast<int>(cells.size()); ++x) {
            if (cells[x] != "0" && cells[x] != "1") Report(name, "Board::" + key, "board cells are 0 or 1");
            b.cell[x][row] = cells[x] != "0";
        }
    }
    b.presetsRead = str("Davar", "Read") == "1";
    bool anyPreset = false;
    for (int row = 0; row < BOARD_SIDE; ++row) {
        std::string key = "Line" + std::to_string(row + 1);
        auto text = doc->TryGetStringKey("Davar", key, 0);
        if (!text) continue;
        std::vector<std::string> cells = SplitList(*text);
        if (cells.size() != BOARD_SIDE) Report(name, "Davar::" + key, "a preset line holds 15 entries");
        for (int x = 0; x < BOARD_SIDE && x < static_cast<int>(cells.size()); ++x) {
            if (cells[x] == "0") continue;
            anyPreset = true;
            b.preset[x][row] = cells[x];
            if (!runes_.count(cells[x]))
                Report(name, "Davar::" + key, "\"" + cells[x] + "\" is not a rune of the catalogue");
            if (!b.cell[x][row])
                Report(name, "Davar::" + key, "preset on " + Cell(x, row) + ", which is no board cell");
        }
    }
    if (anyPreset && !b.presetsRead)
        Report(name, "Davar::Read", "presets are written but load only when Read is \"1\"");
    if (b.presetsRead && !anyPreset) Report(name, "Davar::Read", "Read is \"1\" but no preset is written");

    NeedPicture(name, "Settings::Graphics::BackgroundImage", str("Settings::Graphics", "BackgroundImage"),
                800, 600);
    NeedSound(name, "Settings::Music::Song", str("Settings::Music", "Song"));
    CheckBoardRules(b);
    CheckShape(b);
    if (b.goal == 3) CheckWardenPlaces(b);
    return &(boards_[name] = b);
}

void DataChecker::CheckBoardRules(const BoardLevel& b) {
    const std::string lv = "Settings::Level::";
    const std::string& n = b.name;
    if (b.goal < 1 || b.goal > 3)
        Report(n, lv + "GoalType", "goals are 1 (sphere), 2 (empty board) or 3 (wardens)");
    if (b.copySpells != 0 && b.copySpells != 1) Report(n, lv + "CopySpellsFromRMG", "is 0 or 1");
    if (b.petrify < MIN_PETRIFY_MS) Report(n, lv + "PetrifyTime", "must be at least 12000 ms");
    if (b.time < 0 || b.time > MAX_TIME_S) Report(n, lv + "Time", "seconds from 0 (no clock) to 3600");

    std::set<int> dealtClasses;
    if (b.runes.empty()) Report(n, lv + "AvailableDavar", "no rune is dealt");
    for (const std::string& id : b.runes) {
        auto it = runes_.find(id);
        if (it == runes_.end())
            Report(n, lv + "AvailableDavar", "\"" + id + "\" is not a rune of the catalogue");
        else if (it->second.stone)
            Report(n, lv + "AvailableDavar", "\"" + id + "\" is a stone: stones are never dealt");
        else
            dealtClasses.insert(it->second.cls);
    }
    if (b.blocks.empty()) Report(n, lv + "AvailableBlocks", "no piece is dealt");
    for (const std::string& id : b.blocks)
        if (!templates_.count(id))
            Report(n, lv + "AvailableBlocks", "\"" + id + "\" is not a template of blocks.tsc");
    for (int kind : b.spells)
        if (kind < 1 || kind > 6) Report(n, lv + "AvailableSpells", "bonus kinds run from 1 to 6");

    if (b.colours.size() != 5) Report(n, lv + "SpheresColors", "the sphere has 5 balls");
    if (b.capacities.size() != 5) Report(n, lv + "SpheresCapacities", "the sphere has 5 balls");
    bool realBall = false;
    for (size_t i = 0; i < b.colours.size(); ++i) {
        int c = b.colours[i];
        int cap = i < b.capacities.size() ? b.capacities[i] : 0;
        if (c < 0 || c > 15) Report(n, lv + "SpheresColors", "colour classes run from 0 to 15");
        if (cap < 0) Report(n, lv + "SpheresCapacities", "a capacity is never negative");
        if (c > 0 && !dealtClasses.count(c))
            Report(n, lv + "SpheresColors",
                   "ball " + std::to_string(i + 1) + " wants class " + std::to_string(c) +
                       ", which no dealt rune has");
        realBall = realBall || (c > 0 && cap > 0);
    }
    // Goal-3 boards also join the quick-play tab, where they are played to fill the sphere.
    if (b.goal != 2 && !realBall)
        Report(n, lv + "SpheresColors", "the sphere needs a coloured ball with room");

    bool presets = false, rubble = false;
    for (int x = 0; x < BOARD_SIDE; ++x)
        for (int y = 0; y < BOARD_SIDE; ++y) {
            const std::string& id = b.preset[x][y];
            if (id.empty() || !runes_.count(id)) continue;
            presets = true;
            const CatalogueRune& r = runes_.at(id);
            if (r.cls == 0) {
                rubble = true;
            } else if (b.goal == 2 && !dealtClasses.count(r.cls)) {
                Report(n, "Davar::Line" + std::to_string(y + 1),
                       "preset \"" + id + "\" has a colour no dealt rune has: it can never be cleared");
            }
        }
    if (b.goal == 2) {
        if (!b.presetsRead || !presets) Report(n, "Davar", "an empty-the-board level starts with presets");
        bool remover = std::any_of(b.spells.begin(), b.spells.end(), [](int k) { return k >= 1 && k <= 3; });
        if (rubble && !remover)
            Report(n, lv + "AvailableSpells",
                   "rubble is cleared only by Holy Fire, Vanish or Fire Bomb (1, 2 or 3)");
    }
    if (b.goal != 3 && !b.wardens.empty())
        Report(n, lv + "BossDavar", "wardens belong to goal-3 levels only");

    // Every dealt template must fit the empty board in some turn, or the first deal can end the level.
    for (const std::string& id : b.blocks) {
        auto t = templates_.find(id);
        if (t == templates_.end()) continue;
        std::vector<std::pair<int, int>> shape = t->second;
        bool fits = false;
        for (int turn = 0; turn < 4 && !fits; ++turn) {
            int minX = 99, minY = 99;
            for (auto& [x, y] : shape) {
                int nx = -y, ny = x;
                x = nx;
                y = ny;
                minX = std::min(minX, x);
                minY = std::min(minY, y);
            }
            for (int ox = -minX; ox < BOARD_SIDE && !fits; ++ox)
                for (int oy = -minY; oy < BOARD_SIDE && !fits; ++oy)
                    fits = std::all_of(shape.begin(), shape.end(), [&](const auto& c) {
                        return b.Playable(c.first + ox, c.second + oy);
                    });
        }
        if (!fits)
            Report(n, lv + "AvailableBlocks", "template \"" + id + "\" fits nowhere on the empty board");
    }
}

void DataChecker::CheckShape(const BoardLevel& b) {
    const std::string& n = b.name;
    bool any = false;
    for (int x = -1; x <= BOARD_SIDE; ++x)
        for (int y = -1; y <= BOARD_SIDE; ++y) {
            bool here = b.Playable(x, y);
            any = any || here;
            bool lr = b.Playable(x - 1, y) == b.Playable(x + 1, y) && b.Playable(x - 1, y) != here;
            bool ud = b.Playable(x, y - 1) == b.Playable(x, y + 1) && b.Playable(x, y - 1) != here;
            // The frame builder draws no edge between two sides of one cell.
            if (lr || ud)
                Report(n, "Board",
                       (here ? "a strip one cell wide at " : "a gap or hole one cell wide at ") + Cell(x, y));
            bool d = b.Playable(x, y) && b.Playable(x + 1, y + 1) && !b.Playable(x + 1, y) &&
                     !b.Playable(x, y + 1);
            bool a = !b.Playable(x, y) && !b.Playable(x + 1, y + 1) && b.Playable(x + 1, y) &&
                     b.Playable(x, y + 1);
            if (d || a)
                Report(n, "Board",
                       "cells touching only at a corner at " + Cell(x, y) + "-" + Cell(x + 1, y + 1));
        }
    if (!any) Report(n, "Board", "the board has no cell");
}

void DataChecker::CheckWardenPlaces(const BoardLevel& b) {
    const std::string key = "Settings::Level::BossDavar";
    const std::string& n = b.name;
    if (b.wardens.empty()) Report(n, key, "a goal-3 level places at least one warden");
    std::set<int> dealtClasses;
    for (const std::string& id : b.runes)
        if (runes_.count(id) && !runes_.at(id).stone) dealtClasses.insert(runes_.at(id).cls);
    std::map<std::pair<int, int>, int> taken;
    for (size_t i = 0; i < b.wardens.size(); ++i) {
        const PlacedWarden& w = b.wardens[i];
        std::string which = "warden " + w.id + " at " + Cell(w.x, w.y);
        auto colour = wardenColours_.find(w.id);
        if (colour == wardenColours_.end()) {
            Report(n, key, "\"" + w.id + "\" is not a warden of bossDavar.tsc");
        } else if (!dealtClasses.count(colour->second)) {
            Report(n, key,
                   which + " wants class " + std::to_string(colour->second) + ", which no dealt rune has");
        }
        if (w.x < WARDEN_MIN || w.x > WARDEN_MAX || w.y < WARDEN_MIN || w.y > WARDEN_MAX) {
            Report(n, key, which + ": its arms need 2 <= x, y <= 11");
            continue;
        }
        for (bool arms : {false, true})
            for (auto [x, y] : WardenCells(w, arms)) {
                if (!b.Playable(x, y)) Report(n, key, which + " needs " + Cell(x, y) + " on the board");
                if (!arms && !b.preset[x][y].empty())
                    Report(n, key, which + " stands on the preset at " + Cell(x, y));
                auto [it, fresh] = taken.emplace(std::make_pair(x, y), static_cast<int>(i));
                if (!fresh && it->second != static_cast<int>(i))
                    Report(n, key, which + " shares " + Cell(x, y) + " with another warden or its arms");
            }
    }
}

void DataChecker::CheckQuickPlay() {
    // A quest load or restart that finds no board falls back on the first time-attack board; a
    // quick-play start on the first endless board.
    for (const char* fallback : {"level_timed_01.tsc", "level_endless_01.tsc"})
        Board(fallback);
    for (const auto& [list, timed] :
         {std::pair<const char*, bool>{"endlessLevels.tsc", false}, {"timedLevels.tsc", true}}) {
        TTSCFilePtr doc = Archived("settings_lp", list);
        if (!doc) continue;
        auto groups = doc->GetGroupList("");
        if (groups.empty()) Report(list, "-", "the list offers no board");
        for (const auto& g : groups) {
            std::string file = doc->TryGetStringKey(g->Name, "FileName", 0).value_or("");
            if (file.empty()) {
                Report(list, g->Name + "::FileName", "an entry without a board");
                continue;
            }
            const BoardLevel* b = Board(file);
            if (!b) {
                Report(list, g->Name + "::FileName",
                       "\"" + file + "\" is not a board of data/davar_levels_lp.bca");
                continue;
            }
            std::string lv = "Settings::Level::";
            if (b->goal != 1) Report(file, lv + "GoalType", "quick-play boards fill the sphere (1)");
            if (b->copySpells != 0) Report(file, lv + "CopySpellsFromRMG", "quick play has no ring game: 0");
            if (timed && (b->time < TIMED_MIN_S || b->time > TIMED_MAX_S))
                Report(file, lv + "Time", "time attack runs 60 to 500 seconds");
            if (!timed && b->time != 0) Report(file, lv + "Time", "an endless game has no clock: 0");
        }
    }
    if (const BoardLevel* b = Board("level_timed_01.tsc")) {
        if (b->goal != 1)
            Report(b->name, "Settings::Level::GoalType", "the quest's fallback board fills the sphere (1)");
        if (b->time < TIMED_MIN_S || b->time > TIMED_MAX_S)
            Report(b->name, "Settings::Level::Time", "time attack runs 60 to 500 seconds");
    }
    if (const BoardLevel* b = Board("level_endless_01.tsc"))
        if (b->goal != 1)
            Report(b->name, "Settings::Level::GoalType", "the quick-play fallback fills the sphere (1)");
}

} // namespace vsm::tools
