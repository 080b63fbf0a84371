#include "backend/text/TextStyle.h"

#include <algorithm>
#include <cctype>

namespace limn::sdl {

bool TextStyle::sameCharacterFormat(const TextStyle& o) const {
    return font == o.font && size == o.size && color == o.color && bold == o.bold &&
           italic == o.italic && underline == o.underline && url == o.url && target == o.target &&
           kerning == o.kerning && letterSpacing == o.letterSpacing;
}

bool TextStyle::sameParagraphFormat(const TextStyle& o) const {
    return align == o.align && leftMargin == o.leftMargin && rightMargin == o.rightMargin &&
           indent == o.indent && blockIndent == o.blockIndent && leading == o.leading &&
           bullet == o.bullet;
}

const char* TextStyle::alignName(TextAlign align) {
    switch (align) {
        case TextAlign::Right:
            return "right";
        case TextAlign::Center:
            return "center";
        case TextAlign::Justify:
            return "justify";
        default:
            return "left";
    }
}

TextAlign TextStyle::alignFromName(const std::string& name) {
    std::string lower = name;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (lower == "right") return TextAlign::Right;
    if (lower == "center") return TextAlign::Center;
    if (lower == "justify") return TextAlign::Justify;
    return TextAlign::Left;
}

}  // namespace limn::sdl
