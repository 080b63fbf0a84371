#include "backend/text/MeasuredText.h"

#include <algorithm>
#include <limits>

namespace limn::sdl {

namespace {

// Widths within this are equal: a line may be exactly as wide as its room.
constexpr double kSlack = 1e-6;

bool isSeparator(char32_t c) {
    return c == U'\n' || c == 0x2028;
}

Rgba through(std::uint32_t rgb, const ColorXf& color) {
    return {color.red(((rgb >> 16) & 0xFF) / 255.0), color.green(((rgb >> 8) & 0xFF) / 255.0),
            color.blue((rgb & 0xFF) / 255.0), color.alpha(1.0)};
}

}  // namespace

void MeasuredText::shape(std::u32string_view text, const std::vector<ShapeRun>& runs,
                         const ShapeFormat& format) {
    text_ = text;
    runs_ = runs;
    paragraph_ = *format.paragraph;
    hasLast_ = format.last != nullptr;
    if (hasLast_) last_ = *format.last;
    const std::size_t n = text_.size();
    advance_.assign(n, 0);
    for (const ShapeRun& run : runs_) {
        if (run.end > run.begin && run.end <= n) {
            measure_.advances(std::u32string_view(text_).substr(run.begin, run.end - run.begin),
                              run.style, advance_.data() + run.begin);
        }
    }
    for (std::size_t i = 0; i < n; ++i) {
        if (isSeparator(text_[i])) advance_[i] = 0;
    }
    x_.assign(n + 1, 0);
    extra_.clear();
    hyphens_.clear();
    lines_.clear();
    height_ = 0;
    for (std::size_t a = 0;;) {
        const std::size_t b = std::min(text_.find(U'\n', a), n);
        for (std::size_t c = a, piece = 0;; ++piece) {
            const std::size_t d = std::min(text_.find(char32_t{0x2028}, c), b);
            breakLines(c, d, piece == 0, format);
            if (d >= b) break;
            c = d + 1;
        }
        if (b >= n) break;
        a = b + 1;
    }
    double left = std::numeric_limits<double>::infinity();
    double right = -left;
    for (const ShapedLine& line : lines_) {
        left = std::min(left, line.x);
        right = std::max(right, line.x + line.width);
    }
    width_ = right - left;
}

void MeasuredText::breakLines(std::size_t begin, std::size_t end, bool firstOfParagraph,
                              const ShapeFormat& format) {
    bool first = firstOfParagraph;
    std::size_t at = begin;
    do {
        const double indent = first ? std::max(format.indent, 0.0) : std::max(-format.indent, 0.0);
        const std::size_t e =
            format.width >= 0 ? fit(at, end, format.width - indent, format.charWrap) : end;
        addLine(at, e, indent, e < end, format);
        at = e;
        first = false;
    } while (at < end);
}

std::size_t MeasuredText::fit(std::size_t begin, std::size_t end, double room,
                              bool charWrap) const {
    double width = 0;
    std::size_t breakAt = begin;
    for (std::size_t i = begin; i < end; ++i) {
        // A line that wraps after spaces does not count the last of them (as
        // pango lays it out); the others take room.
        if (isSpace(text_[i])) {
            const bool counts = i + 1 < end && isSpace(text_[i + 1]);
            if (counts && i > begin && width + advance_[i] > room + kSlack) {
                return breakAt > begin ? breakAt : i;
            }
            width += advance_[i];
            continue;
        }
        if (i > begin && (charWrap || isSpace(text_[i - 1]) || afterHyphen(i))) breakAt = i;
        if (i > begin && width + advance_[i] > room + kSlack) {
            if (breakAt > begin && !hyphenates(breakAt)) return breakAt;
            // A word alone wider than the line breaks inside, where its line
            // has room for the hyphen that ends it too (at least one character).
            std::size_t at = i;
            const double hyphen = hyphenWidth(at - 1);
            while (at > begin + 1 && hyphenates(at) && width + hyphen > room + kSlack) {
                --at;
                width -= advance_[at];
            }
            return at;
        }
        width += advance_[i];
    }
    return end;
}

void MeasuredText::addLine(std::size_t begin, std::size_t end, double indent, bool wraps,
                           const ShapeFormat& format) {
    // The space a line wraps after takes no room (as pango lays it out).
    if (wraps && end > begin && isSpace(text_[end - 1])) advance_[end - 1] = 0;
    const bool justified = format.justify && wraps;
    std::size_t visibleEnd = end;
    while (visibleEnd > begin && isSpace(text_[visibleEnd - 1])) --visibleEnd;
    const double visible = span(begin, visibleEnd);
    double x = indent;
    double extra = 0;
    if (format.width >= 0) {
        const double room = std::max(0.0, format.width - indent - visible);
        std::size_t spaces = 0;
        for (std::size_t i = begin; i < visibleEnd; ++i) spaces += isSpace(text_[i]) ? 1 : 0;
        if (justified && spaces > 0) {
            extra = room / static_cast<double>(spaces);
        } else if (format.align == TextAlign::Right) {
            x += room;
        } else if (format.align == TextAlign::Center) {
            x += room / 2;
        }
    }
    double ascent = 0;
    double descent = 0;
    if (begin == end) {
        const FontMetrics m = measure_.metrics(styleAt(begin));
        ascent = m.ascent;
        descent = m.descent;
    }
    for (std::size_t a = begin; a < end;) {
        const std::size_t b = std::min(runEnd(a), end);
        const FontMetrics m = measure_.metrics(styleAt(a));
        ascent = std::max(ascent, m.ascent);
        descent = std::max(descent, m.descent);
        a = b;
    }
    double at = x;
    for (std::size_t i = begin; i < end; ++i) {
        x_[i] = at;
        at += advance_[i] + (i < visibleEnd && isSpace(text_[i]) ? extra : 0);
    }
    // The separator after the line (or the text's end) has its caret at the line's end.
    x_[end] = at;
    const bool hyphen = end > begin && hyphenates(end);
    ShapedLine line;
    line.begin = begin;
    line.end = end;
    line.x = x;
    line.width = at - x + (hyphen ? hyphenWidth(end - 1) : 0);
    line.y = lines_.empty() ? 0 : height_ + std::max(format.spacing, 0.0);
    line.height = ascent + descent;
    line.baseline = line.y + ascent;
    height_ = line.y + line.height;
    lines_.push_back(line);
    extra_.push_back(extra);
    hyphens_.push_back(hyphen);
}

bool MeasuredText::hyphenates(std::size_t i) const {
    // Inside a word: letters (or digits) on both sides.
    const auto inWord = [](char32_t c) {
        return (c >= U'a' && c <= U'z') || (c >= U'A' && c <= U'Z') || (c >= U'0' && c <= U'9') ||
               (c >= 0xC0 && c != 0x2028 && c != 0x3000);
    };
    return i > 0 && i < text_.size() && inWord(text_[i - 1]) && inWord(text_[i]);
}

double MeasuredText::hyphenWidth(std::size_t i) const {
    double width = 0;
    measure_.advances(U"-", styleAt(i), &width);
    return width;
}

bool MeasuredText::afterHyphen(std::size_t i) const {
    // A hyphen inside a word, not before a number ("twenty-|three", "x-5").
    return i >= 2 && text_[i - 1] == U'-' && !isSpace(text_[i - 2]) && !isSeparator(text_[i - 2]) &&
           !(text_[i] >= U'0' && text_[i] <= U'9');
}

double MeasuredText::span(std::size_t begin, std::size_t end) const {
    double width = 0;
    for (std::size_t i = begin; i < end; ++i) width += advance_[i];
    return width;
}

std::size_t MeasuredText::lineOf(std::size_t offset) const {
    auto it = std::upper_bound(lines_.begin(), lines_.end(), offset,
                               [](std::size_t i, const ShapedLine& l) { return i < l.begin; });
    return it == lines_.begin() ? 0 : static_cast<std::size_t>(it - lines_.begin() - 1);
}

const TextStyle& MeasuredText::styleAt(std::size_t offset) const {
    if (offset >= text_.size() && hasLast_) return last_;
    if (runs_.empty()) return paragraph_;
    auto it = std::upper_bound(runs_.begin(), runs_.end(), offset,
                               [](std::size_t i, const ShapeRun& r) { return i < r.begin; });
    return it == runs_.begin() ? runs_.front().style : (it - 1)->style;
}

std::size_t MeasuredText::runEnd(std::size_t offset) const {
    auto it = std::upper_bound(runs_.begin(), runs_.end(), offset,
                               [](std::size_t i, const ShapeRun& r) { return i < r.end; });
    return it == runs_.end() ? text_.size() : std::max(it->end, offset + 1);
}

std::size_t MeasuredText::offsetAt(std::size_t index, double x) const {
    const ShapedLine& line = lines_[index];
    std::size_t found = line.end;
    for (std::size_t i = line.begin; i < line.end; ++i) {
        const double right = i + 1 < line.end ? x_[i + 1] : x_[i] + advance_[i];
        if (x < right) {
            found = x < (x_[i] + right) / 2 ? i : i + 1;
            break;
        }
    }
    // The caret stays on a line that wraps: not after its last character.
    const bool wraps = index + 1 < lines_.size() && lines_[index + 1].begin == line.end;
    if (wraps && line.end > line.begin) found = std::min(found, line.end - 1);
    return found;
}

Bounds MeasuredText::caretAt(std::size_t offset) const {
    offset = std::min(offset, text_.size());
    const ShapedLine& line = lines_[lineOf(offset)];
    return Bounds::of(x_[offset], line.y, 0, line.height);
}

Bounds MeasuredText::charAt(std::size_t offset) const {
    offset = std::min(offset, text_.size());
    const ShapedLine& line = lines_[lineOf(offset)];
    const double x1 = offset + 1 < line.end ? x_[offset + 1]
                      : offset < line.end   ? x_[offset] + advance_[offset]
                                            : x_[offset];
    return {x_[offset], line.y, x1, line.y + line.height};
}

void MeasuredText::drawLine(Canvas& canvas, std::size_t index, double x, double baseline,
                            const Rgba* uniform, const ColorXf& color) const {
    const ShapedLine& line = lines_[index];
    const double dx = x - line.x;
    const bool spread = extra_[index] != 0;
    for (std::size_t a = line.begin; a < line.end;) {
        std::size_t b = std::min(runEnd(a), line.end);
        // Justified text goes word by word, each at its place.
        if (spread) {
            std::size_t c = a + 1;
            while (c < b && isSpace(text_[c]) == isSpace(text_[a])) ++c;
            b = c;
        }
        const TextStyle& style = styleAt(a);
        const Rgba colour = uniform ? *uniform : through(style.color, color);
        const double left = dx + x_[a];
        if (!(spread && isSpace(text_[a]))) {
            measure_.draw(canvas, std::u32string_view(text_).substr(a, b - a), style, left,
                          baseline, colour);
        }
        if (style.underline) {
            const FontMetrics m = measure_.metrics(style);
            const double right = dx + (b < line.end ? x_[b] : x_[b - 1] + advance_[b - 1]);
            CanvasPath bar;
            bar.rect(left, baseline + m.underlinePosition, right - left, m.underlineThickness);
            canvas.fill(bar, CanvasPaint::solid(colour), FillRule::Winding);
        }
        a = b;
    }
    if (hyphens_[index]) {
        const std::size_t last = line.end - 1;
        const TextStyle& style = styleAt(last);
        measure_.draw(canvas, U"-", style, dx + x_[last] + advance_[last], baseline,
                      uniform ? *uniform : through(style.color, color));
    }
}

}  // namespace limn::sdl
