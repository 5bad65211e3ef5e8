// Files: folders, file tests, path pieces, memory banks, byte streams and whole texts.
#include "Files.h"

#include "System.h"
#include "Utf8.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <string_view>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace vsm {

namespace {

std::function<bool(const std::string&)>& SaveHook() {
    static std::function<bool(const std::string&)> hook;
    return hook;
}

std::function<bool(FileOp, const std::string&)>& FaultHook() {
    static std::function<bool(FileOp, const std::string&)> hook;
    return hook;
}

// False when a test has asked for this operation to fail.
bool Allowed(FileOp op, const std::string& path) {
    return !FaultHook() || FaultHook()(op, path);
}

fs::path P(const std::string& path) {
    return fs::path(FixPath(path));
}

} // namespace

std::string FixPath(const std::string& path) {
    std::string out = path;
    std::replace(out.begin(), out.end(), '\\', '/');
    return out;
}

// ---- Folders and files ---------------------------------------------------------------------------

int FileType(const std::string& path) {
    if (path.empty()) return FILETYPE_NONE;
    std::error_code ec;
    fs::file_status st = fs::status(P(path), ec);
    if (ec) return FILETYPE_NONE;
    if (fs::is_directory(st)) return FILETYPE_DIR;
    if (fs::exists(st)) return FILETYPE_FILE;
    return FILETYPE_NONE;
}

