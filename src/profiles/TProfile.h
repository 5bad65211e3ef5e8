// TProfile: one player's profile document, with typed access to the keys of its group "Profile".
#pragma once

#include "data/TTSCFile.h"

#include <memory>
#include <string>
#include <vector>

namespace vsm {

class TProfile;
using TProfilePtr = std::shared_ptr<TProfile>;

// One player's saved state: the document of one profile file. Changes stay in memory until Save.
class TProfile {
  public:
    // The player's name: the file name without folder and extension.
    std::string name;
    // Full path of the profile file.
    std::string path;
    // The loaded document; every read and write goes to it.
    TTSCFilePtr file;

    // Returns the profile of the existing file at path, or null after printing "21" when the file
    // cannot be read or parsed (the file is not changed).
    static TProfilePtr Create(const std::string& path);
    // Writes a new profile file holding only PortalName = portalName at path, never replacing a
    // file that is already there. Returns 0, or -1 with one diagnostic line when a file of that
    // name exists or the file could not be written (nothing is then left behind).
    static int CreateNew(const std::string& path, const std::string& portalName);
    // True when name (without its folder) has the form of the file CreateNew writes before it
    // takes the profile's name: "." + a file name + ".new".
    static bool IsCreationTempName(const std::string& name);
    // Deletes the regular files of folder whose names IsCreationTempName takes, left by a
    // creation cut short; only while no other process creates profiles there. Returns how many.
    static int RemoveStaleCreationTemps(const std::string& folder);

    // Returns 1: every profile that Create returned is usable.
    int isValid() const { return 1; }
    // Sets the number key to value (stored as a 32-bit float); returns 0.
    int SetNumber(const std::string& key, int value);
    // Returns the number key truncated toward zero; 0 (and the missing-key line) when it is absent.
    int GetNumber(const std::string& key) const;
    // Sets the string key; returns 0.
    int SetString(const std::string& key, const std::string& value);
    // Returns the key's text; "" (and the missing-key line) when it is absent.
    std::string GetString(const std::string& key) const;
    // Replaces the list key (name compared exactly) by the values, moving it to the end of the
    // group; an empty list removes the key. Returns 0, or -1 with one line when the list is longer
    // than a key can store (then the stored list is kept as it was).
    int SetList(const std::string& key, const std::vector<std::string>& values);
    // Returns the values of the list key (name compared exactly); empty, silently, when absent.
    std::vector<std::string> GetList(const std::string& key) const;
    // Writes the whole document to path through a temporary file; 0, or -1 when it could not be
    // written (the old file is then untouched).
    int Save() const;
};

} // namespace vsm
