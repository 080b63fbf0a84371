// Lines broken in C++ over measured characters (the page's shaper) for random
// paragraphs: every character on one line in order, no line wider than its room
// unless one character alone is, and carets and hits that agree. (That lines are
// as full as pango makes them is LineBreakAgreementTest's.)
#include <gtest/gtest.h>

#include <random>

#include "backend/text/MeasuredText.h"

namespace limn::sdl {
namespace {

// Advances that vary by character and size; nothing is drawn.
class FakeMeasure final : public TextMeasure {
public:
    void advances(std::u32string_view text, const TextStyle& style, double* out) override {
        for (std::size_t i = 0; i < text.size(); ++i) {
            out[i] =
                style.size * (0.25 + static_cast<double>(text[i] % 5) * 0.1) + style.letterSpacing;
        }
    }
    FontMetrics metrics(const TextStyle& style) override {
        return {style.size * 0.8, style.size * 0.25, style.size * 0.1, 1};
    }
    void draw(Canvas&, std::u32string_view, const TextStyle&, double, double,
              const Rgba&) override {}
};

bool isSpace(char32_t c) {
    return c == U' ' || c == U'\t' || c == 0x3000;
}

std::u32string randomText(std::mt19937& random) {
    const char32_t* words[] = {U"a",          U"lorem", U"ipsum",
                               U"dolor sit",  U"x",     U"  ",
                               U"\u2028amet", U"\n",    U"mmmmmmmmmmmmmmmmmmmmmmmmmm"};
    std::u32string text;
    const int count = static_cast<int>(random() % 30);
    for (int w = 0; w < count; ++w) {
        text += words[random() % 9];
        if (random() % 4) text += U' ';
    }
    return text;
}

std::vector<ShapeRun> randomRuns(std::mt19937& random, std::size_t size) {
    std::vector<ShapeRun> runs;
    for (std::size_t a = 0; a < size;) {
        const std::size_t b = std::min(size, a + 1 + random() % 12);
        ShapeRun run{a, b, TextStyle{}};
        run.style.size = 8.0 + static_cast<double>(random() % 20);
        runs.push_back(run);
        a = b;
    }
    return runs;
}

TEST(MeasuredText, RandomParagraphsBreakIntoLinesThatFit) {
    std::mt19937 random(23);
    FakeMeasure measure;
    for (int round = 0; round < 400; ++round) {
        const std::u32string text = randomText(random);
        const std::vector<ShapeRun> runs = randomRuns(random, text.size());
        const TextStyle paragraph;
        ShapeFormat format;
        format.paragraph = &paragraph;
        format.indent = static_cast<double>(random() % 21) - 10;
        format.spacing = static_cast<double>(random() % 3);
        format.width = random() % 4 == 0 ? -1 : 20.0 + static_cast<double>(random() % 200);
        format.charWrap = random() % 5 == 0;
        format.justify = random() % 4 == 0;
        format.align = static_cast<TextAlign>(random() % 3);
        MeasuredText shaped(measure);
        shaped.shape(text, runs, format);
        SCOPED_TRACE("round " + std::to_string(round));

        // The advance of character i, as the fake measures it.
        std::vector<double> advance(text.size());
        for (const ShapeRun& run : runs) {
            measure.advances(std::u32string_view(text).substr(run.begin, run.end - run.begin),
                             run.style, advance.data() + run.begin);
        }
        const auto width = [&](std::size_t a, std::size_t b) {
            while (b > a && isSpace(text[b - 1])) --b;
            double w = 0;
            for (std::size_t i = a; i < b; ++i) w += advance[i];
            return w;
        };
        const std::vector<ShapedLine>& lines = shaped.lines();
        ASSERT_FALSE(lines.empty());
        EXPECT_EQ(lines.front().begin, 0u);
        EXPECT_EQ(lines.back().end, text.size());
        for (std::size_t k = 0; k < lines.size(); ++k) {
            const ShapedLine& line = lines[k];
            for (std::size_t i = line.begin; i < line.end; ++i) {
                ASSERT_FALSE(text[i] == U'\n' || text[i] == 0x2028) << "line " << k;
            }
            const bool paragraphStart = line.begin == 0 || text[line.begin - 1] == U'\n';
            const bool pieceEnd = k + 1 == lines.size() || lines[k + 1].begin > line.end;
            if (k + 1 < lines.size()) {
                ASSERT_LE(line.end, lines[k + 1].begin);
                ASSERT_LE(lines[k + 1].begin, line.end + 1) << "one separator between lines";
                EXPECT_LE(line.y + line.height, lines[k + 1].y);
            }
            if (format.width < 0) {
                EXPECT_TRUE(pieceEnd) << "unwrapped lines end at separators only";
                continue;
            }
            const double indent =
                paragraphStart ? std::max(format.indent, 0.0) : std::max(-format.indent, 0.0);
            const double room = format.width - indent;
            const std::size_t visible = [&] {
                std::size_t b = line.end;
                while (b > line.begin && isSpace(text[b - 1])) --b;
                return b;
            }();
            EXPECT_TRUE(width(line.begin, line.end) <= room + 1e-6 || visible - line.begin == 1)
                << "line " << k << " is " << width(line.begin, line.end) << " wide in " << room;
        }
        // Carets run left to right along each line, and a hit between two carets
        // finds the nearer one.
        for (std::size_t k = 0; k < lines.size(); ++k) {
            const ShapedLine& line = lines[k];
            const bool wraps = k + 1 < lines.size() && lines[k + 1].begin == line.end;
            for (std::size_t i = line.begin; i < line.end; ++i) {
                const Bounds here = shaped.caretAt(i);
                const Bounds box = shaped.charAt(i);
                EXPECT_EQ(here.x0, box.x0);
                EXPECT_GE(box.x1, box.x0);
                EXPECT_EQ(here.y0, line.y);
                if (box.x1 - box.x0 < 1e-3) continue;
                EXPECT_EQ(shaped.offsetAt(k, box.x0 + 0.25 * (box.x1 - box.x0)), i);
                const std::size_t after = wraps ? std::min(i + 1, line.end - 1) : i + 1;
                EXPECT_EQ(shaped.offsetAt(k, box.x0 + 0.75 * (box.x1 - box.x0)), after);
            }
            EXPECT_EQ(shaped.offsetAt(k, line.x - 5), line.begin);
        }
    }
}

}  // namespace
}  // namespace limn::sdl
