#include "backend/base/Fields.h"

#include <algorithm>
#include <cctype>
#include <string>

namespace limn::sdl {

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
