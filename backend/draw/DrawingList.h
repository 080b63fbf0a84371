#pragma once
// The drawing list of one display object, the native side of Graphics: fills,
// line styles and path commands in the owner's local coordinates, drawn with
// the owner on every frame until clear().
//
// Paths drawn while a fill is open are filled (even-odd) when the fill ends,
// when another fill begins, or at the end of the list; lines are stroked with
// the line style current when each segment was added, on top of the fill.
// Other parts of the backend add their own commands (tiles, triangles) with
// add(); such a command draws with the fill open when it was added.
//
// The handle returned by "limn_display_object_get_graphics" is the node's
// DrawingList; its owner keeps it alive.

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "backend/base/Geometry.h"
#include "backend/draw/DrawStyle.h"
#include "backend/draw/Paint.h"
#include "backend/draw/RenderState.h"
#include "backend/image/Surface.h"
#include "backend/scene/Canvas.h"

namespace limn::sdl {

// A command of another part of the backend.
class DrawCommand {
public:
    virtual ~DrawCommand() = default;
    // The canvas's transform maps local coordinates to device pixels, as
    // state.matrix.
    virtual void draw(Canvas& canvas, const FillStyle& fill, const RenderState& state) = 0;
    [[nodiscard]] virtual Bounds bounds() const = 0;
    [[nodiscard]] virtual bool hit(double x, double y) const { return bounds().contains(x, y); }
};

class DrawingList final : public rt::NativeObject {
public:
    DrawingList();
    ~DrawingList() override;
    DrawingList(const DrawingList&) = delete;
    DrawingList& operator=(const DrawingList&) = delete;

    static DrawingList* from(const rt::Dynamic& handle) { return handle.handleAs<DrawingList>(); }

    void clear();
    void beginFill(std::uint32_t rgb, double alpha);
    void beginFill(FillStyle fill);
    void endFill();
    void lineStyle(const LineStyle& line);
    void moveTo(double x, double y);
    void lineTo(double x, double y);
    void curveTo(double cx, double cy, double x, double y);
    void arcTo(double cx, double cy, double x, double y);
    void drawRect(double x, double y, double w, double h);
    void drawRoundRect(double x, double y, double w, double h, double ew, double eh);
    // The box (x, y, w, h); negative sizes draw towards the other side.
    void drawEllipse(double x, double y, double w, double h);
    void add(std::shared_ptr<DrawCommand> command);

    [[nodiscard]] bool empty() const;
    // Called after every change; the owning node uses it to drop cached bounds.
    // (A plain function and its owner: a list per node keeps no closure.)
    using ChangeListener = void (*)(void* owner);
    void setChangeListener(ChangeListener listener, void* owner) {
        listener_ = listener;
        owner_ = owner;
    }
    // Bumped by every change.
    [[nodiscard]] std::uint64_t version() const { return version_; }

    // Local box of everything drawn, lines included.
    [[nodiscard]] Bounds bounds();
    // Whether (x, y) lies in a filled area (any alpha) or on a line.
    [[nodiscard]] bool hit(double x, double y);
    // The canvas's transform is state.matrix.
    void draw(Canvas& canvas, const RenderState& state);
    // The picture when the list is one bitmap fill of a rectangle exactly its
    // size at the origin, without matrix, repeat or line (what a Bitmap makes).
    [[nodiscard]] const FillStyle* singleBitmap();

    struct Command;
    struct Op;

private:
    void touch();
    void compile();
    // Turns the commands into ops and finds the single bitmap.
    void build();
    // Whether the commands are exactly a fill with the single bitmap, a
    // rectangle its size at the origin, and the fill's end.
    [[nodiscard]] bool picturesOnly() const;
    // Back from the picture to the commands it stands for, unchanged.
    void expand();
    // The single bitmap drawn from the picture alone, as its op would draw it.
    void drawPicture(Canvas& canvas, const RenderState& state);

    std::vector<Command> commands_;
    std::vector<Op> ops_;
    // A list that is one picture (what a Bitmap makes, and most lists are)
    // keeps only that, not its commands and ops: set, they are empty, and
    // bounds_ is the rectangle. Any change first turns it back into its commands.
    struct Picture {
        std::shared_ptr<FillStyle> fill;
        std::unique_ptr<FillCache> tint;  // made when first drawn tinted
    };
    Picture picture_;
    Bounds bounds_;
    std::uint64_t version_ = 1;
    std::uint64_t compiled_ = 0;
    const FillStyle* single_ = nullptr;
    ChangeListener listener_ = nullptr;
    void* owner_ = nullptr;
};

}  // namespace limn::sdl
