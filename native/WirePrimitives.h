#pragma once
// Every primitive of module "limn", once: its name, its result's kind and its
// parameters' kinds, in order. The framework calls them through
// native::Call<wire::NAME> (native/Call.h) and a backend registers its handlers
// through native::handle (native/Handler.h); both are checked against this
// list by the compiler.
//
// The list comes in parts (LIMN_WIRE_STAGE, LIMN_WIRE_DISPLAY ...), each
// answered by one part of a backend (backend/primitives/), which proves at
// compile time that it handles every primitive of its part (wire::part,
// native::handlesAll).
//
// LIMN_WIRE_PRIMITIVES(P, V) expands P(name, Result, (Kind, param)...) for a
// fixed argument count and V(name, Result, (Kind, param)...) for a primitive
// exported as "name__MULT", whose arguments cross as one array. Each parameter
// has a name: calls pass and handlers read the arguments by it.
//
// Kinds (native/WireKinds.h): Number (double), MaybeNumber (a number or null),
// Int (int), Bool, String; Handle
// (a value a primitive made), Object (a plain object read or written by field
// name), Array, Function, Any (null or a value of any kind); Enum<E> (one of the
// enumerations of native/WireConstants.h, crossing as its integer); Void (no
// result).

#include <functional>
#include <utility>

#include "native/WireConstants.h"
#include "native/WireKinds.h"

// clang-format off
// Frames, stages and the clock.
#define LIMN_WIRE_STAGE(P, V) \
    V(limn_create_main_frame, Void, (Function, onFrame), (Int, width), (Int, height), (Int, flags), (Any, title), (Any, extra)) \
    P(limn_get_frame_stage, Handle, (Handle, frame)) \
    P(limn_close, Void) \
    P(limn_get_url, Void, (String, url)) \
    P(limn_time_stamp, Number) \
    P(limn_managed_stage_create, Handle, (Int, width), (Int, height)) \
    P(limn_managed_stage_pump_event, Void, (Handle, stage), (Object, event)) \
    P(limn_set_stage_handler, Void, (Handle, stage), (Function, handler), (Int, width), (Int, height)) \
    P(limn_render_stage, Void, (Handle, stage)) \
    P(limn_stage_set_next_wake, Void, (Handle, stage), (Number, at)) \
    P(limn_stage_get_focus_id, Int, (Handle, stage)) \
    P(limn_stage_set_focus, Void, (Handle, stage), (Any, target), (Int, reserved)) \
    P(limn_stage_get_focus_rect, Int, (Handle, stage)) \
    P(limn_stage_set_focus_rect, Void, (Handle, stage), (Bool, value)) \
    P(limn_stage_is_opengl, Bool, (Handle, stage)) \
    P(limn_stage_get_stage_width, Int, (Handle, stage)) \
    P(limn_stage_get_stage_height, Int, (Handle, stage)) \
    P(limn_stage_get_dpi_scale, Number, (Handle, stage)) \
    P(limn_stage_get_scale_mode, Int, (Handle, stage)) \
    P(limn_stage_set_scale_mode, Void, (Handle, stage), (Int, value)) \
    P(limn_stage_get_align, Int, (Handle, stage)) \
    P(limn_stage_set_align, Void, (Handle, stage), (Int, value)) \
    P(limn_stage_get_quality, Int, (Handle, stage)) \
    P(limn_stage_set_quality, Void, (Handle, stage), (Int, value)) \
    P(limn_stage_get_display_state, Int, (Handle, stage)) \
    P(limn_stage_set_display_state, Void, (Handle, stage), (Int, value))

