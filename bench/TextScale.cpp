// One text field of a given size, laid out and drawn once, for measuring time
// and peak memory from outside (/usr/bin/time -v) at sizes too large for the
// benchmark loop:
//
//   bench_text_scale newlines 1048576 center nowrap [out.png]
//
// Kinds: "newlines" (that many '\n'), "unbreakable" (that many 'x'), "lines"
// (short words and a newline every 40 characters). Alignment: left, center,
// right, justify. Wrap: wrap or nowrap, in a 300-pixel-wide field. Prints the
// text's size and the seconds taken; with a path, writes the drawn field
// (300 x 200) as a PNG.

#include <cairo.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "backend/desktop/raster/SurfaceViews.h"
#include "backend/image/Surface.h"
#include "backend/scene/Renderer.h"
#include "backend/text/TextFieldNode.h"

namespace {

using limn::sdl::TextFieldNode;

std::string makeText(const std::string& kind, std::size_t size) {
    if (kind == "newlines") return std::string(size, '\n');
    if (kind == "unbreakable") return std::string(size, 'x');
    std::string text;
    text.reserve(size);
    const char* words[] = {"lorem ", "ipsum ", "dolor ", "sit ", "amet "};
    for (std::size_t i = 0; text.size() < size; ++i) {
        text += words[i % 5];
        if (i % 7 == 6) text.back() = '\n';
    }
    text.resize(size);
    return text;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 5) {
        std::fprintf(stderr,
                     "usage: %s newlines|unbreakable|lines SIZE left|center|right|justify "
                     "wrap|nowrap [out.png]\n",
                     argv[0]);
        return 2;
    }
    const std::string text = makeText(argv[1], std::strtoull(argv[2], nullptr, 10));
    const auto start = std::chrono::steady_clock::now();
    TextFieldNode field;
    limn::sdl::TextPatch format;
    format.font = "_sans";
    format.size = 12;
    format.color = 0x000000;
    format.align = limn::sdl::TextStyle::alignFromName(argv[3]);
    field.setDefaultFormat(format);
    field.setMultiline(true);
    field.setWidth(300);
    field.setHeight(200);
    field.setWordWrap(std::string(argv[4]) == "wrap");
    field.setText(text);
    const double width = field.textWidth();
    const double height = field.textHeight();
    auto surface = limn::sdl::Surface::create(300, 200, true, 0xFFFFFFFF);
    limn::sdl::Renderer::render(field, *surface, limn::sdl::RenderOptions{});
    surface->flush();
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    std::printf("%s %zu bytes %s %s: text %.0f x %.0f, %.3f s\n", argv[1], text.size(), argv[3],
                argv[4], width, height, took.count());
    if (argc > 5) cairo_surface_write_to_png(cairoOf(*surface), argv[5]);
    return 0;
}
