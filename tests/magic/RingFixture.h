// RingFixture: the magic fixture with a fresh ring of spells, a recorded popup hook and a frame
// loop that reads scripted mouse input, updates the ring and then the effect list.
#pragma once

#include "MagicFixture.h"

#include "level/TLevelSequencer.h"
#include "magic/TMagicSphere.h"
#include "magic/TRingOfSpells.h"
#include "services/TMouse.h"
#include "services/TVolcanoEmiter.h"

#include <string>
#include <vector>

namespace vsm::test {

class RingFixture : public MagicFixture {
  protected:
    void SetUp() override {
        MagicFixture::SetUp();
        StandardRunes();
        ResetRingOfSpells();
        // Recorded instead of shown: the popups sit above the ring and are tested with the overlays.
        ringSeams.popupAddEvent = [this](const std::string& e) { events.push_back(e); };
        sequencer.seqNo = 50;
    }
    void TearDown() override {
        ResetRingOfSpells();
        MagicFixture::TearDown();
    }

    // Gives sphere ball i a colour and a fill (capacity 30).
    static void Ball(int i, int colour, float fill) {
        magicSphere.ballsClr[i] = colour;
        magicSphere.ballsCap[i] = 30;
        magicSphere.ballsFil[i] = fill;
    }

    // One frame of a board level as far as the ring is concerned: the frame's input, the mouse
    // refresh, the ring's update and then the effect list, then the frame is presented.
    void Frame(const FrameInput& in = FrameInput()) {
        control->SetScript([in](int frame, FrameInput& out) {
            if (frame == 0) out = in;
            return true;
        });
        mouse.fetchState(0);
        ringOfSpells.Update();
        TVolcanoEmiter::updateAll();
        Flip(1);
    }
    void Idle(int n) {
        for (int i = 0; i < n; ++i)
            Frame();
    }
    // A frame with the pointer at (x, y) and the given buttons pressed (1 left, 2 right).
    void Click(int x, int y, std::vector<int> buttons = {1}) {
        FrameInput in;
        in.mouseX = x;
        in.mouseY = y;
        in.clicks = std::move(buttons);
        Frame(in);
    }
    void ClickSlot(int slot, std::vector<int> buttons = {1}) {
        Click(ringOfSpells.SlotCentreX(slot), ringOfSpells.SlotCentreY(slot), std::move(buttons));
    }
    void ClickCell(int cx, int cy, std::vector<int> buttons = {1}) {
        Click(board.offsetX + cx * board.tileSize + 5, board.offsetY + cy * board.tileSize + 5,
              std::move(buttons));
    }
    // Runs frames until the ring reaches the stage; returns the frames taken, -1 after limit.
    int RunUntilStage(int stage, int limit = 400) {
        for (int n = 1; n <= limit; ++n) {
            Frame();
            if (ringOfSpells.stage == stage) return n;
        }
        return -1;
    }

    std::vector<std::string> events; // popup events posted by the ring
};

} // namespace vsm::test
