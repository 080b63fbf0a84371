// Text fields edited, formatted and laid out at random: whatever a program or
// a user does, in any field settings, lays out without harm, and the field's
// markup reads back to the same text. LIMN_FUZZ_ITERATIONS sets how many steps
// (2,000 by default), LIMN_FUZZ_SEED the seed; tools/fuzz-text.sh runs long.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <random>
#include <string>
#include <string_view>

#include "backend/stage/StageNode.h"
#include "backend/text/TextFieldNode.h"
#include "runtime/Function.h"
#include "runtime/Log.h"
#include "runtime/Object.h"
#include "tests/backend/Pixels.h"

namespace limn::sdl {
namespace {

using namespace std::literals;

class FieldFuzzer {
public:
    explicit FieldFuzzer(unsigned seed) : random_(seed) {
        stage_->setHandler(rt::function([](rt::Dynamic) {}));
        field_->setWidth(120);
        field_->setHeight(40);
        stage_->addChild(field_);
    }

    // One random step; the text in the step is kept for a failure message.
    void step() {
        switch (pick(9)) {
            case 0:
                field_->setText(randomText());
                break;
            case 1:
                field_->setTextFormat(patch(), range(), range());
                break;
            case 2:
                field_->setDefaultFormat(patch());
                break;
            case 3:
            case 4:
                focus();
                field_->textInput(randomText());
                break;
            case 5:
            case 6:
                focus();
                field_->keyInput(kKeys[pick(std::size(kKeys) - 1)], 0, true, pick(3) == 0 ? 2 : 0);
                break;
            case 7:
                settings();
                break;
            default:
                check();
        }
    }

    // What a frame and a program read; the markup reads back to the same text.
    void check() {
        const double width = field_->textWidth();
        const double height = field_->textHeight();
        ASSERT_TRUE(std::isfinite(width) && width >= 0) << width;
        ASSERT_TRUE(std::isfinite(height) && height >= 0) << height;
        field_->setScrollV(static_cast<int>(pick(50)));
        field_->setScrollH(static_cast<int>(pick(500)));
        ASSERT_LE(field_->scrollV(), field_->maxScrollV());
        (void)field_->hitContent(static_cast<double>(pick(120)), static_cast<double>(pick(40)));
        if (pick(7) == 0) (void)limn::testing::render(*field_, 80, 40);
        const std::string text = field_->text();
        auto copy = std::make_shared<TextFieldNode>();
        copy->setMultiline(true);
        copy->setHtmlText(field_->htmlText());
        ASSERT_EQ(copy->text(), text);
    }

    [[nodiscard]] std::string fieldText() const { return field_->text(); }

private:
    static constexpr int kKeys[] = {8, 46, 37, 38, 39, 40, 36, 35, 13, 33, 34};
    static constexpr std::string_view kPieces[] = {"a"sv,
                                                   "Mole "sv,
                                                   " "sv,
                                                   "\n"sv,
                                                   "\r"sv,
                                                   "\r\n"sv,
                                                   "\t"sv,
                                                   "\0"sv,
                                                   "W"sv,
                                                   "\xC3\xA9"sv,
                                                   "\xF0\x9F\x98\x80"sv,
                                                   "\xE2\x80\xA8"sv,
                                                   "\xE2\x80\xA9"sv,
                                                   "e\xCC\x81"sv,
                                                   "\xD7\x90\xD7\x91"sv,
                                                   "\xE3\x80\x80"sv,
                                                   "\xC0"sv,
                                                   "&lt;"sv,
                                                   "<b>"sv,
                                                   "\x01"sv};

    std::size_t pick(std::size_t max) {
        return std::uniform_int_distribution<std::size_t>(0, max)(random_);
    }

    std::string randomText() {
        std::string out;
        const std::size_t pieces = pick(12);
        for (std::size_t i = 0; i < pieces; ++i) out += kPieces[pick(std::size(kPieces) - 1)];
        // Now and then a word long enough to wrap at any character.
        if (pick(40) == 0) out += std::string(1001 + pick(600), 'x');
        return out;
    }

    int range() {
        const std::size_t kind = pick(5);
        if (kind == 0) return -1;
        if (kind == 1) return 1 << 30;
        return static_cast<int>(pick(field_->content().size() + 2));
    }

    rt::Dynamic number(double most) {
        switch (pick(30)) {
            case 0:
                return std::nan("");
            case 1:
                return -std::numeric_limits<double>::infinity();
            case 2:
                return "12";
            default:
                return std::uniform_real_distribution<double>(-most, most)(random_);
        }
    }

    // A TextFormat record, as a program sends one (read through the same checks).
    TextPatch patch() {
        static constexpr const char* kNames[] = {"size",         "leftMargin",  "rightMargin",
                                                 "indent",       "blockIndent", "leading",
                                                 "letterSpacing"};
        static constexpr double kMost[] = {80, 20000, 400, 400, 400, 60, 20};
        static constexpr const char* kAligns[] = {"left", "right", "center", "justify", "?"};
        auto record = rt::props();
        for (std::size_t i = 0; i < std::size(kNames); ++i) {
            if (pick(2) == 0) record->set(kNames[i], number(kMost[i]));
        }
        if (pick(3) == 0) record->set("align", kAligns[pick(std::size(kAligns) - 1)]);
        if (pick(3) == 0) record->set("bullet", pick(1) == 0);
        if (pick(3) == 0) record->set("bold", pick(1) == 0);
        if (pick(4) == 0) record->set("underline", pick(1) == 0);
        if (pick(4) == 0) record->set("color", static_cast<int>(pick(0xFFFFFF)));
        if (pick(6) == 0) record->set("font", pick(1) == 0 ? "_typewriter" : "_serif");
        return TextPatch::fromRecord(record);
    }

    void settings() {
        field_->setMultiline(pick(1) == 0);
        field_->setWordWrap(pick(1) == 0);
        field_->setInput(pick(1) == 0);
        field_->setAutoSize(static_cast<int>(pick(3)));
        if (pick(1) == 0) field_->setWidth(static_cast<double>(pick(3) == 0 ? pick(4) : pick(400)));
        if (pick(1) == 0) field_->setHeight(static_cast<double>(pick(200)));
    }

    void focus() {
        if (field_->input() && !field_->focused()) stage_->setFocus(field_.get());
    }

    std::mt19937 random_;
    std::shared_ptr<StageNode> stage_ = std::make_shared<StageNode>(320, 480);
    std::shared_ptr<TextFieldNode> field_ = std::make_shared<TextFieldNode>();
};

TEST(TextFieldFuzz, RandomEditsFormatsAndSettingsLayOutAndReadBack) {
    const char* seed = std::getenv("LIMN_FUZZ_SEED");
    const char* steps = std::getenv("LIMN_FUZZ_ITERATIONS");
    // Mangled face names would each warn about a missing font.
    const rt::log::Level level = rt::log::level();
    rt::log::setLevel(rt::log::Level::Error);
    FieldFuzzer fuzzer(seed != nullptr ? static_cast<unsigned>(std::strtoul(seed, nullptr, 10))
                                       : 24u);
    const std::size_t count = steps != nullptr ? std::strtoul(steps, nullptr, 10) : 2000;
    for (std::size_t i = 0; i < count; ++i) {
        fuzzer.step();
        ASSERT_FALSE(::testing::Test::HasFatalFailure())
            << "step " << i << ": " << fuzzer.fieldText();
    }
    fuzzer.check();
    rt::log::setLevel(level);
}

}  // namespace
}  // namespace limn::sdl
