#pragma once
// The kinds of values that cross the wire, and what each kind is on either
// side: which C++ values a framework call may pass for it (Kind::accepts, and
// Kind::Sent, the field of a call's argument record), the C++ type a backend
// handler reads it as (Kind::Received, a field of the handler's argument record;
// Kind::Type is the value's type) and how that value is read from the dynamic
// value that crossed (Kind::read, as lenient as a dynamic read: a missing number
// reads 0, a missing string "").

#include <concepts>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>

#include "runtime/Dynamic.h"

namespace limn::native::wire {

template <class T>
using Bare = std::remove_cvref_t<T>;

template <class T>
inline constexpr bool kIsText = std::is_same_v<Bare<T>, std::string> ||
                                std::is_same_v<Bare<T>, std::string_view> ||
                                (std::is_convertible_v<T, const char*> &&
                                 !std::is_null_pointer_v<Bare<T>>);

template <class T>
inline constexpr bool kIsScalar =
    std::is_arithmetic_v<Bare<T>> || std::is_enum_v<Bare<T>> || kIsText<T>;

// The value a framework call sends for a number, an int or a kind that crosses
// as it is (a handle, an object ...): made from any value the kind accepts, and
// nothing else.
// Numbers keep the representation a dynamic value gives them (an int stays an
// int, a 32-bit colour wraps to an int); an enumeration crosses as its integer.
template <class K>
struct Sending : rt::Dynamic {
    template <class T>
    requires K::template accepts<T> Sending(T&& value)  // NOLINT: implicit by design
        : rt::Dynamic(dynamicOf(std::forward<T>(value))) {}

private:
    template <class T>
    static rt::Dynamic dynamicOf(T&& value) {
        if constexpr (std::is_enum_v<Bare<T>>) {
            return static_cast<int>(value);
        } else {
            return rt::Dynamic(std::forward<T>(value));
        }
    }
};

struct Number {
    using Type = double;
    using Sent = Sending<Number>;
    using Received = double;
    template <class T>
    static constexpr bool accepts = std::is_arithmetic_v<Bare<T>> && !std::is_same_v<Bare<T>, bool>;
    static double read(const rt::Dynamic& v) { return v.asFloat(); }
};

struct Int {
    using Type = int;
    using Sent = Sending<Int>;
    using Received = int;
    template <class T>
    static constexpr bool accepts =
        (std::is_integral_v<Bare<T>> && !std::is_same_v<Bare<T>, bool>) || std::is_enum_v<Bare<T>>;
    static int read(const rt::Dynamic& v) { return v.asInt(); }
};

// A number, or null where the primitive has its own default.
struct MaybeNumber {
    using Type = std::optional<double>;
    using Sent = std::optional<double>;
    using Received = std::optional<double>;
    template <class T>
    static constexpr bool accepts = Number::accepts<T> || std::is_null_pointer_v<Bare<T>>;
    static std::optional<double> read(const rt::Dynamic& v) {
        return v.isNull() ? std::nullopt : std::optional<double>(v.asFloat());
    }
};

struct Bool {
    using Type = bool;
    using Sent = bool;
    using Received = bool;
    template <class T>
    static constexpr bool accepts = std::is_same_v<Bare<T>, bool>;
    static bool read(const rt::Dynamic& v) { return v.asBool(); }
};

struct String {
    using Type = std::string;
    using Sent = std::string_view;
    using Received = std::string;
    template <class T>
    static constexpr bool accepts = kIsText<T>;
    static std::string read(const rt::Dynamic& v) {
        return v.isNull() ? std::string() : v.asString();
    }
};

// One of the enumerations of native/WireConstants.h; crosses as its integer.
// A bare number where the enumeration goes does not compile.
template <class E>
struct Enum {
    using Type = E;
    using Sent = E;
    using Received = E;
    template <class T>
    static constexpr bool accepts = std::is_same_v<Bare<T>, E>;
    static E read(const rt::Dynamic& v) { return static_cast<E>(v.asInt()); }
};

// What a framework call hands the primitive for an argument: enumerations
// cross as their integers, a missing optional number as null, everything else
// as it is.
template <class T>
rt::Dynamic crossing(T&& value) {
    if constexpr (std::is_enum_v<Bare<T>>) {
        return static_cast<int>(value);
    } else if constexpr (std::is_same_v<Bare<T>, std::optional<double>>) {
        return value ? rt::Dynamic(*value) : rt::Dynamic();
    } else if constexpr (std::is_base_of_v<rt::Dynamic, Bare<T>>) {
        return static_cast<rt::Dynamic&&>(value);
    } else {
        return rt::Dynamic(std::forward<T>(value));
    }
}

// Kinds that cross as they are: a handler receives them as const rt::Dynamic&.
struct Passed {
    using Type = rt::Dynamic;
    using Received = const rt::Dynamic&;
    static const rt::Dynamic& read(const rt::Dynamic& v) { return v; }
};

// A value a primitive made (a display object, a surface, a sound ...), or null.
struct Handle : Passed {
    template <class T>
    static constexpr bool accepts = !kIsScalar<T> && std::is_constructible_v<rt::Dynamic, T>;
    using Sent = Sending<Handle>;
};
// A plain object the primitive reads or writes by field name, or null.
struct Object : Handle {};
// An array of values, or null.
struct Array : Handle {};
// A callable, or null.
struct Function : Handle {};
// Null or a value of any kind; the primitive tells them apart.
struct Any : Passed {
    template <class T>
    static constexpr bool accepts = std::is_constructible_v<rt::Dynamic, T>;
    using Sent = Sending<Any>;
};
// No result.
struct Void {
    using Type = void;
};

template <class... K>
struct Kinds {
    static constexpr std::size_t size = sizeof...(K);
};

// A call's result as the framework receives it: the declared kind's type,
// read as leniently as its arguments are; the kinds that cross as they are
// stay dynamic; nothing for Void.
template <class K>
auto result(rt::Dynamic&& value) {
    if constexpr (std::is_same_v<K, Void>) {
        return;
    } else if constexpr (std::is_base_of_v<Passed, K>) {
        return std::move(value);
    } else {
        return K::read(value);
    }
}

// First member of every call's argument record: it makes a positional
// initialiser ({handle, 1.0, 2.0}) refuse to compile, so that calls name
// each argument ({.gfx = handle, .x = 1.0, .y = 2.0}) and C++ checks the
// order of the names.
struct ByName {
    explicit ByName() = default;
};

// The I-th kind of a list.
template <std::size_t I, class L>
struct KindAt;
template <std::size_t I, class K, class... Rest>
struct KindAt<I, Kinds<K, Rest...>> : KindAt<I - 1, Kinds<Rest...>> {};
template <class K, class... Rest>
struct KindAt<0, Kinds<K, Rest...>> {
    using type = K;
};

// What a primitive's declaration carries: whether it is exported as
// "name__MULT", its result's kind and its parameters' kinds.
template <bool Many, class R, class... P>
struct Signature {
    static constexpr bool many = Many;
    static constexpr int arity = static_cast<int>(sizeof...(P));
    using Result = R;
    using Params = Kinds<P...>;
};

}  // namespace limn::native::wire
