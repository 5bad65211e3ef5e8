// SharedImageIds: ids in the shared container `data` under which higher screens lend pictures to
// lower ones, so that a screen never calls up into the screen that loads them.
#pragma once

namespace vsm {

// The title screen's full-screen background (stored by the title screen when it loads).
constexpr int DATA_TITLE_BACKGROUND = 9001;
// The shared menu window's frame picture, drawn with its top-left at the window's position
// (stored by the options window when it loads).
constexpr int DATA_MENU_FRAME = 9002;
// The shared menu window's highlight picture, handle at its centre (stored by the options window).
constexpr int DATA_MENU_HIGHLIGHT = 9003;
// The loading screen's caption, handle at its centre (stored by the loading screen when it is set
// up); the story viewer shows it while a story loads.
constexpr int DATA_LOADING_TEXT = 9004;
// Where every caller places the shared menu window.
constexpr int MENU_WINDOW_X = 229;
constexpr int MENU_WINDOW_Y = 200;

} // namespace vsm
