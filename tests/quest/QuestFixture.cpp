// QuestFixture: a headless game with fresh globals, a scratch resources folder, tiny pictures
// and the frames the screens presented.
#include "quest/QuestFixture.h"

#include "level/TLevelManager.h"
#include "platform/audio/TSound.h"
#include "quest/TMapCore.h"
#include "services/OptionsSeam.h"
#include "services/Paths.h"
#include "shell/AssembleGame.h"
#include "shell/GameHooks.h"
#include "services/TGlobalSnd.h"
#include "services/TMouse.h"
#include "support/TestAssets.h"
#include "support/TestSupport.h"

#include <filesystem>
#include <fstream>

namespace vsm::test {

void QuestFixture::SetUp() {
    control = &UseHeadlessBackend();
    resources = ScratchDir("quest") + "/";
    // The game's own assembly, its hooks included, as start-up makes it.
    ResetGameGlobals();
    InstallGameHooks();
    // Steered: the fixture's own resources and full volumes, as its sound checks expect.
    bDir = resources;
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
    return PresentedFrames(*control);
}

void QuestFixture::MapDocument(const std::string& text) {
    WriteArchive(resources + "data/settings_lp.bca", {{"map.tsc", text}});
}

void QuestFixture::MapPictures() {
    const struct {
        const char* path;
        int w, h;
    } pictures[] = {
        {"gfx/mapa/mapa.jpg", 80, 60},       {"gfx/mapa/k1.png", 11, 11},   {"gfx/mapa/k1b.png", 12, 12},
        {"gfx/mapa/k2.png", 13, 13},         {"gfx/mapa/k2b.png", 14, 14},  {"gfx/mapa/k3.png", 15, 15},
        {"gfx/mapa/k3b.png", 16, 16},        {"gfx/mapa/k1c.png", 21, 21},  {"gfx/mapa/k2c.png", 22, 22},
        {"gfx/mapa/k3c.png", 23, 23},        {"gfx/mapa/level.png", 30, 8}, {"gfx/mapa/of.png", 31, 8},
        {"gfx/fonts/play_mapa.png", 40, 10},
    };
    for (const auto& p : pictures)
        Picture(p.path, p.w, p.h);
}

int QuestFixture::Clicks() const {
    return CountCues(*control, "click");
}

BitmapFontPtr DigitFont() {
    auto font = std::make_shared<TFont>();
    font->text = "0123456789";
    font->Size = 16;
    for (int d = 0; d <= 9; ++d)
        font->letters.push_back(CreateLetter(CreateImage(100 + d, 16), std::to_string(d),
                                             CreateDim(0, 0, static_cast<float>(d + 2), 16, 0, 1, 1, 0)));
    font->letters.push_back(CreateLetter(CreateImage(8, 16), " ", CreateDim(0, 0, 8, 16, 0, 1, 1, 0)));
    return font;
}

std::vector<DrawCall> ImagesOfWidth(const std::vector<DrawCall>& frame, int width) {
    std::vector<DrawCall> out;
    for (const DrawCall& call : frame)
        if (call.op == "image" && call.image && call.image->width == width) out.push_back(call);
    return out;
}

} // namespace vsm::test
