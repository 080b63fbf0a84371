#include "backend/text/FontFiles.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>

namespace limn::sdl::fontfiles {

namespace {

std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

}  // namespace

bool looksLikeFile(const std::string& name) {
    if (name.find('/') != std::string::npos) return true;
    std::string lower = name;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    for (const char* ext : {".ttf", ".otf", ".ttc", ".otc", ".pfb", ".pfa", ".woff", ".woff2"}) {
        if (lower.ends_with(ext)) return true;
    }
    return false;
}

std::string substitute(const std::string& path) {
    std::error_code error;
    if (std::filesystem::exists(path, error)) return {};  // there, but not a font
    const std::string wanted = std::filesystem::path(path).filename().string();
    std::ifstream table(std::string(kSubstituteFolder) + "/substitutes.txt");
    for (std::string line; std::getline(table, line);) {
        if (line.empty() || line[0] == '#') continue;
        const auto equals = line.find('=');
        if (equals == std::string::npos || trimmed(line.substr(0, equals)) != wanted) continue;
        const std::string shipped = trimmed(line.substr(equals + 1));
        // Only a file in the folder itself: the table can't point elsewhere.
        if (shipped.empty() || shipped.find('/') != std::string::npos || shipped[0] == '.') {
            return {};
        }
        return std::string(kSubstituteFolder) + "/" + shipped;
    }
    return {};
}

}  // namespace limn::sdl::fontfiles
