// TMapCore: the map's markers and stage pictures, and loading the map from its pictures and
// "map.tsc".
#include "quest/TMapCore.h"

#include "data/BBArchive.h"
#include "data/NumberText.h"
#include "data/TTSCFile.h"
#include "services/Paths.h"
#include "services/TSongManager.h"
#include "widgets/TFont.h"
#include "widgets/TImageButton.h"

namespace vsm {

TMapCore map;

void ResetQuestGlobals() {
    map = TMapCore();
}

namespace {

ImagePtr LoadMapPicture(const std::string& relative) {
    return LoadImage(bDir + relative, DEFAULT_IMAGE_FLAGS);
}

// A caption text of the bottom row; Show writes its number and moves it along the row.
TextPtr CreateCaption() {
    return CreateText("", CreateDim(400, 564, 0, 0, 0, 1, 1, 0), fonts[1], 1.0f, 0, 0, 0);
}

int DocumentInt(const TTSCFilePtr& doc, const std::string& path, const std::string& key) {
    return NumberToInt(GetTSCNumberKey(doc, path, key, 0));
}

} // namespace

MapLevelPtr TMapLevel::Create(int number, int stage, int kind, int x, int y, const ImagePtr& image1,
                              const ImagePtr& image2) {
    auto level = std::make_shared<TMapLevel>();
    level->number = number;
    level->stage = stage;
    level->kind = kind;
    level->x = static_cast<float>(x);
    level->y = static_cast<float>(y);
    level->image1 = image1;
    level->image2 = image2;
    return level;
}

MapStagePtr TMapStage::Create(int number, const std::string& imagePath, int x, int y) {
    auto stage = std::make_shared<TMapStage>();
    stage->number = number;
    stage->imagePath = imagePath;
    stage->x = x;
    stage->y = y;
    stage->image = LoadMapPicture(imagePath);
    return stage;
}

int TMapCore::AddLevel(int number, int stage, int kind, int x, int y) {
    if (kind < 1 || kind > 5) return 0;
    const auto& images = pointImages[kind - 1];
    // Computed wide: an extreme document X must not overflow the mirroring.
    const int mirrored = NumberToInt(800.0 - static_cast<double>(x));
    mapLevels.push_back(TMapLevel::Create(number, stage, kind, mirrored, y, images[0], images[1]));
    return 0;
}

int TMapCore::AddStage(int number, const std::string& image, int x, int y) {
    mapStages.push_back(TMapStage::Create(number, image, x, y));
    return 0;
}

int TMapCore::Load() {
    background = LoadMapPicture("gfx/mapa/mapa.jpg");
    migacz = {LoadMapPicture("gfx/mapa/k1c.png"), LoadMapPicture("gfx/mapa/k2c.png"),
              LoadMapPicture("gfx/mapa/k3c.png")};
    captionImages = {LoadMapPicture("gfx/mapa/level.png"), LoadMapPicture("gfx/mapa/of.png")};
    // Kinds 1, 2 and 4 look alike and share one pair of pictures.
    pointImages[0] = {LoadMapPicture("gfx/mapa/k1b.png"), LoadMapPicture("gfx/mapa/k1.png")};
    pointImages[1] = pointImages[0];
    pointImages[3] = pointImages[0];
    pointImages[2] = {LoadMapPicture("gfx/mapa/k2b.png"), LoadMapPicture("gfx/mapa/k2.png")};
    pointImages[4] = {LoadMapPicture("gfx/mapa/k3b.png"), LoadMapPicture("gfx/mapa/k3.png")};
    for (const auto& row : pointImages)
        for (const ImagePtr& image : row)
            MidHandleImage(image);
    for (const ImagePtr& image : migacz)
        MidHandleImage(image);

    caption[0] = CreateCaption();
    caption[1] = CreateCaption();
    menu->AddItem(CreateImageButton(bDir + "gfx/fonts/play_mapa.png", CreateDim(508, 566, 0, 0, 0, 1, 1, 0),
                                    2, 1.0f, 2));

    TTSCFilePtr doc = CreateTSCFile();
    LoadTSCFileBB(doc, bDir + "data/settings_lp.bca", "map.tsc");
    // Markers take their pictures from pointImages, so they come after it; stages follow markers.
    for (const TTSCGroupPtr& group : GetTSCGroupList(doc, "Levels")) {
        const std::string path = "Levels::" + group->Name;
        const int number = DocumentInt(doc, path, "Number");
        const int stage = DocumentInt(doc, path, "Stage");
        const int kind = DocumentInt(doc, path, "Kind");
        const int x = DocumentInt(doc, path, "X");
        const int y = DocumentInt(doc, path, "Y");
        AddLevel(number, stage, kind, x, y);
    }
    for (const TTSCGroupPtr& group : GetTSCGroupList(doc, "Stages")) {
        const std::string path = "Stages::" + group->Name;
        const int number = DocumentInt(doc, path, "Number");
        const std::string image = GetTSCStringKey(doc, path, "Image", 0);
        const int x = DocumentInt(doc, path, "X");
        const int y = DocumentInt(doc, path, "Y");
        AddStage(number, image, x, y);
    }
    return 0;
}

} // namespace vsm
