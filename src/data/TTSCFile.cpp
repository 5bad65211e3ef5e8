// TTSCFile: in-memory TSC document — load, query, edit, save — and its free-function interface.
#include "data/TTSCFile.h"

#include "platform/Files.h"
#include "platform/System.h"
#include "platform/Utf8.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <unordered_map>
#include <unordered_set>

namespace vsm {

namespace {

char FoldAZ(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// True when the text lexes back as exactly one number token with the same text.
bool IsBareNumber(const std::string& text) {
    if (text.empty()) return false;
    bool radix = false;
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        bool numeric = (c >= '0' && c <= '9') || c == '.' || c == '-' || (i >= 4 && (c == '+' || c == 'e'));
        if (!numeric) return false;
        if (c == '.') {
            if (radix) return false;
            radix = true;
        }
        if (c == '-' && i > 0 && text[i - 1] != 'e') return false;
    }
    return true;
}

// A double-quoted string whose content reads back unchanged.
std::string Quote(const std::string& value) {
    std::string out = "\"";
    for (char c : value) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            out += c;
        }
    }
    out += '"';
    return out;
}

void PrintMissing(const std::string& path, const std::string& name) {
    Print("The key " + path + "::" + name + " does not exist");
}

bool IndexInRange(int index) {
    return index >= 0 && index < TSC_MAX_VALUES;
}

} // namespace

bool TSCEqualNoCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i] != b[i] && FoldAZ(a[i]) != FoldAZ(b[i])) return false;
    return true;
}

std::string TSCNumberText(float value) {
    double d = value;
    if (!std::isfinite(d)) d = 0;
    char buf[64];
    auto sci = std::to_chars(buf, buf + sizeof buf, d, std::chars_format::scientific, 8);
    std::string text(buf, sci.ptr);
    size_t e = text.find('e');
    int exponent = std::atoi(text.c_str() + e + 1);
    if (exponent < -4 || exponent >= 9) return text;
    auto fixed = std::to_chars(buf, buf + sizeof buf, d, std::chars_format::fixed, 8 - exponent);
    text.assign(buf, fixed.ptr);
    if (text.find('.') == std::string::npos) text += '.';
    return text;
}

namespace {

// The text with every character replaced by the low 8 bits of its code: number text is read a
// byte per character, so a UTF-16 document's U+0131 reads as the digit "1".
std::string LowBytes(const std::string& utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (uint32_t c : DecodeUtf8(utf8))
        out += static_cast<char>(c & 0xFF);
    return out;
}

} // namespace

float TSCTextToNumber(const std::string& text) {
    bool ascii =
        std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    const std::string narrowed = ascii ? std::string() : LowBytes(text);
    const std::string& source = ascii ? text : narrowed;
    const char* s = source.data();
    const char* end = s + source.size();
    const char* p = s;
    while (p < end && (*p == ' ' || *p == '\t' || *p == '\n' || *p == '\v' || *p == '\f' || *p == '\r'))
        ++p;
    bool negative = false;
    if (p < end && (*p == '+' || *p == '-')) {
        negative = *p == '-';
        ++p;
    }
    const char* mantissa = p;
    size_t digits = 0;
    while (p < end && *p >= '0' && *p <= '9')
        ++p, ++digits;
    if (p < end && *p == '.') {
        ++p;
        while (p < end && *p >= '0' && *p <= '9')
            ++p, ++digits;
    }
    if (digits == 0) return 0;
    bool positiveExponent = true;
    if (p < end && (*p == 'e' || *p == 'E')) {
        const char* q = p + 1;
        bool expNegative = false;
        if (q < end && (*q == '+' || *q == '-')) expNegative = *q++ == '-';
        if (q < end && *q >= '0' && *q <= '9') {
            while (q < end && *q >= '0' && *q <= '9')
                ++q;
            p = q;
            positiveExponent = !expNegative;
        }
    }
    double value = 0;
    auto result = std::from_chars(mantissa, p, value, std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range)
        value = positiveExponent ? std::numeric_limits<double>::infinity() : 0.0;
    if (negative) value = -value;
    // Round to nearest as a float conversion does: only from half a step above the largest float
    // on is the value infinite, so the largest float's own 9-digit text reads back as itself.
    constexpr double overflow = 0x1.ffffffp+127;
    if (value >= overflow) return std::numeric_limits<float>::infinity();
    if (value <= -overflow) return -std::numeric_limits<float>::infinity();
    return static_cast<float>(value);
}

