// DataChecker: the campaign sequence and the fixed points the code gives it, rings, puzzles,
// popups, the map and the stories.
#include "DataChecker.h"

#include "data/NumberText.h"
#include "platform/TImageFont.h"

#include <algorithm>
#include <cmath>

namespace vsm::tools {

namespace {

constexpr int SCREEN_W = 800;
constexpr int SCREEN_H = 600;
// The campaign's length the map, the caption row and the summary are laid out for.
constexpr int MIN_POSITIONS = 44;
// The boss tutorial page is shown before this position, with the picture and runes below.
constexpr int BOSS_TUTORIAL_POSITION = 9;
const char* const BOSS_TUTORIAL_PICTURE = "gfx/boss/b-04.png";
constexpr int BOSS_TUTORIAL_CLASS = 5;
// The ring summary at this position names its spell "Fire spell", and the board after it gets
// four Holy Fire tokens on fixed cells whatever the ring awarded.
constexpr int FIRST_RING_POSITION = 4;
const std::pair<int, int> FIXED_TOKEN_CELLS[] = {{7, 2}, {7, 12}, {2, 7}, {12, 7}};

// Spells of the ring: first castable position and the colour classes that can pay 5 mana.
struct SpellRule {
    const char* name;
    int from;
    std::vector<int> payers;
    bool emptyBoardExempt;
};
const SpellRule SPELLS[] = {{"the Fire Spell", 5, {2, 8}, false},
                            {"the Spread Spell", 11, {10, 14}, true},
                            {"Magic Sand", 25, {4, 13}, false},
                            {"the Time Spell", 35, {1}, false}};
constexpr int SPELL_COST = 5;
constexpr int MAGIC_SAND_FROM = 25;

// Popup panels: size, and the lines that fit them (fewer when a token or an icon is drawn under
// the text). A line is centred on the panel in the popup font and keeps clear of its torn edges.
struct Panel {
    int w, h, lines, linesWithPicture;
};
const std::map<std::string, Panel> PANELS = {{"gfx/info/popup-small.png", {300, 200, 4, 0}},
                                             {"gfx/info/popup.png", {360, 260, 6, 4}},
                                             {"gfx/info/popup-wide.png", {480, 240, 6, 4}}};
const char* const POPUP_FONT = "gfx/fonts/QueenEmpress.ttf";
constexpr int POPUP_FONT_SIZE = 16;
constexpr int POPUP_MARGIN = 20;
const char* const BOARD_EVENTS[] = {"BEGIN_LEVEL", "MAKE_MATCH", "RIGHT_UNUSED", "ACTIVATOR_ERROR"};

// Map screen: the Play button's corner, the caption row, and what the generated map picture
// draws where no marker may sit (title lettering, compass).
constexpr int PLAY_X = 508;
constexpr int PLAY_Y = 566;
constexpr int CAPTION_TOP = 564;
struct Box {
    int x, y, w, h;
    const char* what;
};
const Box MAP_KEEP_OUT[] = {{40, 20, 300, 60, "the map's title"}, {668, 458, 104, 104, "the compass"}};
const std::map<int, const char*> MARKER_PICTURES = {
    {1, "gfx/mapa/k1b.png"}, {3, "gfx/mapa/k2b.png"}, {5, "gfx/mapa/k3b.png"}};

// Story pages: the picture band (the top band covers y 0-40, the bottom band starts at 381),
// and the text block that fits the bottom band: lines written from x 105 in the story font, which
// end by x 695, as far from the right edge as they start from the left.
constexpr int STORY_TOP = 40;
constexpr int STORY_BAND = 381;
constexpr int STORY_LINES = 4;
const char* const STORY_FONT = "gfx/fonts/Lombardic.ttf";
constexpr int STORY_FONT_SIZE = 22;
constexpr int STORY_LINE_WIDTH = SCREEN_W - 2 * 105;
constexpr int STORY_PAGES = 26;

bool Overlap(const Box& a, const Box& b) {
    return a.x < b.x + b.w && b.x < a.x + a.w && a.y < b.y + b.h && b.y < a.y + a.h;
}

std::string Pos(int n) {
    return "position " + std::to_string(n);
}

} // namespace

void DataChecker::CheckSequence() {
    const std::string name = "sequencer.tsc";
    TTSCFilePtr doc = Archived("settings_lp", name);
    if (!doc) return;
    int first = NumberToInt(doc->TryGetNumberKey("Sequence", "FirstLevel", 0).value_or(0));
    int last = NumberToInt(doc->TryGetNumberKey("Sequence", "LastLevel", 0).value_or(0));
    if (first != 1) Report(name, "Sequence::FirstLevel", "a new campaign and a new profile start at 1");
    if (last < MIN_POSITIONS) Report(name, "Sequence::LastLevel", "the campaign holds at least 44 positions");
    lastPosition_ = std::max(last, 0);

    auto ringSpells = [&](const std::string& file) {
        TTSCFilePtr ring = Archived("ring_levels_lp", file);
        return ring ? SplitNumbers(ring->TryGetStringKey("Settings", "AvailableSpells", 0).value_or(""))
                    : std::vector<int>{};
    };
    int firstWardenLevel = 0;
    for (int pos = 1; pos <= last; ++pos) {
        std::string g = "Sequence::Level" + std::to_string(pos);
        Position p;
        p.fileName = doc->TryGetStringKey(g, "FileName", 0).value_or("");
        p.type = NumberToInt(doc->TryGetNumberKey(g, "Type", 0).value_or(0));
        sequence_[pos] = p;
        if (p.fileName.empty()) {
            Report(name, g, Pos(pos) + " has no document");
            continue;
        }
        if (p.type == 1) {
            const BoardLevel* b = Board(p.fileName);
            if (!b) continue;
            if (b->goal == 3 && firstWardenLevel == 0) firstWardenLevel = pos;
            CheckSpellsCastable(pos, *b);
            if (b->copySpells == 1) {
                auto prev = sequence_.find(pos - 1);
                if (prev == sequence_.end() || prev->second.type != 3) {
                    Report(p.fileName, "Settings::Level::CopySpellsFromRMG",
                           "only the board right after a ring game takes its spells");
                } else {
                    std::vector<int> won = ringSpells(prev->second.fileName);
                    bool stones = false;
                    for (const auto& column : b->preset)
                        for (const std::string& id : column)
                            stones =
                                stones || (runes_.count(id) && runes_.at(id).stone && runes_.at(id).cls != 0);
                    if (std::count(won.begin(), won.end(), 5) && !stones)
                        Report(p.fileName, "Davar",
                               "the ring before can award Heal: lay preset stones so that it has work");
                }
            }
        } else if (p.type == 2) {
            CheckPuzzle(p.fileName);
        } else if (p.type == 3) {
            CheckRing(pos, p.fileName);
        } else {
            Report(name, g + "::Type", "types are 1 (board), 2 (puzzle) and 3 (ring)");
        }
    }
    if (last < 1) return;

    if (sequence_[1].fileName != "level_01.tsc" || sequence_[1].type != 1)
        Report(name, "Sequence::Level1", "a new profile lists level_01.tsc: position 1 must be that board");
    if (sequence_[last].type != 1)
        Report(name, "Sequence::Level" + std::to_string(last),
               "the quest hiscore is kept only when the last position is a board");
    if (firstWardenLevel != BOSS_TUTORIAL_POSITION)
        Report(name, "Sequence",
               "the boss tutorial comes before position 9: the first warden level must be 9");
    if (const BoardLevel* b =
            sequence_.count(BOSS_TUTORIAL_POSITION) && sequence_[BOSS_TUTORIAL_POSITION].type == 1
                ? Board(sequence_[BOSS_TUTORIAL_POSITION].fileName)
                : nullptr)
        for (const PlacedWarden& w : b->wardens)
            if (wardenPictures_[w.id] != BOSS_TUTORIAL_PICTURE || wardenColours_[w.id] != BOSS_TUTORIAL_CLASS)
                Report(b->name, "Settings::Level::BossDavar",
                       "warden " + w.id + " must look like the boss tutorial's (b-04, class 5)");

    const Position& ring = sequence_[FIRST_RING_POSITION];
    if (ring.type != 3 || ringSpells(ring.fileName) != std::vector<int>{1})
        Report(name, "Sequence::Level4", "position 4 is a ring game awarding only Holy Fire (\"1\")");
    const Position& after = sequence_[FIRST_RING_POSITION + 1];
    const BoardLevel* b = after.type == 1 ? Board(after.fileName) : nullptr;
    if (!b || b->copySpells != 1) {
        Report(name, "Sequence::Level5", "position 5 is a board with CopySpellsFromRMG=1");
    } else {
        for (auto [x, y] : FIXED_TOKEN_CELLS)
            if (!b->Playable(x, y) || b->preset[x][y].empty())
                Report(b->name, "Davar",
                       "the Holy Fire token cell (" + std::to_string(x) + "," + std::to_string(y) +
                           ") needs a board cell with a preset rune");
    }
}

void DataChecker::CheckSpellsCastable(int pos, const BoardLevel& b) {
    for (const SpellRule& rule : SPELLS) {
        if (pos < rule.from || (rule.emptyBoardExempt && b.goal == 2)) continue;
        bool payable = std::any_of(rule.payers.begin(), rule.payers.end(),
                                   [&](int c) { return b.HasBall(c, SPELL_COST); });
        if (!payable)
            Report(b.name, "Settings::Level::SpheresColors",
                   std::string(rule.name) + " is castable at " + Pos(pos) + ": give a ball of class " +
                       std::to_string(rule.payers.front()) +
                       (rule.payers.size() > 1 ? " or " + std::to_string(rule.payers.back()) : "") +
                       " room for 5 mana");
    }
    if (pos >= MAGIC_SAND_FROM && b.spells.empty())
        Report(b.name, "Settings::Level::AvailableSpells",
               "Magic Sand needs tokens to aim at: list a bonus kind");
}

void DataChecker::CheckRing(int pos, const std::string& name) {
    TTSCFilePtr doc = Archived("ring_levels_lp", name);
    if (!doc) return;
    auto num = [&](const char* k) { return NumberToInt(doc->TryGetNumberKey("Settings", k, 0).value_or(0)); };
    NeedSound(name, "Settings::Music", doc->TryGetStringKey("Settings", "Music", 0).value_or(""));
    if (num("Time") <= 0) Report(name, "Settings::Time", "the stage needs a length in ms");
    if (num("SequenceLength") < 1 || num("SequenceLength") > 20)
        Report(name, "Settings::SequenceLength", "a sequence holds 1 to 20 runes");
    if (num("RuneTime") <= 0) Report(name, "Settings::RuneTime", "each rune needs time in ms");
    std::vector<int> spells =
        SplitNumbers(doc->TryGetStringKey("Settings", "AvailableSpells", 0).value_or(""));
    if (spells.empty()) Report(name, "Settings::AvailableSpells", "a finished sequence must win a spell");
    for (int kind : spells)
        if (kind < 1 || kind > 6) Report(name, "Settings::AvailableSpells", "bonus kinds run from 1 to 6");
    int number = num("LevelNumber");
    auto [it, fresh] = ringLevelNumbers_.emplace(number, pos);
    if (!fresh && it->second != pos)
        Report(name, "Settings::LevelNumber",
               "another ring uses " + std::to_string(number) + ": its popups would show twice");
}

void DataChecker::CheckPuzzle(const std::string& name) {
    TTSCFilePtr doc = Archived("puzzle_levels_lp", name);
    if (!doc) return;
    auto num = [&](const char* k) { return NumberToInt(doc->TryGetNumberKey("Settings", k, 0).value_or(0)); };
    NeedPicture(name, "Settings::Image", doc->TryGetStringKey("Settings", "Image", 0).value_or(""));
    NeedSound(name, "Settings::Music", doc->TryGetStringKey("Settings", "Music", 0).value_or(""));
    int w = num("width"), h = num("height"), a = num("hintA"), b = num("hintB");
    if (w < 1 || w > 10 || h < 1 || h > 10) Report(name, "Settings::width", "sides run from 1 to 10 tiles");
    if (w * h < 2) Report(name, "Settings::width", "a puzzle has at least two tiles to swap");
    if (a == b || a < 0 || b < 0 || a >= w * h || b >= w * h)
        Report(name, "Settings::hintA", "the free hint swaps two different tiles of the picture");
}

void DataChecker::CheckPopups() {
    const FontPtr font = Font(POPUP_FONT, POPUP_FONT_SIZE);
    struct Doc {
        const char* name;
        bool board;
    };
    bool firstPuzzle = false;
    for (const auto& [pos, p] : sequence_)
        firstPuzzle = firstPuzzle || (p.type == 2 && p.fileName == "puzzle-01.tsc");
    for (const Doc& d : {Doc{"info.tsc", true}, Doc{"infoPZ.tsc", false}, Doc{"infoRG.tsc", false}}) {
        TTSCFilePtr doc = Archived("popups_lp", d.name);
        if (!doc) continue;
        const std::string which = d.name;
        if (which == "infoPZ.tsc" && !doc->GetGroupList("").empty() && !firstPuzzle)
            Report(which, "-", "these popups show only before a puzzle named exactly puzzle-01.tsc");
        for (const auto& group : doc->GetGroupList("")) {
            const std::string g = group->Name;
            auto num = [&](const char* k) {
                auto v = doc->TryGetNumberKey(g, k, 0);
                if (!v) Report(which, g + "::" + k, "missing: write every key");
                return NumberToInt(v.value_or(0));
            };
            auto str = [&](const char* k) { return doc->TryGetStringKey(g, k, 0).value_or(""); };
            int level = num("Level"), x = num("X"), y = num("Y"), lines = num("Lines"), spell = num("Spell");
            int condition = num("Condition");
            std::string event = str("Event"), image = str("Image");
            if (num("ButtonY") != -1 || num("TextY") != -1)
                Report(which, g, "ButtonY and TextY are -1 (placed by the panel)");
            if (d.board) {
                bool known = std::any_of(std::begin(BOARD_EVENTS), std::end(BOARD_EVENTS),
                                         [&](const char* e) { return event == e; });
                if (!known) Report(which, g + "::Event", "\"" + event + "\" is never posted");
                auto at = sequence_.find(level);
                if (at == sequence_.end() || at->second.type != 1)
                    Report(which, g + "::Level", Pos(level) + " is not a board level: the popup never shows");
                if (event == "ACTIVATOR_ERROR" && level < MAGIC_SAND_FROM)
                    Report(which, g + "::Level", "Magic Sand is castable only from position 25");
                if ((event == "MAKE_MATCH" || event == "RIGHT_UNUSED") && condition < 1)
                    Report(which, g + "::Condition", "the clearing-move count it waits for starts at 1");
            } else {
                if (event != "BEGIN_LEVEL")
                    Report(which, g + "::Event", "puzzle and ring popups are BEGIN_LEVEL");
                if (which == "infoPZ.tsc" && level != 1)
                    Report(which, g + "::Level", "puzzle popups are read at Level 1");
                if (which == "infoRG.tsc" && !ringLevelNumbers_.count(level))
                    Report(which, g + "::Level", "no ring has LevelNumber " + std::to_string(level));
            }
            auto panel = PANELS.find(image);
            if (panel == PANELS.end()) {
                Report(which, g + "::Image", "\"" + image + "\" is not a popup panel");
                continue;
            }
            const Panel& pn = panel->second;
            NeedPicture(which, g + "::Image", image, pn.w, pn.h);
            if (x < 0 || y < 0 || x + pn.w > SCREEN_W || y + pn.h > SCREEN_H)
                Report(which, g, "the panel leaves the screen");
            if (spell < -1 || spell > 6)
                Report(which, g + "::Spell", "-1 (icon), 0 (none) or a bonus kind 1 to 6");
            int limit = spell != 0 ? pn.linesWithPicture : pn.lines;
            if (lines < 1 || lines > limit)
                Report(which, g + "::Lines",
                       std::to_string(lines) + " lines; this panel holds 1 to " + std::to_string(limit) +
                           (spell != 0 ? " above a picture" : ""));
            for (int i = 1; i <= lines && i <= 100; ++i) {
                std::string key = "Line" + std::to_string(i);
                auto text = doc->TryGetStringKey(g, key, 0);
                if (!text) {
                    Report(which, g + "::" + key, "missing");
                } else if (font && font->Width(*text) > pn.w - 2 * POPUP_MARGIN) {
                    Report(which, g + "::" + key,
                           std::to_string(font->Width(*text)) +
                               " pixels wide in the popup font; the panel holds " +
                               std::to_string(pn.w - 2 * POPUP_MARGIN));
                }
            }
            if (spell == -1) {
                std::string icon = str("IconImg");
                NeedPicture(which, g + "::IconImg", icon);
                auto size = PictureSize(icon);
                int ix = num("IconX"), iy = num("IconY");
                if (size && (ix < 0 || iy < 0 || ix + size->first > pn.w || iy + size->second > pn.h))
                    Report(which, g + "::IconX", "the icon leaves the panel");
                // The lines start at a fifth of the panel's height and the OK button at 72 %.
                const int textEnd = pn.h / 5 + lines * (font ? font->lineHeight : 0);
                if (size && font && (iy < textEnd || iy + size->second > pn.h * 72 / 100))
                    Report(which, g + "::IconY",
                           "the icon stands between the text, which ends at " + std::to_string(textEnd) +
                               ", and the OK button at " + std::to_string(pn.h * 72 / 100));
            }
        }
    }
}

void DataChecker::CheckMap() {
    const std::string name = "map.tsc";
    TTSCFilePtr doc = Archived("settings_lp", name);
    if (!doc) return;
    auto play = PictureSize("gfx/fonts/play_mapa.png");
    NeedPicture(name, "Play button", "gfx/fonts/play_mapa.png");
    std::vector<Box> keepOut(std::begin(MAP_KEEP_OUT), std::end(MAP_KEEP_OUT));
    keepOut.push_back({0, CAPTION_TOP, SCREEN_W, SCREEN_H - CAPTION_TOP, "the caption row"});
    if (play) {
        Box button{PLAY_X, PLAY_Y, play->first, play->second, "the Play button"};
        if (button.x + button.w > SCREEN_W || button.y + button.h > SCREEN_H)
            Report("gfx/fonts/play_mapa.png", "size",
                   "drawn at (508,566) it must end inside 800x600, it is " + std::to_string(play->first) +
                       "x" + std::to_string(play->second));
        keepOut.push_back(button);
    }

    std::map<int, Box> stages;
    for (const auto& group : doc->GetGroupList("Stages")) {
        std::string g = "Stages::" + group->Name;
        int number = NumberToInt(doc->TryGetNumberKey(g, "Number", 0).value_or(0));
        std::string image = doc->TryGetStringKey(g, "Image", 0).value_or("");
        NeedPicture(name, g + "::Image", image);
        auto size = PictureSize(image).value_or(std::make_pair(0, 0));
        Box box{NumberToInt(doc->TryGetNumberKey(g, "X", 0).value_or(0)),
                NumberToInt(doc->TryGetNumberKey(g, "Y", 0).value_or(0)), size.first, size.second,
                "a stage picture"};
        if (box.x < 0 || box.y < 0 || box.x + box.w > SCREEN_W || box.y + box.h > CAPTION_TOP)
            Report(name, g, "the stage picture leaves the map");
        if (!stages.emplace(number, box).second)
            Report(name, g + "::Number", "two stage pictures share a number");
    }

    struct Marker {
        std::string group;
        int x, y, half;
    };
    std::vector<Marker> markers;
    std::map<int, int> count;
    for (const auto& group : doc->GetGroupList("Levels")) {
        std::string g = "Levels::" + group->Name;
        auto num = [&](const char* k) { return NumberToInt(doc->TryGetNumberKey(g, k, 0).value_or(0)); };
        int number = num("Number"), kind = num("Kind"), stage = num("Stage");
        ++count[number];
        if (number < 1 || number > lastPosition_)
            Report(name, g + "::Number", Pos(number) + " is not in the campaign");
        if (!stages.count(stage))
            Report(name, g + "::Stage", "stage " + std::to_string(stage) + " has no picture");
        auto picture = MARKER_PICTURES.find(kind);
        if (picture == MARKER_PICTURES.end()) {
            Report(name, g + "::Kind", "markers are of kind 1 (board), 3 (ring, puzzle) or 5 (warden)");
            continue;
        }
        auto size = PictureSize(picture->second).value_or(std::make_pair(0, 0));
        Marker m{g, SCREEN_W - num("X"), num("Y"), std::max(size.first, size.second) / 2};
        Box box{m.x - m.half, m.y - m.half, 2 * m.half, 2 * m.half, ""};
        if (box.x < 0 || box.y < 0 || box.x + box.w > SCREEN_W || box.y + box.h > SCREEN_H)
            Report(name, g, "the marker leaves the screen");
        for (const Box& k : keepOut)
            if (Overlap(box, k)) Report(name, g, std::string("the marker covers ") + k.what);
        for (const auto& [n, s] : stages)
            if (Overlap(box, s))
                Report(name, g, "stage picture " + std::to_string(n) + " is drawn over the marker");
        for (const Marker& other : markers)
            if (std::hypot(other.x - m.x, other.y - m.y) < other.half + m.half)
                Report(name, g, "the marker overlaps " + other.group);
        markers.push_back(m);
    }
    for (int pos = 1; pos <= lastPosition_; ++pos)
        if (count[pos] != 1)
            Report(name, "Levels",
                   Pos(pos) + " needs exactly one marker, it has " + std::to_string(count[pos]));
}

void DataChecker::CheckStories() {
    const FontPtr font = Font(STORY_FONT, STORY_FONT_SIZE);
    for (int part = 1; part <= 2; ++part) {
        std::string file = "data/part-" + std::to_string(part) + ".tsc";
        TTSCFilePtr doc = Loose(file);
        if (!doc) continue;
        std::string story = "Story" + std::to_string(part);
        if (!doc->TryGetStringKey(story, "Music", 0))
            Report(file, story + "::Music", "missing: write every key");
        std::string voice = doc->TryGetStringKey(story, "Voice", 0).value_or("");
        if (!voice.empty()) {
            NeedSound(file, story + "::Voice", voice);
            if (NumberToInt(doc->TryGetNumberKey(story, "voiceStopAfter", 0).value_or(0)) <= 0)
                Report(file, story + "::voiceStopAfter",
                       "a voice is stopped this many ms after it starts: give it time");
        }
        int pages = NumberToInt(doc->TryGetNumberKey(story, "Pages", 0).value_or(0));
        if (pages < 1 || pages > STORY_PAGES) Report(file, story + "::Pages", "a story has 1 to 26 pages");
        for (int i = 1; i <= pages && i <= STORY_PAGES; ++i) {
            std::string g = story + "::Page" + std::to_string(i);
            auto num = [&](const char* k) {
                auto v = doc->TryGetNumberKey(g, k, 0);
                if (!v) Report(file, g + "::" + k, "missing: write every key");
                return NumberToInt(v.value_or(0));
            };
            std::string picture = doc->TryGetStringKey(g, "Picture", 0).value_or("");
            int posY = num("PosY"), lines = num("Lines");
            num("Time");
            if (picture == "<<") {
                if (i == 1) Report(file, g + "::Picture", "the first page names its own picture");
            } else {
                NeedPicture(file, g + "::Picture", picture, SCREEN_W, -1);
                auto size = PictureSize(picture);
                if (size && (posY > STORY_TOP || posY + size->second < STORY_BAND))
                    Report(file, g + "::PosY", "the picture must fill the band from y 40 to 381");
            }
            if (lines < 0 || lines > STORY_LINES) Report(file, g + "::Lines", "a page holds up to 4 lines");
            for (int j = 1; j <= lines && j <= 6; ++j) {
                std::string key = "Line" + std::to_string(j);
                auto text = doc->TryGetStringKey(g, key, 0);
                if (!text) {
                    Report(file, g + "::" + key, "missing");
                } else if (font && font->Width(*text) > STORY_LINE_WIDTH) {
                    Report(file, g + "::" + key,
                           std::to_string(font->Width(*text)) +
                               " pixels wide in the story font; a line holds " +
                               std::to_string(STORY_LINE_WIDTH));
                }
            }
        }
    }
}

} // namespace vsm::tools
