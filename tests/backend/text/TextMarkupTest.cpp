// What markup can make the reader hold is bounded, and any input, however
// mangled, reads without harm and writes back to markup that reads the same.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "backend/text/TextFieldNode.h"
#include "backend/text/TextMarkup.h"
#include "runtime/Log.h"
#include "tests/backend/Pixels.h"

namespace limn::sdl {
namespace {

using namespace std::literals;

TextContent read(const std::string& html) {
    TextContent content;
    TextMarkup::read(html, {}, content);
    return content;
}

std::string repeat(const std::string& piece, std::size_t times) {
    std::string out;
    out.reserve(piece.size() * times);
    for (std::size_t i = 0; i < times; ++i) out += piece;
    return out;
}

TEST(TextMarkupRead, EntitiesInAttributesAreReadSoFacesSurviveARoundTrip) {
    const auto content = read("<font face=\"A&amp;B &lt;C&gt;\">x</font>");
    EXPECT_EQ(content.styleAt(0, {}).font, "A&B <C>");
    EXPECT_EQ(read(TextMarkup::write(content, {})).styleAt(0, {}).font, "A&B <C>");
}

TEST(TextMarkupRead, AnEmptyFirstParagraphKeepsItsLine) {
    EXPECT_EQ(read("<p></p><p>x</p>").text(), U"\nx");
    EXPECT_EQ(read("</p>x").text(), U"x") << "a stray closing tag opens no line";
}

TEST(TextMarkupBounds, NestingPastTheLimitIsDroppedWithItsClosingTags) {
    const auto content = read(repeat("<b>", 99) + "<i>" + repeat("<u>", 50) + "x" +
                              repeat("</u>", 50) + "</i>y" + repeat("</b>", 99) + "z");
    ASSERT_EQ(content.text(), U"xyz");
    EXPECT_TRUE(content.styleAt(0, {}).bold);
    EXPECT_TRUE(content.styleAt(0, {}).italic) << "the 100th level is kept";
    EXPECT_FALSE(content.styleAt(0, {}).underline) << "levels past 100 are dropped";
    EXPECT_TRUE(content.styleAt(1, {}).bold) << "dropped closing tags don't close kept levels";
    EXPECT_FALSE(content.styleAt(1, {}).italic);
    EXPECT_FALSE(content.styleAt(2, {}).bold);
}

TEST(TextMarkupBounds, OverlongFaceLinkAndTargetAreIgnored) {
    const std::string fits(1024, 'f');
    const std::string tooLong(1025, 'f');
    EXPECT_EQ(read("<font face=\"" + fits + "\">a</font>").styleAt(0, {}).font, fits);
    EXPECT_EQ(read("<font face=\"" + tooLong + "\">a</font>").styleAt(0, {}).font,
              TextStyle().font);
    const auto linked = read("<a href=\"" + tooLong + "\" target=\"" + tooLong + "\">a</a>");
    EXPECT_TRUE(linked.styleAt(0, {}).url.empty());
    EXPECT_TRUE(linked.styleAt(0, {}).target.empty());
}

TEST(TextMarkupBounds, DeepNestingUnderAHugeFaceReadsInItsOwnSize) {
    const std::string face(100 * 1024, 'f');
    const auto content =
        read("<font face=\"" + face + "\">" + repeat("<font color=\"#FF0000\">", 10000) + "deep" +
             repeat("</font>", 10001));
    EXPECT_EQ(content.text(), U"deep");
    EXPECT_EQ(content.styleAt(0, {}).color, 0xFF0000u);
}

TEST(TextMarkupBounds, StrayAnglesAndAmpersandsStayText) {
    const auto content = read(repeat("<", 100000) + repeat("&", 100000) + "<b>x");
    EXPECT_EQ(content.size(), 200001u);
    EXPECT_TRUE(content.styleAt(200000, {}).bold);
}

// Markup mangled at random: flipped, dropped and repeated bytes, tags, NULs and
// entities spliced in, cut short. LIMN_FUZZ_ITERATIONS sets how many.
class MarkupMutator {
public:
    explicit MarkupMutator(unsigned seed) : random_(seed) {}

    std::string next() {
        std::string s(kSeeds[pick(std::size(kSeeds) - 1)]);
        const std::size_t edits = 1 + pick(8);
        for (std::size_t e = 0; e < edits; ++e) mutate(s);
        return s;
    }

private:
    static constexpr std::string_view kSeeds[] = {
        "<p align=\"center\"><font face=\"_sans\" size=\"15\" color=\"#FF0000\">Score</font></p>"sv,
        "<b>bold <i>both</i></b> &lt;tag&gt; &amp; &#x263A; &#9731;<br>next"sv,
        "<textformat leftmargin=\"5\" indent=\"-3\" leading=\"2\"><li>one</li><li>two</li>"
        "</textformat>"sv,
        "<a href=\"http://x\" target=\"_blank\"><u>link</u></a><font size=\"+2\" kerning=\"1\" "
        "letterspacing=\"1.5\">big</font>"sv,
        "<P ALIGN=\"RIGHT\"><FONT FACE=\"DejaVu Sans\" SIZE=\"12\" COLOR=\"#000000\" "
        "LETTERSPACING=\"0\" KERNING=\"0\">a\r\nb</FONT></P>"sv,
        // A broken link, stray bytes and NULs, then line breaks.
        "<a hre\xE6=_blank\">li\xBAZ\x18\x10:\xA0{bK\x19nk\x80\0\0\0<br><bp/>\0<br><br/>"sv,
        "<textformat leftmargin=\"40\" rightmargin=\"9\" indent=\"-30\" blockindent=\"7\" "
        "leading=\"-6\"><li>a\0b</li><li>\0</li></textformat><p align=\"justify\">c d e</p>"
        "<p align=\"center\"><font size=\"2000\">W</font></p>"sv,
    };
    static constexpr std::string_view kPieces[] = {
        "<"sv,
        ">"sv,
        "</"sv,
        "&"sv,
        ";"sv,
        "<b>"sv,
        "</b>"sv,
        "<p>"sv,
        "</p>"sv,
        "<br>"sv,
        "&#x"sv,
        "&#1114112;"sv,
        "\xF0\x9F"sv,
        "\xC0"sv,
        "\""sv,
        "<font size=\"-9999\">"sv,
        "<li>"sv,
        "\n"sv,
        "\r"sv,
        "="sv,
        "\0"sv,
        "<br/>"sv,
        "<textformat indent=\"-99\">"sv,
        "<textformat leftmargin=\"500\" leading=\"-20\">"sv,
        "<p align=\"right\">"sv,
        "\xE2\x80\xA9"sv};

