#pragma once
// What a Loader reports about its last load, and the dispatcher its "complete"
// and "ioError" events arrive on. A plain record: only `loader`, `url`,
// `contentType`, `content`, `bytesLoaded`, `bytesTotal` and
// `childAllowsParent` are ever set.
//
// The link to the loader is a back link: it doesn't keep the loader alive and
// reads null once the loader is gone.

#include <memory>
#include <string>

#include "framework/events/EventDispatcher.h"
#include "runtime/Object.h"

namespace limn::utils {
class ByteArray;
}

namespace limn::display {

class DisplayObject;
class Loader;

class LoaderInfo : public events::EventDispatcher {
public:
    RT_DECLARE_CLASS

    LoaderInfo() = default;

    // A record whose `loader` is `loader` (which may still be under construction).
    [[nodiscard]] static std::shared_ptr<LoaderInfo> create(Loader* loader);

    [[nodiscard]] std::shared_ptr<Loader> limnGetLoader() const;

    std::shared_ptr<utils::ByteArray> bytes;
    int bytesLoaded = 0;
    int bytesTotal = 0;
    bool childAllowsParent = true;
    std::shared_ptr<DisplayObject> content;
    std::string contentType;
    double frameRate = 0;
    int height = 0;
    std::string loaderURL;
    rt::Dynamic parameters;
    bool parentAllowsChild = false;
    bool sameDomain = false;
    std::shared_ptr<events::EventDispatcher> sharedEvents;
    std::string url;
    int width = 0;

private:
    std::shared_ptr<rt::LifeToken> loader_;
};

}  // namespace limn::display
