#include "backend/text/TextLayout.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <limits>

#include "backend/base/Utf8.h"
#include "runtime/Log.h"

namespace limn::sdl {

namespace {

Rgba transformed(std::uint32_t rgb, const ColorXf& color) {
    return {color.red(((rgb >> 16) & 0xFF) / 255.0), color.green(((rgb >> 8) & 0xFF) / 255.0),
            color.blue((rgb & 0xFF) / 255.0), color.alpha(1.0)};
}

// The rows of the text area the canvas's clip may show (all of them when the
// clip is unbounded or the transform can't be undone).
std::pair<double, double> clipRows(const Canvas& canvas) {
    constexpr double kAll = std::numeric_limits<double>::infinity();
    const Bounds clip = canvas.clipExtents();
    const Affine back = canvas.transform().inverse();
    double y0 = kAll;
    double y1 = -kAll;
    for (const double x : {clip.x0, clip.x1}) {
        for (const double y : {clip.y0, clip.y1}) {
            y0 = std::min(y0, back.mapY(x, y));
            y1 = std::max(y1, back.mapY(x, y));
        }
    }
    if (!std::isfinite(y0) || !std::isfinite(y1)) return {-kAll, kAll};
    return {y0, y1};
}

CanvasPath box(double x, double y, double w, double h) {
    CanvasPath path;
    path.rect(x, y, w, h);
    return path;
}

}  // namespace

void TextLayout::update(const TextContent& content, const TextStyle& fallback, double width,
                        bool wrap) {
    if (content_ == &content && version_ == content.version() && width_ == width && wrap_ == wrap) {
        return;
    }
    content_ = &content;
    fallback_ = fallback;
    version_ = content.version();
    width_ = width;
    wrap_ = wrap;
    build(content, fallback);
    measure();
    ++layoutCount_;
}

bool TextLayout::hasLongWord(const TextContent& content, const TextContent::Paragraph& p) {
    std::size_t run = 0;
    for (std::size_t i = p.begin; i < p.end; ++i) {
        const char32_t c = content.text()[i];
        run = c == U' ' || c == U'\t' || c == 0x3000 ? 0 : run + 1;
        if (run > kLongWord) return true;
    }
    return false;
}

std::vector<TextLayout::Span> TextLayout::spans(const TextContent& content,
                                                const TextStyle& fallback) const {
    std::vector<Span> out;
    const bool wraps = wrap_ && width_ > 0;
    for (std::size_t k = 0; k < paragraphs_.size(); ++k) {
        const TextContent::Paragraph& p = paragraphs_[k];
        const TextStyle& para = content.styleAt(p.begin, fallback);
        // Each character may start a line this high, or widen its line by as much.
        const double perChar = para.size * 1.5 + std::max(para.leading, 0.0) + 1;
        const double cost = static_cast<double>(p.end - p.begin + 1) * perChar;
        // A shaper may wrap a very long word in time that grows with its
        // square (pango does), but wraps at any character in linear time.
        const bool charWrap = wraps && hasLongWord(content, p);
        if (charWrap || (wraps && cost > kBlockPixels)) {
            const auto most = static_cast<std::size_t>(std::max(1.0, kBlockPixels / perChar));
            for (std::size_t a = p.begin;;) {
                std::size_t b = std::min(p.end, a + most);
                // Words are cut between them where they can be.
                if (!charWrap && b < p.end) {
                    std::size_t space = b;
                    while (space > a && content.text()[space - 1] != U' ') --space;
                    if (space > a) b = space;
                }
                out.push_back({a, b, k, 1, charWrap, a > p.begin, b < p.end,
                               static_cast<double>(b - a + 1) * perChar});
                if (b >= p.end) break;
                a = b;
            }
            continue;
        }
        const bool shaperAligns = (wraps || para.align == TextAlign::Left) && para.leading >= 0;
        if ((shareAll_ || shaperAligns) && !out.empty() && !out.back().charWrap &&
            !out.back().continues && out.back().cost + cost <= kBlockPixels &&
            para.sameParagraphFormat(content.styleAt(out.back().begin, fallback))) {
            out.back().end = p.end;
            ++out.back().paragraphs;
            out.back().cost += cost;
            continue;
        }
        out.push_back({p.begin, p.end, k, 1, false, false, false, cost});
    }
    return out;
}

void TextLayout::build(const TextContent& content, const TextStyle& fallback) {
    paragraphs_ = content.paragraphs();
    const std::vector<Span> runs = spans(content, fallback);
    blocks_.resize(std::min(blocks_.size(), runs.size()));
    while (blocks_.size() < runs.size()) {
        Block block;
        block.shaped = textShaper().newText();
        blocks_.push_back(std::move(block));
    }
    colour_ = content.styleAt(0, fallback).color;
    uniformColour_ = true;
    for (std::size_t i = 0; i < content.size() && uniformColour_; ++i) {
        uniformColour_ = content.styleAt(i, fallback).color == colour_;
    }
    for (std::size_t i = 0; i < runs.size(); ++i) {
        blocks_[i].span = runs[i];
        blocks_[i].begin = runs[i].begin;
        blocks_[i].end = runs[i].end;
        layBlock(blocks_[i], content, fallback);
    }
}

void TextLayout::layBlock(Block& block, const TextContent& content, const TextStyle& fallback) {
    const TextStyle& para = content.styleAt(block.begin, fallback);
    const std::u32string_view chars =
        std::u32string_view(content.text()).substr(block.begin, block.end - block.begin);
    ShapeFormat format;
    format.paragraph = &para;
    // An empty last paragraph has no character to carry its font: its line
    // takes that of the newline after it (or of the text's last character).
    const bool endsEmpty = block.begin == block.end || content.text()[block.end - 1] == U'\n';
    if (endsEmpty) format.last = &content.styleAt(block.end, fallback);
    // A piece that carries on a paragraph doesn't start it: no first-line indent.
    format.indent = block.span.continued ? std::min(para.indent, 0.0) : para.indent;
    format.spacing = std::max(para.leading, 0.0);
    const double left = para.leftMargin + para.blockIndent;
    block.x = left;
    if (wrap_ && width_ > 0) {
        format.width = std::max(1.0, width_ - left - para.rightMargin);
        format.charWrap = block.span.charWrap;
        format.justify = para.align == TextAlign::Justify;
        format.align = para.align;
    }
    block.shaped->shape(chars, runs(block), format);
}

std::vector<ShapeRun> TextLayout::runs(const Block& block) const {
    std::vector<ShapeRun> out;
    for (std::size_t a = block.begin; a < block.end;) {
        const std::size_t b = content_->runEnd(a, block.end);
        out.push_back({a - block.begin, b - block.begin, content_->styleAt(a, fallback_)});
        a = b;
    }
    return out;
}

void TextLayout::measure() {
    lines_.clear();
    widths_.clear();
    // At least a line a paragraph: no regrowth (and its passing double size) for unwrapped text.
    lines_.reserve(paragraphs_.size());
    widths_.reserve(paragraphs_.size());
    textWidth_ = 0;
    extentWidth_ = 0;
    double y = 0;
    double lastLeading = 0;
    for (std::size_t i = 0; i < blocks_.size(); ++i) {
        Block& block = blocks_[i];
        const TextStyle& para = content_->styleAt(block.begin, fallback_);
        block.y = y;
        const ShapedText& shaped = *block.shaped;
        const double lineWidth = shaped.width();
        const std::size_t first = lines_.size();
        for (std::size_t n = 0; n < shaped.lines().size(); ++n) {
            const ShapedLine& line = shaped.lines()[n];
            Line out;
            out.begin = block.begin + line.begin;
            out.end = block.begin + line.end;
            out.top = y + line.y;
            out.height = line.height;
            out.block = i;
            out.x = line.x;
            out.baseline = y + line.baseline;
            out.shaped = n;
            lines_.push_back(out);
            widths_.push_back(line.width);
            textWidth_ = std::max(textWidth_, line.width);
        }
        // A paragraph's last line is followed by its '\n', outside every line.
        for (std::size_t k = first; k < lines_.size(); ++k) {
            lines_[k].paragraphEnd = k + 1 == lines_.size() ? !block.span.continues
                                                            : lines_[k + 1].begin > lines_[k].end;
        }
        // Each paragraph's lines, in order: those that begin by its end (the
        // last paragraph takes the rest). A shaper makes at least one line of
        // every paragraph it is given, so each has its first line here.
        const bool whole = block.span.paragraphs == 1 && !block.span.continued;
        for (std::size_t p = 0, k = first; p < block.span.paragraphs; ++p) {
            // Lines past the vector's end would be written within its spare capacity,
            // out of the sanitizers' sight: checked in debug builds; in others the
            // paragraphs left without lines are not drawn, and the log says so.
            assert(k < lines_.size());
            if (k >= lines_.size()) {
                rt::log::warnOnce("text-layout-lines",
                                  "text layout: a paragraph has no lines; it is not drawn");
                break;
            }
            const bool final = p + 1 == block.span.paragraphs;
            const std::size_t end = paragraphs_[block.span.firstParagraph + p].end;
            std::size_t e = k + 1;
            while (e < lines_.size() && (final || lines_[e].begin <= end)) ++e;
            const double dy = para.leading < 0 ? static_cast<double>(p) * para.leading : 0.0;
            placeParagraph(k, e, para, dy, whole ? lineWidth : joinedWidth(k, e));
            k = e;
        }
        extentWidth_ =
            std::max(extentWidth_, lineWidth + std::max(para.indent, 0.0) + para.leftMargin +
                                       para.blockIndent + para.rightMargin);
        lastLeading = para.leading;
        // Negative leading pulls up every paragraph; the shaper spaced the lines by the rest.
        const double after = block.span.continues ? std::max(para.leading, 0.0)
                             : para.leading < 0
                                 ? para.leading * static_cast<double>(block.span.paragraphs)
                                 : para.leading;
        y += shaped.height() + after;
    }
    textHeight_ = std::max(0.0, y - lastLeading);
}

double TextLayout::joinedWidth(std::size_t first, std::size_t end) const {
    double width = 0;
    for (std::size_t k = first; k < end; ++k) width = std::max(width, widths_[k]);
    return width;
}

void TextLayout::placeParagraph(std::size_t first, std::size_t end, const TextStyle& para,
                                double dy, double width) {
    double dx = 0;
    if (!(wrap_ && width_ > 0)) {
        const double room = width_ - para.leftMargin - para.blockIndent - para.rightMargin - width;
        const double share = para.align == TextAlign::Right    ? 1.0
                             : para.align == TextAlign::Center ? 0.5
                                                               : 0.0;
        dx = std::max(0.0, room) * share;
    }
    for (std::size_t k = first; k < end; ++k) {
        lines_[k].dx = dx;
        lines_[k].dy = dy;
        lines_[k].top += dy;
        lines_[k].baseline += dy;
    }
}

std::size_t TextLayout::lineOf(std::size_t index) const {
    auto holds = [&](const Line& l) {
        return index >= l.begin && (index < l.end || (l.paragraphEnd && index <= l.end));
    };
    // Lines are in text order: the last one that begins at or before index.
    auto it = std::upper_bound(lines_.begin(), lines_.end(), index,
                               [](std::size_t i, const Line& l) { return i < l.begin; });
    if (it != lines_.begin() && holds(*(it - 1)))
        return static_cast<std::size_t>(it - 1 - lines_.begin());
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (holds(lines_[i])) return i;
    }
    return lines_.empty() ? 0 : lines_.size() - 1;
}

