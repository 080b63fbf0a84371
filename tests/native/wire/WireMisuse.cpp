// Uses of the wire that must not compile. CTest compiles this file once per
// case below (-DCASE_...) and expects the compiler to refuse it with the
// wire's own message; -DCASE_RIGHT is the same code written correctly and
// must compile, so a case cannot pass by failing for another reason.
#include "native/Call.h"
#include "native/Handler.h"

namespace limn::native {

namespace {

const Call<wire::limn_display_object_hit_test_point> hitTest;
const Call<wire::limn_gfx_line_style> lineStyle;
const Call<wire::limn_display_object_get_x> getX;

[[maybe_unused]] void frameworkSide([[maybe_unused]] const rt::Dynamic& handle) {
#if defined(CASE_RIGHT)
    hitTest({.object = handle, .x = 1.0, .y = 2.0, .shape = true, .visibleOnly = false});
    lineStyle({.gfx = handle,
               .thickness = 1.0,
               .color = 0xFF0000,
               .alpha = 1.0,
               .pixelHinting = false,
               .scaleMode = wire::LineScaleMode::NORMAL,
               .caps = wire::CapsStyle::SQUARE,
               .joints = wire::JointStyle::MITER,
               .miterLimit = 3.0});
    [[maybe_unused]] const double x = getX({.object = handle});
    [[maybe_unused]] const bool hit =
        hitTest({.object = handle, .x = 1.0, .y = 2.0, .shape = true, .visibleOnly = false});
#elif defined(CASE_SWAPPED_HANDLE_AND_NUMBER)
    hitTest({.object = 1.0, .x = handle, .y = 2.0, .shape = true, .visibleOnly = false});
#elif defined(CASE_SWAPPED_NUMBER_AND_BOOL)
    hitTest({.object = handle, .x = 1.0, .y = true, .shape = 2.0, .visibleOnly = false});
#elif defined(CASE_SWAPPED_NAMES)
    // Two numbers in the wrong order: the designators say so.
    hitTest({.object = handle, .y = 2.0, .x = 1.0, .shape = true, .visibleOnly = false});
#elif defined(CASE_POSITIONAL_CALL)
    hitTest({handle, 1.0, 2.0, true, false});
#elif defined(CASE_POSITIONAL_CALL_WITH_TAG)
    hitTest({{}, handle, 1.0, 2.0, true, false});
#elif defined(CASE_MISNAMED_ARGUMENT)
    hitTest({.object = handle, .x = 1.0, .y = 2.0, .shapeFlag = true, .visibleOnly = false});
#elif defined(CASE_MISSING_ARGUMENT)
    hitTest({.object = handle, .x = 1.0, .y = 2.0, .shape = true});
#elif defined(CASE_CONSTANT_AS_NUMBER)
    // The caps written as the framework's own number instead of the wire's constant.
    lineStyle({.gfx = handle,
               .thickness = 1.0,
               .color = 0xFF0000,
               .alpha = 1.0,
               .pixelHinting = false,
               .scaleMode = wire::LineScaleMode::NORMAL,
               .caps = 2,
               .joints = wire::JointStyle::MITER,
               .miterLimit = 3.0});
#elif defined(CASE_RESULT_OF_ANOTHER_KIND)
    // get_x answers a number, not a handle.
    [[maybe_unused]] const rt::Handle x = getX({.object = handle});
#endif
}

// A backend type reached from a handle.
struct Node {
    static Node* from(const rt::Dynamic&) { return nullptr; }
    void moveTo(double, double) {}
};

[[maybe_unused]] void backendSide([[maybe_unused]] TableModule& module) {
#if defined(CASE_RIGHT)
    handle<wire::limn_display_object_set_x>(module, [](Node&, const auto& a) { (void)a.value; });
    handle<wire::limn_display_object_get_x>(module, [](Node&) { return 0.0; });
    handle<wire::limn_display_object_hit_test_point>(
        module, [](const wire::limn_display_object_hit_test_point::Args& a) {
            return a.x < a.y && a.shape && !a.visibleOnly;
        });
    handle<wire::limn_gfx_line_style>(
        module, [](const auto& a) { (void)(a.caps == wire::CapsStyle::SQUARE); });
#elif defined(CASE_HANDLER_WRONG_KIND)
    // The record of another primitive.
    handle<wire::limn_display_object_set_x>(module,
                                            [](const wire::limn_display_object_set_y::Args&) {});
#elif defined(CASE_HANDLER_WRONG_RESULT)
    handle<wire::limn_display_object_get_x>(module, [](Node&) { return true; });
#elif defined(CASE_HANDLER_WRONG_ARITY)
    // Positional parameters instead of the record.
    handle<wire::limn_display_object_set_x>(module, [](Node&, double) {});
#elif defined(CASE_HANDLER_MISSING_RECORD)
    // A setter that never reads what it is to set.
    handle<wire::limn_display_object_set_x>(module, [](Node&) {});
#elif defined(CASE_HANDLER_MISNAMED_FIELD)
    handle<wire::limn_display_object_hit_test_point>(
        module, [](const auto& a) { return a.x < a.y && a.shapeFlag; });
#elif defined(CASE_HANDLER_FIELD_OF_ANOTHER_KIND)
    // The handle read where the number is.
    handle<wire::limn_display_object_set_x>(
        module, [](Node&, const auto& a) { [[maybe_unused]] const double x = a.object; });
#elif defined(CASE_HANDLER_CONSTANT_AS_NUMBER)
    // The backend's own number for a cap instead of the wire's constant.
    handle<wire::limn_gfx_line_style>(module, [](const auto& a) { (void)(a.caps == 2); });
#elif defined(CASE_UNDECLARED_PRIMITIVE)
    handle<wire::limn_display_object_set_xx>(module, [](Node&, const auto&) {});
#endif
}

// A part of a backend: the tiles part of the wire has four primitives.
constexpr void handleTiles(auto& module) {
    handle<wire::limn_tilesheet_create>(module, [](const auto&) { return rt::Dynamic(); });
    handle<wire::limn_tilesheet_add_rect>(module, [](Node&, const auto&) {});
    handle<wire::limn_gfx_draw_tiles>(module, [](Node&, const auto&) {});
#if !defined(CASE_MISSING_HANDLER)
    handle<wire::limn_gfx_draw_triangles>(module, [](Node&, const auto&) {});
#endif
#if defined(CASE_HANDLER_IN_ANOTHER_PART)
    handle<wire::limn_gfx_clear>(module, [](Node&) {});
#endif
}

static_assert(handlesAll<wire::part::Tiles>([](auto& m) { handleTiles(m); }));

}  // namespace

}  // namespace limn::native
