// Paragraphs sharing shaped blocks lay out and draw exactly as with a layout
// each.
#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "backend/image/Surface.h"
#include "backend/text/TextLayout.h"

namespace limn::sdl {
namespace {

// Random paragraphs: words, empty ones, line separators, long words, and a
// random paragraph format for every few paragraphs.
TextContent randomContent(std::mt19937& random) {
    const char32_t* words[] = {U"a", U"lorem", U"ipsum", U"dolor", U"x", U"sit\u2028amet", U"mmmm"};
    std::u32string text;
    const int paragraphs = 1 + static_cast<int>(random() % 12);
    for (int p = 0; p < paragraphs; ++p) {
        const int count = static_cast<int>(random() % 9);
        for (int w = 0; w < count; ++w) {
            text += words[random() % 7];
            text += U' ';
        }
        if (random() % 6 == 0) text += std::u32string(1000 + random() % 30, U'w');
        if (p + 1 < paragraphs) text += U'\n';
    }
    TextContent content;
    content.assign(text, TextStyle{});
    const TextAlign aligns[] = {TextAlign::Left, TextAlign::Right, TextAlign::Center,
                                TextAlign::Justify};
    for (std::size_t at = 0; at < text.size(); at += 1 + random() % 40) {
        TextPatch patch;
        if (random() % 2) patch.align = aligns[random() % 4];
        if (random() % 3 == 0) patch.leading = static_cast<double>(random() % 9) - 4;
        if (random() % 4 == 0) patch.indent = static_cast<double>(random() % 21) - 10;
        if (random() % 4 == 0) patch.leftMargin = static_cast<double>(random() % 10);
        if (random() % 4 == 0) patch.size = 8.0 + static_cast<double>(random() % 20);
        if (random() % 5 == 0) patch.bold = true;
        content.format(at, at + 1 + random() % 20, patch);
    }
    return content;
}

std::vector<std::uint32_t> pixels(TextLayout& layout) {
    const std::shared_ptr<Surface> surface = Surface::create(320, 1200, true, 0);
    layout.draw(*openCanvas(*surface), ColorXf{}, 3, 40);
    surface->flush();
    std::vector<std::uint32_t> out;
    for (int y = 0; y < surface->height(); ++y) {
        out.insert(out.end(), surface->row(y), surface->row(y) + surface->width());
    }
    return out;
}

TEST(TextLayout, SharedLayoutsMatchOneLayoutPerParagraph) {
    std::mt19937 random(18);
    for (int round = 0; round < 60; ++round) {
        const TextContent content = randomContent(random);
        const bool wrap = random() % 2;
        const double width = 120.0 + static_cast<double>(random() % 200);
        TextLayout shared;
        TextLayout alone(false);
        shared.update(content, TextStyle{}, width, wrap);
        alone.update(content, TextStyle{}, width, wrap);
        SCOPED_TRACE("round " + std::to_string(round) + (wrap ? ", wrapped" : ", unwrapped"));
        ASSERT_EQ(shared.lines().size(), alone.lines().size());
        EXPECT_EQ(shared.textHeight(), alone.textHeight());
        EXPECT_EQ(shared.textWidth(), alone.textWidth());
        for (std::size_t i = 0; i < shared.lines().size(); ++i) {
            const TextLayout::Line& a = shared.lines()[i];
            const TextLayout::Line& b = alone.lines()[i];
            EXPECT_EQ(a.begin, b.begin) << "line " << i;
            EXPECT_EQ(a.end, b.end) << "line " << i;
            EXPECT_EQ(a.top, b.top) << "line " << i;
            EXPECT_EQ(a.baseline, b.baseline) << "line " << i;
            EXPECT_EQ(a.paragraphEnd, b.paragraphEnd) << "line " << i;
            EXPECT_EQ(a.x + a.dx, b.x + b.dx) << "line " << i;
        }
        for (std::size_t i = 0; i <= content.size(); i += 1 + random() % 7) {
            const Bounds p = shared.caretAt(i);
            const Bounds q = alone.caretAt(i);
            EXPECT_EQ(p.x0, q.x0) << "caret " << i;
            EXPECT_EQ(p.y0, q.y0) << "caret " << i;
            EXPECT_EQ(shared.lineOf(i), alone.lineOf(i)) << "caret " << i;
        }
        for (int k = 0; k < 40; ++k) {
            const double x = static_cast<double>(random() % 340) - 10;
            const double y = static_cast<double>(random() % 1000) - 10;
            EXPECT_EQ(shared.indexAt(x, y), alone.indexAt(x, y)) << x << ", " << y;
        }
        EXPECT_TRUE(pixels(shared) == pixels(alone)) << "the drawn text differs";
        EXPECT_LE(shared.blockCount(), alone.blockCount());
    }
}

}  // namespace
}  // namespace limn::sdl