bool IsPlainFile(const std::string& path) {
    struct stat st {};
    return !path.empty() && ::lstat(FixPath(path).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

int64_t FileSize(const std::string& path) {
    if (path.empty()) return -1;
    std::error_code ec;
    fs::file_status st = fs::status(P(path), ec);
    if (ec || !fs::exists(st)) return -1;
    if (!fs::is_regular_file(st)) return 0;
    uintmax_t size = fs::file_size(P(path), ec);
    return ec ? -1 : static_cast<int64_t>(size);
}

std::vector<DirEntry> ListDir(const std::string& path) {
    std::vector<DirEntry> out;
    if (path.empty()) return out;
    std::error_code ec;
    fs::directory_iterator it(P(path), ec), end;
    for (; !ec && it != end; it.increment(ec)) {
        std::error_code tec;
        bool dir = it->is_directory(tec);
        out.push_back({it->path().filename().string(), dir ? FILETYPE_DIR : FILETYPE_FILE});
    }
    std::sort(out.begin(), out.end(), [](const DirEntry& a, const DirEntry& b) { return a.name < b.name; });
    return out;
}

class TDirWalk {
  public:
    std::vector<std::string> names;
    size_t next = 0;
};

DirHandle ReadDir(const std::string& path) {
    if (FileType(path) != FILETYPE_DIR) return nullptr;
    std::error_code ec;
    fs::directory_iterator probe(P(path), ec);
    if (ec) return nullptr;
    auto walk = std::make_shared<TDirWalk>();
    walk->names = {".", ".."};
    for (const DirEntry& e : ListDir(path))
        walk->names.push_back(e.name);
    return walk;
}

std::string NextFile(const DirHandle& dir) {
    if (!dir || dir->next >= dir->names.size()) return "";
    return dir->names[dir->next++];
}

void CloseDir(const DirHandle& dir) {
    if (!dir) return;
    dir->names.clear();
    dir->next = 0;
}

bool CreateDir(const std::string& path, bool recurse) {
    if (path.empty() || !Allowed(FileOp::CreateDir, path)) return false;
    std::error_code ec;
    if (recurse)
        fs::create_directories(P(path), ec);
    else
        fs::create_directory(P(path), ec);
    return FileType(path) == FILETYPE_DIR;
}

bool DeleteDir(const std::string& path, bool recurse) {
    if (FileType(path) != FILETYPE_DIR || !Allowed(FileOp::Delete, path)) return false;
    std::error_code ec;
    fs::path p = P(path);
    // Never let a recursive delete reach the file-system root.
    if (recurse && fs::weakly_canonical(p, ec) != fs::path("/"))
        fs::remove_all(p, ec);
    else
        fs::remove(p, ec);
    return FileType(path) == FILETYPE_NONE;
}

bool CreateFile(const std::string& path) {
    if (path.empty() || FileType(path) == FILETYPE_DIR || !Allowed(FileOp::Write, path)) return false;
    FILE* f = std::fopen(FixPath(path).c_str(), "wb");
    if (!f) return false;
    return std::fclose(f) == 0;
}

bool DeleteFile(const std::string& path) {
    if (FileType(path) != FILETYPE_FILE || !Allowed(FileOp::Delete, path)) return false;
    return ::unlink(FixPath(path).c_str()) == 0;
}

bool RenameFile(const std::string& from, const std::string& to, bool replace) {
    if (from.empty() || to.empty() || FileType(from) == FILETYPE_NONE) return false;
    if (!Allowed(FileOp::Rename, from)) return false;
    const std::string a = FixPath(from), b = FixPath(to);
    if (replace) return std::rename(a.c_str(), b.c_str()) == 0;
    // Ask the kernel not to replace, so a file appearing meanwhile is not lost either.
    if (::renameat2(AT_FDCWD, a.c_str(), AT_FDCWD, b.c_str(), RENAME_NOREPLACE) == 0) return true;
    if (errno != EINVAL && errno != ENOSYS) return false;
    if (FileType(to) != FILETYPE_NONE) return false;
    return std::rename(a.c_str(), b.c_str()) == 0;
}

bool CopyFile(const std::string& from, const std::string& to) {
    if (FileType(from) != FILETYPE_FILE) return false;
    StreamPtr in = ReadFile(from);
    if (!in) return false;
    std::vector<uint8_t> bytes = ReadAll(*in);
    in->Close();
    StreamPtr out = WriteFile(to);
    if (!out) return false;
    WriteBytes(*out, bytes.data(), bytes.size());
    return CloseStream(out);
}

namespace {

struct HeldLock {
    int fd = -1;
    std::string path;
};

HeldLock& TheLock() {
    static HeldLock lock;
    return lock;
}

} // namespace

FileLock HoldFileLock(const std::string& path) {
    const std::string fixed = FixPath(path);
    HeldLock& held = TheLock();
    if (held.fd >= 0 && held.path == fixed) return FileLock::Held;
    ReleaseFileLock();
    int fd = ::open(fixed.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0644);
    // A lock file already there in a folder that can no longer be written still locks.
    if (fd < 0) fd = ::open(fixed.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) return FileLock::Unavailable;
    // flock, not fcntl: its lock belongs to this open file, so a second open in one process
    // conflicts too, and it ends with the process however that ends.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const bool taken = errno == EWOULDBLOCK;
        ::close(fd);
        return taken ? FileLock::Taken : FileLock::Unavailable;
    }
    held.fd = fd;
    held.path = fixed;
    return FileLock::Held;
}

void ReleaseFileLock() {
    HeldLock& held = TheLock();
    if (held.fd >= 0) ::close(held.fd);
    held = HeldLock();
}

// ---- Path pieces -----------------------------------------------------------------------------------

std::string ExtractExt(const std::string& path) {
    std::string name = StripDir(path);
    size_t dot = name.rfind('.');
    return dot == std::string::npos ? "" : name.substr(dot + 1);
}

std::string ExtractDir(const std::string& path) {
    std::string p = FixPath(path);
    size_t slash = p.rfind('/');
    return slash == std::string::npos ? "" : p.substr(0, slash);
}

std::string StripDir(const std::string& path) {
    std::string p = FixPath(path);
    size_t slash = p.rfind('/');
    return slash == std::string::npos ? p : p.substr(slash + 1);
}

std::string StripExt(const std::string& path) {
    std::string p = FixPath(path);
    size_t slash = p.rfind('/');
    size_t dot = p.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return p;
    return p.substr(0, dot);
}

std::string StripAll(const std::string& path) {
    return StripExt(StripDir(path));
}

bool StaysInside(const std::string& relative) {
    const std::string p = FixPath(relative);
    if (!p.empty() && p[0] == '/') return false;
    int depth = 0;
    size_t start = 0;
    while (start <= p.size()) {
        size_t end = p.find('/', start);
        if (end == std::string::npos) end = p.size();
        const std::string_view part(p.data() + start, end - start);
        if (part == "..") {
            if (--depth < 0) return false;
        } else if (!part.empty() && part != ".") {
            ++depth;
        }
        start = end + 1;
    }
    return true;
}

std::string AppFile() {
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : exe.string();
}

std::string AppDir() {
    return ExtractDir(AppFile());
}

std::string HomeDir() {
    std::string home;
    if (const char* h = std::getenv("HOME"); h && *h) {
        home = h;
    } else if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir) {
        home = pw->pw_dir;
    }
    while (!home.empty() && home.back() == '/')
        home.pop_back();
    return home;
}

