// Retained frames: after any mix of changes, a frame that redraws only the
// damaged boxes must equal a full redraw of the same scene.

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <vector>

#include "backend/draw/FilterEffects.h"
#include "backend/scene/BandPool.h"
#include "backend/scene/Renderer.h"
#include "backend/stage/StageNode.h"
#include "backend/text/TextFieldNode.h"
#include "runtime/Object.h"

namespace limn::sdl {
namespace {

using Node = std::shared_ptr<SceneNode>;

std::shared_ptr<Surface> checker(int w, int h) {
    auto s = Surface::create(w, h, true, 0);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) s->row(y)[x] = ((x + y) % 2) ? 0xFF2040A0u : 0x80602000u;
    }
    s->markDirty();
    return s;
}

rt::ObjectPtr shadow(double distance, double blur) {
    return rt::props({{"type", "DropShadowFilter"},
                      {"distance", distance},
                      {"angle", 45.0},
                      {"color", 0},
                      {"alpha", 0.8},
                      {"blurX", blur},
                      {"blurY", blur},
                      {"quality", 1},
                      {"strength", 1.0},
                      {"inner", false},
                      {"knockout", false},
                      {"hideObject", false}});
}

// The frame's pixels against a full redraw of the stage into a fresh surface.
int maxDifference(StageNode& stage) {
    auto frame = stage.lastFrame();
    auto full = Surface::create(frame->width(), frame->height(), false,
                                0xFF000000u | stage.background().value_or(0xFFFFFF));
    RenderOptions options;
    options.base = {stage.outputScaleX(), 0, 0, stage.outputScaleY(), 0, 0};
    options.quality = stage.quality() > 0;
    Renderer::render(stage, *full, options);
    int worst = 0;
    for (int y = 0; y < frame->height(); ++y) {
        for (int x = 0; x < frame->width(); ++x) {
            const std::uint32_t a = frame->row(y)[x], b = full->row(y)[x];
            for (int shift = 0; shift < 32; shift += 8) {
                worst = std::max(worst, std::abs(static_cast<int>((a >> shift) & 0xFF) -
                                                 static_cast<int>((b >> shift) & 0xFF)));
            }
        }
    }
    return worst;
}

// The band pool's thread count, forced for one scope (1: the program thread alone).
class ForcedThreads {
public:
    explicit ForcedThreads(int threads) { BandPool::shared().setThreads(threads); }
    ~ForcedThreads() { BandPool::shared().setThreads(0); }
    ForcedThreads(const ForcedThreads&) = delete;
    ForcedThreads& operator=(const ForcedThreads&) = delete;
};

// Changes of every kind; a plain scene has no filters or scroll rectangles,
// whose frames are drawn on one thread.
class RandomScene {
public:
    RandomScene(StageNode& stage, unsigned seed, bool plain = false)
        : stage_(stage), rng_(seed), plain_(plain) {
        picture_ = checker(9, 7);
        for (int i = 0; i < 12; ++i) addNode();
    }

    void change() {
        Node n = any();
        switch (pick(15)) {
            case 0:
                n->setX(real(-10, 130));
                n->setY(real(-10, 100));
                break;
            case 1:
                n->setRotation(real(-180, 180));
                break;
            case 2:
                n->setScaleX(real(0.3, 2));
                n->setScaleY(real(0.3, 2));
                break;
            case 3:
                n->setAlpha(real(0, 1));
                break;
            case 4:
                n->setVisible(!n->visible());
                break;
            case 5:
                addNode();
                break;
            case 6:
                if (nodes_.size() > 4) remove(n);
                break;
            case 7:
                if (SceneNode* p = n->parent()) {
                    const int count = static_cast<int>(p->children().size());
                    p->setChildIndex(n.get(), pick(count));
                }
                break;
            case 8:
                if (auto* text = dynamic_cast<TextFieldNode*>(n.get())) {
                    text->setText(pick(2) ? "Hello" : "mole!");
                } else {
                    draw(*n);
                }
                break;
            case 9:
                picture_->row(pick(7))[pick(9)] = 0xFF000000u | rng_();
                picture_->markDirty();
                break;
            case 10:
                if (plain_) break;
                n->setFilters(pick(2) ? std::vector<rt::ObjectPtr>{shadow(real(0, 6), pick(4))}
                                      : std::vector<rt::ObjectPtr>{});
                break;
            case 11: {
                Node m = any();
                n->setMask(pick(3) == 0 && m != n ? m : nullptr);
                break;
            }
            case 12:
                n->setColorTransform(ColorXf{real(0, 1), 1, real(0, 1), 1, 0, real(0, 60), 0, 0});
                break;
            case 13:
                if (plain_) break;
                n->setScrollRect(pick(3) == 0 ? std::optional(Bounds::of(2, 2, 20, 15))
                                              : std::nullopt);
                break;
            case 14:
                n->setCacheAsBitmap(!n->cacheAsBitmap());
                break;
        }
    }

private:
    int pick(int n) { return static_cast<int>(rng_() % static_cast<unsigned>(n)); }
    double real(double lo, double hi) {
        return std::uniform_real_distribution<double>(lo, hi)(rng_);
    }
    Node any() { return nodes_[pick(static_cast<int>(nodes_.size()))]; }

