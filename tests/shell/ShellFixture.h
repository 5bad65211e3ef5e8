// ShellFixture: a headless game assembled by AssembleGame over resources of the test's own
// (pictures and sounds of the built game, data archives written by the test), a per-user folder
// in a scratch folder, and helpers for the profile and the frame script.
#pragma once

#include "platform/Headless.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace vsm::test {

class ShellFixture : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Writes the five data archives (each with its marker entry); settings holds the documents
    // of the settings archive (a "portal.tsc" is added when missing).
    void WriteData(std::map<std::string, std::string> settings);
    // Points the resources folder at the built game's resources instead.
    void UseBuiltResources();
    // Runs AssembleGame, makes the per-user folders and opens the profile store and the hiscores
    // over them, as start-up does before the options.
    void Assemble();
    // Creates a profile through the store and loads it, as the profile screen does.
    void CreatePlayer(const std::string& name);
    // Every frame from now on presses the left button and Escape (stories, pages and the map
    // are left as soon as they let it); after `closeAt` frames (when >= 0) a close request too.
    void ClickThrough(int closeAt = -1);

    HeadlessBackendControl* control = nullptr;
    std::string scratch;   // the test's own folder
    std::string resources; // ends in "/"
    std::string userHome;  // XDG_DATA_HOME

  private:
    std::map<std::string, std::string> savedEnv;
    std::string builtResources; // read before SetUp points VSM_RESOURCES at the test's own
};

} // namespace vsm::test
