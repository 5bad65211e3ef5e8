// Profile document: the new file's form, how numbers, strings and lists are stored and read back,
// and what happens to files that cannot be read.
#include "profiles/ProfilesFixture.h"
#include "profiles/TProfile.h"

#include "platform/Files.h"

#include <gtest/gtest.h>

namespace vsm::test {
namespace {

using ProfileDocument = ProfilesFixture;

TEST_F(ProfileDocument, NewFileIsThreeLinesAndNeverReplacesAFile) {
    ASSERT_EQ(TProfile::CreateNew(folder + "/zoe.dat", "P"), 0);
    EXPECT_EQ(Read("zoe.dat"), "Profile{\n\tPortalName=\"P\"\n}\n");

    Put("eve.dat", "something else");
    EXPECT_EQ(TProfile::CreateNew(folder + "/eve.dat", "P"), -1);
    EXPECT_EQ(Read("eve.dat"), "something else");

    // A failed write reports failure and leaves neither the file nor a temporary behind.
    SetFileFaultHook([](FileOp op, const std::string&) { return op != FileOp::Write; });
    EXPECT_EQ(TProfile::CreateNew(folder + "/amy.dat", "P"), -1);
    SetFileFaultHook([](FileOp op, const std::string&) { return op != FileOp::Rename; });
    EXPECT_EQ(TProfile::CreateNew(folder + "/amy.dat", "P"), -1);
    EXPECT_EQ(Files(), (std::vector<std::string>{"eve.dat", "zoe.dat"}));
}

TEST_F(ProfileDocument, OnlyTheFilesOfCreationsCutShortAreRemoved) {
    // A creation that stops between its write and its rename (here both the rename and the
    // clean-up fail, as after a kill) leaves its complete file behind.
    SetFileFaultHook(
        [](FileOp op, const std::string&) { return op != FileOp::Rename && op != FileOp::Delete; });
    EXPECT_EQ(TProfile::CreateNew(folder + "/amy.dat", "P"), -1);
    SetFileFaultHook(nullptr);
    ASSERT_EQ(Files().size(), 1u);
    const std::string left = Files()[0];
    struct Case {
        std::string name;
        bool removed;
    };
    const Case cases[] = {
        {left, true},           {".bob.dat.new", true}, {".x.new", true},    {"amy.dat", false},
        {"bob.dat.new", false}, {".new", false},        {".bob.dat", false}, {".bob.dat.new~", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(TProfile::IsCreationTempName(c.name), c.removed);
        Put(c.name, "Profile{}");
    }
    EXPECT_EQ(TProfile::RemoveStaleCreationTemps(folder), 3);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(FileType(folder + "/" + c.name) == FILETYPE_NONE, c.removed);
    }
}

TEST_F(ProfileDocument, NumbersAreStoredAsThirtyTwoBitFloats) {
    Put("p.dat", ProfileText());
    TProfilePtr p = TProfile::Create(folder + "/p.dat");
    ASSERT_TRUE(p);
    EXPECT_EQ(p->isValid(), 1);
    EXPECT_EQ(p->name, "p");
    struct Case {
        int value;
        const char* text;
        int readBack;
    } cases[] = {
        {0, "0.00000000", 0},
        {1, "1.00000000", 1},
        {-1, "-1.00000000", -1},
        {100, "100.000000", 100},
        {1500, "1500.00000", 1500},
        {16777216, "16777216.0", 16777216},
        {16777217, "16777216.0", 16777216},
        {7, "7.00000000", 7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        p->SetNumber("level", c.value);
        ASSERT_EQ(p->Save(), 0);
        EXPECT_EQ(Read("p.dat"), ProfileText(std::string("\tlevel=") + c.text + "\n"));
        EXPECT_EQ(p->GetString("level"), c.text);
        TProfilePtr again = TProfile::Create(folder + "/p.dat");
        ASSERT_TRUE(again);
        EXPECT_EQ(again->GetNumber("level"), c.readBack);
    }
}

TEST_F(ProfileDocument, TextsReadAsNumbersByTheirLeadingNumber) {
    Put("p.dat", ProfileText("\ta=\"-2.9\"\n\tb=\"2.9\"\n\tc=\"abc\"\n\td=\"12abc\"\n\te=\"1e40\"\n"));
    TProfilePtr p = TProfile::Create(folder + "/p.dat");
    ASSERT_TRUE(p);
    EXPECT_EQ(p->GetNumber("a"), -2);
    EXPECT_EQ(p->GetNumber("b"), 2);
    EXPECT_EQ(p->GetNumber("c"), 0);
    EXPECT_EQ(p->GetNumber("d"), 12);
    EXPECT_EQ(p->GetNumber("e"), 2147483647); // beyond the float range saturates, never wraps
    EXPECT_EQ(p->GetNumber("A"), -2);         // numbers and strings ignore the key's case
}

TEST_F(ProfileDocument, MissingKeysReadEmptyAndTheScalarsSaySo) {
    Put("p.dat", ProfileText());
    TProfilePtr p = TProfile::Create(folder + "/p.dat");
    ASSERT_TRUE(p);
    testing::internal::CaptureStdout();
    EXPECT_EQ(p->GetNumber("nope"), 0);
    EXPECT_EQ(p->GetString("nada"), "");
    EXPECT_TRUE(p->GetList("none").empty());
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "The key Profile::nope does not exist\nThe key Profile::nada does not exist\n");
}

TEST_F(ProfileDocument, SettingAListReplacesItWholeAtTheEnd) {
    Put("p.dat", ProfileText("\tl=\"x\",\"y\",\"z\"\n\tafter=1.00000000\n\tL=\"keep\"\n"));
    TProfilePtr p = TProfile::Create(folder + "/p.dat");
    ASSERT_TRUE(p);
    EXPECT_EQ(p->GetList("l"), (std::vector<std::string>{"x", "y", "z"}));
    p->SetList("l", {"a", "b"});
    ASSERT_EQ(p->Save(), 0);
    // The list is matched by its exact name: "L" is another key and stays where it was.
    EXPECT_EQ(Read("p.dat"), ProfileText("\tafter=1.00000000\n\tL=\"keep\"\n\tl=\"a\",\"b\"\n"));
    EXPECT_EQ(p->GetList("l"), (std::vector<std::string>{"a", "b"}));

    p->SetList("l", {});
    EXPECT_TRUE(p->GetList("l").empty());
    ASSERT_EQ(p->Save(), 0);
    EXPECT_EQ(Read("p.dat"), ProfileText("\tafter=1.00000000\n\tL=\"keep\"\n"));
}

TEST_F(ProfileDocument, QuotesBackslashesAndCommasSurviveASaveAndLoad) {
    Put("p.dat", ProfileText());
    TProfilePtr p = TProfile::Create(folder + "/p.dat");
    ASSERT_TRUE(p);
    const std::string odd = "a \"quoted\" \\ back,slash";
    p->SetString("s", odd);
    p->SetList("l", {odd, "", "plain"});
    ASSERT_EQ(p->Save(), 0);
    TProfilePtr again = TProfile::Create(folder + "/p.dat");
    ASSERT_TRUE(again);
    EXPECT_EQ(again->GetString("s"), odd);
    EXPECT_EQ(again->GetList("l"), (std::vector<std::string>{odd, "", "plain"}));
}

TEST_F(ProfileDocument, UnreadableFilesGiveNoProfile) {
    struct Case {
        const char* name;
        const char* text;
    } cases[] = {
        {"syntax fault", "Profile{\n\tlevel=\n"},
        {"truncated", "Profile{\n\tPortalName=\"vsm-te"},
        {"binary", "\x01\x02\x03{{{"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Put("bad.dat", c.text);
        testing::internal::CaptureStdout();
        EXPECT_FALSE(TProfile::Create(folder + "/bad.dat"));
        EXPECT_EQ(testing::internal::GetCapturedStdout(), "21\n");
        EXPECT_EQ(Read("bad.dat"), c.text);
    }
    testing::internal::CaptureStdout();
    EXPECT_FALSE(TProfile::Create(folder + "/missing.dat"));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "21\n");
}

TEST_F(ProfileDocument, InterruptedSaveKeepsTheOldFile) {
    Put("p.dat", ProfileText("\tlevel=3.00000000\n"));
    TProfilePtr p = TProfile::Create(folder + "/p.dat");
    ASSERT_TRUE(p);
    p->SetNumber("level", 9);
    SetSaveInterruptHook([](const std::string&) { return false; });
    EXPECT_EQ(p->Save(), -1);
    EXPECT_EQ(Read("p.dat"), ProfileText("\tlevel=3.00000000\n"));
    EXPECT_EQ(Files(), std::vector<std::string>{"p.dat"});
}

} // namespace
} // namespace vsm::test
