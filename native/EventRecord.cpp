#include "native/EventRecord.h"

namespace limn::native {

const rt::ClassInfo& EventRecord::staticClass() {
    static const rt::ClassInfo info =
        rt::ClassInfo("limn.native.EventRecord", &rt::Object::staticClass())
            .field<&EventRecord::type>("type")
            .field<&EventRecord::x>("x")
            .field<&EventRecord::y>("y")
            .field<&EventRecord::id>("id")
            .field<&EventRecord::flags>("flags")
            .field<&EventRecord::value>("value")
            .field<&EventRecord::code>("code")
            .field<&EventRecord::down>("down")
            .field<&EventRecord::charCode>("char")
            .field<&EventRecord::result>("result");
    return info;
}

}  // namespace limn::native
