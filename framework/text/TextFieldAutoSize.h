#pragma once
// How a text field resizes to its text. Crosses to the backend as its index.
// Written as text as "TextFieldAutoSize." and the value's name. By name, an index, the
// value's name or its full text converts to the value; anything else is the
// first value.

#include <array>
#include <string>
#include <string_view>

#include "runtime/Convert.h"

namespace limn::text {

enum class TextFieldAutoSize { CENTER = 0, LEFT = 1, NONE = 2, RIGHT = 3 };

inline constexpr std::array<std::string_view, 4> kTextFieldAutoSizeNames = {"CENTER", "LEFT",
                                                                            "NONE", "RIGHT"};

inline std::string toString(TextFieldAutoSize value) {
    auto index = static_cast<std::size_t>(value);
    std::string_view name =
        index < kTextFieldAutoSizeNames.size() ? kTextFieldAutoSizeNames[index] : "?";
    return "TextFieldAutoSize." + std::string(name);
}

}  // namespace limn::text

template <>
struct rt::Convert<limn::text::TextFieldAutoSize> {
    static limn::text::TextFieldAutoSize from(const rt::Dynamic& d) {
        using limn::text::TextFieldAutoSize;
        if (const std::string* text = d.stringIf()) {
            std::string_view name = *text;
            if (name.starts_with("TextFieldAutoSize.")) name.remove_prefix(18);
            for (std::size_t i = 0; i < limn::text::kTextFieldAutoSizeNames.size(); ++i) {
                if (limn::text::kTextFieldAutoSizeNames[i] == name)
                    return static_cast<TextFieldAutoSize>(i);
            }
            return TextFieldAutoSize::CENTER;
        }
        int index = d.asInt();
        bool known =
            index >= 0 && index < static_cast<int>(limn::text::kTextFieldAutoSizeNames.size());
        return known ? static_cast<TextFieldAutoSize>(index) : TextFieldAutoSize::CENTER;
    }
};
