// Text fields laid out and drawn for real with pango and cairo.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <limits>
#include <random>
#include <string_view>

#include "backend/desktop/text/TextFonts.h"
#include "backend/stage/StageNode.h"
#include "backend/text/TextFieldNode.h"
#include "runtime/Function.h"
#include "tests/backend/MediaFiles.h"
#include "tests/backend/Pixels.h"

namespace limn::sdl {
namespace {

using limn::testing::inkOf;
using limn::testing::render;

constexpr const char* kSansFile = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
constexpr const char* kMonoFile = "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf";

TextPatch format(const char* font, double size, std::uint32_t color, const char* align = nullptr) {
    TextPatch p;
    p.font = font;
    p.size = size;
    p.color = color;
    if (align) p.align = TextStyle::alignFromName(align);
    return p;
}

std::shared_ptr<TextFieldNode> field(const std::string& text, const TextPatch& patch,
                                     double width = 200, double height = 40) {
    auto f = std::make_shared<TextFieldNode>();
    f->setDefaultFormat(patch);
    f->setWidth(width);
    f->setHeight(height);
    f->setText(text);
    return f;
}

limn::testing::ByteVector readAll(const char* path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(TextFieldLayout, WidthGrowsWithText) {
    auto f = field("1", format("_sans", 15, 0));
    const double one = f->textWidth();
    f->setText("12345");
    EXPECT_GT(one, 0);
    EXPECT_GT(f->textWidth(), one * 3) << "five digits should be far wider than one";
}

TEST(TextFieldLayout, SizeIsInPixels) {
    auto small = field("Hg", format("_sans", 10, 0));
    auto large = field("Hg", format("_sans", 40, 0));
    EXPECT_NEAR(large->textHeight() / small->textHeight(), 4.0, 0.5);
    EXPECT_NEAR(small->textHeight(), 10 * 1.17, 2.0) << "a line is about 1.2 times the size";
}

TEST(TextFieldLayout, AlignmentMovesTheGlyphs) {
    auto left = field("Hi", format("_sans", 20, 0, "left"));
    auto center = field("Hi", format("_sans", 20, 0, "center"));
    auto right = field("Hi", format("_sans", 20, 0, "right"));
    const auto l = inkOf(*render(*left, 200, 40));
    const auto c = inkOf(*render(*center, 200, 40));
    const auto r = inkOf(*render(*right, 200, 40));
    ASSERT_TRUE(l.any() && c.any() && r.any());
    EXPECT_LT(l.left, 10);
    EXPECT_NEAR((c.left + c.right) / 2.0, 100, 4) << "centred text sits in the middle";
    EXPECT_GT(r.right, 188);
    EXPECT_LE(r.right, 198) << "right-aligned text keeps the 2-pixel gutter";
}

TEST(TextFieldLayout, WordWrapBreaksLongLines) {
    auto f = field("one two three four five six", format("_sans", 15, 0), 60, 200);
    const double oneLine = f->textHeight();
    f->setWordWrap(true);
    EXPECT_GT(f->textHeight(), oneLine * 3);
    EXPECT_LE(f->textWidth(), 56.5);
}

std::string fromHex(std::string_view hex) {
    std::string out;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
        out += static_cast<char>(std::stoi(std::string(hex.substr(i, 2)), nullptr, 16));
    }
    return out;
}

TEST(TextFieldLayout, NulCharactersKeepEveryParagraphInItsLayout) {
    // Broken markup with NULs, then line breaks: each paragraph must have its lines.
    const std::string html = fromHex(
        "3c6120687265e63d5f626c616e6b223e6c69ba5a18103aa07b624b196e6b800000003c62723e3c62702f3e00"
        "3c62723e3c62722f3e");
    ASSERT_EQ(html.size(), 53u);
    auto f = field("", format("_sans", 15, 0));
    f->setWordWrap(true);
    f->setHtmlText(html);
    EXPECT_GT(f->textWidth(), 0);
    EXPECT_GE(f->textHeight(), 3 * 15.0) << "four lines";

    f->setMultiline(true);
    f->setHtmlText("<textformat leftmargin=\"4\" indent=\"-2\" leading=\"3\"><li>a" +
                   std::string(1, '\0') + "b</li><li>" + std::string(3, '\0') +
                   "</li></textformat><p>c</p>");
    EXPECT_GT(f->textWidth(), 0);
    EXPECT_GT(f->textHeight(), 3 * 15.0);
}

TEST(TextFieldLayout, LayoutIsCachedUntilTextOrFormatChange) {
    auto f = field("SCORE: 10", format("_sans", 15, 0));
    (void)f->textWidth();
    const auto before = f->layoutCount();
    (void)f->textWidth();
    (void)f->textHeight();
    (void)render(*f, 100, 30);
    EXPECT_EQ(f->layoutCount(), before);
    f->setText("SCORE: 20");
    (void)f->textWidth();
    EXPECT_EQ(f->layoutCount(), before + 1);
    f->setTextFormat(format("_sans", 20, 0), -1, -1);
    (void)f->textWidth();
    EXPECT_EQ(f->layoutCount(), before + 2);
}

TEST(TextFieldFonts, MissingFontFileFallsBackToTheDefaultFace) {
    auto& fonts = TextFonts::instance();
    EXPECT_EQ(fonts.family("/usr/share/fonts/Prelude-Bold.ttf"), TextFonts::kDefaultFamily);
    EXPECT_EQ(fonts.family("NeutraText-Book.otf"), TextFonts::kDefaultFamily);
    EXPECT_EQ(fonts.family("No Such Face Anywhere"), TextFonts::kDefaultFamily);
    auto missing = field("SCORE: 0", format("/usr/share/fonts/Prelude-Bold.ttf", 15, 0));
    auto fallback = field("SCORE: 0", format("DejaVu Sans", 15, 0));
    EXPECT_GT(missing->textWidth(), 0);
    EXPECT_DOUBLE_EQ(missing->textWidth(), fallback->textWidth());
}

TEST(TextFieldFonts, FontFileIsLoadedByPathAndByName) {
    limn::testing::TempDir dir;
    const std::string path = dir.write("Game-Book.ttf", readAll(kMonoFile));
    EXPECT_EQ(TextFonts::instance().family(path), "DejaVu Sans Mono");
    auto mono = field("iiii", format(path.c_str(), 15, 0));
    auto sans = field("iiii", format("DejaVu Sans", 15, 0));
    EXPECT_GT(mono->textWidth(), sans->textWidth() * 1.5) << "the file's monospaced face is used";
}

// A font shipped in place of a named file that isn't there, from the table in
// fonts/ of the working directory; anything else falls back as before.
TEST(TextFieldFonts, AMissingFileNamedInTheTableTakesTheShippedFont) {
    limn::testing::TempDir dir;
    std::filesystem::create_directory(dir.file("fonts"));
    (void)dir.write("fonts/Mono.ttf", readAll(kMonoFile));
    (void)dir.write("Cut.ttf", limn::testing::ByteVector(64, 0x41));
    const std::string table =
        "# requested = shipped\nShipped-Book.otf = Mono.ttf\n Cut.ttf=Mono.ttf \n"
        "Escape.ttf = ../Cut.ttf\nGone.ttf = Nowhere.ttf\n";
    (void)dir.write("fonts/substitutes.txt", limn::testing::ByteVector(table.begin(), table.end()));
    const auto before = std::filesystem::current_path();
    std::filesystem::current_path(dir.file(""));
    auto& fonts = TextFonts::instance();
    EXPECT_EQ(fonts.family("Shipped-Book.otf"), "DejaVu Sans Mono");
    EXPECT_EQ(fonts.family("/usr/share/fonts/nowhere/Shipped-Book.otf"), "DejaVu Sans Mono")
        << "matched by the file's name, wherever it was looked for";
    EXPECT_EQ(fonts.family("Cut.ttf"), TextFonts::kDefaultFamily)
        << "a file that is there but is no font is not replaced";
    EXPECT_EQ(fonts.family("Escape.ttf"), TextFonts::kDefaultFamily) << "only files in fonts/";
    EXPECT_EQ(fonts.family("Gone.ttf"), TextFonts::kDefaultFamily);
    EXPECT_EQ(fonts.family("Unlisted-Book.otf"), TextFonts::kDefaultFamily);
    std::filesystem::current_path(before);
}

TEST(TextFieldFonts, CorruptFontFilesFallBack) {
    limn::testing::TempDir dir;
    const auto good = readAll(kSansFile);
    ASSERT_FALSE(good.empty());
    auto truncated = good;
    truncated.resize(200);
    EXPECT_EQ(TextFonts::instance().family(dir.write("Cut.ttf", truncated)),
              TextFonts::kDefaultFamily);
    EXPECT_EQ(
        TextFonts::instance().family(dir.write("Noise.otf", limn::testing::ByteVector(4096, 0x41))),
        TextFonts::kDefaultFamily);
    std::mt19937 random(3);
    for (int i = 0; i < 8; ++i) {
        auto bad = limn::testing::mutate(good, random);
        const std::string name = "Mutant" + std::to_string(i) + ".ttf";
        auto f = field("Mole 123", format(dir.write(name, bad).c_str(), 15, 0));
        (void)render(*f, 200, 40);
    }
    SUCCEED() << "corrupt fonts loaded or fell back without a crash";
}

TEST(TextFieldMarkup, BoldMarkupDrawsHeavierGlyphs) {
    auto plain = field("", format("_sans", 20, 0));
    auto bold = field("", format("_sans", 20, 0));
    plain->setHtmlText("Whack");
    bold->setHtmlText("<b>Whack</b>");
    EXPECT_EQ(bold->text(), "Whack");
    EXPECT_TRUE(bold->content().styleAt(0, {}).bold);
    EXPECT_GT(inkOf(*render(*bold, 200, 40)).count, inkOf(*render(*plain, 200, 40)).count * 1.2);
}

TEST(TextFieldMarkup, HtmlTextReadsBackWithFormatAndEscapes) {
    auto f = field("", format("_sans", 15, 0xFFFFFF));
    f->setText("a < b");
    const std::string html = f->htmlText();
    EXPECT_NE(html.find("a &lt; b"), std::string::npos) << html;
    EXPECT_NE(html.find("COLOR=\"#FFFFFF\""), std::string::npos) << html;
    auto copy = field("", format("_serif", 30, 0));
    copy->setHtmlText(html);
    EXPECT_EQ(copy->text(), "a < b");
    EXPECT_EQ(copy->content().styleAt(0, {}).color, 0xFFFFFFu);
    EXPECT_EQ(copy->content().styleAt(0, {}).size, 15);
}

TEST(TextFieldFormat, SetTextFormatFormatsOnlyTheRange) {
    auto f = field("abcdef", format("_sans", 15, 0));
    TextPatch bold;
    bold.bold = true;
    f->setTextFormat(bold, 1, 3);
    EXPECT_FALSE(f->content().styleAt(0, {}).bold);
    EXPECT_TRUE(f->content().styleAt(1, {}).bold);
    EXPECT_TRUE(f->content().styleAt(2, {}).bold);
    EXPECT_FALSE(f->content().styleAt(3, {}).bold);
    f->setTextFormat(bold, 5, -1);
    EXPECT_TRUE(f->content().styleAt(5, {}).bold) << "an end of -1 formats one character";
}

TEST(TextFieldFormat, HugeIndicesAreClampedToTheText) {
    auto f = field("abc", format("_sans", 15, 0));
    TextPatch bold;
    bold.bold = true;
    const int huge = std::numeric_limits<int>::max();
    f->setTextFormat(bold, huge, -1);
    f->setTextFormat(bold, huge, huge);
    EXPECT_FALSE(f->content().styleAt(2, {}).bold);
    f->setTextFormat(bold, 1, huge);
    EXPECT_FALSE(f->content().styleAt(0, {}).bold);
    EXPECT_TRUE(f->content().styleAt(2, {}).bold);
}

TEST(TextFieldFormat, TextSetAfterwardsTakesTheDefaultFormat) {
    auto f = field("old", format("_sans", 15, 0));
    f->setDefaultFormat(format("_serif", 30, 0xFF0000));
    EXPECT_EQ(f->content().styleAt(0, {}).size, 15) << "existing text keeps its format";
    f->setText("new");
    EXPECT_EQ(f->content().styleAt(0, {}).size, 30);
    EXPECT_EQ(f->textColor(), 0xFF0000u);
}

TEST(TextFieldFormat, TextColourDrawsInThatColour) {
    auto f = field("MMMM", format("_sans", 30, 0x00FF00));
    auto surface = render(*f, 200, 40);
    const auto ink = inkOf(*surface, 250);
    ASSERT_TRUE(ink.any());
    const std::uint32_t p = limn::testing::straight(surface->row(ink.top + 5)[ink.left + 1]);
    EXPECT_EQ(p & 0xFFFFFF, 0x00FF00u);
}

TEST(TextFieldFormat, RunsOfManyColoursDrawInTheirColoursWithTheirUnderlines) {
    auto f = field("", format("_sans", 30, 0));
    f->setHtmlText("<font color=\"#FF0000\">MM</font><font color=\"#0000FF\"><u>MM</u></font>");
    auto surface = render(*f, 200, 50);
    int red = 0;
    int blue = 0;
    int lowestBlue = 0;
    for (int y = 0; y < surface->height(); ++y) {
        for (int x = 0; x < surface->width(); ++x) {
            const std::uint32_t p = limn::testing::straight(surface->row(y)[x]) & 0xFFFFFF;
            red += p == 0xFF0000 ? 1 : 0;
            if (p == 0x0000FF) {
                ++blue;
                lowestBlue = y;
            }
        }
    }
    EXPECT_GT(red, 50);
    EXPECT_GT(blue, 50);
    const auto ink = inkOf(*surface, 250);
    EXPECT_GT(lowestBlue, ink.top + 22) << "the underline sits below the blue letters";
}

TEST(TextFieldSize, AutoSizeLeftFitsTheText) {
    auto f = field("Hello", format("_sans", 15, 0), 300, 300);
    f->setX(50);
    f->setAutoSize(TextFieldNode::kAutoLeft);
    EXPECT_NEAR(f->boxWidth(), f->textWidth() + 4, 1.0);
    EXPECT_NEAR(f->boxHeight(), f->textHeight() + 4, 1.0);
    EXPECT_EQ(f->x(), 50);
}

TEST(TextFieldSize, AutoSizeRightAndCentreKeepTheirEdge) {
    auto right = field("Hello", format("_sans", 15, 0), 300, 300);
    right->setX(100);
    right->setAutoSize(TextFieldNode::kAutoRight);
    EXPECT_NEAR(right->x() + right->boxWidth(), 400, 0.01);
    auto centre = field("Hello", format("_sans", 15, 0), 300, 300);
    centre->setX(100);
    centre->setAutoSize(TextFieldNode::kAutoCenter);
    EXPECT_NEAR(centre->x() + centre->boxWidth() / 2, 250, 0.01);
    centre->setText("Hello, world, again");
    EXPECT_NEAR(centre->x() + centre->boxWidth() / 2, 250, 0.01) << "stays centred as text changes";
}

TEST(TextFieldSize, WidthSetsTheBoxNotTheScale) {
    auto f = field("x", format("_sans", 15, 0));
    f->setWidth(320);
    EXPECT_EQ(f->boxWidth(), 320);
    EXPECT_EQ(f->scaleX(), 1);
    EXPECT_NEAR(f->width(), 320, 0.01);
}

TEST(TextFieldScroll, LinesBeyondTheBoxCanBeScrolled) {
    auto f = field("1\n2\n3\n4\n5\n6\n7\n8", format("_sans", 15, 0), 100, 44);
    EXPECT_EQ(f->scrollV(), 1);
    EXPECT_EQ(f->bottomScrollV(), 2);
    EXPECT_EQ(f->maxScrollV(), 7);
    f->setScrollV(100);
    EXPECT_EQ(f->scrollV(), 7) << "scrolling stops at the last page";
    EXPECT_EQ(f->bottomScrollV(), 8);
    f->setScrollV(-3);
    EXPECT_EQ(f->scrollV(), 1);
}

TEST(TextFieldScroll, LongLinesScrollHorizontally) {
    auto f = field("a very long line that cannot fit", format("_sans", 15, 0), 50, 30);
    EXPECT_GT(f->maxScrollH(), 100);
    f->setScrollH(30);
    EXPECT_EQ(f->scrollH(), 30);
    f->setWordWrap(true);
    EXPECT_EQ(f->maxScrollH(), 0);
}

// Editing through the focus and key hooks the stage's input calls.
class TextFieldEditing : public ::testing::Test {
protected:
    void SetUp() override {
        stage = std::make_shared<StageNode>(320, 480);
        stage->setHandler(rt::function([this](rt::Dynamic record) {
            if (auto r = record.asObject(); r && r->get("type").asInt() == 19) {
                changes.push_back(r->get("id").asInt());
            }
        }));
        input = field("", format("_sans", 15, 0), 200, 30);
        input->setInput(true);
        stage->addChild(input);
        stage->setFocus(input.get());
    }
    void key(int code, int flags = 0) { input->keyInput(code, 0, true, flags); }

