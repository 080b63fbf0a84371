#pragma once
// The page's text shaper: characters measured with the canvas's measureText and
// runs drawn with fillText on the WebCanvas's context (text.js); lines are broken
// in C++ (MeasuredText), so they break where the desktop's do when the widths
// agree. Nothing is drawn on any other canvas.
//
// Fonts: "_sans", "_serif" and "_typewriter" are the page's sans-serif, serif and
// monospace; a font file (by path, or shipped in its place, as on the desktop) is
// read from the page's files and registered from its bytes; any other name is
// asked of the page by that family name, falling back to sans-serif. A file that
// is missing or no font falls back to DejaVu Sans (then sans-serif) with a warning.
// WebAssembly builds only; program thread only.

#include <string>
#include <unordered_map>

#include "backend/text/MeasuredText.h"

namespace limn::web::text {

class CanvasMeasure final : public sdl::TextMeasure {
public:
    void advances(std::u32string_view text, const sdl::TextStyle& style, double* out) override;
    [[nodiscard]] sdl::FontMetrics metrics(const sdl::TextStyle& style) override;
    void draw(sdl::Canvas& canvas, std::u32string_view text, const sdl::TextStyle& style, double x,
              double baseline, const sdl::Rgba& colour) override;

    // The CSS family list a font name stands for (kept per name).
    [[nodiscard]] const std::string& families(const std::string& name);

private:
    [[nodiscard]] int fontOf(const sdl::TextStyle& style);
    [[nodiscard]] std::string resolve(const std::string& name);
    // The family a font file registers as; empty when the page can't read it.
    [[nodiscard]] std::string loadFile(const std::string& path);
    [[nodiscard]] const std::uint32_t* codes(std::u32string_view text);

    std::unordered_map<std::string, std::string> families_;
    std::unordered_map<std::string, int> fonts_;  // by family, size, weight and slant
    std::unordered_map<int, sdl::FontMetrics> metrics_;
    std::u32string scratch_;
};

class CanvasShaper final : public sdl::TextShaper {
public:
    [[nodiscard]] std::unique_ptr<sdl::ShapedText> newText() override;
    [[nodiscard]] CanvasMeasure& measure() { return measure_; }

private:
    CanvasMeasure measure_;
};

}  // namespace limn::web::text
