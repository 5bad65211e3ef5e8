// ServicesGlobals: creation of every global of the engine services, for start-up and tests.
#include "services/ServicesGlobals.h"

#include "services/GameFlags.h"
#include "services/GraphicsMode.h"
#include "services/Paths.h"
#include "services/Sound.h"
#include "services/TCaptions.h"
#include "services/TCometEmiter.h"
#include "services/TDeltaTime.h"
#include "services/TGlobalSnd.h"
#include "services/TMouse.h"
#include "services/TRingEmiter.h"
#include "services/TSlidesManager.h"
#include "services/TSongManager.h"
#include "services/TSoundQ.h"
#include "services/TSpark.h"
#include "services/TVolcanoEmiter.h"

namespace vsm {

void ResetServicesGlobals() {
    songManager = TSongManager();
    channels = {};
    chnNo = 0;
    channelSounds = {};
    soundQueue.Clear();
    SparkList.Clear();
    cometList.Clear();
    captions.Clear();
    volcanoList.Clear();
    ringEmiterList.Clear();
    sparkImages = {};
    comet = TCometEmiter();
    slides = TSlidesManager();
    cyfry2Width = {22, 10, 19, 19, 19, 19, 18, 16, 19, 19};
    TCaptions::match = nullptr;
    TCaptions::combo = nullptr;
    TCaptions::points = nullptr;
    TCaptions::cyfry = nullptr;
    mouse = TMouse();
    globalSnd = TGlobalSnd();
    deltaTime = TDeltaTime::Create(60.0f);
    delta = 1.0;
    gfxDriverSet = 0;
    bDir = ResourcesFolder();
    ResetGameFlags();
}

} // namespace vsm
