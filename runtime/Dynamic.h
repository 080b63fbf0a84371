#pragma once
// Dynamic values: null, bool, int, float, text, array, object, callable or
// native handle. Typed code stays typed; a Dynamic appears only where a value
// crosses a by-name or by-primitive boundary (property sets, event targets,
// primitive arguments, handler parameters).
//
// Conversions are lenient the way a scripting runtime's are: asFloat() of null
// is 0, of an int is the int, of a bool is 0 or 1.

#include <concepts>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <type_traits>
#include <variant>
#include <vector>

namespace rt {

class Object;
class Dynamic;

// Base of everything the native backend hands out as a handle. The framework
// never looks inside; the backend downcasts to its own types.
struct NativeObject {
    virtual ~NativeObject() = default;
};

using ObjectPtr = std::shared_ptr<Object>;
using Array = std::vector<Dynamic>;
using ArrayPtr = std::shared_ptr<Array>;
using Handle = std::shared_ptr<NativeObject>;
using Args = std::span<const Dynamic>;

// A callable value. Two Functions made by binding the same method to the same
// object compare equal with sameAs(), even though they are distinct wrappers.
class Function {
public:
    class Impl {
    public:
        virtual ~Impl() = default;
        virtual Dynamic call(Args args) const = 0;
        // Identity of the code (a method, a free function) and of the bound receiver.
        [[nodiscard]] virtual const void* code() const { return this; }
        [[nodiscard]] virtual const void* receiver() const { return nullptr; }
    };

    Function() = default;
    explicit Function(std::shared_ptr<const Impl> impl) : impl_(std::move(impl)) {}

    Dynamic call(Args args) const;
    template <class... A>
    Dynamic operator()(A&&... args) const;

    [[nodiscard]] bool sameAs(const Function& other) const;
    [[nodiscard]] bool isNull() const { return impl_ == nullptr; }
    explicit operator bool() const { return impl_ != nullptr; }

private:
    std::shared_ptr<const Impl> impl_;
};

class Dynamic {
public:
    enum class Kind { Null, Bool, Int, Float, String, Array, Object, Function, Handle };

    Dynamic() = default;
    Dynamic(std::nullptr_t) {}                        // NOLINT
    Dynamic(bool v) : v_(v) {}                        // NOLINT
    Dynamic(int v) : v_(v) {}                         // NOLINT
    Dynamic(double v) : v_(v) {}                      // NOLINT
    Dynamic(float v) : v_(static_cast<double>(v)) {}  // NOLINT
    // A null pointer is no text: null, as nullptr is.
    Dynamic(const char* v) {  // NOLINT
        if (v != nullptr) v_ = std::string(v);
    }
    Dynamic(std::string v) : v_(std::move(v)) {}         // NOLINT
    Dynamic(std::string_view v) : v_(std::string(v)) {}  // NOLINT
    // A pointer would silently become a bool: refused (text is taken as const char*).
    template <class T>
    requires(!std::same_as<std::remove_cv_t<T>, char>) Dynamic(T*)
    = delete;
    template <class T, class C>
    Dynamic(T C::*) = delete;
    Dynamic(ArrayPtr v);  // NOLINT
    Dynamic(Function v);  // NOLINT
    // Other integers keep their value: as an int when it fits, else as a float. Explicit, so
    // that a size or a 64-bit count becomes dynamic only where the code says so.
    template <std::integral T>
    requires(!std::same_as<T, bool> && !std::same_as<T, int>) explicit Dynamic(T v) {
        if constexpr (std::is_unsigned_v<T> && sizeof(T) <= sizeof(int)) {
            v_ = static_cast<int>(v);  // 32-bit colours such as 0xFF000000 wrap like ints
        } else if (static_cast<std::int64_t>(v) >= INT32_MIN &&
                   static_cast<std::int64_t>(v) <= INT32_MAX) {
            v_ = static_cast<int>(v);
        } else {
            v_ = static_cast<double>(v);
        }
    }
    template <class T>
    requires std::derived_from<T, Object> Dynamic(std::shared_ptr<T> v) {  // NOLINT
        // emplace, not assignment: GCC 12 under the sanitizers warns (falsely) that the
        // assigned pointer may be uninitialised.
        if (v) v_.template emplace<ObjectPtr>(std::move(v));
    }
    template <class T>
    requires std::derived_from<T, NativeObject> Dynamic(std::shared_ptr<T> v) {  // NOLINT
        if (v) v_.template emplace<Handle>(std::move(v));
    }

    [[nodiscard]] Kind kind() const { return static_cast<Kind>(v_.index()); }
    [[nodiscard]] bool isNull() const { return v_.index() == 0; }
    [[nodiscard]] bool isBool() const { return kind() == Kind::Bool; }
    [[nodiscard]] bool isInt() const { return kind() == Kind::Int; }
    [[nodiscard]] bool isFloat() const { return kind() == Kind::Float; }
    [[nodiscard]] bool isNumber() const { return isInt() || isFloat(); }
    [[nodiscard]] bool isString() const { return kind() == Kind::String; }
    [[nodiscard]] bool isArray() const { return kind() == Kind::Array; }
    [[nodiscard]] bool isObject() const { return kind() == Kind::Object; }
    [[nodiscard]] bool isFunction() const { return kind() == Kind::Function; }
    [[nodiscard]] bool isHandle() const { return kind() == Kind::Handle; }

    [[nodiscard]] bool asBool() const;  // null, false, 0 and "" are false
    [[nodiscard]] int asInt() const;    // floats truncate toward zero
    // Null counts as 0. The float case is inline: it is the by-name write's hot path.
    [[nodiscard]] double asFloat() const {
        if (const double* d = std::get_if<double>(&v_)) return *d;
        return asFloatSlow();
    }
    [[nodiscard]] std::string asString() const;  // the text itself, or toString()
    [[nodiscard]] ArrayPtr asArray() const;      // null unless an array
    [[nodiscard]] ObjectPtr asObject() const;    // null unless an object
    [[nodiscard]] Function asFunction() const;   // null unless a callable
    [[nodiscard]] Handle asHandle() const;       // null unless a native handle

    // The object as T, or null when it is something else.
    template <class T>
    [[nodiscard]] std::shared_ptr<T> as() const {
        if (auto* o = std::get_if<ObjectPtr>(&v_)) return std::dynamic_pointer_cast<T>(*o);
        return nullptr;
    }
    // The native handle as the backend's own type T, or nullptr.
    template <class T>
    [[nodiscard]] T* handleAs() const {
        if (auto* h = std::get_if<Handle>(&v_)) return dynamic_cast<T*>(h->get());
        return nullptr;
    }

    [[nodiscard]] const std::string* stringIf() const { return std::get_if<std::string>(&v_); }
    [[nodiscard]] std::string toString() const;

    // Numbers compare by value (1 == 1.0), texts by content, objects, arrays and
    // handles by identity, callables as method references.
    friend bool operator==(const Dynamic& a, const Dynamic& b);

private:
    [[nodiscard]] double asFloatSlow() const;

    std::variant<std::monostate, bool, int, double, std::string, ArrayPtr, ObjectPtr, Function,
                 Handle>
        v_;
};

// Builds an array value: rt::array({1, "two", 3.0}).
ArrayPtr array(std::initializer_list<Dynamic> items = {});

template <class... A>
Dynamic Function::operator()(A&&... args) const {
    if constexpr (sizeof...(A) == 0) {
        return call({});
    } else {
        const Dynamic packed[] = {Dynamic(std::forward<A>(args))...};
        return call(packed);
    }
}

}  // namespace rt
