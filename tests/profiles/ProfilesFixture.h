// ProfilesFixture: a headless game with fresh globals, a scratch resources folder whose settings
// archive names the build "vsm-test", and a scratch per-user folder with its profiles folder.
#pragma once

#include "platform/Headless.h"
#include "widgets/TFont.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

namespace vsm::test {

// The portal name the fixture's settings archive gives the build.
inline const std::string PORTAL = "vsm-test";

class ProfilesFixture : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Writes the settings archive with these documents besides portal.tsc (text "" leaves it out).
    void Settings(const std::string& portalText, const std::map<std::string, std::string>& more = {});
    // Writes a file into the profiles folder (or anywhere, for a path with a "/"), making folders.
    void Put(const std::string& name, const std::string& text) const;
    // The text of a file in the profiles folder; "<none>" when it is missing.
    std::string Read(const std::string& name) const;
    // The profile file text of a profile of this build holding the extra key lines.
    static std::string ProfileText(const std::string& keys = "", const std::string& portal = PORTAL);
    // Creates the store over the profiles folder, as start-up does.
    void OpenStore();
    // Empties the profiles folder and opens a store over it, which then has no selected profile.
    void NoProfile();
    // A bitmap font of the lower-case letters and digits, each 4 pixels wide, rows of `size`.
    static BitmapFontPtr SmallFont(float size);
    // What a name can ask most of a bitmap font's room: the lower-case letter or digit with the
    // widest advance and the one whose solid ink reaches lowest; `images` gets every such
    // letter's picture, to tell the font's letters among drawn pictures.
    struct NameLetters {
        char widest = 0, deepest = 0;
        std::set<ImagePtr> images;
    };
    static NameLetters SurveyLetters(const BitmapFontPtr& font);
    // The names of the files in the profiles folder, sorted.
    std::vector<std::string> Files() const;

    HeadlessBackendControl* control = nullptr;
    std::string resources; // ends in "/"
    std::string userFolder;
    std::string folder; // the profiles folder
};

} // namespace vsm::test
