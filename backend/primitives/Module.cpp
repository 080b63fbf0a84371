#include "backend/primitives/Primitives.h"

#include "native/Primitive.h"

namespace limn::sdl {

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

}  // namespace limn::sdl