// Display objects and containers.
#define LIMN_WIRE_DISPLAY(P, V) \
    P(limn_create_display_object, Handle) \
    P(limn_create_display_object_container, Handle) \
    P(limn_display_object_get_id, Int, (Handle, object)) \
    P(limn_display_object_get_graphics, Handle, (Handle, object)) \
    P(limn_display_object_get_x, Number, (Handle, object)) \
    P(limn_display_object_set_x, Void, (Handle, object), (Number, value)) \
    P(limn_display_object_get_y, Number, (Handle, object)) \
    P(limn_display_object_set_y, Void, (Handle, object), (Number, value)) \
    P(limn_display_object_get_scale_x, Number, (Handle, object)) \
    P(limn_display_object_set_scale_x, Void, (Handle, object), (Number, value)) \
    P(limn_display_object_get_scale_y, Number, (Handle, object)) \
    P(limn_display_object_set_scale_y, Void, (Handle, object), (Number, value)) \
    P(limn_display_object_get_rotation, Number, (Handle, object)) \
    P(limn_display_object_set_rotation, Void, (Handle, object), (Number, value)) \
    P(limn_display_object_get_width, Number, (Handle, object)) \
    P(limn_display_object_set_width, Void, (Handle, object), (Number, value)) \
    P(limn_display_object_get_height, Number, (Handle, object)) \
    P(limn_display_object_set_height, Void, (Handle, object), (Number, value)) \
    P(limn_display_object_get_alpha, Number, (Handle, object)) \
    P(limn_display_object_set_alpha, Void, (Handle, object), (Number, value)) \
    P(limn_display_object_get_mouse_x, Number, (Handle, object)) \
    P(limn_display_object_get_mouse_y, Number, (Handle, object)) \
    P(limn_display_object_get_matrix, Object, (Handle, object), (Object, into), (Bool, concatenated)) \
    P(limn_display_object_set_matrix, Void, (Handle, object), (Object, matrix)) \
    P(limn_display_object_global_to_local, Object, (Handle, object), (Object, point)) \
    P(limn_display_object_local_to_global, Object, (Handle, object), (Object, point)) \
    P(limn_display_object_get_pixel_bounds, Object, (Handle, object), (Object, into)) \
    P(limn_display_object_hit_test_point, Bool, (Handle, object), (Number, x), (Number, y), (Bool, shape), (Bool, visibleOnly)) \
    P(limn_display_object_get_color_transform, Object, (Handle, object), (Object, into), (Bool, concatenated)) \
    P(limn_display_object_set_color_transform, Void, (Handle, object), (Object, transform)) \
    P(limn_display_object_get_cache_as_bitmap, Bool, (Handle, object)) \
    P(limn_display_object_set_cache_as_bitmap, Void, (Handle, object), (Bool, value)) \
    P(limn_display_object_get_visible, Bool, (Handle, object)) \
    P(limn_display_object_set_visible, Void, (Handle, object), (Bool, value)) \
    P(limn_display_object_get_name, String, (Handle, object)) \
    P(limn_display_object_set_name, Void, (Handle, object), (String, value)) \
    P(limn_display_object_get_blend_mode, Int, (Handle, object)) \
    P(limn_display_object_set_blend_mode, Void, (Handle, object), (Any, mode)) \
    P(limn_display_object_get_bg, Any, (Handle, object)) \
    P(limn_display_object_set_bg, Void, (Handle, object), (Int, value)) \
    P(limn_display_object_set_scroll_rect, Void, (Handle, object), (Any, rect)) \
    P(limn_display_object_set_scale9_grid, Void, (Handle, object), (Any, grid)) \
    P(limn_display_object_set_mask, Void, (Handle, object), (Any, mask)) \
    P(limn_display_object_set_filters, Void, (Handle, object), (Any, filters)) \
    P(limn_display_object_set_mouse_enabled, Void, (Handle, object), (Bool, value)) \
    V(limn_display_object_draw_to_surface, Void, (Handle, object), (Handle, surface), (Any, matrix), (Any, colorTransform), (Any, blendMode), (Any, clipRect)) \
    P(limn_doc_add_child, Void, (Handle, container), (Handle, child)) \
    P(limn_doc_remove_child, Void, (Handle, container), (Int, index)) \
    P(limn_doc_set_child_index, Void, (Handle, container), (Handle, child), (Int, index)) \
    P(limn_doc_swap_children, Void, (Handle, container), (Int, index1), (Int, index2))

