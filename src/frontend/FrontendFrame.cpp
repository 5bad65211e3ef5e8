// FrontendFrame: the drawing state, sparks and frame tail the front-end loops share.
#include "frontend/FrontendFrame.h"

#include "frontend/TTitleScreen.h"
#include "platform/EndFrame.h"
#include "platform/Graphics.h"
#include "platform/System.h"
#include "services/TMouse.h"
#include "services/TSongManager.h"
#include "services/TSpark.h"

namespace vsm {

void FrontDrawState() {
    SetBlend(ALPHABLEND);
    SetColor(255, 255, 255);
    SetTransform(0, 1, 1);
}

void AddCursorSpark() {
    // The draws run in a fixed order so that a seeded run places the sparks the same way.
    const int b = Rand(100, 200);
    const int g = Rand(100, 200);
    const int r = Rand(150, 200);
    const int life = Rand(20, 50);
    const float scale = static_cast<float>(Rnd(0.2, 0.6));
    const int y = mouse.y + Rand(-2, 2);
    const int x = mouse.x + Rand(-2, 2);
    SparkPtr spark = TSpark::Create(SparkImage(0), x, y, scale, life, r, g, b, 1, 0);
    const float vy = static_cast<float>(Rnd(-0.5, 0.5));
    const float vx = static_cast<float>(Rnd(-0.5, 0.5));
    spark->setVelocity(vx, vy);
}

void AddAmbientSpark() {
    const ImagePtr image = SparkImage(Rand(1, 3));
    int x = 0;
    int y = 0;
    if (Rand(0, 2) == 0) {
        x = Rand(130, 225);
        y = Rand(215, 475);
    } else {
        x = Rand(570, 800);
        y = Rand(170, 400);
    }
    const float scale = static_cast<float>(Rnd(0.3, 0.6));
    const int life = Rand(50, 150);
    const int r = Rand(100, 150);
    const int g = Rand(100, 150);
    const int b = Rand(150, 220);
    SparkPtr spark = TSpark::Create(image, x, y, scale, life, r, g, b, 1, 1);
    const float vx = static_cast<float>(Rnd(-0.4, 0.4));
    const float vy = static_cast<float>(Rnd(-0.4, 0.4));
    spark->setVelocity(vx, vy);
}

void FrontFrameTail() {
    AddCursorSpark();
    TSpark::UpdateAll();
    mouse.Draw(1.0f, 1.0f);
    EndFrame();
}

void UpdateTitleMusic() {
    if (titleScreen.music) titleScreen.music->update();
}

} // namespace vsm