    void draw(SceneNode& n) {
        DrawingList& g = n.graphics();
        g.clear();
        switch (pick(3)) {
            case 0: {
                FillStyle fill;
                fill.kind = FillKind::Bitmap;
                fill.bitmap = picture_;
                fill.repeat = false;
                fill.smooth = pick(2) == 0;
                g.beginFill(fill);
                g.drawRect(0, 0, picture_->width(), picture_->height());
                g.endFill();
                break;
            }
            case 1: {
                LineStyle line;
                line.enabled = true;
                line.thickness = real(0, 4);
                line.rgb = rng_() & 0xFFFFFF;
                g.lineStyle(line);
                g.beginFill(rng_() & 0xFFFFFF, real(0.3, 1));
                g.drawEllipse(0, 0, real(4, 30), real(4, 20));
                g.endFill();
                break;
            }
            default:
                g.beginFill(rng_() & 0xFFFFFF, 1);
                g.drawRect(real(-5, 5), real(-5, 5), real(2, 25), real(2, 25));
                g.endFill();
        }
    }

    void addNode() {
        Node n;
        if (pick(8) == 0) {
            auto text = std::make_shared<TextFieldNode>();
            text->setText("Score 12");
            n = text;
        } else {
            n = std::make_shared<SceneNode>(pick(3) == 0 ? NodeKind::Container : NodeKind::Shape);
            draw(*n);
        }
        n->setX(real(0, 110));
        n->setY(real(0, 80));
        Node parent = nodes_.empty() || pick(2) ? nullptr : any();
        if (parent && parent->kind() == NodeKind::Container) {
            parent->addChild(n);
        } else {
            stage_.addChild(n);
        }
        nodes_.push_back(n);
    }

    void remove(const Node& n) {
        if (SceneNode* p = n->parent()) p->removeChild(n.get());
        std::erase(nodes_, n);
    }

    StageNode& stage_;
    std::mt19937 rng_;
    bool plain_;
    std::shared_ptr<Surface> picture_;
    std::vector<Node> nodes_;
};

void runRandom(double scaleX, double scaleY, unsigned seed, bool partial, bool plain = false) {
    auto stage = std::make_shared<StageNode>(120, 90);
    stage->setOutputScale(scaleX, scaleY);
    stage->setPartialRedraw(partial);
    RandomScene scene(*stage, seed, plain);
    std::mt19937 rng(seed);
    double redrawn = 0, total = 0;
    for (int frame = 0; frame < 600; ++frame) {
        const int changes = static_cast<int>(rng() % 4);
        for (int i = 0; i < changes; ++i) scene.change();
        stage->render();
        ASSERT_EQ(maxDifference(*stage), 0) << "frame " << frame << " seed " << seed;
        redrawn += stage->lastRedrawnPixels();
        total += stage->lastFrame()->width() * stage->lastFrame()->height();
    }
    // Frames without changes are skipped; with partial redraws, damage stays local.
    EXPECT_LT(redrawn, (partial ? 0.8 : 0.95) * total);
}

