// SaveOnEnd: what is saved as the program ends.
#include "shell/SaveOnEnd.h"

#include "modes/CampaignSave.h"
#include "platform/Graphics.h"
#include "platform/System.h"
#include "profiles/OptionsDocument.h"
#include "profiles/SaveNotice.h"

namespace vsm {

int saveOnEnd() {
    if (EndingAfterError()) {
        // The error may have stopped the campaign half-way through a change: its last good save
        // stays as it is.
        Print("The game ends on an error: the options are saved, the campaign keeps its last save");
        TellIfNotSaved(false, SaveOptionsOnly() != 0);
    } else {
        saveOptions();
    }
    ShowMouse();
    return 0;
}

} // namespace vsm
