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

[[maybe_unused]] void frameworkSide(const rt::Dynamic& handle) {
#if defined(CASE_RIGHT)
    hitTest(handle, 1.0, 2.0, true, false);
    lineStyle(handle, 1.0, 0xFF0000, 1.0, false, wire::LineScaleMode::NORMAL,
              wire::CapsStyle::SQUARE, wire::JointStyle::MITER, 3.0);
#elif defined(CASE_SWAPPED_HANDLE_AND_NUMBER)
    hitTest(1.0, handle, 2.0, true, false);
#elif defined(CASE_SWAPPED_NUMBER_AND_BOOL)
    hitTest(handle, 1.0, true, 2.0, false);
#elif defined(CASE_MISSING_ARGUMENT)
    hitTest(handle, 1.0, 2.0, true);
#elif defined(CASE_CONSTANT_AS_NUMBER)
    // The caps written as the framework's own number instead of the wire's constant.
    lineStyle(handle, 1.0, 0xFF0000, 1.0, false, wire::LineScaleMode::NORMAL, 2,
              wire::JointStyle::MITER, 3.0);
#endif
}

[[maybe_unused]] void backendSide(TableModule& module) {
#if defined(CASE_RIGHT)
    handle<wire::limn_display_object_set_x>(module, [](const rt::Dynamic&, double) {});
    handle<wire::limn_display_object_get_x>(module, [](const rt::Dynamic&) { return 0.0; });
    handle<wire::limn_gfx_line_style>(
        module, [](const rt::Dynamic&, const rt::Dynamic&, int, std::optional<double>, bool,
                   wire::LineScaleMode, wire::CapsStyle caps, wire::JointStyle,
                   std::optional<double>) { (void)(caps == wire::CapsStyle::SQUARE); });
#elif defined(CASE_HANDLER_WRONG_KIND)
    // An int where the wire declares a number.
    handle<wire::limn_display_object_set_x>(module, [](const rt::Dynamic&, int) {});
#elif defined(CASE_HANDLER_WRONG_RESULT)
    handle<wire::limn_display_object_get_x>(module, [](const rt::Dynamic&) { return true; });
#elif defined(CASE_HANDLER_WRONG_ARITY)
    handle<wire::limn_display_object_set_x>(module, [](const rt::Dynamic&) {});
#elif defined(CASE_HANDLER_CONSTANT_AS_NUMBER)
    // The backend's own number for a cap instead of the wire's constant.
    handle<wire::limn_gfx_line_style>(
        module, [](const rt::Dynamic&, const rt::Dynamic&, int, std::optional<double>, bool,
                   wire::LineScaleMode, wire::CapsStyle caps, wire::JointStyle,
                   std::optional<double>) { (void)(caps == 2); });
#elif defined(CASE_UNDECLARED_PRIMITIVE)
    handle<wire::limn_display_object_set_xx>(module, [](const rt::Dynamic&, double) {});
#endif
}

}  // namespace

}  // namespace limn::native
