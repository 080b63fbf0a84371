#pragma once
// One conversion from dynamic values for every enumeration reached by name.
//
// An enumeration opts in by specialising EnumValues with the integers of its first and last
// value (its values are the consecutive integers between them) and what an integer outside
// them becomes:
//   template <> struct rt::EnumValues<Cap> {
//       static constexpr int first = 0, last = 2;
//       static constexpr rt::OutOfRange outOfRange = rt::OutOfRange::Keep;
//   };
// An enumeration that also converts from text lists its value names in order (`names`) and the
// text written before a name (`prefix`); a name with or without the prefix converts to its
// value, and any other text to the first value. Without names, text reads as its integer.

#include <span>
#include <string_view>
#include <type_traits>

#include "runtime/Convert.h"

namespace rt {

enum class OutOfRange {
    Keep,   // the integer is kept as it is (it passes on to the backend unchanged)
    First,  // the value is the first one
};

template <class E>
struct EnumValues;

template <class E>
concept ListedEnum = std::is_enum_v<E> && std::is_same_v < std::underlying_type_t<E>,
int > &&requires {
    { EnumValues<E>::first } -> std::convertible_to<int>;
    { EnumValues<E>::last } -> std::convertible_to<int>;
    { EnumValues<E>::outOfRange } -> std::convertible_to<OutOfRange>;
};

template <class E>
concept NamedEnum = ListedEnum<E> && requires {
    { EnumValues<E>::names } -> std::convertible_to<std::span<const std::string_view>>;
    { EnumValues<E>::prefix } -> std::convertible_to<std::string_view>;
};

// The value with integer `value`, or what OutOfRange says when it has none.
template <ListedEnum E>
constexpr E enumFromInt(int value) {
    using V = EnumValues<E>;
    static_assert(V::first <= V::last, "an enumeration lists its values first to last");
    if (value < V::first || value > V::last) {
        if (V::outOfRange == OutOfRange::First) return static_cast<E>(V::first);
    }
    return static_cast<E>(value);
}

// The value named `text` (with or without the prefix), or the first value.
template <NamedEnum E>
E enumFromName(std::string_view text) {
    using V = EnumValues<E>;
    std::span<const std::string_view> names = V::names;
    static_assert(V::names.size() == static_cast<std::size_t>(V::last - V::first + 1),
                  "one name for every value");
    if (text.starts_with(V::prefix)) text.remove_prefix(V::prefix.size());
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (names[i] == text) return static_cast<E>(V::first + static_cast<int>(i));
    }
    return static_cast<E>(V::first);
}

template <ListedEnum E>
struct Convert<E> {
    static E from(const Dynamic& d) {
        if constexpr (NamedEnum<E>) {
            if (const std::string* text = d.stringIf()) return enumFromName<E>(*text);
        }
        return enumFromInt<E>(d.asInt());
    }
};

}  // namespace rt
