#include "backend/text/TextLayout.h"

#include <algorithm>
#include <cmath>

#include "backend/text/TextFonts.h"

namespace limn::sdl {

namespace {

constexpr double kScale = PANGO_SCALE;

bool sameColour(const ColorXf& a, const ColorXf& b) {
    return a.rm == b.rm && a.gm == b.gm && a.bm == b.bm && a.am == b.am && a.ro == b.ro &&
           a.go == b.go && a.bo == b.bo && a.ao == b.ao;
}

struct Rgba {
    double r, g, b, a;
};

Rgba transformed(std::uint32_t rgb, const ColorXf& color) {
    return {color.red(((rgb >> 16) & 0xFF) / 255.0), color.green(((rgb >> 8) & 0xFF) / 255.0),
            color.blue((rgb & 0xFF) / 255.0), color.alpha(1.0)};
}

guint16 channel16(double v) {
    return static_cast<guint16>(std::lround(std::clamp(v, 0.0, 1.0) * 65535));
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

void TextLayout::build(const TextContent& content, const TextStyle& fallback) {
    const auto paragraphs = content.paragraphs();
    while (blocks_.size() > paragraphs.size()) {
        g_object_unref(blocks_.back().layout);
        blocks_.pop_back();
    }
    while (blocks_.size() < paragraphs.size()) {
        Block block;
        block.layout = pango_layout_new(TextFonts::instance().context());
        blocks_.push_back(std::move(block));
    }
    colour_ = content.styleAt(0, fallback).color;
    uniformColour_ = true;
    for (std::size_t i = 0; i < content.size() && uniformColour_; ++i) {
        uniformColour_ = content.styleAt(i, fallback).color == colour_;
    }
    for (std::size_t i = 0; i < paragraphs.size(); ++i) {
        blocks_[i].begin = paragraphs[i].begin;
        blocks_[i].end = paragraphs[i].end;
        layBlock(blocks_[i], content, fallback);
    }
}

void TextLayout::layBlock(Block& block, const TextContent& content, const TextStyle& fallback) {
    const TextStyle& para = content.styleAt(block.begin, fallback);
    std::string utf8;
    block.byteOf.clear();
    for (std::size_t i = block.begin; i < block.end; ++i) {
        block.byteOf.push_back(static_cast<int>(utf8.size()));
        utf8 += TextContent::toUtf8(std::u32string_view(&content.text()[i], 1));
    }
    block.byteOf.push_back(static_cast<int>(utf8.size()));
    PangoLayout* layout = block.layout;
    pango_layout_set_text(layout, utf8.data(), static_cast<int>(utf8.size()));
    PangoFontDescription* face = TextFonts::instance().describe(para);
    pango_layout_set_font_description(layout, face);
    pango_font_description_free(face);
    PangoAttrList* attrs = attributes(block, uniformColour_ ? nullptr : &attributeColour_);
    pango_layout_set_attributes(layout, attrs);
    pango_attr_list_unref(attrs);
    pango_layout_set_indent(layout, static_cast<int>(para.indent * kScale));
    pango_layout_set_spacing(layout, static_cast<int>(std::max(para.leading, 0.0) * kScale));
    const double left = para.leftMargin + para.blockIndent;
    block.x = left;
    if (wrap_ && width_ > 0) {
        const double avail = std::max(1.0, width_ - left - para.rightMargin);
        pango_layout_set_width(layout, static_cast<int>(avail * kScale));
        pango_layout_set_wrap(layout, PANGO_WRAP_WORD_CHAR);
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

PangoAttrList* TextLayout::attributes(const Block& block, const ColorXf* color) const {
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
        if (color) {
            const Rgba c = transformed(s.color, *color);
            insert(list, pango_attr_foreground_new(channel16(c.r), channel16(c.g), channel16(c.b)),
                   start, end);
            if (c.a < 1) insert(list, pango_attr_foreground_alpha_new(channel16(c.a)), start, end);
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
        do {
            PangoRectangle extent;
            pango_layout_iter_get_line_extents(it, nullptr, &extent);
            PangoLayoutLine* line = pango_layout_iter_get_line_readonly(it);
            lines_.push_back(Line{charOf(block, line->start_index),
                                  charOf(block, line->start_index + line->length),
                                  y + extent.y / kScale, extent.height / kScale, i});
            textWidth_ = std::max(textWidth_, extent.width / kScale);
        } while (pango_layout_iter_next_line(it));
        pango_layout_iter_free(it);
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
        const bool last = i + 1 == lines_.size() || lines_[i + 1].block != lines_[i].block;
        if (index >= lines_[i].begin &&
            (index < lines_[i].end || (last && index <= lines_[i].end))) {
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

void TextLayout::recolour(const ColorXf& color) {
    attributeColour_ = color;
    for (Block& block : blocks_) {
        PangoAttrList* attrs = attributes(block, &attributeColour_);
        pango_layout_set_attributes(block.layout, attrs);
        pango_attr_list_unref(attrs);
    }
}

void TextLayout::draw(cairo_t* cr, const ColorXf& color, std::size_t selectBegin,
                      std::size_t selectEnd) {
    if (!content_) return;
    if (!uniformColour_ && !sameColour(color, attributeColour_)) recolour(color);
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
    for (const Block& block : blocks_) {
        cairo_move_to(cr, block.x, block.y);
        pango_cairo_show_layout(cr, block.layout);
    }
}

}  // namespace limn::sdl
