#pragma once
// Conversions between typed C++ values and Dynamic, used where typed methods
// are reached by name or called with dynamic arguments.

#include <memory>
#include <string>
#include <type_traits>

#include "runtime/Dynamic.h"

namespace rt {

template <class T>
struct Convert;

template <>
struct Convert<Dynamic> {
    static Dynamic from(const Dynamic& d) { return d; }
};
template <>
struct Convert<bool> {
    static bool from(const Dynamic& d) { return d.asBool(); }
};
template <>
struct Convert<int> {
    static int from(const Dynamic& d) { return d.asInt(); }
};
template <>
struct Convert<unsigned> {
    static unsigned from(const Dynamic& d) { return static_cast<unsigned>(d.asInt()); }
};
template <>
struct Convert<double> {
    static double from(const Dynamic& d) { return d.asFloat(); }
};
template <>
struct Convert<float> {
    static float from(const Dynamic& d) { return static_cast<float>(d.asFloat()); }
};
template <>
struct Convert<std::string> {
    static std::string from(const Dynamic& d) { return d.isNull() ? std::string() : d.asString(); }
};
template <>
struct Convert<ArrayPtr> {
    static ArrayPtr from(const Dynamic& d) { return d.asArray(); }
};
template <>
struct Convert<Function> {
    static Function from(const Dynamic& d) { return d.asFunction(); }
};
template <>
struct Convert<Handle> {
    static Handle from(const Dynamic& d) { return d.asHandle(); }
};
template <class T>
    requires std::derived_from<T, Object>
struct Convert<std::shared_ptr<T>> {
    static std::shared_ptr<T> from(const Dynamic& d) { return d.as<T>(); }
};

template <class T>
std::remove_cvref_t<T> fromDynamic(const Dynamic& d) {
    return Convert<std::remove_cvref_t<T>>::from(d);
}

// The i-th argument converted to T; a missing argument converts from null.
template <class T>
std::remove_cvref_t<T> argAt(Args args, std::size_t i) {
    return i < args.size() ? fromDynamic<T>(args[i]) : fromDynamic<T>(Dynamic());
}

}  // namespace rt
