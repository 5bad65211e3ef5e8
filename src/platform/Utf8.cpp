// Utf8: decoding and encoding of UTF-8 shared by the text, file and font code.
#include "Utf8.h"

namespace vsm {

std::vector<uint32_t> DecodeUtf8(const std::string& utf8) {
    std::vector<uint32_t> out;
    out.reserve(utf8.size());
    const size_t n = utf8.size();
    size_t i = 0;
    while (i < n) {
        const uint8_t b = static_cast<uint8_t>(utf8[i]);
        if (b < 0x80) {
            out.push_back(b);
            i++;
            continue;
        }
        int len = 0;
        uint32_t cp = 0;
        uint8_t lo = 0x80, hi = 0xBF; // allowed range of the second byte (rules out overlongs etc.)
        if (b >= 0xC2 && b <= 0xDF) {
            len = 2;
            cp = b & 0x1F;
        } else if (b >= 0xE0 && b <= 0xEF) {
            len = 3;
            cp = b & 0x0F;
            if (b == 0xE0) lo = 0xA0;
            if (b == 0xED) hi = 0x9F; // no surrogates
        } else if (b >= 0xF0 && b <= 0xF4) {
            len = 4;
            cp = b & 0x07;
            if (b == 0xF0) lo = 0x90;
            if (b == 0xF4) hi = 0x8F;
        } else {
            out.push_back(0xFFFD);
            i++;
            continue;
        }
        size_t j = i + 1;
        bool ok = true;
        for (int k = 1; k < len; k++, j++) {
            if (j >= n) {
                ok = false;
                break;
            }
            const uint8_t c = static_cast<uint8_t>(utf8[j]);
            const uint8_t min = k == 1 ? lo : 0x80, max = k == 1 ? hi : 0xBF;
            if (c < min || c > max) {
                ok = false;
                break;
            }
            cp = (cp << 6) | (c & 0x3F);
        }
        // A broken sequence gives one U+FFFD for the bytes that were still plausible.
        out.push_back(ok ? cp : 0xFFFD);
        i = j;
    }
    return out;
}

void AppendUtf8(std::string& out, uint32_t cp) {
    if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = 0xFFFD;
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

} // namespace vsm
