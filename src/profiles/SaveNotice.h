// SaveNotice: tells the player on the screen that the game could not write their progress, their
// options or the hiscore table.
#pragma once

namespace vsm {

// When progressFailed or optionsFailed is set, shows one message box that says what could not be
// saved, names the folder that refused it (the profiles folder for the progress, the
// per-user data folder for the options) and says that what was saved before is kept. Nothing happens when
// both are clear. Returns -1 when something failed, else 0, so a caller can pass the result on.
int TellIfNotSaved(bool progressFailed, bool optionsFailed);

// The same for the hiscore table, which lives in the per-user data folder. Returns -1 when failed
// is set, else 0.
int TellIfHiscoresNotSaved(bool failed);

} // namespace vsm
