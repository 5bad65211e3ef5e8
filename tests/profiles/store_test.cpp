// Profile store: which files a scan lists, selection, creating, renaming and deleting, and keyed
// access with and without a selected profile.
#include "profiles/ProfilesFixture.h"
#include "profiles/ProfilesGlobals.h"
#include "profiles/TProfileManager.h"

#include "platform/Files.h"
#include "platform/System.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace vsm::test {
namespace {

using ProfileStore = ProfilesFixture;

std::string Selected() {
    return profile.selectedProfile ? profile.selectedProfile->name : "<none>";
}

TEST_F(ProfileStore, ScanListsOnlyReadableProfilesOfThisBuildSortedByName) {
    Put("zed.dat", ProfileText());
    Put("anna.dat", ProfileText());
    Put("Bea.dat", ProfileText());
    Put("bob.DAT", ProfileText());
    Put("carl.txt", ProfileText());
    Put("dora.dat", "");
    Put("eve.dat", ProfileText("", "another build"));
    Put("fay.dat", "Profile{\n\tPortalName=");
    Put("gus.dat", "Profile{\n}\n"); // no stamp at all
    std::filesystem::create_directories(folder + "/hal.dat");
    testing::internal::CaptureStdout();
    OpenStore();
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(profile.GetProfilesList(), (std::vector<std::string>{"Bea", "anna", "zed"}));
    EXPECT_EQ(Selected(), "Bea");
    EXPECT_EQ(profile.path, folder);
    EXPECT_EQ(profile.Ext, "dat");
    EXPECT_EQ(profile.portalName, PORTAL);
    // The build's name once per scan, and a line for each profile file left out.
    size_t portalLines = 0;
    for (size_t at = out.find(PORTAL + "\n"); at != std::string::npos; at = out.find(PORTAL + "\n", at + 1))
        if (at == 0 || out[at - 1] == '\n') ++portalLines;
    EXPECT_EQ(portalLines, 1u);
    EXPECT_NE(out.find("dora.dat is empty"), std::string::npos);
    EXPECT_NE(out.find("eve.dat belongs to the build \"another build\""), std::string::npos);
    EXPECT_NE(out.find("fay.dat cannot be read"), std::string::npos);
    EXPECT_NE(out.find("gus.dat belongs to the build \"\""), std::string::npos);
    // No file was touched.
    EXPECT_EQ(Read("eve.dat"), ProfileText("", "another build"));
    EXPECT_EQ(Read("fay.dat"), "Profile{\n\tPortalName=");
}

TEST_F(ProfileStore, WithoutAPortalNameOnlyUnstampedProfilesAreListedAndItIsSaid) {
    Settings("");
    Put("anna.dat", ProfileText());
    Put("gus.dat", "Profile{\n\tPortalName=\"\"\n}\n");
    testing::internal::CaptureStdout();
    OpenStore();
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_NE(out.find("No portal name"), std::string::npos);
    EXPECT_EQ(profile.GetProfilesList(), std::vector<std::string>{"gus"});
}

TEST_F(ProfileStore, NewProfileCreatesSelectsAndNeverReplaces) {
    Put("anna.dat", ProfileText("\tlevel=4.00000000\n"));
    Put("dora.dat", "");
    Put("eve.dat", ProfileText("", "another build"));
    OpenStore();
    ASSERT_EQ(Selected(), "anna");

    EXPECT_EQ(profile.NewProfile("zoe"), 1);
    EXPECT_EQ(Read("zoe.dat"), ProfileText());
    EXPECT_EQ(Selected(), "zoe");
    EXPECT_EQ(profile.GetProfilesList(), (std::vector<std::string>{"anna", "zoe"}));

    struct Case {
        const char* name;
        int result;
    } cases[] = {
        {"zoe", -1},  // listed
        {"eve", -1},  // another build's file
        {"dora", -1}, // an empty file
        {"", 0},      {".hidden", 0}, {" lead", 0}, {"a/b", 0},
        {"a\\b", 0},  {"x..y", 0},    {"tab\t", 0}, {"bell\a", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        testing::internal::CaptureStdout();
        EXPECT_EQ(profile.NewProfile(c.name), c.result);
        testing::internal::GetCapturedStdout();
        EXPECT_EQ(Selected(), "zoe");
    }
    EXPECT_EQ(Files(), (std::vector<std::string>{"anna.dat", "dora.dat", "eve.dat", "zoe.dat"}));
    EXPECT_EQ(Read("eve.dat"), ProfileText("", "another build"));
    EXPECT_EQ(Read("zoe.dat"), ProfileText());

    // A refused write creates nothing and keeps the selection.
    SetFileFaultHook([](FileOp op, const std::string&) { return op != FileOp::Write; });
    testing::internal::CaptureStdout();
    EXPECT_EQ(profile.NewProfile("amy"), PROFILE_NOT_WRITTEN);
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(Selected(), "zoe");
    EXPECT_EQ(Files().size(), 4u);
}

TEST_F(ProfileStore, RenameKeepsTheCurrentPlayerAndNeverReplacesAFile) {
    struct Case {
        const char* what;
        std::string from, to;
        int result;
        std::vector<std::string> listed;
        std::string selected;
    } cases[] = {
        {"the current one", "anna", "ann", 1, {"ann", "bob", "carl"}, "ann"},
        {"another one", "carl", "abe", 1, {"abe", "anna", "bob"}, "anna"},
        {"to its own name", "anna", "anna", 1, {"anna", "bob", "carl"}, "anna"},
        {"not listed", "dan", "dave", 0, {"anna", "bob", "carl"}, "anna"},
        {"to a listed name", "bob", "carl", -1, {"anna", "bob", "carl"}, "anna"},
        {"to another build's file", "bob", "eve", -1, {"anna", "bob", "carl"}, "anna"},
        {"to a refused name", "bob", "../bob", -1, {"anna", "bob", "carl"}, "anna"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove_all(folder);
        Put("anna.dat", ProfileText("\tlevel=1.00000000\n"));
        Put("bob.dat", ProfileText("\tlevel=2.00000000\n"));
        Put("carl.dat", ProfileText("\tlevel=3.00000000\n"));
        Put("eve.dat", ProfileText("", "another build"));
        ResetProfilesGlobals();
        testing::internal::CaptureStdout();
        OpenStore();
        EXPECT_EQ(profile.RenameProfile(c.from, c.to), c.result);
        testing::internal::GetCapturedStdout();
        EXPECT_EQ(profile.GetProfilesList(), c.listed);
        EXPECT_EQ(Selected(), c.selected);
        EXPECT_EQ(Read("eve.dat"), ProfileText("", "another build"));
    }
    // The renamed file keeps its content.
    EXPECT_EQ(Read("anna.dat"), ProfileText("\tlevel=1.00000000\n"));
}

TEST_F(ProfileStore, RefusedRenameOrDeleteChangesNothing) {
    Put("anna.dat", ProfileText());
    Put("bob.dat", ProfileText());
    OpenStore();
    profile.SelectProfile("bob");
    profile.SetNumber("unsaved", 5, 0);
    SetFileFaultHook(
        [](FileOp op, const std::string&) { return op != FileOp::Rename && op != FileOp::Delete; });
    testing::internal::CaptureStdout();
    EXPECT_EQ(profile.RenameProfile("bob", "rob"), PROFILE_NOT_WRITTEN);
    EXPECT_EQ(profile.DeleteProfile("anna"), PROFILE_NOT_WRITTEN);
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(Files(), (std::vector<std::string>{"anna.dat", "bob.dat"}));
    EXPECT_EQ(Selected(), "bob");
    EXPECT_EQ(profile.GetNumber("unsaved"), 5); // no rescan threw the profile's changes away
}

TEST_F(ProfileStore, DeleteMovesTheSelectionOnlyWhenTheCurrentPlayerGoes) {
    Put("anna.dat", ProfileText());
    Put("bob.dat", ProfileText());
    Put("carl.dat", ProfileText());
    OpenStore();
    profile.SelectProfile("carl");
    testing::internal::CaptureStdout();
    EXPECT_EQ(profile.DeleteProfile("dan"), 0);
    EXPECT_EQ(profile.DeleteProfile("bob"), 1);
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(Selected(), "carl");
    EXPECT_EQ(Files(), (std::vector<std::string>{"anna.dat", "carl.dat"}));
    testing::internal::CaptureStdout();
    EXPECT_EQ(profile.DeleteProfile("carl"), 1);
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(Selected(), "anna");
    EXPECT_EQ(profile.SelectProfile("carl"), 0);
    EXPECT_EQ(Selected(), "anna");
}

TEST_F(ProfileStore, WithoutASelectionKeyedAccessIsInert) {
    OpenStore();
    EXPECT_FALSE(profile.selectedProfile);
    EXPECT_EQ(profile.GetNumber("level"), 0);
    EXPECT_EQ(profile.GetString("level"), "0");
    EXPECT_FALSE(profile.GetList("davar1").has_value());
    EXPECT_EQ(profile.SetNumber("level", 3, 1), 0);
    EXPECT_EQ(profile.SetString("s", "x", 1), 0);
    EXPECT_EQ(profile.SetList("l", {"a"}, 1), 0);
    EXPECT_EQ(profile.SaveProfile(), 0);
    EXPECT_TRUE(Files().empty());
}

TEST_F(ProfileStore, ChangesWaitForASaveAndARescanDropsUnsavedOnes) {
    Put("anna.dat", ProfileText());
    OpenStore();
    profile.SetNumber("level", 5, 0);
    profile.SetList("l", {"a", "b"}, 0);
    EXPECT_EQ(Read("anna.dat"), ProfileText());
    EXPECT_EQ(profile.GetNumber("level"), 5);
    EXPECT_EQ(profile.GetList("l"), (std::vector<std::string>{"a", "b"}));
    testing::internal::CaptureStdout();
    profile.UpdateList();
    EXPECT_EQ(profile.GetNumber("level"), 0);
    testing::internal::GetCapturedStdout();

    profile.SetString("name", "x", 0);
    EXPECT_EQ(profile.SetNumber("level", 6, 1), 0);
    EXPECT_EQ(Read("anna.dat"), ProfileText("\tname=\"x\"\n\tlevel=6.00000000\n"));

    // A write that fails is reported and the file keeps what it held.
    SetSaveInterruptHook([](const std::string&) { return false; });
    EXPECT_EQ(profile.SetNumber("level", 7, 1), -1);
    EXPECT_EQ(profile.SaveProfile(), -1);
    EXPECT_EQ(Read("anna.dat"), ProfileText("\tname=\"x\"\n\tlevel=6.00000000\n"));
}

TEST_F(ProfileStore, AnEmptiedFolderKeepsTheLastSelection) {
    Put("anna.dat", ProfileText());
    OpenStore();
    std::filesystem::remove(folder + "/anna.dat");
    testing::internal::CaptureStdout();
    EXPECT_EQ(profile.UpdateList(), 0);
    testing::internal::GetCapturedStdout();
    EXPECT_TRUE(profile.profiles.empty());
    EXPECT_EQ(Selected(), "anna");
}

TEST_F(ProfileStore, AnUnlistableFolderIsFatalAtStartAndReportedLater) {
    Put("anna.dat", ProfileText());
    OpenStore();
    std::filesystem::remove_all(folder);
    testing::internal::CaptureStdout();
    EXPECT_EQ(profile.UpdateList(), -1);
    EXPECT_NE(testing::internal::GetCapturedStdout().find("Failed to read profiles directory"),
              std::string::npos);
    EXPECT_EQ(profile.GetProfilesList(), std::vector<std::string>{"anna"});
    EXPECT_EQ(Selected(), "anna");

    testing::internal::CaptureStderr();
    try {
        OpenStore();
        ADD_FAILURE() << "the store opened over a missing folder";
    } catch (const ProgramEnd& e) {
        EXPECT_EQ(e.error, "Failed to read profiles directory");
    }
    testing::internal::GetCapturedStderr();
}

} // namespace
} // namespace vsm::test
