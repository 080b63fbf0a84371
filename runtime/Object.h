#pragma once
// Objects whose fields are read and written by name.
//
// Every class that must be reachable by name describes itself once in a
// ClassInfo table: data fields, getter/setter properties and methods. A
// by-name access is one hash lookup on an interned Name plus a call through a
// function pointer, so the tween engine can write `x` every frame cheaply.
//
//   class Ball : public rt::Object {
//   public:
//       RT_DECLARE_CLASS
//       double speed = 0;
//   };
//   const rt::ClassInfo& Ball::staticClass() {
//       static const rt::ClassInfo info = rt::ClassInfo("Ball", &rt::Object::staticClass())
//                                             .field<&Ball::speed>("speed");
//       return info;
//   }

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <tuple>
#include <unordered_map>
#include <utility>
#include <vector>

#include "runtime/Convert.h"
#include "runtime/Dynamic.h"
#include "runtime/Name.h"

namespace rt {

class ClassInfo;

// Declares the class table accessors; place it in the public section.
#define RT_DECLARE_CLASS                                \
    static const ::rt::ClassInfo& staticClass();        \
    const ::rt::ClassInfo& classInfo() const override { \
        return staticClass();                           \
    }

// Tells bound methods whether their receiver still exists. It belongs to the
// object, is cleared by its destructor, and never keeps the object alive, so a
// listener bound to its own object makes no ownership cycle.
struct LifeToken {
    Object* self;
};

class Object : public std::enable_shared_from_this<Object> {
public:
    Object() = default;
    Object(const Object&) : std::enable_shared_from_this<Object>() {}
    Object& operator=(const Object&) { return *this; }
    virtual ~Object();

    static const ClassInfo& staticClass();
    [[nodiscard]] virtual const ClassInfo& classInfo() const { return staticClass(); }

    // Reads a field or property; a method name gives a bound callable; an
    // unknown name gives null.
    Dynamic get(Name name);
    // Writes a field or property through its setter. Unknown names are kept by
    // plain objects and ignored by classes.
    void set(Name name, const Dynamic& value);
    [[nodiscard]] bool hasField(Name name) const;
    // Calls a method (or a callable held in a field) by name.
    Dynamic callMethod(Name name, Args args = {});
    // The data fields, in declaration order (a plain object: insertion order).
    [[nodiscard]] virtual std::vector<Name> fieldNames() const;

    [[nodiscard]] virtual std::string toString() const;
    [[nodiscard]] bool isA(const ClassInfo& info) const;

    const std::shared_ptr<LifeToken>& lifeToken();

protected:
    virtual Dynamic getExtra(Name) { return {}; }
    virtual bool setExtra(Name, const Dynamic&) { return false; }
    [[nodiscard]] virtual bool hasExtra(Name) const { return false; }

private:
    std::shared_ptr<LifeToken> life_;
};

namespace detail {

template <class M>
struct MemberTraits;
template <class C, class R, class... A>
struct MemberTraits<R (C::*)(A...)> {
    using Class = C;
    using Result = R;
    using Params = std::tuple<A...>;
};
template <class C, class R, class... A>
struct MemberTraits<R (C::*)(A...) const> : MemberTraits<R (C::*)(A...)> {};
template <class C, class R, class... A>
struct MemberTraits<R (C::*)(A...) noexcept> : MemberTraits<R (C::*)(A...)> {};
template <class C, class R, class... A>
struct MemberTraits<R (C::*)(A...) const noexcept> : MemberTraits<R (C::*)(A...)> {};

template <class C, class T>
struct FieldTraits {
    using Class = C;
    using Type = T;
};
template <class M>
struct FieldOf;
template <class C, class T>
struct FieldOf<T C::*> : FieldTraits<C, T> {};

template <auto M, class C, std::size_t... I>
Dynamic invokeWith(C& self, Args args, std::index_sequence<I...>) {
    using Traits = MemberTraits<decltype(M)>;
    using Params = typename Traits::Params;
    if constexpr (std::is_void_v<typename Traits::Result>) {
        (self.*M)(argAt<std::tuple_element_t<I, Params>>(args, I)...);
        return {};
    } else {
        return Dynamic((self.*M)(argAt<std::tuple_element_t<I, Params>>(args, I)...));
    }
}

template <auto M>
Dynamic invokeMember(Object& self, Args args) {
    using Traits = MemberTraits<decltype(M)>;
    using C = typename Traits::Class;
    return invokeWith<M>(static_cast<C&>(self), args,
                         std::make_index_sequence<std::tuple_size_v<typename Traits::Params>>());
}

template <auto M>
struct MethodTag {
    static constexpr char tag = 0;
};

}  // namespace detail

class ClassInfo {
public:
    using Getter = Dynamic (*)(Object&);
    using Setter = void (*)(Object&, const Dynamic&);
    using Method = Dynamic (*)(Object&, Args);
    struct Member {
        Getter get = nullptr;
        Setter set = nullptr;
        Method call = nullptr;
    };

    // Members by interned name: open addressing on the name's address, so a
    // lookup is a multiply, a shift and usually one compare.
    class MemberTable {
    public:
        Member& operator[](const std::string* key);
        [[nodiscard]] const Member* find(const std::string* key) const {
            if (slots_.empty()) return nullptr;
            for (std::size_t i = slotOf(key);; i = (i + 1) & mask_) {
                const Slot& slot = slots_[i];
                if (slot.key == key) return &slot.member;
                if (slot.key == nullptr) return nullptr;
            }
        }

