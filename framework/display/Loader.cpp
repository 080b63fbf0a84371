#include "framework/display/Loader.h"

#include <algorithm>
#include <cctype>
#include <exception>
#include <string>

#include "framework/display/Bitmap.h"
#include "runtime/Error.h"

namespace limn::display {

namespace {

struct ContentKind {
    const char* extension;
    const char* contentType;
    bool transparent;
};

constexpr ContentKind kKinds[] = {
    {"swf", "application/x-shockwave-flash", true},
    {"jpg", "image/jpeg", false},
    {"jpeg", "image/jpeg", false},
    {"png", "image/png", true},
    {"gif", "image/gif", true},
};

// The text after the last ".", lower-cased; the whole name when there is none.
std::string extensionOf(const std::string& url) {
    auto dot = url.rfind('.');
    std::string ext = dot == std::string::npos ? url : url.substr(dot + 1);
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext;
}

const ContentKind* kindOf(const std::string& url) {
    std::string ext = extensionOf(url);
    for (const auto& kind : kKinds) {
        if (ext == kind.extension) return &kind;
    }
    return nullptr;
}

}  // namespace

const rt::ClassInfo& Loader::staticClass() {
    static const rt::ClassInfo info =
        rt::ClassInfo("limn.display.Loader", &Sprite::staticClass())
            .field<&Loader::content>("content")
            .property<&Loader::byNameGetContentLoaderInfo>("contentLoaderInfo")
            .field<&Loader::limnImage>("limnImage")
            .method<&Loader::load>("load");
    return info;
}

Loader::Loader() : contentLoaderInfo(LoaderInfo::create(this)) {}

void Loader::load(const std::shared_ptr<net::URLRequest>& request, const rt::Dynamic& /*context*/) {
    if (!request) throw rt::Error("load: request is null");
    const std::string url = request->url;
    contentLoaderInfo->url = url;
    const ContentKind* kind = kindOf(url);
    if (kind == nullptr) throw rt::Error("Unrecognized file " + url);
    contentLoaderInfo->contentType = kind->contentType;
    limnImage = std::make_shared<BitmapData>(0, 0, kind->transparent);

    std::shared_ptr<BitmapData> image;
    try {
        image = BitmapData::load(url);
    } catch (const rt::NullCallError&) {
        throw;  // no backend to load with: not a failure of this load
    } catch (const std::runtime_error&) {
        image = nullptr;
    }
    // Listeners run outside the try: what they throw is theirs and reaches the caller.
    if (!image) {
        contentLoaderInfo->DispatchIOErrorEvent();
        return;
    }
    limnImage = image;
    content = std::make_shared<Bitmap>(limnImage);
    contentLoaderInfo->content = content;
    contentLoaderInfo->DispatchCompleteEvent();
}

}  // namespace limn::display
