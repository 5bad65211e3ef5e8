// Profile screen: the first player's name, typing rules, the 10-profile and last-profile
// refusals, and choosing, creating, renaming and deleting players through scripted input.
#include "profiles/ProfilesFixture.h"
#include "profiles/OptionsDocument.h"
#include "profiles/TProfileLoader.h"
#include "profiles/TProfileManager.h"

#include "data/DataFolders.h"
#include "data/TTSCFile.h"
#include "platform/Files.h"
#include "platform/Input.h"
#include "platform/System.h"
#include "services/GameFlags.h"
#include "services/Paths.h"
#include "support/ScreenInk.h"
#include "support/TestAssets.h"
#include "support/TestSupport.h"
#include "widgets/SharedAssets.h"
#include "widgets/SharedImageIds.h"
#include "widgets/TContainer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>

namespace vsm::test {
namespace {

struct Point {
    int x, y;
};
// Inside each button's picture as the fixture draws them.
constexpr Point LIST_OK{344, 490}, LIST_CANCEL{386, 490}, NEW{296, 518}, RENAME{353, 518}, DELETE{439, 518};
constexpr Point DIALOG_OK{344, 385}, DIALOG_CANCEL{386, 385}, ALONE_OK{386, 385};

class ProfileScreen : public ProfilesFixture {
  protected:
    void SetUp() override {
        ProfilesFixture::SetUp();
        fonts[0] = SmallFont(30);
        for (auto [name, w] :
             {std::pair{"ok", 30}, {"cancel", 30}, {"new", 50}, {"rename", 80}, {"delete", 60}})
            WriteFlatPicture(resources + "gfx/gui/profile-" + name + ".png", w, 20);
        WriteFlatPicture(resources + "gfx/info/kursor.png", 2, 20);
        profileLoader.Load();
    }
    // Opens the store over the profiles written so far.
    void Store(const std::vector<std::string>& names) {
        for (const std::string& n : names)
            Put(n + ".dat", ProfileText("\tgameState=" + std::to_string(n.size()) + ".00000000\n"));
        testing::internal::CaptureStdout();
        OpenStore();
        testing::internal::GetCapturedStdout();
    }
    static std::string Current() {
        return profile.selectedProfile ? profile.selectedProfile->name : "<none>";
    }
    static FrameInput Click(Point p) {
        FrameInput f;
        f.mouseX = p.x;
        f.mouseY = p.y;
        f.clicks = {1};
        return f;
    }
    static FrameInput Name(int i) { return Click({400, 254 + 22 * i + 10}); }
    static FrameInput Type(const std::string& s) {
        FrameInput f;
        f.typed = s;
        return f;
    }
    static FrameInput Key(int k) {
        FrameInput f;
        f.keysHit = {k};
        return f;
    }
    // One frame per character, as a player types.
    static void TypeEach(std::vector<FrameInput>& frames, const std::string& s) {
        for (char c : s)
            frames.push_back(Type(std::string(1, c)));
    }
    // Runs the screen over the frames, noting the state after every frame's update.
    void Run(int state, std::vector<FrameInput> frames) {
        states.clear();
        control->SetScript([frames, this](int frame, FrameInput& in) {
            if (frame > 0) states.push_back(profileLoader.State);
            if (frame >= static_cast<int>(frames.size())) return false;
            in = frames[static_cast<size_t>(frame)];
            return true;
        });
        testing::internal::CaptureStdout();
        profileLoader.show(state);
        testing::internal::GetCapturedStdout();
    }
    // The player the options document names, as the screen last saved it; empty while the
    // screen saved no options.
    static std::vector<std::string> OptionsSavedFor() {
        if (FileType(OptionsPath()) == 0) return {};
        TTSCFilePtr doc = CreateTSCFile();
        LoadTSCFile(doc, OptionsPath());
        return {GetTSCStringKey(doc, "Settings", "lastProfile", 0)};
    }
    static void ForgetSavedOptions() { std::filesystem::remove(OptionsPath()); }
    std::vector<int> states; // states[i]: the state once frame i was handled
};

TEST_F(ProfileScreen, TheFirstPlayerTypesANameAndLeavesWithIt) {
    Store({});
    std::vector<FrameInput> frames = {Key(KEY_ESCAPE), Click(ALONE_OK), Key(KEY_ENTER), Type(" ")};
    TypeEach(frames, "B");
    TypeEach(frames, "ob");
    frames.push_back(Key(KEY_ENTER));
    Run(PROFILES_FIRST_NAME, frames);
    // Escape, ok and Enter with no name did nothing; the leading space was ignored.
    EXPECT_EQ(states, std::vector<int>(7, PROFILES_FIRST_NAME));
    EXPECT_EQ(Current(), "bob");
    EXPECT_EQ(profile.GetNumber("level"), 1);
    EXPECT_EQ(OptionsSavedFor(), std::vector<std::string>{"bob"});
    EXPECT_EQ(profileLoader.State, PROFILES_LIST);
    EXPECT_EQ(Read("bob.dat").substr(0, 30), ProfileText("\tpuzzlesTime").substr(0, 30));
}

TEST_F(ProfileScreen, TypedCharactersFollowTheNameRules) {
    Store({"anna"});
    profileLoader.UpdateList();
    struct Case {
        const char* what;
        std::string typed;
        std::string name;
        int exists;
    } cases[] = {
        {"upper case is stored lower", "BoB", "bob", 0},
        {"a leading space is ignored", " x", "x", 0},
        {"inner and trailing spaces stay", "a  b ", "a  b ", 0},
        {"no eleventh character", "abcdefghijk", "abcdefghij", 0},
        {"punctuation and accents are ignored", "a!.-_\xC3\xA9/b", "ab", 0},
        {"backspace erases", "annx\b", "ann", 0},
        {"enter and escape type nothing", "an\r\x1bna", "anna", 1},
        {"an existing name", "ANNA", "anna", 1},
        {"a trailing space makes another name", "anna ", "anna ", 0},
        {"backspace on nothing", "\b\b", "", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        profileLoader.text->text.clear();
        profileLoader.nameExist = 0;
        FlushKeys();
        FrameInput f;
        f.typed = c.typed;
        control->SetScript({f, {}});
        for (size_t i = 0; i < c.typed.size(); ++i)
            profileLoader.UpdateText();
        EXPECT_EQ(profileLoader.text->text, c.name);
        EXPECT_EQ(profileLoader.nameExist, c.exists);
    }
    // The flag is recomputed even when the eleventh character is refused.
    profileLoader.text->text = "abcdefghij";
    profileLoader.nameExist = 1;
    control->SetScript({Type("k"), {}});
    profileLoader.UpdateText();
    EXPECT_EQ(profileLoader.nameExist, 0);
}

TEST_F(ProfileScreen, NewIsRefusedAtTenProfilesAndDeleteAtTheLastOne) {
    struct Case {
        int profiles;
        Point button;
        int opens;
    } cases[] = {
        {10, NEW, PROFILES_NO_MORE},
        {9, NEW, PROFILES_NEW},
        {1, DELETE, PROFILES_CANT_DELETE},
        {2, DELETE, PROFILES_DELETE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.profiles);
        std::filesystem::remove_all(folder);
        std::vector<std::string> names;
        for (int i = 0; i < c.profiles; ++i)
            names.push_back("p" + std::to_string(i));
        Store(names);
        // Escape leaves a dialog but not a refusal; Enter closes a refusal.
        Run(PROFILES_LIST, {Click(c.button), Key(KEY_ESCAPE), Key(KEY_ENTER), Click(LIST_CANCEL)});
        const bool refusal = c.opens == PROFILES_NO_MORE || c.opens == PROFILES_CANT_DELETE;
        EXPECT_EQ(states, (std::vector<int>{c.opens, refusal ? c.opens : PROFILES_LIST, PROFILES_LIST}));
        EXPECT_EQ(profile.profiles.size(), static_cast<size_t>(c.profiles));
    }
}

TEST_F(ProfileScreen, ARefusalIsShownInItsOwnWords) {
    Store({"anna"});
    control->SetScript({Click(DELETE), {}, {}});
    profileLoader.UpdateList();
    profileLoader.State = PROFILES_LIST;
    profileLoader.Update();
    ASSERT_EQ(profileLoader.State, PROFILES_CANT_DELETE);
    control->ClearDrawLog();
    profileLoader.Draw();
    // One letter drawn per character of "you can not" / "delete last" / "profile".
    std::map<float, int> letters;
    for (const DrawCall& c : control->DrawLog())
        if (c.op == "image") ++letters[c.y];
    EXPECT_EQ(letters[276], 11);
    EXPECT_EQ(letters[299], 11);
    EXPECT_EQ(letters[322], 7);
}

TEST_F(ProfileScreen, TheListMarksThePickedNameOverTheMenuHighlight) {
    Store({"anna", "bob"});
    WriteFlatPicture(resources + "light.png", 64, 16);
    ImagePtr light = LoadImage(resources + "light.png");
    MidHandleImage(light);
    data.Add(TObjectRef(light), DATA_MENU_HIGHLIGHT, nullptr);
    profileLoader.UpdateList();
    profileLoader.State = PROFILES_LIST;
    profileLoader.selected = "bob";
    control->SetScript({{}, {}});
    control->ClearDrawLog();
    profileLoader.Draw();
    const DrawCall* glow = nullptr;
    std::map<float, std::vector<int>> letterGreens; // by row top
    for (const DrawCall& c : control->DrawLog()) {
        if (c.image == light) glow = &c;
        if (c.op == "image" && (c.y == 254 || c.y == 276)) letterGreens[c.y].push_back(c.state.g);
    }
    ASSERT_TRUE(glow);
    EXPECT_EQ(glow->x, 400);
    EXPECT_EQ(glow->y, 276 + 11);
    EXPECT_FLOAT_EQ(glow->state.alpha, 0.25f);
    EXPECT_FLOAT_EQ(glow->state.scaleX, 12.0f / 64 * 1.25f);
    EXPECT_FLOAT_EQ(glow->state.scaleY, 0.35f);
    EXPECT_EQ(glow->state.g, 200);
    EXPECT_EQ(letterGreens[254], std::vector<int>(4, 255)); // anna in white
    EXPECT_EQ(letterGreens[276], std::vector<int>(3, 200)); // bob in the tint
}

// Sixteen profiles copied into the folder by hand, more than the screen would create: the names
// stay inside the panel above its buttons, and the wheel or the marks bring the others in.
TEST_F(ProfileScreen, AListLongerThanThePanelScrollsAboveTheButtons) {
    std::vector<std::string> names;
    for (int i = 0; i < 16; ++i)
        names.push_back("p" + std::string(1, static_cast<char>('a' + i)));
    Store(names);
    const std::set<ImagePtr> letters = SurveyLetters(fonts[0]).images;
    // The rows of name letters drawn in the last frame, by their top.
    auto rowsDrawn = [&] {
        std::set<float> rows;
        for (const DrawCall& c : control->DrawLog())
            if (c.op == "image" && letters.count(c.image)) rows.insert(c.y);
        control->ClearDrawLog();
        return rows;
    };
    FrameInput wheelDown;
    wheelDown.wheel = -3;
    FrameInput pageDown = Click({400, 452 + 10});
    struct Step {
        const char* what;
        FrameInput input;
        int top;
        const char* picked; // after a click on the first shown row
    } steps[] = {
        {"opened at the top", {}, 0, "pa"},
        {"the wheel scrolls three rows", wheelDown, 3, "pd"},
        {"the lower mark pages on, no further than the end", pageDown, 7, "ph"},
        {"the wheel stops at the end", wheelDown, 7, "ph"},
    };
    control->ClearDrawLog();
    std::vector<FrameInput> frames;
    for (const Step& st : steps) {
        frames.push_back(st.input);
        frames.push_back(Name(0));
    }
    frames.push_back(Click(LIST_CANCEL));
    std::vector<int> tops;
    std::vector<std::string> picked;
    std::vector<std::set<float>> rows;
    control->SetScript([&](int frame, FrameInput& in) {
        // Frames 2k scroll and 2k+1 click the first shown name: both are handled and drawn by
        // the time frame 2k+2 starts.
        if (frame > 0 && frame % 2 == 0 && frame <= static_cast<int>(frames.size()) - 1) {
            tops.push_back(profileLoader.listTop);
            picked.push_back(profileLoader.selected);
            rows.push_back(rowsDrawn());
        }
        if (frame >= static_cast<int>(frames.size())) return false;
        in = frames[static_cast<size_t>(frame)];
        return true;
    });
    testing::internal::CaptureStdout();
    profileLoader.show(PROFILES_LIST);
    testing::internal::GetCapturedStdout();
    ASSERT_EQ(tops.size(), std::size(steps));
    for (size_t i = 0; i < std::size(steps); ++i) {
        SCOPED_TRACE(steps[i].what);
        EXPECT_EQ(tops[i], steps[i].top);
        EXPECT_EQ(picked[i], steps[i].picked);
        // Nine rows of names from 254 on, and the marks at 228 and 452 where names are out of
        // view: every row stays above the buttons (at 485) with the font's 30 rows.
        EXPECT_EQ(std::count_if(rows[i].begin(), rows[i].end(), [](float y) { return y >= 254 && y < 452; }),
                  9);
        EXPECT_EQ(rows[i].count(228), steps[i].top > 0 ? 1u : 0u);
        for (float y : rows[i])
            EXPECT_LE(y + 30, 485) << "a name drawn over the buttons at " << y;
    }
}

// A file copied in by hand may carry capitals, which the font has no letters for: the list shows
// them small, and choosing the player keeps the file's own name.
TEST_F(ProfileScreen, ANameWithCapitalsShowsEveryLetterAndKeepsItsName) {
    Store({"Alice", "bob"});
    const std::set<ImagePtr> letters = SurveyLetters(fonts[0]).images;
    profileLoader.UpdateList();
    profileLoader.State = PROFILES_LIST;
    control->SetScript({{}, {}});
    control->ClearDrawLog();
    profileLoader.Draw();
    int drawn = 0;
    for (const DrawCall& c : control->DrawLog())
        if (c.op == "image" && c.y == 254 && letters.count(c.image)) ++drawn;
    EXPECT_EQ(drawn, 5);
    Run(PROFILES_LIST, {Name(0), Click(LIST_OK)});
    EXPECT_EQ(Current(), "Alice");
    EXPECT_EQ(OptionsSavedFor(), std::vector<std::string>{"Alice"});
}

TEST_F(ProfileScreen, ATakenNameWarnsAndConfirmingDoesNothing) {
    Store({"anna", "bob"});
    Put("eve.dat", ProfileText("", "another build"));
    std::vector<FrameInput> frames = {Click(NEW)};
    TypeEach(frames, "bob");
    frames.push_back(Key(KEY_ENTER)); // listed: nothing
    frames.push_back(Key(KEY_BACKSPACE));
    frames.push_back(Type("x")); // "box" is free again
    frames.push_back(Key(KEY_BACKSPACE));
    frames.push_back(Key(KEY_BACKSPACE));
    frames.push_back(Key(KEY_BACKSPACE));
    TypeEach(frames, "eve");
    frames.push_back(Click(DIALOG_OK)); // another build's file: refused by the store
    frames.push_back(Click(DIALOG_CANCEL));
    frames.push_back(Click(LIST_CANCEL));
    Run(PROFILES_LIST, frames);
    EXPECT_EQ(states[4], PROFILES_NEW); // still in the dialog after Enter
    EXPECT_EQ(profileLoader.nameExist, 1);
    EXPECT_EQ(profile.GetProfilesList(), (std::vector<std::string>{"anna", "bob"}));
    EXPECT_EQ(Read("eve.dat"), ProfileText("", "another build"));
    EXPECT_TRUE(OptionsSavedFor().empty());
    EXPECT_EQ(Current(), "anna");
}

TEST_F(ProfileScreen, ANewPlayerIsCreatedChosenAndListed) {
    Store({"anna", "bob"});
    gameState = 7;
    std::vector<FrameInput> frames = {Click(NEW)};
    TypeEach(frames, "cy");
    frames.push_back(Click(DIALOG_OK));
    frames.push_back(Click(LIST_CANCEL));
    Run(PROFILES_LIST, frames);
    EXPECT_EQ(Current(), "cy");
    EXPECT_EQ(profileLoader.selected, "cy");
    EXPECT_EQ(gameState, 0); // the new player's state was loaded
    EXPECT_EQ(OptionsSavedFor(), std::vector<std::string>{"cy"});
    ASSERT_EQ(profileLoader.List.size(), 3u);
    EXPECT_EQ(profileLoader.List[2]->text, "cy");
    EXPECT_EQ(profileLoader.List[2]->dim->x, 400 - 4);
}

TEST_F(ProfileScreen, ClickingANameAndOkChoosesThatPlayer) {
    Store({"anna", "bob", "cyd"});
    Run(PROFILES_LIST, {Name(1), Click(LIST_OK)});
    EXPECT_EQ(Current(), "bob");
    EXPECT_EQ(gameState, 3); // bob's saved state
    EXPECT_EQ(OptionsSavedFor(), std::vector<std::string>{"bob"});

    // Where two names' boxes overlap (anna's 254..284, bob's 276..306), the later name is picked.
    Run(PROFILES_LIST, {Click({400, 280}), Click(LIST_OK)});
    EXPECT_EQ(Current(), "bob");
    Run(PROFILES_LIST, {Click({400, 275}), Click(LIST_OK)});
    EXPECT_EQ(Current(), "anna");

    // Cancel leaves without choosing anyone.
    ForgetSavedOptions();
    Run(PROFILES_LIST, {Name(2), Click(LIST_CANCEL)});
    EXPECT_EQ(Current(), "anna");
    EXPECT_TRUE(OptionsSavedFor().empty());
}

TEST_F(ProfileScreen, RenamingKeepsTheCurrentPlayerWhicheverProfileIsRenamed) {
    struct Case {
        const char* what;
        int pick;
        std::string current, selected;
        std::vector<std::string> saved;
    } cases[] = {
        {"the current player", 1, "bobby", "bobby", {"bobby"}},
        {"another player", 0, "bob", "annaby", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove_all(folder);
        Store({"anna", "bob"});
        profile.SelectProfile("bob");
        ForgetSavedOptions();
        std::vector<FrameInput> frames = {Name(c.pick), Click(RENAME)};
        TypeEach(frames, "by");
        frames.push_back(Key(KEY_ENTER));
        frames.push_back(Click(LIST_CANCEL));
        Run(PROFILES_LIST, frames);
        EXPECT_EQ(Current(), c.current);
        EXPECT_EQ(profileLoader.selected, c.selected);
        EXPECT_EQ(OptionsSavedFor(), c.saved);
    }
}

TEST_F(ProfileScreen, DeletingTheCurrentPlayerChoosesTheNextOneFully) {
    Store({"anna", "bob", "cyd"});
    profile.SelectProfile("bob");
    gameState = 3;
    Run(PROFILES_LIST, {Click(DELETE), Click(DIALOG_OK), Click(LIST_CANCEL)});
    EXPECT_EQ(profile.GetProfilesList(), (std::vector<std::string>{"anna", "cyd"}));
    EXPECT_EQ(Current(), "anna");
    EXPECT_EQ(gameState, 4); // anna's state replaced bob's in memory
    EXPECT_EQ(OptionsSavedFor(), std::vector<std::string>{"anna"});
    EXPECT_EQ(profileLoader.selected, "anna");

    // Deleting another player leaves the current one alone.
    ForgetSavedOptions();
    Run(PROFILES_LIST, {Name(1), Click(DELETE), Key(KEY_ENTER), Click(LIST_CANCEL)});
    EXPECT_EQ(profile.GetProfilesList(), std::vector<std::string>{"anna"});
    EXPECT_EQ(Current(), "anna");
    EXPECT_TRUE(OptionsSavedFor().empty());
}

TEST_F(ProfileScreen, AnEnterHitBeforeAQuestionDoesNotAnswerIt) {
    Store({"anna", "bob"});
    FrameInput both = Click(DELETE);
    both.keysHit = {KEY_ENTER};
    Run(PROFILES_LIST,
        {Key(KEY_ENTER), Click(DELETE), Key(KEY_ESCAPE), both, Key(KEY_ESCAPE), Click(LIST_CANCEL)});
    EXPECT_EQ(states, (std::vector<int>{PROFILES_LIST, PROFILES_DELETE, PROFILES_LIST, PROFILES_DELETE,
                                        PROFILES_LIST}));
    EXPECT_EQ(profile.GetProfilesList(), (std::vector<std::string>{"anna", "bob"}));
}

TEST_F(ProfileScreen, ARenameOrDeleteTheDiskRefusesKeepsTheDialogOpen) {
    Store({"anna", "bob"});
    SetFileFaultHook(
        [](FileOp op, const std::string&) { return op != FileOp::Rename && op != FileOp::Delete; });
    std::vector<FrameInput> frames = {Click(RENAME), Type("x"),      Key(KEY_ENTER),  Key(KEY_ESCAPE),
                                      Click(DELETE), Key(KEY_ENTER), Key(KEY_ESCAPE), Click(LIST_CANCEL)};
    Run(PROFILES_LIST, frames);
    ASSERT_EQ(states.size(), 7u);
    EXPECT_EQ(states[2], PROFILES_RENAME); // Enter on the new name
    EXPECT_EQ(states[5], PROFILES_DELETE); // Enter on the question
    EXPECT_EQ(states[6], PROFILES_LIST);
    EXPECT_EQ(Files(), (std::vector<std::string>{"anna.dat", "bob.dat"}));
    const std::string check = ".\nCheck that the folder exists and can be written to, then try again.";
    EXPECT_EQ(control->notifications,
              (std::vector<std::string>{
                  "The profile \"anna\" could not be renamed to \"annax\" in the folder\n" + folder + check,
                  "The profile \"anna\" could not be deleted from the folder\n" + folder + check}));
}

TEST_F(ProfileScreen, AProfileTheFolderRefusesIsNamedAndTheNameCanBeTriedAgain) {
    const std::string refused = "The profile \"bob\" could not be saved in the folder\n" + folder +
                                ".\nCheck that the folder exists and can be written to, then try again.";
    struct Case {
        const char* what;
        int state;
        std::vector<std::string> before;
        // What the folder refuses: every write, or only the new profile's defaults.
        bool onlyTheDefaults;
    } cases[] = {
        {"the first player, nothing can be written", PROFILES_FIRST_NAME, {}, false},
        {"the first player, the defaults cannot be written", PROFILES_FIRST_NAME, {}, true},
        {"a new player, nothing can be written", PROFILES_NEW, {"anna"}, false},
        {"a new player, the defaults cannot be written", PROFILES_NEW, {"anna"}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        Store(c.before);
        profileLoader.text->text.clear();
        control->notifications.clear();
        bool refuse = true;
        SetFileFaultHook([&](FileOp op, const std::string& path) {
            if (!refuse || op != FileOp::Write) return true;
            return c.onlyTheDefaults ? path != folder + "/bob.dat" : path.rfind(folder, 0) != 0;
        });
        std::vector<FrameInput> frames;
        TypeEach(frames, "bob");
        frames.push_back(Key(KEY_ENTER)); // refused
        frames.push_back(Key(KEY_ENTER)); // refused again
        const size_t allowed = frames.size();
        frames.push_back(Key(KEY_ENTER)); // the folder can be written now
        frames.push_back(Click(LIST_CANCEL));
        std::vector<int> seen;
        std::vector<std::string> currents;
        control->SetScript([&](int frame, FrameInput& in) {
            if (frame > 0) {
                seen.push_back(profileLoader.State);
                currents.push_back(Current());
            }
            if (frame == static_cast<int>(allowed)) refuse = false;
            if (frame >= static_cast<int>(frames.size())) return false;
            in = frames[static_cast<size_t>(frame)];
            return true;
        });
        testing::internal::CaptureStdout();
        profileLoader.show(c.state);
        testing::internal::GetCapturedStdout();
        SetFileFaultHook(nullptr);

        EXPECT_EQ(control->notifications, (std::vector<std::string>{refused, refused}));
        ASSERT_GE(seen.size(), allowed);
        for (size_t i = 0; i < allowed; ++i) {
            EXPECT_EQ(seen[i], c.state) << "frame " << i << ": the dialog stays open";
            // The half-made profile was taken away; the store never points at it.
            EXPECT_EQ(currents[i], c.before.empty() ? "<none>" : "anna") << "frame " << i;
        }
        EXPECT_EQ(Current(), "bob") << "the name went through once the folder could be written";
        std::vector<std::string> files =
            c.before.empty() ? std::vector<std::string>{} : std::vector<std::string>{"anna.dat"};
        files.push_back("bob.dat");
        EXPECT_EQ(Files(), files);
    }
}

TEST_F(ProfileScreen, OptionsTheFolderRefusesAfterAChoiceAreToldAndTheOldOnesKept) {
    const std::string refused =
        "Your options could not be saved in the folder\n" + myDocsFolder + "/data" +
        ".\nWhat was saved before is kept. Check that the folder exists, has room and can be "
        "written to.";
    struct Case {
        const char* what;
        int state;
        std::vector<FrameInput> frames;
    } cases[] = {
        {"choosing a player", PROFILES_LIST, {Name(0), Click(LIST_OK)}},
        {"a new player", PROFILES_LIST, {Click(NEW), Type("cy"), Key(KEY_ENTER), Click(LIST_CANCEL)}},
        {"the first player", PROFILES_FIRST_NAME, {Type("cy"), Key(KEY_ENTER)}},
        {"renaming the current player",
         PROFILES_LIST,
         {Name(1), Click(RENAME), Type("x"), Key(KEY_ENTER), Click(LIST_CANCEL)}},
        {"deleting the current player",
         PROFILES_LIST,
         {Name(1), Click(DELETE), Key(KEY_ENTER), Click(LIST_CANCEL)}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        Store(c.state == PROFILES_FIRST_NAME ? std::vector<std::string>{}
                                             : std::vector<std::string>{"anna", "bob"});
        if (c.state != PROFILES_FIRST_NAME) profile.SelectProfile("bob");
        profileLoader.text->text.clear();
        ASSERT_EQ(SaveOptionsOnly(), 0);
        const std::vector<std::string> before = OptionsSavedFor();
        control->notifications.clear();
        SetFileFaultHook(
            [](FileOp op, const std::string& path) { return op != FileOp::Write || path != OptionsPath(); });
        Run(c.state, c.frames);
        SetFileFaultHook(nullptr);
        EXPECT_EQ(control->notifications, std::vector<std::string>{refused});
        EXPECT_EQ(OptionsSavedFor(), before);
    }
}

TEST_F(ProfileScreen, ATerminateRequestEndsTheProgram) {
    Store({"anna"});
    FrameInput quit;
    quit.terminate = true;
    control->SetScript({{}, quit, {}});
    testing::internal::CaptureStdout();
    EXPECT_THROW(profileLoader.show(PROFILES_LIST), ProgramEnd);
    testing::internal::GetCapturedStdout();
}

TEST_F(ProfileScreen, TheFirstNameFadesInOnceAndTheCaretBlinks) {
    Store({});
    WriteFlatPicture(resources + "frame.png", 300, 200);
    data.Add(TObjectRef(LoadImage(resources + "frame.png")), DATA_MENU_FRAME, nullptr);
    const ImagePtr frame = data.GetImage(DATA_MENU_FRAME);
    std::vector<float> frameAlpha;
    std::vector<bool> caret;
    profileLoader.State = PROFILES_FIRST_NAME;
    control->SetScript(std::vector<FrameInput>(80));
    for (int i = 0; i < 70; ++i) {
        control->ClearDrawLog();
        profileLoader.UpdateText();
        profileLoader.Draw();
        bool caretDrawn = false;
        for (const DrawCall& c : control->DrawLog()) {
            if (c.image == frame) frameAlpha.push_back(c.state.alpha);
            if (c.image == profileLoader.kursor) caretDrawn = true;
        }
        caret.push_back(caretDrawn);
    }
    ASSERT_EQ(frameAlpha.size(), 70u);
    EXPECT_FLOAT_EQ(frameAlpha[0], 0.02f);
    EXPECT_FLOAT_EQ(frameAlpha[24], 0.5f);
    EXPECT_NEAR(frameAlpha[49], 1.0f, 1e-5);
    EXPECT_EQ(frameAlpha[50], 1.0f); // held at 1, and never faded in again in this run
    EXPECT_FLOAT_EQ(frameAlpha[69], 1.0f);
    // The phase starts at 1 and wraps at once: hidden for 34 frames, then shown for 33.
    EXPECT_FALSE(caret[0]);
    EXPECT_FALSE(caret[33]);
    EXPECT_TRUE(caret[34]);
    EXPECT_TRUE(caret[66]);
    EXPECT_FALSE(caret[67]);
}

TEST_F(ProfileScreen, EveryLineStandsCentredInsideTheMenuBoardInTheGameFont) {
    // The game's own font and menu board, as the loading screen and the options window load them.
    const std::string real = ResourcesDir();
    const std::string kept = bDir;
    bDir = real;
    LoadSharedBitmapFonts();
    bDir = kept;
    profileLoader.Load();
    const ImagePtr board = LoadImage(real + "gfx/gui/pod-menu.png");
    ASSERT_TRUE(board);
    ASSERT_GT(fonts[0]->letters.size(), 1u);
    data.Add(TObjectRef(board), DATA_MENU_FRAME, nullptr);
    constexpr float RIM = 12; // the board's metal rim: text inside it runs into the frame

    // The names that test the board hardest: the widest letter ten times over, and last the
    // letter that reaches lowest.
    const NameLetters letters = SurveyLetters(fonts[0]);
    ASSERT_TRUE(letters.widest && letters.deepest);
    const char widest = letters.widest, deepest = letters.deepest;
    const std::string wide(10, widest);
    std::vector<std::string> names;
    for (int i = 0; i < 9; ++i)
        names.push_back(std::string(9, widest) + std::to_string(i));
    names.push_back(std::string(10, deepest));
    Store(names);

    struct Case {
        const char* what;
        int state;
        std::vector<FrameInput> input; // from the list, or typed into the state
        size_t lines;                  // rows of text drawn
    };
    std::vector<FrameInput> typing;
    TypeEach(typing, wide);
    std::vector<FrameInput> typingTaken;
    TypeEach(typingTaken, names[0]);
    const Case cases[] = {
        {"ten players listed", PROFILES_LIST, {{}}, 10},
        {"a taken name for a new player", PROFILES_NEW, typingTaken, 4},
        {"a new name for a player", PROFILES_RENAME, typing, 3},
        {"deleting a player", PROFILES_LIST, {Click(DELETE), {}}, 3},
        {"the first player's name", PROFILES_FIRST_NAME, typing, 3},
        {"the last player stays", PROFILES_CANT_DELETE, {{}}, 3},
        {"no more than ten players", PROFILES_LIST, {Click(NEW), {}}, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        profileLoader.UpdateList();
        profileLoader.State = c.state;
        profileLoader.selected = names[0];
        profileLoader.text->text.clear();
        profileLoader.nameExist = 0;
        FlushKeys();
        control->SetScript(c.input);
        for (size_t i = 0; i < c.input.size(); ++i) {
            profileLoader.Update();
            profileLoader.Draw();
        }
        control->ClearDrawLog();
        control->SetScript(std::vector<FrameInput>(1));
        profileLoader.Draw();

        const std::vector<std::vector<DrawCall>> frames = PresentedFrames(*control);
        ASSERT_EQ(frames.size(), 1u);
        InkBox inside;
        std::map<float, std::vector<DrawCall>> rows; // the letters of each line, by its top
        for (const DrawCall& call : frames[0]) {
            if (call.image == board) {
                inside.Add(call.x + RIM, call.y + RIM, call.x + call.w - RIM, call.y + call.h - RIM);
            } else if (call.op == "image" && letters.images.count(call.image)) {
                rows[call.y].push_back(call);
            }
        }
        ASSERT_FALSE(inside.empty);
        EXPECT_EQ(rows.size(), c.lines);
        for (const auto& [top, letters] : rows) {
            const InkBox line = DrawnInk(letters);
            EXPECT_TRUE(line.Inside(inside))
                << "the line at y " << top << " inks " << line << ", the board holds " << inside;
            EXPECT_NEAR(line.CentreX(), 400, 2) << "the line at y " << top << " inks " << line;
        }
    }
}

} // namespace
} // namespace vsm::test
