#include "framework/net/URLRequest.h"

namespace limn::net {

const rt::ClassInfo& URLRequest::staticClass() {
    static const rt::ClassInfo info =
        rt::ClassInfo("limn.net.URLRequest", &rt::Object::staticClass())
            .field<&URLRequest::url>("url");
    return info;
}

URLRequest::URLRequest(std::string url) : url(std::move(url)) {}

}  // namespace limn::net
