// The bunnymark in SDL2's own renderer, the software one, drawing into a
// 640 x 480 window: one texture, SDL_RenderCopy per sprite (straight) or
// SDL_RenderCopyExF with a turn and a size (rotated, sampled linearly).
#include <SDL.h>

#include "Bunnymark.h"

int main(int argc, char** argv) {
    bunnymark::Args args;
    if (!bunnymark::parse(argc, argv, args)) {
        std::fprintf(stderr, "usage: sdl_bunnymark straight|rotated N\n");
        return 2;
    }
    if (SDL_Init(SDL_INIT_VIDEO) != 0) return 1;
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, args.rotated ? "1" : "0");
    SDL_Window* window =
        SDL_CreateWindow("sdl bunnymark", 0, 0, bunnymark::kWidth, bunnymark::kHeight, 0);
    SDL_Renderer* renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
    if (!window || !renderer) return 1;
    SDL_Surface* picture = SDL_CreateRGBSurfaceWithFormat(
        0, bunnymark::kSpriteW, bunnymark::kSpriteH, 32, SDL_PIXELFORMAT_ARGB8888);
    for (int y = 0; y < bunnymark::kSpriteH; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(static_cast<std::uint8_t*>(picture->pixels) +
                                                     y * picture->pitch);
        for (int x = 0; x < bunnymark::kSpriteW; ++x) row[x] = bunnymark::pixel(x, y);
    }
    SDL_Texture* texture = SDL_CreateTextureFromSurface(renderer, picture);
    SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_BLEND);
    auto sprites = bunnymark::sprites(args.count);
    bunnymark::Timing timing;
    const SDL_FPoint pivot{0, 0};
    while (timing.frame()) {
        SDL_Event e;
        while (SDL_PollEvent(&e)) {
            if (e.type == SDL_QUIT) return 0;
        }
        bunnymark::step(sprites, args.rotated);
        SDL_SetRenderDrawColor(renderer, 255, 255, 255, 255);
        SDL_RenderClear(renderer);
        for (const auto& s : sprites) {
            if (!args.rotated) {
                const SDL_Rect dest{static_cast<int>(bunnymark::shownX(s, false)),
                                    static_cast<int>(bunnymark::shownY(s, false)),
                                    bunnymark::kSpriteW, bunnymark::kSpriteH};
                SDL_RenderCopy(renderer, texture, nullptr, &dest);
                continue;
            }
            const SDL_FRect dest{static_cast<float>(s.x), static_cast<float>(s.y),
                                 static_cast<float>(bunnymark::kSpriteW * s.scale),
                                 static_cast<float>(bunnymark::kSpriteH * s.scale)};
            SDL_RenderCopyExF(renderer, texture, nullptr, &dest, s.degrees, &pivot, SDL_FLIP_NONE);
        }
        SDL_RenderPresent(renderer);
    }
    SDL_DestroyTexture(texture);
    SDL_FreeSurface(picture);
    SDL_DestroyRenderer(renderer);
    SDL_DestroyWindow(window);
    SDL_Quit();
    return 0;
}
