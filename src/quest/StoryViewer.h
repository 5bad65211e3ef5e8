// StoryViewer: the blocking screen that plays one story of the campaign.
#pragma once

namespace vsm {

// Plays story `part` ("data/part-<part>.tsc"): with fadeIn non-zero the screen first darkens, then
// the pages show over the story music and voice until Skip, Esc, or Next past the last page.
// Returns 0; a story without pages returns after the loading frame. A close request ends the
// program once the story has stopped.
int showStory(int part, int fadeIn);

} // namespace vsm
