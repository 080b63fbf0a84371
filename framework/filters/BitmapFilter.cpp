#include "framework/filters/BitmapFilter.h"

#include "runtime/Error.h"

namespace limn::filters {

const rt::ClassInfo& BitmapFilter::staticClass() {
    static const rt::ClassInfo info =
        rt::ClassInfo("limn.filters.BitmapFilter", &rt::Object::staticClass())
            .field<&BitmapFilter::type>("type")
            .method<&BitmapFilter::clone>("clone");
    return info;
}

BitmapFilter::BitmapFilter(std::string type) : type(std::move(type)) {}

std::shared_ptr<BitmapFilter> BitmapFilter::clone() const {
    throw rt::Error("clone not implemented");
}

}  // namespace limn::filters
