// StartUp: the first half of the program: every manager created, the data checked, the per-user
// folders, profiles, hiscores, options and display opened, and every shared asset loaded behind
// the loading screen and its splash pictures.
#pragma once

#include <cstdint>
#include <string>

namespace vsm {

// The product's name, shown by the window.
extern const char* const GAME_TITLE;
// The file in the per-user folder that a running copy of the game keeps locked.
extern const char* const USER_FOLDER_LOCK;

// Runs start-up once, in order, up to the point where the title screen takes over: assembles
// the game, checks the five data archives ("Files corrupted" and End when one lacks its marker),
// makes the per-user folders, opens the profile store and the hiscore table, registers the exit
// hook, loads the options (selecting the last player), opens the display and hides the system
// pointer, runs the loading screen and the splash pictures, starts the frame timer and loads the
// selected player's game state. Failures end the program through End or RuntimeError.
void StartUp();

// Tells the player, in a message box, which per-user folder GetDataFolders could not make: without
// the folder itself or its "profiles" the program ends (ProgramEnd, exit code 1); without "data"
// the game goes on, saying that options and hiscores will not be saved.
void TellUnmadeFolders();

// Locks the per-user folder for this process (its USER_FOLDER_LOCK file) until it ends. When
// another running copy holds it, says so in a message box and ends the program (ProgramEnd, exit
// code 1) before anything is read or saved; a lock that cannot be taken at all is let pass with
// one printed line.
void HoldUserFolder();

// Deletes what saves and profile creations cut short left in the per-user folder's "data" and
// "profiles" (only names of the forms the game's own saves make); nothing without a per-user
// folder. Start-up runs it once the folder is the game's alone.
void RemoveStaleTemporaryFiles();

// A seed for the game's generator from the wall clock, so that two runs differ (the platform's
// millisecond clock starts near zero at every run).
uint32_t WallClockSeed();

} // namespace vsm
