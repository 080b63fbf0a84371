#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "backend/audio/AudioTags.h"
#include "tests/backend/MediaFiles.h"

namespace limn::sdl {
namespace {

using limn::testing::ByteVector;
using limn::testing::putText;

void putSyncSafe(ByteVector& out, std::uint32_t v) {
    for (int shift = 21; shift >= 0; shift -= 7)
        out.push_back(static_cast<std::uint8_t>(v >> shift & 0x7F));
}

void putBig32(ByteVector& out, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<std::uint8_t>(v >> shift & 0xFF));
}

ByteVector frame23(const std::string& id, const ByteVector& body) {
    ByteVector out;
    putText(out, id);
    putBig32(out, static_cast<std::uint32_t>(body.size()));
    out.push_back(0);
    out.push_back(0);
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

ByteVector textBody(std::uint8_t encoding, const ByteVector& text) {
    // Sized first: growing a one-byte vector by insert trips a false GCC 12 -O3 bounds warning.
    ByteVector body(text.size() + 1);
    body[0] = encoding;
    std::copy(text.begin(), text.end(), body.begin() + 1);
    return body;
}

ByteVector id3v2(int version, const ByteVector& frames) {
    ByteVector out;
    putText(out, "ID3");
    out.push_back(static_cast<std::uint8_t>(version));
    out.push_back(0);
    out.push_back(0);
    putSyncSafe(out, static_cast<std::uint32_t>(frames.size()));
    out.insert(out.end(), frames.begin(), frames.end());
    return out;
}

ByteVector ascii(const std::string& s) {
    return ByteVector(s.begin(), s.end());
}

TEST(AudioTags, ReadsId3v23TextFrames) {
    ByteVector frames = frame23("TIT2", textBody(0, ascii("Eep")));
    auto artist = frame23("TPE1", textBody(3, ascii("Mole \xC3\xA9")));
    frames.insert(frames.end(), artist.begin(), artist.end());
    AudioTags tags = AudioTags::read(id3v2(3, frames));
    EXPECT_EQ(tags.songName.value_or("?"), "Eep");
    EXPECT_EQ(tags.artist.value_or("?"), "Mole \xC3\xA9");
    EXPECT_FALSE(tags.album.has_value());
}

TEST(AudioTags, DecodesUtf16WithByteOrderMark) {
    const ByteVector text{0xFF, 0xFE, 'H', 0, 'i', 0, 0xE9, 0};
    AudioTags tags = AudioTags::read(id3v2(3, frame23("TALB", textBody(1, text))));
    EXPECT_EQ(tags.album.value_or("?"), "Hi\xC3\xA9");
}

TEST(AudioTags, CommentSkipsLanguageAndDescription) {
    ByteVector body{0};
    putText(body, "engdesc");
    body.push_back(0);
    putText(body, "the comment");
    AudioTags tags = AudioTags::read(id3v2(4, frame23("COMM", body)));
    EXPECT_EQ(tags.comment.value_or("?"), "the comment");
}

TEST(AudioTags, ReadsId3v1TrailerWithTrackAndGenre) {
    ByteVector file(300, 0x11);
    ByteVector tag(128, 0);
    std::copy_n("TAG", 3, tag.begin());
    std::copy_n("Title", 5, tag.begin() + 3);
    std::copy_n("1999", 4, tag.begin() + 93);
    tag[126] = 7;
    tag[127] = 8;  // Jazz
    file.insert(file.end(), tag.begin(), tag.end());
    AudioTags tags = AudioTags::read(file);
    EXPECT_EQ(tags.songName.value_or("?"), "Title");
    EXPECT_EQ(tags.year.value_or("?"), "1999");
    EXPECT_EQ(tags.track.value_or("?"), "7");
    EXPECT_EQ(tags.genre.value_or("?"), "Jazz");
    EXPECT_FALSE(tags.artist.has_value()) << "an empty v1 field is absent";
}

TEST(AudioTags, FrameSizeBeyondTheTagIsIgnored) {
    ByteVector frames = frame23("TIT2", textBody(0, ascii("Eep")));
    frames[7] = 0x7F;  // size far past the end
    AudioTags tags = AudioTags::read(id3v2(3, frames));
    EXPECT_FALSE(tags.songName.has_value());
}

TEST(AudioTags, RandomBytesNeverCrash) {
    std::mt19937 random(7);
    const ByteVector seed = id3v2(3, frame23("TIT2", textBody(1, {0xFF, 0xFE, 'a', 0})));
    for (int i = 0; i < 2000; ++i) {
        const ByteVector bytes = limn::testing::mutate(seed, random);
        (void)AudioTags::read(bytes);
    }
    (void)AudioTags::read({});
    SUCCEED();
}

}  // namespace
}  // namespace limn::sdl
