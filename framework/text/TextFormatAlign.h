#pragma once
// The alignment texts a TextFormat's `align` takes.

namespace limn::text {

class TextFormatAlign {
public:
    TextFormatAlign() = delete;

    static constexpr const char* LEFT = "left";
    static constexpr const char* RIGHT = "right";
    static constexpr const char* CENTER = "center";
    static constexpr const char* JUSTIFY = "justify";
};

}  // namespace limn::text
