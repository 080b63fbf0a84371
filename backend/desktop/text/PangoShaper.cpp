#include "backend/desktop/text/PangoShaper.h"

#include <algorithm>

#include "backend/base/Utf8.h"
#include "backend/desktop/raster/CairoCanvas.h"
#include "backend/desktop/text/TextFonts.h"

namespace limn::sdl {

namespace {

constexpr double kScale = PANGO_SCALE;

void insert(PangoAttrList* list, PangoAttribute* attr, int start, int end) {
    attr->start_index = static_cast<guint>(start);
    attr->end_index = static_cast<guint>(end);
    pango_attr_list_insert(list, attr);
}

void setSource(cairo_t* cr, std::uint32_t rgb, const ColorXf& color) {
    cairo_set_source_rgba(cr, color.red(((rgb >> 16) & 0xFF) / 255.0),
                          color.green(((rgb >> 8) & 0xFF) / 255.0),
                          color.blue((rgb & 0xFF) / 255.0), color.alpha(1.0));
}

}  // namespace

TextShaper& textShaper() {
    static PangoShaper shaper;
    return shaper;
}

std::unique_ptr<ShapedText> PangoShaper::newText() {
    return std::make_unique<PangoText>();
}

PangoText::PangoText() : layout_(pango_layout_new(TextFonts::instance().context())) {}

PangoText::~PangoText() {
    g_object_unref(layout_);
}

void PangoText::shape(std::u32string_view text, const std::vector<ShapeRun>& runs,
                      const ShapeFormat& format) {
    runs_ = runs;
    std::string utf8;
    utf8.reserve(text.size());
    byteOf_.resize(text.size() + 1);
    for (std::size_t i = 0; i < text.size(); ++i) {
        byteOf_[i] = static_cast<int>(utf8.size());
        // Pango's text ends at a NUL byte, and the paragraphs after it would
        // have no lines: a NUL is shown as the replacement character.
        utf8::append(utf8, text[i] == 0 ? utf8::kReplacement : text[i]);
    }
    byteOf_[text.size()] = static_cast<int>(utf8.size());
    pango_layout_set_text(layout_, utf8.data(), static_cast<int>(utf8.size()));
    PangoFontDescription* face = TextFonts::instance().describe(*format.paragraph);
    pango_layout_set_font_description(layout_, face);
    pango_font_description_free(face);
    PangoAttrList* attrs = attributes(format);
    pango_layout_set_attributes(layout_, attrs);
    pango_attr_list_unref(attrs);
    pango_layout_set_indent(layout_, static_cast<int>(format.indent * kScale));
    pango_layout_set_spacing(layout_, static_cast<int>(format.spacing * kScale));
    if (format.width >= 0) {
        pango_layout_set_width(layout_, static_cast<int>(format.width * kScale));
        pango_layout_set_wrap(layout_, format.charWrap ? PANGO_WRAP_CHAR : PANGO_WRAP_WORD_CHAR);
        pango_layout_set_justify(layout_, format.justify);
        pango_layout_set_alignment(layout_, format.align == TextAlign::Right    ? PANGO_ALIGN_RIGHT
                                            : format.align == TextAlign::Center ? PANGO_ALIGN_CENTER
                                                                                : PANGO_ALIGN_LEFT);
    } else {
        pango_layout_set_width(layout_, -1);
        pango_layout_set_justify(layout_, FALSE);
        pango_layout_set_alignment(layout_, PANGO_ALIGN_LEFT);
    }
    measure();
}

PangoAttrList* PangoText::attributes(const ShapeFormat& format) const {
    PangoAttrList* list = pango_attr_list_new();
    for (const ShapeRun& run : runs_) {
        const TextStyle& s = run.style;
        const int start = byteOf_[run.begin];
        const int end = byteOf_[run.end];
        PangoFontDescription* face = TextFonts::instance().describe(s);
        insert(list, pango_attr_font_desc_new(face), start, end);
        pango_font_description_free(face);
        insert(list, pango_attr_font_features_new(s.kerning ? "kern 1" : "kern 0"), start, end);
        if (s.underline) insert(list, pango_attr_underline_new(PANGO_UNDERLINE_SINGLE), start, end);
        if (s.letterSpacing != 0) {
            insert(list, pango_attr_letter_spacing_new(static_cast<int>(s.letterSpacing * kScale)),
                   start, end);
        }
    }
    // An empty last paragraph has no character to carry its font: its line
    // takes the one it is given.
    if (format.last) {
        PangoFontDescription* face = TextFonts::instance().describe(*format.last);
        insert(list, pango_attr_font_desc_new(face), byteOf_.back(),
               static_cast<int>(PANGO_ATTR_INDEX_TO_TEXT_END));
        pango_font_description_free(face);
    }
    return list;
}

void PangoText::measure() {
    lines_.clear();
    pangoLines_.clear();
    lineX_.clear();
    PangoRectangle logical;
    pango_layout_get_extents(layout_, nullptr, &logical);
    width_ = logical.width / kScale;
    height_ = logical.height / kScale;
    const auto count = static_cast<std::size_t>(pango_layout_get_line_count(layout_));
    lines_.reserve(count);
    pangoLines_.reserve(count);
    lineX_.reserve(count);
    PangoLayoutIter* it = pango_layout_get_iter(layout_);
    do {
        PangoRectangle extent;
        pango_layout_iter_get_line_extents(it, nullptr, &extent);
        PangoLayoutLine* line = pango_layout_iter_get_line_readonly(it);
        ShapedLine out;
        out.begin = charOf(line->start_index);
        out.end = charOf(line->start_index + line->length);
        out.x = extent.x / kScale;
        out.y = extent.y / kScale;
        out.width = extent.width / kScale;
        out.height = extent.height / kScale;
        out.baseline = pango_layout_iter_get_baseline(it) / kScale;
        lines_.push_back(out);
        pangoLines_.push_back(line);
        lineX_.push_back(extent.x);
    } while (pango_layout_iter_next_line(it));
    pango_layout_iter_free(it);
}

std::size_t PangoText::charOf(int byteIndex) const {
    auto it = std::upper_bound(byteOf_.begin(), byteOf_.end(), byteIndex);
    return static_cast<std::size_t>(std::max<std::ptrdiff_t>(0, it - byteOf_.begin() - 1));
}

const TextStyle& PangoText::styleAt(std::size_t offset) const {
    auto it = std::upper_bound(runs_.begin(), runs_.end(), offset,
                               [](std::size_t i, const ShapeRun& r) { return i < r.begin; });
    return it == runs_.begin() ? runs_.front().style : (it - 1)->style;
}

std::size_t PangoText::offsetAt(std::size_t line, double x) const {
    int byte = 0;
    int trailing = 0;
    pango_layout_line_x_to_index(pangoLines_[line], static_cast<int>(x * kScale) - lineX_[line],
                                 &byte, &trailing);
    return charOf(byte) + static_cast<std::size_t>(std::max(trailing, 0));
}

Bounds PangoText::caretAt(std::size_t offset) const {
    PangoRectangle strong;
    pango_layout_get_cursor_pos(layout_, byteOf_[offset], &strong, nullptr);
    return Bounds::of(strong.x / kScale, strong.y / kScale, 0, strong.height / kScale);
}

Bounds PangoText::charAt(std::size_t offset) const {
    PangoRectangle box;
    pango_layout_index_to_pos(layout_, byteOf_[offset], &box);
    return {box.x / kScale, box.y / kScale, (box.x + box.width) / kScale,
            (box.y + box.height) / kScale};
}

void PangoText::drawLine(Canvas& canvas, std::size_t index, double x, double baseline,
                         const Rgba* uniform, const ColorXf& color) const {
    cairo_t* cr = CairoCanvas::contextOf(canvas);
    if (!cr) return;
    PangoLayoutLine* line = pangoLines_[index];
    if (uniform) {
        cairo_set_source_rgba(cr, uniform->r, uniform->g, uniform->b, uniform->a);
        cairo_move_to(cr, x, baseline);
        pango_cairo_show_layout_line(cr, line);
        return;
    }
    // Run by run in each run's colour: colour attributes would make pango's
    // layout cost grow with the square of the runs.
    const char* text = pango_layout_get_text(layout_);
    for (GSList* r = line->runs; r != nullptr; r = r->next) {
        auto* run = static_cast<PangoGlyphItem*>(r->data);
        const TextStyle& style = styleAt(charOf(run->item->offset));
        setSource(cr, style.color, color);
        const double width = pango_glyph_string_get_width(run->glyphs) / kScale;
        cairo_move_to(cr, x, baseline);
        pango_cairo_show_glyph_item(cr, text, run);
        if (style.underline) underline(cr, run->item->analysis.font, x, baseline, width);
        x += width;
    }
}

void PangoText::underline(cairo_t* cr, PangoFont* font, double x, double baseline, double width) {
    PangoFontMetrics* metrics = pango_font_get_metrics(font, nullptr);
    const double position = pango_font_metrics_get_underline_position(metrics) / kScale;
    const double thickness =
        std::max(1.0, pango_font_metrics_get_underline_thickness(metrics) / kScale);
    pango_font_metrics_unref(metrics);
    cairo_rectangle(cr, x, baseline - position, width, thickness);
    cairo_fill(cr);
}

}  // namespace limn::sdl
