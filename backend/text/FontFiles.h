#pragma once
// Font names that are files, and the fonts a program ships in place of files it
// names but can't carry, for every backend's fonts.
//
// A name that looks like a file ("/usr/share/fonts/X-Bold.ttf", "Game-Book.otf")
// is loaded from that file, relative names against the working directory.
// `fonts/substitutes.txt` in the working directory lists "requested file =
// shipped file" lines: a named font file that does not exist at all, whose file
// name (without folders) is on a left side, is loaded from the shipped file in
// `fonts/` instead. A shipped file outside `fonts/` is never used.

#include <string>

namespace limn::sdl::fontfiles {

// Where shipped substitutes and their table are, from the working directory.
inline constexpr const char* kSubstituteFolder = "fonts";

// A path, or a name with a font file's extension.
[[nodiscard]] bool looksLikeFile(const std::string& name);
// The shipped file standing in for `path` ("fonts/X.ttf"); empty when `path`
// exists or the table names none for it.
[[nodiscard]] std::string substitute(const std::string& path);

}  // namespace limn::sdl::fontfiles
