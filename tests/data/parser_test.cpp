// Tests of the TSC parser: group paths, key values and types, defines, and error texts.
#include "data/TTSCParser.h"

#include <gtest/gtest.h>

namespace vsm {
namespace {

TTSCParser Parse(const std::string& text) {
    TTSCLexer lexer;
    lexer.LexText(text);
    TTSCParser parser;
    parser.Parse(lexer.TokenList);
    return parser;
}

// The same parse taking tokens from the lexer as they are needed, as a document load does.
TTSCParser ParseStreamed(const std::string& text) {
    TTSCLexer lexer;
    lexer.Begin(text);
    TTSCParser parser;
    parser.Parse(lexer);
    return parser;
}

std::string ErrorOf(TTSCParser (*parse)(const std::string&), const std::string& text) {
    try {
        parse(text);
    } catch (const TSCError& e) {
        return e.what();
    }
    return "(no error)";
}

std::string ParseError(const std::string& text) {
    return ErrorOf(Parse, text);
}

TEST(TscParser, NestedGroupsRecordTheirPaths) {
    TTSCParser p = Parse("a{b{c=1}}\n");
    ASSERT_EQ(p.GroupList.size(), 2u);
    EXPECT_EQ(p.GroupList[0]->Path, "");
    EXPECT_EQ(p.GroupList[0]->Name, "a");
    EXPECT_EQ(p.GroupList[1]->Path, "a");
    EXPECT_EQ(p.GroupList[1]->Name, "b");
    ASSERT_EQ(p.KeyList.size(), 1u);
    EXPECT_EQ(p.KeyList[0]->Path, "a::b");
    EXPECT_EQ(p.KeyList[0]->Name, "c");
    EXPECT_EQ(p.KeyList[0]->ValueCount, 1);
    EXPECT_EQ(p.KeyList[0]->Value(0), "1");
    EXPECT_EQ(p.KeyList[0]->Type(0), TSC_TYPE_NUMBER);
}

TEST(TscParser, KeyValuesKeepTextAndType) {
    TTSCParser p = Parse("g{k=1,'x',2 a=1 b=2}\n");
    ASSERT_EQ(p.KeyList.size(), 3u);
    const TTSCKey& k = *p.KeyList[0];
    EXPECT_EQ(k.ValueCount, 3);
    EXPECT_EQ(k.Values, (std::vector<std::string>{"1", "x", "2"}));
    EXPECT_EQ(k.ValuesType, (std::vector<int>{1, 2, 1}));
    EXPECT_EQ(p.KeyList[1]->Name, "a");
    EXPECT_EQ(p.KeyList[2]->Name, "b");
}

TEST(TscParser, DefinesResolveToTheLastEarlierOne) {
    TTSCParser p = Parse("#define name 5\n#DEFINE Name 7\ng{k=NAME}\n#define later 1\n");
    ASSERT_EQ(p.KeyList.size(), 1u);
    EXPECT_EQ(p.KeyList[0]->Value(0), "7");
    EXPECT_EQ(p.KeyList[0]->Type(0), TSC_TYPE_DEFINE);
    ASSERT_EQ(p.DefineList.size(), 3u);
    // An identifier as a define's value is plain text, never looked up.
    TTSCParser q = Parse("#define a b\n#define b 'x'\ng{k=a}\n");
    EXPECT_EQ(q.KeyList[0]->Value(0), "b");
}

TEST(TscParser, DuplicatesStay) {
    TTSCParser p = Parse("g{x=1}\ng{y=2}\n");
    ASSERT_EQ(p.GroupList.size(), 2u);
    EXPECT_EQ(p.GroupList[1]->Name, "g");
    ASSERT_EQ(p.KeyList.size(), 2u);
    EXPECT_EQ(p.KeyList[0]->Path, "g");
    EXPECT_EQ(p.KeyList[1]->Path, "g");
}

TEST(TscParser, TopLevelKeyMayEndTheText) {
    TTSCParser p = Parse("k='v'");
    ASSERT_EQ(p.KeyList.size(), 1u);
    EXPECT_EQ(p.KeyList[0]->Path, "");
}

TEST(TscParser, ErrorTexts) {
    struct Case {
        const char* text;
        const char* error;
    } cases[] = {
        {"g{k=NAME}\n#define name 5\n", "ERROR: Unexpected token Ident at line 1, character 9"},
        {"#define x }", "ERROR: Unexpected token } at line 1, character 11"},
        {"#define 5 x\n", "ERROR: Expecting token \"Ident\" at line 1, position 10"},
        {"#include x\n", "ERROR: Unknown directive \"Ident\" at line 1, character 9"},
        {";", "ERROR: Unexpected ; at line 1, character 1"},
        {"g{k=;}", "ERROR: Unexpected token ; at line 1, character 5"},
        {"}", "ERROR: Unexpected } at line 1, character 1"},
        {"a b\n", "ERROR: Unexpected Ident at line 1, character 2"},
        {"a{b=1", "ERROR: Unexpected end of file at line 1, character 5"},
        {"a{", "ERROR: Unexpected end of file, group \"a\" is not closed at line 1, character 2"},
        {"a{b=1,", "ERROR: Unexpected end of file at line 1, character 6"},
        {"a{b=", "ERROR: Unexpected end of file at line 1, character 4"},
        {"#", "ERROR: Unexpected end of file at line 1, character 1"},
        {"#define x", "ERROR: Unexpected end of file at line 1, character 9"},
        {"a", "ERROR: Unexpected end of file at line 1, character 1"},
        {"", "ERROR: Empty document at line 1, character 0"},
        {"/* only a comment */", "ERROR: Empty document at line 1, character 0"},
        {"define=1\n", "ERROR: Unexpected Define at line 1, character 7"},
        // A fault of the lexer anywhere wins over a parse fault before it.
        {"}\n'open", "ERROR: Unfinished string at line 2, character 6"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ParseError(c.text), c.error);
        EXPECT_EQ(ErrorOf(ParseStreamed, c.text), c.error);
    }
}

TEST(TscParser, StreamedTokensGiveTheSameRecordsAndPositionsInLongTexts) {
    // Far more tokens than the streamed parse keeps at once.
    std::string text = "#define v 7\ng{\n";
    for (int i = 0; i < 3000; ++i)
        text += "k" + std::to_string(i) + "=1,'s',v\n";
    text += "}\n";
    TTSCParser whole = Parse(text);
    TTSCParser streamed = ParseStreamed(text);
    ASSERT_EQ(streamed.KeyList.size(), 3000u);
    for (size_t i = 0; i < whole.KeyList.size(); i += 999) {
        SCOPED_TRACE(i);
        EXPECT_EQ(streamed.KeyList[i]->Name, whole.KeyList[i]->Name);
        EXPECT_EQ(streamed.KeyList[i]->Values, (std::vector<std::string>{"1", "s", "7"}));
        EXPECT_EQ(streamed.KeyList[i]->ValuesType, whole.KeyList[i]->ValuesType);
    }
    EXPECT_EQ(ErrorOf(ParseStreamed, text + ";"), "ERROR: Unexpected ; at line 3004, character 2");
}

TEST(TscParser, LimitsFailCleanly) {
    std::string values = "g{k=0";
    for (int i = 1; i < TSC_MAX_VALUES; ++i)
        values += ",0";
    EXPECT_EQ(Parse(values + "}\n").KeyList[0]->ValueCount, TSC_MAX_VALUES);
    EXPECT_NE(ParseError(values + ",0}\n").find("More than 1000 values"), std::string::npos);

    std::string deep;
    for (int i = 0; i < TSC_MAX_DEPTH; ++i)
        deep += "g{";
    std::string deepText = deep + std::string(TSC_MAX_DEPTH, '}') + "\n";
    EXPECT_EQ(Parse(deepText).GroupList.size(), static_cast<size_t>(TSC_MAX_DEPTH));
    EXPECT_NE(ParseError("g{" + deepText).find("nested more than 1000 deep"), std::string::npos);
}

} // namespace
} // namespace vsm
