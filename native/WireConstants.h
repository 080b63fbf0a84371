#pragma once
// Every constant that crosses the wire, once: the codes of the event record
// the backend hands the stage, the main frame's window flags, and the
// enumerations whose values cross as their integers (blend modes, line caps,
// joints and scale modes, gradient settings, triangle culling, the stage's
// settings, text auto-size). The framework exposes them under its own names as
// aliases of these (Lib::FULLSCREEN, display::BlendMode, ManagedStage::etPoll);
// recorded sessions store the integers, so a value never changes meaning.

namespace limn::native {

// The codes of an event record's `type` and the bits of its `flags`. A class
// that derives from EventCodes (Stage, MouseEvent) has them as its members.
struct EventCodes {
    enum EventType : int {
        etUnknown = 0,
        etKeyDown = 1,
        etChar = 2,
        etKeyUp = 3,
        etMouseMove = 4,
        etMouseDown = 5,
        etMouseClick = 6,
        etMouseUp = 7,
        etResize = 8,
        etPoll = 9,
        etQuit = 10,
        etFocus = 11,
        etShouldRotate = 12,
        etDestroyHandler = 13,
        etRedraw = 14,
        etTouchBegin = 15,
        etTouchMove = 16,
        etTouchEnd = 17,
        etTouchTap = 18,
        etChange = 19,
    };

    enum EventFlag : int {
        efLeftDown = 0x0001,
        efShiftDown = 0x0002,
        efCtrlDown = 0x0004,
        efAltDown = 0x0008,
        efCommandDown = 0x0010,
        efMiddleDown = 0x0020,
        efRightDown = 0x0040,
        efLocationRight = 0x4000,
        efPrimaryTouch = 0x8000,
    };
};

// The same codes as plain names, for code that reads many of them
// (`using namespace native::codes;` in a source file).
namespace codes {
using EventType = EventCodes::EventType;
using EventFlag = EventCodes::EventFlag;
using enum EventCodes::EventType;
using enum EventCodes::EventFlag;
}  // namespace codes

// The flags of "limn_create_main_frame". Lib derives from WindowFlags.
struct WindowFlags {
    static constexpr int FULLSCREEN = 0x01;
    static constexpr int BORDERLESS = 0x02;
    static constexpr int RESIZABLE = 0x04;
    static constexpr int HARDWARE = 0x08;
    static constexpr int VSYNC = 0x10;
};

}  // namespace limn::native

namespace limn::native::wire {

// How a display object is blended with what lies under it (its index crosses).
enum class BlendMode {
    NORMAL,
    LAYER,
    MULTIPLY,
    SCREEN,
    LIGHTEN,
    DARKEN,
    DIFFERENCE,
    ADD,
    SUBTRACT,
    INVERT,
    ALPHA,
    ERASE,
    OVERLAY,
    HARDLIGHT,
};

// How open line ends are drawn.
enum class CapsStyle { ROUND = 0, NONE = 1, SQUARE = 2 };
// How line segments are joined at corners.
enum class JointStyle { ROUND = 0, MITER = 1, BEVEL = 2 };
// Which scalings of the object also scale its line thickness.
enum class LineScaleMode { NORMAL = 0, NONE = 1, VERTICAL = 2, HORIZONTAL = 3 };

// The shape of a gradient fill.
enum class GradientType { RADIAL = 0, LINEAR = 1 };
// How a gradient continues past its ends.
enum class SpreadMethod { PAD = 0, REPEAT = 1, REFLECT = 2 };
// The colour space a gradient is interpolated in.
enum class InterpolationMethod { RGB = 0, LINEAR_RGB = 1 };
// Which triangles drawTriangles leaves out, by winding.
enum class TriangleCulling { NEGATIVE = -1, NONE = 0, POSITIVE = 1 };

// How the stage content scales with the window.
enum class StageScaleMode { SHOW_ALL, NO_SCALE, NO_BORDER, EXACT_FIT };
// Where the stage content sits in the window.
enum class StageAlign { TOP_RIGHT, TOP_LEFT, TOP, RIGHT, LEFT, BOTTOM_RIGHT, BOTTOM_LEFT, BOTTOM };
// Rendering quality.
enum class StageQuality { LOW, MEDIUM, HIGH, BEST };
// Window or full screen.
enum class StageDisplayState { NORMAL, FULL_SCREEN, FULL_SCREEN_INTERACTIVE };

// How a text field resizes to its text.
enum class TextFieldAutoSize { CENTER = 0, LEFT = 1, NONE = 2, RIGHT = 3 };

}  // namespace limn::native::wire