// Drawing lists.
#define LIMN_WIRE_DRAWING(P, V) \
    P(limn_gfx_clear, Void, (Handle, gfx)) \
    P(limn_gfx_begin_fill, Void, (Handle, gfx), (Int, color), (MaybeNumber, alpha)) \
    P(limn_gfx_begin_bitmap_fill, Void, (Handle, gfx), (Handle, bitmap), (Any, matrix), (Bool, repeat), (Bool, smooth)) \
    V(limn_gfx_begin_gradient_fill, Void, (Handle, gfx), (Int, type), (Array, colors), (Array, alphas), (Array, ratios), (Any, matrix), (Int, spreadMethod), (Int, interpolationMethod), (Number, focalPointRatio)) \
    P(limn_gfx_end_fill, Void, (Handle, gfx)) \
    V(limn_gfx_line_style, Void, (Handle, gfx), (Any, thickness), (Int, color), (MaybeNumber, alpha), (Bool, pixelHinting), (Enum<LineScaleMode>, scaleMode), (Enum<CapsStyle>, caps), (Enum<JointStyle>, joints), (MaybeNumber, miterLimit)) \
    P(limn_gfx_move_to, Void, (Handle, gfx), (Number, x), (Number, y)) \
    P(limn_gfx_line_to, Void, (Handle, gfx), (Number, x), (Number, y)) \
    P(limn_gfx_curve_to, Void, (Handle, gfx), (Number, controlX), (Number, controlY), (Number, anchorX), (Number, anchorY)) \
    P(limn_gfx_arc_to, Void, (Handle, gfx), (Number, controlX), (Number, controlY), (Number, anchorX), (Number, anchorY)) \
    P(limn_gfx_draw_ellipse, Void, (Handle, gfx), (Number, x), (Number, y), (Number, radiusX), (Number, radiusY)) \
    P(limn_gfx_draw_rect, Void, (Handle, gfx), (Number, x), (Number, y), (Number, width), (Number, height)) \
    V(limn_gfx_draw_round_rect, Void, (Handle, gfx), (Number, x), (Number, y), (Number, width), (Number, height), (Number, ellipseWidth), (MaybeNumber, ellipseHeight)) \
    V(limn_gfx_draw_points, Void, (Handle, gfx), (Array, xy), (Any, pointRGBA), (Any, defaultRGBA), (Bool, reserved), (Number, size)) \
    P(limn_gfx_draw_data, Void, (Handle, gfx), (Array, data)) \
    P(limn_gfx_draw_datum, Void, (Handle, gfx), (Object, datum))

// Tile sheets, and drawing lists of tiles and triangles.
#define LIMN_WIRE_TILES(P, V) \
    P(limn_gfx_draw_tiles, Void, (Handle, gfx), (Handle, sheet), (Array, data)) \
    P(limn_gfx_draw_triangles, Void, (Handle, gfx), (Array, vertices), (Array, indices), (Any, uvtData), (Int, culling)) \
    P(limn_tilesheet_create, Handle, (Handle, bitmap)) \
    P(limn_tilesheet_add_rect, Void, (Handle, sheet), (Object, rect))

// Surfaces made and loaded.
#define LIMN_WIRE_IMAGES(P, V) \
    P(limn_bitmap_data_create, Handle, (Int, width), (Int, height), (Int, flags), (Int, rgb), (Int, alpha)) \
    P(limn_bitmap_data_load, Handle, (String, path)) \
    P(limn_bitmap_data_from_bytes, Handle, (Handle, bytes), (Any, rawAlpha)) \
    P(limn_bitmap_data_width, Int, (Handle, bitmap)) \
    P(limn_bitmap_data_height, Int, (Handle, bitmap)) \
    P(limn_bitmap_data_get_transparent, Bool, (Handle, bitmap))

// The pixels of surfaces.
#define LIMN_WIRE_PIXELS(P, V) \
    P(limn_bitmap_data_get_pixel, Int, (Handle, bitmap), (Number, x), (Number, y)) \
    P(limn_bitmap_data_get_pixel32, Int, (Handle, bitmap), (Number, x), (Number, y)) \
    P(limn_bitmap_data_get_pixel_rgba, Int, (Handle, bitmap), (Number, x), (Number, y)) \
    P(limn_bitmap_data_get_pixels, Void, (Handle, bitmap), (Object, rect), (Handle, bytes)) \
    P(limn_bitmap_data_get_color_bounds_rect, Void, (Handle, bitmap), (Number, mask), (Number, color), (Bool, findColor), (Object, into)) \
    P(limn_bitmap_data_set_pixel, Void, (Handle, bitmap), (Number, x), (Number, y), (Number, color)) \
    P(limn_bitmap_data_set_pixel32, Void, (Handle, bitmap), (Number, x), (Number, y), (Number, color)) \
    P(limn_bitmap_data_set_pixel_rgba, Void, (Handle, bitmap), (Number, x), (Number, y), (Number, color)) \
    P(limn_bitmap_data_set_bytes, Void, (Handle, bitmap), (Object, rect), (Handle, bytes)) \
    P(limn_bitmap_data_clear, Void, (Handle, bitmap), (Number, color)) \
    P(limn_bitmap_data_fill, Void, (Handle, bitmap), (Object, rect), (Number, color), (Int, alpha)) \
    P(limn_bitmap_data_scroll, Void, (Handle, bitmap), (Number, x), (Number, y)) \
    P(limn_bitmap_data_set_flags, Void, (Handle, bitmap), (Int, flags)) \
    P(limn_bitmap_data_clone, Handle, (Handle, bitmap)) \
    P(limn_bitmap_data_copy, Void, (Handle, source), (Object, sourceRect), (Handle, target), (Object, destPoint)) \
    V(limn_bitmap_data_copy_channel, Void, (Handle, source), (Object, sourceRect), (Handle, target), (Object, destPoint), (Int, sourceChannel), (Int, destChannel)) \
    V(limn_render_surface_to_surface, Void, (Handle, target), (Handle, source), (Any, matrix), (Any, colorTransform), (Any, blendMode), (Any, clipRect), (Bool, smoothing))

