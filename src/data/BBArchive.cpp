// BBArchive: reading TSC documents out of the packed ".bca" data archives.
#include "data/BBArchive.h"

#include "platform/Files.h"
#include "platform/System.h"

#include <algorithm>
#include <cstring>
#include <iostream>

namespace vsm {

const char* const LP_ARCHIVES[5] = {"data/settings_lp.bca", "data/davar_levels_lp.bca",
                                    "data/puzzle_levels_lp.bca", "data/ring_levels_lp.bca",
                                    "data/popups_lp.bca"};

// The packaging step overwrites this text in the built executable with the decimal offset of an
// appended archive; it must stay a writable array with external linkage so that the compiler
// keeps its bytes and reads them at run time.
extern char vsmSingleFileMarker[72];
char vsmSingleFileMarker[72] = "Important! - Do not change this Line, its used for SingleFile-Creation!";

namespace {

constexpr int32_t kMagic = 0x00414342; // "BCA\0" read little-endian

uint32_t Le32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

bool NameMatches(const std::string& stored, const std::string& wanted) {
    return TSCEqualNoCase(stored, wanted);
}

// The archive's bytes as a stream positioned at its first byte, with the offset of that byte.
struct ArchiveSource {
    StreamPtr stream;
    int64_t base = 0;
};

// Opens the archive file, or the archive embedded in the executable when the file is missing.
// A null stream means neither exists.
ArchiveSource OpenArchive(const std::string& archive) {
    ArchiveSource src;
    if (FileType(archive) == FILETYPE_FILE) {
        src.stream = ReadFile(archive);
        return src;
    }
    int64_t offset = SingleFileOffset();
    if (offset > 0) {
        src.stream = ReadFile(AppFile());
        if (src.stream && src.stream->Seek(offset) == offset)
            src.base = offset;
        else
            src.stream = nullptr;
    }
    return src;
}

bool ReadExact(TStream& s, void* buf, size_t count) {
    return s.Read(buf, count) == count;
}

bool ReadI32(TStream& s, int32_t& out) {
    uint8_t b[4];
    if (!ReadExact(s, b, 4)) return false;
    out = static_cast<int32_t>(Le32(b));
    return true;
}

enum class Found { Yes, No, Damaged };

// Walks the directory up to the entry for name; on Yes the stream stands at the entry's data and
// size holds its length.
Found FindEntry(TStream& s, const std::string& name, int32_t& size, std::string& why) {
    int32_t magic = 0;
    if (!ReadI32(s, magic) || magic != kMagic) return Found::No;
    int32_t count = 0;
    if (!ReadI32(s, count)) {
        why = "the directory ends before its entry count";
        return Found::Damaged;
    }
    std::string wanted = name + ".bbc";
    std::string stored;
    for (int32_t j = 0; j < count; ++j) {
        int32_t length = 0;
        if (!ReadI32(s, length)) {
            why = "the directory ends early at entry " + std::to_string(j);
            return Found::Damaged;
        }
        if (length < 0 || length > s.Size() - s.Pos()) {
            why = "entry " + std::to_string(j) + " has a name length of " + std::to_string(length);
            return Found::Damaged;
        }
        stored.resize(static_cast<size_t>(length));
        if (length > 0 && !ReadExact(s, stored.data(), stored.size())) {
            why = "the directory ends early at entry " + std::to_string(j);
            return Found::Damaged;
        }
        int32_t dataSize = 0;
        if (!ReadI32(s, dataSize) || dataSize < 0 || dataSize > s.Size() - s.Pos()) {
            why = "entry " + std::to_string(j) + " declares more data than the file holds";
            return Found::Damaged;
        }
        if (NameMatches(stored, wanted)) {
            size = dataSize;
            return Found::Yes;
        }
        s.Seek(s.Pos() + dataSize);
    }
    return Found::No;
}

void Diagnose(const std::string& archive, const std::string& name, const std::string& why) {
    Print("Archive " + archive + ", entry " + name + ": " + why);
}

// Loads the entry of an open archive into doc: 1 loaded, 0 not (the reason printed).
int LoadEntry(const TTSCFilePtr& doc, TStream& s, const std::string& archive, const std::string& name) {
    int32_t size = 0;
    std::string why;
    Found found = FindEntry(s, name, size, why);
    if (found == Found::Damaged) Diagnose(archive, name, why);
    if (found != Found::Yes) return 0;
    std::vector<uint8_t> data(static_cast<size_t>(size));
    if (size > 0 && !ReadExact(s, data.data(), data.size())) {
        Diagnose(archive, name, "the entry's data ends early");
        return 0;
    }
    std::vector<uint8_t> text;
    if (!UnpackBBEntry(data.data(), data.size(), text, &why)) {
        Diagnose(archive, name, why);
        return 0;
    }
    data.clear();
    data.shrink_to_fit();
    if (!doc) return 0;
    try {
        doc->LoadFromText(DecodeText(text.data(), text.size()));
    } catch (const TSCError& e) {
        Notify(std::string("Final BBError: ") + e.what());
        return 0;
    }
    return 1;
}

} // namespace

int64_t ParseSingleFileOffset(const std::string& text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    int64_t value = 0;
    bool any = false;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        any = true;
        if (value > (INT64_MAX - 9) / 10) return 0; // an absurd offset embeds nothing
        value = value * 10 + (text[i] - '0');
    }
    if (!any || negative) return 0;
    return value;
}

