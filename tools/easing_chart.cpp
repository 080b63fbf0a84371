// Draws every easing curve of the tween engine on one page, a small chart per
// curve: progress from left to right, the eased value upwards, with dotted
// lines at 0 and 1 so that overshoot (back, elastic) shows.
// Run: ./build/easing_chart docs/easing-curves.png
#include <cairo.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "motion/easing/Back.h"
#include "motion/easing/Bounce.h"
#include "motion/easing/Cubic.h"
#include "motion/easing/Elastic.h"
#include "motion/easing/Expo.h"
#include "motion/easing/Linear.h"
#include "motion/easing/Quad.h"
#include "motion/easing/Quart.h"
#include "motion/easing/Quint.h"
#include "motion/easing/Sine.h"

namespace easing = com::quillfern::motion::easing;

namespace {

constexpr int kCellW = 130, kCellH = 118, kColumns = 6, kRows = 5, kTop = 34;
constexpr double kPad = 14, kLabel = 16;

struct Chart {
    std::string name;
    std::shared_ptr<easing::IEasing> curve;
};

template <class Family>
void addFamily(std::vector<Chart>& charts, const std::string& name) {
    charts.push_back({name + " in", Family::easeIn()});
    charts.push_back({name + " out", Family::easeOut()});
    charts.push_back({name + " in-out", Family::easeInOut()});
}

std::vector<Chart> allCharts() {
    std::vector<Chart> charts;
    addFamily<easing::Linear>(charts, "Linear");
    addFamily<easing::Quad>(charts, "Quad");
    addFamily<easing::Sine>(charts, "Sine");
    addFamily<easing::Cubic>(charts, "Cubic");
    addFamily<easing::Quart>(charts, "Quart");
    addFamily<easing::Quint>(charts, "Quint");
    addFamily<easing::Expo>(charts, "Expo");
    addFamily<easing::Back>(charts, "Back");
    addFamily<easing::Elastic>(charts, "Elastic");
    addFamily<easing::Bounce>(charts, "Bounce");
    return charts;
}

// One chart in the cell whose top-left is (x, y). Values from -0.4 to 1.4 fit.
void drawChart(cairo_t* cr, const Chart& chart, double x, double y) {
    const double left = x + kPad, width = kCellW - 2 * kPad;
    const double height = kCellH - kLabel - 2 * kPad;
    const double zero = y + kLabel + kPad + height * (1.4 / 1.8);
    const double unit = height / 1.8;

    cairo_set_source_rgb(cr, 0.2, 0.2, 0.25);
    cairo_move_to(cr, x + kPad, y + kLabel);
    cairo_show_text(cr, chart.name.c_str());

    const double dash[] = {2, 3};
    cairo_set_dash(cr, dash, 2, 0);
    cairo_set_line_width(cr, 1);
    cairo_set_source_rgb(cr, 0.7, 0.7, 0.75);
    for (double level : {0.0, 1.0}) {
        cairo_move_to(cr, left, zero - level * unit + 0.5);
        cairo_line_to(cr, left + width, zero - level * unit + 0.5);
    }
    cairo_stroke(cr);
    cairo_set_dash(cr, nullptr, 0, 0);

    cairo_set_source_rgb(cr, 0.16, 0.45, 0.72);
    cairo_set_line_width(cr, 2);
    constexpr int kSteps = 200;
    for (int i = 0; i <= kSteps; ++i) {
        const double k = static_cast<double>(i) / kSteps;
        const double px = left + k * width, py = zero - chart.curve->calculate(k) * unit;
        if (i == 0)
            cairo_move_to(cr, px, py);
        else
            cairo_line_to(cr, px, py);
    }
    cairo_stroke(cr);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2 || std::string(argv[1]) == "--help") {
        std::fprintf(argc == 2 ? stdout : stderr, "Usage: easing_chart OUTPUT.png\n");
        return argc == 2 ? 0 : 2;
    }
    const int width = kColumns * kCellW, height = kTop + kRows * kCellH;
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
    cairo_t* cr = cairo_create(surface);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);
    cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
    cairo_set_font_size(cr, 15);
    cairo_set_source_rgb(cr, 0.1, 0.1, 0.15);
    cairo_move_to(cr, kPad, 22);
    cairo_show_text(cr, "Easing curves: progress across, eased value up (dotted: 0 and 1)");
    cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, 12);

    const std::vector<Chart> charts = allCharts();
    for (std::size_t i = 0; i < charts.size(); ++i) {
        const int column = static_cast<int>(i % kColumns), row = static_cast<int>(i / kColumns);
        drawChart(cr, charts[i], column * kCellW, kTop + row * kCellH);
    }
    cairo_destroy(cr);
    const cairo_status_t status = cairo_surface_write_to_png(surface, argv[1]);
    cairo_surface_destroy(surface);
    if (status != CAIRO_STATUS_SUCCESS) {
        std::fprintf(stderr, "easing_chart: could not write %s: %s\n", argv[1],
                     cairo_status_to_string(status));
        return 1;
    }
    return 0;
}