// ---- Memory banks ----------------------------------------------------------------------------------

namespace {
// True when [offset, offset + count) lies inside a block of `size` bytes, without overflow.
bool InRange(size_t size, size_t offset, size_t count) {
    return offset <= size && count <= size - offset;
}
} // namespace

BankPtr CreateBank(size_t size) {
    return std::make_shared<TBank>(size);
}

BankPtr LoadBank(const std::string& path) {
    StreamPtr s = ReadFile(path);
    if (!s) return nullptr;
    auto bank = std::make_shared<TBank>();
    bank->bytes = ReadAll(*s);
    s->Close();
    return bank;
}

size_t BankSize(const BankPtr& bank) {
    return bank ? bank->bytes.size() : 0;
}

void ResizeBank(const BankPtr& bank, size_t size) {
    if (bank) bank->bytes.resize(size, 0);
}

int PeekByte(const BankPtr& bank, size_t offset) {
    if (!bank || !InRange(bank->bytes.size(), offset, 1)) return 0;
    return bank->bytes[offset];
}

void PokeByte(const BankPtr& bank, size_t offset, int value) {
    if (!bank || !InRange(bank->bytes.size(), offset, 1)) return;
    bank->bytes[offset] = static_cast<uint8_t>(value);
}

int32_t PeekInt(const BankPtr& bank, size_t offset) {
    if (!bank || !InRange(bank->bytes.size(), offset, 4)) return 0;
    const uint8_t* b = bank->bytes.data() + offset;
    return static_cast<int32_t>(uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 |
                                uint32_t(b[3]) << 24);
}

void PokeInt(const BankPtr& bank, size_t offset, int32_t value) {
    if (!bank || !InRange(bank->bytes.size(), offset, 4)) return;
    uint32_t v = static_cast<uint32_t>(value);
    for (int i = 0; i < 4; i++)
        bank->bytes[offset + i] = static_cast<uint8_t>(v >> (8 * i));
}

bool CopyBank(const BankPtr& src, size_t srcOffset, const BankPtr& dst, size_t dstOffset, size_t count) {
    if (!src || !dst) return false;
    if (!InRange(src->bytes.size(), srcOffset, count) || !InRange(dst->bytes.size(), dstOffset, count))
        return false;
    if (count) std::memmove(dst->bytes.data() + dstOffset, src->bytes.data() + srcOffset, count);
    return true;
}

// ---- Streams ---------------------------------------------------------------------------------------

namespace {

class BankStream : public TStream {
  public:
    explicit BankStream(BankPtr bank) : bank(std::move(bank)) {}

    size_t Read(void* buf, size_t count) override {
        const size_t size = bank->bytes.size();
        size_t n = pos < size ? std::min(count, size - pos) : 0;
        if (n) std::memcpy(buf, bank->bytes.data() + pos, n);
        pos += n;
        return n;
    }