TEST(Damage, SkippedFramesEqualFullRedrawsAfterRandomChanges) {
    for (unsigned seed : {1u, 2u, 3u}) runRandom(1, 1, seed, false);
    runRandom(560.0 / 320, 840.0 / 480, 7, false);
}

// Frames drawn by one thread and by several (splitting whole redraws and
// damaged rows alike) against a whole redraw on the program thread.
TEST(Damage, PartialFramesEqualFullRedrawsAfterRandomChanges) {
    for (int threads : {1, 2, 3}) {
        SCOPED_TRACE(threads);
        ForcedThreads forced(threads);
        const std::uint64_t spread = BandPool::shared().spreadRuns();
        for (unsigned seed = 1; seed <= 6; ++seed) runRandom(1, 1, seed, true);
        for (unsigned seed : {7u, 8u}) runRandom(560.0 / 320, 840.0 / 480, seed, true);
        for (unsigned seed : {9u, 10u, 11u}) runRandom(1, 1, seed, true, true);
        runRandom(560.0 / 320, 840.0 / 480, 12, true, true);
        if (threads > 1) runRandom(1, 1, 13, false, true);
        EXPECT_EQ(BandPool::shared().spreadRuns() > spread, threads > 1);
    }
}

// Many pictures, most of them leaves moved by whole pixels (the sprites of a
// game), some turned, faded, nested in moved or turned containers or drawn as
// shapes and text: frames drawn by several threads, whole or in damaged rows,
// against a whole redraw on the program thread.
TEST(Damage, ThreadedSpriteFramesEqualFullRedraws) {
    auto picture = checker(9, 7);
    for (int threads : {2, 3, 5}) {
        SCOPED_TRACE(threads);
        ForcedThreads forced(threads);
        for (unsigned seed = 1; seed <= 6; ++seed) {
            // Pictures alone are composited straight into the frame's rows.
            const bool picturesOnly = seed > 3;
            auto stage = std::make_shared<StageNode>(120, 90);
            stage->setPartialRedraw(seed % 2 == 0);
            if (seed % 3 == 0) stage->setOutputScale(1.5, 1.25);
            std::mt19937 rng(seed);
            const auto real = [&](double lo, double hi) {
                return std::uniform_real_distribution<double>(lo, hi)(rng);
            };
            std::vector<Node> nodes;
            std::vector<Node> groups;
            for (int g = 0; g < 3; ++g) {
                groups.push_back(std::make_shared<SceneNode>(NodeKind::Container));
                groups.back()->setX(std::floor(real(0, 40)));
                stage->addChild(groups.back());
            }
            const auto add = [&] {
                auto n = std::make_shared<SceneNode>();
                FillStyle fill;
                fill.kind = FillKind::Bitmap;
                fill.bitmap = picture;
                fill.repeat = false;
                fill.smooth = rng() % 2 == 0;
                n->graphics().beginFill(fill);
                n->graphics().drawRect(0, 0, 9, 7);
                if (!picturesOnly && rng() % 10 == 0) n->graphics().drawEllipse(1, 1, 6, 5);
                n->graphics().endFill();
                n->setX(std::floor(real(-10, 125)));
                n->setY(std::floor(real(-10, 95)));
                if (rng() % 4 == 0) {
                    groups[rng() % groups.size()]->addChild(n);
                } else {
                    stage->addChild(n);
                }
                nodes.push_back(n);
            };
            for (int i = 0; i < 60; ++i) add();
            if (!picturesOnly) {
                auto text = std::make_shared<TextFieldNode>();
                text->setText("Hi 7");
                stage->addChild(text);
            }
            for (int frame = 0; frame < 80; ++frame) {
                for (int c = static_cast<int>(rng() % 12); c > 0; --c) {
                    const Node& n = nodes[rng() % nodes.size()];
                    switch (rng() % 8) {
                        case 0:
                            n->setX(real(-10, 125));
                            break;
                        case 1:
                            n->setRotation(real(-180, 180));
                            break;
                        case 2:
                            n->setAlpha(real(0, 1));
                            break;
                        case 3:
                            n->setVisible(!n->visible());
                            break;
                        case 4:
                            groups[rng() % groups.size()]->setRotation(real(-20, 20) * (rng() % 2));
                            break;
                        case 5:
                            add();
                            break;
                        default:
                            n->setX(std::floor(real(-10, 125)));
                            n->setY(std::floor(real(-10, 95)));
                    }
                }
                stage->render();
                ASSERT_EQ(maxDifference(*stage), 0) << "frame " << frame << " seed " << seed;
            }
        }
    }
}

