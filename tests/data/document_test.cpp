// Tests of the TSC document: lookups, number text, edits, the saved form and load/save round trips.
#include "data/TTSCFile.h"

#include "data/TTSCLexer.h"

#include "platform/Files.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <cstdio>
#include <limits>
#include <random>

namespace vsm {
namespace {

TTSCFilePtr TscFromText(const std::string& text) {
    TTSCFilePtr doc = CreateTSCFile();
    doc->LoadFromText(text);
    return doc;
}

// Saves doc as text and loads that text into a fresh document.
TTSCFilePtr RoundTrip(const TTSCFilePtr& doc) {
    return TscFromText(doc->SavedText());
}

TEST(TscDocument, LookupsIgnoreTheCaseOfPathAndName) {
    auto doc = TscFromText("Settings{Level{Number=4 Name='Moor'}}\n");
    EXPECT_EQ(GetTSCStringKey(doc, "settings::LEVEL", "name", 0), "Moor");
    EXPECT_EQ(GetTSCNumberKey(doc, "SETTINGS::level", "NUMBER", 0), 4.0f);
    EXPECT_EQ(GetTSCStringKey(doc, "Settings::Level", "Number", 0), "4");
}

TEST(TscDocument, MissingKeyPrintsOneLineAndGivesEmpty) {
    auto doc = TscFromText("a{k=1}\n");
    testing::internal::CaptureStdout();
    EXPECT_EQ(GetTSCStringKey(doc, "a", "nope", 0), "");
    EXPECT_EQ(GetTSCNumberKey(doc, "", "k", 0), 0.0f);
    EXPECT_EQ(GetTSCStringKey(doc, "a", "k", 1000), "");
    EXPECT_EQ(GetTSCNumberKey(doc, "a", "k", -1), 0.0f);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "The key a::nope does not exist\nThe key ::k does not exist\n"
              "The key a::k does not exist\nThe key a::k does not exist\n");
    // An entry above the value count exists as "" and prints nothing.
    testing::internal::CaptureStdout();
    EXPECT_EQ(GetTSCStringKey(doc, "a", "k", 5), "");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
}

TEST(TscDocument, TextToNumberTakesTheLeadingDecimalNumber) {
    struct Case {
        const char* text;
        float value;
    } cases[] = {
        {"1.00000000e+10", 1e10f},
        {"3x", 3},
        {"abc", 0},
        {"", 0},
        {"  -2.5", -2.5f},
        {"+4", 4},
        {".5", 0.5f},
        {"5.", 5},
        {"1e5", 1e5f},
        {"1E2", 100},
        {"1e", 1},
        {"1e+", 1},
        {"0x10", 0},
        {"-", 0},
        {".", 0},
        {"9.99999975e-05", 9.99999975e-05f},
        {"inf", 0},
        {"nan", 0},
        {"12,5", 12},
        // Each character counts by the low 8 bits of its code: U+0131 U+0132 read as "12".
        {"\xC4\xB1\xC4\xB2", 12},
        {"\xC3\xA9", 0},
        // The largest float's own saved text; only past half a step above it is a float infinite.
        {"3.40282347e+38", std::numeric_limits<float>::max()},
        {"-3.40282347e+38", -std::numeric_limits<float>::max()},
        {"3.4028236e+38", std::numeric_limits<float>::infinity()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(TSCTextToNumber(c.text), c.value);
    }
    EXPECT_EQ(TSCTextToNumber("1e999"), std::numeric_limits<float>::infinity());
    EXPECT_EQ(TSCTextToNumber("-1e39"), -std::numeric_limits<float>::infinity());
    EXPECT_EQ(TSCTextToNumber("1e-999"), 0.0f);
}

TEST(TscDocument, NumberTextHasNineSignificantDigits) {
    struct Case {
        float value;
        const char* text;
    } cases[] = {
        {0, "0.00000000"},
        {1, "1.00000000"},
        {10, "10.0000000"},
        {0.5f, "0.500000000"},
        {-3, "-3.00000000"},
        {123456, "123456.000"},
        {1e8f, "100000000."},
        {1e10f, "1.00000000e+10"},
        {0.0001f, "9.99999975e-05"},
        {0.001f, "0.00100000005"},
        {-1e-5f, "-9.99999975e-06"},
        {3.4028235e38f, "3.40282347e+38"},
        {std::nanf(""), "0.00000000"},
        {std::numeric_limits<float>::infinity(), "0.00000000"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(TSCNumberText(c.value), c.text);
    }
}

TEST(TscDocument, NumberTextMatchesPrintfAndReadsBackExactly) {
    std::mt19937 gen(7);
    std::uniform_int_distribution<uint32_t> bits;
    for (int i = 0; i < 20000; ++i) {
        uint32_t b = bits(gen);
        float f;
        std::memcpy(&f, &b, sizeof f);
        if (!std::isfinite(f)) continue;
        char buf[64];
        std::snprintf(buf, sizeof buf, "%#.9g", static_cast<double>(f));
        std::string text = TSCNumberText(f);
        ASSERT_EQ(text, buf);
        ASSERT_EQ(TSCTextToNumber(text), f) << text;
    }
}

// The first key of KeyList with that address, found the slow way.
TTSCKeyPtr FirstByWalking(const TTSCFile& doc, const std::string& path, const std::string& name) {
    for (const TTSCKeyPtr& key : doc.KeyList)
        if (key && TSCEqualNoCase(key->Path, path) && TSCEqualNoCase(key->Name, name)) return key;
    return nullptr;
}

TEST(TscDocument, LookupsInLargeDocumentsFollowEditsOfTheKeyList) {
    std::string text = "G{";
    for (int i = 0; i < 200; ++i)
        text += "k" + std::to_string(i % 70) + "=" + std::to_string(i) + " ";
    auto doc = TscFromText(text + "}\n");
    std::mt19937 gen(11);
    auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(gen); };
    for (int step = 0; step < 600; ++step) {
        SCOPED_TRACE(step);
        const std::string name = "K" + std::to_string(pick(90));
        switch (pick(5)) {
        case 0: // a caller removes a key before writing it afresh
            if (!doc->KeyList.empty())
                doc->KeyList.erase(doc->KeyList.begin() + pick(static_cast<int>(doc->KeyList.size())));
            break;
        case 1:
            SetTSCNumberKey(doc, "g", name, static_cast<float>(step), 0);
            break;
        case 2: { // a record appended directly
            auto key = std::make_shared<TTSCKey>();
            key->Path = "G";
            key->Name = name;
            key->SetValue(0, std::to_string(step), TSC_TYPE_NUMBER);
            doc->KeyList.push_back(key);
            break;
        }
        case 3:
            CreateTSCKey(doc, "G", name);
            break;
        default:
            break;
        }
        const std::string probe = "k" + std::to_string(pick(90));
        ASSERT_EQ(doc->ResolveKey("g", probe), FirstByWalking(*doc, "g", probe)) << probe;
    }
    // A load replaces everything the index knew.
    doc->LoadFromText(text + "}\n");
    EXPECT_EQ(GetTSCNumberKey(doc, "G", "k3", 0), 3.0f);
    EXPECT_EQ(doc->ResolveKey("G", "k75"), nullptr);
}

TEST(TscDocument, SetKeysGrowTheValueCountAndKeepTypes) {
    auto doc = CreateTSCFile();
    EXPECT_EQ(SetTSCNumberKey(doc, "G", "k", 3, 0), 0);
    auto key = doc->ResolveKey("g", "K");
    ASSERT_TRUE(key);
    EXPECT_EQ(key->Path, "G");
    EXPECT_EQ(key->Value(0), "3.00000000");
    EXPECT_EQ(key->ValueCount, 1);
    EXPECT_EQ(SetTSCStringKey(doc, "g", "K", "two", 1), 0);
    EXPECT_EQ(doc->KeyList.size(), 1u);
    EXPECT_EQ(key->ValueCount, 2);
    EXPECT_EQ(key->ValuesType, (std::vector<int>{1, 2}));
    // Setting a lower index never shrinks the count.
    SetTSCStringKey(doc, "G", "k", "one", 0);
    EXPECT_EQ(key->ValueCount, 2);
    // Indexes outside 0..999 are refused and change nothing.
    EXPECT_EQ(SetTSCStringKey(doc, "G", "k", "x", 1000), -1);
    EXPECT_EQ(SetTSCNumberKey(doc, "G", "new", 1, -1), -1);
    EXPECT_EQ(key->ValueCount, 2);
    EXPECT_FALSE(doc->ResolveKey("G", "new"));
}

TEST(TscDocument, KeyAndGroupListsDoNotDescend) {
    auto doc = TscFromText("Levels{A{x=1 C{y=2}} B{z=3} w=4}\nOther{}\n");
    auto groups = GetTSCGroupList(doc, "levels");
    ASSERT_EQ(groups.size(), 2u);
    EXPECT_EQ(groups[0]->Name, "A");
    EXPECT_EQ(groups[1]->Name, "B");
    EXPECT_EQ(groups[0]->Path, "Levels");
    EXPECT_EQ(GetTSCGroupList(doc, "").size(), 2u);
    EXPECT_TRUE(GetTSCGroupList(doc, "nothing").empty());
    auto keys = GetTSCKeyList(doc, "LEVELS");
    ASSERT_EQ(keys.size(), 1u);
    EXPECT_EQ(keys[0]->Name, "w");
    // The lists hold the document's own records.
    keys[0]->Values[0] = "9";
    EXPECT_EQ(GetTSCNumberKey(doc, "Levels", "w", 0), 9.0f);
}

TEST(TscDocument, SavedTextForm) {
    EXPECT_EQ(TscFromText("a{x=1,'t'}\n")->SavedText(), "a{\n\tx=1,\"t\"\n}\n");

    auto options = CreateTSCFile();
    CreateTSCGroup(options, "", "Settings");
    SetTSCNumberKey(options, "Settings", "musicVol", 5, 0);
    EXPECT_EQ(options->SavedText(), "Settings{\n\tmusicVol=5.00000000\n}\n");

    // Nested groups are indented; top-level keys and keys of groups that were never created are
    // left out; numbers read from a text keep their written form.
    auto doc = TscFromText("#define five 5\ntop=1\na{k=five b{c=0.50}}\n");
    SetTSCNumberKey(doc, "ghost", "k", 1, 0);
    EXPECT_EQ(doc->SavedText(), "a{\n\tk=5\n\tb{\n\t\tc=0.50\n\t}\n}\n");
}

TEST(TscDocument, DuplicateKeysAndGroups) {
    auto doc = TscFromText("g{k=1 k=2}\ng{j=3}\n");
    EXPECT_EQ(GetTSCNumberKey(doc, "g", "k", 0), 1.0f);
    SetTSCNumberKey(doc, "g", "k", 7, 0);
    EXPECT_EQ(doc->KeyList[1]->Value(0), "2");
    // A group stored twice is written once, with all the keys of its path.
    EXPECT_EQ(doc->SavedText(), "g{\n\tk=7.00000000\n\tk=2\n\tj=3\n}\n");
}

TEST(TscDocument, RepeatedGroupsDoNotGrowTheSavedText) {
    // Creating the group again before every save, as a writer that never looks first would.
    auto doc = CreateTSCFile();
    for (int save = 0; save < 5; ++save) {
        CreateTSCGroup(doc, "", "Profile");
        CreateTSCGroup(doc, "Profile", "Stats");
        SetTSCNumberKey(doc, "Profile::Stats", "games", static_cast<float>(save), 0);
        doc->LoadFromText(doc->SavedText());
    }
    EXPECT_EQ(doc->SavedText(), "Profile{\n\tStats{\n\t\tgames=4.00000000\n\t}\n}\n");
    // Copies at many depths once made the text grow exponentially.
    std::string text;
    for (int i = 0; i < 40; ++i)
        text += "x{s=1}X{x{}}";
    doc->LoadFromText(text + "\n");
    std::string expected = "x{\n";
    for (int i = 0; i < 40; ++i)
        expected += "\ts=1\n";
    expected += "\tx{\n\t}\n}\n";
    EXPECT_EQ(doc->SavedText(), expected);
}

TEST(TscDocument, RoundTripsEveryFloat) {
    const float values[] = {0.0f,
                            -0.0f,
                            1e-5f,
                            0.0001f,
                            -0.00005f,
                            1e-38f,
                            1e-45f,
                            0.1f,
                            1.5f,
                            1e8f,
                            1e9f,
                            1e10f,
                            -3.4e38f,
                            123456.789f,
                            std::numeric_limits<float>::max(),
                            -std::numeric_limits<float>::max()};
    auto doc = CreateTSCFile();
    CreateTSCGroup(doc, "", "n");
    for (int i = 0; i < static_cast<int>(std::size(values)); ++i)
        SetTSCNumberKey(doc, "n", "v", values[i], i);
    auto back = RoundTrip(doc);
    for (int i = 0; i < static_cast<int>(std::size(values)); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(GetTSCNumberKey(back, "n", "v", i), values[i]);
    }
}

TEST(TscDocument, RoundTripsAwkwardValues) {
    auto doc = CreateTSCFile();
    CreateTSCGroup(doc, "", "g");
    const std::string strings[] = {"plain",
                                   "say \"hi\"",
                                   "back\\slash",
                                   "two\nlines",
                                   "tab\there",
                                   "cr\rlf",
                                   "",
                                   "it's",
                                   "\xC5\x81\xC3\xB3\x64\xC5\xBA",
                                   "/* not a comment */"};
    for (int i = 0; i < static_cast<int>(std::size(strings)); ++i)
        SetTSCStringKey(doc, "g", "s", strings[i], i);
    // Unset entries below the value count, and a key with no values at all.
    SetTSCStringKey(doc, "g", "gap", "last", 3);
    CreateTSCKey(doc, "g", "empty");
    // Values held as define text that is not a number.
    auto defined = TscFromText("#define word hello\n#define text 'two words'\nd{a=word,text}\n");
    auto back = RoundTrip(doc);
    for (int i = 0; i < static_cast<int>(std::size(strings)); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(GetTSCStringKey(back, "g", "s", i), strings[i]);
    }
    EXPECT_EQ(back->ResolveKey("g", "gap")->ValueCount, 4);
    EXPECT_EQ(GetTSCStringKey(back, "g", "gap", 3), "last");
    EXPECT_EQ(GetTSCStringKey(back, "g", "gap", 1), "");
    ASSERT_TRUE(back->ResolveKey("g", "empty"));
    auto definedBack = RoundTrip(defined);
    EXPECT_EQ(GetTSCStringKey(definedBack, "d", "a", 0), "hello");
    EXPECT_EQ(GetTSCStringKey(definedBack, "d", "a", 1), "two words");
    // Plain values are written byte for byte as before.
    EXPECT_NE(doc->SavedText().find("\ts=\"plain\",\"say \\\"hi\\\"\""), std::string::npos);
}

TEST(TscDocument, SavingANameTheReaderCannotTakeFailsButKeepsTheRest) {
    auto doc = CreateTSCFile();
    CreateTSCGroup(doc, "", "g");
    CreateTSCGroup(doc, "", "");
    CreateTSCGroup(doc, "", "Zo\xC3\xAB");
    SetTSCStringKey(doc, "Zo\xC3\xAB", "k", "lost", 0);
    SetTSCStringKey(doc, "g", "player one", "x", 0);
    SetTSCStringKey(doc, "g", "define", "x", 0);
    SetTSCStringKey(doc, "g", "9lives", "x", 0);
    SetTSCStringKey(doc, "g", "ok", "kept", 0);
    SetTSCStringKey(doc, "g", "_Under_9", "kept", 0);
    testing::internal::CaptureStdout();
    int leftOut = 0;
    std::string text = doc->SavedText(&leftOut);
    std::string path = test::ScratchDir("tscnames") + "/names.tsc";
    EXPECT_EQ(SaveTSCFile(doc, path), -1);
    StreamPtr stream = CreateBankStream(CreateBank());
    EXPECT_EQ(SaveTSCFile(doc, *stream), -1);
    std::string printed = testing::internal::GetCapturedStdout();
    EXPECT_EQ(text, "g{\n\tok=\"kept\"\n\t_Under_9=\"kept\"\n}\n");
    EXPECT_EQ(leftOut, 5);
    EXPECT_NE(printed.find("player one"), std::string::npos);
    EXPECT_NE(printed.find("Zo\xC3\xAB"), std::string::npos);
    // What could be written was written.
    auto back = CreateTSCFile();
    LoadTSCFile(back, path);
    EXPECT_EQ(GetTSCStringKey(back, "g", "ok", 0), "kept");
    // Every name the reader takes is written, and such a save succeeds.
    auto plain = TscFromText("A_1{b2{_c=1}}\n");
    EXPECT_EQ(SaveTSCFile(plain, path), 0);
}

TEST(TscDocument, FailedLoadLeavesTheDocumentEmptyAndALaterLoadIsClean) {
    auto doc = TscFromText("#define v 3\nold{k=v}\n");
    EXPECT_THROW(doc->LoadFromText("#define w 4\nnew{k=1 @}\n"), TSCError);
    EXPECT_TRUE(doc->KeyList.empty());
    EXPECT_TRUE(doc->GroupList.empty());
    // No define, token or line count of an earlier load survives.
    try {
        doc->LoadFromText("x{k=v}\n");
        FAIL() << "a define of an earlier load was still known";
    } catch (const TSCError& e) {
        EXPECT_STREQ(e.what(), "ERROR: Unexpected token Ident at line 1, character 6");
    }
    doc->LoadFromText("fresh{a=1}\n");
    ASSERT_EQ(doc->KeyList.size(), 1u);
    EXPECT_EQ(doc->KeyList[0]->Path, "fresh");
    EXPECT_EQ(doc->GroupList.size(), 1u);
}

TEST(TscDocument, LoadingAFileReportsTheLexersOwnErrors) {
    // A player's document on disk, loaded as the profile store loads it, fails with exactly the
    // error that lexing the text alone gives: the first fault of the text, where it stands.
    const std::string dir = test::ScratchDir("tscerrors");
    struct Case {
        const char* text;
        const char* error;
    } cases[] = {
        {"/x", "ERROR: Unknown character ('x') at line 1, character 2"},
        {"x=1", "ERROR: Unexpected end of file at line 1, character 3"},
        {"a{k='\\\"'}\n", "ERROR: Unknown escape sequence ('\\\"') at line 1, character 7"},
        {"a{\n\tk=\"x\\'\"\n}\n", "ERROR: Unknown escape sequence ('\\'') at line 2, character 8"},
        {"a{k=\"\\q\" b='unclosed}\n", "ERROR: Unknown escape sequence ('\\q') at line 1, character 7"},
        {"a{k=1.5.2}\n", "ERROR: Multiple radix points found in floating point value at line 1, character 8"},
        {"} /x", "ERROR: Unknown character ('x') at line 1, character 4"}, // lexer faults come first
        {"a{k=1}\n}\n", "ERROR: Unexpected } at line 2, character 2"},     // a parse fault
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        std::string lexed = "no error";
        try {
            TTSCLexer().LexText(c.text);
        } catch (const TSCError& e) {
            lexed = e.what();
        }
        ASSERT_TRUE(SaveText(c.text, dir + "/player.dat"));
        auto doc = TscFromText("kept{k=1}\n");
        try {
            LoadTSCFile(doc, dir + "/player.dat");
            ADD_FAILURE() << "loaded";
        } catch (const TSCError& e) {
            EXPECT_STREQ(e.what(), c.error);
            if (lexed != "no error") {
                EXPECT_EQ(lexed, e.what());
            }
        }
        EXPECT_TRUE(doc->KeyList.empty());
    }
}

TEST(TscDocument, FilesSaveAtomicallyAndLoadBack) {
    std::string dir = test::ScratchDir("tscfile");
    std::string path = dir + "/options.tsc";
    auto doc = CreateTSCFile();
    CreateTSCGroup(doc, "", "Settings");
    SetTSCStringKey(doc, "Settings", "player", "Zo\xC3\xAB", 0);
    SetTSCNumberKey(doc, "Settings", "tiny", 0.00005f, 0);
    ASSERT_EQ(SaveTSCFile(doc, path), 0);
    // Characters below 256 are saved one byte each, without a byte-order mark.
    auto bytes = LoadBank(path);
    ASSERT_TRUE(bytes);
    EXPECT_EQ(bytes->bytes[0], 'S');
    EXPECT_NE(std::find(bytes->bytes.begin(), bytes->bytes.end(), 0xEB), bytes->bytes.end());

    auto back = CreateTSCFile();
    EXPECT_EQ(LoadTSCFile(back, path), 0);
    EXPECT_EQ(GetTSCStringKey(back, "Settings", "player", 0), "Zo\xC3\xAB");
    EXPECT_EQ(GetTSCNumberKey(back, "Settings", "tiny", 0), 0.00005f);

    // Above 255 the text goes out as UTF-16 with its mark, and still loads.
    SetTSCStringKey(doc, "Settings", "player", "\xC5\x81ucja", 0);
    ASSERT_EQ(SaveTSCFile(doc, path), 0);
    bytes = LoadBank(path);
    ASSERT_GE(bytes->bytes.size(), 2u);
    EXPECT_EQ(bytes->bytes[0], 0xFF);
    EXPECT_EQ(bytes->bytes[1], 0xFE);
    LoadTSCFile(back, path);
    EXPECT_EQ(GetTSCStringKey(back, "Settings", "player", 0), "\xC5\x81ucja");
    for (const DirEntry& e : ListDir(dir))
        EXPECT_EQ(e.name, "options.tsc") << "temporary file left behind";
}

TEST(TscDocument, SaveFailureIsReportedAndKeepsTheOldFile) {
    std::string dir = test::ScratchDir("tscfail");
    auto doc = TscFromText("a{k=1}\n");
    testing::internal::CaptureStdout();
    EXPECT_EQ(SaveTSCFile(doc, dir + "/no/such/folder/x.tsc"), -1);
    // A folder standing where the file should go cannot be replaced.
    ASSERT_TRUE(CreateDir(dir + "/taken"));
    EXPECT_EQ(SaveTSCFile(doc, dir + "/taken"), -1);
    std::string printed = testing::internal::GetCapturedStdout();
    EXPECT_NE(printed.find("no/such/folder/x.tsc"), std::string::npos);
    EXPECT_EQ(FileType(dir + "/taken"), FILETYPE_DIR);
}

TEST(TscDocument, DeeplyNestedGroupsSaveSmallEnoughToReadBackTheSame) {
    // Twenty chains nested as deep as the reader goes, a key at the bottom of each: a small text
    // whose saved form must not grow with the square of the depth.
    std::string text;
    for (int chain = 0; chain < 20; ++chain) {
        text += "c" + std::to_string(chain) + "{";
        for (int depth = 1; depth < TSC_MAX_DEPTH; ++depth)
            text += "g{";
        text += "k=" + std::to_string(chain);
        text += std::string(TSC_MAX_DEPTH, '}') + "\n";
    }
    auto doc = TscFromText(text);
    std::string dir = test::ScratchDir("tscdeep");
    ASSERT_EQ(SaveTSCFile(doc, dir + "/deep.dat"), 0);
    EXPECT_LT(FileSize(dir + "/deep.dat"), int64_t(4) << 20);

    auto back = CreateTSCFile();
    ASSERT_EQ(LoadTSCFile(back, dir + "/deep.dat"), 0);
    EXPECT_EQ(back->SavedText(), doc->SavedText());
    std::string deepest = "c7";
    for (int depth = 1; depth < TSC_MAX_DEPTH; ++depth)
        deepest += "::g";
    EXPECT_EQ(GetTSCNumberKey(back, deepest, "k", 0), 7.0f);
}

TEST(TscDocument, ASaveLargerThanTheReaderTakesIsRefusedAndKeepsTheOldFile) {
    // The saved form of a{x="..."} adds a line feed, a tab and the closing lines: 11 bytes
    // around the string.
    const size_t around = std::string("a{\n\tx=\"\"\n}\n").size();
    std::string dir = test::ScratchDir("tscnearlimit");
    const std::string path = dir + "/player.dat";
    for (int64_t savedSize : {MAX_DOCUMENT_BYTES, MAX_DOCUMENT_BYTES + 1}) {
        SCOPED_TRACE(savedSize);
        const std::string value(static_cast<size_t>(savedSize) - around, 'v');
        // Written on one line, the document itself is below the limit and reads.
        const std::string old = "a{x='" + value + "'}";
        ASSERT_LE(static_cast<int64_t>(old.size()), MAX_DOCUMENT_BYTES);
        ASSERT_TRUE(SaveText(old, path));
        auto doc = CreateTSCFile();
        ASSERT_EQ(LoadTSCFile(doc, path), 0);

        testing::internal::CaptureStdout();
        const int saved = SaveTSCFile(doc, path);
        const std::string printed = testing::internal::GetCapturedStdout();
        if (savedSize <= MAX_DOCUMENT_BYTES) {
            EXPECT_EQ(saved, 0);
            EXPECT_EQ(FileSize(path), savedSize);
            auto back = CreateTSCFile();
            ASSERT_EQ(LoadTSCFile(back, path), 0);
            EXPECT_EQ(GetTSCStringKey(back, "a", "x", 0).size(), value.size());
        } else {
            EXPECT_EQ(saved, -1);
            EXPECT_NE(printed.find("not saved"), std::string::npos) << printed;
            EXPECT_TRUE(LoadText(path).value_or("") == old) << "the old file is kept";
        }
        for (const DirEntry& e : ListDir(dir))
            EXPECT_EQ(e.name, "player.dat") << "temporary file left behind";
    }
}

TEST(TscDocument, UnreadableSourceThrowsTheErrorTextCallersCatch) {
    std::string dir = test::ScratchDir("tscunread");
    auto doc = TscFromText("a{k=1}\n");
    EXPECT_THROW(LoadTSCFile(doc, dir + "/vanished.tsc"), TSCError);
    EXPECT_TRUE(doc->KeyList.empty());
    EXPECT_THROW(LoadTSCFile(doc, dir), TSCError);
}

TEST(TscDocument, StreamsLoadAndSave) {
    auto doc = TscFromText("a{k='v'}\n");
    StreamPtr out = CreateBankStream(CreateBank());
    ASSERT_EQ(SaveTSCFile(doc, *out), 0);
    out->Seek(0);
    auto back = CreateTSCFile();
    LoadTSCFile(back, *out);
    EXPECT_EQ(GetTSCStringKey(back, "a", "k", 0), "v");
    // A UTF-16 stream with its mark decodes before lexing.
    std::vector<uint8_t> utf16 = {0xFF, 0xFE};
    for (char c : std::string("b{n=2}\n"))
        utf16.insert(utf16.end(), {static_cast<uint8_t>(c), 0});
    // U+0134 and U+0135 sit above 255; their low 8 bits are the digits 4 and 5.
    const uint8_t extra[] = {' ', 'm', '=', '\'', 0x34, 0x35, '\''};
    for (uint8_t c : extra)
        utf16.insert(utf16.end() - 4, {c, static_cast<uint8_t>(c == 0x34 || c == 0x35 ? 1 : 0)});
    StreamPtr in = CreateMemoryStream(utf16);
    LoadTSCFile(back, *in);
    EXPECT_EQ(GetTSCNumberKey(back, "b", "n", 0), 2.0f);
    EXPECT_EQ(GetTSCStringKey(back, "b", "m", 0), "\xC4\xB4\xC4\xB5");
    EXPECT_EQ(GetTSCNumberKey(back, "b", "m", 0), 45.0f);
}

} // namespace
} // namespace vsm