const TextLayout::Line* TextLayout::lineAt(double y) const {
    if (lines_.empty()) return nullptr;
    auto below = std::partition_point(lines_.begin(), lines_.end(),
                                      [&](const Line& l) { return l.top <= y; });
    if (below == lines_.begin()) return &lines_.front();
    const Line& above = *(below - 1);
    // The space between two lines is shared half and half, as pango shares it
    // within a block.
    if (below != lines_.end() && y - (above.top + above.height) > (below->top - y)) return &*below;
    return &above;
}

const TextLayout::Block* TextLayout::blockOf(std::size_t index) const {
    if (blocks_.empty()) return nullptr;
    auto it = std::upper_bound(blocks_.begin(), blocks_.end(), index,
                               [](std::size_t i, const Block& b) { return i < b.begin; });
    return it == blocks_.begin() ? &blocks_.front() : &*(it - 1);
}

std::size_t TextLayout::indexAt(double x, double y) const {
    const Line* line = lineAt(y);
    if (!line) return 0;
    const Block& block = blocks_[line->block];
    const std::size_t offset = block.shaped->offsetAt(line->shaped, x - (block.x + line->dx));
    return std::min(block.begin + offset, block.end);
}

Bounds TextLayout::caretAt(std::size_t index) const {
    const Block* block = blockOf(index);
    if (!block || lines_.empty()) return Bounds::of(0, 0, 1, 0);
    const Line& line = lines_[lineOf(index)];
    const std::size_t offset = std::min(std::max(index, block->begin), block->end) - block->begin;
    const Bounds strong = block->shaped->caretAt(offset);
    const double x = block->x + line.dx + strong.x0;
    // On an empty line a shaper may measure the caret by the font before it: take the line's.
    if (line.begin == line.end) return Bounds::of(x, line.top, 1, line.height);
    // The shaper's caret has no width: its box is empty, but its rows are its height.
    return Bounds::of(x, block->y + line.dy + strong.y0, 1, strong.y1 - strong.y0);
}

