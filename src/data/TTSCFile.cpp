// TTSCFile: in-memory TSC document — load, query, edit, save — and its free-function interface.
#include "data/TTSCFile.h"

#include "platform/Files.h"
#include "platform/System.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <iostream>
#include <limits>
#include <unordered_map>
#include <unordered_set>

namespace vsm {

namespace {

char FoldAZ(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool IdentByte(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}

// True when the name lexes back as one identifier (not a number and not the keyword define).
bool IsIdentName(const std::string& name) {
    if (name.empty() || (name[0] >= '0' && name[0] <= '9')) return false;
    for (char c : name)
        if (!IdentByte(c)) return false;
    return !TSCEqualNoCase(name, "define");
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

float TSCTextToNumber(const std::string& text) {
    const char* s = text.data();
    const char* end = s + text.size();
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
    if (value > std::numeric_limits<float>::max()) return std::numeric_limits<float>::infinity();
    if (value < -std::numeric_limits<float>::max()) return -std::numeric_limits<float>::infinity();
    return static_cast<float>(value);
}

// ---- Loading -----------------------------------------------------------------------------------

namespace {

// Runs one load; on any fault the document is left empty and the fault passes on.
template <typename LexFn> void LoadWith(TTSCFile& doc, LexFn lex) {
    doc.KeyList.clear();
    doc.GroupList.clear();
    doc.Lexer = TTSCLexer();
    doc.Parser = TTSCParser();
    try {
        lex(doc.Lexer);
        doc.Parser.Parse(std::move(doc.Lexer.TokenList));
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
    LoadWith(*this, [&](TTSCLexer& lexer) { lexer.Lex(path); });
}

void TTSCFile::Load(TStream& stream) {
    LoadWith(*this, [&](TTSCLexer& lexer) { lexer.Lex(stream); });
}

void TTSCFile::LoadFromText(const std::string& utf8) {
    LoadWith(*this, [&](TTSCLexer& lexer) { lexer.LexText(utf8); });
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

std::string TTSCFile::SaveGroup(const TTSCGroup& group, const std::string& indent) const {
    SaveIndex index(*this);
    std::string out;
    SaveGroupOnce(group, indent, index, out);
    return out;
}

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
        if (!IsIdentName(key->Name)) {
            std::cerr << "TSC save: key \"" << key->Name << "\" in " << full
                      << " has no valid name; left out\n";
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
        if (!IsIdentName(sub->Name)) {
            std::cerr << "TSC save: group \"" << sub->Name << "\" in " << full
                      << " has no valid name; left out\n";
            continue;
        }
        SaveGroupOnce(*sub, indent + "\t", index, out);
    }
    out += indent + "}\n";
}

std::string TTSCFile::SavedText() const {
    SaveIndex index(*this);
    std::string out;
    for (const TTSCGroup* group : SaveIndex::Of(index.groups, std::string())) {
        if (!IsIdentName(group->Name)) {
            std::cerr << "TSC save: group \"" << group->Name << "\" has no valid name; left out\n";
            continue;
        }
        SaveGroupOnce(*group, "", index, out);
    }
    return out;
}

bool TTSCFile::Save(const std::string& path) const {
    if (!::vsm::SaveText(SavedText(), path)) {
        std::cerr << "TSC save: cannot write " << path << "\n";
        return false;
    }
    return true;
}

bool TTSCFile::Save(TStream& stream) const {
    std::vector<uint8_t> bytes = EncodeText(SavedText());
    bool wasFailed = stream.failed;
    size_t written = stream.Write(bytes.data(), bytes.size());
    if (written != bytes.size() || (stream.failed && !wasFailed)) {
        std::cerr << "TSC save: the stream took " << written << " of " << bytes.size() << " bytes\n";
        return false;
    }
    return true;
}

// ---- Lookups and edits -------------------------------------------------------------------------

TTSCKeyPtr TTSCFile::ResolveKey(const std::string& path, const std::string& name) const {
    for (const TTSCKeyPtr& key : KeyList)
        if (key && TSCEqualNoCase(key->Name, name) && TSCEqualNoCase(key->Path, path)) return key;
    return nullptr;
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
        std::cerr << "TSC: value index " << index << " of " << path << "::" << name << " is outside 0.."
                  << TSC_MAX_VALUES - 1 << "; not set\n";
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
    KeyList.push_back(key);
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
    std::cerr << what << ": no document\n";
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
