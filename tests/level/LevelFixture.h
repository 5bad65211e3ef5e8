// LevelFixture: a headless game with fresh globals, a scratch resources folder and helpers to
// pack fixture documents into archives there.
#pragma once

#include "platform/Headless.h"
#include "support/TestAssets.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace vsm::test {

class LevelFixture : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Packs the documents into <resources>/data/<archive>.
    void Archive(const std::string& archive, const std::map<std::string, std::string>& documents);
    // Writes a text file under the resources folder and returns its full path.
    std::string WriteResource(const std::string& relative, const std::string& text);
    // Makes every board cell playable and empty, as a freshly cleared board.
    void FullEmptyBoard();

    HeadlessBackendControl* control = nullptr;
    std::string resources; // ends in "/"
};

} // namespace vsm::test
