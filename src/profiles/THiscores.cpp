// THiscores: the hiscore table of the three modes (global `hiscore`) and its document
// "hiscores.dat"; TScore is one entry.
#include "profiles/THiscores.h"

#include "data/NumberText.h"
#include "data/TTSCFile.h"
#include "platform/Files.h"
#include "platform/System.h"

#include <algorithm>
#include <map>
#include <optional>

namespace vsm {

THiscores hiscore;

TScorePtr TScore::Create(const std::string& name, int score, int gameID, int typeID, const std::string& date,
                         const std::string& helpVar) {
    auto s = std::make_shared<TScore>();
    s->name = name;
    s->score = score;
    s->gameID = gameID;
    s->typeID = typeID;
    s->date = date;
    s->helpVar = helpVar;
    return s;
}

int TScore::CompareScores(const TScore& a, const TScore& b) {
    if (a.typeID != b.typeID) return a.typeID < b.typeID ? -1 : 1;
    if (a.score != b.score) return b.score < a.score ? -1 : 1;
    return 0;
}

namespace {

// A free name beside the damaged document: path + ".damaged", then ".damaged1", "2"...
std::string AsideName(const std::string& path) {
    for (int n = 0; n < 1000; ++n) {
        const std::string name = path + ".damaged" + (n ? std::to_string(n) : "");
        if (FileType(name) == FILETYPE_NONE) return name;
    }
    return "";
}

} // namespace

THiscores THiscores::Create(const std::string& path) {
    THiscores table;
    table.path = path;
    if (FileType(path) == FILETYPE_NONE || FileSize(path) == 0) table.CreateHiscoresFile();
    std::optional<std::string> text = LoadText(path);
    if (!text) {
        table.unreadable = FileType(path) != FILETYPE_NONE;
        Print("Hiscores " + path + " cannot be read; the table starts empty");
        return table;
    }
    if (table.LoadDocument(*text)) return table;
    // The player's results stay on disk beside the fresh default document.
    const std::string aside = AsideName(path);
    if (aside.empty() || !RenameFile(path, aside)) {
        table.unreadable = true;
        Print("Hiscores " + path + " is damaged and cannot be moved aside; the table starts empty");
        return table;
    }
    Print("Hiscores " + path + " is damaged; kept as " + aside);
    table.CreateHiscoresFile();
    text = LoadText(path);
    if (!text || !table.LoadDocument(*text))
        Print("Hiscores " + path + " cannot be read; the table starts empty");
    return table;
}

bool THiscores::LoadDocument(const std::string& text) {
    // Blanks and comments alone are an empty table, not a damaged one.
    TTSCLexer lexer;
    TTSCFilePtr doc = CreateTSCFile();
    try {
        lexer.LexText(text);
        if (lexer.TokenList.empty()) return true;
        doc->LoadFromText(text);
    } catch (const TSCError&) {
        return false;
    }
    for (const TTSCGroupPtr& group : GetTSCGroupList(doc, "")) {
        const std::string& g = group->Name;
        const std::string helpVar = GetTSCStringKey(doc, g, "helpVar", 0);
        const std::string date = GetTSCStringKey(doc, g, "date", 0);
        const int typeID = NumberToInt(GetTSCNumberKey(doc, g, "typeID", 0));
        const int gameID = NumberToInt(GetTSCNumberKey(doc, g, "gameID", 0));
        const int score = NumberToInt(GetTSCNumberKey(doc, g, "score", 0));
        const std::string name = GetTSCStringKey(doc, g, "name", 0);
        add2(name, score, gameID, typeID, date, helpVar);
    }
    TrimHiscores();
    return true;
}

int THiscores::CreateHiscoresFile() {
    TTSCFilePtr doc = CreateTSCFile();
    CreateTSCGroup(doc, "", "Score0");
    SetTSCStringKey(doc, "Score0", "name", "korvela", 0);
    SetTSCNumberKey(doc, "Score0", "score", 10000, 0);
    SetTSCNumberKey(doc, "Score0", "gameID", 0, 0);
    SetTSCNumberKey(doc, "Score0", "typeID", 1, 0);
    SetTSCStringKey(doc, "Score0", "date", CurrentDate(), 0);
    SetTSCStringKey(doc, "Score0", "helpVar", "null", 0);
    return SaveTSCFile(doc, path) == 0 ? 0 : -1;
}

int THiscores::add(const std::string& name, int score, int gameID, int typeID, const std::string& date,
                   const std::string& helpVar) {
    add2(name, score, gameID, typeID, date, helpVar);
    TrimHiscores();
    return Save();
}

int THiscores::add2(const std::string& name, int score, int gameID, int typeID, const std::string& date,
                    const std::string& helpVar) {
    scores.push_back(TScore::Create(name, score, gameID, typeID, date, helpVar));
    return 0;
}

int THiscores::Sort() {
    std::stable_sort(scores.begin(), scores.end(), [](const TScorePtr& a, const TScorePtr& b) {
        return TScore::CompareScores(*a, *b) < 0;
    });
    return 0;
}

int THiscores::TrimHiscores() {
    Sort();
    std::map<int, int> seen;
    std::vector<TScorePtr> kept;
    for (const TScorePtr& s : scores)
        if (seen[s->typeID]++ < maxCount) kept.push_back(s);
    scores = std::move(kept);
    return 0;
}

int THiscores::Save() {
    if (unreadable) {
        Print("Hiscores " + path + " could not be read this run and is not written over");
        return -1;
    }
    TTSCFilePtr doc = CreateTSCFile();
    for (size_t i = 0; i < scores.size(); ++i) {
        const std::string g = "Score" + std::to_string(i);
        const TScore& s = *scores[i];
        CreateTSCGroup(doc, "", g);
        SetTSCStringKey(doc, g, "name", s.name, 0);
        SetTSCNumberKey(doc, g, "score", static_cast<float>(s.score), 0);
        SetTSCNumberKey(doc, g, "gameID", static_cast<float>(s.gameID), 0);
        SetTSCNumberKey(doc, g, "typeID", static_cast<float>(s.typeID), 0);
        SetTSCStringKey(doc, g, "date", s.date, 0);
        SetTSCStringKey(doc, g, "helpVar", s.helpVar, 0);
    }
    return SaveTSCFile(doc, path) == 0 ? 0 : -1;
}

std::vector<TScorePtr> THiscores::GetScores(int typeID, int count) const {
    std::vector<TScorePtr> out;
    for (const TScorePtr& s : scores) {
        if (static_cast<int>(out.size()) >= count) break;
        if (s->typeID == typeID) out.push_back(s);
    }
    return out;
}

int THiscores::GetBestScore(int typeID, const std::string& helpVar) const {
    int best = 0;
    for (const TScorePtr& s : scores)
        if (s->typeID == typeID && s->helpVar == helpVar && s->score > best) best = s->score;
    return best;
}

} // namespace vsm