// A frame target keeping its own pixels between frames (as the page's canvas
// does), counting the pixels read back from it.
class KeptPixels final : public StageNode::FrameTarget {
public:
    std::unique_ptr<Canvas> open(int width, int height) override {
        if (!pixels_ || pixels_->width() != width || pixels_->height() != height)
            pixels_ = Surface::create(width, height, false, 0xFF000000u);
        return openCanvas(*pixels_);
    }
    void read(Surface& frame, const Bounds& box) override {
        for (int y = static_cast<int>(box.y0); y < static_cast<int>(box.y1); ++y) {
            for (int x = static_cast<int>(box.x0); x < static_cast<int>(box.x1); ++x)
                frame.row(y)[x] = pixels_->row(y)[x];
        }
        read_ += box.width() * box.height();
    }
    [[nodiscard]] double pixelsRead() const { return read_; }

private:
    std::shared_ptr<Surface> pixels_;
    double read_ = 0;
};

// Frames drawn on a target: what is read back only when asked for equals a
// whole redraw, and only the boxes drawn since are read.
TEST(Damage, FramesOnATargetReadBackEqualFullRedraws) {
    for (unsigned seed : {1u, 2u, 9u}) {
        auto stage = std::make_shared<StageNode>(120, 90);
        KeptPixels target;
        stage->setFrameTarget(&target);
        RandomScene scene(*stage, seed, seed == 9);
        std::mt19937 rng(seed);
        // Read after every frame: exactly what it drew; after every third: the
        // boxes of three frames, merged.
        const int every = seed == 1 ? 1 : 3;
        for (int frame = 0; frame < 300; ++frame) {
            const int changes = static_cast<int>(rng() % 4);
            for (int i = 0; i < changes; ++i) scene.change();
            stage->render();
            if (frame % every != 0) continue;
            const double before = target.pixelsRead();
            ASSERT_EQ(maxDifference(*stage), 0) << "frame " << frame << " seed " << seed;
            if (every == 1) {
                EXPECT_EQ(target.pixelsRead() - before, stage->lastRedrawnPixels());
            }
        }
        EXPECT_EQ(maxDifference(*stage), 0);
        // A frame without changes draws nothing, so nothing is read back.
        const double read = target.pixelsRead();
        stage->render();
        EXPECT_EQ(stage->lastRedrawnPixels(), 0);
        EXPECT_EQ(maxDifference(*stage), 0);
        EXPECT_EQ(target.pixelsRead(), read);
        stage->setFrameTarget(nullptr);
    }
}

TEST(Damage, UnchangedFrameDrawsAndPresentsNothing) {
    auto stage = std::make_shared<StageNode>(50, 50);
    int presented = 0;
    stage->setPresenter([&](Surface&, const std::vector<Bounds>&) { ++presented; });
    auto box = std::make_shared<SceneNode>();
    box->graphics().beginFill(0xFF0000, 1);
    box->graphics().drawRect(0, 0, 10, 10);
    stage->addChild(box);
    stage->render();
    EXPECT_EQ(presented, 1);
    stage->render();
    EXPECT_EQ(presented, 1);
    EXPECT_EQ(stage->lastRedrawnPixels(), 0);
    box->setX(3);
    stage->render();
    EXPECT_EQ(presented, 2);
    EXPECT_GT(stage->lastRedrawnPixels(), 0);
    // A hidden node off the frame damages nothing.
    auto away = std::make_shared<SceneNode>();
    away->setX(500);
    stage->addChild(away);
    stage->render();
    EXPECT_EQ(presented, 2);
}