int64_t SingleFileOffset() {
    // Read through a volatile pointer so that the patched bytes are what counts.
    const volatile char* p = vsmSingleFileMarker;
    std::string text;
    for (size_t i = 0; i < sizeof vsmSingleFileMarker && p[i] != '\0'; ++i)
        text += p[i];
    return ParseSingleFileOffset(text);
}

int peekbyte2(const std::vector<uint8_t>& buffer, int64_t offset) {
    if (offset < 0 || offset >= static_cast<int64_t>(buffer.size())) return 0;
    return buffer[static_cast<size_t>(offset)];
}

int copyBank2(const std::vector<uint8_t>& source, int64_t sourceOffset, std::vector<uint8_t>& target,
              int64_t targetOffset, int64_t count) {
    if (sourceOffset < 0 || targetOffset < 0 || count < 0) return -1;
    if (count > static_cast<int64_t>(source.size()) - sourceOffset) return -1;
    if (targetOffset > BB_MAX_OUTPUT || count > BB_MAX_OUTPUT) return -1;
    if (static_cast<int64_t>(target.size()) < targetOffset + count)
        target.resize(static_cast<size_t>(targetOffset + count));
    std::copy_n(source.begin() + sourceOffset, count, target.begin() + targetOffset);
    return 0;
}