// ---- Loading -----------------------------------------------------------------------------------

namespace {

// Runs one load of a text taken from its source; on any fault the document is left empty and
// the fault passes on. Tokens are parsed as they are lexed, so loading stays linear in the text.
template <typename TextFn> void LoadWith(TTSCFile& doc, TextFn text) {
    doc.KeyList.clear();
    doc.GroupList.clear();
    doc.Lexer = TTSCLexer();
    doc.Parser = TTSCParser();
    try {
        doc.Lexer.Begin(text());
        doc.Parser.Parse(doc.Lexer);
    } catch (...) {
        doc.Lexer = TTSCLexer();
        doc.Parser = TTSCParser();
        throw;
    }
    doc.KeyList = std::move(doc.Parser.KeyList);
    doc.GroupList = std::move(doc.Parser.GroupList);
    // Nothing of the reading is needed once the records are taken over.
    doc.Lexer = TTSCLexer();
    doc.Parser = TTSCParser();
}

} // namespace

void TTSCFile::Load(const std::string& path) {
    // New keys may reuse the addresses of the old ones: the index must not be trusted.
    keyIndex = KeyIndex();
    LoadWith(*this, [&] { return TTSCLexer::SourceText(path); });
}

void TTSCFile::Load(TStream& stream) {
    keyIndex = KeyIndex();
    LoadWith(*this, [&] { return TTSCLexer::SourceText(stream); });
}

void TTSCFile::LoadFromText(const std::string& utf8) {
    keyIndex = KeyIndex();
    LoadWith(*this, [&] { return utf8; });
}

// ---- Saving ------------------------------------------------------------------------------------

namespace {

std::string FoldedPath(const std::string& path) {
    std::string folded = path;
    for (char& c : folded)
        c = FoldAZ(c);
    return folded;
}

} // namespace

// The records of each group path (folded), in list order, and the paths already written: saving
// looks every path up once instead of walking the lists for every group.
struct TTSCFile::SaveIndex {
    std::unordered_map<std::string, std::vector<const TTSCKey*>> keys;
    std::unordered_map<std::string, std::vector<const TTSCGroup*>> groups;
    std::unordered_set<std::string> written;
    int leftOut = 0; // names that could not be written

    explicit SaveIndex(const TTSCFile& doc) {
        for (const TTSCKeyPtr& key : doc.KeyList)
            if (key) keys[FoldedPath(key->Path)].push_back(key.get());
        for (const TTSCGroupPtr& group : doc.GroupList)
            if (group) groups[FoldedPath(group->Path)].push_back(group.get());
    }
    template <typename T>
    static const std::vector<const T*>& Of(const std::unordered_map<std::string, std::vector<const T*>>& map,
                                           const std::string& folded) {
        static const std::vector<const T*> none;
        auto it = map.find(folded);
        return it == map.end() ? none : it->second;
    }
};

void TTSCFile::SaveGroupOnce(const TTSCGroup& group, const std::string& indent, SaveIndex& index,
                             std::string& out) const {
    std::string full = group.FullPath();
    std::string folded = FoldedPath(full);
    // Every group record of one path holds all the keys and subgroups of that path, so a path is
    // written once: writing each copy would duplicate its keys on every save and load, and with
    // copies at several depths the text would grow exponentially.
    if (!index.written.insert(folded).second) return;
    out += indent + group.Name + "{\n";
    for (const TTSCKey* key : SaveIndex::Of(index.keys, folded)) {
        if (!IsTSCIdentifier(key->Name)) {
            Print("TSC save: key \"" + key->Name + "\" in " + full +
                  " is not a name the reader takes; left out");
            ++index.leftOut;
            continue;
        }
        out += indent;
        out += '\t';
        out += key->Name;
        out += '=';
        // A key with no values still needs one to be read back.
        if (key->ValueCount <= 0) out += "\"\"";
        for (int i = 0; i < key->ValueCount && i < TSC_MAX_VALUES; ++i) {
            if (i > 0) out += ',';
            const std::string& v = key->Value(i);
            // A number keeps its written form; anything that would not read back as one number
            // token (an unset entry, a define's word or text) is written as a string.
            if (key->Type(i) != TSC_TYPE_STRING && IsBareNumber(v))
                out += v;
            else
                out += Quote(v);
        }
        out += '\n';
    }
    for (const TTSCGroup* sub : SaveIndex::Of(index.groups, folded)) {
        if (!IsTSCIdentifier(sub->Name)) {
            Print("TSC save: group \"" + sub->Name + "\" in " + full +
                  " is not a name the reader takes; left out");
            ++index.leftOut;
            continue;
        }
        // Indenting every level by one more tab would make a deeply nested document, which the
        // reader takes, grow on every save past the size the reader takes; the reader skips the
        // blanks, so stopping the indentation changes nothing of what is read back.
        const bool deeper = indent.size() < static_cast<size_t>(TSC_MAX_SAVED_INDENT);
        SaveGroupOnce(*sub, deeper ? indent + "\t" : indent, index, out);
    }
    out += indent + "}\n";
}

