#include "native/Module.h"

#include <functional>
#include <mutex>

namespace limn::native {

namespace {

std::map<std::string, std::shared_ptr<Module>, std::less<>>& modules() {
    static std::map<std::string, std::shared_ptr<Module>, std::less<>> table;
    return table;
}

std::map<std::string, std::function<void()>, std::less<>>& offers() {
    static std::map<std::string, std::function<void()>, std::less<>> table;
    return table;
}

}  // namespace

std::string exportName(const std::string& primitive, int argCount) {
    return primitive + "__" + (argCount == kVariableArgs ? "MULT" : std::to_string(argCount));
}

void TableModule::add(const std::string& primitive, int argCount, PrimitiveFn fn) {
    exports_[exportName(primitive, argCount)] = std::move(fn);
}

std::optional<PrimitiveFn> TableModule::find(const std::string& exportName) const {
    auto it = exports_.find(exportName);
    if (it == exports_.end()) return std::nullopt;
    return it->second;
}

std::vector<std::string> TableModule::exportNames() const {
    std::vector<std::string> names;
    names.reserve(exports_.size());
    for (const auto& entry : exports_) names.push_back(entry.first);
    return names;
}

void registerModule(const std::string& name, std::shared_ptr<Module> module) {
    modules()[name] = std::move(module);
}

void unregisterModule(const std::string& name) {
    modules().erase(name);
}

void offerModule(const std::string& name, std::function<void()> registerIt) {
    offers()[name] = std::move(registerIt);
}

std::shared_ptr<Module> findModule(const std::string& name) {
    auto it = modules().find(name);
    if (it != modules().end()) return it->second;
    auto offer = offers().find(name);
    if (offer == offers().end() || !offer->second) return nullptr;
    // Copied: the registration may make another offer.
    const std::function<void()> registerIt = offer->second;
    registerIt();
    it = modules().find(name);
    return it == modules().end() ? nullptr : it->second;
}

}  // namespace limn::native
