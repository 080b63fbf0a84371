// The page the text test drives: text fields laid out and drawn through the page's
// shaper (backend/web/text) on the page's canvas in the first frame, their widths,
// line counts and caret printed ("text: ..."); tests/web/check-text.js compares them
// with the desktop's and reads the pixels. The Quicksand face is a file in the
// page's files, as the game's fonts are.
#include <cstdio>
#include <memory>
#include <string>

#include "backend/text/TextFieldNode.h"
#include "backend/web/PageShell.h"
#include "backend/web/raster/WebCanvas.h"

using namespace limn::sdl;
using limn::web::raster::WebCanvas;

namespace {

constexpr const char* kPangram = "The quick brown fox jumps over the lazy dog";
constexpr const char* kParagraph =
    "Moles pop out of twenty-three holes, more and more often as time passes, at most "
    "five at a time. A press on a mole that is up scores ten points, fifteen for the "
    "rarer golden alpha mole, squeaks and turns it into a puff of cloud; moles left "
    "alone duck back down.";

struct Placed {
    std::unique_ptr<TextFieldNode> field;
    double x = 0;
    double y = 0;
};

Placed field(const std::string& text, double x, double y, double width, double height,
             const TextPatch& format, bool wrap) {
    Placed placed{std::make_unique<TextFieldNode>(), x, y};
    TextFieldNode& f = *placed.field;
    f.setDefaultFormat(format);
    f.setWordWrap(wrap);
    f.setMultiline(wrap);
    f.setWidth(width);
    f.setHeight(height);
    f.setText(text);
    return placed;
}

void draw(WebCanvas& canvas, Placed& placed, double scale) {
    canvas.save();
    const Affine matrix{scale, 0, 0, scale, placed.x * scale, placed.y * scale};
    canvas.setTransform(matrix);
    RenderState state;
    state.matrix = matrix;
    placed.field->drawContent(canvas, state);
    canvas.restore();
}

void drawAll(WebCanvas& canvas, double scale) {
    canvas.setTransform({});
    canvas.fill(
        [&] {
            CanvasPath all;
            all.rect(0, 0, canvas.width(), canvas.height());
            return all;
        }(),
        CanvasPaint::solid({1, 1, 1, 1}), FillRule::Winding);

    TextPatch sans;
    Placed small = field(kPangram, 10, 10, 300, 20, sans, false);
    TextPatch big;
    big.size = 24;
    big.bold = true;
    Placed large = field(kPangram, 10, 40, 600, 40, big, false);
    TextPatch quick;
    quick.font = "/fonts/Quicksand-Regular.ttf";
    quick.size = 20;
    Placed shipped = field(kPangram, 10, 90, 600, 30, quick, false);
    TextPatch typewriter;
    typewriter.font = "_typewriter";
    typewriter.size = 14;
    Placed mono = field("monospace 0123", 10, 130, 300, 20, typewriter, false);
    Placed wrapped = field(kParagraph, 10, 160, 200, 160, sans, true);

    TextPatch input;
    input.size = 16;
    input.color = 0x000080;
    Placed selected = field("Selected text", 10, 340, 200, 24, input, false);
    selected.field->setInput(true);
    selected.field->focusChanged(true);
    for (int i = 0; i < 4; ++i) selected.field->keyInput(37, 0, true, 0x0002);  // shift + left
    Placed caret = field("Caret", 10, 380, 200, 24, input, false);
    caret.field->setInput(true);
    caret.field->focusChanged(true);

    for (Placed* p : {&small, &large, &shipped, &mono, &wrapped, &selected, &caret}) {
        draw(canvas, *p, scale);
    }
    std::printf("text: width sans12 %.3f\n", small.field->textWidth());
    std::printf("text: width bold24 %.3f\n", large.field->textWidth());
    std::printf("text: width quicksand20 %.3f\n", shipped.field->textWidth());
    std::printf("text: height sans12 %.3f\n", small.field->textHeight());
    std::printf(
        "text: lines paragraph %d\n",
        wrapped.field->maxScrollV() + wrapped.field->bottomScrollV() - wrapped.field->scrollV());
    std::printf("text: width selected %.3f\n", selected.field->textWidth());
    std::printf("text: width caret %.3f\n", caret.field->textWidth());
}

bool drawn = false;

void onFrame(double) {
    if (drawn) return;
    drawn = true;
    {
        auto canvas = WebCanvas::page();
        drawAll(*canvas, limn::web::PageShell::instance().pixelRatio());
    }
    std::printf("text: drew\n");
}

}  // namespace

int main() {
    limn::web::PageShell::instance().start([](const limn::native::EventRecord&) {}, onFrame);
    return 0;
}
