// TTSCParser: builds the flat group, key and define records of a TSC document from its tokens.
#include "data/TTSCParser.h"

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

bool TTSCKey::SetValue(int i, std::string value, int type) {
    if (i < 0 || i >= TSC_MAX_VALUES) return false;
    if (ValueCount < i + 1) ValueCount = i + 1;
    // Callers may have changed ValueCount by hand; keep both arrays at least that long.
    if (static_cast<int>(Values.size()) < ValueCount) Values.resize(ValueCount);
    if (static_cast<int>(ValuesType.size()) < ValueCount) ValuesType.resize(ValueCount, TSC_TYPE_DEFINE);
    Values[i] = std::move(value);
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

void TTSCParser::Parse(TTSCLexer& lexer) {
    TokenArray.clear();
    source = &lexer;
    lexerFailed = false;
    try {
        Run();
    } catch (const TSCError&) {
        source = nullptr;
        // The first lexer fault of the text wins over a parse fault found before it. A lexer
        // fault is the first one already: lexing on from the character it stopped at would only
        // report some later accident of its own.
        if (!lexerFailed) lexer.LexRest();
        throw;
    }
    source = nullptr;
}

namespace {

std::string FoldedName(const std::string& name) {
    std::string folded = name;
    for (char& c : folded)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return folded;
}

} // namespace

void TTSCParser::Run() {
    KeyList.clear();
    GroupList.clear();
    DefineList.clear();
    defineIndex.clear();
    TokenPosition = 0;
    CurrentToken = -1;
    PathArray.clear();
    PathTop = 0;
    if (EOTS()) ErrorAtPos("Empty document");
    do {
        ParseStatement();
    } while (!EOTS());
}

bool TTSCParser::Ensure(size_t index) {
    while (TokenArray.size() <= index) {
        if (!source) return false;
        bool more = false;
        try {
            more = source->LexNext();
        } catch (const TSCError&) {
            lexerFailed = true;
            throw;
        }
        if (!more) return false;
        TokenArray.push_back(std::move(source->TokenList.back()));
        source->TokenList.pop_back();
    }
    return true;
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

std::string TTSCParser::TakeCurrentText() {
    if (CurrentToken < 0 || CurrentToken >= static_cast<int>(TokenArray.size())) return std::string();
    // Streamed tokens are dropped once taken, so their text can move into the records.
    if (source) return std::move(TokenArray[CurrentToken].Value);
    return TokenArray[CurrentToken].Value;
}

bool TTSCParser::EOTS() {
    return !Ensure(static_cast<size_t>(TokenPosition));
}

const TTSCToken& TTSCParser::NextToken() {
    if (EOTS()) ErrorAtPos("Unexpected end of file");
    // While tokens stream in, drop those already taken so the window stays small; the current
    // token stays, for the positions of error texts.
    constexpr int kWindow = 4096;
    if (source && CurrentToken >= kWindow) {
        TokenArray.erase(TokenArray.begin(), TokenArray.begin() + CurrentToken);
        TokenPosition -= CurrentToken;
        CurrentToken = 0;
    }
    CurrentToken = TokenPosition++;
    return TokenArray[CurrentToken];
}

const TTSCToken* TTSCParser::LookAheadToken() {
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
    std::string name = TakeCurrentText();
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
    key->Name = TakeCurrentText();
    key->Path = PeekPath();
    KeyList.push_back(key);
    ReadToken(TSC_TOKEN_EQUALS);
    for (int i = 0;; ++i) {
        if (i >= TSC_MAX_VALUES)
            ErrorAtPos("More than " + std::to_string(TSC_MAX_VALUES) + " values in one key");
        const TTSCToken& t = NextToken();
        if (t.ID == TSC_TOKEN_NUMBER) {
            key->SetValue(i, TakeCurrentText(), TSC_TYPE_NUMBER);
        } else if (t.ID == TSC_TOKEN_STRING) {
            key->SetValue(i, TakeCurrentText(), TSC_TYPE_STRING);
        } else if (t.ID == TSC_TOKEN_IDENT) {
            // The last define of that name read so far wins.
            auto found = defineIndex.find(FoldedName(t.Value));
            if (found == defineIndex.end()) ErrorAtPos("Unexpected token " + TokenIDToMnemonic(t.ID));
            key->SetValue(i, DefineList[found->second].Value, TSC_TYPE_DEFINE);
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
    DefineList[index].Ident = TakeCurrentText();
    const TTSCToken& t = NextToken();
    if (t.ID != TSC_TOKEN_NUMBER && t.ID != TSC_TOKEN_STRING && t.ID != TSC_TOKEN_IDENT)
        ErrorAtPos("Unexpected token " + TokenIDToMnemonic(t.ID));
    DefineList[index].Value = TakeCurrentText();
    defineIndex[FoldedName(DefineList[index].Ident)] = index;
}

} // namespace vsm
