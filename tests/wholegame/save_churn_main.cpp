// save_churn: rewrites the options, the selected profile and the hiscore table in an endless
// loop, as a long session of saving would, until it is killed. After each round whose three saves
// all succeeded it writes the round's number and a newline to descriptor 3.
//
// Usage: save_churn <user folder> <resources folder> <first round>
// The user folder must already hold the profile of CHURN_PLAYER and the hiscore table.
#include "ChurnDocuments.h"

#include "profiles/THiscores.h"
#include "profiles/TProfileManager.h"
#include "services/Paths.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

void Report(const std::string& line) {
    const std::string text = line + "\n";
    // One write per line: a reader never sees half a number.
    if (::write(3, text.data(), text.size()) != static_cast<ssize_t>(text.size())) std::_Exit(4);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: save_churn <user folder> <resources folder> <first round>\n");
        return 2;
    }
    const vsm::test::ChurnPaths paths = vsm::test::ChurnPathsIn(argv[1]);
    vsm::bDir = argv[2];
    if (!vsm::bDir.empty() && vsm::bDir.back() != '/') vsm::bDir += '/';
    const int first = std::atoi(argv[3]);

    vsm::profile = vsm::TProfileManager::Create(paths.profiles, "dat");
    if (vsm::profile.SelectProfile(vsm::test::CHURN_PLAYER) != 1) {
        std::fprintf(stderr, "save_churn: the profile %s is not listed\n", vsm::test::CHURN_PLAYER.c_str());
        return 3;
    }
    vsm::hiscore = vsm::THiscores::Create(paths.hiscores);
    Report("ready");

    for (int k = first;; ++k) {
        if (!vsm::test::SaveChurnOptions(paths.options, k)) return 5;
        vsm::test::ApplyChurnProfile(*vsm::profile.selectedProfile, k);
        if (vsm::profile.SaveProfile() != 0) return 6;
        if (vsm::test::ApplyChurnHiscores(vsm::hiscore, k) != 0) return 7;
        Report(std::to_string(k));
    }
}
