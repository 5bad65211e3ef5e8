// TTSCLexer: turns the text of one TSC document into tokens with their line and character.
#include "data/TTSCLexer.h"

#include "platform/Files.h"

#include <cstdint>
#include <optional>

namespace vsm {

namespace {

bool IdentByte(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}

// The number rule on single bytes; len is the length of the number read so far.
bool NumericByte(char c, size_t len) {
    if ((c >= '0' && c <= '9') || c == '.' || c == '-') return true;
    return len >= 4 && (c == '+' || c == 'e');
}

// True for the keyword define in any mix of the cases of A to Z.
bool IsDefineWord(const std::string& word) {
    static const char kDefine[] = "define";
    if (word.size() != 6) return false;
    for (size_t i = 0; i < 6; ++i) {
        char c = word[i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != kDefine[i]) return false;
    }
    return true;
}

bool IsContinuation(unsigned char c) {
    return (c & 0xC0) == 0x80;
}

} // namespace

std::string TokenIDToMnemonic(int id) {
    switch (id) {
    case TSC_TOKEN_OPEN:
        return "{";
    case TSC_TOKEN_CLOSE:
        return "}";
    case TSC_TOKEN_HASH:
        return "#";
    case TSC_TOKEN_SEMI:
        return ";";
    case TSC_TOKEN_COMMA:
        return ",";
    case TSC_TOKEN_EQUALS:
        return "=";
    case TSC_TOKEN_STRING:
        return "String";
    case TSC_TOKEN_NUMBER:
        return "Number";
    case TSC_TOKEN_IDENT:
        return "Ident";
    case TSC_TOKEN_DEFINE:
        return "Define";
    default:
        return "Unknown";
    }
}

bool IsCharIdent(const std::string& c) {
    return c.size() == 1 && IdentByte(c[0]);
}

bool IsCharNumeric(const std::string& c, const std::string& numberSoFar) {
    return c.size() == 1 && NumericByte(c[0], numberSoFar.size());
}

bool IsTSCIdentifier(const std::string& name) {
    if (name.empty() || NumericByte(name[0], 0)) return false;
    for (char c : name)
        if (!IdentByte(c)) return false;
    return !IsDefineWord(name);
}

void TTSCLexer::Reset() {
    TokenList.clear();
    TokenLine = 1;
    TokenChar = 0;
    FirstTokenChar.clear();
    OverwriteTokenID = 0;
    poz = 0;
    size = static_cast<int>(Stream.size());
    cur = 0;
    atEnd = true;
}

std::string TTSCLexer::SourceText(const std::string& path) {
    std::optional<std::string> text = LoadText(path);
    if (!text) throw TSCError("ERROR: Cannot read the file " + path);
    return std::move(*text);
}

std::string TTSCLexer::SourceText(TStream& stream) {
    std::vector<uint8_t> bytes = ReadAll(stream);
    return DecodeText(bytes.data(), bytes.size());
}

void TTSCLexer::Lex(const std::string& path) {
    Begin(SourceText(path));
    LexRest();
}

void TTSCLexer::Lex(TStream& stream) {
    Begin(SourceText(stream));
    LexRest();
}

void TTSCLexer::LexText(const std::string& utf8) {
    Begin(utf8);
    LexRest();
}

void TTSCLexer::LexRest() {
    while (LexNext()) {
    }
}

void TTSCLexer::Begin(std::string utf8) {
    if (utf8.size() > static_cast<size_t>(INT32_MAX - 8))
        throw TSCError("ERROR: Text too long at line 1, character 0");
    Stream = std::move(utf8);
    Reset();
    NextChar();
}

bool TTSCLexer::LexNext() {
    const size_t before = TokenList.size();
    while (!atEnd && TokenList.size() == before) {
        switch (cur) {
        case ' ':
        case '\t':
        case '\r':
        case '\n':
            NextChar();
            break;
        case '#':
            NewToken(TSC_TOKEN_HASH, "#");
            NextChar();
            break;
        case '{':
            NewToken(TSC_TOKEN_OPEN, "{");
            NextChar();
            break;
        case '}':
            NewToken(TSC_TOKEN_CLOSE, "}");
            NextChar();
            break;
        case ';':
            NewToken(TSC_TOKEN_SEMI, ";");
            NextChar();
            break;
        case ',':
            NewToken(TSC_TOKEN_COMMA, ",");
            NextChar();
            break;
        case '=':
            NewToken(TSC_TOKEN_EQUALS, "=");
            NextChar();
            break;
        case '\'':
        case '"': {
            NewToken(TSC_TOKEN_STRING, LexString(cur));
            NextChar();
            break;
        }
        case '/':
            NextChar();
            if (atEnd) ErrorAtPos("Unexpected end of file after \"/\"");
            if (cur == '*') {
                NextChar();
                SkipBlockComment();
            } else if (cur == '/') {
                SkipLineComment();
            } else {
                ErrorChar();
            }
            break;
        default:
            if (IsCharNumeric(FirstTokenChar, std::string())) {
                NewToken(TSC_TOKEN_NUMBER, LexNumber());
            } else if (IsCharIdent(FirstTokenChar)) {
                NewToken(TSC_TOKEN_IDENT, LexIdent());
            } else {
                ErrorChar();
            }
        }
    }
    return TokenList.size() > before;
}

void TTSCLexer::ErrorChar() {
    throw TSCError("ERROR: Unknown character ('" + FirstTokenChar + "') at line " +
                   std::to_string(TokenLine) + ", character " + std::to_string(TokenChar));
}

void TTSCLexer::ErrorAtPos(const std::string& message) {
    throw TSCError("ERROR: " + message + " at line " + std::to_string(TokenLine) + ", character " +
                   std::to_string(TokenChar));
}

bool TTSCLexer::koniecS() const {
    return atEnd;
}

void TTSCLexer::NextChar() {
    if (poz >= size) {
        atEnd = true;
        cur = 0;
        FirstTokenChar.clear();
        return;
    }
    atEnd = false;
    int start = poz;
    cur = Stream[poz++];
    // A multi-byte UTF-8 character is one character: take its continuation bytes with it.
    if (static_cast<unsigned char>(cur) >= 0xC0) {
        while (poz < size && poz - start < 4 && IsContinuation(static_cast<unsigned char>(Stream[poz])))
            ++poz;
    }
    // Most characters are one byte: overwrite in place instead of reassigning the string.
    if (poz - start == 1 && FirstTokenChar.size() == 1)
        FirstTokenChar[0] = cur;
    else
        FirstTokenChar.assign(Stream, start, poz - start);
    if (cur == '\n') {
        ++TokenLine;
        TokenChar = 0;
    }
    ++TokenChar;
}

void TTSCLexer::SkipBlockComment() {
    for (;;) {
        if (atEnd) ErrorAtPos("Unfinished block comment");
        if (cur == '*') {
            NextChar();
            if (!atEnd && cur == '/') {
                NextChar();
                return;
            }
        } else {
            NextChar();
        }
    }
}

void TTSCLexer::SkipLineComment() {
    while (!atEnd && cur != '\n')
        NextChar();
}

std::string TTSCLexer::LexString(char quote) {
    NextChar();
    std::string result;
    for (;;) {
        if (atEnd) ErrorAtPos("Unfinished string");
        if (cur == quote) return result;
        if (cur != '\\') {
            // Copy the run of plain bytes up to the next quote, backslash or line feed at once.
            int start = poz - static_cast<int>(FirstTokenChar.size());
            int end = start;
            while (end < size && Stream[end] != quote && Stream[end] != '\\' && Stream[end] != '\n' &&
                   static_cast<unsigned char>(Stream[end]) < 0x80)
                ++end;
            if (end > start) {
                result.append(Stream, start, end - start);
                TokenChar += end - start - 1;
                poz = end;
                NextChar();
                continue;
            }
            result += FirstTokenChar;
            NextChar();
            continue;
        }
        NextChar();
        if (atEnd) ErrorAtPos("Unfinished string");
        char c = cur;
        if (c == quote) {
            result += quote;
        } else {
            switch (c) {
            case '\\':
                result += '\\';
                break;
            case 'a':
                result += '\a';
                break;
            case 'b':
                result += '\b';
                break;
            case 'f':
                result += '\f';
                break;
            case 'n':
                result += '\n';
                break;
            case 'r':
                result += '\r';
                break;
            case 't':
                result += '\t';
                break;
            case 'v':
                result += '\v';
                break;
            case '0':
                result += '\0';
                break;
            default:
                ErrorAtPos("Unknown escape sequence ('\\" + FirstTokenChar + "')");
            }
        }
        NextChar();
    }
}

std::string TTSCLexer::LexIdent() {
    std::string result;
    for (;;) {
        if (atEnd) ErrorAtPos("Unexpected end of file");
        if (!IsCharIdent(FirstTokenChar)) break;
        result += cur;
        NextChar();
    }
    if (IsDefineWord(result)) OverwriteTokenID = TSC_TOKEN_DEFINE;
    return result;
}

std::string TTSCLexer::LexNumber() {
    std::string result;
    bool radix = false;
    for (;;) {
        if (atEnd) ErrorAtPos("Unexpected end of file");
        if (!IsCharNumeric(FirstTokenChar, result)) break;
        if (cur == '.') {
            if (radix) ErrorAtPos("Multiple radix points found in floating point value");
            radix = true;
        }
        // A sign right after the exponent's "e" is part of the exponent: small numbers are saved
        // as 9.99999975e-05 and must read back.
        if (cur == '-' && !result.empty() && result.back() != 'e')
            ErrorAtPos("Unary minus must come at the start of a number");
        result += cur;
        NextChar();
    }
    return result;
}

TTSCToken& TTSCLexer::NewToken(int id, std::string value) {
    if (OverwriteTokenID != 0) {
        id = OverwriteTokenID;
        OverwriteTokenID = 0;
    }
    TokenList.push_back(TTSCToken{id, std::move(value), TokenLine, TokenChar});
    return TokenList.back();
}

} // namespace vsm
