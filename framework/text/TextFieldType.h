#pragma once
// Whether the user can edit a text field. Crosses to the backend as a bool
// (true for INPUT).
// Written as text as "TextFieldType." and the value's name. By name, an index, the
// value's name or its full text converts to the value; anything else is the
// first value.

#include <array>
#include <string>
#include <string_view>

#include "runtime/Convert.h"

namespace limn::text {

enum class TextFieldType { DYNAMIC = 0, INPUT = 1 };

inline constexpr std::array<std::string_view, 2> kTextFieldTypeNames = {"DYNAMIC", "INPUT"};

inline std::string toString(TextFieldType value) {
    auto index = static_cast<std::size_t>(value);
    std::string_view name = index < kTextFieldTypeNames.size() ? kTextFieldTypeNames[index] : "?";
    return "TextFieldType." + std::string(name);
}

}  // namespace limn::text

template <>
struct rt::Convert<limn::text::TextFieldType> {
    static limn::text::TextFieldType from(const rt::Dynamic& d) {
        using limn::text::TextFieldType;
        if (const std::string* text = d.stringIf()) {
            std::string_view name = *text;
            if (name.starts_with("TextFieldType.")) name.remove_prefix(14);
            for (std::size_t i = 0; i < limn::text::kTextFieldTypeNames.size(); ++i) {
                if (limn::text::kTextFieldTypeNames[i] == name)
                    return static_cast<TextFieldType>(i);
            }
            return TextFieldType::DYNAMIC;
        }
        int index = d.asInt();
        bool known = index >= 0 && index < static_cast<int>(limn::text::kTextFieldTypeNames.size());
        return known ? static_cast<TextFieldType>(index) : TextFieldType::DYNAMIC;
    }
};
