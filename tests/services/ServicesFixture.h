// ServicesFixture: a fresh headless machine and fresh engine-service globals for each test.
#pragma once

#include "platform/Backend.h"
#include "platform/Headless.h"
#include "platform/Platform.h"
#include "platform/audio/TSound.h"
#include "services/Services.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace vsm::test {

class ServicesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        hl = &UseHeadlessBackend();
        ResetServicesGlobals();
        options = TOptions{};
        options.screenMode = 0;
        options.soundVol = 10;
        options.musicVol = 10;
    }
    void TearDown() override { ResetServicesGlobals(); }

    // The recorded drawing calls of one kind ("image", "text", ...), in order.
    std::vector<DrawCall> Draws(const std::string& op = "image") const {
        std::vector<DrawCall> out;
        for (const DrawCall& c : hl->DrawLog())
            if (c.op == op) out.push_back(c);
        return out;
    }
    // The recorded audio operations of one kind ("play", "cue", "volume", ...), in order.
    std::vector<SoundEvent> Sounds(const std::string& op) const {
        std::vector<SoundEvent> out;
        for (const SoundEvent& e : hl->SoundLog())
            if (e.op == op) out.push_back(e);
        return out;
    }
    // A sound that needs no file: its path names it in the sound log; a length of 0 never ends.
    static SoundPtr FakeSound(const std::string& path, double lengthMs = 0, int flags = 0) {
        auto s = std::make_shared<TSound>();
        s->path = path;
        s->durationMs = lengthMs;
        s->flags = flags;
        s->channels = 1;
        s->rate = 8000;
        return s;
    }

    HeadlessBackendControl* hl = nullptr;
};

} // namespace vsm::test
