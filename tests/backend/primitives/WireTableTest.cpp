// Every primitive of the wire, driven through the framework on the real
// backend (offscreen, in a limn::testing::Game) and checked by what it draws or
// the state it leaves. Each case names the primitives it exercises; a counting
// module between the framework and the backend checks that the case really
// reached each of them, and a second test checks that the table names every
// primitive the wire declares, so a new primitive without a case fails here.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "backend/replay/FramePicture.h"
#include "backend/testing/Game.h"
#include "framework/Lib.h"
#include "framework/Timer.h"
#include "framework/display/Bitmap.h"
#include "framework/display/BitmapData.h"
#include "framework/display/Graphics.h"
#include "framework/display/IGraphicsData.h"
#include "framework/display/ManagedStage.h"
#include "framework/display/MovieClip.h"
#include "framework/display/Shape.h"
#include "framework/display/Sprite.h"
#include "framework/display/Stage.h"
#include "framework/display/Tilesheet.h"
#include "framework/events/Event.h"
#include "framework/events/MouseEvent.h"
#include "framework/filters/DropShadowFilter.h"
#include "framework/geom/ColorTransform.h"
#include "framework/geom/Matrix.h"
#include "framework/geom/Point.h"
#include "framework/geom/Rectangle.h"
#include "framework/media/Sound.h"
#include "framework/media/SoundChannel.h"
#include "framework/media/SoundTransform.h"
#include "framework/net/URLRequest.h"
#include "framework/text/TextField.h"
#include "framework/text/TextFormat.h"
#include "framework/utils/ByteArray.h"
#include "native/Call.h"
#include "native/Module.h"
#include "native/Primitive.h"
#include "native/WirePrimitives.h"
#include "tests/backend/MediaFiles.h"

namespace limn::testing {
namespace {

using namespace display;
using geom::Point;
using geom::Rectangle;

constexpr std::uint32_t kBackground = 0x336699;
constexpr std::uint32_t kRed = 0xFF0000;
constexpr std::uint32_t kBlue = 0x0000FF;

// Primitives no case can drive headless, with the reason (none today).
const std::map<std::string, std::string> kNotDriven = {};

// Module "limn" as registered, counting each primitive's calls by name.
class CountingModule final : public native::Module {
public:
    explicit CountingModule(std::shared_ptr<native::Module> inner) : inner_(std::move(inner)) {}
    [[nodiscard]] std::optional<native::PrimitiveFn> find(
        const std::string& exportName) const override {
        auto fn = inner_->find(exportName);
        if (!fn || !*fn) return fn;
        const std::string name = exportName.substr(0, exportName.rfind("__"));
        return [fn = *fn, name](rt::Args args) {
            ++counts()[name];
            return fn(args);
        };
    }
    static std::map<std::string, int>& counts() {
        static std::map<std::string, int> table;
        return table;
    }

private:
    std::shared_ptr<native::Module> inner_;
};

// The program under test: a 100 x 100 stage at 30 frames a second, calls counted.
void program() {
    native::registerModule("limn", std::make_shared<CountingModule>(native::findModule("limn")));
    native::Primitive::resolveAll();
    Lib::create(rt::function([] {}), 100, 100, 30.0, static_cast<int>(kBackground), 0, "wire");
}

// What the cases work on: the game, a fresh sprite on the stage for each case
// (`root`), the last frame and scratch files.
struct Scene {
    std::unique_ptr<Game> game;
    std::shared_ptr<Sprite> root;
    Picture frame;
    TempDir files;

    // One frame, then the picture of it.
    void show() {
        game->step();
        frame = game->snapshot();
    }
    // 0xRRGGBB of the last frame (the background is opaque).
    [[nodiscard]] std::uint32_t rgb(int x, int y) const { return frame.at(x, y) & 0xFFFFFF; }
    // A shape filled with `color` over (x, y, w, h), added to `root`.
    std::shared_ptr<Shape> rect(std::uint32_t color, double x, double y, double w, double h,
                                DisplayObjectContainer* parent = nullptr) {
        auto s = std::make_shared<Shape>();
        s->graphics()->beginFill(static_cast<int>(color));
        s->graphics()->drawRect(x, y, w, h);
        s->graphics()->endFill();
        (parent ? *parent : *root).addChild(s);
        return s;
    }
    // The drawing of a new shape on `root`.
    std::shared_ptr<Graphics> drawing() {
        auto s = std::make_shared<Shape>();
        root->addChild(s);
        return s->graphics();
    }
    // The same with a red line style, for paths.
    std::shared_ptr<Graphics> pen(double thickness = 3) {
        auto g = drawing();
        g->lineStyle(thickness, static_cast<int>(kRed));
        return g;
    }
    // A bitmap of w x h filled with `argb`.
    static std::shared_ptr<BitmapData> bitmap(int w, int h, std::uint32_t argb) {
        return std::make_shared<BitmapData>(w, h, true, argb);
    }
    // A PNG file of a 2 x 1 picture, red then blue.
    [[nodiscard]] std::string png() const {
        sdl::FramePicture p{2, 1, {0xFFFF0000, 0xFF0000FF}};
        const std::string path = files.file("two.png");
        p.save(path);
        return path;
    }
    // A listener that notes `what` in `heard`.
    rt::Function hear(const std::string& what) {
        return rt::function([this, what](rt::Dynamic) { heard.insert(what); });
    }

