#pragma once
// The characters of a text field with the format of each one. Indices count
// Unicode characters (code points) from 0. Paragraphs end at '\n' ("\r\n" and
// "\r" become '\n' on the way in); a paragraph's format is its first
// character's, so formatting part of a paragraph's paragraph fields formats
// the whole paragraph.
//
// version() changes with every edit, for caches built from the content.
//
// Formats are shared: each distinct format is stored once, with a count of the
// characters using it, and found again through a hash index, so every edit
// and format call costs time in proportion to the characters it touches.

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "backend/text/TextPatch.h"
#include "backend/text/TextStyle.h"

namespace limn::sdl {

class TextContent {
public:
    struct Paragraph {
        std::size_t begin = 0;
        std::size_t end = 0;  // exclusive; the '\n' (if any) is at end
    };

    [[nodiscard]] const std::u32string& text() const { return text_; }
    [[nodiscard]] std::string utf8() const { return toUtf8(text_); }
    [[nodiscard]] std::size_t size() const { return text_.size(); }
    [[nodiscard]] bool empty() const { return text_.empty(); }
    [[nodiscard]] std::uint64_t version() const { return version_; }

    // The format of character i; past the end, that of the last character, or
    // `fallback` for an empty text.
    [[nodiscard]] const TextStyle& styleAt(std::size_t i, const TextStyle& fallback) const;

    void assign(std::u32string_view text, const TextStyle& style);
    // Replaces [begin, end) (clamped) with `insert` in `style`.
    void replace(std::size_t begin, std::size_t end, std::u32string_view insert,
                 const TextStyle& style);
    void append(std::u32string_view text, const TextStyle& style);
    // Applies `patch` to [begin, end) (clamped); paragraph fields reach the
    // whole paragraphs touched.
    void format(std::size_t begin, std::size_t end, const TextPatch& patch);

    [[nodiscard]] std::vector<Paragraph> paragraphs() const;
    // End of the run of characters from `begin` that share one character format.
    [[nodiscard]] std::size_t runEnd(std::size_t begin, std::size_t limit) const;

    // Invalid UTF-8 decodes to U+FFFD; newlines are normalised to '\n'.
    [[nodiscard]] static std::u32string fromUtf8(std::string_view utf8);
    [[nodiscard]] static std::string toUtf8(std::u32string_view text);

    // Distinct formats in use (for tests of the sharing).
    [[nodiscard]] std::size_t formatCount() const { return index_.size(); }

private:
    struct StyleHash {
        std::size_t operator()(const TextStyle& style) const;
    };

    // The id of `style` in the palette, adding it (with no users) when new.
    std::uint32_t intern(const TextStyle& style);
    void use(std::uint32_t id, std::size_t count) { counts_[id] += count; }
    // Frees the palette entry when its last character goes.
    void release(std::uint32_t id, std::size_t count);
    void releaseRange(std::size_t begin, std::size_t end);
    void clearFormats();

    std::u32string text_;
    std::vector<std::uint32_t> ids_;  // per character, into palette_
    std::vector<TextStyle> palette_;
    std::vector<std::size_t> counts_;  // characters using each palette entry
    std::vector<std::uint32_t> free_;  // palette entries with no user, to reuse
    std::unordered_map<TextStyle, std::uint32_t, StyleHash> index_;
    std::uint64_t version_ = 1;
};

}  // namespace limn::sdl
