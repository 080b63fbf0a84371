#pragma once
// Descriptive tags of a sound file: ID3 version 2 (2.2 to 2.4, at the start of
// the file or in a RIFF "id3 " chunk), RIFF LIST/INFO chunks of WAV files and
// the ID3 version 1 trailer. Earlier sources win: a field found in ID3v2 is not
// replaced by the RIFF or v1 value. Texts are UTF-8; absent fields are nullopt.
//
//   AudioTags tags = AudioTags::read(fileBytes);
//   if (tags.songName) use(*tags.songName);

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace limn::sdl {

class AudioTags {
public:
    std::optional<std::string> album;
    std::optional<std::string> artist;
    std::optional<std::string> comment;
    std::optional<std::string> genre;
    std::optional<std::string> songName;
    std::optional<std::string> track;
    std::optional<std::string> year;

    // Never fails: malformed or truncated tags are skipped.
    [[nodiscard]] static AudioTags read(std::span<const std::uint8_t> bytes);

private:
    void readId3v2(std::span<const std::uint8_t> bytes);
    void readId3v2Frame(std::string_view id, std::span<const std::uint8_t> body);
    void readRiff(std::span<const std::uint8_t> bytes);
    void readRiffInfo(std::span<const std::uint8_t> list);
    void readId3v1(std::span<const std::uint8_t> bytes);
    void offer(std::optional<std::string>& field, std::string value);
};

}  // namespace limn::sdl
