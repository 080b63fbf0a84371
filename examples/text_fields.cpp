// Text fields: a TextFormat says how text looks (font, size, colour, bold,
// alignment...); a field shows text in a box. Below: a title, a wrapped
// paragraph with one styled word, three alignments and an input field whose
// text is echoed as you type.
// Run: ./build/examples/text_fields   (Escape or the window's button closes it)
#include "backend/primitives/Primitives.h"
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
    f->limnSetDefTextFormat(format);  // set the format before the text it applies to
    f->limnSetX(x);
    f->limnSetY(y);
    f->limnSetWidth(width);
    f->limnSetHeight(height);
    Lib::current()->addChild(f);
    return f;
}

void start() {
    examples::addExits();
    // TextFormat(font, size, colour, bold, italic): a face name or a font file.
    auto title = std::make_shared<TextFormat>("DejaVu Serif", 26, 0x1D3557, true);
    title->align = TextFormatAlign::CENTER;
    field(10, 10, 300, 40, title)->limnSetText("Text fields");

    auto body = std::make_shared<TextFormat>("DejaVu Sans", 14, 0x333333);
    auto paragraph = field(20, 60, 280, 90, body);
    paragraph->limnSetWordWrap(true);
    paragraph->limnSetMultiline(true);
    paragraph->limnSetText(
        "Long lines wrap at the edge of the box. One word here is "
        "styled on its own, by a format given a range of characters.");
    // Characters 57 to 63 ("styled") get a second format; fields left null keep their value.
    auto loud = std::make_shared<TextFormat>();
    loud->color = 0xE63946;
    loud->bold = true;
    loud->italic = true;
    paragraph->setTextFormat(loud, 57, 63);

    const char* aligns[] = {TextFormatAlign::LEFT, TextFormatAlign::CENTER, TextFormatAlign::RIGHT};
    for (int i = 0; i < 3; ++i) {
        auto format = std::make_shared<TextFormat>("DejaVu Sans", 14, 0x457B9D);
        format->align = aligns[i];
        auto line = field(20, 140 + 30 * i, 280, 24, format);
        line->limnSetBorder(true);
        line->limnSetText(std::string("aligned ") + aligns[i]);
    }

    // An input field: click it, then type. Every edit sends "change".
    auto input = field(20, 240, 280, 28, std::make_shared<TextFormat>("DejaVu Sans Mono", 16, 0));
    input->limnSetType(text::TextFieldType::INPUT);
    input->limnSetBorder(true);
    input->limnSetBackground(true);
    input->limnSetBackgroundColor(0xFFFFFF);
    input->limnSetText("type here");
    auto echo = field(20, 275, 280, 40, body);
    echo->limnSetText("(click the box above and type)");
    // currentTarget is the object whose listener runs: here the input field. ("change"
    // has no target of its own: the first object on its way with listeners takes it.)
    auto onChange = [echo](const std::shared_ptr<events::Event>& e) {
        if (auto typed = e->currentTarget.as<TextField>())
            echo->limnSetText("You typed: " + typed->limnGetText());
    };
    input->addEventListener(events::Event::CHANGE, rt::function(onChange));
}

}  // namespace

int main(int argc, char** argv) {
    if (auto done = examples::commandLine(
            argc, argv,
            {"text_fields", "Text formats, alignments and an input field echoed as you type."}))
        return *done;
    sdl::registerModule();
    Lib::create(rt::function(start), 320, 330, 60.0, 0xF1FAEE, Lib::RESIZABLE, "text fields");
    return 0;
}
