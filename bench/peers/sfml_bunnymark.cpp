// The bunnymark in SFML 2.5 on OpenGL (Mesa's llvmpipe under Xvfb, so on the
// CPU), 640 x 480, no vertical sync and no frame limit. Two ways, as SFML's
// tutorials give them:
//   sprites: one sf::Sprite per sprite sharing one texture, drawn each frame;
//   batch:   every sprite as four vertices of one sf::VertexArray of quads,
//            drawn with one call (the documented way for many sprites).
// Run: sfml_bunnymark straight|rotated N [sprites|batch]
#include <SFML/Graphics.hpp>

#include "Bunnymark.h"

namespace {

// The four corners of a sprite turned and sized about its top-left corner.
void placeQuad(sf::Vertex* quad, const bunnymark::Sprite& s, bool rotated) {
    const float w = bunnymark::kSpriteW, h = bunnymark::kSpriteH;
    sf::Transform t;
    t.translate(static_cast<float>(bunnymark::shownX(s, rotated)),
                static_cast<float>(bunnymark::shownY(s, rotated)));
    if (rotated) {
        t.rotate(static_cast<float>(s.degrees));
        t.scale(static_cast<float>(s.scale), static_cast<float>(s.scale));
    }
    quad[0].position = t.transformPoint(0, 0);
    quad[1].position = t.transformPoint(w, 0);
    quad[2].position = t.transformPoint(w, h);
    quad[3].position = t.transformPoint(0, h);
}

}  // namespace

int main(int argc, char** argv) {
    bunnymark::Args args;
    const bool batch = argc == 4 && std::strcmp(argv[3], "batch") == 0;
    if (argc == 4 && !batch && std::strcmp(argv[3], "sprites") != 0) argc = 0;
    if (!bunnymark::parse(std::min(argc, 3), argv, args)) {
        std::fprintf(stderr, "usage: sfml_bunnymark straight|rotated N [sprites|batch]\n");
        return 2;
    }
    sf::RenderWindow window(sf::VideoMode(bunnymark::kWidth, bunnymark::kHeight), "sfml bunnymark",
                            sf::Style::Titlebar | sf::Style::Close);
    window.setVerticalSyncEnabled(false);
    window.setFramerateLimit(0);
    sf::Image image;
    image.create(bunnymark::kSpriteW, bunnymark::kSpriteH);
    for (unsigned y = 0; y < bunnymark::kSpriteH; ++y) {
        for (unsigned x = 0; x < bunnymark::kSpriteW; ++x) {
            const std::uint32_t p = bunnymark::pixel(static_cast<int>(x), static_cast<int>(y));
            image.setPixel(x, y, sf::Color((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF, p >> 24));
        }
    }
    sf::Texture texture;
    texture.loadFromImage(image);
    texture.setSmooth(args.rotated);
    auto sprites = bunnymark::sprites(args.count);
    std::vector<sf::Sprite> shown(sprites.size(), sf::Sprite(texture));
    sf::VertexArray quads(sf::Quads, batch ? sprites.size() * 4 : 0);
    if (batch) {
        const float w = bunnymark::kSpriteW, h = bunnymark::kSpriteH;
        for (std::size_t i = 0; i < sprites.size(); ++i) {
            quads[i * 4 + 0].texCoords = {0, 0};
            quads[i * 4 + 1].texCoords = {w, 0};
            quads[i * 4 + 2].texCoords = {w, h};
            quads[i * 4 + 3].texCoords = {0, h};
        }
    }
    bunnymark::Timing timing;
    while (timing.frame() && window.isOpen()) {
        sf::Event e;
        while (window.pollEvent(e)) {
            if (e.type == sf::Event::Closed) window.close();
        }
        bunnymark::step(sprites, args.rotated);
        window.clear(sf::Color::White);
        if (batch) {
            for (std::size_t i = 0; i < sprites.size(); ++i)
                placeQuad(&quads[i * 4], sprites[i], args.rotated);
            window.draw(quads, &texture);
        } else {
            for (std::size_t i = 0; i < sprites.size(); ++i) {
                const auto& s = sprites[i];
                sf::Sprite& sprite = shown[i];
                sprite.setPosition(static_cast<float>(bunnymark::shownX(s, args.rotated)),
                                   static_cast<float>(bunnymark::shownY(s, args.rotated)));
                if (args.rotated) {
                    sprite.setRotation(static_cast<float>(s.degrees));
                    sprite.setScale(static_cast<float>(s.scale), static_cast<float>(s.scale));
                }
                window.draw(sprite);
            }
        }
        window.display();
    }
    return 0;
}
