// Text fields: a TextFormat says how text looks (font, size, colour, bold,
// alignment...); a field shows text in a box. Below: a title, a wrapped
// paragraph with one styled word, three alignments and an input field whose
// text is echoed as you type.
// Run: ./build/examples/text_fields   (Escape or the window's button closes it)
#include "examples/CommandLine.h"
#include "examples/Exits.h"
#include "framework/Lib.h"
#include "framework/display/MovieClip.h"
#include "framework/text/TextField.h"
#include "framework/text/TextFormatAlign.h"

using namespace limn;
using text::TextField;
using text::TextFormat;
using text::TextFormatAlign;

namespace {

// A field of the given box, with `format` for all of its text.
std::shared_ptr<TextField> field(double x, double y, double width, double height,
                                 const std::shared_ptr<TextFormat>& format) {
    auto f = std::make_shared<TextField>();
    f->setDefaultTextFormat(format);  // set the format before the text it applies to
    f->setX(x);
    f->setY(y);
    f->setWidth(width);
    f->setHeight(height);
    Lib::current()->addChild(f);
    return f;
}

void start() {
    examples::addExits();
    // The font is a face name or a font file; fields left out stay unset.
    auto title = TextFormat::make({.font = "DejaVu Serif",
                                   .size = 26,
                                   .color = 0x1D3557,
                                   .bold = true,
                                   .align = TextFormatAlign::CENTER});
    field(10, 10, 300, 40, title)->setText("Text fields");

    auto body = TextFormat::make({.font = "DejaVu Sans", .size = 14, .color = 0x333333});
    auto paragraph = field(20, 60, 280, 90, body);
    paragraph->setWordWrap(true);
    paragraph->setMultiline(true);
    paragraph->setText(
        "Long lines wrap at the edge of the box. One word here is "
        "styled on its own, by a format given a range of characters.");
    // Characters 57 to 63 ("styled") get a second format; fields left null keep their value.
    paragraph->setTextFormat(TextFormat::make({.color = 0xE63946, .bold = true, .italic = true}),
                             57, 63);

    const char* aligns[] = {TextFormatAlign::LEFT, TextFormatAlign::CENTER, TextFormatAlign::RIGHT};
    for (int i = 0; i < 3; ++i) {
        auto format = TextFormat::make(
            {.font = "DejaVu Sans", .size = 14, .color = 0x457B9D, .align = aligns[i]});
        auto line = field(20, 140 + 30 * i, 280, 24, format);
        line->setBorder(true);
        line->setText(std::string("aligned ") + aligns[i]);
    }

    // An input field: click it, then type. Every edit sends "change".
    auto input = field(20, 240, 280, 28,
                       TextFormat::make({.font = "DejaVu Sans Mono", .size = 16, .color = 0}));
    input->setType(text::TextFieldType::INPUT);
    input->setBorder(true);
    input->setBackground(true);
    input->setBackgroundColor(0xFFFFFF);
    input->setText("type here");
    auto echo = field(20, 275, 280, 40, body);
    echo->setText("(click the box above and type)");
    // currentTarget is the object whose listener runs: here the input field. ("change"
    // has no target of its own: the first object on its way with listeners takes it.)
    input->on(events::Event::CHANGE, [echo](events::Event& e) {
        if (auto typed = e.currentTarget.as<TextField>())
            echo->setText("You typed: " + typed->text());
    });
}

}  // namespace

int main(int argc, char** argv) {
    if (auto done = examples::commandLine(
            argc, argv,
            {"text_fields", "Text formats, alignments and an input field echoed as you type."}))
        return *done;
    Lib::create(start, {.width = 320, .height = 330, .color = 0xF1FAEE, .title = "text fields"});
    return 0;
}
