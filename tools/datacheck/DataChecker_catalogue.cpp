// DataChecker: the rune and piece catalogues, the wardens, the portal and the released names.
#include "DataChecker.h"

#include "data/BBArchive.h"
#include "data/NumberText.h"
#include "ToolFiles.h"

#include <cstdio>
#include <sstream>

namespace vsm::tools {

namespace {

// Runes the code names by id, with the colour class it expects of each (spell hint, tutorials,
// the spell recipes of the ring).
const std::map<std::string, int> FIXED_RUNES = {{"1", 1},  {"2", 2},   {"4", 4},   {"5", 5},
                                                {"16", 8}, {"20", 10}, {"26", 13}, {"28", 14}};
// Rubble: never petrifies, refused by Spread, turned into a stone by Heal.
const char* const RUBBLE = "13";
// Piece-move sparks take the colour of this class.
constexpr int SPARK_CLASS = 7;
// The generator draws each warden picture in one class's hue; a warden must ask for that class.
const std::map<std::string, int> WARDEN_HUES = {{"gfx/boss/b-01.png", 1}, {"gfx/boss/b-02.png", 2},
                                                {"gfx/boss/b-03.png", 4}, {"gfx/boss/b-04.png", 5},
                                                {"gfx/boss/b-05.png", 6}, {"gfx/boss/b-06.png", 3}};
// Warden art is drawn 64x64 whatever the board.
constexpr int WARDEN_SIZE = 64;

bool RgbRangesOrdered(const std::string& rgb) {
    int lo[3], hi[3];
    char tail;
    if (std::sscanf(rgb.c_str(), "%d,%d:%d,%d:%d,%d%c", &lo[0], &hi[0], &lo[1], &hi[1], &lo[2], &hi[2],
                    &tail) != 6)
        return false;
    for (int c = 0; c < 3; ++c)
        if (lo[c] < 0 || lo[c] > hi[c] || hi[c] > 255) return false;
    return true;
}

} // namespace

void DataChecker::CheckCatalogues() {
    const std::string davar = "davar.tsc";
    if (TTSCFilePtr doc = Archived("settings_lp", davar)) {
        int quantity = NumberToInt(doc->TryGetNumberKey("List", "Quantity", 0).value_or(0));
        if (quantity != static_cast<int>(doc->GetGroupList("List").size()))
            Report(davar, "List::Quantity", "must count every rune group, or the last ones are never read");
        std::set<int> classesSeen;
        for (int i = 1; i <= quantity; ++i) {
            std::string g = "List::Rune" + std::to_string(i);
            auto str = [&](const char* k) { return doc->TryGetStringKey(g, k, 0).value_or(""); };
            std::string id = str("id");
            if (id.empty()) {
                Report(davar, g, "a rune needs an id");
                continue;
            }
            CatalogueRune r;
            r.cls = TextToInt(str("color"));
            r.stone = TextToInt(str("blocked")) == 1;
            r.blockedID = str("blockedID");
            r.unblocked = str("unblocked");
            if (r.cls < 0 || r.cls > 15) Report(davar, g + "::color", "colour classes run from 0 to 15");
            if (!RgbRangesOrdered(str("rgb")))
                Report(davar, g + "::rgb", "sparks need \"r1,r2:g1,g2:b1,b2\" with 0 <= low <= high <= 255");
            NeedPicture(davar, g + "::fileName", str("fileName"), 32, 32);
            NeedPicture(davar, g + "::fileName2", str("fileName2"), 40, 40);
            // The first rune of a class gives the class its colour: it must be a rune, not a stone.
            if (r.cls != 0 && classesSeen.insert(r.cls).second && r.stone)
                Report(davar, g, "class " + std::to_string(r.cls) + " must meet its rune before its stone");
            if (!runes_.emplace(id, r).second) Report(davar, g + "::id", "id \"" + id + "\" is used twice");
        }
        for (const auto& [id, r] : runes_) {
            std::string where = "rune \"" + id + "\"";
            if (r.blockedID == id) Report(davar, where + "::blockedID", "a rune cannot petrify into itself");
            if (!r.blockedID.empty() && (!runes_.count(r.blockedID) || !runes_.at(r.blockedID).stone))
                Report(davar, where + "::blockedID",
                       "\"" + r.blockedID + "\" is not a stone of the catalogue");
            if (r.stone && !r.unblocked.empty()) {
                auto it = runes_.find(r.unblocked);
                if (it == runes_.end() || it->second.stone)
                    Report(davar, where + "::unblocked",
                           "\"" + r.unblocked + "\" is not a rune of the catalogue");
                else if (it->second.cls != r.cls)
                    Report(davar, where + "::color", "a stone keeps the class of the rune it frees");
            }
        }
        for (const auto& [id, cls] : FIXED_RUNES) {
            auto it = runes_.find(id);
            if (it == runes_.end() || it->second.stone || it->second.cls != cls)
                Report(davar, "rune \"" + id + "\"",
                       "the code needs it as a rune of class " + std::to_string(cls));
        }
        auto rubble = runes_.find(RUBBLE);
        if (rubble == runes_.end() || !rubble->second.stone || rubble->second.cls != 0)
            Report(davar, std::string("rune \"") + RUBBLE + "\"",
                   "the code needs it as a stone of class 0 (rubble)");
        bool sparkRune = false;
        for (const auto& [id, r] : runes_)
            sparkRune = sparkRune || (!r.stone && r.cls == SPARK_CLASS);
        if (!sparkRune) Report(davar, "List", "piece-move sparks need a rune of class 7");
    }

    const std::string blocks = "blocks.tsc";
    if (TTSCFilePtr doc = Archived("settings_lp", blocks)) {
        int quantity = NumberToInt(doc->TryGetNumberKey("List", "Quantity", 0).value_or(0));
        if (quantity != static_cast<int>(doc->GetGroupList("List").size()))
            Report(blocks, "List::Quantity",
                   "must count every template group, or the last ones are never read");
        for (int i = 1; i <= quantity; ++i) {
            std::string g = "List::Block" + std::to_string(i);
            std::string id = doc->TryGetStringKey(g, "id", 0).value_or("");
            int pieces = NumberToInt(doc->TryGetNumberKey(g, "pieces", 0).value_or(0));
            std::vector<std::pair<int, int>> cells;
            bool origin = false, inside = true;
            for (int p = 1; p <= pieces; ++p) {
                std::string k = "piece" + std::to_string(p);
                int x = NumberToInt(doc->TryGetNumberKey(g, k, 0).value_or(-1));
                int y = NumberToInt(doc->TryGetNumberKey(g, k, 1).value_or(-1));
                inside = inside && x >= 0 && x <= 3 && y >= 0 && y <= 3;
                origin = origin || (x == 0 && y == 0);
                cells.emplace_back(x, y);
            }
            if (id.empty() || pieces < 1) {
                Report(blocks, g, "a template needs an id and at least one piece");
                continue;
            }
            if (!inside) Report(blocks, g, "template cells lie in the 4x4 box");
            if (!origin) Report(blocks, g, "cell 0,0 (under the mouse) must be filled");
            if (!templates_.emplace(id, cells).second)
                Report(blocks, g + "::id", "id \"" + id + "\" is used twice");
        }
    }
}

void DataChecker::CheckWardens() {
    const std::string name = "bossDavar.tsc";
    TTSCFilePtr doc = Archived("settings_lp", name);
    if (!doc) return;
    for (const auto& group : doc->GetGroupList("List")) {
        std::string g = "List::" + group->Name;
        std::string id = doc->TryGetStringKey(g, "id", 0).value_or("");
        int colour = NumberToInt(doc->TryGetNumberKey(g, "color", 0).value_or(0));
        if (id.empty()) {
            Report(name, g, "a warden needs an id");
            continue;
        }
        bool dealable = false;
        for (const auto& [rid, r] : runes_)
            dealable = dealable || (!r.stone && r.cls == colour);
        if (colour < 1 || colour > 15 || !dealable)
            Report(name, g + "::color", "no rune of the catalogue has class " + std::to_string(colour));
        for (const char* key : {"fileNameBoss", "fileNameBossBig"}) {
            std::string pic = doc->TryGetStringKey(g, key, 0).value_or("");
            NeedPicture(name, g + "::" + key, pic, WARDEN_SIZE, WARDEN_SIZE);
            auto hue = WARDEN_HUES.find(pic);
            if (hue == WARDEN_HUES.end())
                Report(name, g + "::" + key, "\"" + pic + "\" is not one of the warden pictures");
            else if (hue->second != colour)
                Report(name, g + "::color",
                       "\"" + pic + "\" is drawn in class " + std::to_string(hue->second) + ", not " +
                           std::to_string(colour));
        }
        if (!wardenColours_.emplace(id, colour).second) {
            Report(name, g + "::id", "id \"" + id + "\" is used twice: the first one wins");
            continue;
        }
        wardenPictures_[id] = doc->TryGetStringKey(g, "fileNameBoss", 0).value_or("");
    }
    if (wardenColours_.empty()) Report(name, "List", "no warden is defined");
}

void DataChecker::CheckSettings() {
    if (TTSCFilePtr doc = Archived("settings_lp", "portal.tsc"))
        if (doc->TryGetStringKey("Portal", "Name", 0).value_or("").empty())
            Report("portal.tsc", "Portal::Name",
                   "new profiles are stamped with this name: it cannot be empty");
    if (TTSCFilePtr doc = Archived("settings_lp", "portalScreens.tsc")) {
        for (const auto& group : doc->GetGroupList("")) {
            std::string g = group->Name;
            std::string image = doc->TryGetStringKey(g, "Image", 0).value_or("");
            bool full = NumberToInt(doc->TryGetNumberKey(g, "Fullscreen", 0).value_or(0)) != 0;
            if (full)
                NeedPicture("portalScreens.tsc", g + "::Image", image, 800, 600);
            else if (!image.empty())
                NeedPicture("portalScreens.tsc", g + "::Image", image);
        }
    }
}

void DataChecker::CheckReleased() {
    const std::string shown = "released names";
    std::string error;
    std::optional<std::vector<uint8_t>> list = ReadRegularFile(paths_.released, error);
    if (!list) {
        Report(shown, "-", "the list cannot be read: " + error);
        return;
    }
    std::istringstream in(std::string(list->begin(), list->end()));
    std::string portal;
    if (TTSCFilePtr doc = Archived("settings_lp", "portal.tsc"))
        portal = doc->TryGetStringKey("Portal", "Name", 0).value_or("");
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream words(line);
        std::string kind, value;
        words >> kind >> value;
        // Saved boards, profiles and hiscores hold these: renaming one strands the player's data.
        if (kind == "rune") {
            if (!runes_.count(value))
                Report("davar.tsc", "rune \"" + value + "\"", "a released rune id is gone");
        } else if (kind == "template") {
            if (!templates_.count(value))
                Report("blocks.tsc", "template \"" + value + "\"", "a released template id is gone");
        } else if (kind == "board") {
            if (!BBFileExist(Archive("davar_levels_lp"), value))
                Report(value, "-", "a released board document is gone from data/davar_levels_lp.bca");
        } else if (kind == "portal") {
            if (portal != value)
                Report("portal.tsc", "Portal::Name", "the released name \"" + value + "\" must never change");
        } else {
            Report(shown, line, "unknown kind of name (rune, template, board, portal)");
        }
    }
}

} // namespace vsm::tools
