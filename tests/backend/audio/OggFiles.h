#pragma once
// Ogg Vorbis files made by the tests themselves (libvorbisenc).
#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cmath>

#include "tests/backend/MediaFiles.h"

namespace limn::testing {

// A mono Ogg Vorbis file of a 440 Hz tone.
inline limn::testing::ByteVector makeOgg(double seconds, int rate) {
    vorbis_info info;
    vorbis_info_init(&info);
    vorbis_encode_init_vbr(&info, 1, rate, 0.3f);
    vorbis_comment comment;
    vorbis_comment_init(&comment);
    vorbis_dsp_state dsp;
    vorbis_analysis_init(&dsp, &info);
    vorbis_block block;
    vorbis_block_init(&dsp, &block);
    ogg_stream_state stream;
    ogg_stream_init(&stream, 1);
    limn::testing::ByteVector out;
    auto pages = [&](bool flush) {
        ogg_page page;
        while ((flush ? ogg_stream_flush(&stream, &page) : ogg_stream_pageout(&stream, &page))) {
            out.insert(out.end(), page.header, page.header + page.header_len);
            out.insert(out.end(), page.body, page.body + page.body_len);
        }
    };
    ogg_packet headers[3];
    vorbis_analysis_headerout(&dsp, &comment, &headers[0], &headers[1], &headers[2]);
    for (ogg_packet& h : headers) ogg_stream_packetin(&stream, &h);
    pages(true);
    const auto frames = static_cast<int>(seconds * rate);
    for (int done = 0;;) {
        const int n = std::min(1024, frames - done);
        if (n > 0) {
            float** buffer = vorbis_analysis_buffer(&dsp, n);
            for (int i = 0; i < n; ++i) {
                buffer[0][i] =
                    0.5f * static_cast<float>(std::sin(2 * M_PI * 440 * (done + i) / rate));
            }
        }
        vorbis_analysis_wrote(&dsp, std::max(n, 0));
        done += std::max(n, 0);
        while (vorbis_analysis_blockout(&dsp, &block) == 1) {
            vorbis_analysis(&block, nullptr);
            vorbis_bitrate_addblock(&block);
            ogg_packet packet;
            while (vorbis_bitrate_flushpacket(&dsp, &packet)) {
                ogg_stream_packetin(&stream, &packet);
                pages(false);
            }
        }
        if (n <= 0) break;
    }
    pages(true);
    ogg_stream_clear(&stream);
    vorbis_block_clear(&block);
    vorbis_dsp_clear(&dsp);
    vorbis_comment_clear(&comment);
    vorbis_info_clear(&info);
    return out;
}

}  // namespace limn::testing
