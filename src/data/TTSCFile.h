// TTSCFile: in-memory TSC document — load, query, edit, save — and its free-function interface.
#pragma once

#include "data/TTSCParser.h"

#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace vsm {

class TStream;

// Tabs of indentation a saved line gets at most: deeper groups are written at this indent.
constexpr int TSC_MAX_SAVED_INDENT = 8;

// A TSC document: flat lists of keys and groups addressed by group path ("a::b") and name.
// Paths and names are compared ignoring the case of A to Z only. The lists are open: callers
// walk KeyList and may remove keys from it.
class TTSCFile {
  public:
    TTSCLexer Lexer;
    TTSCParser Parser;
    std::vector<TTSCKeyPtr> KeyList;
    std::vector<TTSCGroupPtr> GroupList;

    // Replaces the whole content with the file's text (decoded by its byte-order mark). Throws
    // TSCError on a syntax fault or when the file cannot be read; the document is then empty.
    void Load(const std::string& path);
    // The same from the rest of a stream.
    void Load(TStream& stream);
    // The same from already decoded UTF-8 text.
    void LoadFromText(const std::string& utf8);

    // Writes the saved text through a temporary file renamed into place; false (with one line
    // on standard error) when it could not be written or would be larger than the reader takes
    // (MAX_DOCUMENT_BYTES), and then the old file is untouched. Also
    // false when a group or key name the reader could not take back had to be left out (the
    // file then holds everything else).
    bool Save(const std::string& path) const;
    // Writes the saved text's bytes to the stream; false (with one line on standard error) when a
    // write failed or a name had to be left out.
    bool Save(TStream& stream) const;
    // The saved text of the whole document (as UTF-8; Save encodes it). Groups and keys whose
    // names would not read back as identifiers are left out with a line on standard error each;
    // leftOut, when given, receives their number.
    std::string SavedText(int* leftOut = nullptr) const;

    // The first key whose path and name match, or null. Takes the same time whatever the size of
    // the document: large documents keep an index that follows KeyList as keys are appended or
    // removed (a key renamed in place, or inserted before others, is seen once KeyList's size
    // or ends change).
    TTSCKeyPtr ResolveKey(const std::string& path, const std::string& name) const;
    // Value index of the key; "" and one printed line when the key does not exist (an index
    // outside 0..999 reads as a missing key).
    std::string GetStringKey(const std::string& path, const std::string& name, int index) const;
    // Value index as a number (leading decimal number of its text, 0 when none); 0 and one
    // printed line when the key does not exist.
    float GetNumberKey(const std::string& path, const std::string& name, int index) const;
    // Silent forms: nullopt when the key does not exist or the index is outside 0..999.
    std::optional<std::string> TryGetStringKey(const std::string& path, const std::string& name,
                                               int index) const;
    std::optional<float> TryGetNumberKey(const std::string& path, const std::string& name, int index) const;
    // Sets value index as a string (creating the key, not its group, when missing); false and one
    // line on standard error when the index is outside 0..999.
    bool SetStringKey(const std::string& path, const std::string& name, const std::string& value, int index);
    // Sets value index as a number written "%#.9g"-style; false as SetStringKey.
    bool SetNumberKey(const std::string& path, const std::string& name, float value, int index);
    // New lists of the keys, or the groups, whose Path equals path (not descending).
    std::vector<TTSCKeyPtr> GetKeyList(const std::string& path) const;
    std::vector<TTSCGroupPtr> GetGroupList(const std::string& path) const;
    // Appends a new key (no values) or group record, never looking for an existing one.
    TTSCKeyPtr CreateKey(const std::string& path, const std::string& name);
    TTSCGroupPtr CreateGroup(const std::string& parentPath, const std::string& name);