    std::map<std::string, std::shared_ptr<rt::Object>> keep;  // objects a check reads later
    std::set<std::string> heard;
    double measured = 0;  // a number a setup measured
    std::shared_ptr<DisplayObject> object;
    std::shared_ptr<text::TextField> field;
};

// Whether two 0xRRGGBB colours match within `tolerance` per channel.
::testing::AssertionResult near(std::uint32_t actual, std::uint32_t expected, int tolerance = 3) {
    for (int shift = 0; shift < 24; shift += 8) {
        const int a = static_cast<int>(actual >> shift & 0xFF);
        const int e = static_cast<int>(expected >> shift & 0xFF);
        if (std::abs(a - e) > tolerance) {
            char text[48];
            std::snprintf(text, sizeof text, "got 0x%06X, expected 0x%06X", actual, expected);
            return ::testing::AssertionFailure() << text;
        }
    }
    return ::testing::AssertionSuccess();
}

std::shared_ptr<text::TextField> textField(Scene& s, const std::string& text, double w = 80,
                                           double h = 40) {
    auto field = std::make_shared<text::TextField>();
    field->setWidth(w);
    field->setHeight(h);
    field->setText(text);
    s.root->addChild(field);
    s.field = field;
    return field;
}

rt::ArrayPtr numbers(std::initializer_list<double> values) {
    auto out = std::make_shared<rt::Array>();
    for (double v : values) out->emplace_back(v);
    return out;
}

struct Case {
    std::vector<std::string> exercises;
    std::function<void(Scene&)> setup;
    std::function<void(Scene&)> check;  // after one frame
};

const std::vector<Case>& table() {
    static const std::vector<Case> cases = {
        // The main frame and its stage: the background of the first frame.
        {{"limn_create_main_frame", "limn_get_frame_stage", "limn_set_stage_handler",
          "limn_render_stage", "limn_stage_set_next_wake"},
         [](Scene& s) { s.game = std::make_unique<Game>(program); },
         [](Scene& s) {
             EXPECT_TRUE(s.game->open());
             EXPECT_TRUE(near(s.rgb(0, 0), kBackground));
             EXPECT_TRUE(near(s.rgb(99, 99), kBackground));
         }},
        {{"limn_create_display_object", "limn_create_display_object_container",
          "limn_doc_add_child", "limn_display_object_get_graphics", "limn_gfx_begin_fill",
          "limn_gfx_draw_rect", "limn_gfx_end_fill"},
         [](Scene& s) { s.rect(kRed, 10, 10, 20, 20); },
         [](Scene& s) {
             EXPECT_TRUE(near(s.rgb(10, 10), kRed));
             EXPECT_TRUE(near(s.rgb(29, 29), kRed));
             EXPECT_TRUE(near(s.rgb(31, 31), kBackground));
         }},
        {{"limn_stage_get_stage_width", "limn_stage_get_stage_height", "limn_stage_get_dpi_scale"},
         [](Scene& s) { s.game->resize(200, 200); },
         [](Scene& s) {
             EXPECT_EQ(Lib::stage()->stageWidth(), 100);
             EXPECT_EQ(Lib::stage()->stageHeight(), 100);
             EXPECT_DOUBLE_EQ(Lib::stage()->dpiScale(), 2.0);
             s.game->resize(100, 100);
             EXPECT_DOUBLE_EQ(Lib::stage()->dpiScale(), 1.0);
         }},
        {{"limn_stage_is_opengl"},
         [](Scene&) {},
         [](Scene&) { EXPECT_FALSE(Lib::stage()->isOpenGL()) << "it draws in software"; }},
        {{"limn_stage_set_scale_mode", "limn_stage_get_scale_mode", "limn_stage_set_align",
          "limn_stage_get_align", "limn_stage_set_display_state", "limn_stage_get_display_state",
          "limn_stage_set_focus_rect", "limn_stage_get_focus_rect"},
         [](Scene&) {
             Lib::stage()->setScaleMode(StageScaleMode::EXACT_FIT);
             Lib::stage()->setAlign(StageAlign::BOTTOM_LEFT);
             Lib::stage()->setDisplayState(StageDisplayState::FULL_SCREEN);
             Lib::stage()->setStageFocusRect(false);
         },
         [](Scene&) {
             auto stage = Lib::stage();
             EXPECT_EQ(stage->scaleMode(), StageScaleMode::EXACT_FIT);
             EXPECT_EQ(stage->align(), StageAlign::BOTTOM_LEFT);
             EXPECT_EQ(stage->displayState(), StageDisplayState::FULL_SCREEN);
             EXPECT_FALSE(stage->stageFocusRect());
             stage->setScaleMode(StageScaleMode::SHOW_ALL);
             stage->setAlign(StageAlign::TOP_LEFT);
             stage->setDisplayState(StageDisplayState::NORMAL);
             stage->setStageFocusRect(true);
             EXPECT_EQ(stage->displayState(), StageDisplayState::NORMAL);
             EXPECT_TRUE(stage->stageFocusRect());
         }},
        // Low quality samples a smoothed bitmap nearest-neighbour.
        {{"limn_stage_set_quality", "limn_stage_get_quality", "limn_gfx_begin_bitmap_fill"},
         [](Scene& s) {
             auto two = Scene::bitmap(2, 1, 0xFFFF0000);
             two->setPixel32(1, 0, 0xFF0000FF);
             auto b = std::make_shared<Bitmap>(two, std::nullopt, true);
             b->setScaleX(40);
             b->setScaleY(10);
             s.root->addChild(b);
             Lib::stage()->setQuality(StageQuality::LOW);
         },
         [](Scene& s) {
             EXPECT_EQ(Lib::stage()->quality(), StageQuality::LOW);
             EXPECT_TRUE(near(s.rgb(38, 5), kRed, 0));
             EXPECT_TRUE(near(s.rgb(41, 5), kBlue, 0));
             Lib::stage()->setQuality(StageQuality::HIGH);
             s.show();
             EXPECT_FALSE(near(s.rgb(38, 5), kRed, 8)) << "smoothed at high quality";
         }},
        {{"limn_stage_set_focus", "limn_stage_get_focus_id"},
         [](Scene& s) {
             auto field = textField(s, "");
             field->setType(text::TextFieldType::INPUT);
             Lib::stage()->setFocus(field);
         },
         [](Scene& s) {
             EXPECT_EQ(Lib::stage()->focus(), s.field);
             s.game->type("ab");
             EXPECT_EQ(s.field->text(), "ab") << "typing goes to the focused field";
             Lib::stage()->setFocus(nullptr);
             EXPECT_EQ(Lib::stage()->focus(), nullptr);
         }},
        {{"limn_time_stamp"},
         [](Scene&) {},
         [](Scene& s) {
             const double before = Timer::stamp();
             EXPECT_NEAR(before, s.game->time(), 1e-3);
             s.game->step();
             EXPECT_NEAR(Timer::stamp() - before, s.game->framePeriod(), 1e-3);
         }},
        // A resize record reaches the stage's listeners; its size stays the one made.
        {{"limn_managed_stage_create", "limn_managed_stage_pump_event"},
         [](Scene& s) {
             auto managed = std::make_shared<ManagedStage>(40, 30);
             s.keep["managed"] = managed;
             managed->addEventListener(events::Event::RESIZE, s.hear("resized"));
             managed->resize(60, 50);
         },
         [](Scene& s) {
             auto managed = std::dynamic_pointer_cast<ManagedStage>(s.keep["managed"]);
             EXPECT_EQ(s.heard.count("resized"), 1u);
             EXPECT_EQ(managed->stageWidth(), 40);
             EXPECT_EQ(managed->stageHeight(), 30);
         }},
        {{"limn_display_object_get_id"},
         [](Scene& s) { s.object = s.rect(kRed, 0, 0, 5, 5); },
         [](Scene& s) {
             EXPECT_NE(s.object->limnID, s.root->limnID);
             EXPECT_EQ(Lib::stage()->limnFindByID(s.object->limnID), s.object);
         }},
        {{"limn_display_object_set_x", "limn_display_object_get_x", "limn_display_object_set_y",
          "limn_display_object_get_y"},
         [](Scene& s) {
             s.object = s.rect(kRed, 0, 0, 10, 10);
             s.object->setX(30);
             s.object->setY(40);
         },
         [](Scene& s) {
             EXPECT_EQ(s.object->x(), 30);
             EXPECT_EQ(s.object->y(), 40);
             EXPECT_TRUE(near(s.rgb(35, 45), kRed));
             EXPECT_TRUE(near(s.rgb(5, 5), kBackground));
         }},
        {{"limn_display_object_set_scale_x", "limn_display_object_get_scale_x",
          "limn_display_object_set_scale_y", "limn_display_object_get_scale_y"},
         [](Scene& s) {
             s.object = s.rect(kRed, 0, 0, 10, 10);
             s.object->setScaleX(3);
             s.object->setScaleY(2);
         },
         [](Scene& s) {
             EXPECT_EQ(s.object->scaleX(), 3);
             EXPECT_EQ(s.object->scaleY(), 2);
             EXPECT_TRUE(near(s.rgb(28, 18), kRed));
             EXPECT_TRUE(near(s.rgb(32, 5), kBackground));
             EXPECT_TRUE(near(s.rgb(5, 22), kBackground));
         }},
        {{"limn_display_object_set_rotation", "limn_display_object_get_rotation"},
         [](Scene& s) {
             s.object = s.rect(kRed, 0, 0, 20, 10);
             s.object->setX(50);
             s.object->setRotation(90);
         },
         [](Scene& s) {
             EXPECT_NEAR(s.object->rotation(), 90, 1e-9);
             EXPECT_TRUE(near(s.rgb(45, 15), kRed));
             EXPECT_TRUE(near(s.rgb(60, 5), kBackground));
         }},
        {{"limn_display_object_set_width", "limn_display_object_get_width",
          "limn_display_object_set_height", "limn_display_object_get_height"},
         [](Scene& s) {
             s.object = s.rect(kRed, 0, 0, 10, 10);
             s.object->setWidth(40);
             s.object->setHeight(20);
         },
         [](Scene& s) {
             EXPECT_NEAR(s.object->width(), 40, 1e-9);
             EXPECT_NEAR(s.object->height(), 20, 1e-9);
             EXPECT_NEAR(s.object->scaleX(), 4, 1e-9);
             EXPECT_TRUE(near(s.rgb(38, 18), kRed));
             EXPECT_TRUE(near(s.rgb(42, 5), kBackground));
         }},
        {{"limn_display_object_set_alpha", "limn_display_object_get_alpha",
          "limn_display_object_set_visible", "limn_display_object_get_visible"},
         [](Scene& s) {
             s.object = s.rect(kRed, 0, 0, 10, 10);
             s.object->setAlpha(0.5);
             s.rect(kBlue, 20, 0, 10, 10)->setVisible(false);
         },
         [](Scene& s) {
             EXPECT_DOUBLE_EQ(s.object->alpha(), 0.5);
             EXPECT_TRUE(near(s.rgb(5, 5), 0x99334C, 4));
             EXPECT_FALSE(s.root->getChildAt(1)->visible());
             EXPECT_TRUE(near(s.rgb(25, 5), kBackground));
         }},
        {{"limn_display_object_set_name", "limn_display_object_get_name"},
         [](Scene& s) { s.rect(kRed, 0, 0, 1, 1)->setName("lid"); },
         [](Scene& s) {
             EXPECT_EQ(s.root->getChildAt(0)->name(), "lid");
             EXPECT_EQ(s.root->getChildByName("lid"), s.root->getChildAt(0));
         }},
        {{"limn_display_object_get_mouse_x", "limn_display_object_get_mouse_y"},
         [](Scene& s) {
             s.object = s.rect(kRed, 0, 0, 10, 10);
             s.object->setX(20);
             s.object->setY(30);
             s.object->setScaleX(2);
             s.game->tap(50, 60);
         },
         [](Scene& s) {
             EXPECT_DOUBLE_EQ(s.object->mouseX(), 15);
             EXPECT_DOUBLE_EQ(s.object->mouseY(), 30);
         }},
        {{"limn_display_object_set_matrix", "limn_display_object_get_matrix",
          "limn_display_object_global_to_local", "limn_display_object_local_to_global"},
         [](Scene& s) {
             s.object = s.rect(kRed, 0, 0, 10, 10);
             s.object->limnSetMatrix(std::make_shared<geom::Matrix>(2, 0, 0, 3, 10, 20));
         },
         [](Scene& s) {
             const auto m = s.object->limnGetMatrix();
             EXPECT_EQ(m->a, 2);
             EXPECT_EQ(m->d, 3);
             EXPECT_EQ(m->ty, 20);
             EXPECT_TRUE(near(s.rgb(28, 48), kRed));
             EXPECT_TRUE(near(s.rgb(32, 48), kBackground));
             const auto local = s.object->globalToLocal(Point(30, 50));
             EXPECT_DOUBLE_EQ(local->x, 10);
             EXPECT_DOUBLE_EQ(local->y, 10);
             const auto global = s.object->localToGlobal(Point(1, 1));
             EXPECT_DOUBLE_EQ(global->x, 12);
             EXPECT_DOUBLE_EQ(global->y, 23);
         }},
        {{"limn_display_object_get_pixel_bounds", "limn_display_object_hit_test_point",
          "limn_gfx_draw_ellipse"},
         [](Scene& s) {
             s.object = std::make_shared<Shape>();
             s.object->graphics()->beginFill(static_cast<int>(kRed));
             s.object->graphics()->drawCircle(50, 50, 10);
             s.root->addChild(s.object);
             s.drawing()->beginFill(static_cast<int>(kBlue));
             s.root->getChildAt(1)->graphics()->drawEllipse(10, 70, 80, 20);  // a box
         },
         [](Scene& s) {
             const auto bounds = s.object->limnGetPixelBounds();
             EXPECT_NEAR(bounds->x, 40, 1);
             EXPECT_NEAR(bounds->width, 20, 1);
             EXPECT_TRUE(s.object->hitTestPoint(50, 50, true));
             EXPECT_FALSE(s.object->hitTestPoint(58, 58, true)) << "outside the circle";
             EXPECT_TRUE(s.object->hitTestPoint(58, 58, false)) << "inside its box";
             EXPECT_TRUE(near(s.rgb(50, 50), kRed));
             EXPECT_TRUE(near(s.rgb(58, 58), kBackground));
             EXPECT_TRUE(near(s.rgb(14, 80), kBlue));
             EXPECT_TRUE(near(s.rgb(50, 71), kBlue));
             EXPECT_TRUE(near(s.rgb(14, 72), kBackground)) << "outside the ellipse in its box";
         }},
        {{"limn_display_object_set_color_transform", "limn_display_object_get_color_transform"},
         [](Scene& s) {
             s.object = s.rect(0xFFFFFF, 0, 0, 10, 10);
             s.object->limnSetColorTransform(
                 std::make_shared<geom::ColorTransform>(1, 0, 0.5, 1, 0, 0, 0, 0));
         },
         [](Scene& s) {
             EXPECT_EQ(s.object->limnGetColorTransform()->greenMultiplier, 0);
             EXPECT_TRUE(near(s.rgb(5, 5), 0xFF0080));
         }},
        // A cached sprite shows its content, and changes to it.
        {{"limn_display_object_set_cache_as_bitmap", "limn_display_object_get_cache_as_bitmap"},
         [](Scene& s) {
             s.object = s.rect(kRed, 0, 0, 10, 10);
             s.root->setCacheAsBitmap(true);
         },
         [](Scene& s) {
             EXPECT_TRUE(s.root->cacheAsBitmap());
             EXPECT_TRUE(near(s.rgb(5, 5), kRed));
             s.object->setX(50);
             s.show();
             EXPECT_TRUE(near(s.rgb(5, 5), kBackground));
             EXPECT_TRUE(near(s.rgb(55, 5), kRed));
         }},
        {{"limn_display_object_set_blend_mode", "limn_display_object_get_blend_mode"},
         [](Scene& s) {
             s.object = s.rect(0x808080, 0, 0, 10, 10);
             s.object->setBlendMode(BlendMode::MULTIPLY);
         },
         [](Scene& s) {
             EXPECT_EQ(s.object->blendMode(), BlendMode::MULTIPLY);
             EXPECT_TRUE(near(s.rgb(5, 5), 0x1A334D, 3));
         }},
        {{"limn_display_object_set_bg", "limn_display_object_get_bg"},
         [](Scene& s) {
             s.object = std::make_shared<Shape>();
             s.object->graphics()->beginFill(0, 0.0);
             s.object->graphics()->drawRect(0, 0, 10, 10);
             s.object->setOpaqueBackground(0x00FF00);
             s.root->addChild(s.object);
         },
         [](Scene& s) {
             EXPECT_EQ(s.object->opaqueBackground(), 0x00FF00);
             EXPECT_TRUE(near(s.rgb(5, 5), 0x00FF00));
         }},
        {{"limn_display_object_set_scroll_rect"},
         [](Scene& s) {
             s.rect(kRed, 0, 0, 20, 20);
             s.rect(kBlue, 20, 0, 20, 20);
             s.root->setScrollRect(std::make_shared<Rectangle>(20, 0, 10, 10));
         },
         [](Scene& s) {
             EXPECT_TRUE(near(s.rgb(2, 2), kBlue));
             EXPECT_TRUE(near(s.rgb(15, 2), kBackground));
             EXPECT_TRUE(near(s.rgb(2, 15), kBackground));
         }},
        // The grid is taken, and the drawing is still drawn at its scale. This
        // backend does not slice yet: (15, 15) shows the corner's red, not the centre.
        {{"limn_display_object_set_scale9_grid"},
         [](Scene& s) {
             s.object = s.rect(kRed, 0, 0, 30, 30);
             s.object->graphics()->beginFill(static_cast<int>(kBlue));
             s.object->graphics()->drawRect(10, 10, 10, 10);
             s.object->setScale9Grid(std::make_shared<Rectangle>(10, 10, 10, 10));
             s.object->setScaleX(3);
             s.object->setScaleY(3);
         },
         [](Scene& s) {
             EXPECT_TRUE(s.object->limnGetScale9Grid()->equals(Rectangle(10, 10, 10, 10)));
             EXPECT_TRUE(near(s.rgb(5, 5), kRed));
             EXPECT_TRUE(near(s.rgb(45, 45), kBlue));
             EXPECT_TRUE(near(s.rgb(88, 88), kRed));
             EXPECT_TRUE(near(s.rgb(92, 92), kBackground));
         }},
        {{"limn_display_object_set_mask"},
         [](Scene& s) {
             s.object = s.rect(kRed, 0, 0, 40, 40);
             s.object->setMask(s.rect(kBlue, 0, 0, 20, 20));
         },
         [](Scene& s) {
             EXPECT_TRUE(near(s.rgb(10, 10), kRed)) << "the mask itself is not drawn";
             EXPECT_TRUE(near(s.rgb(30, 30), kBackground));
         }},
        {{"limn_display_object_set_filters"},
         [](Scene& s) {
             s.object = s.rect(kRed, 20, 20, 20, 20);
             s.object->setFilters(
                 {std::make_shared<filters::DropShadowFilter>(10, 45, 0, 1, 1, 1)});
             // The default shadow: black, 4 pixels away at 45 degrees, blurred by 4.
             s.rect(kRed, 60, 20, 20, 20)
                 ->setFilters({std::make_shared<filters::DropShadowFilter>()});
         },
         [](Scene& s) {
             EXPECT_TRUE(near(s.rgb(30, 30), kRed));
             EXPECT_TRUE(near(s.rgb(44, 44), 0x000000, 8)) << "the shadow, down and right";
             EXPECT_TRUE(near(s.rgb(16, 16), kBackground));
             EXPECT_TRUE(near(s.rgb(70, 30), kRed)) << "the square itself, over its shadow";
             EXPECT_LT(s.rgb(81, 30) & 0xFF, 0x60u) << "darkened right of the square";
             EXPECT_LT(s.rgb(70, 41) & 0xFF, 0x60u) << "and below it";
             EXPECT_TRUE(near(s.rgb(58, 30), kBackground)) << "but not left of it";
             EXPECT_TRUE(near(s.rgb(81, 19), kBackground)) << "nor above its top-right corner";
         }},
        // A click reaches only the object whose mouse is enabled.
        {{"limn_display_object_set_mouse_enabled"},
         [](Scene& s) {
             for (int i = 0; i < 2; ++i) {
                 auto target = std::make_shared<Sprite>();
                 s.rect(kRed, 0, 0, 20, 20, target.get());
                 target->setX(30 * i);
                 target->addEventListener(events::MouseEvent::CLICK, s.hear(std::to_string(i)));
                 s.root->addChild(target);
             }
             std::dynamic_pointer_cast<Sprite>(s.root->getChildAt(1))->setMouseEnabled(false);
         },
         [](Scene& s) {
             s.game->tap(10, 10);
             s.game->tap(40, 10);
             EXPECT_EQ(s.heard.count("0"), 1u);
             EXPECT_EQ(s.heard.count("1"), 0u);
         }},
        {{"limn_display_object_draw_to_surface", "limn_bitmap_data_get_pixel"},
         [](Scene& s) {
             auto target = Scene::bitmap(20, 20, 0xFFFFFFFF);
             target->draw(s.rect(kRed, 0, 0, 10, 10));
             s.keep["bitmap"] = target;
         },
         [](Scene& s) {
             auto target = std::dynamic_pointer_cast<BitmapData>(s.keep["bitmap"]);
             EXPECT_EQ(target->getPixel(5, 5), 0xFF0000);
             EXPECT_EQ(target->getPixel(15, 15), 0xFFFFFF);
         }},
        // Child order, changed three ways: the top child shows.
        {{"limn_doc_set_child_index", "limn_doc_swap_children", "limn_doc_remove_child"},
         [](Scene& s) {
             s.rect(kRed, 0, 0, 10, 10);
             s.rect(kBlue, 0, 0, 10, 10);
             s.root->setChildIndex(s.root->getChildAt(0), 1);
         },
         [](Scene& s) {
             EXPECT_TRUE(near(s.rgb(5, 5), kRed));
             s.root->swapChildrenAt(0, 1);
             s.show();
             EXPECT_TRUE(near(s.rgb(5, 5), kBlue));
             s.root->removeChildAt(1);
             s.show();
             EXPECT_TRUE(near(s.rgb(5, 5), kRed));
         }},
        // A bitmap fill repeats by default.
        {{"limn_gfx_begin_bitmap_fill"},
         [](Scene& s) {
             auto two = Scene::bitmap(2, 1, 0xFFFF0000);
             two->setPixel32(1, 0, 0xFF0000FF);
             auto g = s.drawing();
             g->beginBitmapFill(two);
             g->drawRect(0, 0, 8, 4);
         },
         [](Scene& s) {
             EXPECT_TRUE(near(s.rgb(6, 3), kRed));
             EXPECT_TRUE(near(s.rgb(7, 3), kBlue));
             EXPECT_TRUE(near(s.rgb(9, 3), kBackground));
         }},
        {{"limn_gfx_clear"},
         [](Scene& s) { s.rect(kRed, 0, 0, 10, 10)->graphics()->clear(); },
         [](Scene& s) { EXPECT_TRUE(near(s.rgb(5, 5), kBackground)); }},
        // Caps: none stops at the end point, square goes past it by half the thickness.
        {{"limn_gfx_line_style", "limn_gfx_move_to", "limn_gfx_line_to"},
         [](Scene& s) {
             auto g = s.pen(10);
             g->lineStyle(10, static_cast<int>(kRed), 1, false, LineScaleMode::NORMAL,
                          CapsStyle::NONE);
             g->moveTo(10, 20);
             g->lineTo(50, 20);
             g->lineStyle(10, static_cast<int>(kBlue), 1, false, LineScaleMode::NORMAL,
                          CapsStyle::SQUARE);
             g->moveTo(10, 50);
             g->lineTo(50, 50);
             g->lineStyle();  // no thickness: no line
             g->moveTo(60, 10);
             g->lineTo(60, 90);
             // Not scaled with its shape: 2 pixels thick at a vertical scale of 4.
             auto thin = std::make_shared<Shape>();
             thin->graphics()->lineStyle(2, 0, 1, false, LineScaleMode::NONE);
             thin->graphics()->moveTo(10, 20);
             thin->graphics()->lineTo(50, 20);
             thin->setScaleY(4);
             s.root->addChild(thin);
         },
         [](Scene& s) {
             EXPECT_TRUE(near(s.rgb(48, 22), kRed));
             EXPECT_TRUE(near(s.rgb(53, 22), kBackground)) << "no cap";
             EXPECT_TRUE(near(s.rgb(53, 52), kBlue)) << "square cap";
             EXPECT_TRUE(near(s.rgb(30, 80), 0x000000, 8));
             EXPECT_TRUE(near(s.rgb(30, 83), kBackground)) << "8 thick if scaled";
             EXPECT_TRUE(near(s.rgb(60, 30), kBackground));
         }},
        // Joints of a sharp corner at (30, 60): a mitre reaches above y = 55, a bevel does not.
        {{"limn_gfx_line_style"},
         [](Scene& s) {
             for (auto joint : {JointStyle::MITER, JointStyle::BEVEL}) {
                 auto g = s.drawing();
                 g->lineStyle(10, static_cast<int>(kRed), 1, false, LineScaleMode::NORMAL,
                              CapsStyle::NONE, joint);
                 const double dx = joint == JointStyle::MITER ? 0 : 50;
                 g->moveTo(10 + dx, 90);
                 g->lineTo(30 + dx, 60);
                 g->lineTo(50 + dx, 90);
             }
         },
         [](Scene& s) {
             EXPECT_TRUE(near(s.rgb(30, 53), kRed));
             EXPECT_TRUE(near(s.rgb(80, 53), kBackground));
             EXPECT_TRUE(near(s.rgb(80, 60), kRed));
         }},
        // From (10, 90) towards (10, 10) and on to (90, 10): the curve passes
        // (30, 30), the quarter circle (33.4, 33.4).
        {{"limn_gfx_curve_to"},
         [](Scene& s) {
             auto g = s.pen();
             g->moveTo(10, 90);
             g->curveTo(10, 10, 90, 10);
         },
         [](Scene& s) {
             EXPECT_TRUE(near(s.rgb(30, 30), kRed));
             EXPECT_TRUE(near(s.rgb(34, 34), kBackground));
             EXPECT_TRUE(near(s.rgb(50, 50), kBackground));
         }},
        {{"limn_gfx_arc_to"},
         [](Scene& s) {
             auto g = s.pen();
             g->moveTo(10, 90);
             g->arcTo(10, 10, 90, 10);
         },
         [](Scene& s) {
             EXPECT_TRUE(near(s.rgb(33, 33), kRed));
             EXPECT_TRUE(near(s.rgb(29, 29), kBackground));
             EXPECT_TRUE(near(s.rgb(50, 50), kBackground));
         }},
        {{"limn_gfx_draw_round_rect"},
         [](Scene& s) {
             auto shape = std::make_shared<Shape>();
             shape->graphics()->beginFill(static_cast<int>(kRed));
             shape->graphics()->drawRoundRect(10, 10, 80, 80, 40);
             s.root->addChild(shape);
         },
         [](Scene& s) {
             EXPECT_TRUE(near(s.rgb(12, 12), kBackground)) << "a rounded corner";
             EXPECT_TRUE(near(s.rgb(50, 11), kRed));
             EXPECT_TRUE(near(s.rgb(11, 50), kRed));
             EXPECT_TRUE(near(s.rgb(88, 88), kBackground));
         }},
        // Red to blue, left to right, over a 100-pixel box.
        {{"limn_gfx_begin_gradient_fill"},
         [](Scene& s) {
             auto m = std::make_shared<geom::Matrix>();
             m->createGradientBox(100, 10);
             auto shape = std::make_shared<Shape>();
             shape->graphics()->beginGradientFill(GradientType::LINEAR,
                                                  numbers({double(kRed), double(kBlue)}),
                                                  numbers({1, 1}), numbers({0, 255}), m);
             shape->graphics()->drawRect(0, 0, 100, 10);
             s.root->addChild(shape);
         },
         [](Scene& s) {
             EXPECT_TRUE(near(s.rgb(0, 5), kRed, 8));
             EXPECT_TRUE(near(s.rgb(50, 5), 0x800080, 8));
             EXPECT_TRUE(near(s.rgb(99, 5), kBlue, 8));
         }},
        {{"limn_gfx_draw_points"},
         [](Scene& s) {
             auto shape = std::make_shared<Shape>();
             shape->graphics()->drawPoints(numbers({20, 20, 60, 60}), nullptr, Graphics::RGBA(kRed),
                                           4);
             s.root->addChild(shape);
             s.drawing()->drawPoints(numbers({80, 20}));  // white by default
         },
         [](Scene& s) {
             // One white pixel centred on the corner of four: each is lightened.
             EXPECT_TRUE(near(s.rgb(80, 20), 0x668CB3, 6));
             EXPECT_TRUE(near(s.rgb(79, 19), 0x668CB3, 6));
             EXPECT_TRUE(near(s.rgb(20, 20), kRed));
             EXPECT_TRUE(near(s.rgb(60, 60), kRed));
             EXPECT_TRUE(near(s.rgb(40, 40), kBackground));
         }},
        // Prepared drawing commands: none exist on this backend, so nothing is drawn.
        {{"limn_gfx_draw_data", "limn_gfx_draw_datum"},
         [](Scene& s) {
             auto g = s.rect(kRed, 0, 0, 10, 10)->graphics();
             auto datum = std::make_shared<IGraphicsData>(rt::Dynamic());
             g->drawGraphicsData({datum});
             g->drawGraphicsDatum(datum);
         },
         [](Scene& s) {
             EXPECT_TRUE(near(s.rgb(5, 5), kRed));
             EXPECT_TRUE(near(s.rgb(15, 15), kBackground));
         }},
        // Tiles 1 and 0 of a red | blue sheet, each at its top-left corner.
        {{"limn_tilesheet_create", "limn_tilesheet_add_rect", "limn_gfx_draw_tiles"},
         [](Scene& s) {
             auto sheet = Scene::bitmap(20, 10, 0xFFFF0000);
             sheet->fillRect(std::make_shared<Rectangle>(10, 0, 10, 10), 0xFF0000FF);
             auto tiles = std::make_shared<Tilesheet>(sheet);
             tiles->addTileRect(std::make_shared<Rectangle>(0, 0, 10, 10));
             tiles->addTileRect(std::make_shared<Rectangle>(10, 0, 10, 10));
             auto shape = std::make_shared<Shape>();
             shape->graphics()->drawTiles(tiles, numbers({30, 30, 1, 60, 30, 0}));
             s.root->addChild(shape);
         },
         [](Scene& s) {
             EXPECT_TRUE(near(s.rgb(31, 31), kBlue));
             EXPECT_TRUE(near(s.rgb(68, 38), kRed));
             EXPECT_TRUE(near(s.rgb(45, 35), kBackground));
         }},
        {{"limn_gfx_draw_triangles"},
         [](Scene& s) {
             auto shape = std::make_shared<Shape>();
             shape->graphics()->beginFill(static_cast<int>(kRed));
             shape->graphics()->drawTriangles(numbers({10, 10, 90, 10, 10, 90}));
             s.root->addChild(shape);
             // Clockwise on the screen: left out by positive culling only.
             for (auto culling : {TriangleCulling::POSITIVE, TriangleCulling::NEGATIVE}) {
                 auto g = s.drawing();
                 g->beginFill(static_cast<int>(kBlue));
                 const double x = culling == TriangleCulling::POSITIVE ? 60 : 80;
                 g->drawTriangles(numbers({x, 60, x + 20, 60, x, 80}), nullptr, nullptr, culling);
             }
         },
         [](Scene& s) {
             EXPECT_TRUE(near(s.rgb(20, 20), kRed));
             EXPECT_TRUE(near(s.rgb(80, 80), kBackground));
             EXPECT_TRUE(near(s.rgb(63, 63), kBackground)) << "culled";
             EXPECT_TRUE(near(s.rgb(83, 63), kBlue));
         }},
        // Surfaces.
        {{"limn_bitmap_data_create", "limn_bitmap_data_width", "limn_bitmap_data_height",
          "limn_bitmap_data_get_transparent", "limn_bitmap_data_get_pixel32",
          "limn_bitmap_data_set_flags"},
         [](Scene& s) { s.keep["bitmap"] = std::make_shared<BitmapData>(7, 5, false, 0xFF00FF00); },
         [](Scene& s) {
             auto b = std::dynamic_pointer_cast<BitmapData>(s.keep["bitmap"]);
             EXPECT_EQ(b->width(), 7);
             EXPECT_EQ(b->height(), 5);
             EXPECT_FALSE(b->transparent());
             EXPECT_EQ(b->getPixel32(6, 4), 0xFF00FF00);
             b->setFlags(BitmapData::TRANSPARENT);
             EXPECT_TRUE(b->transparent());
             // By default transparent-capable and opaque white; a fill colour
             // without an alpha byte is fully transparent.
             BitmapData plain(1, 1);
             EXPECT_TRUE(plain.transparent());
             EXPECT_EQ(plain.getPixel32(0, 0), 0xFFFFFFFF);
             EXPECT_EQ(BitmapData(1, 1, true, 0x80FF0000).getPixel32(0, 0) >> 24, 0x80u);
             EXPECT_EQ(BitmapData(1, 1, true, 0xFF0000).getPixel32(0, 0), 0u);
         }},
        {{"limn_bitmap_data_set_pixel", "limn_bitmap_data_set_pixel32", "limn_bitmap_data_clear",
          "limn_bitmap_data_fill", "limn_bitmap_data_scroll", "limn_bitmap_data_clone"},
         [](Scene& s) {
             auto b = Scene::bitmap(4, 4, 0);
             b->clear(0xFF0000FF);
             b->setPixel(0, 0, 0x123456);
             b->setPixel32(1, 0, 0x80FF0000);
             b->fillRect(std::make_shared<Rectangle>(2, 2, 2, 2), 0xFF00FF00);
             s.keep["bitmap"] = b;
         },
         [](Scene& s) {
             auto b = std::dynamic_pointer_cast<BitmapData>(s.keep["bitmap"]);
             EXPECT_EQ(b->getPixel32(0, 0), 0xFF123456);
             EXPECT_TRUE(near(b->getPixel32(1, 0), 0xFF0000, 2));
             EXPECT_EQ(b->getPixel32(1, 0) >> 24, 0x80u);
             EXPECT_EQ(b->getPixel32(0, 3), 0xFF0000FF);
             EXPECT_EQ(b->getPixel32(3, 3), 0xFF00FF00);
             auto copy = b->clone();
             b->scroll(1, 0);
             EXPECT_EQ(b->getPixel32(1, 0), 0xFF123456);
             EXPECT_EQ(copy->getPixel32(1, 0) >> 24, 0x80u) << "the clone is its own";
         }},
        {{"limn_bitmap_data_copy", "limn_bitmap_data_copy_channel",
          "limn_bitmap_data_get_color_bounds_rect", "limn_render_surface_to_surface"},
         [](Scene& s) {
             auto from = Scene::bitmap(4, 4, 0xFFFF0000);
             auto to = Scene::bitmap(10, 10, 0xFF000000);
             to->copyPixels(from, std::make_shared<Rectangle>(0, 0, 2, 3),
                            std::make_shared<Point>(5, 6));
             auto blue = Scene::bitmap(4, 4, 0xFF000000);
             blue->copyChannel(from, from->rect(), std::make_shared<Point>(0, 0), 1, 4);
             auto drawn = Scene::bitmap(4, 4, 0xFFFFFFFF);
             drawn->draw(blue);
             s.keep["to"] = to;
             s.keep["drawn"] = drawn;
         },
         [](Scene& s) {
             auto to = std::dynamic_pointer_cast<BitmapData>(s.keep["to"]);
             auto bounds = to->getColorBoundsRect(0xFFFFFFFF, 0xFFFF0000);
             EXPECT_TRUE(bounds->equals(Rectangle(5, 6, 2, 3)))
                 << bounds->x << " " << bounds->y << " " << bounds->width << " " << bounds->height;
             auto drawn = std::dynamic_pointer_cast<BitmapData>(s.keep["drawn"]);
             EXPECT_EQ(drawn->getPixel32(2, 2), 0xFF0000FF) << "red copied into blue";
         }},
        {{"limn_bitmap_data_get_pixels", "limn_bitmap_data_set_bytes", "limn_byte_array_create"},
         [](Scene& s) {
             auto from = Scene::bitmap(3, 2, 0xFF112233);
             from->setPixel32(2, 1, 0xFF445566);
             auto to = Scene::bitmap(3, 2, 0);
             to->setPixels(to->rect(), from->getPixels(from->rect()));
             s.keep["to"] = to;
         },
         [](Scene& s) {
             auto to = std::dynamic_pointer_cast<BitmapData>(s.keep["to"]);
             EXPECT_EQ(to->getPixel32(0, 0), 0xFF112233);
             EXPECT_EQ(to->getPixel32(2, 1), 0xFF445566);
         }},
        // Through the wire only: the framework declares these two but calls neither.
        {{"limn_bitmap_data_set_pixel_rgba", "limn_bitmap_data_get_pixel_rgba"},
         [](Scene& s) {
             auto b = Scene::bitmap(2, 2, 0);
             const native::Call<native::wire::limn_bitmap_data_set_pixel_rgba> set;
             set({.bitmap = b->limnHandle, .x = 1.0, .y = 1.0, .color = double(0x112233FF)});
             s.keep["bitmap"] = b;
         },
         [](Scene& s) {
             auto b = std::dynamic_pointer_cast<BitmapData>(s.keep["bitmap"]);
             EXPECT_EQ(b->getPixel32(1, 1), 0xFF112233);
             const native::Call<native::wire::limn_bitmap_data_get_pixel_rgba> get;
             EXPECT_EQ(
                 static_cast<std::uint32_t>(get({.bitmap = b->limnHandle, .x = 1.0, .y = 1.0})),
                 0x112233FFu);
         }},
        {{"limn_bitmap_data_generate_filter_rect"},
         [](Scene&) {},
         [](Scene&) {
             auto b = Scene::bitmap(10, 10, 0);
             auto rect = b->generateFilterRect(std::make_shared<Rectangle>(0, 0, 10, 10),
                                               std::make_shared<filters::DropShadowFilter>());
             EXPECT_TRUE(rect->containsRect(Rectangle(0, 0, 10, 10)));
             EXPECT_GT(rect->get_right(), 12) << "the shadow lies down and right";
         }},
        {{"limn_bitmap_data_load", "limn_byte_array_read_file", "limn_bitmap_data_from_bytes",
          "limn_byte_array_get_length"},
         [](Scene& s) {
             const std::string path = s.png();
             s.keep["loaded"] = BitmapData::load(path);
             auto bytes = utils::ByteArray::readFile(path);
             s.keep["bytes"] = bytes;
             s.keep["decoded"] = BitmapData::loadFromBytes(bytes);
         },
         [](Scene& s) {
             for (const char* key : {"loaded", "decoded"}) {
                 auto b = std::dynamic_pointer_cast<BitmapData>(s.keep[key]);
                 ASSERT_TRUE(b) << key;
                 EXPECT_EQ(b->getPixel32(0, 0), 0xFFFF0000) << key;
                 EXPECT_EQ(b->getPixel32(1, 0), 0xFF0000FF) << key;
             }
             auto bytes = std::dynamic_pointer_cast<utils::ByteArray>(s.keep["bytes"]);
             EXPECT_EQ(bytes->limnGetLength(), std::filesystem::file_size(s.png()));
         }},
        {{"limn_byte_array_set", "limn_byte_array_get", "limn_byte_array_as_string",
          "limn_byte_array_get_bytes"},
         [](Scene&) {},
         [](Scene&) {
             utils::ByteArray bytes(rt::Dynamic(2));
             bytes.__set(0, 'h');
             bytes.__set(1, 'i');
             EXPECT_EQ(bytes.__get(1), 'i');
             EXPECT_EQ(bytes.asString(), "hi");
             EXPECT_EQ(bytes.getBytes()->data, (std::vector<std::uint8_t>{'h', 'i'}));
         }},
        // Text fields.
        {{"limn_text_field_create", "limn_text_field_set_text", "limn_text_field_get_text",
          "limn_text_field_set_text_color", "limn_text_field_get_text_color",
          "limn_text_field_get_text_width", "limn_text_field_get_text_height"},
         [](Scene& s) {
             textField(s, "WWW")->setTextColor(static_cast<int>(kRed));
             auto narrow = textField(s, "ii");
             narrow->setY(50);
             s.field = std::dynamic_pointer_cast<text::TextField>(s.root->getChildAt(0));
         },
         [](Scene& s) {
             EXPECT_EQ(s.field->text(), "WWW");
             EXPECT_EQ(s.field->textColor(), 0xFF0000);
             auto narrow = std::dynamic_pointer_cast<text::TextField>(s.root->getChildAt(1));
             EXPECT_GT(s.field->textWidth(), 2 * narrow->textWidth());
             EXPECT_GT(s.field->textHeight(), 5);
             int red = 0;
             for (int y = 0; y < 40; ++y) {
                 for (int x = 0; x < 80; ++x) red += near(s.rgb(x, y), kRed, 40) ? 1 : 0;
             }
             EXPECT_GT(red, 20) << "the text is drawn in its colour";
         }},
        {{"limn_text_field_set_html_text", "limn_text_field_get_html_text"},
         [](Scene& s) { textField(s, "")->setHTMLText("<b>bold</b> x"); },
         [](Scene& s) {
             EXPECT_EQ(s.field->text(), "bold x");
             EXPECT_NE(s.field->htmlText().find("bold"), std::string::npos);
         }},
        {{"limn_text_field_set_selectable", "limn_text_field_get_selectable",
          "limn_text_field_set_type", "limn_text_field_get_type"},
         [](Scene& s) {
             textField(s, "")->setSelectable(false);
             s.field->setType(text::TextFieldType::INPUT);
         },
         [](Scene& s) {
             EXPECT_FALSE(s.field->selectable());
             EXPECT_EQ(s.field->type(), text::TextFieldType::INPUT);
         }},
        // Wrapping lines make the text taller; a width follows the text when sized.
        {{"limn_text_field_set_word_wrap", "limn_text_field_get_word_wrap",
          "limn_text_field_set_multiline", "limn_text_field_get_multiline",
          "limn_text_field_set_auto_size", "limn_text_field_get_auto_size"},
         [](Scene& s) {
             auto field = textField(s, "one two three four five six", 40, 80);
             field->setMultiline(true);
             s.measured = field->textHeight();
             field->setWordWrap(true);
         },
         [](Scene& s) {
             EXPECT_TRUE(s.field->multiline());
             EXPECT_TRUE(s.field->wordWrap());
             const double oneLine = s.measured;
             EXPECT_GT(s.field->textHeight(), 2 * oneLine);
             s.field->setWordWrap(false);
             s.field->setAutoSize(text::TextFieldAutoSize::LEFT);
             EXPECT_EQ(s.field->autoSize(), text::TextFieldAutoSize::LEFT);
             EXPECT_GT(s.field->width(), 40);
         }},
        {{"limn_text_field_set_border", "limn_text_field_get_border",
          "limn_text_field_set_border_color", "limn_text_field_get_border_color",
          "limn_text_field_set_background", "limn_text_field_get_background",
          "limn_text_field_set_background_color", "limn_text_field_get_background_color"},
         [](Scene& s) {
             auto field = textField(s, "", 40, 40);
             field->setBorder(true);
             field->setBorderColor(static_cast<int>(kRed));
             field->setBackground(true);
             field->setBackgroundColor(0x00FF00);
         },
         [](Scene& s) {
             EXPECT_TRUE(s.field->border());
             EXPECT_EQ(s.field->borderColor(), 0xFF0000);
             EXPECT_TRUE(s.field->background());
             EXPECT_EQ(s.field->backgroundColor(), 0x00FF00);
             EXPECT_TRUE(near(s.rgb(0, 20), kRed, 40));
             EXPECT_TRUE(near(s.rgb(20, 20), 0x00FF00));
             EXPECT_TRUE(near(s.rgb(45, 20), kBackground));
         }},
        {{"limn_text_field_get_max_scroll_v", "limn_text_field_get_bottom_scroll_v",
          "limn_text_field_set_scroll_v", "limn_text_field_get_scroll_v",
          "limn_text_field_get_max_scroll_h", "limn_text_field_set_scroll_h",
          "limn_text_field_get_scroll_h"},
         [](Scene& s) {
             textField(s, "1\n2\n3\n4\n5\n6\n7\n8\n9\n10", 40, 30)->setMultiline(true);
             auto wide = textField(s, "a rather long line that does not fit", 30, 30);
             wide->setScrollH(5);
             s.field = std::dynamic_pointer_cast<text::TextField>(s.root->getChildAt(0));
             s.field->setScrollV(3);
         },
         [](Scene& s) {
             EXPECT_GT(s.field->maxScrollV(), 3);
             EXPECT_EQ(s.field->scrollV(), 3);
             EXPECT_GE(s.field->bottomScrollV(), 3);
             auto wide = std::dynamic_pointer_cast<text::TextField>(s.root->getChildAt(1));
             EXPECT_GT(wide->maxScrollH(), 5);
             EXPECT_EQ(wide->scrollH(), 5);
         }},
        {{"limn_text_field_set_def_text_format", "limn_text_field_get_def_text_format",
          "limn_text_field_set_text_format"},
         [](Scene& s) {
             auto small = textField(s, "Ab");
             s.measured = small->textHeight();
             auto big = textField(s, "");
             big->setDefaultTextFormat(text::TextFormat::make({.size = 30.0}));
             big->setText("Ab");
             small->setTextFormat(text::TextFormat::make({.size = 30.0}), 0, 1);
         },
         [](Scene& s) {
             auto small = std::dynamic_pointer_cast<text::TextField>(s.root->getChildAt(0));
             auto big = std::dynamic_pointer_cast<text::TextField>(s.root->getChildAt(1));
             EXPECT_EQ(big->defaultTextFormat()->size.asFloat(), 30);
             EXPECT_GT(big->textHeight(), 2 * s.measured);
             EXPECT_GT(small->textHeight(), 2 * s.measured) << "its first letter grew";
             EXPECT_LT(small->textWidth(), big->textWidth());
         }},
        // Sounds.
        {{"limn_sound_from_file", "limn_sound_get_status", "limn_sound_get_length",
          "limn_sound_get_id3", "limn_sound_close", "limn_sound_channel_create",
          "limn_sound_channel_get_position", "limn_sound_channel_get_left",
          "limn_sound_channel_get_right", "limn_sound_channel_set_transform",
          "limn_sound_channel_stop"},
         [](Scene& s) {
             auto sound = media::Sound::fromFile(s.files.write("tone.wav", makeWav(0.5)));
             s.keep["sound"] = sound;
             s.keep["channel"] = sound->play(200);
         },
         [](Scene& s) {
             auto sound = std::dynamic_pointer_cast<media::Sound>(s.keep["sound"]);
             EXPECT_NEAR(sound->length(), 500, 1);
             EXPECT_GT(sound->bytesTotal(), 0);
             EXPECT_EQ(sound->bytesLoaded(), sound->bytesTotal()) << "a file loads at once";
             EXPECT_TRUE(sound->id3());
             auto channel = std::dynamic_pointer_cast<media::SoundChannel>(s.keep["channel"]);
             EXPECT_GE(channel->position(), 200) << "it starts where asked";
             EXPECT_LE(channel->leftPeak(), 1.0);
             EXPECT_LE(channel->rightPeak(), 1.0);
             channel->setSoundTransform(std::make_shared<media::SoundTransform>(0.25, 0.0));
             EXPECT_DOUBLE_EQ(channel->soundTransform()->volume, 0.25);
             channel->stop();
             sound->close();
             EXPECT_EQ(sound->length(), 0);
         }},
        {{"limn_sound_channel_is_complete"},
         [](Scene& s) {
             auto sound = media::Sound::fromFile(s.files.write("short.wav", makeWav(0.1)));
             auto channel = sound->play(1000);  // past its end: complete at once
             channel->addEventListener(events::Event::SOUND_COMPLETE, s.hear("complete"));
             s.keep["channel"] = channel;
         },
         [](Scene& s) { EXPECT_EQ(s.heard.count("complete"), 1u); }},
        // The URL goes to the desktop's opener: here a script that writes it down.
        {{"limn_get_url"},
         [](Scene& s) {
             const std::string opener = s.files.file("xdg-open");
             std::ofstream(opener)
                 << "#!/bin/sh\nprintf '%s' \"$1\" > \"$0.part\" && mv \"$0.part\" \"$0.url\"\n";
             std::filesystem::permissions(opener, std::filesystem::perms::owner_all);
             const std::string path = std::getenv("PATH") ? std::getenv("PATH") : "";
             setenv("PATH", (s.files.file("") + ":" + path).c_str(), 1);
             Lib::getURL(net::URLRequest("https://example.invalid/page?a=1"));
             setenv("PATH", path.c_str(), 1);
         },
         [](Scene& s) {
             const std::string written = s.files.file("xdg-open.url");
             for (int i = 0; i < 500 && !std::filesystem::exists(written); ++i) {
                 std::this_thread::sleep_for(std::chrono::milliseconds(10));
             }
             std::string url;
             std::getline(std::ifstream(written), url);
             EXPECT_EQ(url, "https://example.invalid/page?a=1");
         }},
        {{"limn_close"},
         [](Scene&) { Lib::close(); },
         [](Scene& s) { EXPECT_FALSE(s.game->open()); }},
    };
    return cases;
}

TEST(WireTable, EveryPrimitiveDrawsOrChangesWhatItShould) {
    Scene scene;
    for (const Case& c : table()) {
        std::string names;
        for (const auto& name : c.exercises) names += name + " ";
        SCOPED_TRACE(names);
        const auto before = CountingModule::counts();
        scene.keep.clear();
        scene.heard.clear();
        scene.object = nullptr;
        scene.field = nullptr;
        if (scene.game && scene.game->open()) {
            scene.root = std::make_shared<Sprite>();
            Lib::current()->addChild(scene.root);
        }
        c.setup(scene);
        if (!scene.game) break;
        scene.show();
        c.check(scene);
        auto after = CountingModule::counts();
        for (const auto& name : c.exercises) {
            EXPECT_GT(after[name], before.count(name) ? before.at(name) : 0)
                << name << " was not called";
        }
        if (scene.root && scene.root->limnGetParent()) Lib::current()->removeChild(scene.root);
        scene.root = nullptr;
    }
    scene.keep.clear();
}

TEST(WireTable, CoversEveryPrimitiveOfTheWire) {
    std::set<std::string> declared;
#define LIMN_DECLARED(id, ...) declared.insert(#id);
    LIMN_WIRE_PRIMITIVES(LIMN_DECLARED, LIMN_DECLARED)
#undef LIMN_DECLARED
    std::set<std::string> covered;
    for (const auto& [name, reason] : kNotDriven) covered.insert(name);
    for (const Case& c : table()) {
        for (const auto& name : c.exercises) {
            EXPECT_TRUE(declared.count(name)) << name << " is not a primitive of the wire";
            covered.insert(name);
        }
    }
    std::vector<std::string> missing;
    std::set_difference(declared.begin(), declared.end(), covered.begin(), covered.end(),
                        std::back_inserter(missing));
    EXPECT_TRUE(missing.empty()) << "primitives without a case: "
                                 << ::testing::PrintToString(missing);
}

}  // namespace
}  // namespace limn::testing
