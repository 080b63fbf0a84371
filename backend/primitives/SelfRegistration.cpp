// Linking the desktop backend is enough: it offers itself as module "limn", so a
// program that registers nothing gets it at its first primitive call. The linker
// keeps this file because limn::backend asks for limn_desktop_backend_linked.

#include "backend/primitives/Primitives.h"
#include "runtime/Log.h"

extern "C" void limn_desktop_backend_linked() {}

namespace {

[[maybe_unused]] const bool offered = [] {
    limn::native::offerModule("limn", [] {
        rt::log::info("no backend was registered: the desktop backend registers itself");
        limn::sdl::registerModule();
    });
    return true;
}();

}  // namespace
