// Utf8: decoding and encoding of UTF-8 shared by the text, file and font code.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vsm {

// Code points of the UTF-8 text; each invalid or truncated sequence gives one U+FFFD.
std::vector<uint32_t> DecodeUtf8(const std::string& utf8);
// Appends the code point as UTF-8 (surrogates and values past U+10FFFF become U+FFFD).
void AppendUtf8(std::string& out, uint32_t codepoint);

} // namespace vsm
