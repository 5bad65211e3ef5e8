// Tests of the TSC lexer: tokens, positions, strings, comments, numbers and error texts.
#include "data/TTSCLexer.h"

#include <gtest/gtest.h>

namespace vsm {
namespace {

std::vector<TTSCToken> Lex(const std::string& text) {
    TTSCLexer lexer;
    lexer.LexText(text);
    return lexer.TokenList;
}

std::string LexError(const std::string& text) {
    TTSCLexer lexer;
    try {
        lexer.LexText(text);
    } catch (const TSCError& e) {
        return e.what();
    }
    return "(no error)";
}

// Kinds and texts of the tokens as one line, e.g. "9:a 1:{ 2:}".
std::string Summary(const std::vector<TTSCToken>& tokens) {
    std::string out;
    for (const TTSCToken& t : tokens) {
        if (!out.empty()) out += ' ';
        out += std::to_string(t.ID) + ":" + t.Value;
    }
    return out;
}

TEST(TscLexer, TokenKindsAndTexts) {
    struct Case {
        const char* text;
        const char* tokens;
    } cases[] = {
        {"", ""},
        {"  \t\r\n /* c */ // line\n", ""},
        {"a{}", "9:a 1:{ 2:}"},
        {"x=1\n", "9:x 6:= 8:1"},
        {"#;,=", "3:# 4:; 5:, 6:="},
        {"'a''b'", "7:a 7:b"},
        {"'say \"hi\"'", "7:say \"hi\""},
        {"\"it\\\"s\"", "7:it\"s"},
        {"DEFINE Define define defined\n", "10:DEFINE 10:Define 10:define 9:defined"},
        {"12ab\n", "8:12 9:ab"},
        {"1.00000000e+10\n", "8:1.00000000e+10"},
        {"1e5\n", "8:1 9:e5"},
        {"- . -.\n", "8:- 8:. 8:-."},
        {"/**/x=1 /***/\n", "9:x 6:= 8:1"},
        {"/* a /* b */x\n", "9:x"},
        {"_a9_\n", "9:_a9_"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(Summary(Lex(c.text)), c.tokens);
    }
}

TEST(TscLexer, EscapesDecodeToTheirCharacters) {
    auto tokens = Lex(R"('\\\'\a\b\f\n\r\t\v' "\0")");
    ASSERT_EQ(tokens.size(), 2u);
    EXPECT_EQ(tokens[0].Value, std::string("\\'\a\b\f\n\r\t\v"));
    EXPECT_EQ(tokens[1].Value, std::string(1, '\0'));
}

TEST(TscLexer, PositionsCountLinesAndCharacters) {
    // The first character of line 1 is character 1; of every later line, character 2.
    auto tokens = Lex("a=\n{\n'x\ny'}");
    ASSERT_EQ(tokens.size(), 5u);
    EXPECT_EQ(tokens[0].Line, 1);
    EXPECT_EQ(tokens[0].Char, 2); // an identifier carries the position after it
    EXPECT_EQ(tokens[1].Line, 1);
    EXPECT_EQ(tokens[1].Char, 2);
    EXPECT_EQ(tokens[2].Line, 2);
    EXPECT_EQ(tokens[2].Char, 2);
    // A string spanning a line break carries the line and character of its closing quote.
    EXPECT_EQ(tokens[3].Value, "x\ny");
    EXPECT_EQ(tokens[3].Line, 4);
    EXPECT_EQ(tokens[3].Char, 3);
    EXPECT_EQ(tokens[4].Char, 4);
}

TEST(TscLexer, MultiByteCharacterCountsOnce) {
    auto tokens = Lex("'\xC5\x82\xC3\xB3"
                      "d\xC5\xBA' x\n");
    ASSERT_EQ(tokens.size(), 2u);
    EXPECT_EQ(tokens[0].Value, "\xC5\x82\xC3\xB3"
                               "d\xC5\xBA");
    EXPECT_EQ(tokens[0].Char, 6);
    EXPECT_EQ(LexError("a\xC3\xA9"), "ERROR: Unknown character ('\xC3\xA9') at line 1, character 2");
}

TEST(TscLexer, ErrorTexts) {
    struct Case {
        const char* text;
        const char* error;
    } cases[] = {
        {"x=1", "ERROR: Unexpected end of file at line 1, character 3"},
        {"abc", "ERROR: Unexpected end of file at line 1, character 3"},
        {"/x", "ERROR: Unknown character ('x') at line 1, character 2"},
        {"a\n+", "ERROR: Unknown character ('+') at line 2, character 2"},
        {"10+5\n", "ERROR: Unknown character ('+') at line 1, character 3"},
        {"1.5.2\n", "ERROR: Multiple radix points found in floating point value at line 1, character 4"},
        {"5-3\n", "ERROR: Unary minus must come at the start of a number at line 1, character 2"},
        {"1.5-3\n", "ERROR: Unary minus must come at the start of a number at line 1, character 4"},
        {"'abc", "ERROR: Unfinished string at line 1, character 4"},
        {"'ab\\", "ERROR: Unfinished string at line 1, character 4"},
        {"'a\\\"'", "ERROR: Unknown escape sequence ('\\\"') at line 1, character 4"},
        {"'a\\q'", "ERROR: Unknown escape sequence ('\\q') at line 1, character 4"},
        {"/* open", "ERROR: Unfinished block comment at line 1, character 7"},
        {"/*/", "ERROR: Unfinished block comment at line 1, character 3"},
        {"x /", "ERROR: Unexpected end of file after \"/\" at line 1, character 3"},
        {"@", "ERROR: Unknown character ('@') at line 1, character 1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(LexError(c.text), c.error);
    }
}

TEST(TscLexer, ExponentMayCarryASign) {
    // Small numbers are saved in exponent form and must read back.
    EXPECT_EQ(Summary(Lex("9.99999975e-05,-1.00000000e-10\n")), "8:9.99999975e-05 5:, 8:-1.00000000e-10");
    // The sign is accepted only right after the exponent's "e".
    EXPECT_EQ(LexError("1.00e5-3\n"),
              "ERROR: Unary minus must come at the start of a number at line 1, character 7");
}

TEST(TscLexer, TokensBeforeAFaultStay) {
    TTSCLexer lexer;
    EXPECT_THROW(lexer.LexText("a{ @"), TSCError);
    EXPECT_EQ(Summary(lexer.TokenList), "9:a 1:{");
}

TEST(TscLexer, CharacterClasses) {
    EXPECT_TRUE(IsCharIdent("_"));
    EXPECT_TRUE(IsCharIdent("Z"));
    EXPECT_FALSE(IsCharIdent("-"));
    EXPECT_FALSE(IsCharIdent("\xC3\xA9"));
    EXPECT_TRUE(IsCharNumeric("-", ""));
    EXPECT_FALSE(IsCharNumeric("e", "1.0"));
    EXPECT_TRUE(IsCharNumeric("e", "1.00"));
    EXPECT_TRUE(IsCharNumeric("+", "1.00"));
    EXPECT_FALSE(IsCharNumeric("E", "1.00"));
    EXPECT_EQ(TokenIDToMnemonic(7), "String");
    EXPECT_EQ(TokenIDToMnemonic(10), "Define");
    EXPECT_EQ(TokenIDToMnemonic(11), "Unknown");
}

} // namespace
} // namespace vsm
