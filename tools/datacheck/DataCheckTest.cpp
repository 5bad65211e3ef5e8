// DataCheckTest: the data check over a copy of the shipped content, first whole, then with one
// document broken at a time; every break must come back as a report line.
#include "BBWriter.h"
#include "DataCheck.h"
#include "platform/Headless.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace vsm::tools {
namespace {

namespace fs = std::filesystem;

const char* const ARCHIVES[] = {"settings_lp", "davar_levels_lp", "puzzle_levels_lp", "ring_levels_lp",
                                "popups_lp"};

std::string ReadAll(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void WriteAll(const fs::path& p, const std::string& text) {
    std::ofstream out(p, std::ios::binary);
    out << text;
}

// A resources folder whose archives and stories are packed from a scratch copy of content/,
// with the real pictures and sounds linked in.
class DataCheckCopy : public ::testing::Test {
  protected:
    fs::path content, resources;

    void SetUp() override {
        UseHeadlessBackend();
        fs::path real = test::ResourcesDir();
        ASSERT_TRUE(fs::exists(real / "gfx")) << "the resources are not built: " << real;
        fs::path root = test::ScratchDir("datacheck");
        content = root / "content";
        resources = root / "resources";
        fs::copy(fs::path(test::SourceDir()) / "content", content, fs::copy_options::recursive);
        fs::create_directories(resources / "data");
        fs::create_directory_symlink(real / "gfx", resources / "gfx");
        fs::create_directory_symlink(real / "sfx", resources / "sfx");
    }

    // Replaces the first occurrence of each `from` in the copied document; the case is void if
    // the text is not there, so the test fails instead of passing on an unbroken document.
    void Edit(const std::string& file, const std::vector<std::pair<std::string, std::string>>& edits) {
        fs::path p = content / file;
        std::string text = ReadAll(p);
        for (const auto& [from, to] : edits) {
            size_t at = text.find(from);
            ASSERT_NE(at, std::string::npos) << file << " lacks: " << from;
            text.replace(at, from.size(), to);
        }
        WriteAll(p, text);
    }

    // The packed entry of a text; each case changes one document, so the rest come from the cache.
    static const std::vector<uint8_t>& Packed(const std::string& text) {
        static std::map<std::string, std::vector<uint8_t>> cache;
        auto it = cache.find(text);
        if (it == cache.end()) it = cache.emplace(text, PackEntry({text.begin(), text.end()})).first;
        return it->second;
    }

    // Packs the copy as the build does and runs the check.
    std::vector<std::string> Check() {
        for (const char* archive : ARCHIVES) {
            std::vector<std::pair<std::string, std::vector<uint8_t>>> entries;
            std::vector<fs::path> files;
            for (const auto& e : fs::directory_iterator(content / archive))
                files.push_back(e.path());
            std::sort(files.begin(), files.end());
            for (const fs::path& f : files)
                entries.emplace_back(f.filename().string() + ".bbc", Packed(ReadAll(f)));
            entries.emplace_back("pack.txt.bbc", PackEntry({'1'}));
            std::vector<uint8_t> bytes = BuildArchive(entries);
            WriteAll(resources / "data" / (std::string(archive) + ".bca"),
                     std::string(bytes.begin(), bytes.end()));
        }
        for (const auto& e : fs::directory_iterator(content / "stories"))
            fs::copy_file(e.path(), resources / "data" / e.path().filename(),
                          fs::copy_options::overwrite_existing);
        return CheckGameData(
            {resources.string() + "/", content.string(), (content / "released-names.txt").string()});
    }
};

std::string Joined(const std::vector<std::string>& lines) {
    std::string out;
    for (const std::string& l : lines)
        out += "  " + l + "\n";
    return out;
}

TEST_F(DataCheckCopy, ShippedContentHoldsEveryRule) {
    std::vector<std::string> report = Check();
    EXPECT_TRUE(report.empty()) << Joined(report);
}

struct BrokenCase {
    const char* what;
    const char* file;
    std::vector<std::pair<std::string, std::string>> edits;
    const char* expected; // the start of the report line that must appear
};

const std::string kLevel01Line5 = "Line5=\"0 0 0 1 1 1 1 1 1 1 1 0 0 0 0\"";

const BrokenCase BROKEN[] = {
    // Form of the sources
    {"parse error", "settings_lp/map.tsc", {{"L01{", "L01{{"}}, "map.tsc: -: does not parse"},
    {"carriage return",
     "settings_lp/portal.tsc",
     {{"Portal{\n", "Portal{\r\n"}},
     "portal.tsc: line 2: lines must end"},
    {"no final line feed", "ring_levels_lp/ring-02.tsc", {{"}\n", "}"}}, "ring-02.tsc: -: the text must end"},
    {"double blank in a list",
     "davar_levels_lp/level_01.tsc",
     {{"\"1 2 5\"", "\"1  2 5\""}},
     "level_01.tsc: Settings::Level::AvailableDavar: list entries are separated by single blanks"},
    {"id written as a number",
     "settings_lp/bossDavar.tsc",
     {{"id=\"3\"", "id=3"}},
     "bossDavar.tsc: List::Warden3::id: an id compared as text"},
    {"key written twice",
     "davar_levels_lp/level_02.tsc",
     {{"GoalType=1", "GoalType=1\n\t\tGoalType=2"}},
     "level_02.tsc: Settings::Level::GoalType: the key is written twice"},
    {"fraction",
     "davar_levels_lp/level_02.tsc",
     {{"PetrifyTime=40000", "PetrifyTime=40000.5"}},
     "level_02.tsc: Settings::Level::PetrifyTime: numbers are read as whole numbers"},
    // Catalogue and wardens
    {"stone of another class",
     "settings_lp/davar.tsc",
     {{"id=\"101\"\n\t\tfileName=\"gfx/runy/rune-101.png\"\n\t\tfileName2=\"gfx/runy/"
       "rune40-101.png\"\n\t\tcolor=\"1\"",
       "id=\"101\"\n\t\tfileName=\"gfx/runy/rune-101.png\"\n\t\tfileName2=\"gfx/runy/"
       "rune40-101.png\"\n\t\tcolor=\"2\""}},
     "davar.tsc: rune \"101\"::color: a stone keeps the class"},
    {"warden colour against its picture",
     "settings_lp/bossDavar.tsc",
     {{"color=6", "color=4"}},
     "bossDavar.tsc: List::Warden3::color: \"gfx/boss/b-05.png\" is drawn in class 6, not 4"},
    {"released id gone",
     "released-names.txt",
     {{"rune 1\n", "rune 1\nrune 99\n"}},
     "davar.tsc: rune \"99\": a released rune id is gone"},
    // Sequence and fixed points
    {"first warden moved",
     "settings_lp/sequencer.tsc",
     {{"Level9{ FileName=\"level_09.tsc\"", "Level9{ FileName=\"level_08.tsc\""}},
     "sequencer.tsc: Sequence: the boss tutorial comes before position 9"},
    {"first ring awards more",
     "ring_levels_lp/ring-01.tsc",
     {{"AvailableSpells=\"1\"", "AvailableSpells=\"1 3\""}},
     "sequencer.tsc: Sequence::Level4: position 4 is a ring game awarding only Holy Fire"},
    {"fifth board takes no spells",
     "davar_levels_lp/level_05.tsc",
     {{"CopySpellsFromRMG=1", "CopySpellsFromRMG=0"}},
     "sequencer.tsc: Sequence::Level5: position 5 is a board with CopySpellsFromRMG=1"},
    {"token cell without preset",
     "davar_levels_lp/level_05.tsc",
     {{"Line3=\"0 0 0 0 0 0 0 1 1", "Line3=\"0 0 0 0 0 0 0 0 1"}},
     "level_05.tsc: Davar: the Holy Fire token cell (7,2)"},
    {"spells copied after no ring",
     "davar_levels_lp/level_02.tsc",
     {{"CopySpellsFromRMG=0", "CopySpellsFromRMG=1"}},
     "level_02.tsc: Settings::Level::CopySpellsFromRMG: only the board right after a ring game"},
    {"Heal won without stones",
     "ring_levels_lp/ring-04.tsc",
     {{"\"1 2 3 4\"", "\"1 2 3 4 5\""}},
     "level_28.tsc: Davar: the ring before can award Heal"},
    {"last position a ring",
     "settings_lp/sequencer.tsc",
     {{"Level48{ FileName=\"level_48.tsc\" Type=1 }", "Level48{ FileName=\"ring-06.tsc\" Type=3 }"}},
     "sequencer.tsc: Sequence::Level48: the quest hiscore"},
    {"spread spell unpayable",
     "davar_levels_lp/level_16.tsc",
     {{"SpheresColors=\"1 2 3 5 10\"", "SpheresColors=\"1 2 3 5 0\""}},
     "level_16.tsc: Settings::Level::SpheresColors: the Spread Spell is castable at position 16"},
    // Board levels
    {"unknown rune",
     "davar_levels_lp/level_01.tsc",
     {{"AvailableDavar=\"1 2 5\"", "AvailableDavar=\"1 2 9\""}},
     "level_01.tsc: Settings::Level::AvailableDavar: \"9\" is not a rune"},
    {"stone dealt",
     "davar_levels_lp/level_02.tsc",
     {{"AvailableDavar=\"1 2 5\"", "AvailableDavar=\"1 2 105\""}},
     "level_02.tsc: Settings::Level::AvailableDavar: \"105\" is a stone"},
    {"unknown template",
     "davar_levels_lp/level_03.tsc",
     {{"AvailableBlocks=\"p2 i3 l3 o4\"", "AvailableBlocks=\"p2 i3 l3 q4\""}},
     "level_03.tsc: Settings::Level::AvailableBlocks: \"q4\" is not a template"},
    {"bonus kind 7",
     "davar_levels_lp/level_08.tsc",
     {{"AvailableSpells=\"1 3\"", "AvailableSpells=\"1 7\""}},
     "level_08.tsc: Settings::Level::AvailableSpells: bonus kinds run from 1 to 6"},
    {"ball of an undealt colour",
     "davar_levels_lp/level_03.tsc",
     {{"SpheresColors=\"1 2 5 0 0\"", "SpheresColors=\"1 2 6 0 0\""}},
     "level_03.tsc: Settings::Level::SpheresColors: ball 3 wants class 6"},
    {"petrify too quick",
     "davar_levels_lp/level_01.tsc",
     {{"PetrifyTime=45000", "PetrifyTime=900"}},
     "level_01.tsc: Settings::Level::PetrifyTime: must be at least 12000"},
    {"missing key",
     "davar_levels_lp/level_10.tsc",
     {{"\t\tTime=0\n", ""}},
     "level_10.tsc: Settings::Level::Time: missing"},
    {"background missing",
     "davar_levels_lp/level_01.tsc",
     {{"n-07.jpg", "n-99.jpg"}},
     "level_01.tsc: Settings::Graphics::BackgroundImage: names \"gfx/slides/n-99.jpg\""},
    {"background of the wrong size",
     "davar_levels_lp/level_01.tsc",
     {{"gfx/slides/n-07.jpg", "gfx/story/page-01.jpg"}},
     "level_01.tsc: Settings::Graphics::BackgroundImage: \"gfx/story/page-01.jpg\" is 800x381"},
    {"song missing",
     "davar_levels_lp/level_01.tsc",
     {{"game-song-1.ogg", "game-song-9.ogg"}},
     "level_01.tsc: Settings::Music::Song: names \"sfx/game-song-9.ogg\""},
    {"short board line",
     "davar_levels_lp/level_01.tsc",
     {{kLevel01Line5, "Line5=\"0 0 0 1 1 1 1 1 1 1 1 0 0 0\""}},
     "level_01.tsc: Board::Line5: a board line holds 15 entries"},
    {"one-cell hole",
     "davar_levels_lp/level_01.tsc",
     {{kLevel01Line5, "Line5=\"0 0 0 1 1 0 1 1 1 1 1 0 0 0 0\""}},
     "level_01.tsc: Board: a gap or hole one cell wide at (5,4)"},
    {"corner-only touch",
     "davar_levels_lp/level_01.tsc",
     {{"Line3=\"0 0 0 0 0 0 0 0 0 0 0 0 0 0 0\"", "Line3=\"0 0 1 0 0 0 0 0 0 0 0 0 0 0 0\""}},
     "level_01.tsc: Board: cells touching only at a corner at (2,2)-(3,3)"},
    {"piece fits nowhere",
     "davar_levels_lp/level_01.tsc",
     {{kLevel01Line5, "Line5=\"0 0 0 0 0 0 0 0 0 0 0 0 0 0 0\""},
      {"Line6=\"0 0 0 1 1 1 1 1 1 1 1 0 0 0 0\"", "Line6=\"0 0 0 0 0 0 0 0 0 0 0 0 0 0 0\""},
      {"Line7=\"0 0 0 1 1 1 1 1 1 1 1 0 0 0 0\"", "Line7=\"0 0 0 0 0 0 0 0 0 0 0 0 0 0 0\""},
      {"Line8=\"0 0 0 1 1 1 1 1 1 1 1 0 0 0 0\"", "Line8=\"0 0 0 0 0 0 0 0 0 0 0 0 0 0 0\""},
      {"Line9=\"0 0 0 1 1 1 1 1 1 1 1 0 0 0 0\"", "Line9=\"0 0 0 0 0 0 0 0 0 0 0 0 0 0 0\""},
      {"Line10=\"0 0 0 1 1 1 1 1 1 1 1 0 0 0 0\"", "Line10=\"0 0 0 0 0 0 0 0 0 0 0 0 0 0 0\""},
      {"Line11=\"0 0 0 1 1 1 1 1 1 1 1 0 0 0 0\"", "Line11=\"0 0 0 0 0 0 0 0 0 0 0 0 0 0 0\""},
      {"AvailableBlocks=\"p1 p2 i3 l3\"", "AvailableBlocks=\"p1 p2 i3 l5\""}},
     "level_01.tsc: Settings::Level::AvailableBlocks: template \"l5\" fits nowhere"},
    {"presets never read",
     "davar_levels_lp/level_07.tsc",
     {{"Read=\"1\"", "Read=\"0\""}},
     "level_07.tsc: Davar::Read: presets are written but load only when Read is \"1\""},
    {"rubble without a remover",
     "davar_levels_lp/level_46.tsc",
     {{"AvailableSpells=\"1 2 3 4 5 6\"", "AvailableSpells=\"4 5 6\""}},
     "level_46.tsc: Settings::Level::AvailableSpells: rubble is cleared only by"},
    {"warden arms off the board",
     "davar_levels_lp/level_09.tsc",
     {{"BossDavar=\"1:6:6\"", "BossDavar=\"1:1:6\""}},
     "level_09.tsc: Settings::Level::BossDavar: warden 1 at (1,6): its arms need"},
    {"unknown warden",
     "davar_levels_lp/level_17.tsc",
     {{"BossDavar=\"2:6:6\"", "BossDavar=\"7:6:6\""}},
     "level_17.tsc: Settings::Level::BossDavar: \"7\" is not a warden"},
    {"warden of an undealt colour",
     "davar_levels_lp/level_17.tsc",
     {{"BossDavar=\"2:6:6\"", "BossDavar=\"3:6:6\""}},
     "level_17.tsc: Settings::Level::BossDavar: warden 3 at (6,6) wants class 6"},
    {"wardens sharing arms",
     "davar_levels_lp/level_24.tsc",
     {{"BossDavar=\"3:3:6 1:10:6\"", "BossDavar=\"3:3:6 1:7:6\""}},
     "level_24.tsc: Settings::Level::BossDavar: warden 1 at (7,6) shares"},
    {"quick-play board of goal 2",
     "davar_levels_lp/level_endless_03.tsc",
     {{"GoalType=1", "GoalType=2"}},
     "level_endless_03.tsc: Settings::Level::GoalType: quick-play boards fill the sphere"},
    {"time attack too short",
     "davar_levels_lp/level_timed_02.tsc",
     {{"Time=180", "Time=30"}},
     "level_timed_02.tsc: Settings::Level::Time: time attack runs 60 to 500 seconds"},
    // Rings and puzzles
    {"ring sequence too long",
     "ring_levels_lp/ring-03.tsc",
     {{"SequenceLength=4", "SequenceLength=25"}},
     "ring-03.tsc: Settings::SequenceLength: a sequence holds 1 to 20 runes"},
    {"ring number twice",
     "ring_levels_lp/ring-03.tsc",
     {{"LevelNumber=3", "LevelNumber=2"}},
     "ring-03.tsc: Settings::LevelNumber: another ring uses 2"},
    {"puzzle hint swaps one tile",
     "puzzle_levels_lp/puzzle-02.tsc",
     {{"hintB=13", "hintB=2"}},
     "puzzle-02.tsc: Settings::hintA: the free hint swaps two different tiles"},
    // Popups
    {"popup line too wide for its panel",
     "popups_lp/info.tsc",
     {{"\"The cleared runes went to\"", "\"The cleared runes went to their ball\""}},
     // the line's width in the popup font, wider than the 260 pixels the small panel holds
     "info.tsc: p01c::Line2: "},
    {"popup at a ring position",
     "popups_lp/info.tsc",
     {{"Level=2\n", "Level=4\n"}},
     "info.tsc: p02a::Level: position 4 is not a board level"},
    {"popup button not automatic",
     "popups_lp/info.tsc",
     {{"ButtonY=-1", "ButtonY=0"}},
     "info.tsc: p01a: ButtonY and TextY are -1"},
    {"sand popup before sand",
     "popups_lp/info.tsc",
     {{"Level=25\n\tEvent=\"ACTIVATOR_ERROR\"", "Level=24\n\tEvent=\"ACTIVATOR_ERROR\""}},
     "info.tsc: p25b::Level: Magic Sand is castable only from position 25"},
    {"too many lines over a picture",
     "popups_lp/info.tsc",
     {{"Lines=4\n\tLine1=\"The ring game left", "Lines=5\n\tLine1=\"The ring game left"}},
     "info.tsc: p05a::Lines: 5 lines; this panel holds 1 to 4 above a picture"},
    {"icon over the text",
     "popups_lp/info.tsc",
     {{"IconY=140", "IconY=120"}},
     "info.tsc: p11a::IconY: the icon stands between the text, which ends at 132"},
    {"ring popup without a ring",
     "popups_lp/infoRG.tsc",
     {{"Level=2\n", "Level=9\n"}},
     "infoRG.tsc: rg2a::Level: no ring has LevelNumber 9"},
    // Map and stories
    {"marker on the caption row",
     "settings_lp/map.tsc",
     {{"L01{ Number=1 Stage=1 Kind=1 X=160 Y=540 }", "L01{ Number=1 Stage=1 Kind=1 X=160 Y=560 }"}},
     "map.tsc: Levels::L01: the marker covers the caption row"},
    {"markers overlapping",
     "settings_lp/map.tsc",
     {{"X=196 Y=524", "X=170 Y=534"}},
     "map.tsc: Levels::L02: the marker overlaps Levels::L01"},
    {"position without marker",
     "settings_lp/map.tsc",
     {{"L48{ Number=48", "L48{ Number=47"}},
     "map.tsc: Levels: position 48 needs exactly one marker, it has 0"},
    {"stage picture over markers",
     "settings_lp/map.tsc",
     {{"X=620 Y=255", "X=600 Y=380"}},
     "map.tsc: Levels::L07: stage picture 1 is drawn over the marker"},
    {"story line too long",
     "stories/part-1.tsc",
     {{"\"moved and no bird sang.\"", "\"moved and no bird sang, and no wind blew at all.\""}},
     // the line's width in the story font, wider than the 590 pixels a line holds
     "data/part-1.tsc: Story1::Page2::Line3: "},
    {"story opens on <<",
     "stories/part-2.tsc",
     {{"Picture=\"gfx/story/page-06.jpg\"", "Picture=\"<<\""}},
     "data/part-2.tsc: Story2::Page1::Picture: the first page names its own picture"},
    {"story page count",
     "stories/part-2.tsc",
     {{"Pages=5", "Pages=27"}},
     "data/part-2.tsc: Story2::Pages: a story has 1 to 26"},
};

TEST_F(DataCheckCopy, EachBrokenDocumentIsReported) {
    fs::path pristine = content.parent_path() / "pristine";
    fs::copy(content, pristine, fs::copy_options::recursive);
    for (const BrokenCase& c : BROKEN) {
        SCOPED_TRACE(c.what);
        fs::remove_all(content);
        fs::copy(pristine, content, fs::copy_options::recursive);
        Edit(c.file, c.edits);
        if (HasFatalFailure()) return;
        std::vector<std::string> report = Check();
        bool found = std::any_of(report.begin(), report.end(),
                                 [&](const std::string& line) { return line.rfind(c.expected, 0) == 0; });
        EXPECT_TRUE(found) << "expected a line starting: " << c.expected << "\ngot:\n" << Joined(report);
    }
}

} // namespace
} // namespace vsm::tools
