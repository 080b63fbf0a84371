#pragma once
// Making callables.
//
//   rt::bind<&Game::onClick>(this)    a method bound to its object. It holds no
//                                    strong reference: once the object is gone
//                                    the call does nothing. Two binds of the same
//                                    method on the same object are sameAs().
//   rt::function([](int n) { ... })  any callable with typed parameters.
//   rt::function<&freeFunction>()    a free function; equal to itself when re-made.
//
// Arguments arrive as Dynamic and convert to the declared parameter types;
// missing arguments convert from null, extra ones are ignored.

#include <functional>
#include <tuple>
#include <type_traits>
#include <utility>

#include "runtime/Object.h"

namespace rt {

namespace detail {

template <class F>
struct CallableTraits : CallableTraits<decltype(&F::operator())> {};
template <class C, class R, class... A>
struct CallableTraits<R (C::*)(A...) const> {
    using Result = R;
    using Params = std::tuple<A...>;
};
template <class C, class R, class... A>
struct CallableTraits<R (C::*)(A...)> : CallableTraits<R (C::*)(A...) const> {};
template <class R, class... A>
struct CallableTraits<R (*)(A...)> {
    using Result = R;
    using Params = std::tuple<A...>;
};

template <class F, std::size_t... I>
Dynamic applyArgs(const F& f, Args args, std::index_sequence<I...>) {
    using Traits = CallableTraits<F>;
    using Params = typename Traits::Params;
    if constexpr (std::is_void_v<typename Traits::Result>) {
        f(argAt<std::tuple_element_t<I, Params>>(args, I)...);
        return {};
    } else {
        return Dynamic(f(argAt<std::tuple_element_t<I, Params>>(args, I)...));
    }
}

template <class F>
class CallableImpl final : public Function::Impl {
public:
    explicit CallableImpl(F f) : f_(std::move(f)) {}
    Dynamic call(Args args) const override {
        using Params = typename CallableTraits<F>::Params;
        return applyArgs(f_, args, std::make_index_sequence<std::tuple_size_v<Params>>());
    }

private:
    F f_;
};

template <auto Fn>
class FreeFunctionImpl final : public Function::Impl {
public:
    Dynamic call(Args args) const override {
        using Params = typename CallableTraits<decltype(Fn)>::Params;
        return applyArgs(Fn, args, std::make_index_sequence<std::tuple_size_v<Params>>());
    }
    [[nodiscard]] const void* code() const override { return &MethodTag<Fn>::tag; }
};

template <auto M>
class BoundMethodImpl final : public Function::Impl {
public:
    explicit BoundMethodImpl(std::shared_ptr<LifeToken> life) : life_(std::move(life)) {}
    Dynamic call(Args args) const override {
        Object* self = life_->self;
        if (self == nullptr) return {};
        // Keep a shared receiver alive while its method runs, even if the call
        // drops the last other reference to it.
        auto keep = self->weak_from_this().lock();
        return invokeMember<M>(*self, args);
    }
    [[nodiscard]] const void* code() const override { return &MethodTag<M>::tag; }
    [[nodiscard]] const void* receiver() const override { return life_.get(); }

private:
    std::shared_ptr<LifeToken> life_;
};

// A method reached by name (ClassInfo::method) bound to an object.
class NamedMethodImpl final : public Function::Impl {
public:
    NamedMethodImpl(std::shared_ptr<LifeToken> life, ClassInfo::Method method, const void* tag)
        : life_(std::move(life)), method_(method), tag_(tag) {}
    Dynamic call(Args args) const override;
    [[nodiscard]] const void* code() const override { return tag_; }
    [[nodiscard]] const void* receiver() const override { return life_.get(); }

private:
    std::shared_ptr<LifeToken> life_;
    ClassInfo::Method method_;
    const void* tag_;
};

}  // namespace detail

template <auto M, class T>
Function bind(T* self) {
    return Function(std::make_shared<detail::BoundMethodImpl<M>>(self->lifeToken()));
}

template <auto M, class T>
Function bind(const std::shared_ptr<T>& self) {
    return bind<M>(self.get());
}

template <class F>
Function function(F f) {
    return Function(std::make_shared<detail::CallableImpl<std::decay_t<F>>>(std::move(f)));
}

template <auto Fn>
Function function() {
    return Function(std::make_shared<detail::FreeFunctionImpl<Fn>>());
}

}  // namespace rt
