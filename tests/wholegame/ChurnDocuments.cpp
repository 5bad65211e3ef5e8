// ChurnDocuments: versioned options, profile and hiscore documents.
#include "ChurnDocuments.h"

#include "data/TTSCFile.h"
#include "profiles/THiscores.h"
#include "profiles/TProfile.h"

#include <vector>

namespace vsm::test {

namespace {

// Text whose length changes from one version to the next, so that a cut file cannot pass for
// a whole one of another version.
std::string Filler(int k, char first) {
    std::string text(64 + (k * 37) % 700, ' ');
    for (size_t i = 0; i < text.size(); ++i)
        text[i] = static_cast<char>(first + (i + k) % 26);
    return text;
}

} // namespace

ChurnPaths ChurnPathsIn(const std::string& userFolder) {
    ChurnPaths p;
    p.options = userFolder + "/options.tsc";
    p.profiles = userFolder + "/profiles";
    p.profile = p.profiles + "/" + CHURN_PLAYER + ".dat";
    p.hiscores = userFolder + "/data/hiscores.dat";
    return p;
}

static TTSCFile ChurnOptions(int k) {
    TTSCFile doc;
    doc.CreateGroup("", "Options");
    doc.SetNumberKey("Options", "ScreenMode", static_cast<float>(k % 3), 0);
    doc.SetNumberKey("Options", "MusicVol", static_cast<float>(k % 11), 0);
    doc.SetNumberKey("Options", "SoundVol", static_cast<float>((k * 7) % 11), 0);
    doc.SetNumberKey("Options", "Version", static_cast<float>(k), 0);
    doc.SetStringKey("Options", "Note", Filler(k, 'a'), 0);
    return doc;
}

std::string ChurnOptionsText(int k) {
    return ChurnOptions(k).SavedText();
}

bool SaveChurnOptions(const std::string& path, int k) {
    return ChurnOptions(k).Save(path);
}

void ApplyChurnProfile(TProfile& profile, int k) {
    profile.SetNumber("ChurnVersion", k);
    profile.SetString("ChurnNote", Filler(k, 'A'));
    std::vector<std::string> list;
    for (int i = 0; i < 1 + k % 9; ++i)
        list.push_back("entry" + std::to_string(k + i));
    profile.SetList("ChurnList", list);
}

int ApplyChurnHiscores(THiscores& table, int k) {
    if (table.GetBestScore(2, CHURN_BOARD) >= k) return table.Save();
    return table.add(CHURN_PLAYER, k, 0, 2, "01.02.2024", CHURN_BOARD);
}

} // namespace vsm::test
