// TTSCParser: builds the flat group, key and define records of a TSC document from its tokens.
#include "data/TTSCParser.h"

#include "data/TTSCFile.h"

namespace vsm {

namespace {
const std::string kEmpty;
const TTSCToken kNoToken{0, "", 1, 0};
} // namespace

const std::string& TTSCKey::Value(int i) const {
    if (i < 0 || i >= ValueCount || i >= static_cast<int>(Values.size())) return kEmpty;
    return Values[i];
}

int TTSCKey::Type(int i) const {
    if (i < 0 || i >= ValueCount || i >= static_cast<int>(ValuesType.size())) return TSC_TYPE_DEFINE;
    return ValuesType[i];
}

bool TTSCKey::SetValue(int i, const std::string& value, int type) {
    if (i < 0 || i >= TSC_MAX_VALUES) return false;
    if (ValueCount < i + 1) ValueCount = i + 1;
    // Callers may have changed ValueCount by hand; keep both arrays at least that long.
    if (static_cast<int>(Values.size()) < ValueCount) Values.resize(ValueCount);
    if (static_cast<int>(ValuesType.size()) < ValueCount) ValuesType.resize(ValueCount, TSC_TYPE_DEFINE);
    Values[i] = value;
    ValuesType[i] = type;
    return true;
}

void TTSCParser::Parse(const std::vector<TTSCToken>& tokens) {
    TokenArray = tokens;
    Run();
}

void TTSCParser::Parse(std::vector<TTSCToken>&& tokens) {
    TokenArray = std::move(tokens);
    Run();
}

void TTSCParser::Run() {
    KeyList.clear();
    GroupList.clear();
    DefineList.clear();
    TokenPosition = 0;
    CurrentToken = -1;
    PathArray.clear();
    PathTop = 0;
    if (TokenArray.empty()) ErrorAtPos("Empty document");
    do {
        ParseStatement();
    } while (!EOTS());
}

std::string TTSCParser::PeekPath() const {
    return PathTop > 0 ? PathArray[PathTop - 1] : std::string();
}

void TTSCParser::PushPath(const std::string& path) {
    if (PathTop >= TSC_MAX_DEPTH)
        ErrorAtPos("Groups nested more than " + std::to_string(TSC_MAX_DEPTH) + " deep");
    if (static_cast<int>(PathArray.size()) <= PathTop) PathArray.resize(PathTop + 1);
    PathArray[PathTop++] = path;
}

void TTSCParser::PopPath() {
    if (PathTop > 0) --PathTop;
}

const TTSCToken& TTSCParser::Current() const {
    if (CurrentToken < 0 || CurrentToken >= static_cast<int>(TokenArray.size())) return kNoToken;
    return TokenArray[CurrentToken];
}

void TTSCParser::ErrorAtPos(const std::string& message) const {
    const TTSCToken& t = Current();
    throw TSCError("ERROR: " + message + " at line " + std::to_string(t.Line) + ", character " +
                   std::to_string(t.Char));
}

bool TTSCParser::EOTS() const {
    return TokenPosition >= static_cast<int>(TokenArray.size());
}

const TTSCToken& TTSCParser::NextToken() {
    if (EOTS()) ErrorAtPos("Unexpected end of file");
    CurrentToken = TokenPosition++;
    return TokenArray[CurrentToken];
}

const TTSCToken* TTSCParser::LookAheadToken() const {
    if (EOTS()) return nullptr;
    return &TokenArray[TokenPosition];
}

void TTSCParser::ReadToken(int id) {
    const TTSCToken& t = NextToken();
    if (t.ID != id)
        throw TSCError("ERROR: Expecting token \"" + TokenIDToMnemonic(id) + "\" at line " +
                       std::to_string(t.Line) + ", position " + std::to_string(t.Char));
}

void TTSCParser::ParseStatement() {
    const TTSCToken& t = NextToken();
    if (t.ID == TSC_TOKEN_IDENT)
        ParseIdent();
    else if (t.ID == TSC_TOKEN_HASH)
        ParseDirective();
    else
        ErrorAtPos("Unexpected " + TokenIDToMnemonic(t.ID));
}

void TTSCParser::ParseIdent() {
    const TTSCToken* next = LookAheadToken();
    if (!next) ErrorAtPos("Unexpected end of file");
    if (next->ID == TSC_TOKEN_OPEN)
        ParseGroup();
    else if (next->ID == TSC_TOKEN_EQUALS)
        ParseKey();
    else
        ErrorAtPos("Unexpected " + TokenIDToMnemonic(next->ID));
}

void TTSCParser::ParseGroup() {
    std::string name = Current().Value;
    ReadToken(TSC_TOKEN_OPEN);
    auto group = std::make_shared<TTSCGroup>();
    group->Path = PeekPath();
    group->Name = name;
    GroupList.push_back(group);
    PushPath(group->FullPath());
    for (;;) {
        const TTSCToken* next = LookAheadToken();
        if (!next) ErrorAtPos("Unexpected end of file, group \"" + name + "\" is not closed");
        if (next->ID == TSC_TOKEN_CLOSE) break;
        ParseStatement();
    }
    PopPath();
    ReadToken(TSC_TOKEN_CLOSE);
}

void TTSCParser::ParseKey() {
    auto key = std::make_shared<TTSCKey>();
    key->Name = Current().Value;
    key->Path = PeekPath();
    KeyList.push_back(key);
    ReadToken(TSC_TOKEN_EQUALS);
    for (int i = 0;; ++i) {
        if (i >= TSC_MAX_VALUES)
            ErrorAtPos("More than " + std::to_string(TSC_MAX_VALUES) + " values in one key");
        const TTSCToken& t = NextToken();
        if (t.ID == TSC_TOKEN_NUMBER) {
            key->SetValue(i, t.Value, TSC_TYPE_NUMBER);
        } else if (t.ID == TSC_TOKEN_STRING) {
            key->SetValue(i, t.Value, TSC_TYPE_STRING);
        } else if (t.ID == TSC_TOKEN_IDENT) {
            // The last define of that name read so far wins.
            const TTSCDefine* found = nullptr;
            for (auto it = DefineList.rbegin(); it != DefineList.rend() && !found; ++it)
                if (TSCEqualNoCase(it->Ident, t.Value)) found = &*it;
            if (!found) ErrorAtPos("Unexpected token " + TokenIDToMnemonic(t.ID));
            key->SetValue(i, found->Value, TSC_TYPE_DEFINE);
        } else {
            ErrorAtPos("Unexpected token " + TokenIDToMnemonic(t.ID));
        }
        const TTSCToken* next = LookAheadToken();
        if (!next || next->ID != TSC_TOKEN_COMMA) break;
        NextToken();
    }
}

void TTSCParser::ParseDirective() {
    const TTSCToken& t = NextToken();
    if (t.ID != TSC_TOKEN_DEFINE) ErrorAtPos("Unknown directive \"" + TokenIDToMnemonic(t.ID) + "\"");
    ParseDefine();
}

void TTSCParser::ParseDefine() {
    DefineList.emplace_back();
    size_t index = DefineList.size() - 1;
    ReadToken(TSC_TOKEN_IDENT);
    DefineList[index].Ident = Current().Value;
    const TTSCToken& t = NextToken();
    if (t.ID != TSC_TOKEN_NUMBER && t.ID != TSC_TOKEN_STRING && t.ID != TSC_TOKEN_IDENT)
        ErrorAtPos("Unexpected token " + TokenIDToMnemonic(t.ID));
    DefineList[index].Value = t.Value;
}

} // namespace vsm
