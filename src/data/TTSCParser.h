// TTSCParser: builds the flat group, key and define records of a TSC document from its tokens.
#pragma once

#include "data/TTSCLexer.h"

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace vsm {

// Most values one key holds (indices 0 to 999) and the deepest nesting of groups.
constexpr int TSC_MAX_VALUES = 1000;
constexpr int TSC_MAX_DEPTH = 1000;

// Value types of a key.
constexpr int TSC_TYPE_DEFINE = 0; // taken from a define, or never written
constexpr int TSC_TYPE_NUMBER = 1;
constexpr int TSC_TYPE_STRING = 2;

// One group: the full path of its enclosing group ("" at the top level) and its own name.
struct TTSCGroup {
    std::string Path;
    std::string Name;
    // Its own full path: Name at the top level, else Path + "::" + Name.
    std::string FullPath() const { return Path.empty() ? Name : Path + "::" + Name; }
};
using TTSCGroupPtr = std::shared_ptr<TTSCGroup>;

// One key: the full path of its group, its name and its values as text with their types.
// Values and ValuesType hold exactly ValueCount entries; an entry never written is "" of type 0.
struct TTSCKey {
    std::string Path;
    std::string Name;
    std::vector<std::string> Values;
    std::vector<int> ValuesType;
    int ValueCount = 0;
    // Value i, or "" when i lies outside 0..ValueCount-1.
    const std::string& Value(int i) const;
    // The type of value i, or 0 when i lies outside 0..ValueCount-1.
    int Type(int i) const;
    // Sets value i (0..999) and its type, growing ValueCount to i + 1 when needed; false (and
    // nothing changed) when i is outside 0..999.
    bool SetValue(int i, std::string value, int type);
};
using TTSCKeyPtr = std::shared_ptr<TTSCKey>;

// One "#define Ident Value" directive.
struct TTSCDefine {
    std::string Ident;
    std::string Value;
};

// The parser; one Parse per token list. Records appended before a fault stay in the lists.
class TTSCParser {
  public:
    std::vector<TTSCKeyPtr> KeyList;
    std::vector<TTSCGroupPtr> GroupList;
    std::vector<TTSCDefine> DefineList;
    std::vector<TTSCToken> TokenArray;
    int TokenPosition = 0;
    // Index in TokenArray of the token taken last; -1 before the first.
    int CurrentToken = -1;
    std::vector<std::string> PathArray;
    int PathTop = 0;

    // Parses the tokens into KeyList, GroupList and DefineList; throws TSCError on the first fault
    // (also on a text with no tokens at all).
    void Parse(const std::vector<TTSCToken>& tokens);
    void Parse(std::vector<TTSCToken>&& tokens);
    // Parses the text the lexer has begun, taking its tokens as they are needed, so that the
    // tokens of a large text are never all held at once (TokenArray keeps only a window). A lexer
    // fault anywhere in the text is thrown in preference to a parse fault, as when the whole text
    // is lexed first.
    void Parse(TTSCLexer& lexer);

    // The top of the path stack, or "" when it is empty.
    std::string PeekPath() const;
    void PushPath(const std::string& path);
    void PopPath();
    // Throws "ERROR: " + message + " at line L, character C" at the current token.
    [[noreturn]] void ErrorAtPos(const std::string& message) const;
    void ParseStatement();
    void ParseDirective();
    void ParseDefine();
    void ParseIdent();
    void ParseGroup();
    void ParseKey();
    // Takes the next token; throws TSCError when none is left.
    const TTSCToken& NextToken();
    // The next token without taking it; null when none is left.
    const TTSCToken* LookAheadToken();
    // Takes the next token and throws the expecting-token error unless it has the kind.
    void ReadToken(int id);
    // True when every token has been taken.
    bool EOTS();
    // The token taken last (a token of kind 0 before the first).
    const TTSCToken& Current() const;

  private:
    void Run();
    // True when TokenArray holds the token at index, taking tokens from the lexer as needed.
    bool Ensure(size_t index);
    // The text of the current token, moved out of it while tokens stream in.
    std::string TakeCurrentText();
    TTSCLexer* source = nullptr; // the lexer tokens are taken from while a Parse(lexer) runs
    bool lexerFailed = false;    // the fault that ends a Parse(lexer) came from the lexer
    // Folded name of each define -> its index in DefineList, so a key finds the last define of a
    // name at once however many defines the text has.
    std::unordered_map<std::string, size_t> defineIndex;
};

} // namespace vsm
