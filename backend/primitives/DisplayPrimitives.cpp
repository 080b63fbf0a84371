// Display objects and containers.
#include <algorithm>
#include <cctype>

#include "backend/primitives/Primitives.h"
#include "backend/scene/HitTester.h"
#include "backend/scene/Renderer.h"
#include "backend/stage/StageNode.h"

namespace limn::sdl {

namespace {

namespace wire = native::wire;
using native::handle;

// A getter and a setter of one number.
template <class GetP, class SetP, auto Get, auto Set>
constexpr void addNumber(auto& m) {
    handle<GetP>(m, [](SceneNode& n) -> double { return (n.*Get)(); });
    handle<SetP>(m, [](SceneNode& n, const auto& a) { (n.*Set)(a.value); });
}

Affine readMatrix(const rt::Dynamic& m) {
    return {fieldNumber(m, "a"), fieldNumber(m, "b"),  fieldNumber(m, "c"),
            fieldNumber(m, "d"), fieldNumber(m, "tx"), fieldNumber(m, "ty")};
}

void writeMatrix(const rt::Dynamic& target, const Affine& m) {
    setField(target, "a", m.a);
    setField(target, "b", m.b);
    setField(target, "c", m.c);
    setField(target, "d", m.d);
    setField(target, "tx", m.tx);
    setField(target, "ty", m.ty);
}

ColorXf readColor(const rt::Dynamic& c) {
    return {fieldNumber(c, "redMultiplier"),  fieldNumber(c, "greenMultiplier"),
            fieldNumber(c, "blueMultiplier"), fieldNumber(c, "alphaMultiplier"),
            fieldNumber(c, "redOffset"),      fieldNumber(c, "greenOffset"),
            fieldNumber(c, "blueOffset"),     fieldNumber(c, "alphaOffset")};
}

void writeColor(const rt::Dynamic& target, const ColorXf& c) {
    setField(target, "redMultiplier", c.rm);
    setField(target, "greenMultiplier", c.gm);
    setField(target, "blueMultiplier", c.bm);
    setField(target, "alphaMultiplier", c.am);
    setField(target, "redOffset", c.ro);
    setField(target, "greenOffset", c.go);
    setField(target, "blueOffset", c.bo);
    setField(target, "alphaOffset", c.ao);
}

std::optional<Bounds> readRect(const rt::Dynamic& r) {
    if (!r.isObject()) return std::nullopt;
    return Bounds::of(fieldNumber(r, "x"), fieldNumber(r, "y"), fieldNumber(r, "width"),
                      fieldNumber(r, "height"));
}

void writeRect(const rt::Dynamic& target, const Bounds& b) {
    setField(target, "x", b.empty() ? 0.0 : b.x0);
    setField(target, "y", b.empty() ? 0.0 : b.y0);
    setField(target, "width", b.width());
    setField(target, "height", b.height());
}

void mapPoint(const rt::Dynamic& point, const Affine& m) {
    const double x = fieldNumber(point, "x"), y = fieldNumber(point, "y");
    setField(point, "x", m.mapX(x, y));
    setField(point, "y", m.mapY(x, y));
}

double pointerLocal(SceneNode& n, bool wantX) {
    auto* stage = dynamic_cast<StageNode*>(n.root());
    if (!stage) return 0;
    const Affine inv = n.concatenatedMatrix().inverse();
    return wantX ? inv.mapX(stage->pointerStageX(), stage->pointerStageY())
                 : inv.mapY(stage->pointerStageX(), stage->pointerStageY());
}

constexpr void registerCreation(auto& m) {
    handle<wire::limn_create_display_object>(
        m, []() -> rt::Dynamic { return std::make_shared<SceneNode>(NodeKind::Shape); });
    handle<wire::limn_create_display_object_container>(
        m, []() -> rt::Dynamic { return std::make_shared<SceneNode>(NodeKind::Container); });
    handle<wire::limn_display_object_get_id>(m, [](SceneNode& n) { return n.id(); });
    handle<wire::limn_display_object_get_graphics>(
        m, [](SceneNode& n) -> rt::Dynamic { return n.graphicsHandle(); });
}

constexpr void registerTransform(auto& m) {
    using Node = SceneNode;
    addNumber<wire::limn_display_object_get_x, wire::limn_display_object_set_x, &Node::x,
              &Node::setX>(m);
    addNumber<wire::limn_display_object_get_y, wire::limn_display_object_set_y, &Node::y,
              &Node::setY>(m);
    addNumber<wire::limn_display_object_get_scale_x, wire::limn_display_object_set_scale_x,
              &Node::scaleX, &Node::setScaleX>(m);
    addNumber<wire::limn_display_object_get_scale_y, wire::limn_display_object_set_scale_y,
              &Node::scaleY, &Node::setScaleY>(m);
    addNumber<wire::limn_display_object_get_rotation, wire::limn_display_object_set_rotation,
              &Node::rotation, &Node::setRotation>(m);
    addNumber<wire::limn_display_object_get_width, wire::limn_display_object_set_width,
              &Node::width, &Node::setWidth>(m);
    addNumber<wire::limn_display_object_get_height, wire::limn_display_object_set_height,
              &Node::height, &Node::setHeight>(m);
    addNumber<wire::limn_display_object_get_alpha, wire::limn_display_object_set_alpha,
              &Node::alpha, &Node::setAlpha>(m);
    handle<wire::limn_display_object_get_mouse_x>(
        m, [](SceneNode& n) { return pointerLocal(n, true); });
    handle<wire::limn_display_object_get_mouse_y>(
        m, [](SceneNode& n) { return pointerLocal(n, false); });
    handle<wire::limn_display_object_get_matrix>(m, [](SceneNode& n, const auto& a) {
        writeMatrix(a.into, a.concatenated ? n.concatenatedMatrix() : n.matrix());
        return a.into;
    });
    handle<wire::limn_display_object_set_matrix>(m, [](SceneNode& n, const auto& a) {
        if (a.matrix.isObject()) n.setMatrix(readMatrix(a.matrix));
    });
    handle<wire::limn_display_object_global_to_local>(m, [](SceneNode& n, const auto& a) {
        mapPoint(a.point, n.concatenatedMatrix().inverse());
        return a.point;
    });
    handle<wire::limn_display_object_local_to_global>(m, [](SceneNode& n, const auto& a) {
        mapPoint(a.point, n.concatenatedMatrix());
        return a.point;
    });
    handle<wire::limn_display_object_get_pixel_bounds>(m, [](SceneNode& n, const auto& a) {
        writeRect(a.into, n.localBounds().transformed(n.concatenatedMatrix()));
        return a.into;
    });
    handle<wire::limn_display_object_hit_test_point>(m, [](SceneNode& n, const auto& a) {
        return HitTester::covers(n, a.x, a.y, a.shape, a.visibleOnly);
    });
}

constexpr void registerLook(auto& m) {
    handle<wire::limn_display_object_get_color_transform>(m, [](SceneNode& n, const auto& a) {
        writeColor(a.into, a.concatenated ? n.concatenatedColorTransform() : n.colorTransform());
        return a.into;
    });
    handle<wire::limn_display_object_set_color_transform>(m, [](SceneNode& n, const auto& a) {
        if (a.transform.isObject()) n.setColorTransform(readColor(a.transform));
    });
    handle<wire::limn_display_object_get_visible>(m, [](SceneNode& n) { return n.visible(); });
    handle<wire::limn_display_object_set_visible>(
        m, [](SceneNode& n, const auto& a) { n.setVisible(a.value); });
    handle<wire::limn_display_object_get_cache_as_bitmap>(
        m, [](SceneNode& n) { return n.cacheAsBitmap(); });
    handle<wire::limn_display_object_set_cache_as_bitmap>(
        m, [](SceneNode& n, const auto& a) { n.setCacheAsBitmap(a.value); });
    handle<wire::limn_display_object_get_name>(m, [](SceneNode& n) { return n.name(); });
    handle<wire::limn_display_object_set_name>(
        m, [](SceneNode& n, const auto& a) { n.setName(a.value); });
    handle<wire::limn_display_object_get_blend_mode>(m, [](SceneNode& n) { return n.blendMode(); });
    handle<wire::limn_display_object_set_blend_mode>(
        m, [](SceneNode& n, const auto& a) { n.setBlendMode(blendModeIndex(a.mode)); });
    handle<wire::limn_display_object_get_bg>(m, [](SceneNode& n) -> rt::Dynamic {
        auto bg = n.background();
        return bg ? static_cast<int>(0x1000000 | *bg) : 0;
    });
    handle<wire::limn_display_object_set_bg>(m, [](SceneNode& n, const auto& args) {
        const auto rgb = static_cast<std::uint32_t>(args.value) & 0xFFFFFF;
        // A stage always has a background (0 is black); others take 0 as none.
        if (n.kind() == NodeKind::Stage || rgb != 0) {
            n.setBackground(rgb);
        } else {
            n.setBackground(std::nullopt);
        }
    });
}

constexpr void registerEffects(auto& m) {
    handle<wire::limn_display_object_set_scroll_rect>(
        m, [](SceneNode& n, const auto& a) { n.setScrollRect(readRect(a.rect)); });
    handle<wire::limn_display_object_set_scale9_grid>(m, [](const auto&) {});
    handle<wire::limn_display_object_set_mask>(m, [](SceneNode& n, const auto& a) {
        SceneNode* mask = SceneNode::from(a.mask);
        n.setMask(mask ? mask->shared_from_this() : nullptr);
    });
    handle<wire::limn_display_object_set_filters>(m, [](SceneNode& n, const auto& a) {
        std::vector<rt::ObjectPtr> filters;
        if (auto list = a.filters.asArray()) {
            for (const auto& one : *list) {
                if (auto o = one.asObject()) filters.push_back(std::move(o));
            }
        }
        n.setFilters(std::move(filters));
    });
    handle<wire::limn_display_object_set_mouse_enabled>(
        m, [](SceneNode& n, const auto& a) { n.setMouseEnabled(a.value); });
    handle<wire::limn_display_object_draw_to_surface>(m, [](SceneNode& node, const auto& a) {
        Surface* target = Surface::from(a.surface);
        if (!target) return;
        RenderOptions options;
        if (a.matrix.isObject()) options.base = readMatrix(a.matrix);
        if (a.colorTransform.isObject()) options.color = readColor(a.colorTransform);
        options.blendMode = blendModeIndex(a.blendMode);
        options.clip = readRect(a.clipRect);
        options.applyRootTransform = false;
        Renderer::render(node, *target, options);
    });
}

constexpr void registerChildren(auto& m) {
    handle<wire::limn_doc_add_child>(m, [](SceneNode& n, const auto& a) {
        if (SceneNode* child = SceneNode::from(a.child)) n.addChild(child->shared_from_this());
    });
    handle<wire::limn_doc_remove_child>(
        m, [](SceneNode& n, const auto& a) { n.removeChildAt(a.index); });
    handle<wire::limn_doc_set_child_index>(
        m, [](SceneNode& n, const auto& a) { n.setChildIndex(SceneNode::from(a.child), a.index); });
    handle<wire::limn_doc_swap_children>(
        m, [](SceneNode& n, const auto& a) { n.swapChildren(a.index1, a.index2); });
}

}  // namespace

namespace {

constexpr void handleDisplayPart(auto& m) {
    registerCreation(m);
    registerTransform(m);
    registerLook(m);
    registerEffects(m);
    registerChildren(m);
}

}  // namespace

void registerDisplayPrimitives(native::TableModule& module) {
    handleDisplayPart(module);
}

// Every primitive of this part of the wire has its handler.
static_assert(native::handlesAll<native::wire::part::Display>([](auto& m) {
    handleDisplayPart(m);
}));

}  // namespace limn::sdl
