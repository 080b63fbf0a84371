#pragma once
// Reading the framework's plain records (a Matrix, a Rectangle, a filter, an
// event record) by field name, as the backend receives them.

#include "runtime/Dynamic.h"
#include "runtime/Object.h"

namespace limn::sdl {

// A field of a plain object by name; null when the value is not an object.
[[nodiscard]] rt::Dynamic field(const rt::Dynamic& object, const char* name);
[[nodiscard]] inline double fieldNumber(const rt::Dynamic& object, const char* name) {
    return field(object, name).asFloat();
}
void setField(const rt::Dynamic& object, const char* name, const rt::Dynamic& value);

// A blend mode given as its index or by name ("multiply", as the framework's
// values print); 0 (normal) for null or an unknown name.
[[nodiscard]] int blendModeIndex(const rt::Dynamic& value);

}  // namespace limn::sdl
