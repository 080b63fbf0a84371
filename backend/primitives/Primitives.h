#pragma once
// The native module "limn": every primitive of the backend, registered in one
// table. Each part of the backend contributes one set; registerModule() calls
// them all. Each handler is registered with native::handle against its
// declaration in native/WirePrimitives.h, which checks its parameters and
// result.
//
//   limn::sdl::registerModule();   // before the framework's primitives resolve
//
// The helpers below read the arguments a wrapper forwards (a missing argument
// reads as null); backend/base/Fields.h reads fields of plain objects by name.

#include <string>

#include "backend/base/Fields.h"
#include "native/Handler.h"
#include "native/Module.h"
#include "runtime/Dynamic.h"
#include "runtime/Object.h"

namespace limn::sdl {

// Registers module "limn" (replacing any other) and resolves every declared
// primitive against it. A session asked for by LIMN_RECORD / LIMN_REPLAY (or
// started before, see backend/replay/Session.h) starts here and is wrapped in.
void registerModule();
// The table registerModule() builds, for tools that wrap or extend it.
[[nodiscard]] std::shared_ptr<native::TableModule> makeModule();

// Sets of primitives, one per part of the backend.
void registerStagePrimitives(native::TableModule& module);     // frames, stages, clock
void registerDisplayPrimitives(native::TableModule& module);   // display objects, containers
void registerGraphicsPrimitives(native::TableModule& module);  // drawing lists
void registerImagePrimitives(native::TableModule& module);     // surfaces made and loaded
void registerBytePrimitives(native::TableModule& module);      // byte buffers
void registerTextPrimitives(native::TableModule& module);      // text fields
void registerAudioPrimitives(native::TableModule& module);     // sounds and channels
void registerPixelPrimitives(native::TableModule& module);     // BitmapData pixel operations
void registerFilterPrimitives(native::TableModule& module);    // filters
void registerTilesPrimitives(native::TableModule& module);     // tile sheets and triangles
// Wraps the primitives a recording or replaying session watches (Session.h).
void wrapSessionPrimitives(native::TableModule& module);

// Argument i, or null past the end.
[[nodiscard]] inline const rt::Dynamic& arg(rt::Args args, std::size_t i) {
    static const rt::Dynamic none;
    return i < args.size() ? args[i] : none;
}
[[nodiscard]] inline double argNumber(rt::Args args, std::size_t i) {
    return arg(args, i).asFloat();
}
[[nodiscard]] inline int argInt(rt::Args args, std::size_t i) {
    return arg(args, i).asInt();
}
[[nodiscard]] inline std::string argString(rt::Args args, std::size_t i) {
    return arg(args, i).isNull() ? std::string() : arg(args, i).asString();
}

}  // namespace limn::sdl
