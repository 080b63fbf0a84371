#include "backend/text/TextContent.h"

#include <algorithm>
#include <functional>

#include "backend/base/Utf8.h"

namespace limn::sdl {

namespace {

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

std::size_t TextContent::StyleHash::operator()(const TextStyle& s) const {
    std::size_t h = std::hash<std::string>()(s.font);
    const auto mix = [&h](std::size_t v) { h ^= v + 0x9E3779B97F4A7C15ULL + (h << 6) + (h >> 2); };
    mix(std::hash<double>()(s.size));
    mix(s.color);
    mix(static_cast<std::size_t>(s.bold) | static_cast<std::size_t>(s.italic) << 1 |
        static_cast<std::size_t>(s.underline) << 2 | static_cast<std::size_t>(s.kerning) << 3 |
        static_cast<std::size_t>(s.bullet) << 4 | static_cast<std::size_t>(s.align) << 5);
    mix(std::hash<std::string>()(s.url));
    mix(std::hash<std::string>()(s.target));
    for (double v :
         {s.letterSpacing, s.leftMargin, s.rightMargin, s.indent, s.blockIndent, s.leading}) {
        mix(std::hash<double>()(v));
    }
    return h;
}

std::uint32_t TextContent::intern(const TextStyle& style) {
    if (auto found = index_.find(style); found != index_.end()) return found->second;
    std::uint32_t id = 0;
    if (free_.empty()) {
        id = static_cast<std::uint32_t>(palette_.size());
        palette_.push_back(style);
        counts_.push_back(0);
    } else {
        id = free_.back();
        free_.pop_back();
        palette_[id] = style;
    }
    index_.emplace(style, id);
    return id;
}

void TextContent::release(std::uint32_t id, std::size_t count) {
    counts_[id] -= count;
    if (counts_[id] != 0) return;
    index_.erase(palette_[id]);
    palette_[id] = TextStyle();
    free_.push_back(id);
}

void TextContent::releaseRange(std::size_t begin, std::size_t end) {
    while (begin < end) {
        const std::uint32_t id = ids_[begin];
        std::size_t run = begin + 1;
        while (run < end && ids_[run] == id) ++run;
        release(id, run - begin);
        begin = run;
    }
}

void TextContent::clearFormats() {
    ids_.clear();
    palette_.clear();
    counts_.clear();
    free_.clear();
    index_.clear();
}

void TextContent::assign(std::u32string_view text, const TextStyle& style) {
    text_ = normalised(text);
    clearFormats();
    if (!text_.empty()) {
        const std::uint32_t id = intern(style);
        use(id, text_.size());
        ids_.assign(text_.size(), id);
    }
    ++version_;
}

void TextContent::replace(std::size_t begin, std::size_t end, std::u32string_view insert,
                          const TextStyle& style) {
    begin = std::min(begin, text_.size());
    end = std::clamp(end, begin, text_.size());
    const std::u32string clean = normalised(insert);
    text_.replace(begin, end - begin, clean);
    // Hold the new format (one extra use) while the old ones are dropped:
    // they may be the same, and an empty insert leaves it unused.
    const std::uint32_t id = intern(style);
    use(id, clean.size() + 1);
    releaseRange(begin, end);
    ids_.erase(ids_.begin() + static_cast<std::ptrdiff_t>(begin),
               ids_.begin() + static_cast<std::ptrdiff_t>(end));
    ids_.insert(ids_.begin() + static_cast<std::ptrdiff_t>(begin), clean.size(), id);
    release(id, 1);
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
    // One new format per run of characters that share a format and a side of
    // the range, not one per character.
    for (std::size_t i = from; i < to;) {
        const std::uint32_t old = ids_[i];
        const bool inside = i >= begin && i < end;
        const std::size_t limit = inside ? end : (i < begin ? begin : to);
        std::size_t run = i + 1;
        while (run < limit && ids_[run] == old) ++run;
        TextStyle style = palette_[old];
        if (inside) patch.applyCharacterFormat(style);
        patch.applyParagraphFormat(style);
        const std::uint32_t id = intern(style);
        if (id != old) {
            use(id, run - i);
            release(old, run - i);
            std::fill(ids_.begin() + static_cast<std::ptrdiff_t>(i),
                      ids_.begin() + static_cast<std::ptrdiff_t>(run), id);
        }
        i = run;
    }
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