std::string TTSCFile::SavedText(int* leftOut) const {
    SaveIndex index(*this);
    std::string out;
    for (const TTSCGroup* group : SaveIndex::Of(index.groups, std::string())) {
        if (!IsTSCIdentifier(group->Name)) {
            Print("TSC save: group \"" + group->Name + "\" is not a name the reader takes; left out");
            ++index.leftOut;
            continue;
        }
        SaveGroupOnce(*group, "", index, out);
    }
    if (leftOut) *leftOut = index.leftOut;
    return out;
}

namespace {

// A save that had to leave names out lost data: it is reported as failed although the rest
// was written.
bool ReportLeftOut(int leftOut, const std::string& where) {
    if (leftOut == 0) return true;
    Print("TSC save: " + where + " lacks " + std::to_string(leftOut) +
          " group or key name(s) the reader could not take");
    return false;
}

} // namespace

bool TTSCFile::Save(const std::string& path) const {
    int leftOut = 0;
    const std::vector<uint8_t> bytes = EncodeText(SavedText(&leftOut));
    // A file the reader would refuse is no save: the old one, which it still reads, is kept.
    if (static_cast<int64_t>(bytes.size()) > MAX_DOCUMENT_BYTES) {
        Print("TSC save: " + path + " would take " + std::to_string(bytes.size()) + " bytes, more than the " +
              std::to_string(MAX_DOCUMENT_BYTES) + " a document may have; not saved, the old file is kept");
        return false;
    }
    StreamPtr out = WriteFile(path);
    if (out) WriteBytes(*out, bytes.data(), bytes.size());
    if (!CloseStream(out)) {
        Print("TSC save: cannot write " + path);
        return false;
    }
    return ReportLeftOut(leftOut, path);
}

bool TTSCFile::Save(TStream& stream) const {
    int leftOut = 0;
    std::vector<uint8_t> bytes = EncodeText(SavedText(&leftOut));
    bool wasFailed = stream.failed;
    size_t written = stream.Write(bytes.data(), bytes.size());
    if (written != bytes.size() || (stream.failed && !wasFailed)) {
        Print("TSC save: the stream took " + std::to_string(written) + " of " + std::to_string(bytes.size()) +
              " bytes; not saved");
        return false;
    }
    return ReportLeftOut(leftOut, "the stream");
}

// ---- Lookups and edits -------------------------------------------------------------------------

namespace {

// Up to this many keys a walk of KeyList is cheaper than keeping an index.
constexpr size_t kKeysWalked = 32;

std::string KeyAddress(const std::string& path, const std::string& name) {
    std::string address;
    address.reserve(path.size() + name.size() + 1);
    for (char c : path)
        address += FoldAZ(c);
    address += '\0';
    for (char c : name)
        address += FoldAZ(c);
    return address;
}

bool KeyMatches(const TTSCKeyPtr& key, const std::string& path, const std::string& name) {
    return key && TSCEqualNoCase(key->Name, name) && TSCEqualNoCase(key->Path, path);
}

} // namespace

