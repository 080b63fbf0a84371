// The page's line breaking (MeasuredText) given the desktop's own advances breaks
// random paragraphs into the same lines as pango does.
#include <gtest/gtest.h>

#include <map>
#include <random>

#include "backend/desktop/text/PangoShaper.h"
#include "backend/desktop/text/TextFonts.h"
#include "backend/text/MeasuredText.h"

namespace limn::sdl {
namespace {

// Each character's advance as pango lays it out alone.
class PangoMeasure final : public TextMeasure {
public:
    void advances(std::u32string_view text, const TextStyle& style, double* out) override {
        for (std::size_t i = 0; i < text.size(); ++i) out[i] = advance(text[i], style);
    }
    FontMetrics metrics(const TextStyle& style) override {
        return {style.size * 0.9, style.size * 0.25, 1, 1};
    }
    void draw(Canvas&, std::u32string_view, const TextStyle&, double, double,
              const Rgba&) override {}

private:
    double advance(char32_t c, const TextStyle& style) {
        const auto key = std::make_pair(c, style.size);
        auto it = known_.find(key);
        if (it != known_.end()) return it->second;
        PangoText one;
        one.shape(std::u32string(1, c), {{0, 1, style}}, ShapeFormat{&style});
        return known_[key] = one.width();
    }

    std::map<std::pair<char32_t, double>, double> known_;
};

TEST(LineBreakAgreement, MeasuredLinesMatchPangosForTheSameAdvances) {
    const char32_t* words[] = {U"a",
                               U"moles",
                               U"pop",
                               U"out",
                               U"twenty-three",
                               U"holes",
                               U"x",
                               U"WWWWWWWWWW",
                               U"up,",
                               U"Mole.",
                               U"mmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmm"};
    std::mt19937 random(5);
    PangoMeasure measure;
    int lines = 0;
    for (int round = 0; round < 150; ++round) {
        std::u32string text;
        const int count = 1 + static_cast<int>(random() % 25);
        for (int w = 0; w < count; ++w) {
            if (w > 0) text += U' ';
            text += words[random() % 11];
        }
        TextStyle style;
        style.size = 10.0 + static_cast<double>(random() % 12);
        ShapeFormat format{&style};
        format.width = 40.0 + static_cast<double>(random() % 260);
        PangoText pango;
        MeasuredText ours(measure);
        pango.shape(text, {{0, text.size(), style}}, format);
        ours.shape(text, {{0, text.size(), style}}, format);
        SCOPED_TRACE("round " + std::to_string(round) + " at width " +
                     std::to_string(format.width));
        ASSERT_EQ(ours.lines().size(), pango.lines().size());
        for (std::size_t k = 0; k < ours.lines().size(); ++k) {
            EXPECT_EQ(ours.lines()[k].begin, pango.lines()[k].begin) << "line " << k;
            EXPECT_EQ(ours.lines()[k].end, pango.lines()[k].end) << "line " << k;
            EXPECT_NEAR(ours.lines()[k].x, pango.lines()[k].x, 1e-6) << "line " << k;
        }
        lines += static_cast<int>(ours.lines().size());
    }
    EXPECT_GT(lines, 300) << "most paragraphs wrap";
}

}  // namespace
}  // namespace limn::sdl
