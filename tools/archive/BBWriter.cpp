// BBWriter: packs documents into the ".bca" archive format with block-substitution compression.
#include "BBWriter.h"

#include <algorithm>
#include <cstring>

namespace vsm::tools {

namespace {

void PutLe32(std::vector<uint8_t>& out, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

struct Pattern {
    size_t at = 0;
    size_t length = 0;
    size_t count = 0;
};

// The pattern that saves the most bytes in the block, counting leftmost non-overlapping
// occurrences the way the encoder will substitute them. Substrings are found through a small
// hash table of rolling hashes; a slot taken by another substring just loses that candidate.
Pattern BestPattern(const uint8_t* blk, size_t size) {
    static const size_t kLengths[] = {2, 3, 4, 6, 8, 12, 16, 24, 32, 48, 64, 96, 127};
    constexpr int kSlotBits = 14;
    constexpr uint64_t kBase = 0x100000001B3ull;
    struct Slot {
        uint32_t stamp;
        uint32_t first;
        uint32_t count;
        uint32_t nextFree;
    };
    static thread_local std::vector<Slot> table(size_t{1} << kSlotBits, Slot{0, 0, 0, 0});
    static thread_local uint32_t stamp = 0;
    Pattern best;
    long bestGain = 0;
    for (size_t length : kLengths) {
        if (length * 2 > size) break;
        if (++stamp == 0) {
            std::fill(table.begin(), table.end(), Slot{0, 0, 0, 0});
            stamp = 1;
        }
        uint64_t top = 1; // kBase^(length-1)
        for (size_t j = 1; j < length; ++j)
            top *= kBase;
        uint64_t h = 0;
        for (size_t j = 0; j < length; ++j)
            h = h * kBase + blk[j];
        for (size_t i = 0;; ++i) {
            Slot& slot = table[(h * 0x9E3779B97F4A7C15ull) >> (64 - kSlotBits)];
            if (slot.stamp != stamp) {
                slot = Slot{stamp, static_cast<uint32_t>(i), 1, static_cast<uint32_t>(i + length)};
            } else if (i >= slot.nextFree && std::memcmp(blk + slot.first, blk + i, length) == 0) {
                ++slot.count;
                slot.nextFree = static_cast<uint32_t>(i + length);
                // Each occurrence shrinks from length bytes to one code; the pattern itself
                // costs its length plus the pattern-length byte.
                long gain = static_cast<long>(slot.count) * static_cast<long>(length - 1) -
                            static_cast<long>(length) - 1;
                if (gain > bestGain) {
                    bestGain = gain;
                    best = Pattern{slot.first, length, slot.count};
                }
            }
            if (i + length >= size) break;
            h = (h - blk[i] * top) * kBase + blk[i + length];
        }
    }
    return best;
}

} // namespace

std::vector<uint8_t> PackPass(const std::vector<uint8_t>& data, int32_t block) {
    std::vector<uint8_t> out;
    out.reserve(data.size() + data.size() / 16 + 16);
    PutLe32(out, static_cast<uint32_t>(data.size()));
    const size_t b = static_cast<size_t>(block);
    const size_t blocks = data.size() / b;
    std::vector<uint8_t> codes;
    for (size_t k = 0; k < blocks; ++k) {
        const uint8_t* blk = data.data() + k * b;
        bool present[256] = {};
        for (size_t i = 0; i < b; ++i)
            present[blk[i]] = true;
        int flag = 0;
        for (int f = 1; f < 256 && !flag; ++f)
            if (!present[f]) flag = f;
        Pattern p = flag ? BestPattern(blk, b) : Pattern{};
        if (!flag || p.length == 0) {
            out.push_back(0);
            out.insert(out.end(), blk, blk + b);
            continue;
        }
        codes.clear();
        const uint8_t* pattern = blk + p.at;
        for (size_t i = 0; i < b;) {
            if (i + p.length <= b && std::memcmp(blk + i, pattern, p.length) == 0) {
                codes.push_back(static_cast<uint8_t>(flag));
                i += p.length;
            } else {
                codes.push_back(blk[i++]);
            }
        }
        if (2 + p.length + codes.size() >= b + 1) {
            out.push_back(0);
            out.insert(out.end(), blk, blk + b);
            continue;
        }
        out.push_back(static_cast<uint8_t>(flag));
        out.push_back(static_cast<uint8_t>(p.length));
        out.insert(out.end(), pattern, pattern + p.length);
        out.insert(out.end(), codes.begin(), codes.end());
    }
    out.insert(out.end(), data.begin() + static_cast<long>(blocks * b), data.end());
    return out;
}

std::vector<uint8_t> PackEntry(const std::vector<uint8_t>& text) {
    static const int32_t kBlocks[] = {128, 256, 512, 1024, 2048, 4096};
    constexpr int kMaxPasses = 8;
    std::vector<uint8_t> best;
    for (int32_t block : kBlocks) {
        std::vector<uint8_t> stream = PackPass(text, block);
        int passes = 1;
        while (passes < kMaxPasses) {
            std::vector<uint8_t> next = PackPass(stream, block);
            if (next.size() >= stream.size()) break;
            stream.swap(next);
            ++passes;
        }
        std::vector<uint8_t> entry = {0, 0, 0, 0, static_cast<uint8_t>(passes)};
        PutLe32(entry, static_cast<uint32_t>(block));
        entry.insert(entry.end(), stream.begin(), stream.end());
        if (best.empty() || entry.size() < best.size()) best.swap(entry);
        // Blocks larger than the text change nothing more.
        if (static_cast<size_t>(block) > text.size()) break;
    }
    return best;
}

std::vector<uint8_t> BuildArchive(const std::vector<std::pair<std::string, std::vector<uint8_t>>>& entries) {
    std::vector<uint8_t> out = {'B', 'C', 'A', 0};
    PutLe32(out, static_cast<uint32_t>(entries.size()));
    for (const auto& [name, data] : entries) {
        PutLe32(out, static_cast<uint32_t>(name.size()));
        out.insert(out.end(), name.begin(), name.end());
        PutLe32(out, static_cast<uint32_t>(data.size()));
        out.insert(out.end(), data.begin(), data.end());
    }
    return out;
}

} // namespace vsm::tools
