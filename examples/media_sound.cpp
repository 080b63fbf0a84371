// Sound: makes a short chime, writes it to a WAV file in the temp folder, and
// plays it at start and each time the round button is clicked. While it plays, the bar
// shows the channel's peak level (0..1) every frame.
// Run: ./build/examples/media_sound   (Escape or the window's button closes it)
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <numbers>

#include "examples/CommandLine.h"
#include "examples/Exits.h"
#include "framework/Lib.h"
#include "framework/display/Graphics.h"
#include "framework/display/MovieClip.h"
#include "framework/display/Sprite.h"
#include "framework/events/MouseEvent.h"
#include "framework/media/Sound.h"

using namespace limn;

namespace {

std::shared_ptr<media::Sound> chime;
std::shared_ptr<media::SoundChannel> channel;  // the latest playback, or null

void put(std::ofstream& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.put(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// 0.8 s of 16-bit mono at 22050 Hz: two notes a fifth apart, fading out.
std::filesystem::path writeChime() {
    const int rate = 22050, count = rate * 8 / 10;
    const auto path = std::filesystem::temp_directory_path() / "limn_media_sound.wav";
    std::ofstream out(path, std::ios::binary);
    out << "RIFF";
    put(out, 36 + count * 2, 4);
    out << "WAVEfmt ";
    put(out, 16, 4);  // format block: PCM, 1 channel, rate, bytes/s, block, bits
    for (auto [value, bytes] : {std::pair{1, 2}, {1, 2}, {rate, 4}, {rate * 2, 4}, {2, 2}, {16, 2}})
        put(out, static_cast<std::uint32_t>(value), bytes);
    out << "data";
    put(out, count * 2, 4);
    for (int i = 0; i < count; ++i) {
        const double t = static_cast<double>(i) / rate, fade = std::exp(-4.0 * t);
        const double wave =
            std::sin(2 * std::numbers::pi * 660 * t) + std::sin(2 * std::numbers::pi * 990 * t);
        put(out, static_cast<std::uint16_t>(static_cast<std::int16_t>(14000 * fade * wave)), 2);
    }
    return path;
}

void start() {
    examples::addExits();
    // A request names the file; the sound loads (decoded whole) when made, or throws.
    const auto path = writeChime();
    try {
        chime = std::make_shared<media::Sound>(std::make_shared<net::URLRequest>(path.string()));
    } catch (const std::exception& error) {
        std::printf("no sound: %s\n", error.what());
    }
    std::filesystem::remove(path);

    auto button = std::make_shared<display::Sprite>();
    auto g = button->graphics();
    g->beginFill(0x2A9D8F);
    g->drawCircle(160, 90, 50);
    g->beginFill(0xFFFFFF);  // a play triangle
    g->moveTo(145, 65);
    g->lineTo(185, 90);
    g->lineTo(145, 115);
    g->endFill();
    Lib::current()->addChild(button);
    // play() starts a new channel each time (null if the sound could not load);
    // the channel sends "soundComplete" when it ends.
    auto play = [] {
        channel = chime ? chime->play() : nullptr;
        if (channel)
            channel->on(events::Event::SOUND_COMPLETE, [] { std::printf("played to the end\n"); });
    };
    button->on(events::MouseEvent::CLICK, play);
    play();  // once to greet

    // The bar is drawn full width and squeezed by scaleX; its grey track is drawn
    // straight on the root clip, which has a drawing list like any sprite.
    Lib::current()->graphics()->beginFill(0xD8D8D8);
    Lib::current()->graphics()->drawRect(40, 180, 240, 24);
    auto bar = std::make_shared<display::Sprite>();
    bar->graphics()->beginFill(0xE63946);
    bar->graphics()->drawRect(0, 0, 240, 24);
    bar->setX(40);
    bar->setY(180);
    bar->setScaleX(0);
    Lib::current()->addChild(bar);
    Lib::stage()->on(events::Event::ENTER_FRAME, [bar] {
        bar->setScaleX(channel ? std::max(channel->leftPeak(), channel->rightPeak()) : 0);
    });
}

}  // namespace

int main(int argc, char** argv) {
    if (auto done = examples::commandLine(
            argc, argv,
            {"media_sound",
             "A synthesised chime played on a click, its peak level shown as a bar."}))
        return *done;
    Lib::create(start, {.width = 320, .height = 240, .color = 0xF1FAEE, .title = "media sound"});
    return 0;
}
