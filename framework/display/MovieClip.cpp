#include "framework/display/MovieClip.h"

namespace limn::display {

const rt::ClassInfo& MovieClip::staticClass() {
    static const rt::ClassInfo info("limn.display.MovieClip", &Sprite::staticClass());
    return info;
}

}  // namespace limn::display