    size_t Write(const void* buf, size_t count) override {
        if (!count) return 0;
        if (bank->bytes.size() < pos + count) bank->bytes.resize(pos + count, 0);
        std::memcpy(bank->bytes.data() + pos, buf, count);
        pos += count;
        return count;
    }

    bool Eof() override { return pos >= bank->bytes.size(); }
    int64_t Pos() override { return static_cast<int64_t>(pos); }
    int64_t Size() override { return static_cast<int64_t>(bank->bytes.size()); }

    int64_t Seek(int64_t to) override {
        pos = static_cast<size_t>(std::clamp<int64_t>(to, 0, Size()));
        return Pos();
    }

  private:
    BankPtr bank;
    size_t pos = 0;
};

// Moves an open file to `to`, clamped to 0..size, and records it in pos; a failed or closed file
// keeps pos. Returns pos.
int64_t SeekFile(FILE* file, int64_t to, int64_t size, int64_t& pos) {
    if (!file) return pos;
    to = std::clamp<int64_t>(to, 0, size);
    if (::fseeko(file, static_cast<off_t>(to), SEEK_SET) == 0) pos = to;
    return pos;
}

class FileReadStream : public TStream {
  public:
    FileReadStream(FILE* f, int64_t size) : file(f), size(size) {}
    ~FileReadStream() override { Close(); }

    size_t Read(void* buf, size_t count) override {
        if (!file || !count) return 0;
        size_t n = std::fread(buf, 1, count, file);
        pos += static_cast<int64_t>(n);
        return n;
    }

    size_t Write(const void*, size_t) override { return 0; }
    bool Eof() override { return !file || pos >= size; }
    int64_t Pos() override { return pos; }
    int64_t Size() override { return size; }

    int64_t Seek(int64_t to) override { return SeekFile(file, to, size, pos); }

    bool Close() override {
        if (file) std::fclose(file);
        file = nullptr;
        return true;
    }

  private:
    FILE* file;
    int64_t size;
    int64_t pos = 0;
};

// Flushes the folder holding path to disk, so the rename that completed a save survives a power
// cut; true also where the file system cannot sync folders.
bool SyncFolderOf(const std::string& path) {
    std::string dir = ExtractDir(path);
    if (dir.empty()) dir = path[0] == '/' ? "/" : ".";
    int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return false;
    bool ok = ::fsync(fd) == 0 || errno == EINVAL || errno == ENOTSUP;
    ::close(fd);
    return ok;
}

// Writes into a temporary file beside the target; Close flushes it to disk and renames it into
// place. Dropped without Close (an error unwound past the save), it leaves the target untouched.
class AtomicWriteStream : public TStream {
  public:
    AtomicWriteStream(FILE* f, std::string temp, std::string target)
        : file(f), temp(std::move(temp)), target(std::move(target)) {}
    ~AtomicWriteStream() override { Discard(); }

    size_t Read(void*, size_t) override { return 0; }

    size_t Write(const void* buf, size_t count) override {
        if (!file || !count) return 0;
        size_t n = std::fwrite(buf, 1, count, file);
        if (n != count) failed = true;
        pos += static_cast<int64_t>(n);
        size = std::max(size, pos);
        return n;
    }

    bool Eof() override { return pos >= size; }
    int64_t Pos() override { return pos; }
    int64_t Size() override { return size; }

    int64_t Seek(int64_t to) override { return SeekFile(file, to, size, pos); }

    bool Close() override {
        if (closed) return result;
        closed = true;
        bool ok = !failed && file;
        if (file) {
            ok = std::fflush(file) == 0 && ok;
            ok = ::fsync(::fileno(file)) == 0 && ok;
            ok = std::fclose(file) == 0 && ok;
            file = nullptr;
        }
        if (ok && SaveHook()) ok = SaveHook()(target);
        if (ok) ok = std::rename(temp.c_str(), target.c_str()) == 0 && SyncFolderOf(target);
        if (!ok) ::unlink(temp.c_str());
        result = ok;
        return ok;
    }

