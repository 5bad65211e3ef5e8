// DataFolders: the per-user folder (myDocsFolder) and the clock text of durations.
#pragma once

#include <string>

namespace vsm {

// The per-user folder without a trailing "/": $XDG_DATA_HOME/vessamoor, by default
// HomeDir() + "/.local/share/vessamoor"; "" until GetDataFolders runs.
extern std::string myDocsFolder;

// Sets myDocsFolder and creates it with "/data" and "/profiles" (and every missing parent).
// Returns 0, or -1 with one line on standard error when a folder cannot be created.
int GetDataFolders();

// Clock text of a duration: "m:ss" below an hour, "h:mm:ss" from an hour on; a negative
// duration gets a leading "-".
std::string SecToTime(int seconds);

} // namespace vsm
