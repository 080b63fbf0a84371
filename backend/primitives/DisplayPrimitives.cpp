// Display objects and containers.
#include <algorithm>
#include <cctype>

#include "backend/primitives/Primitives.h"
#include "backend/scene/HitTester.h"
#include "backend/scene/Renderer.h"
#include "backend/stage/StageNode.h"

namespace limn::sdl {

namespace {

using native::PrimitiveFn;

template <class F>
PrimitiveFn onNode(F f) {
    return [f](rt::Args a) -> rt::Dynamic {
        SceneNode* node = SceneNode::from(arg(a, 0));
        if (!node) return {};
        return f(*node, a);
    };
}

// A getter and a setter of one number.
template <auto Get, auto Set>
void addNumber(native::TableModule& m, const std::string& name) {
    m.add("limn_display_object_get_" + name, 1,
          onNode([](SceneNode& n, rt::Args) -> rt::Dynamic { return (n.*Get)(); }));
    m.add("limn_display_object_set_" + name, 2, onNode([](SceneNode& n, rt::Args a) -> rt::Dynamic {
              (n.*Set)(argNumber(a, 1));
              return {};
          }));
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
    return wantX ? inv.mapX(stage->pointerX, stage->pointerY)
                 : inv.mapY(stage->pointerX, stage->pointerY);
}

void registerCreation(native::TableModule& m) {
    m.add("limn_create_display_object", 0,
          [](rt::Args) -> rt::Dynamic { return std::make_shared<SceneNode>(NodeKind::Shape); });
    m.add("limn_create_display_object_container", 0,
          [](rt::Args) -> rt::Dynamic { return std::make_shared<SceneNode>(NodeKind::Container); });
    m.add("limn_display_object_get_id", 1,
          onNode([](SceneNode& n, rt::Args) -> rt::Dynamic { return n.id(); }));
    m.add("limn_display_object_get_graphics", 1,
          onNode([](SceneNode& n, rt::Args) -> rt::Dynamic { return n.graphicsHandle(); }));
}

void registerTransform(native::TableModule& m) {
    addNumber<&SceneNode::x, &SceneNode::setX>(m, "x");
    addNumber<&SceneNode::y, &SceneNode::setY>(m, "y");
    addNumber<&SceneNode::scaleX, &SceneNode::setScaleX>(m, "scale_x");
    addNumber<&SceneNode::scaleY, &SceneNode::setScaleY>(m, "scale_y");
    addNumber<&SceneNode::rotation, &SceneNode::setRotation>(m, "rotation");
    addNumber<&SceneNode::width, &SceneNode::setWidth>(m, "width");
    addNumber<&SceneNode::height, &SceneNode::setHeight>(m, "height");
    addNumber<&SceneNode::alpha, &SceneNode::setAlpha>(m, "alpha");
    m.add("limn_display_object_get_mouse_x", 1,
          onNode([](SceneNode& n, rt::Args) -> rt::Dynamic { return pointerLocal(n, true); }));
    m.add("limn_display_object_get_mouse_y", 1,
          onNode([](SceneNode& n, rt::Args) -> rt::Dynamic { return pointerLocal(n, false); }));
    m.add("limn_display_object_get_matrix", 3, onNode([](SceneNode& n, rt::Args a) -> rt::Dynamic {
              writeMatrix(arg(a, 1), argBool(a, 2) ? n.concatenatedMatrix() : n.matrix());
              return arg(a, 1);
          }));
    m.add("limn_display_object_set_matrix", 2, onNode([](SceneNode& n, rt::Args a) -> rt::Dynamic {
              if (arg(a, 1).isObject()) n.setMatrix(readMatrix(arg(a, 1)));
              return {};
          }));
    m.add("limn_display_object_global_to_local", 2,
          onNode([](SceneNode& n, rt::Args a) -> rt::Dynamic {
              mapPoint(arg(a, 1), n.concatenatedMatrix().inverse());
              return arg(a, 1);
          }));
    m.add("limn_display_object_local_to_global", 2,
          onNode([](SceneNode& n, rt::Args a) -> rt::Dynamic {
              mapPoint(arg(a, 1), n.concatenatedMatrix());
              return arg(a, 1);
          }));
    m.add("limn_display_object_get_pixel_bounds", 2,
          onNode([](SceneNode& n, rt::Args a) -> rt::Dynamic {
              writeRect(arg(a, 1), n.localBounds().transformed(n.concatenatedMatrix()));
              return arg(a, 1);
          }));
    m.add("limn_display_object_hit_test_point", 5,
          onNode([](SceneNode& n, rt::Args a) -> rt::Dynamic {
              return HitTester::covers(n, argNumber(a, 1), argNumber(a, 2), argBool(a, 3),
                                       argBool(a, 4));
          }));
}

void registerLook(native::TableModule& m) {
    m.add("limn_display_object_get_color_transform", 3,
          onNode([](SceneNode& n, rt::Args a) -> rt::Dynamic {
              writeColor(arg(a, 1),
                         argBool(a, 2) ? n.concatenatedColorTransform() : n.colorTransform());
              return arg(a, 1);
          }));
    m.add("limn_display_object_set_color_transform", 2,
          onNode([](SceneNode& n, rt::Args a) -> rt::Dynamic {
              if (arg(a, 1).isObject()) n.setColorTransform(readColor(arg(a, 1)));
              return {};
          }));
    m.add("limn_display_object_get_visible", 1,
          onNode([](SceneNode& n, rt::Args) -> rt::Dynamic { return n.visible(); }));
    m.add("limn_display_object_set_visible", 2, onNode([](SceneNode& n, rt::Args a) -> rt::Dynamic {
              n.setVisible(argBool(a, 1));
              return {};
          }));
    m.add("limn_display_object_get_cache_as_bitmap", 1,
          onNode([](SceneNode& n, rt::Args) -> rt::Dynamic { return n.cacheAsBitmap(); }));
    m.add("limn_display_object_set_cache_as_bitmap", 2,
          onNode([](SceneNode& n, rt::Args a) -> rt::Dynamic {
              n.setCacheAsBitmap(argBool(a, 1));
              return {};
          }));
    m.add("limn_display_object_get_name", 1,
          onNode([](SceneNode& n, rt::Args) -> rt::Dynamic { return n.name(); }));
    m.add("limn_display_object_set_name", 2, onNode([](SceneNode& n, rt::Args a) -> rt::Dynamic {
              n.setName(argString(a, 1));
              return {};
          }));
    m.add("limn_display_object_get_blend_mode", 1,
          onNode([](SceneNode& n, rt::Args) -> rt::Dynamic { return n.blendMode(); }));
    m.add("limn_display_object_set_blend_mode", 2,
          onNode([](SceneNode& n, rt::Args a) -> rt::Dynamic {
              n.setBlendMode(blendModeIndex(arg(a, 1)));
              return {};
          }));
    m.add("limn_display_object_get_bg", 1, onNode([](SceneNode& n, rt::Args) -> rt::Dynamic {
              auto bg = n.background();
              return bg ? static_cast<int>(0x1000000 | *bg) : 0;
          }));
    m.add("limn_display_object_set_bg", 2, onNode([](SceneNode& n, rt::Args a) -> rt::Dynamic {
              const auto rgb = static_cast<std::uint32_t>(argInt(a, 1)) & 0xFFFFFF;
              // A stage always has a background (0 is black); others take 0 as none.
              if (n.kind() == NodeKind::Stage || rgb != 0) {
                  n.setBackground(rgb);
              } else {
                  n.setBackground(std::nullopt);
              }
              return {};
          }));
}

void registerEffects(native::TableModule& m) {
    m.add("limn_display_object_set_scroll_rect", 2,
          onNode([](SceneNode& n, rt::Args a) -> rt::Dynamic {
              n.setScrollRect(readRect(arg(a, 1)));
              return {};
          }));
    m.add("limn_display_object_set_scale9_grid", 2, [](rt::Args) -> rt::Dynamic { return {}; });
    m.add("limn_display_object_set_mask", 2, onNode([](SceneNode& n, rt::Args a) -> rt::Dynamic {
              SceneNode* mask = SceneNode::from(arg(a, 1));
              n.setMask(mask ? mask->shared_from_this() : nullptr);
              return {};
          }));
    m.add("limn_display_object_set_filters", 2, onNode([](SceneNode& n, rt::Args a) -> rt::Dynamic {
              std::vector<rt::ObjectPtr> filters;
              if (auto list = arg(a, 1).asArray()) {
                  for (const auto& f : *list) {
                      if (auto o = f.asObject()) filters.push_back(std::move(o));
                  }
              }
              n.setFilters(std::move(filters));
              return {};
          }));
    m.add("limn_display_object_set_mouse_enabled", 2,
          onNode([](SceneNode& n, rt::Args a) -> rt::Dynamic {
              n.setMouseEnabled(argBool(a, 1));
              return {};
          }));
    m.add("limn_display_object_draw_to_surface", native::kVariableArgs,
          [](rt::Args a) -> rt::Dynamic {
              auto values = arg(a, 0).asArray();
              if (!values) return {};
              const rt::Args v(*values);
              SceneNode* node = SceneNode::from(arg(v, 0));
              Surface* target = Surface::from(arg(v, 1));
              if (!node || !target) return {};
              RenderOptions options;
              if (arg(v, 2).isObject()) options.base = readMatrix(arg(v, 2));
              if (arg(v, 3).isObject()) options.color = readColor(arg(v, 3));
              options.blendMode = blendModeIndex(arg(v, 4));
              options.clip = readRect(arg(v, 5));
              options.applyRootTransform = false;
              Renderer::render(*node, *target, options);
              return {};
          });
}

void registerChildren(native::TableModule& m) {
    m.add("limn_doc_add_child", 2, onNode([](SceneNode& n, rt::Args a) -> rt::Dynamic {
              if (SceneNode* child = SceneNode::from(arg(a, 1)))
                  n.addChild(child->shared_from_this());
              return {};
          }));
    m.add("limn_doc_remove_child", 2, onNode([](SceneNode& n, rt::Args a) -> rt::Dynamic {
              n.removeChildAt(argInt(a, 1));
              return {};
          }));
    m.add("limn_doc_set_child_index", 3, onNode([](SceneNode& n, rt::Args a) -> rt::Dynamic {
              n.setChildIndex(SceneNode::from(arg(a, 1)), argInt(a, 2));
              return {};
          }));
    m.add("limn_doc_swap_children", 3, onNode([](SceneNode& n, rt::Args a) -> rt::Dynamic {
              n.swapChildren(argInt(a, 1), argInt(a, 2));
              return {};
          }));
}

}  // namespace

void registerDisplayPrimitives(native::TableModule& m) {
    registerCreation(m);
    registerTransform(m);
    registerLook(m);
    registerEffects(m);
    registerChildren(m);
}

}  // namespace limn::sdl