  private:
    struct SaveIndex;
    // Folded address of each key -> position in KeyList of the first key of that address, with
    // what KeyList looked like when it was last brought up to date.
    struct KeyIndex {
        std::unordered_map<std::string, size_t> first;
        const TTSCKeyPtr* data = nullptr;
        size_t size = 0;
        const TTSCKey* front = nullptr;
        const TTSCKey* back = nullptr;
        bool built = false;
    };
    mutable KeyIndex keyIndex;
    bool KeyIndexCurrent() const;
    void NoteKeyListShape() const;
    void RebuildKeyIndex() const;
    // Appends the saved text of one group and everything under it, each line starting with
    // indent (one tab more per level, up to TSC_MAX_SAVED_INDENT); a group path is written once,
    // with every key and subgroup of that path.
    void SaveGroupOnce(const TTSCGroup& group, const std::string& indent, SaveIndex& index,
                       std::string& out) const;
};
using TTSCFilePtr = std::shared_ptr<TTSCFile>;

// True when a and b are equal ignoring the case of A to Z only.
bool TSCEqualNoCase(const std::string& a, const std::string& b);
// The number text of a 32-bit float as SetNumberKey writes it: 9 significant digits, the radix
// point always present ("5.00000000", "1.00000000e+10"); non-finite values give "0.00000000".
std::string TSCNumberText(float value);
// The leading decimal number of a text (blanks skipped, sign, radix point, exponent), rounded to
// a 32-bit float; 0 when the text starts with no number. Independent of the C locale.
float TSCTextToNumber(const std::string& text);

// ---- Free-function interface: each calls the method of the same meaning on doc --------------

// A new, empty document.
TTSCFilePtr CreateTSCFile();
// Loads a file into doc; returns 0. Throws TSCError on a syntax fault or an unreadable file,
// leaving doc empty.
int LoadTSCFile(const TTSCFilePtr& doc, const std::string& path);
// Loads the rest of a stream into doc; returns 0. Throws TSCError as above.
int LoadTSCFile(const TTSCFilePtr& doc, TStream& stream);
// Saves doc to a file atomically; 0 on success, -1 (with a line on standard error) when it could
// not be written or a name the reader could not take back was left out.
int SaveTSCFile(const TTSCFilePtr& doc, const std::string& path);
// Saves doc into a stream; 0 on success, -1 (with a line on standard error) on failure.
int SaveTSCFile(const TTSCFilePtr& doc, TStream& stream);
// Value index as text; "" and "The key <path>::<name> does not exist" on standard output when
// the key is missing or the index is outside 0..999.
std::string GetTSCStringKey(const TTSCFilePtr& doc, const std::string& path, const std::string& name,
                            int index);
// Value index as a number; 0 and the same printed line when the key is missing.
float GetTSCNumberKey(const TTSCFilePtr& doc, const std::string& path, const std::string& name, int index);
// Sets value index as a string; 0, or -1 when the index is outside 0..999 (nothing changed).
int SetTSCStringKey(const TTSCFilePtr& doc, const std::string& path, const std::string& name,
                    const std::string& value, int index);
// Sets value index as a number; 0, or -1 when the index is outside 0..999 (nothing changed).
int SetTSCNumberKey(const TTSCFilePtr& doc, const std::string& path, const std::string& name, float value,
                    int index);
// A new list of the keys directly in the group at path.
std::vector<TTSCKeyPtr> GetTSCKeyList(const TTSCFilePtr& doc, const std::string& path);
// A new list of the groups whose parent path is path ("" gives the top-level groups).
std::vector<TTSCGroupPtr> GetTSCGroupList(const TTSCFilePtr& doc, const std::string& path);
// Appends a new key record (no values) and returns it.
TTSCKeyPtr CreateTSCKey(const TTSCFilePtr& doc, const std::string& path, const std::string& name);
// Appends a new group record and returns it; no parent group is created.
TTSCGroupPtr CreateTSCGroup(const TTSCFilePtr& doc, const std::string& parentPath, const std::string& name);

} // namespace vsm
