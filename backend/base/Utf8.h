#pragma once
// UTF-8 for the whole backend: text fields, typed text and sound tags decode
// and encode here, so every part accepts and rejects the same bytes.
//
// A sequence is valid as Unicode defines it: no overlong forms, no surrogates,
// nothing above U+10FFFF, every continuation byte in place. An invalid
// sequence counts as one error covering its lead byte and the continuation
// bytes that follow it (up to the length the lead announces), so "\xE2\x82A"
// is one error and then "A".
//
//   std::size_t i = 0;
//   while (i < text.size()) if (auto c = utf8::next(text, i)) use(*c);

#include <optional>
#include <string>
#include <string_view>

namespace limn::sdl::utf8 {

inline constexpr char32_t kReplacement = 0xFFFD;

// The code point at text[i], advancing i past it; nothing (and i past the bad
// bytes) for an invalid sequence. i must be below text.size().
[[nodiscard]] std::optional<char32_t> next(std::string_view text, std::size_t& i);
// Every code point, U+FFFD for each invalid sequence.
[[nodiscard]] std::u32string decode(std::string_view text);
// Appends the encoding of `c`; a surrogate or a value above U+10FFFF appends U+FFFD.
void append(std::string& out, char32_t c);
[[nodiscard]] std::string encode(std::u32string_view text);
// `text` with each invalid sequence replaced by U+FFFD: always valid UTF-8.
[[nodiscard]] std::string repaired(std::string_view text);

}  // namespace limn::sdl::utf8
