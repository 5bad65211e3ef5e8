// CatalogueTest: the rune and piece catalogues as the game reads them from the packed settings
// archive, checked for the links between runes and stones, their pictures and the piece shapes.
#include "data/BBArchive.h"
#include "data/TTSCFile.h"
#include "platform/Headless.h"
#include "platform/System.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace vsm {
namespace {

std::string Archive() {
    return test::ResourcesDir() + "data/settings_lp.bca";
}

bool FileExists(const std::string& path) {
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return false;
    std::fclose(f);
    return true;
}

int ToInt(const std::string& text) {
    return text.empty() ? 0 : std::stoi(text);
}

struct Rune {
    std::string id, color, fileName, fileName2, blockedID, unblocked, rgb;
    int blocked = 0;
};

class Catalogues : public ::testing::Test {
  protected:
    void SetUp() override {
        UseHeadlessBackend();
        ASSERT_TRUE(FileExists(Archive())) << "the settings archive is not built: " << Archive();
    }

    // Every rune of "davar.tsc" in document order, read with the document's own lookups.
    std::vector<Rune> Runes() {
        auto doc = std::make_shared<TTSCFile>();
        EXPECT_EQ(LoadTSCFileBB(doc, Archive(), "davar.tsc"), 1);
        int n = static_cast<int>(doc->GetNumberKey("List", "Quantity", 0));
        std::vector<Rune> out;
        for (int i = 1; i <= n; ++i) {
            std::string g = "List::Rune" + std::to_string(i);
            Rune r;
            r.id = doc->GetStringKey(g, "id", 0);
            r.color = doc->GetStringKey(g, "color", 0);
            r.fileName = doc->GetStringKey(g, "fileName", 0);
            r.fileName2 = doc->GetStringKey(g, "fileName2", 0);
            r.blocked = static_cast<int>(doc->GetNumberKey(g, "blocked", 0));
            r.blockedID = doc->GetStringKey(g, "blockedID", 0);
            r.unblocked = doc->GetStringKey(g, "unblocked", 0);
            r.rgb = doc->GetStringKey(g, "rgb", 0);
            out.push_back(r);
        }
        // Quantity must cover every Rune group, or the last ones would be silently ignored.
        EXPECT_EQ(static_cast<int>(doc->GetGroupList("List").size()), n);
        return out;
    }
};

TEST_F(Catalogues, RunesHaveFixedIdsClassesAndPictures) {
    std::vector<Rune> runes = Runes();
    const std::map<std::string, std::string> fixed = {{"1", "1"},   {"2", "2"},   {"3", "3"},  {"4", "4"},
                                                      {"5", "5"},   {"6", "6"},   {"7", "7"},  {"16", "8"},
                                                      {"20", "10"}, {"26", "13"}, {"28", "14"}};
    std::map<std::string, const Rune*> byId;
    for (const Rune& r : runes) {
        SCOPED_TRACE("rune " + r.id);
        EXPECT_TRUE(byId.emplace(r.id, &r).second) << "duplicate id";
        EXPECT_TRUE(FileExists(test::ResourcesDir() + r.fileName)) << r.fileName;
        EXPECT_TRUE(FileExists(test::ResourcesDir() + r.fileName2)) << r.fileName2;
    }
    for (const auto& [id, cls] : fixed) {
        SCOPED_TRACE("rune " + id);
        ASSERT_TRUE(byId.count(id));
        EXPECT_EQ(byId[id]->color, cls);
        EXPECT_EQ(byId[id]->blocked, 0);
    }
    std::set<std::string> classes;
    for (const auto& [id, cls] : fixed)
        classes.insert(cls);
    EXPECT_EQ(classes.size(), fixed.size()) << "two runes share a colour class";
}

TEST_F(Catalogues, EveryRunePetrifiesIntoItsOwnStoneAndBack) {
    std::vector<Rune> runes = Runes();
    std::map<std::string, const Rune*> byId;
    for (const Rune& r : runes)
        byId[r.id] = &r;
    int plain = 0;
    for (const Rune& r : runes) {
        SCOPED_TRACE("rune " + r.id);
        if (r.blocked != 0) continue;
        ++plain;
        ASSERT_TRUE(byId.count(r.blockedID)) << "no stone " << r.blockedID;
        const Rune& stone = *byId[r.blockedID];
        EXPECT_EQ(stone.id, std::to_string(ToInt(r.id) + 100));
        EXPECT_EQ(stone.blocked, 1);
        EXPECT_EQ(stone.unblocked, r.id);
        EXPECT_EQ(stone.color, r.color);
        EXPECT_EQ(stone.blockedID, "13") << "stones decay into rubble";
    }
    EXPECT_EQ(plain, 11);
    ASSERT_TRUE(byId.count("13"));
    EXPECT_EQ(byId["13"]->blocked, 1);
    EXPECT_EQ(byId["13"]->color, "0");
    EXPECT_EQ(byId["13"]->blockedID, "");
}

TEST_F(Catalogues, SparkColourRangesAreOrdered) {
    for (const Rune& r : Runes()) {
        SCOPED_TRACE("rune " + r.id + " rgb " + r.rgb);
        int lo[3], hi[3];
        ASSERT_EQ(
            std::sscanf(r.rgb.c_str(), "%d,%d:%d,%d:%d,%d", &lo[0], &hi[0], &lo[1], &hi[1], &lo[2], &hi[2]),
            6);
        for (int c = 0; c < 3; ++c) {
            EXPECT_LE(0, lo[c]);
            EXPECT_LE(lo[c], hi[c]);
            EXPECT_LE(hi[c], 255);
        }
    }
}

TEST_F(Catalogues, PieceTemplatesHoldTheirCellsFromTheOrigin) {
    auto doc = std::make_shared<TTSCFile>();
    ASSERT_EQ(LoadTSCFileBB(doc, Archive(), "blocks.tsc"), 1);
    int n = static_cast<int>(doc->GetNumberKey("List", "Quantity", 0));
    EXPECT_EQ(static_cast<int>(doc->GetGroupList("List").size()), n);
    const std::map<std::string, std::set<std::pair<int, int>>> expected = {
        {"p1", {{0, 0}}},
        {"p2", {{0, 0}, {1, 0}}},
        {"d2", {{0, 0}, {1, 1}}},
        {"i3", {{0, 0}, {1, 0}, {2, 0}}},
        {"l3", {{0, 0}, {1, 0}, {0, 1}}},
        {"i4", {{0, 0}, {1, 0}, {2, 0}, {3, 0}}},
        {"o4", {{0, 0}, {1, 0}, {0, 1}, {1, 1}}},
        {"t4", {{0, 0}, {1, 0}, {2, 0}, {1, 1}}},
        {"l4", {{0, 0}, {0, 1}, {0, 2}, {1, 2}}},
        {"j4", {{0, 0}, {1, 0}, {0, 1}, {0, 2}}},
        {"s4", {{0, 0}, {0, 1}, {1, 1}, {1, 2}}},
        {"z4", {{0, 0}, {1, 0}, {1, 1}, {2, 1}}},
        {"u5", {{0, 0}, {2, 0}, {0, 1}, {1, 1}, {2, 1}}},
        {"v5", {{0, 0}, {1, 0}, {2, 0}, {0, 1}, {0, 2}}},
        {"t5", {{0, 0}, {1, 0}, {2, 0}, {1, 1}, {1, 2}}},
        {"l5", {{0, 0}, {0, 1}, {0, 2}, {0, 3}, {1, 3}}},
    };
    std::set<std::string> seen;
    for (int k = 1; k <= n; ++k) {
        std::string g = "List::Block" + std::to_string(k);
        std::string id = doc->GetStringKey(g, "id", 0);
        SCOPED_TRACE("template " + id);
        EXPECT_TRUE(seen.insert(id).second) << "duplicate id";
        int pieces = static_cast<int>(doc->GetNumberKey(g, "pieces", 0));
        std::set<std::pair<int, int>> cells;
        int maxX = 0, maxY = 0;
        for (int p = 1; p <= pieces; ++p) {
            int x = static_cast<int>(doc->GetNumberKey(g, "piece" + std::to_string(p), 0));
            int y = static_cast<int>(doc->GetNumberKey(g, "piece" + std::to_string(p), 1));
            ASSERT_TRUE(x >= 0 && x <= 3 && y >= 0 && y <= 3) << "cell outside the 4x4 box";
            cells.insert({x, y});
            maxX = std::max(maxX, x);
            maxY = std::max(maxY, y);
        }
        EXPECT_EQ(static_cast<int>(cells.size()), pieces) << "a cell listed twice";
        EXPECT_EQ(static_cast<int>(doc->GetNumberKey(g, "width", 0)), maxX + 1);
        EXPECT_EQ(static_cast<int>(doc->GetNumberKey(g, "height", 0)), maxY + 1);
        ASSERT_TRUE(expected.count(id)) << "unknown template";
        EXPECT_EQ(cells, expected.at(id));
    }
    EXPECT_EQ(seen.size(), expected.size());
}

} // namespace
} // namespace vsm