    std::shared_ptr<StageNode> stage;
    std::shared_ptr<TextFieldNode> input;
    std::vector<int> changes;
};

TEST_F(TextFieldEditing, TypingInsertsAtTheCaretAndReportsChange) {
    ASSERT_TRUE(input->focused());
    input->textInput("helo");
    key(37);  // left
    input->textInput("l");
    EXPECT_EQ(input->text(), "hello");
    EXPECT_EQ(changes.size(), 2u);
    EXPECT_EQ(changes.front(), input->id());
}

TEST_F(TextFieldEditing, BackspaceDeleteAndShiftSelection) {
    input->textInput("abcdef");
    key(8);  // backspace
    EXPECT_EQ(input->text(), "abcde");
    key(36);  // home
    key(46);  // delete
    EXPECT_EQ(input->text(), "bcde");
    key(39, 2);
    key(39, 2);  // shift+right twice selects "bc"
    EXPECT_EQ(input->editor().selectionEnd() - input->editor().selectionBegin(), 2u);
    input->textInput("X");
    EXPECT_EQ(input->text(), "Xde");
    key(8);
    key(8);
    key(8);
    EXPECT_EQ(input->text(), "de") << "backspace at the start changes nothing";
    EXPECT_EQ(changes.size(), 5u);
}

// The caret is a line's height tall after the text; a selection is highlighted
// behind its characters.
TEST(TextFieldDrawing, AFocusedInputShowsItsCaretAndSelection) {
    auto f = field("Caret", format("_sans", 16, 0x000080), 200, 30);
    f->setInput(true);
    const auto text = inkOf(*render(*f, 200, 30));
    f->focusChanged(true);
    const auto caret = inkOf(*render(*f, 200, 30));
    ASSERT_TRUE(text.any());
    EXPECT_GT(caret.right, text.right) << "the caret stands after the text";
    EXPECT_GE(caret.bottom - caret.top + 1, 16) << "as tall as the line";
    f->keyInput(37, 0, true, 2);  // shift + left selects the "t"
    const auto surface = render(*f, 200, 30);
    int highlighted = 0;
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 200; ++x) {
            highlighted += limn::testing::straight(surface->row(y)[x]) == 0xFFA8CEFF ? 1 : 0;
        }
    }
    EXPECT_GT(highlighted, 20) << "the selection's highlight";
}

TEST_F(TextFieldEditing, EnterBreaksOnlyMultilineFields) {
    input->textInput("a");
    key(13);
    EXPECT_EQ(input->text(), "a");
    input->setMultiline(true);
    key(13);
    input->textInput("b");
    EXPECT_EQ(input->text(), "a\nb");
    key(38);  // up
    EXPECT_EQ(input->editor().caret(), 1u);
}

TEST_F(TextFieldEditing, ControlCharactersAreNotTyped) {
    input->textInput(std::string("x\x01\x7Fy\tz", 7));
    EXPECT_EQ(input->text(), "xyz");
}

TEST_F(TextFieldEditing, DynamicFieldsIgnoreKeys) {
    input->setText("fixed");
    input->setInput(false);
    input->textInput("more");
    key(8);
    EXPECT_EQ(input->text(), "fixed");
    EXPECT_TRUE(changes.empty());
}

TEST_F(TextFieldEditing, ProgramChangesSendNoChangeEvent) {
    input->setText("set by code");
    input->setHtmlText("<b>too</b>");
    EXPECT_TRUE(changes.empty());
}

}  // namespace
}  // namespace limn::sdl
