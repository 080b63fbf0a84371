#pragma once
// Whether the user can edit a text field. Crosses to the backend as a bool
// (true for INPUT).
// Written as text as "TextFieldType." and the value's name. By name, an index, the
// value's name or its full text converts to the value; anything else is the
// first value.

#include <array>
#include <string>
#include <string_view>

#include "runtime/EnumConvert.h"

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
struct rt::EnumValues<limn::text::TextFieldType> {
    static constexpr int first = 0;
    static constexpr int last = 1;
    static constexpr OutOfRange outOfRange = OutOfRange::First;
    static constexpr std::span<const std::string_view> names = limn::text::kTextFieldTypeNames;
    static constexpr std::string_view prefix = "TextFieldType.";
};
