// Files: folders, renames, path pieces, banks, streams and whole texts with their byte-order marks.
#include "platform/Files.h"

#include "platform/Audio.h"
#include "platform/Graphics.h"
#include "platform/System.h"
#include "support/TestSupport.h"
#include "support/WatchedPipe.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>

namespace vsm {
namespace {

std::vector<uint8_t> Bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

void Put(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// Text table: the stored bytes and the UTF-8 text they stand for.
struct TextCase {
    const char* name;
    std::vector<uint8_t> bytes;
    std::string text;
};

std::vector<TextCase> LoadCases() {
    return {
        {"utf16 be",
         {0xFE, 0xFF, 0x00, 'A', 0x01, 0x41, 0xD8, 0x3D, 0xDE, 0x00},
         "A\xC5\x81\xF0\x9F\x98\x80"},
        {"utf16 le",
         {0xFF, 0xFE, 'A', 0x00, 0x41, 0x01, 0x3D, 0xD8, 0x00, 0xDE},
         "A\xC5\x81\xF0\x9F\x98\x80"},
        {"utf8", {0xEF, 0xBB, 0xBF, 'a', 0xC5, 0x81}, "a\xC5\x81"},
        {"latin1", {'a', 0xE9, 0xFF, 'z'}, "a\xC3\xA9\xC3\xBFz"},
        {"empty", {}, ""},
        {"utf16 odd tail dropped", {0xFF, 0xFE, 'A', 0x00, 'B'}, "A"},
        {"utf16 lone surrogate",
         {0xFF, 0xFE, 0x3D, 0xD8, 'A', 0x00},
         "\xEF\xBF\xBD"
         "A"},
        {"utf8 broken sequence",
         {0xEF, 0xBB, 0xBF, 'a', 0xC5, 'b'},
         "a\xEF\xBF\xBD"
         "b"},
        {"lone FE is latin1", {0xFE, 'x'}, "\xC3\xBEx"},
    };
}

TEST(Text, LoadTextDecodesByByteOrderMark) {
    std::string dir = test::ScratchDir("text");
    for (const TextCase& c : LoadCases()) {
        SCOPED_TRACE(c.name);
        Put(dir + "/t.txt", c.bytes);
        std::optional<std::string> text = LoadText(dir + "/t.txt");
        ASSERT_TRUE(text.has_value());
        EXPECT_EQ(*text, c.text);
    }
    EXPECT_FALSE(LoadText(dir + "/missing.txt").has_value());
}

TEST(Text, SaveTextPicksLatin1OrUtf16LittleEndian) {
    std::string dir = test::ScratchDir("text");
    struct Case {
        const char* name;
        std::string text;
        std::vector<uint8_t> bytes;
    } cases[] = {
        {"ascii", "Key=1\n", {'K', 'e', 'y', '=', '1', '\n'}},
        {"latin1 stays one byte", "\xC3\xA9\xC3\xBF", {0xE9, 0xFF}},
        {"beyond 255", "a\xC5\x81", {0xFF, 0xFE, 'a', 0x00, 0x41, 0x01}},
        {"astral pair", "\xF0\x9F\x98\x80", {0xFF, 0xFE, 0x3D, 0xD8, 0x00, 0xDE}},
        {"empty", "", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(SaveText(c.text, dir + "/s.txt"));
        EXPECT_EQ(Bytes(dir + "/s.txt"), c.bytes);
        EXPECT_EQ(LoadText(dir + "/s.txt").value_or("<none>"), c.text);
    }
}

TEST(Text, InterruptedSaveLeavesTheOldFileAndNoTemporary) {
    std::string dir = test::ScratchDir("text");
    ASSERT_TRUE(SaveText("old contents", dir + "/profile.dat"));
    std::string seen;
    SetSaveInterruptHook([&](const std::string& path) {
        seen = path;
        return false;
    });
    EXPECT_FALSE(SaveText("new contents that never land", dir + "/profile.dat"));
    SetSaveInterruptHook(nullptr);
    EXPECT_EQ(seen, dir + "/profile.dat");
    EXPECT_EQ(LoadText(dir + "/profile.dat").value_or(""), "old contents");
    std::vector<DirEntry> left = ListDir(dir);
    ASSERT_EQ(left.size(), 1u);
    EXPECT_EQ(left[0].name, "profile.dat");

    // A write stream dropped without closing (an error unwound past it) also changes nothing.
    {
        StreamPtr s = WriteFile(dir + "/profile.dat");
        ASSERT_TRUE(s);
        WriteString(*s, "half");
    }
    EXPECT_EQ(LoadText(dir + "/profile.dat").value_or(""), "old contents");
    EXPECT_EQ(ListDir(dir).size(), 1u);
}

TEST(Files, OnlyTheSavesOwnStaleTemporaryFilesAreRemoved) {
    std::string dir = test::ScratchDir("staletemps");
    // What a save cut short leaves is exactly what WriteFile names its temporary file.
    StreamPtr cut = WriteFile(dir + "/options.tsc");
    ASSERT_TRUE(cut);
    std::string made;
    for (const DirEntry& e : ListDir(dir))
        made = e.name;
    struct Case {
        std::string name;
        bool removed;
    };
    const Case cases[] = {
        {made, true},
        {".options.tsc.tmp-AbC123", true},
        {".ann.dat.tmp-zz09ZZ", true},
        {"..ann.dat.new.tmp-q1w2e3", true}, // the temporary file of a profile's creation
        {".x.tmp-XXXXXX", true},
        {"ann.dat", false},
        {"options.tsc.tmp-AbC123", false}, // no leading dot
        {".tmp-AbC123", false},            // no target name
        {".x.tmp-AbC12", false},           // five random characters
        {".x.tmp-AbC1234", false},         // seven
        {".x.tmp-AbC12_", false},
        {".x.tmp-AbC12.", false},
        {".x.TMP-AbC123", false},
        {".x.tmp_AbC123", false},
        {".ann.dat.new", false},
        {"notes.txt", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(IsSaveTempName(c.name), c.removed);
        if (c.name != made) Put(dir + "/" + c.name, {'x'});
    }
    // Names of the form that are no regular files are not the game's.
    ASSERT_TRUE(CreateDir(dir + "/.folder.tmp-AbC123"));
    std::filesystem::create_symlink(dir + "/ann.dat", dir + "/.link.tmp-AbC123");
    // The stream is dropped the way a kill drops it: its file stays.
    cut.reset();
    Put(dir + "/" + made, {'x'});

    EXPECT_EQ(RemoveStaleSaveTemps(dir), 5);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(FileType(dir + "/" + c.name) == FILETYPE_NONE, c.removed);
    }
    EXPECT_EQ(FileType(dir + "/.folder.tmp-AbC123"), FILETYPE_DIR);
    EXPECT_TRUE(std::filesystem::is_symlink(dir + "/.link.tmp-AbC123"));
    EXPECT_EQ(RemoveStaleSaveTemps(dir + "/missing"), 0);
}

TEST(Files, FaultHookFailsEachOperationWithoutTouchingTheDisk) {
    std::string dir = test::ScratchDir("files");
    ASSERT_TRUE(SaveText("kept", dir + "/a.txt"));
    std::vector<std::pair<FileOp, std::string>> asked;
    SetFileFaultHook([&](FileOp op, const std::string& path) {
        asked.push_back({op, path});
        return false;
    });
    EXPECT_FALSE(RenameFile(dir + "/a.txt", dir + "/b.txt"));
    EXPECT_FALSE(DeleteFile(dir + "/a.txt"));
    EXPECT_FALSE(CreateDir(dir + "/sub"));
    EXPECT_FALSE(SaveText("lost", dir + "/a.txt"));
    EXPECT_FALSE(CreateFile(dir + "/c.txt"));
    SetFileFaultHook(nullptr);
    EXPECT_EQ(asked, (std::vector<std::pair<FileOp, std::string>>{{FileOp::Rename, dir + "/a.txt"},
                                                                  {FileOp::Delete, dir + "/a.txt"},
                                                                  {FileOp::CreateDir, dir + "/sub"},
                                                                  {FileOp::Write, dir + "/a.txt"},
                                                                  {FileOp::Write, dir + "/c.txt"}}));
    EXPECT_EQ(LoadText(dir + "/a.txt").value_or(""), "kept");
    std::vector<DirEntry> left = ListDir(dir);
    ASSERT_EQ(left.size(), 1u);
    EXPECT_EQ(left[0].name, "a.txt");
    // Cleared, every operation works again.
    EXPECT_TRUE(RenameFile(dir + "/a.txt", dir + "/b.txt"));
}

TEST(Text, SaveIntoAMissingFolderFails) {
    std::string dir = test::ScratchDir("text");
    EXPECT_FALSE(SaveText("x", dir + "/nope/file.txt"));
    EXPECT_FALSE(SaveText("x", dir)); // a folder is not replaced by a file
    EXPECT_EQ(FileType(dir), FILETYPE_DIR);
}

TEST(Files, FoldersAreListedSortedByName) {
    std::string dir = test::ScratchDir("files");
    for (const char* name : {"b.txt", "a.txt", "C.txt", "_x"})
        ASSERT_TRUE(CreateFile(dir + "/" + name));
    ASSERT_TRUE(CreateDir(dir + "/m"));
    DirHandle h = ReadDir(dir);
    ASSERT_TRUE(h);
    std::vector<std::string> names;
    for (std::string n = NextFile(h); !n.empty(); n = NextFile(h))
        names.push_back(n);
    CloseDir(h);
    EXPECT_EQ(names, (std::vector<std::string>{".", "..", "C.txt", "_x", "a.txt", "b.txt", "m"}));
    EXPECT_EQ(NextFile(h), "");
    std::vector<DirEntry> entries = ListDir(dir);
    ASSERT_EQ(entries.size(), 5u);
    EXPECT_EQ(entries[4].name, "m");
    EXPECT_EQ(entries[4].type, FILETYPE_DIR);
    EXPECT_EQ(entries[0].type, FILETYPE_FILE);
    EXPECT_FALSE(ReadDir(dir + "/none"));
    EXPECT_FALSE(ReadDir(dir + "/a.txt"));
    EXPECT_TRUE(ListDir(dir + "/none").empty());
}

TEST(Files, TypesSizesAndBackslashes) {
    std::string dir = test::ScratchDir("files");
    Put(dir + "/five.bin", {1, 2, 3, 4, 5});
    ASSERT_TRUE(CreateDir(dir + "/sub"));
    EXPECT_EQ(FileType(dir + "/five.bin"), FILETYPE_FILE);
    EXPECT_EQ(FileType(dir + "\\five.bin"), FILETYPE_FILE);
    EXPECT_EQ(FileType(dir + "/sub"), FILETYPE_DIR);
    EXPECT_EQ(FileType(dir + "/none"), FILETYPE_NONE);
    EXPECT_EQ(FileType(""), FILETYPE_NONE);
    EXPECT_EQ(FileType(dir + "/FIVE.BIN"), FILETYPE_NONE); // names are case-sensitive
    EXPECT_EQ(FileSize(dir + "\\five.bin"), 5);
    EXPECT_EQ(FileSize(dir + "/none"), -1);
    EXPECT_EQ(FixPath("gfx\\gui\\a.png"), "gfx/gui/a.png");
}

TEST(Files, CreateAndDeleteReportTheirResults) {
    std::string dir = test::ScratchDir("files");
    EXPECT_FALSE(CreateDir(dir + "/a/b/c"));
    EXPECT_TRUE(CreateDir(dir + "/a/b/c", true));
    EXPECT_TRUE(CreateDir(dir + "/a")); // already there
    ASSERT_TRUE(CreateFile(dir + "/a/b/c/f"));
    EXPECT_FALSE(DeleteDir(dir + "/a"));       // not empty
    EXPECT_FALSE(DeleteDir(dir + "/a/b/c/f")); // not a folder
    EXPECT_FALSE(DeleteFile(dir + "/a"));      // not a file
    EXPECT_TRUE(DeleteFile(dir + "/a/b/c/f"));
    EXPECT_FALSE(DeleteFile(dir + "/a/b/c/f"));
    EXPECT_TRUE(DeleteDir(dir + "/a", true));
    EXPECT_EQ(FileType(dir + "/a"), FILETYPE_NONE);
}

TEST(Files, RenameRefusesToReplaceUnlessAsked) {
    std::string dir = test::ScratchDir("files");
    ASSERT_TRUE(SaveText("one", dir + "/one.txt"));
    ASSERT_TRUE(SaveText("two", dir + "/two.txt"));
    EXPECT_FALSE(RenameFile(dir + "/one.txt", dir + "/two.txt"));
    EXPECT_EQ(LoadText(dir + "/two.txt").value_or(""), "two");
    EXPECT_EQ(LoadText(dir + "/one.txt").value_or(""), "one");
    EXPECT_TRUE(RenameFile(dir + "/one.txt", dir + "/two.txt", true));
    EXPECT_EQ(LoadText(dir + "/two.txt").value_or(""), "one");
    EXPECT_EQ(FileType(dir + "/one.txt"), FILETYPE_NONE);
    EXPECT_TRUE(RenameFile(dir + "\\two.txt", dir + "/three.txt"));
    EXPECT_FALSE(RenameFile(dir + "/missing.txt", dir + "/four.txt"));
    EXPECT_TRUE(CopyFile(dir + "/three.txt", dir + "/copy.txt"));
    EXPECT_EQ(LoadText(dir + "/copy.txt").value_or(""), "one");
}

TEST(Files, PathPieces) {
    struct Case {
        const char* path;
        const char *ext, *dir, *name, *noExt, *bare;
    } cases[] = {
        {"a/b.png", "png", "a", "b.png", "a/b", "b"},
        {"gfx\\title\\galeria.jp2", "jp2", "gfx/title", "galeria.jp2", "gfx/title/galeria", "galeria"},
        {"plain", "", "", "plain", "plain", "plain"},
        {"dir.d/file", "", "dir.d", "file", "dir.d/file", "file"},
        {"/abs/x.tar.gz", "gz", "/abs", "x.tar.gz", "/abs/x.tar", "x.tar"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(ExtractExt(c.path), c.ext);
        EXPECT_EQ(ExtractDir(c.path), c.dir);
        EXPECT_EQ(StripDir(c.path), c.name);
        EXPECT_EQ(StripExt(c.path), c.noExt);
        EXPECT_EQ(StripAll(c.path), c.bare);
    }
}

TEST(Files, RelativePathsThatLeaveTheirFolder) {
    for (const char* inside : {"gfx/slides/n-01.jpg", "a/../b.png", "./a", "a//b", "", "a/.."}) {
        SCOPED_TRACE(inside);
        EXPECT_TRUE(StaysInside(inside));
    }
    for (const char* outside : {"/dev/zero", "..", "../x", "a/../../x", "gfx\\..\\..\\x", "\\abs"}) {
        SCOPED_TRACE(outside);
        EXPECT_FALSE(StaysInside(outside));
    }
}

TEST(Files, HomeAndExecutable) {
    std::string home = HomeDir();
    EXPECT_FALSE(home.empty());
    EXPECT_NE(home.back(), '/');
    EXPECT_EQ(FileType(AppFile()), FILETYPE_FILE);
    EXPECT_EQ(StripDir(AppFile()), "tests_platform");
    EXPECT_EQ(FileType(AppDir()), FILETYPE_DIR);
}

TEST(Banks, PeekPokeAreLittleEndianAndRangeChecked) {
    BankPtr b = CreateBank(8);
    PokeInt(b, 0, 0x11223344);
    PokeInt(b, 4, -2);
    EXPECT_EQ(PeekByte(b, 0), 0x44);
    EXPECT_EQ(PeekByte(b, 3), 0x11);
    EXPECT_EQ(PeekInt(b, 0), 0x11223344);
    EXPECT_EQ(PeekInt(b, 4), -2);
    EXPECT_EQ(PeekByte(b, 7), 0xFF);
    // Outside the bank: reads give 0, writes do nothing.
    EXPECT_EQ(PeekByte(b, 8), 0);
    EXPECT_EQ(PeekInt(b, 5), 0);
    EXPECT_EQ(PeekInt(b, SIZE_MAX - 1), 0);
    PokeInt(b, 6, 7);
    PokeByte(b, 8, 1);
    EXPECT_EQ(PeekInt(b, 4), -2);
    EXPECT_EQ(BankSize(b), 8u);
    ResizeBank(b, 10);
    EXPECT_EQ(BankSize(b), 10u);
    EXPECT_EQ(PeekByte(b, 9), 0);
    EXPECT_EQ(PeekInt(nullptr, 0), 0);
}

TEST(Banks, CopyBankChecksBothRanges) {
    BankPtr a = CreateBank(4), b = CreateBank(6);
    for (int i = 0; i < 4; i++)
        PokeByte(a, i, i + 1);
    EXPECT_TRUE(CopyBank(a, 1, b, 2, 3));
    EXPECT_EQ(b->bytes, (std::vector<uint8_t>{0, 0, 2, 3, 4, 0}));
    EXPECT_FALSE(CopyBank(a, 2, b, 0, 3)); // source too short
    EXPECT_FALSE(CopyBank(a, 0, b, 4, 3)); // target too short
    EXPECT_FALSE(CopyBank(a, SIZE_MAX, b, 0, 2));
    EXPECT_EQ(b->bytes, (std::vector<uint8_t>{0, 0, 2, 3, 4, 0}));
    EXPECT_TRUE(CopyBank(a, 0, a, 1, 3)); // overlapping copy within one bank
    EXPECT_EQ(a->bytes, (std::vector<uint8_t>{1, 1, 2, 3}));
}

TEST(Streams, IntegersAreLittleEndianAndReadsPastTheEndGiveZero) {
    StreamPtr s =
        CreateMemoryStream({0x78, 0x56, 0x34, 0x12, 0xFE, 0xFF, 0x07, 'h', 'i', '\r', '\n', 'x', 9});
    EXPECT_EQ(ReadInt(*s), 0x12345678);
    EXPECT_EQ(ReadShort(*s), 0xFFFE);
    EXPECT_EQ(ReadByte(*s), 7);
    EXPECT_EQ(ReadLine(*s), "hi");
    EXPECT_FALSE(Eof(*s));
    SkipBytes(*s, 1);
    EXPECT_EQ(ReadInt(*s), 0); // only one byte was left
    EXPECT_TRUE(Eof(*s));
    EXPECT_EQ(ReadByte(*s), 0);
    EXPECT_EQ(ReadString(*s, 5), "");
    s->Seek(4);
    EXPECT_EQ(ReadString(*s, 2), "\xFE\xFF");
    SkipBytes(*s, 1000);
    EXPECT_TRUE(Eof(*s));
}

TEST(Streams, BankStreamWritesGrowTheSharedBank) {
    BankPtr bank = CreateBank(2);
    StreamPtr s = CreateBankStream(bank);
    SkipBytes(*s, 1);
    WriteInt(*s, -1);
    WriteFloat(*s, 1.5f);
    WriteLine(*s, "ok");
    EXPECT_EQ(BankSize(bank), 1u + 4 + 4 + 3);
    EXPECT_EQ(PeekInt(bank, 1), -1);
    s->Seek(5);
    EXPECT_EQ(ReadFloat(*s), 1.5f);
    EXPECT_EQ(ReadLine(*s), "ok");
    EXPECT_TRUE(Eof(*s));
    EXPECT_FALSE(CreateBankStream(nullptr));
}

TEST(Streams, FileStreamsRoundTripAndMissingFilesGiveNull) {
    std::string dir = test::ScratchDir("streams");
    StreamPtr w = WriteFile(dir + "\\data.bin");
    ASSERT_TRUE(w);
    WriteInt(*w, 42);
    WriteShort(*w, 0xBEEF);
    WriteString(*w, "tail");
    EXPECT_EQ(FileType(dir + "/data.bin"), FILETYPE_NONE); // not there until closed
    EXPECT_TRUE(CloseStream(w));
    EXPECT_EQ(FileSize(dir + "/data.bin"), 10);
    StreamPtr r = ReadFile(dir + "/data.bin");
    ASSERT_TRUE(r);
    EXPECT_EQ(r->Size(), 10);
    EXPECT_EQ(ReadInt(*r), 42);
    EXPECT_EQ(ReadShort(*r), 0xBEEF);
    EXPECT_EQ(ReadAll(*r), (std::vector<uint8_t>{'t', 'a', 'i', 'l'}));
    EXPECT_TRUE(Eof(*r));
    EXPECT_EQ(r->Write("x", 1), 0u);
    EXPECT_FALSE(ReadFile(dir + "/none.bin"));
    EXPECT_FALSE(ReadFile(dir));
    BankPtr bank = LoadBank(dir + "/data.bin");
    ASSERT_TRUE(bank);
    EXPECT_EQ(PeekInt(bank, 0), 42);
    EXPECT_FALSE(LoadBank(dir + "/none.bin"));
}

// The lines printed while f runs.
std::vector<std::string> PrintedBy(const std::function<void()>& f) {
    std::vector<std::string> lines;
    SetPrintListener([&](const std::string& line) { lines.push_back(line); });
    f();
    SetPrintListener(nullptr);
    return lines;
}

bool Mentions(const std::vector<std::string>& lines, const std::string& what) {
    for (const std::string& line : lines)
        if (line.find(what) != std::string::npos) return true;
    return false;
}

TEST(Files, WholeReadsTakeNoPipeDeviceOrFolder) {
    const std::string dir = test::ScratchDir("kinds");
    test::WatchedPipe pipe(dir + "/options.tsc");
    for (const std::string& path : {dir + "/options.tsc", std::string("/dev/zero"), dir}) {
        SCOPED_TRACE(path);
        EXPECT_FALSE(ReadFile(path));
        std::vector<std::string> lines = PrintedBy([&] {
            EXPECT_FALSE(LoadText(path).has_value());
            EXPECT_FALSE(LoadPixmap(path));
            EXPECT_FALSE(LoadSound(path));
        });
        ASSERT_EQ(lines.size(), 3u);
        EXPECT_EQ(lines[0], path + " is not a regular file; not read");
    }
    // Opening a pipe for reading waits for a writer, perhaps for ever: it is never opened.
    EXPECT_FALSE(pipe.Opened());
}

TEST(Files, WholeReadsStopAtTheirLimit) {
    const std::string dir = test::ScratchDir("limits");
    Put(dir + "/ten.txt", std::vector<uint8_t>(10, 'x'));
    EXPECT_EQ(LoadFileBytes(dir + "/ten.txt", 10), std::vector<uint8_t>(10, 'x'));
    std::vector<std::string> lines = PrintedBy([&] { EXPECT_FALSE(LoadFileBytes(dir + "/ten.txt", 9)); });
    EXPECT_EQ(lines, std::vector<std::string>{dir + "/ten.txt is larger than 9 bytes; not read"});
    EXPECT_FALSE(LoadFileBytes(dir + "/missing.txt", 10)); // nothing there: silently nothing

    // A huge file (sparse, so it takes no room) is refused unread by the document and picture
    // readers alike.
    const std::string huge = dir + "/huge.png";
    { std::ofstream(huge, std::ios::binary); }
    std::filesystem::resize_file(huge, uintmax_t(8) << 30);
    lines = PrintedBy([&] {
        EXPECT_FALSE(LoadPixmap(huge));
        EXPECT_FALSE(LoadText(huge).has_value());
    });
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_TRUE(Mentions(lines, huge + " is larger than " + std::to_string(MAX_PICTURE_BYTES)));
    EXPECT_TRUE(Mentions(lines, huge + " is larger than " + std::to_string(MAX_DOCUMENT_BYTES)));
}

} // namespace
} // namespace vsm