  private:
    void Discard() {
        if (closed) return;
        closed = true;
        if (file) std::fclose(file);
        file = nullptr;
        ::unlink(temp.c_str());
    }

    FILE* file;
    std::string temp, target;
    int64_t pos = 0, size = 0;
    bool closed = false;
    bool result = false;
};

} // namespace

StreamPtr ReadFile(const std::string& path) {
    if (path.empty()) return nullptr;
    const std::string fixed = FixPath(path);
    // Look before opening: opening a pipe for reading waits for a writer, perhaps for ever.
    struct stat st {};
    if (::stat(fixed.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return nullptr;
    // Something else may have taken the name since: open without waiting and look again.
    const int fd = ::open(fixed.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return nullptr;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) ||
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0) {
        ::close(fd);
        return nullptr;
    }
    FILE* f = ::fdopen(fd, "rb");
    if (!f) {
        ::close(fd);
        return nullptr;
    }
    return std::make_shared<FileReadStream>(f, static_cast<int64_t>(st.st_size));
}

std::optional<std::vector<uint8_t>> LoadFileBytes(const std::string& path, int64_t maxBytes) {
    if (path.empty()) return std::nullopt;
    const std::string fixed = FixPath(path);
    struct stat st {};
    if (::stat(fixed.c_str(), &st) != 0) return std::nullopt;
    if (!S_ISREG(st.st_mode)) {
        Print(fixed + " is not a regular file; not read");
        return std::nullopt;
    }
    auto tooLarge = [&] {
        Print(fixed + " is larger than " + std::to_string(maxBytes) + " bytes; not read");
        return std::nullopt;
    };
    if (st.st_size > maxBytes) return tooLarge();
    StreamPtr s = ReadFile(fixed);
    if (!s) return std::nullopt;
    // Read one byte past the limit at most, so that a file that grew meanwhile is refused too.
    std::vector<uint8_t> bytes(static_cast<size_t>(std::max<int64_t>(st.st_size, 0)) + 1);
    size_t got = 0;
    for (;;) {
        if (got == bytes.size()) {
            if (static_cast<int64_t>(got) > maxBytes) break;
            bytes.resize(static_cast<size_t>(std::min<int64_t>(int64_t(got) * 2, maxBytes + 1)));
        }
        const size_t n = s->Read(bytes.data() + got, bytes.size() - got);
        if (n == 0) break;
        got += n;
    }
    s->Close();
    if (static_cast<int64_t>(got) > maxBytes) return tooLarge();
    bytes.resize(got);
    return bytes;
}

StreamPtr WriteFile(const std::string& path) {
    if (path.empty() || FileType(path) == FILETYPE_DIR || !Allowed(FileOp::Write, path)) return nullptr;
    std::string target = FixPath(path);
    std::string dir = ExtractDir(target);
    std::string temp = (dir.empty() && target[0] != '/' ? std::string() : dir + "/") + "." +
                       StripDir(target) + ".tmp-XXXXXX";
    std::vector<char> name(temp.begin(), temp.end());
    name.push_back('\0');
    int fd = ::mkstemp(name.data());
    if (fd < 0) return nullptr;
    // mkstemp makes the file private; a saved file gets the usual permissions instead.
    mode_t mask = ::umask(0);
    ::umask(mask);
    struct stat old {};
    mode_t mode = ::stat(target.c_str(), &old) == 0 ? (old.st_mode & 07777) : (0666 & ~mask);
    ::fchmod(fd, mode);
    FILE* f = ::fdopen(fd, "wb");
    if (!f) {
        ::close(fd);
        ::unlink(name.data());
        return nullptr;
    }
    return std::make_shared<AtomicWriteStream>(f, std::string(name.data()), target);
}

bool IsSaveTempName(const std::string& name) {
    // The mkstemp pattern WriteFile fills in: ".<target>.tmp-XXXXXX".
    static const std::string mark = ".tmp-";
    constexpr size_t RANDOM = 6;
    if (name.size() < 1 + 1 + mark.size() + RANDOM || name[0] != '.') return false;
    const size_t markAt = name.size() - RANDOM - mark.size();
    if (name.compare(markAt, mark.size(), mark) != 0) return false;
    for (size_t i = name.size() - RANDOM; i < name.size(); ++i) {
        const char c = name[i];
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))) return false;
    }
    return true;
}

