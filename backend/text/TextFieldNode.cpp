#include "backend/text/TextFieldNode.h"

#include <algorithm>
#include <cmath>

#include "backend/scene/StageLink.h"
#include "backend/text/TextMarkup.h"
#include "native/EventRecord.h"

namespace limn::sdl {

namespace {

enum Key {
    kBackspace = 8,
    kEnter = 13,
    kEnd = 35,
    kHome = 36,
    kLeft = 37,
    kUp = 38,
    kRight = 39,
    kDown = 40,
    kDelete = 46,
    kKeyA = 65,
    kKeyC = 67,
    kKeyV = 86,
    kKeyX = 88
};
constexpr int kShift = 0x0002;
constexpr int kCtrl = 0x0004;
constexpr int kCommand = 0x0010;

double finiteOr(double v, double fallback) {
    return std::isfinite(v) ? v : fallback;
}

struct Rgb {
    double r, g, b, a;
};

Rgb through(std::uint32_t rgb, const ColorXf& c) {
    return {c.red(((rgb >> 16) & 0xFF) / 255.0), c.green(((rgb >> 8) & 0xFF) / 255.0),
            c.blue((rgb & 0xFF) / 255.0), c.alpha(1.0)};
}

CanvasPaint paintOf(std::uint32_t rgb, const ColorXf& color) {
    const Rgb c = through(rgb, color);
    return CanvasPaint::solid({c.r, c.g, c.b, c.a});
}

}  // namespace

TextFieldNode::TextFieldNode() : SceneNode(NodeKind::Interactive) {}

void TextFieldNode::setText(const std::string& utf8) {
    changed();
    content_.assign(TextContent::fromUtf8(utf8), default_);
    contentChanged();
}

std::string TextFieldNode::htmlText() const {
    return TextMarkup::write(content_, default_);
}

void TextFieldNode::setHtmlText(const std::string& html) {
    changed();
    TextMarkup::read(html, default_, content_);
    contentChanged();
}

std::uint32_t TextFieldNode::textColor() const {
    return content_.styleAt(0, default_).color;
}

void TextFieldNode::setTextColor(std::uint32_t rgb) {
    changed();
    TextPatch patch;
    patch.color = rgb & 0xFFFFFF;
    patch.applyCharacterFormat(default_);
    content_.format(0, content_.size(), patch);
    contentChanged();
}

void TextFieldNode::setDefaultFormat(const TextPatch& patch) {
    changed();
    patch.applyCharacterFormat(default_);
    patch.applyParagraphFormat(default_);
    // An empty text shows (and sizes) its caret line in the default format.
    if (content_.empty()) {
        layout_.invalidate();
        contentChanged();
    }
}

void TextFieldNode::setTextFormat(const TextPatch& patch, int begin, int end) {
    changed();
    // Wide arithmetic: the indices may be anywhere in int's range.
    const auto size = static_cast<std::int64_t>(content_.size());
    std::int64_t first = begin;
    std::int64_t last = end;
    if (first < 0) {
        first = 0;
        last = size;
    } else if (last < 0) {
        last = first + 1;
    }
    if (first >= last && size > 0) return;
    content_.format(static_cast<std::size_t>(std::min(first, size)),
                    static_cast<std::size_t>(std::min(last, size)), patch);
    contentChanged();
}

void TextFieldNode::setInput(bool input) {
    changed();
    input_ = input;
}

void TextFieldNode::setWordWrap(bool wrap) {
    changed();
    if (wrap == wordWrap_) return;
    wordWrap_ = wrap;
    contentChanged();
}

void TextFieldNode::setAutoSize(int mode) {
    changed();
    autoSize_ = std::clamp(mode, 0, 3);
    contentChanged();
}

void TextFieldNode::contentChanged() {
    editor_.clamp(content_.size());
    // Auto-sizing moves the box at once, so its size reads right straight away.
    if (autoSize_ != kAutoNone) layOut();
    invalidateBounds();
}

void TextFieldNode::layOut() {
    for (int pass = 0; pass < 2; ++pass) {
        layout_.update(content_, default_, boxWidth_ - 2 * kGutter, wordWrap_);
        if (autoSize_ == kAutoNone) return;
        const double height = std::ceil(layout_.textHeight()) + 2 * kGutter;
        const double width = wordWrap_ ? boxWidth_ : std::ceil(layout_.extentWidth()) + 2 * kGutter;
        if (height != boxHeight_) {
            boxHeight_ = height;
            invalidateBounds();
        }
        if (width == boxWidth_) return;
        const double grow = width - boxWidth_;
        if (autoSize_ == kAutoRight) setX(x() - grow * scaleX());
        if (autoSize_ == kAutoCenter) setX(x() - grow * scaleX() / 2);
        boxWidth_ = width;
        invalidateBounds();
    }
}

double TextFieldNode::textWidth() {
    layOut();
    return layout_.textWidth();
}

double TextFieldNode::textHeight() {
    layOut();
    return layout_.textHeight();
}

int TextFieldNode::maxScrollV() {
    layOut();
    const auto& lines = layout_.lines();
    if (lines.empty()) return 1;
    const double room = boxHeight_ - 2 * kGutter;
    const double bottom = lines.back().top + lines.back().height;
    std::size_t first = lines.size() - 1;
    while (first > 0 && bottom - lines[first - 1].top <= room) --first;
    return static_cast<int>(first) + 1;
}

int TextFieldNode::bottomScrollV() {
    layOut();
    const auto& lines = layout_.lines();
    if (lines.empty()) return 1;
    const int top = scrollV();
    const double start = lines[static_cast<std::size_t>(top - 1)].top;
    const double room = boxHeight_ - 2 * kGutter;
    std::size_t last = static_cast<std::size_t>(top - 1);
    while (last + 1 < lines.size() && lines[last + 1].top + lines[last + 1].height - start <= room)
        ++last;
    return static_cast<int>(last) + 1;
}

int TextFieldNode::maxScrollH() {
    layOut();
    if (wordWrap_) return 0;
    return static_cast<int>(
        std::max(0.0, std::ceil(layout_.extentWidth() - (boxWidth_ - 2 * kGutter))));
}

int TextFieldNode::scrollV() {
    return std::clamp(scrollV_, 1, maxScrollV());
}

int TextFieldNode::scrollH() {
    return static_cast<int>(std::clamp(scrollH_, 0.0, static_cast<double>(maxScrollH())));
}

void TextFieldNode::setScrollV(int line) {
    changed();
    scrollV_ = std::clamp(line, 1, maxScrollV());
}

void TextFieldNode::setScrollH(int pixels) {
    changed();
    scrollH_ = std::clamp(pixels, 0, maxScrollH());
}

void TextFieldNode::setWidth(double w) {
    changed();
    const double scale = std::fabs(scaleX()) > 0 ? std::fabs(scaleX()) : 1.0;
    boxWidth_ = std::clamp(finiteOr(w, 0) / scale, 0.0, 1e6);
    contentChanged();
}

void TextFieldNode::setHeight(double h) {
    changed();
    const double scale = std::fabs(scaleY()) > 0 ? std::fabs(scaleY()) : 1.0;
    boxHeight_ = std::clamp(finiteOr(h, 0) / scale, 0.0, 1e6);
    contentChanged();
}

Bounds TextFieldNode::contentBounds() {
    return Bounds::of(0, 0, boxWidth_, boxHeight_);
}

bool TextFieldNode::hitContent(double localX, double localY) {
    return contentBounds().contains(localX, localY);
}

void TextFieldNode::drawContent(Canvas& canvas, const RenderState& state) {
    layOut();
    const ColorXf& color = state.color;
    canvas.save();
    if (background) {
        CanvasPath box;
        box.rect(0, 0, boxWidth_, boxHeight_);
        canvas.fill(box, paintOf(backgroundColor, color), FillRule::EvenOdd);
    }
    canvas.clipRect(0, 0, boxWidth_, boxHeight_);
    canvas.save();
    const auto& lines = layout_.lines();
    const double top = lines.empty() ? 0 : lines[static_cast<std::size_t>(scrollV() - 1)].top;
    canvas.setTransform(canvas.transform() *
                        Affine::translation(kGutter - scrollH(), kGutter - top));
    const bool showSelection = focused_ && editor_.hasSelection();
    layout_.draw(canvas, color, showSelection ? editor_.selectionBegin() : 0,
                 showSelection ? editor_.selectionEnd() : 0);
    if (focused_ && input_) {
        const Bounds caret = layout_.caretAt(editor_.caret());
        const std::uint32_t ink =
            content_.styleAt(editor_.caret() > 0 ? editor_.caret() - 1 : 0, default_).color;
        CanvasPath bar;
        bar.rect(std::floor(caret.x0), caret.y0, 1, caret.height());
        canvas.fill(bar, paintOf(ink, color), FillRule::Winding);
    }
    canvas.restore();
    canvas.restore();
    if (border) {
        CanvasPath box;
        box.rect(0.5, 0.5, std::max(0.0, boxWidth_ - 1), std::max(0.0, boxHeight_ - 1));
        canvas.stroke(box, paintOf(borderColor, color), StrokeStyle{});
    }
}

void TextFieldNode::focusChanged(bool focused) {
    changed();
    focused_ = focused;
    if (!focused) return;
    layOut();
    // A click puts the caret under the pointer; any other focus puts it at the end.
    std::size_t at = content_.size();
    if (auto* stage = dynamic_cast<StageLink*>(root())) {
        const Affine toLocal = concatenatedMatrix().inverse();
        const double px = stage->pointerStageX();
        const double py = stage->pointerStageY();
        const double x = toLocal.mapX(px, py);
        const double y = toLocal.mapY(px, py);
        if (hitContent(x, y)) {
            const auto& lines = layout_.lines();
            const double top =
                lines.empty() ? 0 : lines[static_cast<std::size_t>(scrollV() - 1)].top;
            at = layout_.indexAt(x - kGutter + scrollH(), y - kGutter + top);
        }
    }
    editor_.moveTo(at, false, content_.size());
}

void TextFieldNode::keyInput(int keyCode, int, bool down, int flags) {
    changed();
    if (!down || !input_ || !focused_) return;
    const bool shift = flags & kShift;
    const bool command = flags & (kCtrl | kCommand);
    bool changed = false;
    switch (keyCode) {
        case kBackspace:
            changed = editor_.backspace(content_);
            break;
        case kDelete:
            changed = editor_.deleteForward(content_);
            break;
        case kLeft:
            editor_.left(shift);
            break;
        case kRight:
            editor_.right(shift, content_.size());
            break;
        case kUp:
            moveVertically(-1, shift);
            break;
        case kDown:
            moveVertically(1, shift);
            break;
        case kHome:
            moveToLineEdge(false, shift);
            break;
        case kEnd:
            moveToLineEdge(true, shift);
            break;
        case kEnter:
            if (multiline_) changed = editor_.insert(content_, U"\n", default_);
            break;
        case kKeyA:
            if (command) editor_.select(0, content_.size(), content_.size());
            break;
        case kKeyC:
            if (command) copySelection();
            break;
        case kKeyX:
            if (command) {
                copySelection();
                changed = editor_.eraseSelection(content_);
            }
            break;
        case kKeyV:
            if (command) changed = paste();
            break;
        default:
            break;
    }
    if (changed) userEdited();
    scrollToCaret();
}

void TextFieldNode::textInput(const std::string& utf8) {
    changed();
    if (!input_ || !focused_) return;
    const std::u32string typed = filtered(TextContent::fromUtf8(utf8));
    if (typed.empty()) return;
    if (editor_.insert(content_, typed, default_)) userEdited();
    scrollToCaret();
}

std::u32string TextFieldNode::filtered(std::u32string text) const {
    std::erase_if(text, [this](char32_t c) {
        return (c < 0x20 && !(c == U'\n' && multiline_)) || c == 0x7F;
    });
    return text;
}

void TextFieldNode::userEdited() {
    contentChanged();
    auto* stage = dynamic_cast<StageLink*>(root());
    if (!stage) return;
    auto record = std::make_shared<native::EventRecord>();
    record->type = kChangeEvent;
    record->id = id();
    stage->deliver(rt::Dynamic(record));
}

void TextFieldNode::scrollToCaret() {
    layOut();
    const auto& lines = layout_.lines();
    if (lines.empty()) return;
    const auto line = static_cast<int>(layout_.lineOf(editor_.caret())) + 1;
    if (line < scrollV()) setScrollV(line);
    while (line > bottomScrollV() && scrollV() < maxScrollV()) setScrollV(scrollV() + 1);
    const Bounds caret = layout_.caretAt(editor_.caret());
    const double room = boxWidth_ - 2 * kGutter;
    if (caret.x0 < scrollH_) scrollH_ = std::max(0.0, caret.x0);
    if (caret.x0 + 1 > scrollH_ + room) scrollH_ = caret.x0 + 1 - room;
    scrollH_ = std::clamp(scrollH_, 0.0, static_cast<double>(maxScrollH()));
}

void TextFieldNode::moveVertically(int lines, bool extend) {
    layOut();
    const auto& all = layout_.lines();
    if (all.empty()) return;
    const auto current = static_cast<long>(layout_.lineOf(editor_.caret()));
    const long target = std::clamp(current + lines, 0L, static_cast<long>(all.size()) - 1);
    if (target == current) {
        editor_.moveTo(lines < 0 ? 0 : content_.size(), extend, content_.size());
        return;
    }
    const Bounds caret = layout_.caretAt(editor_.caret());
    const auto& line = all[static_cast<std::size_t>(target)];
    editor_.moveTo(layout_.indexAt(caret.x0, line.top + line.height / 2), extend, content_.size());
}

void TextFieldNode::moveToLineEdge(bool end, bool extend) {
    layOut();
    const auto& all = layout_.lines();
    if (all.empty()) return;
    const auto& line = all[layout_.lineOf(editor_.caret())];
    std::size_t at = end ? line.end : line.begin;
    // A wrapped line ends with the space that wrapped it; stop before it.
    if (end && at > line.begin && at < content_.size() && content_.text()[at] != U'\n' &&
        content_.text()[at - 1] == U' ') {
        --at;
    }
    editor_.moveTo(at, extend, content_.size());
}

void TextFieldNode::copySelection() {
    if (!editor_.hasSelection()) return;
    const std::u32string_view all = content_.text();
    const std::string text = TextContent::toUtf8(
        all.substr(editor_.selectionBegin(), editor_.selectionEnd() - editor_.selectionBegin()));
    if (auto* stage = dynamic_cast<StageLink*>(root())) stage->setClipboardText(text);
}

bool TextFieldNode::paste() {
    auto* stage = dynamic_cast<StageLink*>(root());
    if (!stage) return false;
    const std::u32string text = filtered(TextContent::fromUtf8(stage->clipboardText()));
    return editor_.insert(content_, text, default_);
}

}  // namespace limn::sdl
