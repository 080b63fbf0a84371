#pragma once
// A shaped block laid out in plain C++ over measured characters: for a backend
// that can measure and draw runs of text (a page's canvas) but breaks no lines
// itself. Lines break as the desktop's pango breaks them where the widths
// agree: between words (after the spaces that end a word, which stay on their
// line) and after a hyphen inside a word (not before a digit), inside a word
// only when it alone is wider than the line (the line then ends in a hyphen,
// which must fit too), at any
// character with `charWrap`; '\n' ends a paragraph and U+2028 a line (neither
// is part of a line). A negative indent indents every line of a paragraph but
// the first. Alignment and justification are within the wrap width; trailing
// spaces are not aligned.
//
// Carets and hits follow the characters' advances: the caret before a
// character is at the sum of the advances before it on its line.

#include <vector>

#include "backend/text/TextShaper.h"

namespace limn::sdl {

// What a backend measures of a font.
struct FontMetrics {
    double ascent = 0;              // above the baseline, > 0
    double descent = 0;             // below it, >= 0
    double underlinePosition = 0;   // of the underline's top, below the baseline
    double underlineThickness = 1;  // at least 1
};

class TextMeasure {
public:
    virtual ~TextMeasure() = default;
    // The advance of each character of `text` in `style` (letter spacing included)
    // into `out`, which holds text.size() numbers.
    virtual void advances(std::u32string_view text, const TextStyle& style, double* out) = 0;
    [[nodiscard]] virtual FontMetrics metrics(const TextStyle& style) = 0;
    // Draws `text` in `style` from (x, baseline), in the canvas's current coordinates.
    virtual void draw(Canvas& canvas, std::u32string_view text, const TextStyle& style, double x,
                      double baseline, const Rgba& colour) = 0;
};

class MeasuredText final : public ShapedText {
public:
    // `measure` must outlive the text.
    explicit MeasuredText(TextMeasure& measure) : measure_(measure) {}

    void shape(std::u32string_view text, const std::vector<ShapeRun>& runs,
               const ShapeFormat& format) override;
    [[nodiscard]] std::size_t offsetAt(std::size_t line, double x) const override;
    [[nodiscard]] Bounds caretAt(std::size_t offset) const override;
    [[nodiscard]] Bounds charAt(std::size_t offset) const override;
    void drawLine(Canvas& canvas, std::size_t line, double x, double baseline, const Rgba* uniform,
                  const ColorXf& color) const override;

private:
    // Lines of one paragraph piece [begin, end) that no separator interrupts.
    void breakLines(std::size_t begin, std::size_t end, bool firstOfParagraph,
                    const ShapeFormat& format);
    // `wraps`: another line of the same paragraph piece follows.
    void addLine(std::size_t begin, std::size_t end, double indent, bool wraps,
                 const ShapeFormat& format);
    // Where a line from `begin` ends when it may be `room` wide.
    [[nodiscard]] std::size_t fit(std::size_t begin, std::size_t end, double room,
                                  bool charWrap) const;
    [[nodiscard]] double span(std::size_t begin, std::size_t end) const;
    // Whether a line may break before character i, after a hyphen.
    [[nodiscard]] bool afterHyphen(std::size_t i) const;
    // Whether a line that breaks before character i breaks a word: it ends in a hyphen.
    [[nodiscard]] bool hyphenates(std::size_t i) const;
    // The hyphen's advance in the format of character i.
    [[nodiscard]] double hyphenWidth(std::size_t i) const;
    [[nodiscard]] std::size_t lineOf(std::size_t offset) const;
    [[nodiscard]] const TextStyle& styleAt(std::size_t offset) const;
    [[nodiscard]] std::size_t runEnd(std::size_t offset) const;
    [[nodiscard]] static bool isSpace(char32_t c) { return c == U' ' || c == U'\t' || c == 0x3000; }

    TextMeasure& measure_;
    std::u32string text_;
    std::vector<ShapeRun> runs_;
    TextStyle paragraph_;
    TextStyle last_;
    bool hasLast_ = false;
    std::vector<double> advance_;  // per character
    std::vector<double> x_;        // the caret before each offset, in the block
    std::vector<double> extra_;    // per line: added to each inner space (justified)
    std::vector<bool> hyphens_;    // per line: ends in a hyphen it adds
};

}  // namespace limn::sdl
