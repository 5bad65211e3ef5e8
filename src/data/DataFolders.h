// DataFolders: the per-user folder (myDocsFolder) and the clock text of durations.
#pragma once

#include <string>

namespace vsm {

// The per-user folder without a trailing "/": $XDG_DATA_HOME/vessamoor, by default
// HomeDir() + "/.local/share/vessamoor"; "" until GetDataFolders runs, and when no home folder
// is known.
extern std::string myDocsFolder;

// The per-user folder for the given XDG_DATA_HOME (null when unset) and home folder:
// xdgDataHome + "/vessamoor" when it is absolute, else home + "/.local/share/vessamoor"; "" when
// neither is an absolute path.
std::string UserDataFolder(const char* xdgDataHome, const std::string& home);
// Sets myDocsFolder (the home folder comes from HOME, else from the user database) and creates
// it with "/data" and "/profiles" (and every missing parent). Returns 0, or -1 with one line on
// standard error when a folder cannot be created. With no home folder at all myDocsFolder is ""
// and -1 is returned, the first time with one line saying that nothing can be saved; callers
// must then save nothing.
int GetDataFolders();

// Clock text of a duration: "m:ss" below an hour, "h:mm:ss" from an hour on; a negative
// duration gets a leading "-".
std::string SecToTime(int seconds);

} // namespace vsm
