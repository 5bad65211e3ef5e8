// Temporary stand-ins for the platform core while the real implementations are written.
#include "platform/Backend.h"
#include "platform/Files.h"
#include "platform/Graphics.h"
#include "platform/Headless.h"
#include "platform/TImageFont.h"
#include "platform/Utf8.h"
#include "platform/System.h"

namespace vsm {

std::vector<uint32_t> DecodeUtf8(const std::string& s) { return std::vector<uint32_t>(s.begin(), s.end()); }
void AppendUtf8(std::string& out, uint32_t c) { out.push_back(static_cast<char>(c)); }

TImageFont::~TImageFont() = default;
struct TImageFont::Face {};
const TGlyph& TImageFont::Glyph(uint32_t c) { return glyphs[c]; }
int TImageFont::Width(const std::string& s) { return static_cast<int>(s.size()) * 8; }
FontPtr DefaultFont() {
    static FontPtr f = std::make_shared<TImageFont>();
    return f;
}
FontPtr LoadImageFont(const std::string&, int, int) { return nullptr; }
int TextWidth(const std::string& s) { return GetImageFont()->Width(s); }
int TextHeight(const std::string&) { return 16; }
int FontHeight(const FontPtr&) { return 16; }

TPixmap::TPixmap(int w, int h) : width(w), height(h), pixels(size_t(w) * size_t(h), 0) {}
PixmapPtr CreatePixmap(int w, int h) { return w > 0 && h > 0 ? std::make_shared<TPixmap>(w, h) : nullptr; }
PixmapPtr LoadPixmap(const std::string&) { return nullptr; }
PixmapPtr LoadPixmapFromMemory(const uint8_t*, size_t) { return nullptr; }
PixmapPtr LoadPixmapFromStream(TStream&) { return nullptr; }
PixmapPtr CopyPixmap(const PixmapPtr& p) { return p ? std::make_shared<TPixmap>(*p) : nullptr; }
PixmapPtr PixmapWindow(const PixmapPtr&, int, int, int, int) { return nullptr; }
PixmapPtr ResizePixmap(const PixmapPtr&, int, int) { return nullptr; }
int PixmapWidth(const PixmapPtr& p) { return p ? p->width : 0; }
int PixmapHeight(const PixmapPtr& p) { return p ? p->height : 0; }
uint32_t ReadPixel(const PixmapPtr&, int, int) { return 0; }
void WritePixel(const PixmapPtr&, int, int, uint32_t) {}
bool SavePixmapPNG(const PixmapPtr&, const std::string&) { return false; }
void SetMaskColor(int, int, int) {}
void GetMaskColor(int& r, int& g, int& b) { r = g = b = 0; }
ImagePtr LoadImage(const std::string&, int) { return nullptr; }
ImagePtr LoadImage(const PixmapPtr&, int) { return nullptr; }
ImagePtr LoadAnimImage(const std::string&, int, int, int, int, int) { return nullptr; }
ImagePtr LoadAnimImage(const PixmapPtr&, int, int, int, int, int) { return nullptr; }
ImagePtr CreateImage(int, int, int, int) { return nullptr; }
PixmapPtr LockImage(const ImagePtr&, int) { return nullptr; }
void UnlockImage(const ImagePtr&, int) {}
int ImageWidth(const ImagePtr& i) { return i ? i->width : 0; }
int ImageHeight(const ImagePtr& i) { return i ? i->height : 0; }
int ImageFrames(const ImagePtr& i) { return i ? int(i->frames.size()) : 0; }
void SetImageHandle(const ImagePtr&, float, float) {}
void MidHandleImage(const ImagePtr&) {}

std::string FixPath(const std::string& p) { return p; }
int FileType(const std::string&) { return 0; }
int64_t FileSize(const std::string&) { return -1; }
std::vector<DirEntry> ListDir(const std::string&) { return {}; }
class TDirWalk {};
DirHandle ReadDir(const std::string&) { return nullptr; }
std::string NextFile(const DirHandle&) { return ""; }
void CloseDir(const DirHandle&) {}
bool CreateDir(const std::string&, bool) { return false; }
bool DeleteDir(const std::string&, bool) { return false; }
bool CreateFile(const std::string&) { return false; }
bool DeleteFile(const std::string&) { return false; }
bool RenameFile(const std::string&, const std::string&, bool) { return false; }
bool CopyFile(const std::string&, const std::string&) { return false; }
std::string ExtractExt(const std::string&) { return ""; }
std::string ExtractDir(const std::string&) { return ""; }
std::string StripDir(const std::string& p) { return p; }
std::string StripExt(const std::string& p) { return p; }
std::string StripAll(const std::string& p) { return p; }
std::string AppFile() { return ""; }
std::string AppDir() { return ""; }
std::string HomeDir() { return ""; }
BankPtr CreateBank(size_t n) { return std::make_shared<TBank>(n); }
BankPtr LoadBank(const std::string&) { return nullptr; }
size_t BankSize(const BankPtr& b) { return b ? b->bytes.size() : 0; }
void ResizeBank(const BankPtr&, size_t) {}
int PeekByte(const BankPtr&, size_t) { return 0; }
void PokeByte(const BankPtr&, size_t, int) {}
int32_t PeekInt(const BankPtr&, size_t) { return 0; }
void PokeInt(const BankPtr&, size_t, int32_t) {}
bool CopyBank(const BankPtr&, size_t, const BankPtr&, size_t, size_t) { return false; }
StreamPtr ReadFile(const std::string&) { return nullptr; }
StreamPtr WriteFile(const std::string&) { return nullptr; }
StreamPtr CreateMemoryStream(std::vector<uint8_t>) { return nullptr; }
StreamPtr CreateBankStream(const BankPtr&) { return nullptr; }
bool CloseStream(const StreamPtr&) { return false; }
int ReadByte(TStream&) { return 0; }
int ReadShort(TStream&) { return 0; }
int32_t ReadInt(TStream&) { return 0; }
float ReadFloat(TStream&) { return 0; }
std::string ReadString(TStream&, size_t) { return ""; }
std::string ReadLine(TStream&) { return ""; }
std::vector<uint8_t> ReadAll(TStream&) { return {}; }
void SkipBytes(TStream&, int64_t) {}
void WriteByte(TStream&, int) {}
void WriteShort(TStream&, int) {}
void WriteInt(TStream&, int32_t) {}
void WriteFloat(TStream&, float) {}
void WriteString(TStream&, const std::string&) {}
void WriteLine(TStream&, const std::string&) {}
void WriteBytes(TStream&, const void*, size_t) {}
bool Eof(TStream&) { return true; }
std::string DecodeText(const uint8_t* b, size_t n) { return std::string(b, b + n); }
std::vector<uint8_t> EncodeText(const std::string& s) { return std::vector<uint8_t>(s.begin(), s.end()); }
std::optional<std::string> LoadText(const std::string&) { return std::nullopt; }
bool SaveText(const std::string&, const std::string&) { return false; }

} // namespace vsm