void TextLayout::draw(Canvas& canvas, const ColorXf& color, std::size_t selectBegin,
                      std::size_t selectEnd) {
    if (!content_) return;
    const CanvasPaint highlight = CanvasPaint::solid(transformed(0xA8CEFF, color));
    for (const Line& line : lines_) {
        const std::size_t a = std::max(selectBegin, line.begin);
        const std::size_t b = std::min(selectEnd, line.end);
        if (a >= b) continue;
        const Block& block = blocks_[line.block];
        const Bounds first = block.shaped->charAt(a - block.begin);
        const Bounds last = block.shaped->charAt(b - 1 - block.begin);
        const double x0 = std::min(first.x0, last.x1);
        const double x1 = std::max(first.x0, last.x1);
        canvas.fill(box(block.x + line.dx + x0, line.top, x1 - x0, line.height), highlight,
                    FillRule::Winding);
    }
    const Rgba uniform = transformed(colour_, color);
    const auto [clipY0, clipY1] = clipRows(canvas);
    // Lines are in order from the top: skip to the first one the clip shows
    // (a line's height of room for ink beyond its box).
    auto line = std::lower_bound(lines_.begin(), lines_.end(), clipY0,
                                 [](const Line& l, double y) { return l.top + 2 * l.height < y; });
    for (; line != lines_.end() && line->top - line->height <= clipY1; ++line) {
        const Block& block = blocks_[line->block];
        block.shaped->drawLine(canvas, line->shaped, block.x + line->dx + line->x, line->baseline,
                               uniformColour_ ? &uniform : nullptr, color);
    }
}

}  // namespace limn::sdl
