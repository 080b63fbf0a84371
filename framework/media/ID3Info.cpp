#include "framework/media/ID3Info.h"

namespace limn::media {

const rt::ClassInfo& ID3Info::staticClass() {
    static const rt::ClassInfo info =
        rt::ClassInfo("limn.media.ID3Info", &rt::Object::staticClass())
            .field<&ID3Info::album>("album")
            .field<&ID3Info::artist>("artist")
            .field<&ID3Info::comment>("comment")
            .field<&ID3Info::genre>("genre")
            .field<&ID3Info::songName>("songName")
            .field<&ID3Info::track>("track")
            .field<&ID3Info::year>("year");
    return info;
}

}  // namespace limn::media