// Filters.
#define LIMN_WIRE_FILTERS(P, V) \
    P(limn_bitmap_data_generate_filter_rect, Void, (Object, sourceRect), (Object, filter), (Object, into))

// Byte buffers.
#define LIMN_WIRE_BYTES(P, V) \
    P(limn_byte_array_create, Handle, (Any, size)) \
    P(limn_byte_array_read_file, Handle, (String, path)) \
    P(limn_byte_array_get_length, Any, (Handle, bytes)) \
    P(limn_byte_array_get, Int, (Handle, bytes), (Number, index)) \
    P(limn_byte_array_set, Void, (Handle, bytes), (Number, index), (Int, value)) \
    P(limn_byte_array_as_string, String, (Handle, bytes)) \
    P(limn_byte_array_get_bytes, Void, (Handle, bytes), (Any, into))

// Text fields.
#define LIMN_WIRE_TEXT(P, V) \
    P(limn_text_field_create, Handle) \
    P(limn_text_field_get_text, String, (Handle, field)) \
    P(limn_text_field_set_text, Void, (Handle, field), (Any, value)) \
    P(limn_text_field_get_html_text, String, (Handle, field)) \
    P(limn_text_field_set_html_text, Void, (Handle, field), (Any, value)) \
    P(limn_text_field_get_text_color, Int, (Handle, field)) \
    P(limn_text_field_set_text_color, Void, (Handle, field), (Any, value)) \
    P(limn_text_field_get_selectable, Bool, (Handle, field)) \
    P(limn_text_field_set_selectable, Void, (Handle, field), (Bool, value)) \
    P(limn_text_field_get_type, Bool, (Handle, field)) \
    P(limn_text_field_set_type, Void, (Handle, field), (Bool, input)) \
    P(limn_text_field_get_multiline, Bool, (Handle, field)) \
    P(limn_text_field_set_multiline, Void, (Handle, field), (Bool, value)) \
    P(limn_text_field_get_word_wrap, Bool, (Handle, field)) \
    P(limn_text_field_set_word_wrap, Void, (Handle, field), (Bool, value)) \
    P(limn_text_field_get_auto_size, Int, (Handle, field)) \
    P(limn_text_field_set_auto_size, Void, (Handle, field), (Int, value)) \
    P(limn_text_field_get_border, Bool, (Handle, field)) \
    P(limn_text_field_set_border, Void, (Handle, field), (Bool, value)) \
    P(limn_text_field_get_border_color, Int, (Handle, field)) \
    P(limn_text_field_set_border_color, Void, (Handle, field), (Any, value)) \
    P(limn_text_field_get_background, Bool, (Handle, field)) \
    P(limn_text_field_set_background, Void, (Handle, field), (Bool, value)) \
    P(limn_text_field_get_background_color, Int, (Handle, field)) \
    P(limn_text_field_set_background_color, Void, (Handle, field), (Any, value)) \
    P(limn_text_field_get_text_width, Number, (Handle, field)) \
    P(limn_text_field_get_text_height, Number, (Handle, field)) \
    P(limn_text_field_get_max_scroll_v, Int, (Handle, field)) \
    P(limn_text_field_get_max_scroll_h, Int, (Handle, field)) \
    P(limn_text_field_get_bottom_scroll_v, Int, (Handle, field)) \
    P(limn_text_field_get_scroll_v, Int, (Handle, field)) \
    P(limn_text_field_set_scroll_v, Void, (Handle, field), (Int, value)) \
    P(limn_text_field_get_scroll_h, Int, (Handle, field)) \
    P(limn_text_field_set_scroll_h, Void, (Handle, field), (Int, value)) \
    P(limn_text_field_get_def_text_format, Void, (Handle, field), (Object, into)) \
    P(limn_text_field_set_def_text_format, Void, (Handle, field), (Object, format)) \
    P(limn_text_field_set_text_format, Void, (Handle, field), (Object, format), (Any, beginIndex), (Any, endIndex))

