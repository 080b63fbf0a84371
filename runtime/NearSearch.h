#pragma once
// Finds an element in an indexed sequence, starting at a remembered position
// and widening on both sides: an exact hint costs one comparison, a hint off
// by k costs about 2k. Child lists keep such a hint per child.
//
//   std::ptrdiff_t i = rt::searchNear(children, hint, [&](const auto& c) { return c.get() == p; });

#include <algorithm>
#include <cstddef>

namespace rt {

// The index of the element nearest to `hint` for which match(element) holds,
// or -1 when there is none. `hint` may be anywhere; it is clamped to the sequence.
template <class Sequence, class Match>
[[nodiscard]] std::ptrdiff_t searchNear(const Sequence& items, std::ptrdiff_t hint, Match match) {
    const auto count = static_cast<std::ptrdiff_t>(items.size());
    if (count == 0) return -1;
    const std::ptrdiff_t guess = std::clamp(hint, std::ptrdiff_t{0}, count - 1);
    for (std::ptrdiff_t d = 0; guess - d >= 0 || guess + d < count; ++d) {
        if (guess - d >= 0 && match(items[guess - d])) return guess - d;
        if (guess + d < count && match(items[guess + d])) return guess + d;
    }
    return -1;
}

}  // namespace rt
