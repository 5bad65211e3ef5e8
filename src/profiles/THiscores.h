// THiscores: the hiscore table of the three modes (global `hiscore`) and its document
// "hiscores.dat"; TScore is one entry.
#pragma once

#include <memory>
#include <string>
#include <vector>

namespace vsm {

// One result in the hiscore table.
class TScore {
  public:
    std::string name;    // the player's name
    int score = 0;       // the points of the result
    int gameID = 0;      // always 0 as the game writes it
    int typeID = 0;      // the mode: 1 quest, 2 endless, 3 time attack
    std::string date;    // the local date as CurrentDate gives it
    std::string helpVar; // "null" for the quest, else the board's level document name

    // Returns a new entry with these fields.
    static std::shared_ptr<TScore> Create(const std::string& name, int score, int gameID, int typeID,
                                          const std::string& date, const std::string& helpVar);
    // Returns the sort order of two entries: negative when a goes first (lower mode, then higher
    // score), 0 when they rank alike.
    static int CompareScores(const TScore& a, const TScore& b);
};
using TScorePtr = std::shared_ptr<TScore>;

class THiscores {
  public:
    // The table, all modes in one list, sorted by CompareScores.
    std::vector<TScorePtr> scores;
    // Entries kept per mode.
    int maxCount = 500;
    // The document's file path.
    std::string path;

    // Returns the table loaded from the document at path. A missing or empty document is created
    // with the default entry. A damaged one is moved aside (never lost) and replaced by the
    // default, which is then loaded. One that exists but cannot be read gives an empty table that
    // never writes over it this run; each case prints one diagnostic line.
    static THiscores Create(const std::string& path);
    // Writes the default document (the quest entry "korvela" of 10000 points, dated today) to
    // path, leaving the list alone. Returns 0, or -1 when it could not be written.
    int CreateHiscoresFile();
    // Adds a result, keeps the best maxCount of its mode and writes the whole table. Returns 0, or
    // -1 when the document could not be written (the result stays in the table for this run).
    int add(const std::string& name, int score, int gameID, int typeID, const std::string& date,
            const std::string& helpVar);
    // Appends a result without sorting or writing; returns 0.
    int add2(const std::string& name, int score, int gameID, int typeID, const std::string& date,
             const std::string& helpVar);
    // Sorts the table stably by CompareScores; returns 0.
    int Sort();
    // Sorts and drops the entries of each mode beyond the first maxCount; returns 0.
    int TrimHiscores();
    // Writes the whole table through a temporary file. Returns 0, or -1 (with one diagnostic
    // line) when it could not be written or the document on disk could not be read this run.
    int Save();
    // Returns the table's first count entries of the mode, best first (the table's own objects).
    std::vector<TScorePtr> GetScores(int typeID, int count) const;
    // Returns the best score of the mode on the board helpVar (compared exactly); 0 when none.
    int GetBestScore(int typeID, const std::string& helpVar) const;

  private:
    // True when the document exists but could not be read: it is then never written over.
    bool unreadable = false;
    // Loads the document into the table. False when the text does not parse (nothing is added).
    bool LoadDocument(const std::string& text);
};

// The hiscore table; rebuilt by ResetProfilesGlobals, loaded at start-up.
extern THiscores hiscore;

} // namespace vsm
