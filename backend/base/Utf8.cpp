#include "backend/base/Utf8.h"

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

// The code point of the `extra` + 1 bytes at text[i] (lead not ASCII), or
// nothing for a sequence cut short, overlong, a surrogate or above U+10FFFF.
std::optional<char32_t> decoded(std::string_view text, std::size_t i, std::size_t extra) {
    if (extra == 0 || text.size() - i <= extra) return std::nullopt;
    const auto lead = static_cast<unsigned char>(text[i]);
    const auto second = static_cast<unsigned char>(text[i + 1]);
    // The second byte's range that keeps the value minimal and in range.
    if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second >= 0xA0) ||
        (lead == 0xF0 && second < 0x90) || (lead == 0xF4 && second >= 0x90)) {
        return std::nullopt;
    }
    char32_t c = lead & (0x3F >> extra);
    for (std::size_t k = 1; k <= extra; ++k) {
        if (!isContinuation(text[i + k])) return std::nullopt;
        c = (c << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
    }
    return c;
}

bool valid(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        if (!next(text, i)) return false;
    }
    return true;
}

}  // namespace

std::optional<char32_t> next(std::string_view text, std::size_t& i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    if (lead < 0x80) {
        ++i;
        return lead;
    }
    const std::size_t extra = announced(lead);
    if (const auto c = decoded(text, i, extra)) {
        i += 1 + extra;
        return c;
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
    const int extra = c < 0x800 ? 1 : c < 0x10000 ? 2 : 3;
    constexpr unsigned char kLead[] = {0, 0xC0, 0xE0, 0xF0};
    out += static_cast<char>(kLead[extra] | (c >> (6 * extra)));
    for (int k = extra - 1; k >= 0; --k) out += static_cast<char>(0x80 | ((c >> (6 * k)) & 0x3F));
}

std::string encode(std::u32string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char32_t c : text) append(out, c);
    return out;
}

std::string repaired(std::string_view text) {
    if (valid(text)) {
        return std::string(text);
    }
    std::string out;
    out.reserve(text.size() + 8);
    for (std::size_t i = 0; i < text.size();) append(out, next(text, i).value_or(kReplacement));
    return out;
}

}  // namespace limn::sdl::utf8
