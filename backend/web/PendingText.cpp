// Text fields in a page wait for the canvas to shape them: until then the
// page's module offers none of their primitives.
#include "backend/primitives/Primitives.h"

namespace limn::sdl {

void registerTextPrimitives(native::TableModule&) {}

}  // namespace limn::sdl
