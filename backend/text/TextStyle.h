#pragma once
// The complete format of one character of a text field: its font and look,
// and the format of the paragraph it starts. Sizes, margins, indents, leading
// and letter spacing are pixels; colours 0xRRGGBB.
//
// `font` is the name as the program gave it (a face name, a file name or a
// path); TextFonts turns it into a face that exists.

#include <cstdint>
#include <string>

namespace limn::sdl {

enum class TextAlign { Left, Right, Center, Justify };

struct TextStyle {
    std::string font = "DejaVu Sans";
    double size = 12;
    std::uint32_t color = 0x000000;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    std::string url;
    std::string target;
    bool kerning = false;
    double letterSpacing = 0;
    // Paragraph format, read from the paragraph's first character.
    TextAlign align = TextAlign::Left;
    double leftMargin = 0;
    double rightMargin = 0;
    double indent = 0;
    double blockIndent = 0;
    double leading = 0;
    bool bullet = false;

    bool operator==(const TextStyle&) const = default;
    // Same font, size and look, so that characters can share one text run.
    [[nodiscard]] bool sameCharacterFormat(const TextStyle& other) const;
    [[nodiscard]] bool sameParagraphFormat(const TextStyle& other) const;

    [[nodiscard]] static const char* alignName(TextAlign align);
    // "left", "right", "center" or "justify" (any case); anything else is left.
    [[nodiscard]] static TextAlign alignFromName(const std::string& name);
};

}  // namespace limn::sdl
