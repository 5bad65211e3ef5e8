// TestAssets: tiny asset files written for a test and the sounds the headless backend logged.
#pragma once

#include "platform/Headless.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace vsm::test {

// Writes a quarter second of silence as an Ogg file at the path, making its folders. Returns false
// when the file cannot be written.
bool WriteSilentSound(const std::string& path);

// Writes a w x h picture of one colour as a PNG at the path, making its folders. Returns false when
// the file cannot be written.
bool WriteFlatPicture(const std::string& path, int w, int h, uint32_t argb = 0xFF808080u);

// Writes a ".bca" archive holding each document (name -> text) stored unpacked, making its folders.
void WriteArchive(const std::string& path, const std::map<std::string, std::string>& documents);

// Returns how many sounds whose file name ends with `name` the backend cued since its log was
// cleared.
int CountCues(const HeadlessBackendControl& control, const std::string& name);

// The drawing of each frame presented since the backend's draw log was cleared, one list a flip;
// what was drawn after the last flip was never presented and is left out.
std::vector<std::vector<DrawCall>> PresentedFrames(const HeadlessBackendControl& control);

} // namespace vsm::test
