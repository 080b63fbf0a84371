// The display object's pivot on the real backend: an object with pivot p must
// measure, hit, convert points, take clicks and draw exactly as the same
// picture moved by -p inside a plain wrapper sprite placed where the object is.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <random>

#include "backend/testing/Game.h"
#include "framework/Lib.h"
#include "framework/display/Graphics.h"
#include "framework/display/MovieClip.h"
#include "framework/display/Shape.h"
#include "framework/display/Sprite.h"
#include "framework/events/MouseEvent.h"
#include "framework/geom/Point.h"
#include "framework/geom/Rectangle.h"
#include "framework/geom/Transform.h"

namespace limn::testing {
namespace {

using display::DisplayObject;
using display::Sprite;

constexpr int kSide = 160;

void emptyProgram() {
    Lib::create([] {}, kSide, kSide);
}

// An L of two rectangles and a disc: no symmetry a wrong turn could hide behind.
std::shared_ptr<Sprite> picture() {
    auto s = std::make_shared<Sprite>();
    auto g = s->graphics();
    g->beginFill(0x2A9D8F);
    g->drawRect(0, 0, 40, 12);
    g->drawRect(0, 12, 12, 30);
    g->endFill();
    g->beginFill(0xE76F51);
    g->drawCircle(30, 30, 8);
    g->endFill();
    return s;
}

struct Pose {
    double pivotX, pivotY, x, y, rotation, scaleX, scaleY;
    bool scrolled, cached, masking;
};

Pose randomPose(std::mt19937& random) {
    auto between = [&random](double low, double high) {
        return std::uniform_real_distribution<double>(low, high)(random);
    };
    auto coin = [&random] { return std::bernoulli_distribution(0.25)(random); };
    return {between(-20, 50),
            between(-20, 50),
            between(40, 120),
            between(40, 120),
            between(-180, 180),
            between(0.4, 1.8),
            between(-1.6, 1.6),
            coin(),
            coin(),
            coin()};
}

void dress(const std::shared_ptr<Sprite>& content, const Pose& pose) {
    if (pose.scrolled) content->setScrollRect(std::make_shared<geom::Rectangle>(4, 2, 30, 36));
}

// The pose set on the object itself, its steps in a random order, the pivot among them.
std::shared_ptr<Sprite> pivoted(const Pose& pose, std::mt19937& random) {
    auto object = picture();
    dress(object, pose);
    std::vector<std::function<void()>> steps = {[&] { object->setPivot(pose.pivotX, pose.pivotY); },
                                                [&] { object->setX(pose.x); },
                                                [&] { object->setY(pose.y); },
                                                [&] { object->setRotation(pose.rotation); },
                                                [&] { object->setScaleX(pose.scaleX); },
                                                [&] { object->setScaleY(pose.scaleY); }};
    std::shuffle(steps.begin(), steps.end(), random);
    for (const auto& step : steps) step();
    object->setCacheAsBitmap(pose.cached);
    return object;
}

// The same through a wrapper; returns the wrapper, its one child the picture.
std::shared_ptr<Sprite> wrapped(const Pose& pose) {
    auto content = picture();
    dress(content, pose);
    content->setX(-pose.pivotX);
    content->setY(-pose.pivotY);
    auto wrapper = std::make_shared<Sprite>();
    wrapper->addChild(content);
    wrapper->setX(pose.x);
    wrapper->setY(pose.y);
    wrapper->setRotation(pose.rotation);
    wrapper->setScaleX(pose.scaleX);
    wrapper->setScaleY(pose.scaleY);
    wrapper->setCacheAsBitmap(pose.cached);
    return wrapper;
}

// Puts `object` on the stage alone (or as the mask of a full-stage fill) and draws it.
Picture shown(Game& game, const std::shared_ptr<DisplayObject>& object, bool masking) {
    auto root = Lib::current();
    while (root->numChildren() > 0) root->removeChildAt(0);
    root->addChild(object);
    if (masking) {
        auto fill = std::make_shared<display::Shape>();
        fill->graphics()->beginFill(0x264653);
        fill->graphics()->drawRect(0, 0, kSide, kSide);
        root->addChild(fill);
        fill->setMask(object);
    }
    game.step();
    return game.snapshot();
}

int clicksAt(Game& game, const std::shared_ptr<DisplayObject>& target, double x, double y) {
    int clicks = 0;
    auto handle = target->on(events::MouseEvent::CLICK, [&clicks] { ++clicks; });
    game.tap(x, y);
    handle.remove();
    return clicks;
}

// Pixels whose channels differ by more than one step (edge rounding aside).
int differingPixels(const Picture& a, const Picture& b) {
    if (a.width != b.width || a.height != b.height) return -1;
    int differ = 0;
    for (std::size_t i = 0; i < a.pixels.size(); ++i) {
        for (int shift = 0; shift < 32; shift += 8) {
            const int ca = static_cast<int>((a.pixels[i] >> shift) & 0xFF);
            const int cb = static_cast<int>((b.pixels[i] >> shift) & 0xFF);
            if (std::abs(ca - cb) > 1) {
                ++differ;
                break;
            }
        }
    }
    return differ;
}

void expectNear(const geom::Point& a, const geom::Point& b, const char* what) {
    EXPECT_NEAR(a.x, b.x, 1e-6) << what;
    EXPECT_NEAR(a.y, b.y, 1e-6) << what;
}

TEST(Pivot, MeasuresHitsConvertsAndDrawsAsAWrappedPicture) {
    Game game(emptyProgram);
    std::mt19937 random(2026);
    auto coordinate = [&random] {
        return std::uniform_real_distribution<double>(0, kSide)(random);
    };
    int hits = 0;
    int clicks = 0;
    for (int trial = 0; trial < 60; ++trial) {
        SCOPED_TRACE("trial " + std::to_string(trial));
        const Pose pose = randomPose(random);
        auto object = pivoted(pose, random);
        auto wrapper = wrapped(pose);
        auto content = wrapper->getChildAt(0);

        EXPECT_NEAR(object->x(), pose.x, 1e-9);
        EXPECT_NEAR(object->y(), pose.y, 1e-9);
        EXPECT_EQ(object->pivotX(), pose.pivotX);

        const Picture drawnWrapped = shown(game, wrapper, pose.masking);
        const auto wrapperWidth = wrapper->width();
        const auto wrapperHeight = wrapper->height();
        const auto wrapperBounds = content->transform()->pixelBounds();
        const geom::Point local(coordinate() - 40, coordinate() - 40);
        const auto wrapperGlobal = content->localToGlobal(local);
        const auto wrapperBack = content->globalToLocal(local);
        std::vector<geom::Point> probes;
        std::vector<int> wrapperHits;
        std::vector<int> wrapperClicks;
        for (int i = 0; i < 12; ++i) {
            probes.emplace_back(pose.x + coordinate() / 3 - 30, pose.y + coordinate() / 3 - 30);
            const auto& p = probes.back();
            wrapperHits.push_back(wrapper->hitTestPoint(p.x, p.y, true) * 2 +
                                  wrapper->hitTestPoint(p.x, p.y, false));
            if (i < 3 && !pose.masking) wrapperClicks.push_back(clicksAt(game, wrapper, p.x, p.y));
        }

        const Picture drawnPivoted = shown(game, object, pose.masking);
        EXPECT_EQ(differingPixels(drawnPivoted, drawnWrapped), 0);
        EXPECT_NEAR(object->width(), wrapperWidth, 1e-6);
        EXPECT_NEAR(object->height(), wrapperHeight, 1e-6);
        const auto bounds = object->transform()->pixelBounds();
        EXPECT_NEAR(bounds->x, wrapperBounds->x, 1e-6);
        EXPECT_NEAR(bounds->y, wrapperBounds->y, 1e-6);
        EXPECT_NEAR(bounds->width, wrapperBounds->width, 1e-6);
        EXPECT_NEAR(bounds->height, wrapperBounds->height, 1e-6);
        expectNear(*object->localToGlobal(local), *wrapperGlobal, "localToGlobal");
        expectNear(*object->globalToLocal(local), *wrapperBack, "globalToLocal");
        for (std::size_t i = 0; i < probes.size(); ++i) {
            const auto& p = probes[i];
            EXPECT_EQ(
                object->hitTestPoint(p.x, p.y, true) * 2 + object->hitTestPoint(p.x, p.y, false),
                wrapperHits[i])
                << "at " << p.x << ", " << p.y;
            hits += wrapperHits[i] != 0;
            if (i < wrapperClicks.size()) {
                clicks += wrapperClicks[i];
                EXPECT_EQ(clicksAt(game, object, p.x, p.y), wrapperClicks[i]) << p.x << ", " << p.y;
            }
        }
    }
    EXPECT_GT(hits, 100) << "the probes should often land on the picture";
    EXPECT_GT(clicks, 5);
}

TEST(Pivot, DragsByName) {
    Game game(emptyProgram);
    auto object = picture();
    object->set("pivotX", 20.0);
    object->set("pivotY", 20.0);
    object->setRotation(90);
    object->setX(50);
    object->setY(50);
    Lib::current()->addChild(object);
    EXPECT_EQ(object->get("pivotX").asFloat(), 20.0);
    // Pressed on its top bar, 14 px right of the pivot, it keeps that offset.
    object->on(events::MouseEvent::MOUSE_DOWN, [&object] { object->startDrag(); });
    game.drag(64, 50, 104, 70, 4);
    object->stopDrag();
    EXPECT_NEAR(object->x(), 90, 1e-9);
    EXPECT_NEAR(object->y(), 70, 1e-9);
    // A matrix written back as read leaves x, y and the pivot as they were.
    object->transform()->setMatrix(object->transform()->matrix());
    EXPECT_NEAR(object->x(), 90, 1e-9);
    EXPECT_EQ(object->pivotX(), 20.0);
    // A non-finite pivot is none; the pivot keeps its place in the parent.
    object->setPivot(std::nan(""), INFINITY);
    EXPECT_EQ(object->pivotX(), 0.0);
    EXPECT_NEAR(object->x(), 90, 1e-9);
}

}  // namespace
}  // namespace limn::testing