int RemoveStaleSaveTemps(const std::string& folder) {
    int removed = 0;
    for (const DirEntry& e : ListDir(folder)) {
        if (e.type != FILETYPE_FILE || !IsSaveTempName(e.name)) continue;
        const std::string path = FixPath(folder) + "/" + e.name;
        // Only a file the game could have made: never a link, a pipe or a device of that name.
        if (IsPlainFile(path) && DeleteFile(path)) ++removed;
    }
    return removed;
}

StreamPtr CreateMemoryStream(std::vector<uint8_t> bytes) {
    auto bank = std::make_shared<TBank>();
    bank->bytes = std::move(bytes);
    return std::make_shared<BankStream>(bank);
}

StreamPtr CreateBankStream(const BankPtr& bank) {
    if (!bank) return nullptr;
    return std::make_shared<BankStream>(bank);
}

bool CloseStream(const StreamPtr& s) {
    return s && s->Close();
}

int ReadByte(TStream& s) {
    uint8_t b = 0;
    return s.Read(&b, 1) == 1 ? b : 0;
}

int ReadShort(TStream& s) {
    uint8_t b[2] = {};
    if (s.Read(b, 2) != 2) return 0;
    return b[0] | (b[1] << 8);
}

int32_t ReadInt(TStream& s) {
    uint8_t b[4] = {};
    if (s.Read(b, 4) != 4) return 0;
    return static_cast<int32_t>(uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 |
                                uint32_t(b[3]) << 24);
}

float ReadFloat(TStream& s) {
    uint32_t bits = static_cast<uint32_t>(ReadInt(s));
    float f;
    std::memcpy(&f, &bits, sizeof f);
    return f;
}

std::string ReadString(TStream& s, size_t count) {
    std::string out;
    char buf[4096];
    while (count > 0) {
        size_t n = s.Read(buf, std::min(count, sizeof buf));
        if (n == 0) break;
        out.append(buf, n);
        count -= n;
    }
    return out;
}

std::string ReadLine(TStream& s) {
    std::string line;
    char c;
    while (s.Read(&c, 1) == 1) {
        if (c == '\n') break;
        line.push_back(c);
    }
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return line;
}

std::vector<uint8_t> ReadAll(TStream& s) {
    std::vector<uint8_t> out;
    int64_t left = s.Size() - s.Pos();
    if (left > 0) out.reserve(static_cast<size_t>(left));
    uint8_t buf[65536];
    for (;;) {
        size_t n = s.Read(buf, sizeof buf);
        if (n == 0) break;
        out.insert(out.end(), buf, buf + n);
    }
    return out;
}

void SkipBytes(TStream& s, int64_t count) {
    if (count > 0) s.Seek(s.Pos() + std::min(count, s.Size() - s.Pos()));
}

void WriteBytes(TStream& s, const void* bytes, size_t count) {
    if (count && s.Write(bytes, count) != count) s.failed = true;
}

void WriteByte(TStream& s, int value) {
    uint8_t b = static_cast<uint8_t>(value);
    WriteBytes(s, &b, 1);
}

void WriteShort(TStream& s, int value) {
    uint8_t b[2] = {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8)};
    WriteBytes(s, b, 2);
}

void WriteInt(TStream& s, int32_t value) {
    uint32_t v = static_cast<uint32_t>(value);
    uint8_t b[4] = {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v >> 16),
                    static_cast<uint8_t>(v >> 24)};
    WriteBytes(s, b, 4);
}

