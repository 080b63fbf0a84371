#include "backend/sdl/Primitives.h"
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

void setField(const rt::Dynamic& object, const char* name, const rt::Dynamic& value) {
    if (auto o = object.asObject()) o->set(rt::Name(name), value);
}

}  // namespace limn::sdl
