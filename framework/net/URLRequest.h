#pragma once
// A request naming a file or URL; the one field `url` is read by name too.

#include <string>

#include "runtime/Object.h"

namespace limn::net {

class URLRequest : public rt::Object {
public:
    RT_DECLARE_CLASS

    explicit URLRequest(std::string url = "");

    std::string url;
};

}  // namespace limn::net