// Partial mode on a simple scene: a box moving over a text field that turns.
TEST(Damage, PartialFramesAroundATextFieldEqualFullRedraws) {
    auto stage = std::make_shared<StageNode>(120, 90);
    stage->setPartialRedraw(true);
    auto text = std::make_shared<TextFieldNode>();
    text->setText("Score 12");
    text->setX(10.3);
    text->setY(20.7);
    stage->addChild(text);
    auto box = std::make_shared<SceneNode>();
    box->graphics().beginFill(0xFF0000, 1);
    box->graphics().drawRect(0, 0, 7, 5);
    stage->addChild(box);
    for (int f = 0; f < 60; ++f) {
        box->setX(f * 1.7);
        box->setY(15 + f * 0.9);
        if (f % 10 == 5) text->setRotation(f * 3.0);
        stage->render();
        ASSERT_EQ(maxDifference(*stage), 0) << f;
    }
}

// A turned, half-transparent picture sampled nearest crosses the rows a small
// box damages: cairo samples it differently when a clip cuts it, so the rows
// are redrawn as a whole redraw draws them.
TEST(Damage, PictureCrossingRedrawnRowsComesOutAsInAFullRedraw) {
    auto stage = std::make_shared<StageNode>(120, 90);
    stage->setOutputScale(1.75, 1.75);
    auto picture = checker(9, 7);
    auto turned = std::make_shared<SceneNode>();
    FillStyle fill;
    fill.kind = FillKind::Bitmap;
    fill.bitmap = picture;
    fill.repeat = false;
    fill.smooth = false;
    turned->graphics().beginFill(fill);
    turned->graphics().drawRect(0, 0, 9, 7);
    turned->graphics().endFill();
    turned->setMatrix({2.3, 1.1, -0.9, 3.1, 40.37, 20.61});
    turned->setAlpha(0.6);
    stage->addChild(turned);
    auto box = std::make_shared<SceneNode>();
    box->graphics().beginFill(0xFF0000, 1);
    box->graphics().drawRect(0, 0, 3, 2);
    stage->addChild(box);
    for (int f = 0; f < 40; ++f) {
        box->setX(5 + f * 0.37);
        box->setY(10 + f * 1.13);
        stage->render();
        ASSERT_EQ(maxDifference(*stage), 0) << f;
        if (f > 0) {
            EXPECT_LT(stage->lastRedrawnPixels(), 0.5 * 210 * 158) << f;
        }
    }
}

// A node masked by another goes away off the stage: the mask draws again.
TEST(Damage, MaskShowsAgainWhenTheNodeItMaskedIsGone) {
    auto stage = std::make_shared<StageNode>(40, 40);
    auto mask = std::make_shared<SceneNode>();
    mask->graphics().beginFill(0x0000FF, 1);
    mask->graphics().drawRect(5, 5, 10, 10);
    stage->addChild(mask);
    auto user = std::make_shared<SceneNode>();
    user->setMask(mask);
    stage->render();
    EXPECT_EQ(stage->lastFrame()->row(10)[10], 0xFFFFFFFFu) << "a mask is not drawn";
    user.reset();
    stage->render();
    EXPECT_EQ(stage->lastFrame()->row(10)[10], 0xFF0000FFu);
}

// A cached container is drawn once; moving it by whole pixels or fading it
// only composites that drawing again, and a change inside draws it anew.
TEST(Damage, CachedSubtreeIsDrawnAgainOnlyAfterAChangeInside) {
    auto stage = std::make_shared<StageNode>(60, 40);
    auto group = std::make_shared<SceneNode>(NodeKind::Container);
    auto child = std::make_shared<SceneNode>();
    child->graphics().beginFill(0x00FF00, 1);
    child->graphics().drawEllipse(0, 0, 9.5, 7.3);
    group->addChild(child);
    group->setCacheAsBitmap(true);
    group->setX(3.25);
    stage->addChild(group);
    stage->render();
    const auto drawn = group->bitmapCache().surface;
    ASSERT_NE(drawn, nullptr);
    for (int f = 1; f < 20; ++f) {
        group->setX(3.25 + f);
        group->setAlpha(1 - f * 0.04);
        stage->render();
        ASSERT_EQ(maxDifference(*stage), 0) << f;
    }
    EXPECT_EQ(group->bitmapCache().surface, drawn);
    child->setY(2);
    stage->render();
    EXPECT_NE(group->bitmapCache().surface, drawn);
    EXPECT_EQ(maxDifference(*stage), 0);
}

}  // namespace
}  // namespace limn::sdl
