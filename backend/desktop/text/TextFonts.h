#pragma once
// Fonts for text fields: one pango context for the whole process and the
// choice of a face for every font name a program gives.
//
// A name that looks like a file ("/usr/share/fonts/X-Bold.ttf",
// "Game-Book.otf") is loaded from that file, relative names against the
// working directory, and its family is used. A face name is used when
// fontconfig has it. Anything else (a missing or unreadable file, an unknown
// face) falls back to DejaVu Sans, never an error. "_sans", "_serif" and
// "_typewriter" name the DejaVu sans, serif and mono faces.
//
// A program may ship fonts in place of font files it names but can't carry
// (a commercial face): `fonts/substitutes.txt` in the working directory lists
// "requested file = shipped file" lines. A named font file that does not exist
// at all, whose file name (without folders) is on a left side, is loaded from
// the shipped file in `fonts/` instead (said at the info level). A file that
// exists but is no font, a name not in the table, and a shipped file that is
// missing or outside `fonts/` still fall back to DejaVu Sans with a warning.
//
// Program thread only.

#include <pango/pangocairo.h>

#include <string>
#include <unordered_map>

#include "backend/text/FontFiles.h"
#include "backend/text/TextStyle.h"

namespace limn::sdl {

class TextFonts {
public:
    static constexpr const char* kDefaultFamily = "DejaVu Sans";
    // Where shipped substitutes and their table are, from the working directory.
    static constexpr const char* kSubstituteFolder = fontfiles::kSubstituteFolder;

    [[nodiscard]] static TextFonts& instance();
    ~TextFonts();
    TextFonts(const TextFonts&) = delete;
    TextFonts& operator=(const TextFonts&) = delete;

    // The shared context: absolute pixel sizes, no metric hinting, so that a
    // layout measures the same at any scale.
    [[nodiscard]] PangoContext* context() const { return context_; }
    // The family that `name` resolves to (cached per name).
    [[nodiscard]] const std::string& family(const std::string& name);
    // A new description of the style's face and size; the caller frees it.
    [[nodiscard]] PangoFontDescription* describe(const TextStyle& style);
    // Fonts are made in sizes of whole 1/kSizeSteps pixels, the nearest to the
    // size asked for. fontconfig hashes a size by its whole pixels, so every
    // distinct fraction of one pixel size lengthens the chains that pango's
    // font caches search on each lookup: 20,000 runs of sizes 8.001, 8.002, ...
    // would take minutes to lay out, where a few sizes per pixel keep the cost
    // of a run constant. A 1/16 pixel is far below what shows in a glyph.
    static constexpr double kSizeSteps = 16;
    [[nodiscard]] static double layoutSize(double size);

private:
    TextFonts();
    std::string resolve(const std::string& name);
    std::string loadFile(const std::string& path);
    // The family of the font shipped in place of the missing file `path`; empty for none.
    std::string loadSubstitute(const std::string& path);
    bool hasFamily(const std::string& family);

    PangoFontMap* map_ = nullptr;
    PangoContext* context_ = nullptr;
    std::unordered_map<std::string, std::string> families_;
};

}  // namespace limn::sdl
