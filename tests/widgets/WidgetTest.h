// WidgetTest: the headless fixture and small picture makers shared by the widget tests.
#pragma once

#include "platform/Headless.h"
#include "platform/Platform.h"
#include "services/TMouse.h"
#include "widgets/WidgetsGlobals.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vsm::test {

// Installs a fresh headless backend and empties the widget and mouse globals before each test.
class WidgetTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ctl = &UseHeadlessBackend();
        ResetWidgetsGlobals();
        mouse = TMouse{};
    }
    void TearDown() override { ResetWidgetsGlobals(); }

    // Starts a frame with the pointer at (x, y), the left button held or freshly pressed, and
    // refreshes the shared mouse state as a screen loop does.
    void Pointer(int x, int y, bool held = false, bool press = false) {
        FrameInput in;
        in.mouseX = x;
        in.mouseY = y;
        in.held[1] = held || press;
        if (press) in.clicks.push_back(1);
        ctl->SetScript(std::vector<FrameInput>{in});
        mouse.fetchState(0);
    }

    // The recorded calls of one kind ("image", "poly", "text", ...), in order.
    std::vector<DrawCall> Calls(const std::string& op) const {
        std::vector<DrawCall> out;
        for (const DrawCall& c : ctl->DrawLog())
            if (c.op == op) out.push_back(c);
        return out;
    }

    HeadlessBackendControl* ctl = nullptr;
};

// A pixmap of the size filled with one ARGB value.
inline PixmapPtr FilledPixmap(int w, int h, uint32_t argb) {
    PixmapPtr p = CreatePixmap(w, h);
    for (uint32_t& px : p->pixels)
        px = argb;
    p->hasAlpha = true;
    return p;
}

// A one-frame image of the size, opaque white.
inline ImagePtr SolidImage(int w, int h) {
    return LoadImage(FilledPixmap(w, h, 0xFFFFFFFFu));
}

} // namespace vsm::test
