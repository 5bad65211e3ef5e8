// CampaignSave: the one save of the flows that leave play — the options document and, while a
// campaign is being played, the campaign in progress.
#pragma once

namespace vsm {

// SaveOptionsOnly, then, while saveToProfile is set, the campaign in progress into the selected
// profile (board, pieces, puzzle, progress, bonus tokens, statistics, sphere) with one write of
// the profile document. Returns 0, or -1 when either write failed: the player is then told on the
// screen which folder refused it (TellIfNotSaved), and the files saved before stay as they were.
int saveOptions();

} // namespace vsm
