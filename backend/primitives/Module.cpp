#include "backend/primitives/Primitives.h"

#include "backend/replay/Session.h"
#include "native/Primitive.h"
#include "runtime/Log.h"

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
    auto module = makeModule();
    if (Session::startFromEnvironment()) wrapSessionPrimitives(*module);
    native::registerModule("limn", module);
    rt::log::debug("module \"limn\" registered: the desktop backend");
    native::Primitive::resolveAll();
}

}  // namespace limn::sdl
