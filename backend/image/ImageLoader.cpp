#include "backend/image/ImageLoader.h"

#include <algorithm>
#include <cstring>

#include "backend/image/ByteBuffer.h"
#include "runtime/Log.h"

namespace limn::sdl {

namespace {

std::uint32_t be32(const std::uint8_t* p) {
    return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) |
           p[3];
}
int be16(const std::uint8_t* p) {
    return (p[0] << 8) | p[1];
}
int le16(const std::uint8_t* p) {
    return p[0] | (p[1] << 8);
}
std::int32_t le32(const std::uint8_t* p) {
    return static_cast<std::int32_t>(std::uint32_t{p[0]} | (std::uint32_t{p[1]} << 8) |
                                     (std::uint32_t{p[2]} << 16) | (std::uint32_t{p[3]} << 24));
}

bool isPng(const std::uint8_t* d, std::size_t n) {
    static const std::uint8_t sig[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    return n >= 33 && std::memcmp(d, sig, 8) == 0 && std::memcmp(d + 12, "IHDR", 4) == 0;
}

ImageLoader::Size jpegSize(const std::uint8_t* d, std::size_t n) {
    std::size_t i = 2;
    while (i + 4 <= n) {
        if (d[i] != 0xFF) return {};
        const int marker = d[i + 1];
        if (marker == 0xFF) {
            ++i;
            continue;
        }
        if (marker == 0xD8 || marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {
            i += 2;
            continue;
        }
        const int length = be16(d + i + 2);
        const bool frame =
            marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (frame) {
            if (i + 9 > n) return {};
            return {be16(d + i + 7), be16(d + i + 5)};
        }
        if (length < 2) return {};
        i += 2 + static_cast<std::size_t>(length);
    }
    return {};
}

bool isGif(const std::uint8_t* d, std::size_t n) {
    return n >= 13 && (std::memcmp(d, "GIF87a", 6) == 0 || std::memcmp(d, "GIF89a", 6) == 0);
}

bool isBmp(const std::uint8_t* d, std::size_t n) {
    return n >= 26 && d[0] == 'B' && d[1] == 'M';
}

bool isJpeg(const std::uint8_t* d, std::size_t n) {
    return n >= 4 && d[0] == 0xFF && d[1] == 0xD8;
}

bool fits(std::int64_t width, std::int64_t height) {
    return width >= 1 && height >= 1 && width <= Surface::kMaxSide && height <= Surface::kMaxSide &&
           width * height <= ImageLoader::kMaxPixels;
}

// Past a run of GIF data sub-blocks starting at `i`.
std::size_t skipSubBlocks(const std::uint8_t* d, std::size_t n, std::size_t i) {
    while (i < n) {
        const std::size_t length = d[i];
        ++i;
        if (length == 0) return i;
        i += length;
    }
    return n;
}

// Every frame a GIF declares, read the way the decoder reads them: bytes that
// start no block are skipped one by one, the trailer ends the file. Each frame
// must lie within the screen: the decoder draws frames onto the screen without
// checking their place (a frame placed off the screen crashes it).
bool gifFramesFit(const std::uint8_t* d, std::size_t n) {
    const int screenW = le16(d + 6), screenH = le16(d + 8);
    std::size_t i = 13;
    if (d[10] & 0x80) i += std::size_t{3} << ((d[10] & 7) + 1);
    while (i < n) {
        const std::uint8_t block = d[i];
        if (block == ';') return true;
        if (block == '!') {
            i = skipSubBlocks(d, n, i + 2);
        } else if (block == ',') {
            // x, y, width, height, flags; a truncated descriptor fails to decode.
            if (i + 10 > n) return true;
            const int x = le16(d + i + 1), y = le16(d + i + 3);
            const int w = le16(d + i + 5), h = le16(d + i + 7);
            if (!fits(w, h) || x + w > screenW || y + h > screenH) return false;
            const std::uint8_t flags = d[i + 9];
            i += 10;
            if (flags & 0x80) i += std::size_t{3} << ((flags & 7) + 1);
            i = skipSubBlocks(d, n, i + 1);
        } else {
            ++i;
        }
    }
    return true;
}

// fromBytes without the log: null with `reason` set on failure.
std::shared_ptr<Surface> decode(const std::uint8_t* data, std::size_t size,
                                const std::uint8_t* alpha, std::size_t alphaSize,
                                std::string& reason) {
    if (!data || size == 0 || size > 0x7FFFFFFF) {
        reason = size ? "too large" : "no data";
        return nullptr;
    }
    const ImageLoader::Size s = ImageLoader::headerSize(data, size);
    if (!s.width && !s.height) {
        reason = "not a PNG, JPEG, GIF or BMP picture";
        return nullptr;
    }
    if (!ImageLoader::withinCaps(data, size)) {
        reason = "unsupported size " + std::to_string(s.width) + " x " + std::to_string(s.height) +
                 ", or a frame beyond its screen or the size cap";
        return nullptr;
    }
    return ImageDecoder::decode(ImageLoader::format(data, size), data, size, alpha, alphaSize,
                                reason);
}

}  // namespace

ImageLoader::Size ImageLoader::headerSize(const std::uint8_t* d, std::size_t n) {
    if (!d) return {};
    if (isPng(d, n)) {
        const std::uint32_t w = be32(d + 16), h = be32(d + 20);
        if (w > 0x7FFFFFFF || h > 0x7FFFFFFF) return {};
        return {static_cast<int>(w), static_cast<int>(h)};
    }
    if (isJpeg(d, n)) return jpegSize(d, n);
    if (isGif(d, n)) return {le16(d + 6), le16(d + 8)};
    if (isBmp(d, n)) {
        // The old core header has 16-bit sizes; the others 32-bit, negative
        // height for top-down rows.
        if (le32(d + 14) == 12) return {le16(d + 18), le16(d + 20)};
        const std::int32_t w = le32(d + 18), h = le32(d + 22);
        if (w <= 0 || h == 0 || h == INT32_MIN) return {};
        return {w, h < 0 ? -h : h};
    }
    return {};
}

ImageFormat ImageLoader::format(const std::uint8_t* data, std::size_t size) {
    if (!data) return ImageFormat::Other;
    if (isPng(data, size)) return ImageFormat::Png;
    if (isJpeg(data, size)) return ImageFormat::Jpeg;
    if (isGif(data, size)) return ImageFormat::Gif;
    if (isBmp(data, size)) return ImageFormat::Bmp;
    return ImageFormat::Other;
}

bool ImageLoader::pngHasAlpha(const std::uint8_t* d, std::size_t n) {
    if (!isPng(d, n)) return false;
    if (d[25] & 4) return true;
    // A transparency chunk gives palette or grey pictures an alpha channel.
    for (std::size_t i = 33; i + 8 <= n;) {
        const std::uint32_t length = be32(d + i);
        if (std::memcmp(d + i + 4, "tRNS", 4) == 0) return true;
        if (std::memcmp(d + i + 4, "IDAT", 4) == 0) return false;
        if (length > n) return false;
        i += 12 + static_cast<std::size_t>(length);
    }
    return false;
}

bool ImageLoader::withinCaps(const std::uint8_t* data, std::size_t size) {
    const Size s = headerSize(data, size);
    if (!fits(s.width, s.height)) return false;
    return !isGif(data, size) || gifFramesFit(data, size);
}

std::shared_ptr<Surface> ImageLoader::fromBytes(const std::uint8_t* data, std::size_t size,
                                                const std::uint8_t* alpha, std::size_t alphaSize) {
    std::string reason;
    auto surface = decode(data, size, alpha, alphaSize, reason);
    // No data at all is a read that failed and was reported already.
    if (!surface && data && size) {
        rt::log::warn("could not decode a picture of " + std::to_string(size) +
                      " bytes: " + reason);
    }
    return surface;
}

std::shared_ptr<Surface> ImageLoader::fromFile(const std::string& path) {
    auto bytes = ByteBuffer::readFile(path);
    std::string reason = bytes ? "" : ByteBuffer::unreadable(path);
    auto surface =
        bytes ? decode(bytes->bytes().data(), bytes->size(), nullptr, 0, reason) : nullptr;
    if (!surface) rt::log::warn("could not load picture " + path + ": " + reason);
    return surface;
}

}  // namespace limn::sdl
