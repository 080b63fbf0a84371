#include "backend/audio/AudioTags.h"

#include <array>
#include <string_view>

#include "backend/base/Utf8.h"

namespace limn::sdl {

namespace {

using Bytes = std::span<const std::uint8_t>;

std::uint32_t bigEndian32(Bytes b) {
    return std::uint32_t(b[0]) << 24 | std::uint32_t(b[1]) << 16 | std::uint32_t(b[2]) << 8 | b[3];
}

std::uint32_t littleEndian32(Bytes b) {
    return std::uint32_t(b[3]) << 24 | std::uint32_t(b[2]) << 16 | std::uint32_t(b[1]) << 8 | b[0];
}

std::uint32_t syncSafe32(Bytes b) {
    return std::uint32_t(b[0] & 0x7F) << 21 | std::uint32_t(b[1] & 0x7F) << 14 |
           std::uint32_t(b[2] & 0x7F) << 7 | (b[3] & 0x7F);
}

std::string_view asText(Bytes b) {
    return {reinterpret_cast<const char*>(b.data()), b.size()};
}

std::string latin1(Bytes b) {
    std::string out;
    for (std::uint8_t c : b) {
        if (c == 0) break;
        utf8::append(out, c);
    }
    return out;
}

std::string utf16(Bytes b, bool bigEndianOrder) {
    if (b.size() >= 2 && b[0] == 0xFF && b[1] == 0xFE) {
        bigEndianOrder = false;
        b = b.subspan(2);
    } else if (b.size() >= 2 && b[0] == 0xFE && b[1] == 0xFF) {
        bigEndianOrder = true;
        b = b.subspan(2);
    }
    std::string out;
    for (std::size_t i = 0; i + 1 < b.size(); i += 2) {
        std::uint32_t unit = bigEndianOrder ? (b[i] << 8 | b[i + 1]) : (b[i + 1] << 8 | b[i]);
        if (unit == 0) break;
        if (unit >= 0xD800 && unit < 0xDC00 && i + 3 < b.size()) {
            std::uint32_t low =
                bigEndianOrder ? (b[i + 2] << 8 | b[i + 3]) : (b[i + 3] << 8 | b[i + 2]);
            if (low >= 0xDC00 && low < 0xE000) {
                utf8::append(out, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
                i += 2;
                continue;
            }
        }
        if (unit >= 0xD800 && unit < 0xE000) unit = 0xFFFD;
        utf8::append(out, unit);
    }
    return out;
}

// Invalid sequences become U+FFFD, so a tag never passes bad bytes on.
std::string utf8Text(Bytes b) {
    std::string_view text = asText(b);
    return utf8::repaired(text.substr(0, text.find('\0')));
}

// A text in one of the four ID3v2 encodings.
std::string decodeText(std::uint8_t encoding, Bytes b) {
    switch (encoding) {
        case 1:
            return utf16(b, false);
        case 2:
            return utf16(b, true);
        case 3:
            return utf8Text(b);
        default:
            return latin1(b);
    }
}

// Length of a terminated text in the given encoding, terminator included.
std::size_t terminatedLength(std::uint8_t encoding, Bytes b) {
    if (encoding == 1 || encoding == 2) {
        for (std::size_t i = 0; i + 1 < b.size(); i += 2) {
            if (b[i] == 0 && b[i + 1] == 0) return i + 2;
        }
        return b.size();
    }
    for (std::size_t i = 0; i < b.size(); ++i) {
        if (b[i] == 0) return i + 1;
    }
    return b.size();
}

std::string trimmed(std::string s) {
    while (!s.empty() && (s.back() == ' ' || s.back() == '\0')) s.pop_back();
    return s;
}

// The standard ID3v1 genre numbers.
constexpr std::array<const char*, 80> kGenres = {"Blues",
                                                 "Classic Rock",
                                                 "Country",
                                                 "Dance",
                                                 "Disco",
                                                 "Funk",
                                                 "Grunge",
                                                 "Hip-Hop",
                                                 "Jazz",
                                                 "Metal",
                                                 "New Age",
                                                 "Oldies",
                                                 "Other",
                                                 "Pop",
                                                 "R&B",
                                                 "Rap",
                                                 "Reggae",
                                                 "Rock",
                                                 "Techno",
                                                 "Industrial",
                                                 "Alternative",
                                                 "Ska",
                                                 "Death Metal",
                                                 "Pranks",
                                                 "Soundtrack",
                                                 "Euro-Techno",
                                                 "Ambient",
                                                 "Trip-Hop",
                                                 "Vocal",
                                                 "Jazz+Funk",
                                                 "Fusion",
                                                 "Trance",
                                                 "Classical",
                                                 "Instrumental",
                                                 "Acid",
                                                 "House",
                                                 "Game",
                                                 "Sound Clip",
                                                 "Gospel",
                                                 "Noise",
                                                 "AlternRock",
                                                 "Bass",
                                                 "Soul",
                                                 "Punk",
                                                 "Space",
                                                 "Meditative",
                                                 "Instrumental Pop",
                                                 "Instrumental Rock",
                                                 "Ethnic",
                                                 "Gothic",
                                                 "Darkwave",
                                                 "Techno-Industrial",
                                                 "Electronic",
                                                 "Pop-Folk",
                                                 "Eurodance",
                                                 "Dream",
                                                 "Southern Rock",
                                                 "Comedy",
                                                 "Cult",
                                                 "Gangsta",
                                                 "Top 40",
                                                 "Christian Rap",
                                                 "Pop/Funk",
                                                 "Jungle",
                                                 "Native American",
                                                 "Cabaret",
                                                 "New Wave",
                                                 "Psychadelic",
                                                 "Rave",
                                                 "Showtunes",
                                                 "Trailer",
                                                 "Lo-Fi",
                                                 "Tribal",
                                                 "Acid Punk",
                                                 "Acid Jazz",
                                                 "Polka",
                                                 "Retro",
                                                 "Musical",
                                                 "Rock & Roll",
                                                 "Hard Rock"};

}  // namespace

AudioTags AudioTags::read(Bytes bytes) {
    AudioTags tags;
    tags.readId3v2(bytes);
    tags.readRiff(bytes);
    tags.readId3v1(bytes);
    return tags;
}

void AudioTags::offer(std::optional<std::string>& field, std::string value) {
    if (!field && !value.empty()) field = std::move(value);
}

void AudioTags::readId3v2(Bytes bytes) {
    if (bytes.size() < 10 || asText(bytes.first(3)) != "ID3") return;
    const int version = bytes[3];
    if (version < 2 || version > 4) return;
    const std::uint8_t flags = bytes[5];
    Bytes tag = bytes.subspan(
        10, std::min<std::size_t>(syncSafe32(bytes.subspan(6, 4)), bytes.size() - 10));
    // An extended header precedes the frames; its size counts itself in 2.4 only.
    if (version >= 3 && (flags & 0x40) && tag.size() >= 4) {
        std::size_t skip = version == 4 ? syncSafe32(tag) : bigEndian32(tag) + 4;
        tag = tag.subspan(std::min(skip, tag.size()));
    }
    const std::size_t idLength = version == 2 ? 3 : 4;
    const std::size_t headerLength = version == 2 ? 6 : 10;
    while (tag.size() >= headerLength && tag[0] != 0) {
        std::size_t size = version == 2   ? (tag[3] << 16 | tag[4] << 8 | tag[5])
                           : version == 3 ? bigEndian32(tag.subspan(4))
                                          : syncSafe32(tag.subspan(4));
        if (size > tag.size() - headerLength) break;
        readId3v2Frame(asText(tag.first(idLength)), tag.subspan(headerLength, size));
        tag = tag.subspan(headerLength + size);
    }
}

void AudioTags::readId3v2Frame(std::string_view id, Bytes body) {
    if (body.empty()) return;
    const std::uint8_t encoding = body[0];
    Bytes text = body.subspan(1);
    if (id == "COMM" || id == "COM") {
        // Language (3 bytes), then a terminated description, then the comment.
        if (text.size() < 3) return;
        text = text.subspan(3);
        text = text.subspan(terminatedLength(encoding, text));
        offer(comment, decodeText(encoding, text));
        return;
    }
    std::optional<std::string>* field = nullptr;
    if (id == "TIT2" || id == "TT2") field = &songName;
    if (id == "TPE1" || id == "TP1") field = &artist;
    if (id == "TALB" || id == "TAL") field = &album;
    if (id == "TCON" || id == "TCO") field = &genre;
    if (id == "TRCK" || id == "TRK") field = &track;
    if (id == "TYER" || id == "TYE" || id == "TDRC") field = &year;
    if (field) offer(*field, decodeText(encoding, text));
}

void AudioTags::readRiff(Bytes bytes) {
    if (bytes.size() < 12 || asText(bytes.first(4)) != "RIFF" ||
        asText(bytes.subspan(8, 4)) != "WAVE") {
        return;
    }
    Bytes rest = bytes.subspan(12);
    while (rest.size() >= 8) {
        std::string_view id = asText(rest.first(4));
        std::size_t size = littleEndian32(rest.subspan(4));
        if (size > rest.size() - 8) size = rest.size() - 8;
        Bytes body = rest.subspan(8, size);
        if (id == "LIST" && body.size() >= 4 && asText(body.first(4)) == "INFO") {
            readRiffInfo(body.subspan(4));
        } else if (id == "id3 " || id == "ID3 ") {
            readId3v2(body);
        }
        // Chunks are padded to an even length.
        std::size_t step = 8 + size + (size & 1);
        if (step > rest.size()) break;
        rest = rest.subspan(step);
    }
}

void AudioTags::readRiffInfo(Bytes list) {
    while (list.size() >= 8) {
        std::string_view id = asText(list.first(4));
        std::size_t size = littleEndian32(list.subspan(4));
        if (size > list.size() - 8) size = list.size() - 8;
        std::string value = trimmed(latin1(list.subspan(8, size)));
        if (id == "INAM") offer(songName, value);
        if (id == "IART") offer(artist, value);
        if (id == "IPRD") offer(album, value);
        if (id == "ICMT") offer(comment, value);
        if (id == "IGNR") offer(genre, value);
        if (id == "ICRD") offer(year, value);
        if (id == "ITRK" || id == "IPRT") offer(track, value);
        std::size_t step = 8 + size + (size & 1);
        if (step > list.size()) break;
        list = list.subspan(step);
    }
}

void AudioTags::readId3v1(Bytes bytes) {
    if (bytes.size() < 128) return;
    Bytes tag = bytes.last(128);
    if (asText(tag.first(3)) != "TAG") return;
    offer(songName, trimmed(latin1(tag.subspan(3, 30))));
    offer(artist, trimmed(latin1(tag.subspan(33, 30))));
    offer(album, trimmed(latin1(tag.subspan(63, 30))));
    offer(year, trimmed(latin1(tag.subspan(93, 4))));
    offer(comment, trimmed(latin1(tag.subspan(97, 30))));
    // Version 1.1 keeps the track number in the comment's last byte.
    if (tag[125] == 0 && tag[126] != 0) offer(track, std::to_string(tag[126]));
    if (tag[127] < kGenres.size()) offer(genre, kGenres[tag[127]]);
}

}  // namespace limn::sdl
