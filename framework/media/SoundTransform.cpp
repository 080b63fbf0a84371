#include "framework/media/SoundTransform.h"

namespace limn::media {

const rt::ClassInfo& SoundTransform::staticClass() {
    static const rt::ClassInfo info =
        rt::ClassInfo("limn.media.SoundTransform", &rt::Object::staticClass())
            .field<&SoundTransform::volume>("volume")
            .field<&SoundTransform::pan>("pan")
            .method<&SoundTransform::clone>("clone");
    return info;
}

SoundTransform::SoundTransform(double volume, double pan) : volume(volume), pan(pan) {}

std::shared_ptr<SoundTransform> SoundTransform::clone() const {
    return std::make_shared<SoundTransform>(volume, pan);
}

}  // namespace limn::media
