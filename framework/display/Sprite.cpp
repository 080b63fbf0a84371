#include "framework/display/Sprite.h"

#include "framework/display/BitmapData.h"
#include "framework/display/Graphics.h"
#include "framework/display/Stage.h"
#include "framework/geom/Matrix.h"
#include "framework/geom/Rectangle.h"
#include "native/Call.h"

namespace limn::display {

namespace {

const native::Call<native::wire::limn_create_display_object_container> createContainer;

}  // namespace

Sprite::Sprite() : DisplayObjectContainer(createContainer()) {}

std::shared_ptr<Sprite> Sprite::fromFile(const std::string& path, bool centred) {
    auto sprite = std::make_shared<Sprite>();
    auto picture = BitmapData::load(path);
    if (picture->limnHandle.isNull()) return sprite;
    const double width = picture->limnGetWidth();
    const double height = picture->limnGetHeight();
    auto g = sprite->limnGetGraphics();
    g->beginBitmapFill(picture, nullptr, false, true);
    g->drawRect(0, 0, width, height);
    g->endFill();
    if (centred) sprite->setPivot(width / 2, height / 2);
    return sprite;
}

void Sprite::startDrag(bool lockCenter, const std::shared_ptr<geom::Rectangle>& bounds) {
    if (auto stage = limnGetStage()) {
        stage->limnStartDrag(std::static_pointer_cast<Sprite>(self()), lockCenter, bounds);
    }
}

void Sprite::stopDrag() {
    if (auto stage = limnGetStage()) {
        stage->limnStopDrag(std::static_pointer_cast<Sprite>(self()));
    }
}

const rt::ClassInfo& Sprite::staticClass() {
    static const rt::ClassInfo info =
        rt::ClassInfo("limn.display.Sprite", &DisplayObjectContainer::staticClass())
            .method<&Sprite::startDrag>("startDrag")
            .method<&Sprite::stopDrag>("stopDrag");
    return info;
}

}  // namespace limn::display
