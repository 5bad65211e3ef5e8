// TTSCLexer: turns the text of one TSC document into tokens with their line and character.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

namespace vsm {

class TStream;

// The error text of the TSC reader ("ERROR: ... at line L, character C"); what() is the text.
// Every fault of the lexer, the parser and a document load is thrown as one of these.
struct TSCError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Token kinds.
constexpr int TSC_TOKEN_OPEN = 1;    // "{"
constexpr int TSC_TOKEN_CLOSE = 2;   // "}"
constexpr int TSC_TOKEN_HASH = 3;    // "#"
constexpr int TSC_TOKEN_SEMI = 4;    // ";"
constexpr int TSC_TOKEN_COMMA = 5;   // ","
constexpr int TSC_TOKEN_EQUALS = 6;  // "="
constexpr int TSC_TOKEN_STRING = 7;  // quoted string, Value is the decoded content
constexpr int TSC_TOKEN_NUMBER = 8;  // number, Value as written
constexpr int TSC_TOKEN_IDENT = 9;   // identifier, Value as written
constexpr int TSC_TOKEN_DEFINE = 10; // the keyword "define" in any case, Value as written

// The word used for a token kind in error texts ("{", "String", "Ident"...); "Unknown" otherwise.
std::string TokenIDToMnemonic(int id);

// True for 0-9, a-z, A-Z and "_" (c is one character; anything longer or shorter is false).
bool IsCharIdent(const std::string& c);
// True for 0-9, "." and "-"; also "+" and "e" once the number read so far has 4 characters.
bool IsCharNumeric(const std::string& c, const std::string& numberSoFar);
// True when the name lexes back as one identifier token: not empty, identifier characters only,
// not starting with a digit, and not the keyword define in any case.
bool IsTSCIdentifier(const std::string& name);

// One token: its kind, text and the lexer's line and character when it was recorded.
struct TTSCToken {
    int ID = 0;
    std::string Value;
    int Line = 0;
    int Char = 0;
};

// The lexer; one Lex per text. Characters are the bytes of the UTF-8 text, but a multi-byte
// character counts as one in TokenChar.
class TTSCLexer {
  public:
    std::vector<TTSCToken> TokenList;
    int TokenLine = 1;
    int TokenChar = 0;
    std::string FirstTokenChar;
    int OverwriteTokenID = 0;
    std::string Stream;
    int poz = 0;
    int size = 0;

    // Lexes the whole file (decoded by its byte-order mark); throws TSCError on the first fault
    // and when the file cannot be read.
    void Lex(const std::string& path);
    // Lexes the rest of the stream (decoded by its byte-order mark); throws TSCError on a fault.
    void Lex(TStream& stream);
    // Lexes already decoded UTF-8 text; throws TSCError on the first fault.
    void LexText(const std::string& utf8);
    // Starts lexing the text one token at a time (LexNext); throws TSCError when it is too long.
    void Begin(std::string utf8);
    // Appends the next token of the text begun to TokenList; false at the end of the text.
    // Throws TSCError on a fault, as LexText.
    bool LexNext();
    // Lexes what is left of the text begun; throws TSCError on the first fault.
    void LexRest();
    // The whole text of a file or of the rest of a stream, decoded by its byte-order mark; throws
    // TSCError when the file cannot be read.
    static std::string SourceText(const std::string& path);
    static std::string SourceText(TStream& stream);

    // Throws the unknown-character error for the current character.
    [[noreturn]] void ErrorChar();
    // Throws "ERROR: " + message + " at line L, character C" with the current counts.
    [[noreturn]] void ErrorAtPos(const std::string& message);
    // True when no current character is left.
    bool koniecS() const;
    // Moves to the next character, counting lines and characters; does nothing at the end.
    void NextChar();
    // Scans a string opened by quote (the current character); returns the decoded content and
    // leaves the closing quote current. Throws TSCError on a bad escape or an unclosed string.
    std::string LexString(char quote);
    // Scans an identifier; throws TSCError when it runs to the end of the text.
    std::string LexIdent();
    // Scans a number; throws TSCError on a bad number or when it runs to the end of the text.
    std::string LexNumber();
    // Appends a token of the kind (or of OverwriteTokenID when set) and returns it.
    TTSCToken& NewToken(int id, std::string value);

  private:
    void Reset();
    void SkipBlockComment();
    void SkipLineComment();
    char cur = 0; // first byte of FirstTokenChar; 0 at the end
    bool atEnd = true;
};

} // namespace vsm