    private:
        struct Slot {
            const std::string* key = nullptr;
            Member member;
        };
        [[nodiscard]] std::size_t slotOf(const std::string* key) const {
            auto bits = reinterpret_cast<std::uintptr_t>(key);
            return static_cast<std::size_t>((bits * 0x9E3779B97F4A7C15ull) >> shift_) & mask_;
        }
        void grow();

        std::vector<Slot> slots_;
        std::size_t used_ = 0;
        std::size_t mask_ = 0;
        int shift_ = 64;
    };

    explicit ClassInfo(std::string name, const ClassInfo* base = nullptr);

    // A property reached through a getter and an optional setter method.
    template <auto Get, auto Set = nullptr>
    ClassInfo& property(Name name) {
        using C = typename detail::MemberTraits<decltype(Get)>::Class;
        Member& m = members_[name.id()];
        m.get = [](Object& o) -> Dynamic { return Dynamic((static_cast<C&>(o).*Get)()); };
        if constexpr (!std::is_null_pointer_v<decltype(Set)>) {
            using S = typename detail::MemberTraits<decltype(Set)>::Class;
            using P = std::tuple_element_t<0, typename detail::MemberTraits<decltype(Set)>::Params>;
            m.set = [](Object& o, const Dynamic& v) {
                (static_cast<S&>(o).*Set)(fromDynamic<P>(v));
            };
        }
        return *this;
    }

    // A public data member, listed by fieldNames().
    template <auto F>
    ClassInfo& field(Name name) {
        using C = typename detail::FieldOf<decltype(F)>::Class;
        using T = typename detail::FieldOf<decltype(F)>::Type;
        Member& m = members_[name.id()];
        m.get = [](Object& o) -> Dynamic { return Dynamic(static_cast<C&>(o).*F); };
        m.set = [](Object& o, const Dynamic& v) { static_cast<C&>(o).*F = fromDynamic<T>(v); };
        fieldOrder_.push_back(name);
        return *this;
    }

    // A data member readable by name only: a write by name is refused (and
    // logged), the owner keeps it consistent.
    template <auto F>
    ClassInfo& readOnly(Name name) {
        using C = typename detail::FieldOf<decltype(F)>::Class;
        Member& m = members_[name.id()];
        m.get = [](Object& o) -> Dynamic { return Dynamic(static_cast<C&>(o).*F); };
        m.set = nullptr;
        fieldOrder_.push_back(name);
        return *this;
    }

    // A field reached through plain functions, for types the templates don't convert.
    ClassInfo& custom(Name name, Getter get, Setter set) {
        members_[name.id()] = Member{get, set, nullptr};
        fieldOrder_.push_back(name);
        return *this;
    }

    // A method callable by name with dynamic arguments (missing ones are null).
    template <auto M>
    ClassInfo& method(Name name) {
        members_[name.id()].call = &detail::invokeMember<M>;
        methodTags_[name.id()] = &detail::MethodTag<M>::tag;
        return *this;
    }

    [[nodiscard]] const Member* find(Name name) const { return members_.find(name.id()); }
    [[nodiscard]] const void* methodTag(Name name) const;
    [[nodiscard]] const std::string& name() const { return name_; }
    [[nodiscard]] const ClassInfo* base() const { return base_; }
    [[nodiscard]] const std::vector<Name>& fieldOrder() const { return fieldOrder_; }
    [[nodiscard]] bool isA(const ClassInfo& other) const;

private:
    std::string name_;
    const ClassInfo* base_;
    MemberTable members_;
    std::unordered_map<const std::string*, const void*> methodTags_;
    std::vector<Name> fieldOrder_;
};

// A plain object: fields kept in insertion order. Property sets such as
// {x: 100, alpha: 0} are plain objects.
class DynObject final : public Object {
public:
    RT_DECLARE_CLASS
    DynObject() = default;
    DynObject(std::initializer_list<std::pair<Name, Dynamic>> fields);

    [[nodiscard]] std::vector<Name> fieldNames() const override;
    [[nodiscard]] const std::vector<std::pair<Name, Dynamic>>& fields() const { return fields_; }
    [[nodiscard]] std::string toString() const override;
    // The fields and their values, "{x: 100, alpha: 0}", for diagnostics.
    [[nodiscard]] std::string describe() const;
    // Where a field sits, for a writer that comes back to it every frame; -1 when absent.
    [[nodiscard]] std::ptrdiff_t indexOf(Name name) const;
    // Asks the cache for the field at index, ahead of a write to it.
    void prefetch(std::size_t index) const {
        if (index < fields_.size()) __builtin_prefetch(&fields_[index], 1);
    }
    // Writes the field at index if it still holds name there; false (and no write) otherwise.
    bool setAt(std::size_t index, Name name, const Dynamic& value) {
        if (index >= fields_.size() || !(fields_[index].first == name)) return false;
        fields_[index].second = value;
        return true;
    }

protected:
    Dynamic getExtra(Name name) override;
    bool setExtra(Name name, const Dynamic& value) override;
    [[nodiscard]] bool hasExtra(Name name) const override;

private:
    std::vector<std::pair<Name, Dynamic>> fields_;
};

using PropertySet = std::shared_ptr<DynObject>;

// {x: 100, alpha: 0} as rt::props({{"x", 100}, {"alpha", 0}}).
PropertySet props(std::initializer_list<std::pair<Name, Dynamic>> fields = {});

}  // namespace rt
