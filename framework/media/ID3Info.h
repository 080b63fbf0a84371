#pragma once
// The tag texts of a sound, filled by the backend by name. Each is null until
// the backend writes it.

#include "runtime/Object.h"

namespace limn::media {

class ID3Info : public rt::Object {
public:
    RT_DECLARE_CLASS

    rt::Dynamic album;
    rt::Dynamic artist;
    rt::Dynamic comment;
    rt::Dynamic genre;
    rt::Dynamic songName;
    rt::Dynamic track;
    rt::Dynamic year;
};

}  // namespace limn::media