// Sounds and channels.
#define LIMN_WIRE_SOUND(P, V) \
    P(limn_sound_from_file, Handle, (String, path), (Bool, asMusic)) \
    P(limn_sound_get_status, Any, (Handle, sound)) \
    P(limn_sound_get_length, Number, (Handle, sound)) \
    P(limn_sound_get_id3, Void, (Handle, sound), (Object, into)) \
    P(limn_sound_close, Void, (Handle, sound)) \
    P(limn_sound_channel_create, Handle, (Handle, sound), (Number, startTime), (Int, loops), (Any, transform)) \
    P(limn_sound_channel_is_complete, Bool, (Handle, channel)) \
    P(limn_sound_channel_get_left, Number, (Handle, channel)) \
    P(limn_sound_channel_get_right, Number, (Handle, channel)) \
    P(limn_sound_channel_get_position, Number, (Handle, channel)) \
    P(limn_sound_channel_stop, Void, (Handle, channel)) \
    P(limn_sound_channel_set_transform, Void, (Handle, channel), (Any, transform))

#define LIMN_WIRE_PRIMITIVES(P, V) \
    LIMN_WIRE_STAGE(P, V) \
    LIMN_WIRE_DISPLAY(P, V) \
    LIMN_WIRE_DRAWING(P, V) \
    LIMN_WIRE_TILES(P, V) \
    LIMN_WIRE_IMAGES(P, V) \
    LIMN_WIRE_PIXELS(P, V) \
    LIMN_WIRE_FILTERS(P, V) \
    LIMN_WIRE_BYTES(P, V) \
    LIMN_WIRE_TEXT(P, V) \
    LIMN_WIRE_SOUND(P, V)
// clang-format on

// Helpers of the declaration below: LIMN_WIRE_EACH(m, (Kind, name)...) expands
// m(Kind, name) for each parameter (at most 12).
#define LIMN_WIRE_CAT(a, b) LIMN_WIRE_CAT_(a, b)
#define LIMN_WIRE_CAT_(a, b) a##b
#define LIMN_WIRE_COUNT(...) \
    LIMN_WIRE_COUNT_(_ __VA_OPT__(, ) __VA_ARGS__, 12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0)
#define LIMN_WIRE_COUNT_(_, a1, a2, a3, a4, a5, a6, a7, a8, a9, a10, a11, a12, n, ...) n
#define LIMN_WIRE_EACH(m, ...) \
    LIMN_WIRE_CAT(LIMN_WIRE_EACH_, LIMN_WIRE_COUNT(__VA_ARGS__))(m __VA_OPT__(, ) __VA_ARGS__)
#define LIMN_WIRE_EACH_0(m)
#define LIMN_WIRE_EACH_1(m, a) m a
#define LIMN_WIRE_EACH_2(m, a, ...) m a LIMN_WIRE_EACH_1(m, __VA_ARGS__)
#define LIMN_WIRE_EACH_3(m, a, ...) m a LIMN_WIRE_EACH_2(m, __VA_ARGS__)
#define LIMN_WIRE_EACH_4(m, a, ...) m a LIMN_WIRE_EACH_3(m, __VA_ARGS__)
#define LIMN_WIRE_EACH_5(m, a, ...) m a LIMN_WIRE_EACH_4(m, __VA_ARGS__)
#define LIMN_WIRE_EACH_6(m, a, ...) m a LIMN_WIRE_EACH_5(m, __VA_ARGS__)
#define LIMN_WIRE_EACH_7(m, a, ...) m a LIMN_WIRE_EACH_6(m, __VA_ARGS__)
#define LIMN_WIRE_EACH_8(m, a, ...) m a LIMN_WIRE_EACH_7(m, __VA_ARGS__)
#define LIMN_WIRE_EACH_9(m, a, ...) m a LIMN_WIRE_EACH_8(m, __VA_ARGS__)
#define LIMN_WIRE_EACH_10(m, a, ...) m a LIMN_WIRE_EACH_9(m, __VA_ARGS__)
#define LIMN_WIRE_EACH_11(m, a, ...) m a LIMN_WIRE_EACH_10(m, __VA_ARGS__)
#define LIMN_WIRE_EACH_12(m, a, ...) m a LIMN_WIRE_EACH_11(m, __VA_ARGS__)
#define LIMN_WIRE_KIND(kind, name) , kind
#define LIMN_WIRE_SENT(kind, name) kind::Sent name;
#define LIMN_WIRE_RECEIVED(kind, name) kind::Received name;
#define LIMN_WIRE_MOVED(kind, name) , std::move(name)

