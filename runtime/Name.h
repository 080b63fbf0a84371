#pragma once
// Interned property names: two Names made from equal text share one string, so
// comparing and hashing a Name is a pointer operation. Hot paths (the tween
// engine writing `x` every frame) build their Names once and reuse them.
//
//   static const rt::Name kAlpha("alpha");
//   target->set(kAlpha, 0.5);

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace rt {

class Name {
public:
    Name(std::string_view text);  // NOLINT: names are written as literals everywhere
    Name(const char* text) : Name(std::string_view(text)) {}         // NOLINT
    Name(const std::string& text) : Name(std::string_view(text)) {}  // NOLINT

    [[nodiscard]] const std::string& str() const { return *text_; }
    [[nodiscard]] const std::string* id() const { return text_; }

    friend bool operator==(Name a, Name b) { return a.text_ == b.text_; }

private:
    const std::string* text_;
};

}  // namespace rt

template <>
struct std::hash<rt::Name> {
    std::size_t operator()(rt::Name n) const noexcept {
        return std::hash<const void*>()(n.id()) >> 4;
    }
};
