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
// Program thread only.

#include <pango/pangocairo.h>

#include <string>
#include <unordered_map>

#include "backend/text/TextStyle.h"

namespace limn::sdl {

class TextFonts {
public:
    static constexpr const char* kDefaultFamily = "DejaVu Sans";

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

private:
    TextFonts();
    std::string resolve(const std::string& name);
    std::string loadFile(const std::string& path);
    bool hasFamily(const std::string& family);

    PangoFontMap* map_ = nullptr;
    PangoContext* context_ = nullptr;
    std::unordered_map<std::string, std::string> families_;
};

}  // namespace limn::sdl
