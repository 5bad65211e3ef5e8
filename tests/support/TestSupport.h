// TestSupport: paths and scratch folders shared by the tests.
#pragma once

#include <string>

namespace vsm::test {

// The source tree's root (from VSM_SOURCE_DIR, else the build's compile-time value).
std::string SourceDir();
// The built resources folder, ending in "/" (from VSM_RESOURCES).
std::string ResourcesDir();
// A fresh empty folder under the system's temporary folder, removed at exit.
std::string ScratchDir(const std::string& tag);
// Makes the folder and links the built resources' "gfx" and "sfx" folders into it, so that a
// test's own resources folder shows the game's real pictures and sounds beside the data archives
// the test writes itself.
void LinkBuiltArt(const std::string& folder);
// A fresh ScratchDir(tag), ending in "/", with the built pictures and sounds linked in
// (LinkBuiltArt).
std::string ScratchResources(const std::string& tag);

} // namespace vsm::test
