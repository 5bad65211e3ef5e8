// BBArchive: reading TSC documents out of the packed ".bca" data archives.
#pragma once

#include "data/TTSCFile.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vsm {

// The five archives under the resources folder, in the order CheckLPFiles tests them.
extern const char* const LP_ARCHIVES[5];

// Loads the entry name + ".bbc" (ASCII case ignored, first match) of the archive into doc.
// Returns 1 when loaded; 0 when the file is no archive, lacks the entry or the entry is damaged
// (one diagnostic line), and 0 after the notification "Final BBError: " + the error text when
// the text is faulty (doc is then empty). A missing archive (and no embedded one) is fatal:
// RuntimeError(".BCA ArchiveFile not Found: " + archive).
int LoadTSCFileBB(const TTSCFilePtr& doc, const std::string& archive, const std::string& name);
// 1 when the archive holds an entry for name, else 0 (also when the archive is missing).
int BBFileExist(const std::string& archive, const std::string& name);
// 1 when each of the five archives under resourcesDir (ending in "/", normally bDir) holds
// "pack.txt", else 0; all five are always tested. Reports nothing itself.
int CheckLPFiles(const std::string& resourcesDir);

// Unpacks an entry's data (reserved bytes, pass count, block size, first pass) into the text.
// Returns 1 and fills out, or 0 with a reason in *why when the data is malformed: no pass, a
// block size below 1, a stream that ends early, an output over the size cap, a block that
// produces nothing. Never reads or writes outside its buffers.
int UnpackBBEntry(const uint8_t* data, size_t size, std::vector<uint8_t>& out, std::string* why = nullptr);
// Most bytes one pass may produce; larger entries are refused.
constexpr int64_t BB_MAX_OUTPUT = 64 * 1024 * 1024;

// Loads an archive held in memory as LoadTSCFileBB does a file (no fatal case): 1 loaded, 0 not.
int LoadTSCFileBBFromMemory(const TTSCFilePtr& doc, const uint8_t* bytes, size_t size,
                            const std::string& name);

// The byte offset of an archive appended to the executable, from the patchable single-file
// constant; 0 when none is embedded (the constant unpatched).
int64_t SingleFileOffset();
// The single-file offset rule applied to a text: its leading integer, 0 when it has none or it
// is negative.
int64_t ParseSingleFileOffset(const std::string& text);

// One byte of a buffer; 0 outside it.
int peekbyte2(const std::vector<uint8_t>& buffer, int64_t offset);
// Copies count bytes between buffers, growing the target as needed; returns 0, or -1 (nothing
// copied) when the source range lies outside the source or a range is negative.
int copyBank2(const std::vector<uint8_t>& source, int64_t sourceOffset, std::vector<uint8_t>& target,
              int64_t targetOffset, int64_t count);

} // namespace vsm
