// ChurnDocuments: the three documents a player's session keeps rewriting (options, profile and
// hiscores), each in a numbered version whose bytes depend on the number alone, so that a
// process killed while saving can be checked file by file against the versions it may have left.
#pragma once

#include <string>

namespace vsm {
class TProfile;
class THiscores;
} // namespace vsm

namespace vsm::test {

// The player whose profile is rewritten.
inline const std::string CHURN_PLAYER = "churner";
// The endless board the hiscore entries are scored on.
inline const std::string CHURN_BOARD = "levels/endless/churn.tsc";

// Where the documents live under a per-user folder.
struct ChurnPaths {
    std::string options;
    std::string profiles; // the profiles folder
    std::string profile;
    std::string hiscores;
};
ChurnPaths ChurnPathsIn(const std::string& userFolder);

// The options document of version k, as saved text.
std::string ChurnOptionsText(int k);
// Saves the options document of version k atomically; false when the save failed.
bool SaveChurnOptions(const std::string& path, int k);
// Sets the profile's churned keys to version k (nothing saved).
void ApplyChurnProfile(TProfile& profile, int k);
// Brings the table to version k (after version k - 1 or k) and saves it: a result of k points
// on the churn board joins the table unless it is already there. 0, or -1 when the save failed.
int ApplyChurnHiscores(THiscores& table, int k);

} // namespace vsm::test
