#include "backend/draw/RenderState.h"

namespace limn::sdl {
namespace {

FilterHooks& installedHooks() {
    static FilterHooks hooks;
    return hooks;
}

}  // namespace

void setFilterHooks(FilterHooks hooks) {
    installedHooks() = hooks;
}

const FilterHooks& filterHooks() {
    return installedHooks();
}

}  // namespace limn::sdl
