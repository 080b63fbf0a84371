// Formats kept per character through shared palette entries, checked against
// a plain list of one format per character.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "backend/text/TextContent.h"

namespace limn::sdl {
namespace {

// The model: the text and one full format per character.
struct Model {
    std::u32string text;
    std::vector<TextStyle> styles;

    void replace(std::size_t begin, std::size_t end, const std::u32string& insert,
                 const TextStyle& style) {
        begin = std::min(begin, text.size());
        end = std::clamp(end, begin, text.size());
        text.replace(begin, end - begin, insert);
        styles.erase(styles.begin() + static_cast<std::ptrdiff_t>(begin),
                     styles.begin() + static_cast<std::ptrdiff_t>(end));
        styles.insert(styles.begin() + static_cast<std::ptrdiff_t>(begin), insert.size(), style);
    }
    void format(std::size_t begin, std::size_t end, const TextPatch& patch) {
        begin = std::min(begin, text.size());
        end = std::clamp(end, begin, text.size());
        std::size_t from = begin;
        std::size_t to = end;
        if (patch.hasParagraphFormat()) {
            while (from > 0 && text[from - 1] != U'\n') --from;
            while (to < text.size() && text[to] != U'\n') ++to;
            if (to < text.size()) ++to;
        }
        for (std::size_t i = from; i < to; ++i) {
            if (i >= begin && i < end) patch.applyCharacterFormat(styles[i]);
            patch.applyParagraphFormat(styles[i]);
        }
    }
};

TEST(TextContent, RandomEditsAndFormatsMatchOneFormatPerCharacter) {
    std::mt19937 random(18);
    auto pick = [&random](std::size_t n) {
        return std::uniform_int_distribution<std::size_t>(0, n)(random);
    };
    for (int round = 0; round < 20; ++round) {
        TextContent content;
        Model model;
        for (int step = 0; step < 200; ++step) {
            const std::size_t size = model.text.size();
            const std::size_t a = pick(size + 2);
            const std::size_t b = a + pick(8);
            TextStyle style;
            style.color = static_cast<std::uint32_t>(pick(5));
            style.size = 10 + static_cast<double>(pick(2));
            const std::u32string insert(pick(6), pick(3) == 0 ? U'\n' : U'x');
            switch (pick(3)) {
                case 0: {
                    content.replace(a, b, insert, style);
                    model.replace(a, b, insert, style);
                    break;
                }
                case 1: {
                    TextPatch patch;
                    if (pick(1)) patch.color = static_cast<std::uint32_t>(pick(5));
                    if (pick(1)) patch.bold = pick(1) == 1;
                    if (pick(2) == 0) patch.indent = static_cast<double>(pick(3));
                    content.format(a, b, patch);
                    model.format(a, b, patch);
                    break;
                }
                case 2: {
                    content.append(insert, style);
                    model.replace(size, size, insert, style);
                    break;
                }
                default: {
                    content.assign(insert, style);
                    model.text = insert;
                    model.styles.assign(insert.size(), style);
                }
            }
            ASSERT_EQ(content.text(), model.text);
            std::vector<TextStyle> distinct;
            for (std::size_t i = 0; i < model.text.size(); ++i) {
                ASSERT_EQ(content.styleAt(i, {}), model.styles[i])
                    << "round " << round << " step " << step << " character " << i;
                if (std::find(distinct.begin(), distinct.end(), model.styles[i]) == distinct.end())
                    distinct.push_back(model.styles[i]);
            }
            ASSERT_EQ(content.formatCount(), distinct.size()) << "formats no one uses are kept";
        }
    }
}

TEST(TextContent, FormattingEachCharacterKeepsOnlyTheFormatsInUse) {
    TextContent content;
    content.assign(std::u32string(2000, U'a'), {});
    TextPatch patch;
    for (std::size_t i = 0; i < 2000; ++i) {
        patch.color = static_cast<std::uint32_t>(i % 7);
        content.format(i, i + 1, patch);
    }
    EXPECT_EQ(content.formatCount(), 7u);
    for (std::size_t i = 0; i < 2000; ++i) {
        patch.color = 0x123456;
        content.format(i, i + 1, patch);
    }
    EXPECT_EQ(content.formatCount(), 1u);
    EXPECT_EQ(content.styleAt(1999, {}).color, 0x123456u);
}

}  // namespace
}  // namespace limn::sdl
