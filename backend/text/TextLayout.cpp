#include "backend/text/TextLayout.h"

#include <algorithm>
#include <cmath>

#include "backend/base/Utf8.h"
#include "backend/text/TextFonts.h"

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

bool TextLayout::groups(const TextStyle& para) const {
    return ((wrap_ && width_ > 0) || para.align == TextAlign::Left) && para.leading >= 0;
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

void TextLayout::build(const TextContent& content, const TextStyle& fallback) {
    std::vector<TextContent::Paragraph> spans;
    std::vector<bool> charWrap;
    bool lastAlone = true;
    for (const TextContent::Paragraph& p : content.paragraphs()) {
        // Pango wraps a very long word in time that grows with its square,
        // but wraps at any character in linear time.
        const bool alone = wrap_ && width_ > 0 && hasLongWord(content, p);
        if (!spans.empty() && !alone && !lastAlone) {
            const TextStyle& first = content.styleAt(spans.back().begin, fallback);
            if (groups(first) && first.sameParagraphFormat(content.styleAt(p.begin, fallback))) {
                spans.back().end = p.end;
                continue;
            }
        }
        spans.push_back(p);
        charWrap.push_back(alone);
        lastAlone = alone;
    }
    while (blocks_.size() > spans.size()) {
        g_object_unref(blocks_.back().layout);
        blocks_.pop_back();
    }
    while (blocks_.size() < spans.size()) {
        Block block;
        block.layout = pango_layout_new(TextFonts::instance().context());
        blocks_.push_back(std::move(block));
    }
    colour_ = content.styleAt(0, fallback).color;
    uniformColour_ = true;
    for (std::size_t i = 0; i < content.size() && uniformColour_; ++i) {
        uniformColour_ = content.styleAt(i, fallback).color == colour_;
    }
    for (std::size_t i = 0; i < spans.size(); ++i) {
        blocks_[i].begin = spans[i].begin;
        blocks_[i].end = spans[i].end;
        blocks_[i].charWrap = charWrap[i];
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
        utf8::append(utf8, chars[i]);
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
    pango_layout_set_indent(layout, static_cast<int>(para.indent * kScale));
    pango_layout_set_spacing(layout, static_cast<int>(std::max(para.leading, 0.0) * kScale));
    const double left = para.leftMargin + para.blockIndent;
    block.x = left;
    if (wrap_ && width_ > 0) {
        const double avail = std::max(1.0, width_ - left - para.rightMargin);
        pango_layout_set_width(layout, static_cast<int>(avail * kScale));
        pango_layout_set_wrap(layout, block.charWrap ? PANGO_WRAP_CHAR : PANGO_WRAP_WORD_CHAR);
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
    return list;
}

void TextLayout::measure() {
    lines_.clear();
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
        if (!wrap_ || width_ <= 0) {
            const double room =
                width_ - para.leftMargin - para.blockIndent - para.rightMargin - lineWidth;
            const double share = para.align == TextAlign::Right    ? 1.0
                                 : para.align == TextAlign::Center ? 0.5
                                                                   : 0.0;
            block.x = para.leftMargin + para.blockIndent + std::max(0.0, room) * share;
        }
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
            textWidth_ = std::max(textWidth_, extent.width / kScale);
        } while (pango_layout_iter_next_line(it));
        pango_layout_iter_free(it);
        // A paragraph's last line is followed by its '\n', outside every line.
        for (std::size_t k = first; k < lines_.size(); ++k) {
            lines_[k].paragraphEnd = k + 1 == lines_.size() || lines_[k + 1].begin > lines_[k].end;
        }
        extentWidth_ =
            std::max(extentWidth_, lineWidth + std::max(para.indent, 0.0) + para.leftMargin +
                                       para.blockIndent + para.rightMargin);
        lastLeading = para.leading;
        y += logical.height / kScale + lastLeading;
    }
    textHeight_ = std::max(0.0, y - lastLeading);
}

std::size_t TextLayout::charOf(const Block& block, int byteIndex) const {
    auto it = std::upper_bound(block.byteOf.begin(), block.byteOf.end(), byteIndex);
    const auto offset =
        static_cast<std::size_t>(std::max<std::ptrdiff_t>(0, it - block.byteOf.begin() - 1));
    return block.begin + offset;
}

std::size_t TextLayout::lineOf(std::size_t index) const {
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (index >= lines_[i].begin &&
            (index < lines_[i].end || (lines_[i].paragraphEnd && index <= lines_[i].end))) {
            return i;
        }
    }
    return lines_.empty() ? 0 : lines_.size() - 1;
}

const TextLayout::Block* TextLayout::blockAt(double y) const {
    if (blocks_.empty()) return nullptr;
    const Block* found = &blocks_.front();
    for (const Block& b : blocks_) {
        if (b.y <= y) found = &b;
    }
    return found;
}

const TextLayout::Block* TextLayout::blockOf(std::size_t index) const {
    for (const Block& b : blocks_) {
        if (index >= b.begin && index <= b.end) return &b;
    }
    return blocks_.empty() ? nullptr : &blocks_.back();
}

std::size_t TextLayout::indexAt(double x, double y) const {
    const Block* block = blockAt(y);
    if (!block) return 0;
    int byte = 0;
    int trailing = 0;
    pango_layout_xy_to_index(block->layout, static_cast<int>((x - block->x) * kScale),
                             static_cast<int>((y - block->y) * kScale), &byte, &trailing);
    return std::min(charOf(*block, byte) + static_cast<std::size_t>(std::max(trailing, 0)),
                    block->end);
}

Bounds TextLayout::caretAt(std::size_t index) const {
    const Block* block = blockOf(index);
    if (!block) return Bounds::of(0, 0, 1, 0);
    const std::size_t offset = std::min(index, block->end) - block->begin;
    PangoRectangle strong;
    pango_layout_get_cursor_pos(block->layout, block->byteOf[offset], &strong, nullptr);
    return Bounds::of(block->x + strong.x / kScale, block->y + strong.y / kScale, 1,
                      strong.height / kScale);
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
        cairo_rectangle(cr, block.x + x0, line.top, x1 - x0, line.height);
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
            cairo_move_to(cr, blocks_[line->block].x + line->x, line->baseline);
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
    double x = block.x + line.x;
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
