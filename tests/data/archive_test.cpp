// Tests of the packed archives: unpacking, refusing damaged entries, the directory, the loader's
// reports, the packer's round trip and the archives the build makes from content/.
#include "data/BBArchive.h"

#include "BBWriter.h"
#include "platform/Files.h"
#include "platform/Headless.h"
#include "platform/System.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <random>

namespace vsm {
namespace {

using Bytes = std::vector<uint8_t>;

void Put32(Bytes& b, int32_t v) {
    for (int i = 0; i < 4; ++i)
        b.push_back(static_cast<uint8_t>(static_cast<uint32_t>(v) >> (8 * i)));
}

Bytes Str(const std::string& s) {
    return Bytes(s.begin(), s.end());
}

// Entry data: reserved bytes, pass count, block size, then the first pass's stream.
Bytes Entry(int passes, int32_t block, const Bytes& stream) {
    Bytes e = {0, 0, 0, 0, static_cast<uint8_t>(passes)};
    Put32(e, block);
    e.insert(e.end(), stream.begin(), stream.end());
    return e;
}

// A pass stream: the declared length, then the given body bytes.
Bytes Pass(int32_t declared, const Bytes& body) {
    Bytes s;
    Put32(s, declared);
    s.insert(s.end(), body.begin(), body.end());
    return s;
}

std::string Unpack(const Bytes& entry, std::string* why = nullptr) {
    Bytes out;
    if (!UnpackBBEntry(entry.data(), entry.size(), out, why)) return "(refused)";
    return std::string(out.begin(), out.end());
}

Bytes Archive(const std::vector<std::pair<std::string, std::string>>& docs) {
    std::vector<std::pair<std::string, Bytes>> entries;
    for (const auto& [name, text] : docs)
        entries.emplace_back(name, tools::PackEntry(Str(text)));
    return tools::BuildArchive(entries);
}

std::string WriteArchive(const std::string& dir, const std::string& file, const Bytes& bytes) {
    std::string path = dir + "/" + file;
    StreamPtr s = WriteFile(path);
    EXPECT_TRUE(s);
    WriteBytes(*s, bytes.data(), bytes.size());
    EXPECT_TRUE(CloseStream(s));
    return path;
}

TEST(BBUnpack, DecodesBlocksPatternsTailsAndPasses) {
    const uint8_t F = 9;
    Bytes inner = Pass(3, Str("xyz"));
    struct Case {
        const char* what;
        Bytes entry;
        std::string text;
    } cases[] = {
        {"length below the block size is all tail", Entry(1, 8, Pass(3, Str("abc"))), "abc"},
        {"flag 0 copies exactly one block", Entry(1, 4, Pass(4, Bytes{0, 'a', 'b', 'c', 'd'})), "abcd"},
        {"blocks then tail", Entry(1, 2, Pass(5, Bytes{0, 'a', 'b', 0, 'c', 'd', 'e'})), "abcde"},
        {"empty pattern makes flag codes produce nothing", Entry(1, 2, Pass(2, Bytes{F, 0, F, F, 'a', 'b'})),
         "ab"},
        {"pattern and plain codes", Entry(1, 6, Pass(6, Bytes{F, 2, 'o', 'k', F, '-', F, '!'})), "ok-ok!"},
        {"last pattern past the block is kept whole", Entry(1, 4, Pass(4, Bytes{F, 3, 'x', 'y', 'z', F, F})),
         "xyzxyz"},
        {"second pass reads its length from the first pass's output",
         Entry(2, 4, Pass(static_cast<int32_t>(inner.size()), Bytes{0, 3, 0, 0, 0, 'x', 'y', 'z'})), "xyz"},
        {"empty text", Entry(1, 16, Pass(0, {})), ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(Unpack(c.entry), c.text);
    }
}

TEST(BBUnpack, RefusesDamagedEntriesWithAReason) {
    const uint8_t F = 7;
    struct Case {
        const char* what;
        Bytes entry;
    } cases[] = {
        {"shorter than the header", Bytes{0, 0, 0, 0, 1, 4, 0}},
        {"no pass", Entry(0, 4, Pass(3, Str("abc")))},
        {"block size 0", Entry(1, 0, Pass(3, Str("abc")))},
        {"negative block size", Entry(1, -5, Pass(3, Str("abc")))},
        {"stream shorter than its length field", Entry(1, 4, Bytes{3, 0})},
        {"negative length", Entry(1, 4, Pass(-1, Str("abc")))},
        {"length over the cap", Entry(1, 4, Pass(static_cast<int32_t>(BB_MAX_OUTPUT + 1), Str("abc")))},
        {"stored block cut short", Entry(1, 4, Pass(4, Bytes{0, 'a', 'b'}))},
        {"missing block flag", Entry(1, 4, Pass(8, Bytes{0, 'a', 'b', 'c', 'd'}))},
        {"pattern cut short", Entry(1, 4, Pass(4, Bytes{F, 5, 'a', 'b'}))},
        {"pattern longer than 127", Entry(1, 4, Pass(4, Bytes{F, 200, 'a'}))},
        {"empty pattern never completes the block", Entry(1, 4, Pass(4, Bytes{F, 0, F, F, F, F, F, F}))},
        {"codes end early", Entry(1, 4, Pass(4, Bytes{F, 1, 'a', F, 'b'}))},
        {"tail cut short", Entry(1, 8, Pass(5, Str("ab")))},
        {"second pass has no length", Entry(2, 4, Pass(2, Str("ab")))},
        {"second pass cut short", Entry(2, 8, Pass(5, Bytes{9, 0, 0, 0, 'x'}))},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::string why;
        EXPECT_EQ(Unpack(c.entry, &why), "(refused)");
        EXPECT_FALSE(why.empty());
    }
}

TEST(BBUnpack, OutputIsCappedWhilePatternsMultiply) {
    // One block as large as the cap, filled by 127-byte patterns from about half a megabyte.
    const uint8_t F = 1;
    const int32_t block = static_cast<int32_t>(BB_MAX_OUTPUT);
    Bytes body = {F, 127};
    body.insert(body.end(), 127, 'p');
    body.insert(body.end(), static_cast<size_t>(BB_MAX_OUTPUT / 127 + 2), F);
    std::string why;
    EXPECT_EQ(Unpack(Entry(1, block, Pass(block, body)), &why), "(refused)");
    EXPECT_NE(why.find("cap"), std::string::npos);
}

TEST(BBPacker, RoundTripsAndCompresses) {
    std::mt19937 gen(3);
    std::string random;
    for (int i = 0; i < 5000; ++i)
        random += static_cast<char>(gen() & 0xFF);
    std::string everyByte;
    for (int i = 0; i < 256 * 3; ++i)
        everyByte += static_cast<char>(i & 0xFF);
    std::string level = "Board{\n";
    for (int y = 0; y < 15; ++y)
        level += "\tLine" + std::to_string(y) + "=\"1 1 1 1 1 0 0 0 0 0 1 1 1 1 1\"\n";
    level += "}\n";
    const std::string texts[] = {"", "a", "a{k=1}\n", level, random, everyByte, std::string(100000, 'z')};
    for (const std::string& text : texts) {
        SCOPED_TRACE(text.size());
        Bytes entry = tools::PackEntry(Str(text));
        EXPECT_GE(entry[4], 1);
        EXPECT_EQ(Unpack(entry), text);
    }
    EXPECT_LT(tools::PackEntry(Str(level)).size(), level.size() / 2);
    // A long run needs more than one pass to shrink well, and gets it.
    Bytes run = tools::PackEntry(Str(std::string(100000, 'z')));
    EXPECT_GT(run[4], 1);
    EXPECT_LT(run.size(), 2000u);
}

class BBArchiveTest : public testing::Test {
  protected:
    void SetUp() override {
        control = &UseHeadlessBackend();
        dir = test::ScratchDir("bca");
    }
    HeadlessBackendControl* control = nullptr;
    std::string dir;
};

TEST_F(BBArchiveTest, FindsEntriesByNameIgnoringAsciiCase) {
    std::string path = WriteArchive(
        dir, "a.bca",
        Archive({{"davar.tsc.bbc", "d{n=1}\n"}, {"DAVAR.TSC.bbc", "d{n=2}\n"}, {"bare.tsc", "d{n=3}\n"}}));
    auto doc = CreateTSCFile();
    EXPECT_EQ(LoadTSCFileBB(doc, path, "Davar.TSC"), 1);
    EXPECT_EQ(GetTSCNumberKey(doc, "d", "n", 0), 1.0f);
    EXPECT_EQ(BBFileExist(path, "davar.tsc"), 1);
    // An entry stored without ".bbc" is not found; the document is then untouched.
    EXPECT_EQ(LoadTSCFileBB(doc, path, "bare.tsc"), 0);
    EXPECT_EQ(BBFileExist(path, "bare.tsc"), 0);
    EXPECT_EQ(GetTSCNumberKey(doc, "d", "n", 0), 1.0f);
    EXPECT_TRUE(control->notifications.empty());
}

TEST_F(BBArchiveTest, EmptyOrForeignFilesHoldNothing) {
    std::string empty = WriteArchive(dir, "empty.bca", tools::BuildArchive({}));
    Bytes zip = Str("PK\x03\x04 not an archive");
    std::string foreign = WriteArchive(dir, "foreign.bca", zip);
    std::string tiny = WriteArchive(dir, "tiny.bca", Bytes{'B'});
    auto doc = CreateTSCFile();
    for (const std::string& path : {empty, foreign, tiny}) {
        SCOPED_TRACE(path);
        EXPECT_EQ(LoadTSCFileBB(doc, path, "pack.txt"), 0);
        EXPECT_EQ(BBFileExist(path, "pack.txt"), 0);
    }
    EXPECT_TRUE(control->notifications.empty());
}

TEST_F(BBArchiveTest, DamagedDirectoryIsRefusedWithADiagnostic) {
    Bytes negativeName = {'B', 'C', 'A', 0};
    Put32(negativeName, 1);
    Put32(negativeName, -4);
    Bytes hugeData = {'B', 'C', 'A', 0};
    Put32(hugeData, 2);
    Put32(hugeData, 1);
    hugeData.push_back('x');
    Put32(hugeData, 0x7FFFFFFF);
    Bytes shortCount = {'B', 'C', 'A', 0, 1};
    Bytes damagedEntry = tools::BuildArchive({{"x.tsc.bbc", Entry(0, 4, Pass(1, Str("a")))}});
    for (const Bytes& bytes : {negativeName, hugeData, shortCount, damagedEntry}) {
        std::string path = WriteArchive(dir, "damaged.bca", bytes);
        auto doc = CreateTSCFile();
        testing::internal::CaptureStdout();
        EXPECT_EQ(LoadTSCFileBB(doc, path, "x.tsc"), 0);
        std::string out = testing::internal::GetCapturedStdout();
        EXPECT_NE(out.find("damaged.bca"), std::string::npos) << out;
        EXPECT_EQ(BBFileExist(path, "y.tsc"), 0);
    }
}

TEST_F(BBArchiveTest, FaultyTextIsNotifiedAndLeavesTheDocumentEmpty) {
    std::string path = WriteArchive(dir, "bad.bca", Archive({{"bad.tsc.bbc", "g{k=1 @}\n"}}));
    auto doc = CreateTSCFile();
    doc->LoadFromText("old{k=1}\n");
    EXPECT_EQ(LoadTSCFileBB(doc, path, "bad.tsc"), 0);
    ASSERT_EQ(control->notifications.size(), 1u);
    EXPECT_EQ(control->notifications[0],
              "Final BBError: ERROR: Unknown character ('@') at line 1, character 7");
    EXPECT_TRUE(doc->KeyList.empty());
}

TEST_F(BBArchiveTest, MissingArchiveIsFatalForTheLoaderOnly) {
    std::string path = dir + "/gone.bca";
    EXPECT_EQ(BBFileExist(path, "pack.txt"), 0);
    auto doc = CreateTSCFile();
    testing::internal::CaptureStderr();
    try {
        LoadTSCFileBB(doc, path, "davar.tsc");
        ADD_FAILURE() << "a missing archive did not end the program";
    } catch (const ProgramEnd& e) {
        EXPECT_EQ(e.error, ".BCA ArchiveFile not Found: " + path);
        EXPECT_NE(e.exitCode, 0);
    }
    testing::internal::GetCapturedStderr();
}

TEST_F(BBArchiveTest, CheckLPFilesWantsTheMarkerInAllFive) {
    std::string res = dir + "/res/";
    ASSERT_TRUE(CreateDir(res + "data", true));
    for (const char* archive : LP_ARCHIVES)
        WriteArchive(res, archive, Archive({{"doc.tsc.bbc", "a{b=1}\n"}, {"PACK.TXT.bbc", "x"}}));
    EXPECT_EQ(CheckLPFiles(res), 1);
    WriteArchive(res, LP_ARCHIVES[2], Archive({{"doc.tsc.bbc", "a{b=1}\n"}}));
    EXPECT_EQ(CheckLPFiles(res), 0);
    ASSERT_TRUE(DeleteFile(res + LP_ARCHIVES[2]));
    EXPECT_EQ(CheckLPFiles(res), 0);
    EXPECT_TRUE(control->notifications.empty());
}

TEST_F(BBArchiveTest, BuiltArchivesHoldEveryContentDocument) {
    const std::string res = test::ResourcesDir();
    ASSERT_EQ(CheckLPFiles(res), 1) << "archives missing or without pack.txt under " << res;
    int documents = 0;
    for (const char* archive : LP_ARCHIVES) {
        std::string folder = test::SourceDir() + "/content/" + StripAll(archive);
        for (const DirEntry& e : ListDir(folder)) {
            if (e.type != FILETYPE_FILE || ExtractExt(e.name) != "tsc") continue;
            SCOPED_TRACE(std::string(archive) + " " + e.name);
            auto packed = CreateTSCFile();
            auto plain = CreateTSCFile();
            ASSERT_EQ(LoadTSCFileBB(packed, res + archive, e.name), 1);
            LoadTSCFile(plain, folder + "/" + e.name);
            EXPECT_EQ(packed->SavedText(), plain->SavedText());
            ++documents;
        }
    }
    EXPECT_GE(documents, 5);
    EXPECT_TRUE(control->notifications.empty());
}

TEST(BBSingleFile, OffsetIsTheLeadingNonNegativeInteger) {
    struct Case {
        const char* text;
        int64_t offset;
    } cases[] = {
        {"Important! - Do not change this Line, its used for SingleFile-Creation!", 0},
        {"1234", 1234},
        {"  +77 and text", 77},
        {"-5", 0},
        {"", 0},
        {"99999999999999999999999", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ParseSingleFileOffset(c.text), c.offset);
    }
    EXPECT_EQ(SingleFileOffset(), 0);
}

TEST(BBSingleFile, BufferHelpersStayInside) {
    Bytes src = Str("hello");
    EXPECT_EQ(peekbyte2(src, 1), 'e');
    EXPECT_EQ(peekbyte2(src, 5), 0);
    EXPECT_EQ(peekbyte2(src, -1), 0);
    Bytes dst;
    EXPECT_EQ(copyBank2(src, 1, dst, 2, 3), 0);
    EXPECT_EQ(dst, (Bytes{0, 0, 'e', 'l', 'l'}));
    EXPECT_EQ(copyBank2(src, 3, dst, 0, 3), -1);
    EXPECT_EQ(copyBank2(src, -1, dst, 0, 1), -1);
}

} // namespace
} // namespace vsm
