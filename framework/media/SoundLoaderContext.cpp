#include "framework/media/SoundLoaderContext.h"

namespace limn::media {

const rt::ClassInfo& SoundLoaderContext::staticClass() {
    static const rt::ClassInfo info =
        rt::ClassInfo("limn.media.SoundLoaderContext", &rt::Object::staticClass());
    return info;
}

}  // namespace limn::media
