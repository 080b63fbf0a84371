#pragma once
// Every primitive of module "limn", once: its name, its result's kind and its
// parameters' kinds, in order. The framework calls them through
// native::Call<wire::NAME> (native/Call.h) and a backend registers its handlers
// through native::Handlers (native/Handler.h); both are checked against this
// list by the compiler.
//
// LIMN_WIRE_PRIMITIVES(P, V) expands P(name, Result, Params...) for a fixed
// argument count and V(name, Result, Params...) for a primitive exported as
// "name__MULT", whose arguments cross as one array.
//
// Kinds (native/WireKinds.h): Number (double), MaybeNumber (a number or null),
// Int (int), Bool, String; Handle
// (a value a primitive made), Object (a plain object read or written by field
// name), Array, Function, Any (null or a value of any kind); Enum<E> (one of the
// enumerations of native/WireConstants.h, crossing as its integer); Void (no
// result).

#include "native/WireConstants.h"
#include "native/WireKinds.h"

// clang-format off
#define LIMN_WIRE_PRIMITIVES(P, V) \
    /* frames, stages and the clock */ \
    V(limn_create_main_frame, Void, Function, Int, Int, Int, Any, Any) \
    P(limn_get_frame_stage, Handle, Handle) \
    P(limn_close, Void) \
    P(limn_get_url, Void, String) \
    P(limn_time_stamp, Number) \
    P(limn_managed_stage_create, Handle, Int, Int) \
    P(limn_managed_stage_pump_event, Void, Handle, Object) \
    P(limn_set_stage_handler, Void, Handle, Function, Int, Int) \
    P(limn_render_stage, Void, Handle) \
    P(limn_stage_set_next_wake, Void, Handle, Number) \
    P(limn_stage_get_focus_id, Int, Handle) \
    P(limn_stage_set_focus, Void, Handle, Any, Int) \
    P(limn_stage_get_focus_rect, Int, Handle) \
    P(limn_stage_set_focus_rect, Void, Handle, Bool) \
    P(limn_stage_is_opengl, Bool, Handle) \
    P(limn_stage_get_stage_width, Int, Handle) \
    P(limn_stage_get_stage_height, Int, Handle) \
    P(limn_stage_get_dpi_scale, Number, Handle) \
    P(limn_stage_get_scale_mode, Int, Handle) \
    P(limn_stage_set_scale_mode, Void, Handle, Int) \
    P(limn_stage_get_align, Int, Handle) \
    P(limn_stage_set_align, Void, Handle, Int) \
    P(limn_stage_get_quality, Int, Handle) \
    P(limn_stage_set_quality, Void, Handle, Int) \
    P(limn_stage_get_display_state, Int, Handle) \
    P(limn_stage_set_display_state, Void, Handle, Int) \
    /* display objects and containers */ \
    P(limn_create_display_object, Handle) \
    P(limn_create_display_object_container, Handle) \
    P(limn_display_object_get_id, Int, Handle) \
    P(limn_display_object_get_graphics, Handle, Handle) \
    P(limn_display_object_get_x, Number, Handle) \
    P(limn_display_object_set_x, Void, Handle, Number) \
    P(limn_display_object_get_y, Number, Handle) \
    P(limn_display_object_set_y, Void, Handle, Number) \
    P(limn_display_object_get_scale_x, Number, Handle) \
    P(limn_display_object_set_scale_x, Void, Handle, Number) \
    P(limn_display_object_get_scale_y, Number, Handle) \
    P(limn_display_object_set_scale_y, Void, Handle, Number) \
    P(limn_display_object_get_rotation, Number, Handle) \
    P(limn_display_object_set_rotation, Void, Handle, Number) \
    P(limn_display_object_get_width, Number, Handle) \
    P(limn_display_object_set_width, Void, Handle, Number) \
    P(limn_display_object_get_height, Number, Handle) \
    P(limn_display_object_set_height, Void, Handle, Number) \
    P(limn_display_object_get_alpha, Number, Handle) \
    P(limn_display_object_set_alpha, Void, Handle, Number) \
    P(limn_display_object_get_mouse_x, Number, Handle) \
    P(limn_display_object_get_mouse_y, Number, Handle) \
    P(limn_display_object_get_matrix, Object, Handle, Object, Bool) \
    P(limn_display_object_set_matrix, Void, Handle, Object) \
    P(limn_display_object_global_to_local, Object, Handle, Object) \
    P(limn_display_object_local_to_global, Object, Handle, Object) \
    P(limn_display_object_get_pixel_bounds, Object, Handle, Object) \
    P(limn_display_object_hit_test_point, Bool, Handle, Number, Number, Bool, Bool) \
    P(limn_display_object_get_color_transform, Object, Handle, Object, Bool) \
    P(limn_display_object_set_color_transform, Void, Handle, Object) \
    P(limn_display_object_get_cache_as_bitmap, Bool, Handle) \
    P(limn_display_object_set_cache_as_bitmap, Void, Handle, Bool) \
    P(limn_display_object_get_visible, Bool, Handle) \
    P(limn_display_object_set_visible, Void, Handle, Bool) \
    P(limn_display_object_get_name, String, Handle) \
    P(limn_display_object_set_name, Void, Handle, String) \
    P(limn_display_object_get_blend_mode, Int, Handle) \
    P(limn_display_object_set_blend_mode, Void, Handle, Any) \
    P(limn_display_object_get_bg, Any, Handle) \
    P(limn_display_object_set_bg, Void, Handle, Int) \
    P(limn_display_object_set_scroll_rect, Void, Handle, Any) \
    P(limn_display_object_set_scale9_grid, Void, Handle, Any) \
    P(limn_display_object_set_mask, Void, Handle, Any) \
    P(limn_display_object_set_filters, Void, Handle, Any) \
    P(limn_display_object_set_mouse_enabled, Void, Handle, Bool) \
    V(limn_display_object_draw_to_surface, Void, Handle, Handle, Any, Any, Any, Any) \
    P(limn_doc_add_child, Void, Handle, Handle) \
    P(limn_doc_remove_child, Void, Handle, Int) \
    P(limn_doc_set_child_index, Void, Handle, Handle, Int) \
    P(limn_doc_swap_children, Void, Handle, Int, Int) \
    /* drawing lists */ \
    P(limn_gfx_clear, Void, Handle) \
    P(limn_gfx_begin_fill, Void, Handle, Int, MaybeNumber) \
    P(limn_gfx_begin_bitmap_fill, Void, Handle, Handle, Any, Bool, Bool) \
    V(limn_gfx_begin_gradient_fill, Void, Handle, Int, Array, Array, Array, Any, Int, Int, Number) \
    P(limn_gfx_end_fill, Void, Handle) \
    V(limn_gfx_line_style, Void, Handle, Any, Int, MaybeNumber, Bool, Enum<LineScaleMode>, \
      Enum<CapsStyle>, Enum<JointStyle>, MaybeNumber) \
    P(limn_gfx_move_to, Void, Handle, Number, Number) \
    P(limn_gfx_line_to, Void, Handle, Number, Number) \
    P(limn_gfx_curve_to, Void, Handle, Number, Number, Number, Number) \
    P(limn_gfx_arc_to, Void, Handle, Number, Number, Number, Number) \
    P(limn_gfx_draw_ellipse, Void, Handle, Number, Number, Number, Number) \
    P(limn_gfx_draw_rect, Void, Handle, Number, Number, Number, Number) \
    V(limn_gfx_draw_round_rect, Void, Handle, Number, Number, Number, Number, Number, MaybeNumber) \
    V(limn_gfx_draw_points, Void, Handle, Array, Any, Any, Bool, Number) \
    P(limn_gfx_draw_data, Void, Handle, Array) \
    P(limn_gfx_draw_datum, Void, Handle, Object) \
    P(limn_gfx_draw_tiles, Void, Handle, Handle, Array) \
    P(limn_gfx_draw_triangles, Void, Handle, Array, Array, Any, Int) \
    P(limn_tilesheet_create, Handle, Handle) \
    P(limn_tilesheet_add_rect, Void, Handle, Object) \
    /* surfaces */ \
    P(limn_bitmap_data_create, Handle, Int, Int, Int, Int, Int) \
    P(limn_bitmap_data_load, Handle, String) \
    P(limn_bitmap_data_from_bytes, Handle, Handle, Any) \
    P(limn_bitmap_data_width, Int, Handle) \
    P(limn_bitmap_data_height, Int, Handle) \
    P(limn_bitmap_data_get_transparent, Bool, Handle) \
    P(limn_bitmap_data_get_pixel, Int, Handle, Number, Number) \
    P(limn_bitmap_data_get_pixel32, Int, Handle, Number, Number) \
    P(limn_bitmap_data_get_pixel_rgba, Int, Handle, Number, Number) \
    P(limn_bitmap_data_get_pixels, Void, Handle, Object, Handle) \
    P(limn_bitmap_data_get_color_bounds_rect, Void, Handle, Number, Number, Bool, Object) \
    P(limn_bitmap_data_set_pixel, Void, Handle, Number, Number, Number) \
    P(limn_bitmap_data_set_pixel32, Void, Handle, Number, Number, Number) \
    P(limn_bitmap_data_set_pixel_rgba, Void, Handle, Number, Number, Number) \
    P(limn_bitmap_data_set_bytes, Void, Handle, Object, Handle) \
    P(limn_bitmap_data_clear, Void, Handle, Number) \
    P(limn_bitmap_data_fill, Void, Handle, Object, Number, Int) \
    P(limn_bitmap_data_scroll, Void, Handle, Number, Number) \
    P(limn_bitmap_data_set_flags, Void, Handle, Int) \
    P(limn_bitmap_data_clone, Handle, Handle) \
    P(limn_bitmap_data_copy, Void, Handle, Object, Handle, Object) \
    V(limn_bitmap_data_copy_channel, Void, Handle, Object, Handle, Object, Int, Int) \
    V(limn_render_surface_to_surface, Void, Handle, Handle, Any, Any, Any, Any, Bool) \
    P(limn_bitmap_data_generate_filter_rect, Void, Object, Object, Object) \
    /* byte buffers */ \
    P(limn_byte_array_create, Handle, Any) \
    P(limn_byte_array_read_file, Handle, String) \
    P(limn_byte_array_get_length, Any, Handle) \
    P(limn_byte_array_get, Int, Handle, Number) \
    P(limn_byte_array_set, Void, Handle, Number, Int) \
    P(limn_byte_array_as_string, String, Handle) \
    P(limn_byte_array_get_bytes, Void, Handle, Any) \
    /* text fields */ \
    P(limn_text_field_create, Handle) \
    P(limn_text_field_get_text, String, Handle) \
    P(limn_text_field_set_text, Void, Handle, Any) \
    P(limn_text_field_get_html_text, String, Handle) \
    P(limn_text_field_set_html_text, Void, Handle, Any) \
    P(limn_text_field_get_text_color, Int, Handle) \
    P(limn_text_field_set_text_color, Void, Handle, Any) \
    P(limn_text_field_get_selectable, Bool, Handle) \
    P(limn_text_field_set_selectable, Void, Handle, Bool) \
    P(limn_text_field_get_type, Bool, Handle) \
    P(limn_text_field_set_type, Void, Handle, Bool) \
    P(limn_text_field_get_multiline, Bool, Handle) \
    P(limn_text_field_set_multiline, Void, Handle, Bool) \
    P(limn_text_field_get_word_wrap, Bool, Handle) \
    P(limn_text_field_set_word_wrap, Void, Handle, Bool) \
    P(limn_text_field_get_auto_size, Int, Handle) \
    P(limn_text_field_set_auto_size, Void, Handle, Int) \
    P(limn_text_field_get_border, Bool, Handle) \
    P(limn_text_field_set_border, Void, Handle, Bool) \
    P(limn_text_field_get_border_color, Int, Handle) \
    P(limn_text_field_set_border_color, Void, Handle, Any) \
    P(limn_text_field_get_background, Bool, Handle) \
    P(limn_text_field_set_background, Void, Handle, Bool) \
    P(limn_text_field_get_background_color, Int, Handle) \
    P(limn_text_field_set_background_color, Void, Handle, Any) \
    P(limn_text_field_get_text_width, Number, Handle) \
    P(limn_text_field_get_text_height, Number, Handle) \
    P(limn_text_field_get_max_scroll_v, Int, Handle) \
    P(limn_text_field_get_max_scroll_h, Int, Handle) \
    P(limn_text_field_get_bottom_scroll_v, Int, Handle) \
    P(limn_text_field_get_scroll_v, Int, Handle) \
    P(limn_text_field_set_scroll_v, Void, Handle, Int) \
    P(limn_text_field_get_scroll_h, Int, Handle) \
    P(limn_text_field_set_scroll_h, Void, Handle, Int) \
    P(limn_text_field_get_def_text_format, Void, Handle, Object) \
    P(limn_text_field_set_def_text_format, Void, Handle, Object) \
    P(limn_text_field_set_text_format, Void, Handle, Object, Any, Any) \
    /* sounds and channels */ \
    P(limn_sound_from_file, Handle, String, Bool) \
    P(limn_sound_get_status, Any, Handle) \
    P(limn_sound_get_length, Number, Handle) \
    P(limn_sound_get_id3, Void, Handle, Object) \
    P(limn_sound_close, Void, Handle) \
    P(limn_sound_channel_create, Handle, Handle, Number, Int, Any) \
    P(limn_sound_channel_is_complete, Bool, Handle) \
    P(limn_sound_channel_get_left, Number, Handle) \
    P(limn_sound_channel_get_right, Number, Handle) \
    P(limn_sound_channel_get_position, Number, Handle) \
    P(limn_sound_channel_stop, Void, Handle) \
    P(limn_sound_channel_set_transform, Void, Handle, Any)
// clang-format on

namespace limn::native::wire {

#define LIMN_WIRE_DECLARE_FIXED(id, R, ...)                      \
    struct id : Signature<false, R __VA_OPT__(, ) __VA_ARGS__> { \
        static constexpr const char* name = #id;                 \
    };
#define LIMN_WIRE_DECLARE_MANY(id, R, ...)                      \
    struct id : Signature<true, R __VA_OPT__(, ) __VA_ARGS__> { \
        static constexpr const char* name = #id;                \
    };
LIMN_WIRE_PRIMITIVES(LIMN_WIRE_DECLARE_FIXED, LIMN_WIRE_DECLARE_MANY)
#undef LIMN_WIRE_DECLARE_FIXED
#undef LIMN_WIRE_DECLARE_MANY

}  // namespace limn::native::wire
