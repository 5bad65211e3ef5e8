// OggClip: encodes short Ogg Vorbis test clips in memory (a sine tone, or silence).
#pragma once

#include <vorbis/vorbisenc.h>

#include <cmath>
#include <cstdint>
#include <fstream>
#include <numbers>
#include <string>
#include <vector>

namespace vsm::test {

// Encodes seconds of a sine tone of the given amplitude (0 gives silence) as Ogg Vorbis.
inline std::vector<uint8_t> EncodeOggTone(double seconds, int rate = 22050, int channels = 1,
                                          double frequency = 440, double amplitude = 0.5) {
    std::vector<uint8_t> out;
    vorbis_info vi;
    vorbis_info_init(&vi);
    if (vorbis_encode_init_vbr(&vi, channels, rate, 0.4f) != 0) {
        vorbis_info_clear(&vi);
        return out;
    }
    vorbis_comment vc;
    vorbis_comment_init(&vc);
    vorbis_dsp_state vd;
    vorbis_analysis_init(&vd, &vi);
    vorbis_block vb;
    vorbis_block_init(&vd, &vb);
    ogg_stream_state os;
    ogg_stream_init(&os, 1);
    auto append = [&](const ogg_page& page) {
        out.insert(out.end(), page.header, page.header + page.header_len);
        out.insert(out.end(), page.body, page.body + page.body_len);
    };
    ogg_packet header, comments, codes;
    vorbis_analysis_headerout(&vd, &vc, &header, &comments, &codes);
    ogg_stream_packetin(&os, &header);
    ogg_stream_packetin(&os, &comments);
    ogg_stream_packetin(&os, &codes);
    ogg_page page;
    while (ogg_stream_flush(&os, &page))
        append(page);

    const long total = static_cast<long>(seconds * rate);
    const long chunk = 1024;
    bool eos = false;
    for (long done = 0; !eos;) {
        long n = std::min(chunk, total - done);
        if (n > 0) {
            float** buffer = vorbis_analysis_buffer(&vd, static_cast<int>(n));
            for (long i = 0; i < n; i++) {
                double t = static_cast<double>(done + i) / rate;
                auto v = static_cast<float>(amplitude * std::sin(2 * std::numbers::pi * frequency * t));
                for (int c = 0; c < channels; c++)
                    buffer[c][i] = v;
            }
            vorbis_analysis_wrote(&vd, static_cast<int>(n));
            done += n;
        } else {
            vorbis_analysis_wrote(&vd, 0);
        }
        while (vorbis_analysis_blockout(&vd, &vb) == 1) {
            vorbis_analysis(&vb, nullptr);
            vorbis_bitrate_addblock(&vb);
            ogg_packet packet;
            while (vorbis_bitrate_flushpacket(&vd, &packet)) {
                ogg_stream_packetin(&os, &packet);
                while (!eos && ogg_stream_pageout(&os, &page)) {
                    append(page);
                    if (ogg_page_eos(&page)) eos = true;
                }
            }
        }
        if (n <= 0 && !eos) {
            while (ogg_stream_flush(&os, &page))
                append(page);
            eos = true;
        }
    }
    ogg_stream_clear(&os);
    vorbis_block_clear(&vb);
    vorbis_dsp_clear(&vd);
    vorbis_comment_clear(&vc);
    vorbis_info_clear(&vi);
    return out;
}

// Writes the bytes to path; false on failure.
inline bool WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream f(path, std::ios::binary);
    f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(f);
}

} // namespace vsm::test
