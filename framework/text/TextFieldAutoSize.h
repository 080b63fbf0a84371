#pragma once
// How a text field resizes to its text. Crosses to the backend as its index.
// Written as text as "TextFieldAutoSize." and the value's name. By name, an index, the
// value's name or its full text converts to the value; anything else is the
// first value.

#include <array>
#include <string>
#include <string_view>

#include "runtime/EnumConvert.h"

#include "native/WireConstants.h"

namespace limn::text {

using TextFieldAutoSize = native::wire::TextFieldAutoSize;

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
struct rt::EnumValues<limn::text::TextFieldAutoSize> {
    static constexpr int first = 0;
    static constexpr int last = 3;
    static constexpr OutOfRange outOfRange = OutOfRange::First;
    static constexpr std::span<const std::string_view> names = limn::text::kTextFieldAutoSizeNames;
    static constexpr std::string_view prefix = "TextFieldAutoSize.";
};
