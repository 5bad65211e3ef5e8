// TProfileManager: the profile store (global `profile`) — lists, selects, creates, renames and
// deletes the players' profiles and gives keyed access to the selected one.
#pragma once

#include "profiles/TProfile.h"

#include <optional>
#include <string>
#include <vector>

namespace vsm {

// What the store answers when the file system refused to write, rename or delete a profile's
// file (nothing was changed).
constexpr int PROFILE_NOT_WRITTEN = -2;

// True when name can be a profile's name: not empty, no "/", "\", control character or "..",
// and not starting with "." or a space.
bool ValidProfileName(const std::string& name);

// The profile store over one folder. Only profiles stamped with this build's portal name are listed.
class TProfileManager {
  public:
    // The current player's profile; null until a scan finds one, never null again afterwards.
    TProfilePtr selectedProfile;
    // The profiles of the last scan, sorted by name.
    std::vector<TProfilePtr> profiles;
    // The profiles folder, without a closing "/".
    std::string path;
    // The extension of profile files, without the point.
    std::string Ext;
    // This build's portal name, read from "portal.tsc" of the settings archive.
    std::string portalName;

    // Returns a store over the folder for files with the extension, already scanned. The portal
    // name is read from "portal.tsc" in bDir + "data/settings_lp.bca" (one diagnostic line when it
    // is missing). A folder that cannot be listed is fatal here: RuntimeError("Failed to read
    // profiles directory").
    static TProfileManager Create(const std::string& path, const std::string& ext);

    // Rescans the folder, loading every profile afresh; the selected player stays selected while
    // listed, else the first listed profile is selected. Returns 0, or -1 with one diagnostic line
    // when the folder cannot be listed (the list and the selection are then kept).
    int UpdateList();
    // Deletes the listed profile's file and rescans. Returns 1 when deleted, 0 when no listed
    // profile has the name, PROFILE_NOT_WRITTEN when the file could not be deleted (nothing
    // changed).
    int DeleteProfile(const std::string& name);
    // Gives the listed profile a new name and rescans; the selected player stays selected (under
    // the new name when it was the one renamed). Returns 1 when renamed (also to its own name),
    // 0 when no listed profile has the old name, -1 when the new name is refused or taken (by any
    // file, listed or not), PROFILE_NOT_WRITTEN when the rename failed (nothing changed).
    int RenameProfile(const std::string& oldName, const std::string& newName);
    // Selects the listed profile of that name: 1, or 0 with the selection unchanged.
    int SelectProfile(const std::string& name);
    // Creates the profile file stamped with the portal name, rescans and selects it. Returns 1
    // when it is then listed and selected; -1 when the name is listed or a file of that name
    // exists (nothing written); 0 when the name is refused; PROFILE_NOT_WRITTEN when the file
    // could not be written.
    int NewProfile(const std::string& name);
    // Returns the listed profiles' names in list order.
    std::vector<std::string> GetProfilesList() const;
    // Writes the selected profile's file. Returns 0 (also without a selection), or -1 when the
    // write failed and the old file stayed.
    int SaveProfile();

    // Setters on the selected profile; with save not 0 the file is written at once. Without a
    // selection they do nothing. Return 0, or -1 when the asked-for write failed.
    int SetNumber(const std::string& key, int value, int save);
    int SetString(const std::string& key, const std::string& value, int save);
    int SetList(const std::string& key, const std::vector<std::string>& values, int save);
    // Returns the selected profile's number (0 for a missing key); 0 without a selection.
    int GetNumber(const std::string& key) const;
    // Returns the selected profile's text ("" for a missing key); "0" without a selection.
    std::string GetString(const std::string& key) const;
    // Returns the selected profile's list (empty for a missing key); nullopt without a selection.
    std::optional<std::vector<std::string>> GetList(const std::string& key) const;

  private:
    // The scan itself; false when the folder cannot be listed.
    bool Scan();
    // The listed profile of that name, or null.
    TProfilePtr Find(const std::string& name) const;
};

// The profile store; rebuilt by ResetProfilesGlobals, created over the folder at start-up.
extern TProfileManager profile;

} // namespace vsm
