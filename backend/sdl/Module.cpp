#include "backend/sdl/Primitives.h"

#include <algorithm>
#include <cctype>
#include <string>

#include "native/Primitive.h"

namespace limn::sdl {

// Parts of the backend that are not built contribute nothing: these empty sets
// give way to the parts' own definitions at link time.
[[gnu::weak]] void registerTextPrimitives(native::TableModule&) {}
[[gnu::weak]] void registerAudioPrimitives(native::TableModule&) {}
[[gnu::weak]] void registerPixelPrimitives(native::TableModule&) {}
[[gnu::weak]] void registerFilterPrimitives(native::TableModule&) {}
[[gnu::weak]] void registerTilesPrimitives(native::TableModule&) {}

std::shared_ptr<native::TableModule> makeModule() {
    auto module = std::make_shared<native::TableModule>();
    registerStagePrimitives(*module);
    registerDisplayPrimitives(*module);
    registerGraphicsPrimitives(*module);
    registerImagePrimitives(*module);
    registerBytePrimitives(*module);
    registerTextPrimitives(*module);
    registerAudioPrimitives(*module);
    registerPixelPrimitives(*module);
    registerFilterPrimitives(*module);
    registerTilesPrimitives(*module);
    return module;
}

void registerModule() {
    native::registerModule("limn", makeModule());
    native::Primitive::resolveAll();
}

rt::Dynamic field(const rt::Dynamic& object, const char* name) {
    auto o = object.asObject();
    return o ? o->get(rt::Name(name)) : rt::Dynamic();
}

int blendModeIndex(const rt::Dynamic& value) {
    if (value.isNumber()) return value.asInt();
    if (value.isNull()) return 0;
    std::string name = value.asString();
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    static const char* const names[] = {"normal", "layer",      "multiply", "screen",   "lighten",
                                        "darken", "difference", "add",      "subtract", "invert",
                                        "alpha",  "erase",      "overlay",  "hardlight"};
    for (int i = 0; i < 14; ++i) {
        if (name == names[i]) return i;
    }
    return 0;
}

void setField(const rt::Dynamic& object, const char* name, const rt::Dynamic& value) {
    if (auto o = object.asObject()) o->set(rt::Name(name), value);
}

}  // namespace limn::sdl
