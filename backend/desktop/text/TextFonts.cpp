#include "backend/desktop/text/TextFonts.h"

#include <fontconfig/fontconfig.h>
#include <pango/pangofc-fontmap.h>

#include <cmath>
#include <filesystem>

#include "runtime/Log.h"

namespace limn::sdl {

namespace {

// Why fontconfig could not take a font file, for the log.
std::string fileProblem(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::exists(path, error)) return "no such file";
    if (!std::filesystem::is_regular_file(path, error)) return "not a regular file";
    return "fontconfig does not read it as a font";
}

}  // namespace

TextFonts& TextFonts::instance() {
    static TextFonts fonts;
    return fonts;
}

TextFonts::TextFonts() {
    FcInit();
    map_ = pango_cairo_font_map_new_for_font_type(CAIRO_FONT_TYPE_FT);
    if (!map_) map_ = pango_cairo_font_map_new();
    context_ = pango_font_map_create_context(map_);
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_SLIGHT);
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    pango_cairo_context_set_font_options(context_, options);
    cairo_font_options_destroy(options);
    pango_cairo_context_set_resolution(context_, 96);
    pango_context_set_round_glyph_positions(context_, FALSE);
}

TextFonts::~TextFonts() {
    g_object_unref(context_);
    g_object_unref(map_);
}

const std::string& TextFonts::family(const std::string& name) {
    auto it = families_.find(name);
    if (it == families_.end()) {
        it = families_.emplace(name, resolve(name)).first;
        rt::log::debug("font \"" + name + "\" is family \"" + it->second + "\"");
    }
    return it->second;
}

std::string TextFonts::resolve(const std::string& name) {
    if (name == "_sans") return kDefaultFamily;
    if (name == "_serif") return "DejaVu Serif";
    if (name == "_typewriter") return "DejaVu Sans Mono";
    if (fontfiles::looksLikeFile(name)) {
        std::string loaded = loadFile(name);
        if (loaded.empty()) loaded = loadSubstitute(name);
        if (loaded.empty()) {
            rt::log::warn("could not load font file " + name + " (" + fileProblem(name) +
                          "); using " + kDefaultFamily);
            return kDefaultFamily;
        }
        return loaded;
    }
    if (name.empty()) return kDefaultFamily;
    if (!hasFamily(name)) {
        rt::log::warn("no font family \"" + name +
                      "\" is installed (fontconfig knows none); using " + kDefaultFamily);
        return kDefaultFamily;
    }
    return name;
}

std::string TextFonts::loadFile(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return {};
    // Ask fontconfig what the file holds before adding it: a file it can't
    // read as a font is never added.
    int count = 0;
    FcPattern* pattern =
        FcFreeTypeQuery(reinterpret_cast<const FcChar8*>(path.c_str()), 0, nullptr, &count);
    if (!pattern) return {};
    FcChar8* family = nullptr;
    std::string result;
    if (FcPatternGetString(pattern, FC_FAMILY, 0, &family) == FcResultMatch && family) {
        result = reinterpret_cast<const char*>(family);
    }
    FcPatternDestroy(pattern);
    if (result.empty()) return {};
    if (!FcConfigAppFontAddFile(FcConfigGetCurrent(),
                                reinterpret_cast<const FcChar8*>(path.c_str()))) {
        return {};
    }
    if (PANGO_IS_FC_FONT_MAP(map_)) pango_fc_font_map_config_changed(PANGO_FC_FONT_MAP(map_));
    pango_context_changed(context_);
    return result;
}

std::string TextFonts::loadSubstitute(const std::string& path) {
    const std::string file = fontfiles::substitute(path);
    if (file.empty()) return {};
    std::string family = loadFile(file);
    if (!family.empty()) {
        rt::log::info("font file " + path + " is not there; using " + file +
                      ", shipped in its place");
    }
    return family;
}

bool TextFonts::hasFamily(const std::string& family) {
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcObjectSet* objects = FcObjectSetBuild(FC_FAMILY, nullptr);
    FcFontSet* fonts = FcFontList(FcConfigGetCurrent(), pattern, objects);
    const bool found = fonts && fonts->nfont > 0;
    if (fonts) FcFontSetDestroy(fonts);
    FcObjectSetDestroy(objects);
    FcPatternDestroy(pattern);
    return found;
}

double TextFonts::layoutSize(double size) {
    return std::round(size * kSizeSteps) / kSizeSteps;
}

PangoFontDescription* TextFonts::describe(const TextStyle& style) {
    PangoFontDescription* d = pango_font_description_new();
    pango_font_description_set_family(d, family(style.font).c_str());
    pango_font_description_set_absolute_size(d, layoutSize(style.size) * PANGO_SCALE);
    pango_font_description_set_weight(d, style.bold ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
    pango_font_description_set_style(d, style.italic ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
    return d;
}

}  // namespace limn::sdl
