// ToolFiles: how the build tools read their inputs and write their outputs: only regular files
// are read, and an output is written to a private temporary file and renamed into place.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vsm::tools {

// The bytes of the regular file at path (a link is followed). Returns nothing and sets error to
// one line naming the file when it cannot be opened, is not a regular file (a folder, a pipe, a
// device), is larger than maxBytes or cannot be read. Never waits for a writer.
std::optional<std::vector<uint8_t>> ReadRegularFile(const std::string& path, std::string& error,
                                                    int64_t maxBytes = int64_t{1} << 30);

// Writes bytes to target through a new temporary file beside it, made with an exclusive create
// (nothing already there is opened, a planted link included), then renamed over target. Returns
// false and sets error to one line when any step fails; the temporary file is then removed and
// target is left as it was.
bool WriteFileReplacing(const std::string& target, const std::vector<uint8_t>& bytes, std::string& error);

} // namespace vsm::tools