    std::size_t pick(std::size_t max) {
        return std::uniform_int_distribution<std::size_t>(0, max)(random_);
    }

    void mutate(std::string& s) {
        const std::size_t at = pick(s.size());
        switch (pick(5)) {
            case 0:
                if (at < s.size()) s[at] = static_cast<char>(pick(255));
                break;
            case 1:
                s.erase(at, pick(6));
                break;
            case 2:
                s.insert(at, kPieces[pick(std::size(kPieces) - 1)]);
                break;
            case 3:
                s.insert(at, s.substr(at, pick(40)));
                break;
            case 4:
                s.resize(at);
                break;
            default:
                s.insert(at, 1, static_cast<char>(pick(127)));
        }
    }

    std::mt19937 random_;
};

std::size_t fuzzIterations() {
    const char* n = std::getenv("LIMN_FUZZ_ITERATIONS");
    return n != nullptr ? std::strtoul(n, nullptr, 10) : 10000;
}

std::size_t fuzzLayoutEvery() {
    const char* n = std::getenv("LIMN_FUZZ_LAYOUT_EVERY");
    return n != nullptr ? std::max<std::size_t>(1, std::strtoul(n, nullptr, 10)) : 5;
}

// A field in one of every combination of multiline, word wrap, auto-size,
// input and a narrow or wide box (`settings` counts through them), given the
// markup and asked what a frame and a program ask.
void layOut(TextFieldNode& f, const std::string& html, std::size_t settings) {
    f.setMultiline((settings & 1) != 0);
    f.setWordWrap((settings & 2) != 0);
    f.setInput((settings & 4) != 0);
    f.setAutoSize(static_cast<int>((settings >> 3) % 4));
    f.setWidth((settings >> 5) % 2 != 0 ? 3 : 160);
    f.setHeight(40);
    f.setHtmlText(html);
    const double width = f.textWidth();
    const double height = f.textHeight();
    ASSERT_TRUE(std::isfinite(width) && width >= 0) << width;
    ASSERT_TRUE(std::isfinite(height) && height >= 0) << height;
    f.setScrollV(f.maxScrollV());
    f.setScrollH(f.maxScrollH());
    ASSERT_GE(f.bottomScrollV(), f.scrollV());
    (void)f.hitContent(5, 5);
    (void)f.contentBounds();
    (void)f.htmlText();
    if (settings % 16 == 0) (void)limn::testing::render(f, 64, 48);
}

TEST(TextMarkupFuzz, MutatedMarkupReadsAndWritesBackStably) {
    const char* seed = std::getenv("LIMN_FUZZ_SEED");
    MarkupMutator mutator(seed != nullptr ? static_cast<unsigned>(std::strtoul(seed, nullptr, 10))
                                          : 16u);
    const std::size_t iterations = fuzzIterations();
    // Mangled face names would each warn about a missing font.
    const rt::log::Level level = rt::log::level();
    rt::log::setLevel(rt::log::Level::Error);
    // Every LIMN_FUZZ_LAYOUT_EVERY-th input (5th by default) is laid out too.
    const std::size_t layoutEvery = fuzzLayoutEvery();
    auto field = std::make_shared<TextFieldNode>();
    std::size_t settings = 0;
    for (std::size_t i = 0; i < iterations; ++i) {
        const std::string input = mutator.next();
        const TextContent first = read(input);
        ASSERT_LE(first.size(), input.size() + 1) << "input " << i << ": " << input;
        const TextContent second = read(TextMarkup::write(first, {}));
        ASSERT_EQ(second.text(), first.text()) << "input " << i << ": " << input;
        // What the writer leaves out (a target without a link) is gone after
        // one pass; from then on markup and content stay the same.
        const std::string written = TextMarkup::write(second, {});
        ASSERT_EQ(TextMarkup::write(read(written), {}), written) << "input " << i << ": " << input;
        if (i % layoutEvery == 0) {
            layOut(*field, input, settings++);
            ASSERT_FALSE(::testing::Test::HasFatalFailure()) << "input " << i << ": " << input;
        }
    }
    rt::log::setLevel(level);
}

}  // namespace
}  // namespace limn::sdl
