#pragma once
// Loads a picture by file name, request-and-event style. Everything happens
// inside load(): listeners must be on `contentLoaderInfo` before the call.
// "complete" follows a load that didn't throw (even one whose picture has no
// surface); "ioError" follows one whose backend reported a failure (threw a
// runtime error), and nothing is thrown then. Anything else reaches the
// caller: a primitive the backend lacks, running out of memory, and what a
// "complete" or "ioError" listener throws.
// The Bitmap made is not added as a child: callers add `content` themselves.
//
//   auto loader = std::make_shared<Loader>();
//   loader->contentLoaderInfo->addEventListener("complete", onLoaded);
//   loader->load(std::make_shared<net::URLRequest>("images/Logo.jpg"));

#include <memory>

#include "framework/display/BitmapData.h"
#include "framework/display/LoaderInfo.h"
#include "framework/display/Sprite.h"
#include "framework/net/URLRequest.h"

namespace limn::display {

class Loader : public Sprite {
public:
    RT_DECLARE_CLASS

    Loader();

    // Throws "Unrecognized file " + url for an extension other than swf, jpg,
    // jpeg, png or gif (any case), and an rt::Error for a null request.
    // `context` is ignored.
    void load(const std::shared_ptr<net::URLRequest>& request, const rt::Dynamic& context = {});

    const std::shared_ptr<LoaderInfo> contentLoaderInfo;

    // What the last load made (a Bitmap for a picture), and its picture; null before.
    [[nodiscard]] std::shared_ptr<DisplayObject> limnGetContent() const { return content; }
    [[nodiscard]] std::shared_ptr<BitmapData> limnGetImage() const { return limnImage; }

private:
    std::shared_ptr<DisplayObject> content;
    std::shared_ptr<BitmapData> limnImage;

    [[nodiscard]] std::shared_ptr<LoaderInfo> byNameGetContentLoaderInfo() const {
        return contentLoaderInfo;
    }
};

}  // namespace limn::display
