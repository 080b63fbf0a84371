#pragma once
// Loading options for a sound. It has none; sounds accept it and ignore it.

#include "runtime/Object.h"

namespace limn::media {

class SoundLoaderContext : public rt::Object {
public:
    RT_DECLARE_CLASS
};

}  // namespace limn::media
