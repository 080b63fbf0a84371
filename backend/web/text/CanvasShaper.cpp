#include "backend/web/text/CanvasShaper.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "backend/text/FontFiles.h"
#include "backend/web/raster/WebCanvas.h"
#include "backend/web/text/TextCalls.h"
#include "runtime/Log.h"

namespace limn::sdl {

TextShaper& textShaper() {
    static web::text::CanvasShaper shaper;
    return shaper;
}

}  // namespace limn::sdl

namespace limn::web::text {

namespace {

constexpr const char* kDefault = "\"DejaVu Sans\", sans-serif";
// Font files bigger than this are not fonts a page should read.
constexpr std::uintmax_t kMostFontBytes = 64u << 20;
// Sizes in whole sixteenths of a pixel, as the desktop makes them.
constexpr double kSizeSteps = 16;

// A family name as a CSS string.
std::string cssString(const std::string& name) {
    std::string out = "\"";
    for (const char c : name) {
        if (c == '"' || c == '\\') out += '\\';
        out += c;
    }
    return out + "\"";
}

std::uint32_t argbOf(const sdl::Rgba& c) {
    const auto channel = [](double v) {
        return static_cast<std::uint32_t>(std::lround(std::clamp(v, 0.0, 1.0) * 255));
    };
    return channel(c.a) << 24 | channel(c.r) << 16 | channel(c.g) << 8 | channel(c.b);
}

}  // namespace

std::unique_ptr<sdl::ShapedText> CanvasShaper::newText() {
    return std::make_unique<sdl::MeasuredText>(measure_);
}

const std::string& CanvasMeasure::families(const std::string& name) {
    auto it = families_.find(name);
    if (it == families_.end()) {
        it = families_.emplace(name, resolve(name)).first;
        rt::log::debug("font \"" + name + "\" is " + it->second);
    }
    return it->second;
}

std::string CanvasMeasure::resolve(const std::string& name) {
    if (name == "_sans") return "sans-serif";
    if (name == "_serif") return "serif";
    if (name == "_typewriter") return "monospace";
    if (name.empty()) return kDefault;
    if (!sdl::fontfiles::looksLikeFile(name)) return cssString(name) + ", sans-serif";
    std::string family = loadFile(name);
    if (family.empty()) {
        const std::string shipped = sdl::fontfiles::substitute(name);
        if (!shipped.empty()) family = loadFile(shipped);
        if (!family.empty()) {
            rt::log::info("font file " + name + " is not there; using " + shipped +
                          ", shipped in its place");
        }
    }
    if (family.empty()) {
        rt::log::warn("could not load font file " + name + "; using DejaVu Sans");
        return kDefault;
    }
    return cssString(family) + ", sans-serif";
}

std::string CanvasMeasure::loadFile(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return {};
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error || size == 0 || size > kMostFontBytes) return {};
    std::ifstream in(path, std::ios::binary);
    const std::vector<char> bytes{std::istreambuf_iterator<char>(in),
                                  std::istreambuf_iterator<char>()};
    const int face = limn_text_face(bytes.data(), static_cast<int>(bytes.size()));
    return face > 0 ? "limn-face-" + std::to_string(face) : std::string();
}

int CanvasMeasure::fontOf(const sdl::TextStyle& style) {
    const double size = std::round(style.size * kSizeSteps) / kSizeSteps;
    const std::string& list = families(style.font);
    std::string key = list;
    key += '|';
    key += std::to_string(size);
    key += style.bold ? "|b" : "|";
    key += style.italic ? "i" : "";
    auto it = fonts_.find(key);
    if (it == fonts_.end()) {
        it =
            fonts_.emplace(key, limn_text_font(list.c_str(), size, style.bold, style.italic)).first;
    }
    return it->second;
}

const std::uint32_t* CanvasMeasure::codes(std::u32string_view text) {
    scratch_.assign(text);
    for (char32_t& c : scratch_) {
        // Control characters and invalid code points are not drawn as text.
        if (c < 0x20 || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
            c = c == U'\t' ? U' ' : 0xFFFD;
    }
    return reinterpret_cast<const std::uint32_t*>(scratch_.data());
}

void CanvasMeasure::advances(std::u32string_view text, const sdl::TextStyle& style, double* out) {
    if (text.empty()) return;
    limn_text_advances(fontOf(style), codes(text), static_cast<int>(text.size()), out);
    for (std::size_t i = 0; i < text.size(); ++i) out[i] += style.letterSpacing;
}

sdl::FontMetrics CanvasMeasure::metrics(const sdl::TextStyle& style) {
    const int font = fontOf(style);
    auto it = metrics_.find(font);
    if (it == metrics_.end()) {
        double box[2] = {0, 0};
        limn_text_metrics(font, box);
        const double size = std::max(style.size, 0.0);
        sdl::FontMetrics m;
        m.ascent = std::isfinite(box[0]) && box[0] > 0 ? box[0] : size * 0.8;
        m.descent = std::isfinite(box[1]) && box[1] >= 0 ? box[1] : size * 0.2;
        // The page tells nothing of underlines: about where fonts put them.
        m.underlinePosition = size * 0.075;
        m.underlineThickness = std::max(1.0, size * 0.05);
        it = metrics_.emplace(font, m).first;
    }
    return it->second;
}

void CanvasMeasure::draw(sdl::Canvas& canvas, std::u32string_view text, const sdl::TextStyle& style,
                         double x, double baseline, const sdl::Rgba& colour) {
    auto* page = dynamic_cast<raster::WebCanvas*>(&canvas);
    if (!page || text.empty()) return;
    const sdl::Affine m = canvas.transform();
    limn_text_draw(page->context(), fontOf(style), codes(text), static_cast<int>(text.size()), x,
                   baseline, style.letterSpacing, argbOf(colour), m.a, m.b, m.c, m.d, m.tx, m.ty);
}

}  // namespace limn::web::text
