// Damaged font files named as text fields' fonts: each is loaded and used, or
// falls back to the default face, never a crash. LIMN_FUZZ_MUTANTS sets the
// count (tools/fuzz-loaders.sh runs 10,000); the default keeps the suite quick.
#include <cairo.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <random>

#include "backend/desktop/text/TextFonts.h"
#include "tests/backend/MediaFiles.h"

namespace limn::sdl {
namespace {

using limn::testing::ByteVector;

constexpr const char* kSeedFont = "/usr/share/fonts/truetype/dejavu/DejaVuSansMono-Oblique.ttf";

int mutantCount() {
    const char* wanted = std::getenv("LIMN_FUZZ_MUTANTS");
    const int n = wanted ? std::atoi(wanted) : 0;
    return n > 0 ? n : 40;
}

// Most damage goes to the table directory and the small tables at the front,
// where it reaches the parser rather than unused glyphs.
ByteVector damaged(const ByteVector& font, std::mt19937& random) {
    if (random() % 2) return limn::testing::mutate(font, random);
    ByteVector out = font;
    const int edits = 1 + static_cast<int>(random() % 6);
    for (int i = 0; i < edits; ++i) {
        out[random() % std::min<std::size_t>(out.size(), 4096)] =
            static_cast<std::uint8_t>(random());
    }
    return out;
}

// Lays out and draws a few characters in `family`.
void draw(const std::string& family) {
    cairo_surface_t* target = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 64, 32);
    cairo_t* cr = cairo_create(target);
    PangoLayout* layout = pango_layout_new(TextFonts::instance().context());
    PangoFontDescription* font = pango_font_description_from_string((family + " 16px").c_str());
    pango_layout_set_font_description(layout, font);
    pango_layout_set_text(layout, "Hg\xE2\x82\xAC fi", -1);
    pango_cairo_show_layout(cr, layout);
    pango_font_description_free(font);
    g_object_unref(layout);
    cairo_destroy(cr);
    cairo_surface_destroy(target);
}

// Returns how many of the damaged fonts loaded.
int fuzzFonts(const ByteVector& seed) {
    limn::testing::TempDir dir;
    const char* last = std::getenv("LIMN_FUZZ_LAST");
    std::mt19937 random(3);
    int loaded = 0;
    const int count = mutantCount();
    for (int i = 0; i < count; ++i) {
        const ByteVector mutant = damaged(seed, random);
        if (last) {
            std::ofstream(last, std::ios::binary)
                .write(reinterpret_cast<const char*>(mutant.data()),
                       static_cast<std::streamsize>(mutant.size()));
        }
        // A new name each time: families are remembered per name.
        const std::string path = dir.write("f" + std::to_string(i) + ".ttf", mutant);
        const std::string& family = TextFonts::instance().family(path);
        if (family != TextFonts::kDefaultFamily) ++loaded;
        draw(family);
        std::filesystem::remove(path);
    }
    return loaded;
}

TEST(FontFuzz, DamagedFontFilesLoadOrFallBackNeverCrash) {
    std::ifstream in(kSeedFont, std::ios::binary);
    if (!in) GTEST_SKIP() << "no seed font at " << kSeedFont;
    const ByteVector seed{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    // In a process of its own: the damaged faces stay registered under the
    // seed's family for the rest of the process.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(std::exit(fuzzFonts(seed) > 0 ? 0 : 1), ::testing::ExitedWithCode(0), "")
        << "crashed, or not even light damage loaded";
}

}  // namespace
}  // namespace limn::sdl
