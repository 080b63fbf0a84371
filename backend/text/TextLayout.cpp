#include "backend/text/TextLayout.h"

#include <algorithm>
#include <cassert>
#include <cmath>

#include "backend/base/Utf8.h"
#include "backend/text/TextFonts.h"
#include "runtime/Log.h"

namespace limn::sdl {

namespace {

constexpr double kScale = PANGO_SCALE;

struct Rgba {
    double r, g, b, a;
};

Rgba transformed(std::uint32_t rgb, const ColorXf& color) {
    return {color.red(((rgb >> 16) & 0xFF) / 255.0), color.green(((rgb >> 8) & 0xFF) / 255.0),
            color.blue((rgb & 0xFF) / 255.0), color.alpha(1.0)};
}

void insert(PangoAttrList* list, PangoAttribute* attr, int start, int end) {
    attr->start_index = static_cast<guint>(start);
    attr->end_index = static_cast<guint>(end);
    pango_attr_list_insert(list, attr);
}

}  // namespace

TextLayout::~TextLayout() {
    for (Block& b : blocks_) g_object_unref(b.layout);
}

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
        // Pango wraps a very long word in time that grows with its square,
        // but wraps at any character in linear time.
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
        const bool pangoAligns = (wraps || para.align == TextAlign::Left) && para.leading >= 0;
        if ((shareAll_ || pangoAligns) && !out.empty() && !out.back().charWrap &&
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
    while (blocks_.size() > runs.size()) {
        g_object_unref(blocks_.back().layout);
        blocks_.pop_back();
    }
    while (blocks_.size() < runs.size()) {
        Block block;
        block.layout = pango_layout_new(TextFonts::instance().context());
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
    std::string utf8;
    utf8.reserve(chars.size());
    block.byteOf.resize(chars.size() + 1);
    for (std::size_t i = 0; i < chars.size(); ++i) {
        block.byteOf[i] = static_cast<int>(utf8.size());
        // Pango's text ends at a NUL byte, and the paragraphs after it would
        // have no lines: a NUL is shown as the replacement character.
        utf8::append(utf8, chars[i] == 0 ? utf8::kReplacement : chars[i]);
    }
    block.byteOf[chars.size()] = static_cast<int>(utf8.size());
    PangoLayout* layout = block.layout;
    pango_layout_set_text(layout, utf8.data(), static_cast<int>(utf8.size()));
    PangoFontDescription* face = TextFonts::instance().describe(para);
    pango_layout_set_font_description(layout, face);
    pango_font_description_free(face);
    PangoAttrList* attrs = attributes(block);
    pango_layout_set_attributes(layout, attrs);
    pango_attr_list_unref(attrs);
    // A piece that carries on a paragraph doesn't start it: no first-line indent.
    const double indent = block.span.continued ? std::min(para.indent, 0.0) : para.indent;
    pango_layout_set_indent(layout, static_cast<int>(indent * kScale));
    pango_layout_set_spacing(layout, static_cast<int>(std::max(para.leading, 0.0) * kScale));
    const double left = para.leftMargin + para.blockIndent;
    block.x = left;
    if (wrap_ && width_ > 0) {
        const double avail = std::max(1.0, width_ - left - para.rightMargin);
        pango_layout_set_width(layout, static_cast<int>(avail * kScale));
        pango_layout_set_wrap(layout, block.span.charWrap ? PANGO_WRAP_CHAR : PANGO_WRAP_WORD_CHAR);
        pango_layout_set_justify(layout, para.align == TextAlign::Justify);
        pango_layout_set_alignment(layout, para.align == TextAlign::Right    ? PANGO_ALIGN_RIGHT
                                           : para.align == TextAlign::Center ? PANGO_ALIGN_CENTER
                                                                             : PANGO_ALIGN_LEFT);
    } else {
        pango_layout_set_width(layout, -1);
        pango_layout_set_justify(layout, FALSE);
        pango_layout_set_alignment(layout, PANGO_ALIGN_LEFT);
    }
}

PangoAttrList* TextLayout::attributes(const Block& block) const {
    PangoAttrList* list = pango_attr_list_new();
    for (std::size_t a = block.begin; a < block.end;) {
        const std::size_t b = content_->runEnd(a, block.end);
        const TextStyle& s = content_->styleAt(a, fallback_);
        const int start = block.byteOf[a - block.begin];
        const int end = block.byteOf[b - block.begin];
        PangoFontDescription* face = TextFonts::instance().describe(s);
        insert(list, pango_attr_font_desc_new(face), start, end);
        pango_font_description_free(face);
        insert(list, pango_attr_font_features_new(s.kerning ? "kern 1" : "kern 0"), start, end);
        if (s.underline) insert(list, pango_attr_underline_new(PANGO_UNDERLINE_SINGLE), start, end);
        if (s.letterSpacing != 0) {
            insert(list, pango_attr_letter_spacing_new(static_cast<int>(s.letterSpacing * kScale)),
                   start, end);
        }
        a = b;
    }
    // An empty last paragraph has no character to carry its font: its line
    // takes that of the newline after it (or of the text's last character).
    const bool endsEmpty = block.begin == block.end || content_->text()[block.end - 1] == U'\n';
    if (endsEmpty) {
        PangoFontDescription* face =
            TextFonts::instance().describe(content_->styleAt(block.end, fallback_));
        insert(list, pango_attr_font_desc_new(face), block.byteOf.back(),
               static_cast<int>(PANGO_ATTR_INDEX_TO_TEXT_END));
        pango_font_description_free(face);
    }
    return list;
}

void TextLayout::measure() {
    lines_.clear();
    extents_.clear();
    // At least a line a paragraph: no regrowth (and its passing double size) for unwrapped text.
    lines_.reserve(paragraphs_.size());
    extents_.reserve(paragraphs_.size());
    textWidth_ = 0;
    extentWidth_ = 0;
    double y = 0;
    double lastLeading = 0;
    for (std::size_t i = 0; i < blocks_.size(); ++i) {
        Block& block = blocks_[i];
        const TextStyle& para = content_->styleAt(block.begin, fallback_);
        block.y = y;
        PangoRectangle logical;
        pango_layout_get_extents(block.layout, nullptr, &logical);
        const double lineWidth = logical.width / kScale;
        PangoLayoutIter* it = pango_layout_get_iter(block.layout);
        const std::size_t first = lines_.size();
        do {
            PangoRectangle extent;
            pango_layout_iter_get_line_extents(it, nullptr, &extent);
            PangoLayoutLine* line = pango_layout_iter_get_line_readonly(it);
            Line out;
            out.begin = charOf(block, line->start_index);
            out.end = charOf(block, line->start_index + line->length);
            out.top = y + extent.y / kScale;
            out.height = extent.height / kScale;
            out.block = i;
            out.x = extent.x / kScale;
            out.baseline = y + pango_layout_iter_get_baseline(it) / kScale;
            out.pango = line;
            lines_.push_back(out);
            extents_.push_back(extent);
            textWidth_ = std::max(textWidth_, extent.width / kScale);
        } while (pango_layout_iter_next_line(it));
        pango_layout_iter_free(it);
        // A paragraph's last line is followed by its '\n', outside every line.
        for (std::size_t k = first; k < lines_.size(); ++k) {
            lines_[k].paragraphEnd = k + 1 == lines_.size() ? !block.span.continues
                                                            : lines_[k + 1].begin > lines_[k].end;
        }
        // Each paragraph's lines, in order: those that begin by its end (the
        // last paragraph takes the rest). Pango makes at least one line of
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
        // Negative leading pulls up every paragraph; pango spaced the lines by the rest.
        const double after = block.span.continues ? std::max(para.leading, 0.0)
                             : para.leading < 0
                                 ? para.leading * static_cast<double>(block.span.paragraphs)
                                 : para.leading;
        y += logical.height / kScale + after;
    }
    textHeight_ = std::max(0.0, y - lastLeading);
}

double TextLayout::joinedWidth(std::size_t first, std::size_t end) const {
    int width = 0;
    for (std::size_t k = first; k < end; ++k) width = std::max(width, extents_[k].width);
    return width / kScale;
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

std::size_t TextLayout::charOf(const Block& block, int byteIndex) const {
    auto it = std::upper_bound(block.byteOf.begin(), block.byteOf.end(), byteIndex);
    const auto offset =
        static_cast<std::size_t>(std::max<std::ptrdiff_t>(0, it - block.byteOf.begin() - 1));
    return block.begin + offset;
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
    // The space between two lines is shared half and half, as pango shares it.
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
    const PangoRectangle& extent = extents_[static_cast<std::size_t>(line - lines_.data())];
    int byte = 0;
    int trailing = 0;
    pango_layout_line_x_to_index(line->pango,
                                 static_cast<int>((x - (block.x + line->dx)) * kScale) - extent.x,
                                 &byte, &trailing);
    return std::min(charOf(block, byte) + static_cast<std::size_t>(std::max(trailing, 0)),
                    block.end);
}

Bounds TextLayout::caretAt(std::size_t index) const {
    const Block* block = blockOf(index);
    if (!block || lines_.empty()) return Bounds::of(0, 0, 1, 0);
    const Line& line = lines_[lineOf(index)];
    const std::size_t offset = std::min(std::max(index, block->begin), block->end) - block->begin;
    PangoRectangle strong;
    pango_layout_get_cursor_pos(block->layout, block->byteOf[offset], &strong, nullptr);
    const double x = block->x + line.dx + strong.x / kScale;
    // On an empty line pango measures the caret by the font before it: take the line's.
    if (line.begin == line.end) return Bounds::of(x, line.top, 1, line.height);
    return Bounds::of(x, block->y + line.dy + strong.y / kScale, 1, strong.height / kScale);
}

void TextLayout::draw(cairo_t* cr, const ColorXf& color, std::size_t selectBegin,
                      std::size_t selectEnd) {
    if (!content_) return;
    for (const Line& line : lines_) {
        const std::size_t a = std::max(selectBegin, line.begin);
        const std::size_t b = std::min(selectEnd, line.end);
        if (a >= b) continue;
        const Block& block = blocks_[line.block];
        PangoRectangle first;
        PangoRectangle last;
        pango_layout_index_to_pos(block.layout, block.byteOf[a - block.begin], &first);
        pango_layout_index_to_pos(block.layout, block.byteOf[b - 1 - block.begin], &last);
        const double x0 = std::min(first.x, last.x + last.width) / kScale;
        const double x1 = std::max(first.x, last.x + last.width) / kScale;
        const Rgba c = transformed(0xA8CEFF, color);
        cairo_set_source_rgba(cr, c.r, c.g, c.b, c.a);
        cairo_rectangle(cr, block.x + line.dx + x0, line.top, x1 - x0, line.height);
        cairo_fill(cr);
    }
    const Rgba c = transformed(colour_, color);
    cairo_set_source_rgba(cr, c.r, c.g, c.b, c.a);
    double clipX0 = 0;
    double clipY0 = 0;
    double clipX1 = 0;
    double clipY1 = 0;
    cairo_clip_extents(cr, &clipX0, &clipY0, &clipX1, &clipY1);
    // Lines are in order from the top: skip to the first one the clip shows
    // (a line's height of room for ink beyond its box).
    auto line = std::lower_bound(lines_.begin(), lines_.end(), clipY0,
                                 [](const Line& l, double y) { return l.top + 2 * l.height < y; });
    for (; line != lines_.end() && line->top - line->height <= clipY1; ++line) {
        if (uniformColour_) {
            cairo_move_to(cr, blocks_[line->block].x + line->dx + line->x, line->baseline);
            pango_cairo_show_layout_line(cr, line->pango);
        } else {
            drawRuns(cr, *line, color);
        }
    }
}

// Text of many colours is drawn run by run in each run's colour: colour
// attributes would make pango's layout cost grow with the square of the runs.
void TextLayout::drawRuns(cairo_t* cr, const Line& line, const ColorXf& color) const {
    const Block& block = blocks_[line.block];
    const char* text = pango_layout_get_text(block.layout);
    double x = block.x + line.dx + line.x;
    for (GSList* r = line.pango->runs; r != nullptr; r = r->next) {
        auto* run = static_cast<PangoGlyphItem*>(r->data);
        const TextStyle& style = content_->styleAt(charOf(block, run->item->offset), fallback_);
        const Rgba c = transformed(style.color, color);
        cairo_set_source_rgba(cr, c.r, c.g, c.b, c.a);
        const double width = pango_glyph_string_get_width(run->glyphs) / kScale;
        cairo_move_to(cr, x, line.baseline);
        pango_cairo_show_glyph_item(cr, text, run);
        if (style.underline) underline(cr, run->item->analysis.font, x, line.baseline, width);
        x += width;
    }
}

void TextLayout::underline(cairo_t* cr, PangoFont* font, double x, double baseline, double width) {
    PangoFontMetrics* metrics = pango_font_get_metrics(font, nullptr);
    const double position = pango_font_metrics_get_underline_position(metrics) / kScale;
    const double thickness =
        std::max(1.0, pango_font_metrics_get_underline_thickness(metrics) / kScale);
    pango_font_metrics_unref(metrics);
    cairo_rectangle(cr, x, baseline - position, width, thickness);
    cairo_fill(cr);
}

}  // namespace limn::sdl
