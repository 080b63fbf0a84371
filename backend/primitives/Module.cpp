#include "backend/primitives/Primitives.h"

#include <string>

#include "backend/replay/Session.h"
#include "native/Primitive.h"
#include "runtime/Log.h"

namespace limn::sdl {

namespace {

#ifdef __EMSCRIPTEN__
constexpr const char* kBackendName = "the page's backend";
#else
constexpr const char* kBackendName = "the desktop backend";
#endif

}  // namespace

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
    rt::log::debug(std::string("module \"limn\" registered: ") + kBackendName);
    native::Primitive::resolveAll();
}

}  // namespace limn::sdl
