// Text fields at scale, each size against twice that size (a linear cost
// reads 2) and against the floor: pango laying out the same characters as one
// plain text.
// - htmlText of N runs of distinct colours;
// - setTextFormat on each of N characters with its own colour;
// - N newlines;
// - N characters with no break opportunity, wrapped in a 200-pixel box.

#include <benchmark/benchmark.h>
#include <pango/pangocairo.h>

#include <cstdio>
#include <string>
#include <vector>

#include "RatioReporter.h"
#include "backend/text/TextFieldNode.h"
#include "backend/text/TextFonts.h"

namespace {

using limn::sdl::TextFieldNode;
using limn::sdl::TextPatch;

constexpr int kSmall = 8000;
constexpr int kLarge = 16000;

std::string colourRuns(int n) {
    std::string html;
    char run[64];
    for (int i = 0; i < n; ++i) {
        std::snprintf(run, sizeof run, "<font color=\"#%06X\">ab</font>",
                      (i * 2654435761u) & 0xFFFFFF);
        html += run;
    }
    return html;
}

double laidOut(TextFieldNode& field) {
    return field.textWidth() + field.textHeight();
}

void BM_HtmlColourRuns(benchmark::State& state) {
    const std::string html = colourRuns(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        TextFieldNode field;
        field.setHtmlText(html);
        benchmark::DoNotOptimize(laidOut(field));
    }
}
BENCHMARK(BM_HtmlColourRuns)->Arg(kSmall)->Arg(kLarge)->Unit(benchmark::kMillisecond);

void BM_FormatEachCharacter(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    for (auto _ : state) {
        TextFieldNode field;
        field.setText(std::string(static_cast<std::size_t>(n), 'a'));
        TextPatch patch;
        for (int i = 0; i < n; ++i) {
            patch.color = static_cast<std::uint32_t>(i) & 0xFFFFFF;
            field.setTextFormat(patch, i, i + 1);
        }
        benchmark::DoNotOptimize(laidOut(field));
    }
}
BENCHMARK(BM_FormatEachCharacter)->Arg(kSmall)->Arg(kLarge)->Unit(benchmark::kMillisecond);

void BM_Newlines(benchmark::State& state) {
    const std::string text(static_cast<std::size_t>(state.range(0)), '\n');
    for (auto _ : state) {
        TextFieldNode field;
        field.setMultiline(true);
        field.setText(text);
        benchmark::DoNotOptimize(laidOut(field));
    }
}
BENCHMARK(BM_Newlines)->Arg(kSmall * 8)->Arg(kLarge * 8)->Unit(benchmark::kMillisecond);

void BM_Unbreakable(benchmark::State& state) {
    const std::string text(static_cast<std::size_t>(state.range(0)), 'x');
    for (auto _ : state) {
        TextFieldNode field;
        field.setWidth(200);
        field.setWordWrap(true);
        field.setText(text);
        benchmark::DoNotOptimize(laidOut(field));
    }
}
BENCHMARK(BM_Unbreakable)->Arg(kSmall * 8)->Arg(kLarge * 8)->Unit(benchmark::kMillisecond);

// The floor: one pango layout of the same number of plain characters.
void BM_PangoPlain(benchmark::State& state) {
    const std::string text(static_cast<std::size_t>(state.range(0)), 'a');
    for (auto _ : state) {
        PangoLayout* layout = pango_layout_new(limn::sdl::TextFonts::instance().context());
        pango_layout_set_text(layout, text.data(), static_cast<int>(text.size()));
        int w = 0;
        int h = 0;
        pango_layout_get_size(layout, &w, &h);
        benchmark::DoNotOptimize(w + h);
        g_object_unref(layout);
    }
}
BENCHMARK(BM_PangoPlain)
    ->Arg(kSmall * 2)
    ->Arg(kLarge * 2)
    ->Arg(kSmall * 8)
    ->Arg(kLarge * 8)
    ->Unit(benchmark::kMillisecond);

std::string named(const char* name, int n) {
    return std::string(name) + "/" + std::to_string(n);
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    std::vector<limn::bench::Ratio> ratios;
    const struct {
        const char* name;
        int scale;  // characters per unit of the argument
        int perArgument;
    } cases[] = {{"BM_HtmlColourRuns", 2, 1},
                 {"BM_FormatEachCharacter", 1, 1},
                 {"BM_Newlines", 1, 8},
                 {"BM_Unbreakable", 1, 8}};
    for (const auto& c : cases) {
        const int small = kSmall * c.perArgument;
        const int large = kLarge * c.perArgument;
        ratios.push_back({std::string(c.name) + ": twice the size / once", named(c.name, large),
                          named(c.name, small), 3.0});
        ratios.push_back({std::string(c.name) + ": field / plain pango", named(c.name, large),
                          named("BM_PangoPlain", large * c.scale)});
    }
    limn::bench::RatioReporter reporter(ratios);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
