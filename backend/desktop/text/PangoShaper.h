#pragma once
// The desktop's text shaper: a pango layout per block, drawn by pango on the
// desktop canvas's cairo context (nothing is drawn on any other canvas).
//
// Colours are not part of the layout: text of one colour is drawn with the
// cairo source colour, text of many run by run, so colour transforms (fades)
// cost no new layout and many colour runs no attribute list that grows with
// their square.

#include <pango/pangocairo.h>

#include "backend/text/TextShaper.h"

namespace limn::sdl {

class PangoText final : public ShapedText {
public:
    PangoText();
    ~PangoText() override;
    PangoText(const PangoText&) = delete;
    PangoText& operator=(const PangoText&) = delete;

    void shape(std::u32string_view text, const std::vector<ShapeRun>& runs,
               const ShapeFormat& format) override;
    [[nodiscard]] std::size_t offsetAt(std::size_t line, double x) const override;
    [[nodiscard]] Bounds caretAt(std::size_t offset) const override;
    [[nodiscard]] Bounds charAt(std::size_t offset) const override;
    void drawLine(Canvas& canvas, std::size_t line, double x, double baseline, const Rgba* uniform,
                  const ColorXf& color) const override;

private:
    [[nodiscard]] PangoAttrList* attributes(const ShapeFormat& format) const;
    void measure();
    [[nodiscard]] std::size_t charOf(int byteIndex) const;
    [[nodiscard]] const TextStyle& styleAt(std::size_t offset) const;
    static void underline(cairo_t* cr, PangoFont* font, double x, double baseline, double width);

    PangoLayout* layout_ = nullptr;
    std::vector<ShapeRun> runs_;
    std::vector<int> byteOf_;                   // character offset -> byte index
    std::vector<PangoLayoutLine*> pangoLines_;  // owned by the layout
    std::vector<int> lineX_;                    // each line's x, in pango units
};

class PangoShaper final : public TextShaper {
public:
    [[nodiscard]] std::unique_ptr<ShapedText> newText() override;
};

}  // namespace limn::sdl
