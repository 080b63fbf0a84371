#include "framework/display/LoaderInfo.h"

#include "framework/display/Loader.h"
#include "framework/utils/ByteArray.h"

namespace limn::display {

const rt::ClassInfo& LoaderInfo::staticClass() {
    static const rt::ClassInfo info =
        rt::ClassInfo("limn.display.LoaderInfo", &events::EventDispatcher::staticClass())
            .field<&LoaderInfo::bytes>("bytes")
            .field<&LoaderInfo::bytesLoaded>("bytesLoaded")
            .field<&LoaderInfo::bytesTotal>("bytesTotal")
            .field<&LoaderInfo::childAllowsParent>("childAllowsParent")
            .field<&LoaderInfo::content>("content")
            .field<&LoaderInfo::contentType>("contentType")
            .field<&LoaderInfo::frameRate>("frameRate")
            .field<&LoaderInfo::height>("height")
            .property<&LoaderInfo::limnGetLoader>("loader")
            .field<&LoaderInfo::loaderURL>("loaderURL")
            .field<&LoaderInfo::parameters>("parameters")
            .field<&LoaderInfo::parentAllowsChild>("parentAllowsChild")
            .field<&LoaderInfo::sameDomain>("sameDomain")
            .field<&LoaderInfo::sharedEvents>("sharedEvents")
            .field<&LoaderInfo::url>("url")
            .field<&LoaderInfo::width>("width");
    return info;
}

std::shared_ptr<LoaderInfo> LoaderInfo::create(Loader* loader) {
    auto info = std::make_shared<LoaderInfo>();
    if (loader) info->loader_ = loader->lifeToken();
    return info;
}

std::shared_ptr<Loader> LoaderInfo::limnGetLoader() const {
    if (!loader_ || loader_->self == nullptr) return nullptr;
    return std::dynamic_pointer_cast<Loader>(loader_->self->weak_from_this().lock());
}

}  // namespace limn::display
