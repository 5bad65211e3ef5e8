// Files: folders, file tests, byte streams, memory banks and whole-text load and save.
// Every path has its backslashes turned into slashes before it is used.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vsm {

// "a\\b" -> "a/b".
std::string FixPath(const std::string& path);

// ---- Folders and files ---------------------------------------------------------------------

constexpr int FILETYPE_NONE = 0;
constexpr int FILETYPE_FILE = 1;
constexpr int FILETYPE_DIR = 2;

// FILETYPE_FILE, FILETYPE_DIR, or FILETYPE_NONE when nothing (or nothing readable) is there.
int FileType(const std::string& path);
// True when path itself is a regular file: not a folder, a link, a pipe or a device.
bool IsPlainFile(const std::string& path);
// Size in bytes; 0 for a folder; -1 when nothing is there.
int64_t FileSize(const std::string& path);

struct DirEntry {
    std::string name;
    int type; // FILETYPE_FILE or FILETYPE_DIR
};
// The folder's entries without "." and "..", sorted by name; empty when it cannot be read.
std::vector<DirEntry> ListDir(const std::string& path);

// Folder walk in the classic form: ReadDir gives a handle (null when the folder cannot be read),
// NextFile gives ".", "..", then the entries sorted by name, then "" at the end.
class TDirWalk;
using DirHandle = std::shared_ptr<TDirWalk>;
DirHandle ReadDir(const std::string& path);
// The walk's next name; "" at the end or for a null handle.
std::string NextFile(const DirHandle& dir);
// Ends the walk; later NextFile calls give "".
void CloseDir(const DirHandle& dir);

// Creates the folder; with recurse, every missing parent too. True when it exists afterwards.
bool CreateDir(const std::string& path, bool recurse = false);
// Deletes the folder; with recurse, its contents too. True when it is gone afterwards.
bool DeleteDir(const std::string& path, bool recurse = false);
// Creates an empty file (truncating one that exists); false on failure.
bool CreateFile(const std::string& path);
// Deletes a file (never a folder); false when there was no file or it could not be removed.
bool DeleteFile(const std::string& path);
// Renames; refuses (false) to replace an existing target unless replace is set.
bool RenameFile(const std::string& from, const std::string& to, bool replace = false);
// Copies a file through a temporary file renamed into place; false on failure.
bool CopyFile(const std::string& from, const std::string& to);

// What HoldFileLock found.
enum class FileLock {
    Held,       // this process holds the lock
    Taken,      // another process holds it
    Unavailable // the lock file cannot be made or locked (a read-only folder, a file system
                // without locks): nothing is held
};
// Takes an advisory lock on the file at path (made when missing) without waiting, and holds it
// until the process ends or another path is locked. The system releases it when its holder
// dies, so a lock file left behind by a process that ended never blocks. Held again when this
// process holds it already.
FileLock HoldFileLock(const std::string& path);
// Lets go of the lock HoldFileLock holds, if any.
void ReleaseFileLock();

// Path pieces: ExtractExt("a/b.png") "png", ExtractDir "a", StripDir "b.png", StripExt "a/b",
// StripAll "b".
std::string ExtractExt(const std::string& path);
std::string ExtractDir(const std::string& path);
std::string StripDir(const std::string& path);
std::string StripExt(const std::string& path);
std::string StripAll(const std::string& path);
// True when a path taken relative to a folder stays inside it: not absolute, and no ".." that
// climbs above where it starts ("a/../b" stays, "a/../../b" and "/b" leave).
bool StaysInside(const std::string& relative);

// The running executable's full path and its folder.
std::string AppFile();
std::string AppDir();
// The user's home folder (no trailing slash): HOME, else the user database's entry; "" when
// neither gives one.
std::string HomeDir();

// ---- Memory banks --------------------------------------------------------------------------

// A resizable block of bytes.
class TBank {
  public:
    explicit TBank(size_t size = 0) : bytes(size, 0) {}
    std::vector<uint8_t> bytes;
};
using BankPtr = std::shared_ptr<TBank>;

// A new bank of size zero bytes.
BankPtr CreateBank(size_t size = 0);
// Loads a whole file into a bank; null on failure.
BankPtr LoadBank(const std::string& path);
// Size in bytes; 0 for null.
size_t BankSize(const BankPtr& bank);
// Grows (with zeros) or shrinks the bank; null is ignored.
void ResizeBank(const BankPtr& bank, size_t size);
// Out-of-range peeks give 0 and pokes do nothing.
int PeekByte(const BankPtr& bank, size_t offset);
void PokeByte(const BankPtr& bank, size_t offset, int value);
int32_t PeekInt(const BankPtr& bank, size_t offset);
void PokeInt(const BankPtr& bank, size_t offset, int32_t value);
// Copies count bytes; false (and nothing copied) when a range lies outside either bank.
bool CopyBank(const BankPtr& src, size_t srcOffset, const BankPtr& dst, size_t dstOffset, size_t count);

// ---- Streams -------------------------------------------------------------------------------

