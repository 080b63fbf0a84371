// Text fields at scale, each size against twice that size (a linear cost
// reads 2) and against the floor: pango laying out the same characters as one
// plain text.
// - htmlText of N runs of distinct colours;
// - setTextFormat on each of N characters with its own colour;
// - N newlines;
// - N characters with no break opportunity, wrapped in a 200-pixel box;
// - 20,000 runs of distinct font sizes, by htmlText and by setTextFormat on
//   each character, against pango laying out the same sizes.

#include <benchmark/benchmark.h>
#include <pango/pangocairo.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "RatioReporter.h"
#include "backend/desktop/text/TextFonts.h"
#include "backend/text/TextFieldNode.h"

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

// Runs of distinct font sizes ("8.001", "8.002", ...): what a field pays per
// run against raw pango laying out the same characters with the same sizes.
double sizeOf(int i) {
    return 8.0 + 0.001 * (i + 1);
}

std::string sizeRuns(int n) {
    std::string html;
    char run[64];
    for (int i = 0; i < n; ++i) {
        std::snprintf(run, sizeof run, "<font size=\"%.3f\">x</font>", sizeOf(i));
        html += run;
    }
    return html;
}

// Fonts are made once per size and process: each benchmark lays its text out
// once untimed first, so the figures are those of every later layout.
double htmlSizeRuns(const std::string& html) {
    TextFieldNode field;
    field.setHtmlText(html);
    return laidOut(field);
}

void BM_HtmlSizeRuns(benchmark::State& state) {
    const std::string html = sizeRuns(static_cast<int>(state.range(0)));
    benchmark::DoNotOptimize(htmlSizeRuns(html));
    for (auto _ : state) benchmark::DoNotOptimize(htmlSizeRuns(html));
}

double formatSizeEachCharacter(int n) {
    TextFieldNode field;
    field.setText(std::string(static_cast<std::size_t>(n), 'x'));
    TextPatch patch;
    for (int i = 0; i < n; ++i) {
        patch.size = sizeOf(i);
        field.setTextFormat(patch, i, i + 1);
    }
    return laidOut(field);
}

void BM_FormatSizeEachCharacter(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    benchmark::DoNotOptimize(formatSizeEachCharacter(n));
    for (auto _ : state) benchmark::DoNotOptimize(formatSizeEachCharacter(n));
}

// The floor for the size runs: one pango layout of N 'x', each with its own
// absolute size attribute (the sizes a field hands pango), in the field's face.
int pangoSizeRuns(const std::string& text) {
    const int n = static_cast<int>(text.size());
    PangoLayout* layout = pango_layout_new(limn::sdl::TextFonts::instance().context());
    pango_layout_set_text(layout, text.data(), n);
    PangoFontDescription* face = pango_font_description_from_string("DejaVu Sans 12px");
    pango_layout_set_font_description(layout, face);
    pango_font_description_free(face);
    PangoAttrList* list = pango_attr_list_new();
    for (int i = 0; i < n; ++i) {
        PangoAttribute* size = pango_attr_size_new_absolute(
            static_cast<int>(limn::sdl::TextFonts::layoutSize(sizeOf(i)) * PANGO_SCALE));
        size->start_index = static_cast<guint>(i);
        size->end_index = static_cast<guint>(i + 1);
        pango_attr_list_insert(list, size);
    }
    pango_layout_set_attributes(layout, list);
    pango_attr_list_unref(list);
    int w = 0;
    int h = 0;
    pango_layout_get_size(layout, &w, &h);
    g_object_unref(layout);
    return w + h;
}

void BM_PangoSizeRuns(benchmark::State& state) {
    const std::string text(static_cast<std::size_t>(state.range(0)), 'x');
    benchmark::DoNotOptimize(pangoSizeRuns(text));
    for (auto _ : state) benchmark::DoNotOptimize(pangoSizeRuns(text));
}

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
    // Runs of distinct font sizes: 20,000 (as many as made a field stall) or
    // LIMN_BENCH_SIZE_RUNS, and half as many.
    const char* wanted = std::getenv("LIMN_BENCH_SIZE_RUNS");
    const int runs = wanted != nullptr ? std::max(2, std::atoi(wanted)) : 20000;
    const struct {
        const char* name;
        void (*function)(benchmark::State&);
    } sizeCases[] = {{"BM_HtmlSizeRuns", BM_HtmlSizeRuns},
                     {"BM_FormatSizeEachCharacter", BM_FormatSizeEachCharacter},
                     {"BM_PangoSizeRuns", BM_PangoSizeRuns}};
    for (const auto& c : sizeCases) {
        benchmark::RegisterBenchmark(c.name, c.function)
            ->Arg(runs / 2)
            ->Arg(runs)
            ->Unit(benchmark::kMillisecond);
    }
    for (const char* name : {"BM_HtmlSizeRuns", "BM_FormatSizeEachCharacter"}) {
        ratios.push_back({std::string(name) + ": twice the runs / once", named(name, runs),
                          named(name, runs / 2), 3.0});
        ratios.push_back({std::string(name) + ": field / pango with the same sizes",
                          named(name, runs), named("BM_PangoSizeRuns", runs)});
    }
    limn::bench::RatioReporter reporter(ratios);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
