#pragma once
// Native modules: named tables of exported primitives.
//
// A module exports each primitive under its name followed by "__" and its
// argument count ("limn_display_object_set_x__2"), or "__MULT" when it takes a
// variable count (the arguments then arrive as one array). Modules are
// registered by name; the real backend registers "limn" (by itself when it is
// linked and nothing else did), and a test registers its own "limn" before the
// framework's primitives resolve.

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "runtime/Dynamic.h"

namespace limn::native {

using PrimitiveFn = std::function<rt::Dynamic(rt::Args)>;

// Argument count of a primitive that takes any number of arguments.
inline constexpr int kVariableArgs = -1;

std::string exportName(const std::string& primitive, int argCount);

class Module {
public:
    virtual ~Module() = default;
    // nullopt: not exported. An empty function: exported but yields nothing.
    [[nodiscard]] virtual std::optional<PrimitiveFn> find(const std::string& exportName) const = 0;
};

// A module backed by a plain table, the usual way to write one.
class TableModule : public Module {
public:
    void add(const std::string& primitive, int argCount, PrimitiveFn fn);
    [[nodiscard]] std::optional<PrimitiveFn> find(const std::string& exportName) const override;
    [[nodiscard]] std::size_t size() const { return exports_.size(); }
    // Every export name ("name__N" or "name__MULT"), sorted.
    [[nodiscard]] std::vector<std::string> exportNames() const;

private:
    std::map<std::string, PrimitiveFn, std::less<>> exports_;
};

void registerModule(const std::string& name, std::shared_ptr<Module> module);
// A backend linked into the program offers itself: when `name` is first needed and
// nothing registered it, `registerIt` runs (and should register it). An explicit
// registerModule always wins, before or after. One offer per name; the last one stays.
void offerModule(const std::string& name, std::function<void()> registerIt);
void unregisterModule(const std::string& name);
[[nodiscard]] std::shared_ptr<Module> findModule(const std::string& name);

}  // namespace limn::native