// A byte stream. Integers are little-endian. Reads past the end give 0 and set Eof.
class TStream {
  public:
    virtual ~TStream() = default;
    // Reads up to count bytes; returns how many were read.
    virtual size_t Read(void* buf, size_t count) = 0;
    // Writes count bytes; returns how many were written (0 on a read-only stream).
    virtual size_t Write(const void* buf, size_t count) = 0;
    virtual bool Eof() = 0;
    virtual int64_t Pos() = 0;
    virtual int64_t Size() = 0;
    // Moves to an absolute position (clamped to 0..Size); returns the new position.
    virtual int64_t Seek(int64_t pos) = 0;
    // Finishes the stream; for a file written by WriteFile, moves it into place.
    // False when anything failed.
    virtual bool Close() { return true; }
    // True when any write failed since the stream opened.
    bool failed = false;
};
using StreamPtr = std::shared_ptr<TStream>;

// Opens a regular file for reading; null when nothing readable is there or it is no regular file
// (a folder, a pipe or a device is never opened, so that nothing can block or read for ever).
StreamPtr ReadFile(const std::string& path);
// The most bytes a whole read takes: documents (options, profiles, hiscores, levels) are small
// texts, pictures (the players' own included) at most a large photograph, sounds at most a long
// song of the player's own.
constexpr int64_t MAX_DOCUMENT_BYTES = int64_t(16) << 20;
constexpr int64_t MAX_PICTURE_BYTES = int64_t(64) << 20;
constexpr int64_t MAX_SOUND_BYTES = int64_t(64) << 20;
// The bytes of a whole regular file of at most maxBytes; nullopt when nothing readable is there,
// and also, after one printed line naming the file, when it is no regular file or is larger.
std::optional<std::vector<uint8_t>> LoadFileBytes(const std::string& path, int64_t maxBytes);
// Opens a file for writing through a temporary file in the same folder; CloseStream flushes it
// to disk and renames it into place, so an interrupted save never leaves a half-written file.
// A stream dropped without CloseStream is discarded and the old file stays. Null on failure.
StreamPtr WriteFile(const std::string& path);
// True when name (a file name without its folder) has the form of the temporary files
// WriteFile makes: "." + the target's name + ".tmp-" + six letters or digits.
bool IsSaveTempName(const std::string& name);
// Deletes the regular files of folder whose names IsSaveTempName takes: what saves cut short by
// a kill or a power cut left behind. Only while no other process saves into the folder. Returns
// how many were deleted.
int RemoveStaleSaveTemps(const std::string& folder);
// A stream over a copy of the bytes, or over a bank (which it shares and grows when written).
StreamPtr CreateMemoryStream(std::vector<uint8_t> bytes);
// Null for a null bank.
StreamPtr CreateBankStream(const BankPtr& bank);
// Closes the stream; false when a write or the final rename failed.
bool CloseStream(const StreamPtr& s);

// Reads of whole values: an unsigned byte, an unsigned 16-bit, a signed 32-bit and a 32-bit float,
// little-endian; 0 when the stream ends before the value is complete.
int ReadByte(TStream& s);
int ReadShort(TStream& s);
int32_t ReadInt(TStream& s);
float ReadFloat(TStream& s);
// Reads up to count bytes into a string.
std::string ReadString(TStream& s, size_t count);
// Reads to "\n" (a "\r" before it is dropped).
std::string ReadLine(TStream& s);
// Everything from the current position to the end.
std::vector<uint8_t> ReadAll(TStream& s);
// Moves forward count bytes, stopping at the end.
void SkipBytes(TStream& s, int64_t count);
// Writes little-endian values and raw bytes; a short write sets the stream's `failed`.
void WriteByte(TStream& s, int value);
void WriteShort(TStream& s, int value);
void WriteInt(TStream& s, int32_t value);
void WriteFloat(TStream& s, float value);
void WriteString(TStream& s, const std::string& text);
// Writes the text and "\n".
void WriteLine(TStream& s, const std::string& text);
void WriteBytes(TStream& s, const void* bytes, size_t count);
// True at the end of the stream.
bool Eof(TStream& s);

// ---- Whole texts ---------------------------------------------------------------------------

// Decodes bytes by their mark: FE FF UTF-16 BE, FF FE UTF-16 LE, EF BB BF UTF-8, else one byte
// per character (Latin-1). The result is UTF-8.
std::string DecodeText(const uint8_t* bytes, size_t size);
// Encodes UTF-8 text for saving: one byte per character when every character is below 256,
// else FF FE and UTF-16 LE.
std::vector<uint8_t> EncodeText(const std::string& utf8);
// Loads a whole text of at most maxBytes (LoadFileBytes); nullopt when the file cannot be read.
std::optional<std::string> LoadText(const std::string& path, int64_t maxBytes = MAX_DOCUMENT_BYTES);
// Saves a whole text through a temporary file renamed into place; false on failure, and then
// the old file is untouched.
bool SaveText(const std::string& utf8, const std::string& path);

// Test seam: called with the target path after a save's data reached the disk and before the
// rename; returning false makes the save fail there, as a crash at that moment would. Null clears.
void SetSaveInterruptHook(std::function<bool(const std::string& path)> hook);

// The file operations a test can make fail.
enum class FileOp { Rename, Delete, CreateDir, Write };
// Test seam: asked before every RenameFile (with its source path), DeleteFile and DeleteDir,
// CreateDir, CreateFile and WriteFile (with the path they act on); returning false makes the
// operation fail without touching the disk, as a refusing file system would. Null clears.
void SetFileFaultHook(std::function<bool(FileOp op, const std::string& path)> hook);

} // namespace vsm