bool TTSCFile::KeyIndexCurrent() const {
    return keyIndex.built && keyIndex.data == KeyList.data() && keyIndex.size == KeyList.size() &&
           (KeyList.empty() ||
            (keyIndex.front == KeyList.front().get() && keyIndex.back == KeyList.back().get()));
}

void TTSCFile::NoteKeyListShape() const {
    keyIndex.data = KeyList.data();
    keyIndex.size = KeyList.size();
    keyIndex.front = KeyList.empty() ? nullptr : KeyList.front().get();
    keyIndex.back = KeyList.empty() ? nullptr : KeyList.back().get();
}

void TTSCFile::RebuildKeyIndex() const {
    keyIndex.first.clear();
    keyIndex.first.reserve(KeyList.size());
    for (size_t i = 0; i < KeyList.size(); ++i)
        if (KeyList[i]) keyIndex.first.try_emplace(KeyAddress(KeyList[i]->Path, KeyList[i]->Name), i);
    keyIndex.built = true;
    NoteKeyListShape();
}

TTSCKeyPtr TTSCFile::ResolveKey(const std::string& path, const std::string& name) const {
    if (KeyList.size() <= kKeysWalked) {
        for (const TTSCKeyPtr& key : KeyList)
            if (KeyMatches(key, path, name)) return key;
        return nullptr;
    }
    if (!KeyIndexCurrent()) RebuildKeyIndex();
    const std::string address = KeyAddress(path, name);
    auto found = keyIndex.first.find(address);
    if (found == keyIndex.first.end()) return nullptr;
    if (KeyMatches(KeyList[found->second], path, name)) return KeyList[found->second];
    // The key at that place was changed in place: index again and look once more.
    RebuildKeyIndex();
    found = keyIndex.first.find(address);
    return found == keyIndex.first.end() ? nullptr : KeyList[found->second];
}

std::optional<std::string> TTSCFile::TryGetStringKey(const std::string& path, const std::string& name,
                                                     int index) const {
    if (!IndexInRange(index)) return std::nullopt;
    TTSCKeyPtr key = ResolveKey(path, name);
    if (!key) return std::nullopt;
    return key->Value(index);
}

std::optional<float> TTSCFile::TryGetNumberKey(const std::string& path, const std::string& name,
                                               int index) const {
    std::optional<std::string> text = TryGetStringKey(path, name, index);
    if (!text) return std::nullopt;
    return TSCTextToNumber(*text);
}

std::string TTSCFile::GetStringKey(const std::string& path, const std::string& name, int index) const {
    std::optional<std::string> text = TryGetStringKey(path, name, index);
    if (!text) {
        PrintMissing(path, name);
        return "";
    }
    return *text;
}

float TTSCFile::GetNumberKey(const std::string& path, const std::string& name, int index) const {
    std::optional<float> value = TryGetNumberKey(path, name, index);
    if (!value) {
        PrintMissing(path, name);
        return 0;
    }
    return *value;
}

namespace {

bool SetKey(TTSCFile& doc, const std::string& path, const std::string& name, const std::string& value,
            int index, int type) {
    if (!IndexInRange(index)) {
        Print("TSC: value index " + std::to_string(index) + " of " + path + "::" + name + " is outside 0.." +
              std::to_string(TSC_MAX_VALUES - 1) + "; not set");
        return false;
    }
    TTSCKeyPtr key = doc.ResolveKey(path, name);
    if (!key) key = doc.CreateKey(path, name);
    return key->SetValue(index, value, type);
}

} // namespace

bool TTSCFile::SetStringKey(const std::string& path, const std::string& name, const std::string& value,
                            int index) {
    return SetKey(*this, path, name, value, index, TSC_TYPE_STRING);
}

bool TTSCFile::SetNumberKey(const std::string& path, const std::string& name, float value, int index) {
    return SetKey(*this, path, name, TSCNumberText(value), index, TSC_TYPE_NUMBER);
}

std::vector<TTSCKeyPtr> TTSCFile::GetKeyList(const std::string& path) const {
    std::vector<TTSCKeyPtr> out;
    for (const TTSCKeyPtr& key : KeyList)
        if (key && TSCEqualNoCase(key->Path, path)) out.push_back(key);
    return out;
}

