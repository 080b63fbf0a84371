#include "backend/text/TextContent.h"

#include <algorithm>

#include "backend/base/Utf8.h"

namespace limn::sdl {

namespace {

constexpr std::size_t kPaletteLimit = 64;

std::u32string normalised(std::u32string_view text) {
    std::u32string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == U'\r') {
            if (i + 1 < text.size() && text[i + 1] == U'\n') ++i;
            out += U'\n';
        } else {
            out += text[i];
        }
    }
    return out;
}

}  // namespace

std::u32string TextContent::fromUtf8(std::string_view utf8) {
    return normalised(utf8::decode(utf8));
}

std::string TextContent::toUtf8(std::u32string_view text) {
    return utf8::encode(text);
}

const TextStyle& TextContent::styleAt(std::size_t i, const TextStyle& fallback) const {
    if (ids_.empty()) return fallback;
    return palette_[ids_[std::min(i, ids_.size() - 1)]];
}

std::uint32_t TextContent::intern(const TextStyle& style) {
    for (std::size_t i = palette_.size(); i-- > 0;) {
        if (palette_[i] == style) return static_cast<std::uint32_t>(i);
    }
    palette_.push_back(style);
    return static_cast<std::uint32_t>(palette_.size() - 1);
}

void TextContent::compactPalette() {
    if (palette_.size() <= kPaletteLimit) return;
    std::vector<TextStyle> used;
    std::vector<std::uint32_t> remap(palette_.size(), UINT32_MAX);
    for (std::uint32_t& id : ids_) {
        if (remap[id] == UINT32_MAX) {
            remap[id] = static_cast<std::uint32_t>(used.size());
            used.push_back(palette_[id]);
        }
        id = remap[id];
    }
    palette_ = std::move(used);
}

void TextContent::assign(std::u32string_view text, const TextStyle& style) {
    text_ = normalised(text);
    palette_.clear();
    ids_.assign(text_.size(), intern(style));
    ++version_;
}

void TextContent::replace(std::size_t begin, std::size_t end, std::u32string_view insert,
                          const TextStyle& style) {
    begin = std::min(begin, text_.size());
    end = std::clamp(end, begin, text_.size());
    const std::u32string clean = normalised(insert);
    text_.replace(begin, end - begin, clean);
    const std::uint32_t id = intern(style);
    ids_.erase(ids_.begin() + static_cast<std::ptrdiff_t>(begin),
               ids_.begin() + static_cast<std::ptrdiff_t>(end));
    ids_.insert(ids_.begin() + static_cast<std::ptrdiff_t>(begin), clean.size(), id);
    compactPalette();
    ++version_;
}

void TextContent::append(std::u32string_view text, const TextStyle& style) {
    replace(text_.size(), text_.size(), text, style);
}

void TextContent::format(std::size_t begin, std::size_t end, const TextPatch& patch) {
    begin = std::min(begin, text_.size());
    end = std::clamp(end, begin, text_.size());
    std::size_t from = begin;
    std::size_t to = end;
    if (patch.hasParagraphFormat()) {
        while (from > 0 && text_[from - 1] != U'\n') --from;
        while (to < text_.size() && text_[to] != U'\n') ++to;
        if (to < text_.size()) ++to;
    }
    for (std::size_t i = from; i < to; ++i) {
        TextStyle style = palette_[ids_[i]];
        if (i >= begin && i < end) patch.applyCharacterFormat(style);
        patch.applyParagraphFormat(style);
        ids_[i] = intern(style);
    }
    compactPalette();
    ++version_;
}

std::vector<TextContent::Paragraph> TextContent::paragraphs() const {
    std::vector<Paragraph> out;
    std::size_t begin = 0;
    for (std::size_t i = 0; i <= text_.size(); ++i) {
        if (i == text_.size() || text_[i] == U'\n') {
            out.push_back({begin, i});
            begin = i + 1;
        }
    }
    return out;
}

std::size_t TextContent::runEnd(std::size_t begin, std::size_t limit) const {
    limit = std::min(limit, ids_.size());
    if (begin >= limit) return limit;
    const TextStyle& first = palette_[ids_[begin]];
    std::size_t i = begin + 1;
    while (i < limit && (ids_[i] == ids_[begin] || palette_[ids_[i]].sameCharacterFormat(first)))
        ++i;
    return i;
}

}  // namespace limn::sdl
