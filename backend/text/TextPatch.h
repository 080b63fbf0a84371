#pragma once
// A partial text format: the fields a TextFormat record sets (null fields are
// absent and leave the character's format alone). Read from and written to
// records by the field names of TextFormat: font, size, color, bold, italic,
// underline, url, target, align, leftMargin, rightMargin, indent, leading,
// blockIndent, bullet, kerning, letterSpacing (tabStops and display are kept
// by nothing).
//
// Out-of-range numbers are clamped: sizes to 1..2000 pixels, margins and
// indents to +-10000; non-finite numbers count as absent.

#include <cstdint>
#include <optional>
#include <string>

#include "backend/text/TextStyle.h"
#include "runtime/Dynamic.h"

namespace limn::sdl {

struct TextPatch {
    std::optional<std::string> font;
    std::optional<double> size;
    std::optional<std::uint32_t> color;
    std::optional<bool> bold;
    std::optional<bool> italic;
    std::optional<bool> underline;
    std::optional<std::string> url;
    std::optional<std::string> target;
    std::optional<bool> kerning;
    std::optional<double> letterSpacing;
    std::optional<TextAlign> align;
    std::optional<double> leftMargin;
    std::optional<double> rightMargin;
    std::optional<double> indent;
    std::optional<double> blockIndent;
    std::optional<double> leading;
    std::optional<bool> bullet;

    // The fields of a TextFormat record (any object read by name); an empty
    // patch for null or a non-object.
    [[nodiscard]] static TextPatch fromRecord(const rt::Dynamic& record);
    // Writes every field of `style` into the record by name.
    static void toRecord(const TextStyle& style, const rt::Dynamic& record);

    // 0xRRGGBB of an int or float colour (0xFF000000 may arrive as a negative
    // int); nullopt for null or a non-finite number.
    [[nodiscard]] static std::optional<std::uint32_t> rgbOf(const rt::Dynamic& value);

    void applyCharacterFormat(TextStyle& style) const;
    void applyParagraphFormat(TextStyle& style) const;
    [[nodiscard]] bool hasParagraphFormat() const;
};

}  // namespace limn::sdl
