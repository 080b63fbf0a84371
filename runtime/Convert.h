#pragma once
// Conversions between typed C++ values and Dynamic, used where typed methods
// are reached by name or called with dynamic arguments.

#include <memory>
#include <optional>
#include <string>
#include <type_traits>

#include "runtime/Dynamic.h"
#include "runtime/Error.h"

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

// An object parameter taken by reference (`const Point&`) arrives through this
// holder, which keeps the shared object alive for the call and binds to the
// reference without copying it.
template <class T>
class ObjectRef {
public:
    explicit ObjectRef(std::shared_ptr<T> object) : object_(std::move(object)) {}
    operator T&() const { return *object_; }  // NOLINT

private:
    std::shared_ptr<T> object_;
};

// A reference cannot be null, so a null (or mistyped) object is refused with an error.
template <class T>
requires std::derived_from<T, Object>
struct Convert<T> {
    static ObjectRef<T> from(const Dynamic& d) {
        auto object = d.as<T>();
        if (!object) throw Error("Expected an object argument, got " + d.toString());
        return ObjectRef<T>(std::move(object));
    }
};

// Optional arguments: null means "not given".
template <class T>
struct Convert<std::optional<T>> {
    static std::optional<T> from(const Dynamic& d) {
        if (d.isNull()) return std::nullopt;
        return Convert<T>::from(d);
    }
};

template <class T>
auto fromDynamic(const Dynamic& d) {
    return Convert<std::remove_cvref_t<T>>::from(d);
}

// The i-th argument converted to T; a missing argument converts from null.
template <class T>
auto argAt(Args args, std::size_t i) {
    return i < args.size() ? fromDynamic<T>(args[i]) : fromDynamic<T>(Dynamic());
}

}  // namespace rt
