// LevelText: reading the list values of level documents and loading the level's art and sounds.
#pragma once

#include "platform/Audio.h"
#include "platform/Graphics.h"

#include <memory>
#include <string>
#include <vector>

namespace vsm {

class TTSCFile;

// Splits a document list at every blank: "" gives no entries, two blanks in a row or a blank at
// either end give an empty entry.
std::vector<std::string> SplitAtBlanks(const std::string& text);
// Reads a boss rune entry "id:column:row" (fields past the third are ignored). Returns false when
// a field is missing or not a whole number; the position is not checked against the board.
bool ParseBossEntry(const std::string& entry, int& id, int& x, int& y);
// Returns true when every cell of the four arms of a boss rune at (x, y) is a board cell.
bool BossRuneWinnable(int x, int y);
// Loads an image; prints one line naming the file and returns null when it cannot be loaded.
ImagePtr LoadLevelImage(const std::string& path, int flags = DEFAULT_IMAGE_FLAGS);
// Loads count frames of cellW x cellH; prints one line naming the file and returns null when it
// cannot be loaded.
ImagePtr LoadLevelAnimImage(const std::string& path, int cellW, int cellH, int count);
// Loads a pixmap; prints one line naming the file and returns null when it cannot be loaded.
PixmapPtr LoadLevelPixmap(const std::string& path);
// Loads a sound; prints one line naming the file and returns null when it cannot be loaded.
SoundPtr LoadLevelSound(const std::string& path, int flags = 0);

} // namespace vsm
