// BBWriter: packs documents into the ".bca" archive format with block-substitution compression.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace vsm::tools {

// One pass of the block-substitution packer over data with block size block (> 0): the length,
// then per block either a stored copy or a flag byte, a repeated pattern and codes, then the tail.
std::vector<uint8_t> PackPass(const std::vector<uint8_t>& data, int32_t block);

// The entry data of a document: reserved bytes, pass count, block size, packed stream. Tries
// several block sizes and keeps adding passes while they make the entry smaller.
std::vector<uint8_t> PackEntry(const std::vector<uint8_t>& text);

// A whole archive: magic, entry count, then each entry's name (stored as given) and data.
std::vector<uint8_t> BuildArchive(const std::vector<std::pair<std::string, std::vector<uint8_t>>>& entries);

} // namespace vsm::tools
