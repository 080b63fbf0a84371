#include "backend/base/Utf8.h"

#include <glib.h>

namespace limn::sdl::utf8 {

namespace {

// How many continuation bytes a lead byte announces; 0 for a byte that can't
// start a sequence (a continuation byte, or a lead that only starts overlong
// or out-of-range forms).
std::size_t announced(unsigned char lead) {
    if (lead >= 0xC2 && lead < 0xE0) return 1;
    if (lead >= 0xE0 && lead < 0xF0) return 2;
    if (lead >= 0xF0 && lead < 0xF5) return 3;
    return 0;
}

bool isContinuation(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

}  // namespace

std::optional<char32_t> next(std::string_view text, std::size_t& i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    if (lead < 0x80) {
        ++i;
        return lead;
    }
    const std::size_t extra = announced(lead);
    const gunichar c =
        g_utf8_get_char_validated(text.data() + i, static_cast<gssize>(text.size() - i));
    if (extra > 0 && c < 0x110000) {
        i += 1 + extra;
        return static_cast<char32_t>(c);
    }
    // Skip the lead and the continuation bytes it claims, as far as they are there.
    ++i;
    for (std::size_t k = 0; k < extra && i < text.size() && isContinuation(text[i]); ++k) ++i;
    return std::nullopt;
}

std::u32string decode(std::string_view text) {
    std::u32string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) out += next(text, i).value_or(kReplacement);
    return out;
}

void append(std::string& out, char32_t c) {
    if (c > 0x10FFFF || (c >= 0xD800 && c < 0xE000)) c = kReplacement;
    if (c < 0x80) {
        out += static_cast<char>(c);
        return;
    }
    gchar bytes[6];
    const gint length = g_unichar_to_utf8(static_cast<gunichar>(c), bytes);
    out.append(bytes, static_cast<std::size_t>(length));
}

std::string encode(std::u32string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char32_t c : text) append(out, c);
    return out;
}

std::string repaired(std::string_view text) {
    if (g_utf8_validate(text.data(), static_cast<gssize>(text.size()), nullptr)) {
        return std::string(text);
    }
    std::string out;
    out.reserve(text.size() + 8);
    for (std::size_t i = 0; i < text.size();) append(out, next(text, i).value_or(kReplacement));
    return out;
}

}  // namespace limn::sdl::utf8
