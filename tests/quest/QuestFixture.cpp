// QuestFixture: a headless game with fresh globals, a scratch resources folder, tiny pictures
// and the frames the screens presented.
#include "quest/QuestFixture.h"

#include "level/TLevelManager.h"
#include "platform/audio/TSound.h"
#include "quest/TMapCore.h"
#include "services/OptionsSeam.h"
#include "services/Paths.h"
#include "services/ServicesGlobals.h"
#include "services/TGlobalSnd.h"
#include "services/TMouse.h"
#include "support/TestAssets.h"
#include "support/TestSupport.h"
#include "widgets/WidgetsGlobals.h"

#include <filesystem>
#include <fstream>

namespace vsm::test {

void QuestFixture::SetUp() {
    control = &UseHeadlessBackend();
    resources = ScratchDir("quest") + "/";
    ResetServicesGlobals();
    ResetWidgetsGlobals();
    bDir = resources;
    ResetLevelGlobals();
    ResetQuestGlobals();
    options.musicVol = 10;
    options.soundVol = 10;
    auto click = std::make_shared<TSound>();
    click->path = "click";
    click->durationMs = 50;
    globalSnd.sfx[6] = click;
    cursor = CreateImage(1, 1);
    mouse.cursor = cursor;
}

std::string QuestFixture::WriteResource(const std::string& relative, const std::string& text) {
    const std::string path = resources + relative;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

void QuestFixture::Picture(const std::string& relative, int w, int h) {
    ASSERT_TRUE(WriteFlatPicture(resources + relative, w, h));
}

std::vector<std::vector<DrawCall>> QuestFixture::Frames() const {
    std::vector<std::vector<DrawCall>> frames(1);
    for (const DrawCall& call : control->DrawLog()) {
        if (call.op == "flip")
            frames.emplace_back();
        else
            frames.back().push_back(call);
    }
    frames.pop_back(); // what was drawn after the last flip was never presented
    return frames;
}

int QuestFixture::Clicks() const {
    return CountCues(*control, "click");
}

std::vector<DrawCall> ImagesOfWidth(const std::vector<DrawCall>& frame, int width) {
    std::vector<DrawCall> out;
    for (const DrawCall& call : frame)
        if (call.op == "image" && call.image && call.image->width == width) out.push_back(call);
    return out;
}

} // namespace vsm::test
