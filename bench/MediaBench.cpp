// Costs of the backend's text and sound, each against a baseline of the same run:
// - the game's 15-pixel score text changed and drawn every frame, against
//   drawing it unchanged (the layout is cached then);
// - the time from starting a sound to the mixer taking its first samples,
//   reported in wall time and as a multiple of the mixer's buffer period (the
//   wait a sound can't avoid), which BM_MixerBufferPeriod measures.
// - loading a sound file and starting it, decoded whole against streamed as
//   music, at two lengths (streaming costs the same at any length).
// - one block of our mixer (8 voices with gains, peaks and the limiter) against
//   its floor, the same samples multiplied by their gains and summed by a bare
//   loop.
// Sound runs on SDL's silent driver unless SDL_AUDIODRIVER says otherwise.

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "RatioReporter.h"
#include "backend/audio/AudioChannel.h"
#include "backend/audio/AudioMixer.h"
#include "backend/audio/AudioSound.h"
#include "backend/desktop/raster/CairoCanvas.h"
#include "backend/text/TextFieldNode.h"

namespace {

using limn::sdl::AudioChannel;
using limn::sdl::AudioSound;
using limn::sdl::TextFieldNode;
using limn::sdl::TextPatch;

std::shared_ptr<TextFieldNode> scoreField() {
    auto field = std::make_shared<TextFieldNode>();
    TextPatch format;
    format.font = "/usr/share/fonts/Prelude-Bold.ttf";
    format.size = 15;
    format.color = 0xFFFFFF;
    format.align = limn::sdl::TextAlign::Left;
    field->setDefaultFormat(format);
    field->setWidth(100);
    field->setHeight(30);
    field->selectable = false;
    return field;
}

void drawField(TextFieldNode& field, limn::sdl::CairoCanvas& canvas) {
    cairo_t* cr = limn::sdl::CairoCanvas::contextOf(canvas);
    cairo_save(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
    cairo_paint(cr);
    cairo_restore(cr);
    field.drawContent(canvas, limn::sdl::RenderState{});
}

void BM_ScoreTextChanged(benchmark::State& state) {
    auto field = scoreField();
    auto surface = limn::sdl::Surface::create(100, 30, true, 0);
    limn::sdl::CairoCanvas canvas(*surface, limn::sdl::CanvasUse::Alone);
    int points = 0;
    for (auto _ : state) {
        points += 10;
        field->setText("SCORE: " + std::to_string(points));
        drawField(*field, canvas);
    }
}
BENCHMARK(BM_ScoreTextChanged)->Unit(benchmark::kMicrosecond);

void BM_ScoreTextUnchanged(benchmark::State& state) {
    auto field = scoreField();
    field->setText("SCORE: 1230");
    auto surface = limn::sdl::Surface::create(100, 30, true, 0);
    limn::sdl::CairoCanvas canvas(*surface, limn::sdl::CanvasUse::Alone);
    for (auto _ : state) drawField(*field, canvas);
}
BENCHMARK(BM_ScoreTextUnchanged)->Unit(benchmark::kMicrosecond);

// A short 16-bit mono WAV of silence-free noise, made here.
std::vector<std::uint8_t> wav(int frames) {
    std::vector<std::uint8_t> out;
    auto put = [&](std::uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    };
    auto text = [&](std::string_view s) {
        for (char c : s) out.push_back(static_cast<std::uint8_t>(c));
    };
    text("RIFF");
    put(36 + frames * 2, 4);
    text("WAVEfmt ");
    put(16, 4), put(1, 2), put(1, 2), put(44100, 4), put(88200, 4), put(2, 2), put(16, 2);
    text("data");
    put(frames * 2, 4);
    for (int i = 0; i < frames; ++i) put(static_cast<std::uint32_t>((i * 7919) % 20000 + 1000), 2);
    return out;
}

// Seconds from play() to the first buffer that mixed the new channel.
void BM_PlayToFirstMix(benchmark::State& state) {
    auto sound = AudioSound::fromBytes(wav(44100 / 10));
    if (!sound) {
        state.SkipWithError("no audio");
        return;
    }
    double total = 0;
    for (auto _ : state) {
        auto channel = AudioChannel::play(*sound, 0, 0);
        while (channel && channel->firstMixLatency() < 0) std::this_thread::yield();
        const double latency = channel ? channel->firstMixLatency() : 0.0;
        total += latency;
        state.SetIterationTime(latency);
        // Let the next play start at a random point of the buffer period.
        std::this_thread::sleep_for(
            std::chrono::microseconds(1000 + (state.iterations() * 3331) % 9000));
    }
    // The same as a multiple of one buffer period (512 frames at 44.1 kHz).
    const double period = 512.0 / 44100.0;
    state.counters["latency_in_buffers"] = total / static_cast<double>(state.iterations()) / period;
}
BENCHMARK(BM_PlayToFirstMix)->UseManualTime()->Iterations(60)->Unit(benchmark::kMillisecond);

// One period of the mixer: the time between two buffers of a playing channel.
void BM_MixerBufferPeriod(benchmark::State& state) {
    auto sound = AudioSound::fromBytes(wav(44100 * 30));
    if (!sound) {
        state.SkipWithError("no audio");
        return;
    }
    auto channel = AudioChannel::play(*sound, 0, 0);
    while (channel->firstMixLatency() < 0) std::this_thread::yield();
    for (auto _ : state) {
        const double start = channel->positionMs();
        while (channel->positionMs() == start) std::this_thread::yield();
        const auto begin = std::chrono::steady_clock::now();
        const double next = channel->positionMs();
        while (channel->positionMs() == next) std::this_thread::yield();
        state.SetIterationTime(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count());
    }
}
BENCHMARK(BM_MixerBufferPeriod)->UseManualTime()->Iterations(30)->Unit(benchmark::kMillisecond);

// A WAV file of `seconds` in the temporary folder, written once per length.
std::string wavFile(int seconds) {
    const auto path = std::filesystem::temp_directory_path() /
                      ("limn-bench-" + std::to_string(seconds) + "s.wav");
    if (!std::filesystem::exists(path)) {
        const auto bytes = wav(44100 * seconds);
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
    }
    return path.string();
}

// Load a file and start playing it: state.range(0) seconds, range(1) 1 for music.
void BM_LoadAndPlay(benchmark::State& state) {
    const std::string path = wavFile(static_cast<int>(state.range(0)));
    const bool music = state.range(1) != 0;
    for (auto _ : state) {
        auto sound = AudioSound::fromFile(path, music);
        auto channel = sound ? AudioChannel::play(*sound, 0, 0) : nullptr;
        if (!channel) {
            state.SkipWithError("no sound");
            break;
        }
        benchmark::DoNotOptimize(channel->positionMs());
    }
}
BENCHMARK(BM_LoadAndPlay)
    ->Args({30, 0})
    ->Args({60, 0})
    ->Args({30, 1})
    ->Args({60, 1})
    ->Unit(benchmark::kMillisecond);

constexpr int kMixVoices = 8;

// A long stereo sound of its own for the mixing benchmarks.
limn::sdl::SoundSamples mixSound() {
    auto samples = std::make_shared<std::vector<float>>(2 * 44100 * 10);
    for (std::size_t i = 0; i < samples->size(); ++i) {
        (*samples)[i] = static_cast<float>((i * 7919) % 2000) / 4000.0f - 0.25f;
    }
    return {std::shared_ptr<const float>(samples, samples->data()),
            static_cast<std::int64_t>(samples->size() / 2)};
}

void BM_MixBlock(benchmark::State& state) {
    const auto sound = mixSound();
    auto mixer = limn::sdl::AudioMixer::withoutOutput();
    std::vector<std::shared_ptr<limn::sdl::AudioVoice>> voices;
    for (int i = 0; i < kMixVoices; ++i) {
        voices.push_back(std::make_shared<limn::sdl::AudioVoice>());
        voices.back()->leftGain = 0.5f;
        mixer->play(sound, 997 * i, sound.frames - 997 * i, 1000, voices.back());
    }
    std::vector<float> block(2 * limn::sdl::AudioMixer::kBufferFrames);
    for (auto _ : state) {
        mixer->mix(block.data(), limn::sdl::AudioMixer::kBufferFrames);
        benchmark::DoNotOptimize(block.data());
    }
}
BENCHMARK(BM_MixBlock);

void BM_MixBlockFloor(benchmark::State& state) {
    const auto sound = mixSound();
    constexpr int frames = limn::sdl::AudioMixer::kBufferFrames;
    std::vector<float> block(2 * frames);
    std::int64_t at = 0;
    for (auto _ : state) {
        std::fill(block.begin(), block.end(), 0.0f);
        for (int v = 0; v < kMixVoices; ++v) {
            const float* from = sound.data.get() + 2 * ((997 * v + at) % (sound.frames - frames));
            for (int i = 0; i < frames; ++i) {
                block[2 * i] += from[2 * i] * 0.5f;
                block[2 * i + 1] += from[2 * i + 1];
            }
        }
        at += frames;
        benchmark::DoNotOptimize(block.data());
    }
}
BENCHMARK(BM_MixBlockFloor);

}  // namespace

int main(int argc, char** argv) {
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    limn::bench::RatioReporter reporter({
        {"score text changed every frame / unchanged", "BM_ScoreTextChanged",
         "BM_ScoreTextUnchanged"},
        {"sound load and play, 60 s / 30 s (decoded)", "BM_LoadAndPlay/60/0",
         "BM_LoadAndPlay/30/0"},
        {"music load and play, 60 s / 30 s (streamed)", "BM_LoadAndPlay/60/1",
         "BM_LoadAndPlay/30/1"},
        {"60 s streamed / decoded", "BM_LoadAndPlay/60/1", "BM_LoadAndPlay/60/0"},
        {"mixing a block of 8 voices / bare gain-and-sum loop", "BM_MixBlock", "BM_MixBlockFloor"},
    });
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