namespace limn::native::wire {

// For each primitive, a type named after it with its name, its kinds and two
// records of its arguments by name:
//   Send, what a framework call passes (native/Call.h), made with designated
//     initialisers in declaration order: {.gfx = handle, .x = 1.0, .y = 2.0};
//   Args, what a backend handler reads (native/Handler.h): a.x, a.y.
#define LIMN_WIRE_DECLARE(many, id, R, ...)                                           \
    struct id : Signature<many, R LIMN_WIRE_EACH(LIMN_WIRE_KIND, __VA_ARGS__)> {      \
        static constexpr const char* name = #id;                                      \
        struct Args {                                                                 \
            LIMN_WIRE_EACH(LIMN_WIRE_RECEIVED, __VA_ARGS__)                           \
        };                                                                            \
        struct Send {                                                                 \
            [[no_unique_address]] ByName byName = ByName();                           \
            LIMN_WIRE_EACH(LIMN_WIRE_SENT, __VA_ARGS__)                               \
            template <class F>                                                        \
            decltype(auto) apply(F&& f) && {                                          \
                return std::invoke(std::forward<F>(f)                                 \
                                       LIMN_WIRE_EACH(LIMN_WIRE_MOVED, __VA_ARGS__)); \
            }                                                                         \
        };                                                                            \
    };
#define LIMN_WIRE_DECLARE_FIXED(id, R, ...) LIMN_WIRE_DECLARE(false, id, R, __VA_ARGS__)
#define LIMN_WIRE_DECLARE_MANY(id, R, ...) LIMN_WIRE_DECLARE(true, id, R, __VA_ARGS__)
LIMN_WIRE_PRIMITIVES(LIMN_WIRE_DECLARE_FIXED, LIMN_WIRE_DECLARE_MANY)
#undef LIMN_WIRE_DECLARE_FIXED
#undef LIMN_WIRE_DECLARE_MANY
#undef LIMN_WIRE_DECLARE

// The parts of the wire, each answered by one part of a backend
// (backend/primitives/): the primitives of each, as a list of types.
namespace part {

template <class... P>
struct List {
    static constexpr std::size_t size = sizeof...(P);
};
template <class Ignored, class... P>
struct ListOf {
    using type = List<P...>;
};

#define LIMN_WIRE_LISTED(id, ...) , id
using Stage = ListOf<void LIMN_WIRE_STAGE(LIMN_WIRE_LISTED, LIMN_WIRE_LISTED)>::type;
using Display = ListOf<void LIMN_WIRE_DISPLAY(LIMN_WIRE_LISTED, LIMN_WIRE_LISTED)>::type;
using Drawing = ListOf<void LIMN_WIRE_DRAWING(LIMN_WIRE_LISTED, LIMN_WIRE_LISTED)>::type;
using Tiles = ListOf<void LIMN_WIRE_TILES(LIMN_WIRE_LISTED, LIMN_WIRE_LISTED)>::type;
using Images = ListOf<void LIMN_WIRE_IMAGES(LIMN_WIRE_LISTED, LIMN_WIRE_LISTED)>::type;
using Pixels = ListOf<void LIMN_WIRE_PIXELS(LIMN_WIRE_LISTED, LIMN_WIRE_LISTED)>::type;
using Filters = ListOf<void LIMN_WIRE_FILTERS(LIMN_WIRE_LISTED, LIMN_WIRE_LISTED)>::type;
using Bytes = ListOf<void LIMN_WIRE_BYTES(LIMN_WIRE_LISTED, LIMN_WIRE_LISTED)>::type;
using Text = ListOf<void LIMN_WIRE_TEXT(LIMN_WIRE_LISTED, LIMN_WIRE_LISTED)>::type;
using Sound = ListOf<void LIMN_WIRE_SOUND(LIMN_WIRE_LISTED, LIMN_WIRE_LISTED)>::type;
#undef LIMN_WIRE_LISTED

}  // namespace part

}  // namespace limn::native::wire