std::vector<TTSCGroupPtr> TTSCFile::GetGroupList(const std::string& path) const {
    std::vector<TTSCGroupPtr> out;
    for (const TTSCGroupPtr& group : GroupList)
        if (group && TSCEqualNoCase(group->Path, path)) out.push_back(group);
    return out;
}

TTSCKeyPtr TTSCFile::CreateKey(const std::string& path, const std::string& name) {
    auto key = std::make_shared<TTSCKey>();
    key->Path = path;
    key->Name = name;
    const bool indexed = KeyIndexCurrent();
    KeyList.push_back(key);
    // Keep the index current so that writing many keys stays linear.
    if (indexed) {
        keyIndex.first.try_emplace(KeyAddress(path, name), KeyList.size() - 1);
        NoteKeyListShape();
    }
    return key;
}

TTSCGroupPtr TTSCFile::CreateGroup(const std::string& parentPath, const std::string& name) {
    auto group = std::make_shared<TTSCGroup>();
    group->Path = parentPath;
    group->Name = name;
    GroupList.push_back(group);
    return group;
}

// ---- Free functions ----------------------------------------------------------------------------

namespace {

bool NoDocument(const TTSCFilePtr& doc, const char* what) {
    if (doc) return false;
    Print(std::string(what) + ": no document");
    return true;
}

} // namespace

TTSCFilePtr CreateTSCFile() {
    return std::make_shared<TTSCFile>();
}

int LoadTSCFile(const TTSCFilePtr& doc, const std::string& path) {
    if (NoDocument(doc, "LoadTSCFile")) return -1;
    doc->Load(path);
    return 0;
}

int LoadTSCFile(const TTSCFilePtr& doc, TStream& stream) {
    if (NoDocument(doc, "LoadTSCFile")) return -1;
    doc->Load(stream);
    return 0;
}

int SaveTSCFile(const TTSCFilePtr& doc, const std::string& path) {
    if (NoDocument(doc, "SaveTSCFile")) return -1;
    return doc->Save(path) ? 0 : -1;
}

int SaveTSCFile(const TTSCFilePtr& doc, TStream& stream) {
    if (NoDocument(doc, "SaveTSCFile")) return -1;
    return doc->Save(stream) ? 0 : -1;
}

std::string GetTSCStringKey(const TTSCFilePtr& doc, const std::string& path, const std::string& name,
                            int index) {
    if (!doc) {
        PrintMissing(path, name);
        return "";
    }
    return doc->GetStringKey(path, name, index);
}

float GetTSCNumberKey(const TTSCFilePtr& doc, const std::string& path, const std::string& name, int index) {
    if (!doc) {
        PrintMissing(path, name);
        return 0;
    }
    return doc->GetNumberKey(path, name, index);
}

int SetTSCStringKey(const TTSCFilePtr& doc, const std::string& path, const std::string& name,
                    const std::string& value, int index) {
    if (NoDocument(doc, "SetTSCStringKey")) return -1;
    return doc->SetStringKey(path, name, value, index) ? 0 : -1;
}

int SetTSCNumberKey(const TTSCFilePtr& doc, const std::string& path, const std::string& name, float value,
                    int index) {
    if (NoDocument(doc, "SetTSCNumberKey")) return -1;
    return doc->SetNumberKey(path, name, value, index) ? 0 : -1;
}

std::vector<TTSCKeyPtr> GetTSCKeyList(const TTSCFilePtr& doc, const std::string& path) {
    return doc ? doc->GetKeyList(path) : std::vector<TTSCKeyPtr>();
}

std::vector<TTSCGroupPtr> GetTSCGroupList(const TTSCFilePtr& doc, const std::string& path) {
    return doc ? doc->GetGroupList(path) : std::vector<TTSCGroupPtr>();
}

TTSCKeyPtr CreateTSCKey(const TTSCFilePtr& doc, const std::string& path, const std::string& name) {
    if (NoDocument(doc, "CreateTSCKey")) return nullptr;
    return doc->CreateKey(path, name);
}

TTSCGroupPtr CreateTSCGroup(const TTSCFilePtr& doc, const std::string& parentPath, const std::string& name) {
    if (NoDocument(doc, "CreateTSCGroup")) return nullptr;
    return doc->CreateGroup(parentPath, name);
}

} // namespace vsm
