#pragma once
// A primitive of a native module, resolved once by module, name and argument
// count.
//
// Each framework class declares its primitives as statics; resolveAll() binds
// every declared primitive at start-up, after the backend module is registered.
// A primitive called before that resolves itself on first use, so the order of
// static initialisation never matters.
//
//   const native::Primitive setX{"limn_display_object_set_x", 2};
//   setX(handle, 10.0);
//
// A primitive missing from its module prints "Could not find primitive NAME."
// on standard error and stays null; calling it throws rt::NullCallError.

#include <string>
#include <vector>

#include "native/Module.h"
#include "runtime/Dynamic.h"

namespace limn::native {

class Primitive {
public:
    Primitive(std::string name, int argCount, std::string module = "limn");
    ~Primitive();
    Primitive(const Primitive&) = delete;
    Primitive& operator=(const Primitive&) = delete;

    template <class... A>
    rt::Dynamic operator()(A&&... args) const {
        if constexpr (sizeof...(A) == 0) {
            return invoke({});
        } else {
            const rt::Dynamic packed[] = {rt::Dynamic(std::forward<A>(args))...};
            return invoke(packed);
        }
    }
    rt::Dynamic invoke(rt::Args args) const;

    // Looks the primitive up again in its module (throws when the module is
    // not registered: "Could not load module NAME").
    void resolve() const;
    [[nodiscard]] bool isNull() const;
    [[nodiscard]] const std::string& name() const { return name_; }
    [[nodiscard]] int argCount() const { return argCount_; }

    // Resolves every primitive declared in the program.
    static void resolveAll();
    // Every primitive declared in the program, in no particular order.
    [[nodiscard]] static std::vector<const Primitive*> declaredAll();
    [[nodiscard]] const std::string& moduleName() const { return module_; }

private:
    const PrimitiveFn& fn() const;

    std::string name_;
    std::string module_;
    int argCount_;
    mutable bool resolved_ = false;
    mutable PrimitiveFn fn_;
};

}  // namespace limn::native
