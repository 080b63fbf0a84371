#pragma once
// How text looks: a plain record the backend reads (and fills) by field name.
// Every field may be null, meaning "not given"; numeric and flag fields hold a
// number or a bool, `tabStops` an array of ints.
//
//   auto format = std::make_shared<TextFormat>("NeutraText-Book.otf", 40, 0xFFFFFF);
//   format->align = TextFormatAlign::CENTER;
//
// From C++, the fields by name with designated initialisers (unset ones stay null):
//
//   auto format = TextFormat::make({.font = "DejaVu Sans", .size = 20, .color = 0x264653});

#include <memory>
#include <optional>
#include <string>

#include "runtime/Object.h"

namespace limn::text {

class TextFormat : public rt::Object {
public:
    RT_DECLARE_CLASS

    // The commonly given fields as a plain record; what is left out stays null.
    struct Options {
        std::optional<std::string> font{};
        std::optional<double> size{};
        std::optional<int> color{};
        std::optional<bool> bold{};
        std::optional<bool> italic{};
        std::optional<bool> underline{};
        std::optional<std::string> align{};  // one of the TextFormatAlign texts
        std::optional<double> leftMargin{};
        std::optional<double> rightMargin{};
        std::optional<double> indent{};
        std::optional<double> leading{};
        std::optional<double> letterSpacing{};
    };
    [[nodiscard]] static std::shared_ptr<TextFormat> make(const Options& options);

    explicit TextFormat(rt::Dynamic font = {}, rt::Dynamic size = {}, rt::Dynamic color = {},
                        rt::Dynamic bold = {}, rt::Dynamic italic = {}, rt::Dynamic underline = {},
                        rt::Dynamic url = {}, rt::Dynamic target = {}, rt::Dynamic align = {},
                        rt::Dynamic leftMargin = {}, rt::Dynamic rightMargin = {},
                        rt::Dynamic indent = {}, rt::Dynamic leading = {});

    rt::Dynamic font;  // a face name or a font file path
    rt::Dynamic size;
    rt::Dynamic color;  // 0xRRGGBB
    rt::Dynamic bold;
    rt::Dynamic italic;
    rt::Dynamic underline;
    rt::Dynamic url;
    rt::Dynamic target;
    rt::Dynamic align;  // one of the TextFormatAlign texts
    rt::Dynamic leftMargin;
    rt::Dynamic rightMargin;
    rt::Dynamic indent;
    rt::Dynamic leading;
    rt::Dynamic blockIndent;
    rt::Dynamic bullet;
    rt::Dynamic display;
    rt::Dynamic kerning;
    rt::Dynamic letterSpacing;
    rt::Dynamic tabStops;
};

}  // namespace limn::text
