#pragma once
// Volume and pan of a playback, read by the backend by name. Both default to
// 1.0 (the pan too).

#include <memory>

#include "runtime/Object.h"

namespace limn::media {

class SoundTransform : public rt::Object {
public:
    RT_DECLARE_CLASS

    explicit SoundTransform(double volume = 1.0, double pan = 1.0);

    double volume;
    double pan;

    [[nodiscard]] std::shared_ptr<SoundTransform> clone() const;
};

}  // namespace limn::media