void WriteFloat(TStream& s, float value) {
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    WriteInt(s, static_cast<int32_t>(bits));
}

void WriteString(TStream& s, const std::string& text) {
    WriteBytes(s, text.data(), text.size());
}

void WriteLine(TStream& s, const std::string& text) {
    WriteString(s, text);
    WriteByte(s, '\n');
}

bool Eof(TStream& s) {
    return s.Eof();
}

// ---- Whole texts -----------------------------------------------------------------------------------

std::string DecodeText(const uint8_t* bytes, size_t size) {
    std::string out;
    if (!bytes) return out;
    if (size >= 2 && ((bytes[0] == 0xFE && bytes[1] == 0xFF) || (bytes[0] == 0xFF && bytes[1] == 0xFE))) {
        const bool big = bytes[0] == 0xFE;
        auto unit = [&](size_t i) -> uint32_t {
            return big ? (uint32_t(bytes[i]) << 8 | bytes[i + 1]) : (uint32_t(bytes[i + 1]) << 8 | bytes[i]);
        };
        // A trailing odd byte is not a character and is dropped.
        for (size_t i = 2; i + 1 < size; i += 2) {
            uint32_t u = unit(i);
            if (u >= 0xD800 && u <= 0xDBFF && i + 3 < size) {
                uint32_t low = unit(i + 2);
                if (low >= 0xDC00 && low <= 0xDFFF) {
                    AppendUtf8(out, 0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00));
                    i += 2;
                    continue;
                }
            }
            AppendUtf8(out, u); // a lone surrogate becomes U+FFFD
        }
        return out;
    }
    if (size >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF) {
        // Re-encode so that broken sequences reach the game as U+FFFD, never as stray bytes.
        for (uint32_t cp : DecodeUtf8(std::string(reinterpret_cast<const char*>(bytes) + 3, size - 3)))
            AppendUtf8(out, cp);
        return out;
    }
    out.reserve(size);
    for (size_t i = 0; i < size; i++)
        AppendUtf8(out, bytes[i]);
    return out;
}

std::vector<uint8_t> EncodeText(const std::string& utf8) {
    std::vector<uint32_t> cps = DecodeUtf8(utf8);
    std::vector<uint8_t> out;
    if (std::all_of(cps.begin(), cps.end(), [](uint32_t c) { return c < 256; })) {
        out.assign(cps.begin(), cps.end());
        return out;
    }
    out.reserve(2 + cps.size() * 2);
    out.push_back(0xFF);
    out.push_back(0xFE);
    auto put = [&](uint32_t u) {
        out.push_back(static_cast<uint8_t>(u & 0xFF));
        out.push_back(static_cast<uint8_t>(u >> 8));
    };
    for (uint32_t c : cps) {
        if (c >= 0x10000) {
            c -= 0x10000;
            put(0xD800 + (c >> 10));
            put(0xDC00 + (c & 0x3FF));
        } else {
            put(c);
        }
    }
    return out;
}

std::optional<std::string> LoadText(const std::string& path, int64_t maxBytes) {
    const std::optional<std::vector<uint8_t>> bytes = LoadFileBytes(path, maxBytes);
    if (!bytes) return std::nullopt;
    return DecodeText(bytes->data(), bytes->size());
}

bool SaveText(const std::string& utf8, const std::string& path) {
    StreamPtr s = WriteFile(path);
    if (!s) return false;
    std::vector<uint8_t> bytes = EncodeText(utf8);
    WriteBytes(*s, bytes.data(), bytes.size());
    return CloseStream(s);
}

void SetSaveInterruptHook(std::function<bool(const std::string& path)> hook) {
    SaveHook() = std::move(hook);
}

void SetFileFaultHook(std::function<bool(FileOp op, const std::string& path)> hook) {
    FaultHook() = std::move(hook);
}

} // namespace vsm
