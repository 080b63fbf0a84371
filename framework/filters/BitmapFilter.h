#pragma once
// Base of the filter records a display object's `filters` property sends to
// the backend, which reads their fields (and `type`) by name. Filters are
// copied, never shared: kinds that can be applied override clone().

#include <memory>
#include <string>

#include "runtime/Object.h"

namespace limn::filters {

class BitmapFilter : public rt::Object {
public:
    RT_DECLARE_CLASS

    explicit BitmapFilter(std::string type);

    // A new filter with the same fields. This base throws "clone not implemented".
    [[nodiscard]] virtual std::shared_ptr<BitmapFilter> clone() const;

    std::string type;
};

}  // namespace limn::filters
