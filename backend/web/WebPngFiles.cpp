// PNG files in a page (its in-memory file system): frames and surfaces written
// with stb_image_write, frame pictures read with the page's picture decoder.
#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_WRITE_NO_STDIO
#include <stb_image_write.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

#include "backend/image/PngFile.h"
#include "backend/replay/FramePicture.h"
#include "backend/web/ImageDecode.h"

namespace limn::sdl {

namespace {

// Straight RGBA bytes of premultiplied ARGB pixels, as PNG keeps them.
std::vector<unsigned char> straightRgba(const std::uint32_t* pixels, int width, int height,
                                        std::size_t stride) {
    std::vector<unsigned char> out(static_cast<std::size_t>(width) * height * 4);
    unsigned char* to = out.data();
    for (int y = 0; y < height; ++y) {
        const std::uint32_t* row = pixels + y * stride;
        for (int x = 0; x < width; ++x, to += 4) {
            const std::uint32_t p = row[x], a = p >> 24;
            const auto un = [a](std::uint32_t v) -> unsigned char {
                return static_cast<unsigned char>(
                    a ? std::min<std::uint32_t>(255, (v * 255 + a / 2) / a) : 0);
            };
            to[0] = un((p >> 16) & 0xFF);
            to[1] = un((p >> 8) & 0xFF);
            to[2] = un(p & 0xFF);
            to[3] = static_cast<unsigned char>(a);
        }
    }
    return out;
}

void appendBytes(void* context, void* data, int size) {
    auto* out = static_cast<std::vector<unsigned char>*>(context);
    const auto* bytes = static_cast<const unsigned char*>(data);
    out->insert(out->end(), bytes, bytes + size);
}

bool writeRgba(const std::vector<unsigned char>& rgba, int width, int height,
               const std::string& path) {
    std::vector<unsigned char> png;
    if (!stbi_write_png_to_func(appendBytes, &png, width, height, 4, rgba.data(), width * 4))
        return false;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    const bool written = std::fwrite(png.data(), 1, png.size(), file) == png.size();
    return std::fclose(file) == 0 && written;
}

}  // namespace

bool writePng(const Surface& surface, const std::string& path) {
    surface.flush();
    const auto rgba = straightRgba(surface.row(0), surface.width(), surface.height(),
                                   static_cast<std::size_t>(surface.stride()) / 4);
    return writeRgba(rgba, surface.width(), surface.height(), path);
}

std::optional<FramePicture> FramePicture::load(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return std::nullopt;
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(file), {}};
    auto decoded = web::ImageDecode::decode(bytes.data(), bytes.size());
    if (!decoded) return std::nullopt;
    FramePicture picture;
    picture.width = decoded->width;
    picture.height = decoded->height;
    picture.pixels = std::move(decoded->pixels);
    return picture;
}

bool FramePicture::save(const std::string& path) const {
    if (width <= 0 || height <= 0) return false;
    return writeRgba(straightRgba(pixels.data(), width, height, static_cast<std::size_t>(width)),
                     width, height, path);
}

}  // namespace limn::sdl