int UnpackBBEntry(const uint8_t* data, size_t size, std::vector<uint8_t>& out, std::string* why) {
    auto fail = [&](const std::string& reason) {
        if (why) *why = reason;
        out.clear();
        return 0;
    };
    if (size < 9) return fail("the entry is shorter than its 9-byte header");
    const int passes = data[4];
    const int32_t block = static_cast<int32_t>(Le32(data + 5));
    if (passes == 0) return fail("the entry has no pass");
    if (block <= 0) return fail("the block size is " + std::to_string(block));

    std::vector<uint8_t> in(data + 9, data + size);
    for (int pass = 1; pass <= passes; ++pass) {
        const std::string where = "pass " + std::to_string(pass) + ": ";
        const size_t inSize = in.size();
        if (inSize < 4) return fail(where + "the stream ends before its length");
        const int32_t declared = static_cast<int32_t>(Le32(in.data()));
        if (declared < 0) return fail(where + "negative length " + std::to_string(declared));
        if (declared > BB_MAX_OUTPUT)
            return fail(where + "length " + std::to_string(declared) + " over the cap");
        out.clear();
        // Reserve no more than the input could plausibly produce: a hostile length must not
        // allocate by itself.
        out.reserve(std::min<size_t>(static_cast<size_t>(declared), inSize * 4 + 64));
        size_t pos = 4;
        const int32_t blocks = declared / block;
        for (int32_t b = 0; b < blocks; ++b) {
            if (pos >= inSize) return fail(where + "the stream ends early in block " + std::to_string(b));
            const int flag = peekbyte2(in, static_cast<int64_t>(pos++));
            if (flag == 0) {
                if (inSize - pos < static_cast<size_t>(block))
                    return fail(where + "the stream ends early in block " + std::to_string(b));
                if (copyBank2(in, static_cast<int64_t>(pos), out, static_cast<int64_t>(out.size()), block) !=
                    0)
                    return fail(where + "output over the cap");
                pos += block;
                continue;
            }
            if (pos >= inSize) return fail(where + "the stream ends early in block " + std::to_string(b));
            const size_t patternLength = static_cast<size_t>(peekbyte2(in, static_cast<int64_t>(pos++)));
            if (patternLength > 127) return fail(where + "pattern longer than 127 bytes");
            if (inSize - pos < patternLength)
                return fail(where + "the stream ends early in block " + std::to_string(b));
            const size_t patternAt = pos;
            pos += patternLength;
            int64_t produced = 0;
            while (produced < block) {
                if (pos >= inSize) return fail(where + "the stream ends early in block " + std::to_string(b));
                const int c = peekbyte2(in, static_cast<int64_t>(pos++));
                if (c == flag) {
                    // Patterns multiply the input; stop before a hostile entry eats the memory.
                    if (copyBank2(in, static_cast<int64_t>(patternAt), out, static_cast<int64_t>(out.size()),
                                  static_cast<int64_t>(patternLength)) != 0 ||
                        static_cast<int64_t>(out.size()) > BB_MAX_OUTPUT)
                        return fail(where + "output over the cap");
                    produced += static_cast<int64_t>(patternLength);
                } else {
                    out.push_back(static_cast<uint8_t>(c));
                    ++produced;
                }
            }
        }
        const size_t tail = static_cast<size_t>(declared % block);
        if (tail > 0) {
            if (inSize - pos < tail) return fail(where + "the stream ends early in its tail");
            if (copyBank2(in, static_cast<int64_t>(pos), out, static_cast<int64_t>(out.size()),
                          static_cast<int64_t>(tail)) != 0)
                return fail(where + "output over the cap");
        }
        in.swap(out);
    }
    out.swap(in);
    return 1;
}

int LoadTSCFileBB(const TTSCFilePtr& doc, const std::string& archive, const std::string& name) {
    ArchiveSource src = OpenArchive(archive);
    if (!src.stream) {
        if (FileType(archive) == FILETYPE_FILE) {
            // It exists but cannot be opened: not the fatal case, but nothing can be loaded.
            Print("Archive " + archive + " cannot be read");
            return 0;
        }
        RuntimeError(".BCA ArchiveFile not Found: " + archive);
    }
    int result = LoadEntry(doc, *src.stream, archive, name);
    CloseStream(src.stream);
    return result;
}

int LoadTSCFileBBFromMemory(const TTSCFilePtr& doc, const uint8_t* bytes, size_t size,
                            const std::string& name) {
    StreamPtr s = CreateMemoryStream(std::vector<uint8_t>(bytes, bytes + size));
    return LoadEntry(doc, *s, "(memory)", name);
}

int BBFileExist(const std::string& archive, const std::string& name) {
    ArchiveSource src = OpenArchive(archive);
    if (!src.stream) return 0;
    int32_t size = 0;
    std::string why;
    Found found = FindEntry(*src.stream, name, size, why);
    CloseStream(src.stream);
    return found == Found::Yes ? 1 : 0;
}

int CheckLPFiles(const std::string& resourcesDir) {
    int ok = 1;
    for (const char* archive : LP_ARCHIVES)
        if (!BBFileExist(resourcesDir + archive, "pack.txt")) ok = 0;
    return ok;
}

} // namespace vsm
