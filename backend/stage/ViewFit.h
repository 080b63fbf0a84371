#pragma once
// Where a stage shows in an output of device pixels: scaled to fit with its aspect
// kept, centred (letterboxed), and filling its view to the last whole pixel each
// way, so scales that don't divide evenly leave no seam of background at the edges.
//
//   const ViewFit fit = ViewFit::of(320, 480, 750, 1334);
//   stage.setOutputScale(fit.scaleX, fit.scaleY);

#include <algorithm>
#include <cmath>

namespace limn::sdl {

struct ViewFit {
    int x = 0, y = 0, w = 0, h = 0;  // the view, in output pixels
    double scaleX = 1, scaleY = 1;   // output pixels per stage pixel

    static ViewFit of(int stageW, int stageH, int outW, int outH) {
        const double scale = std::max(
            0.01, std::min(static_cast<double>(outW) / stageW, static_cast<double>(outH) / stageH));
        const int viewW = std::max(1, static_cast<int>(std::lround(stageW * scale)));
        const int viewH = std::max(1, static_cast<int>(std::lround(stageH * scale)));
        return {(outW - viewW) / 2,
                (outH - viewH) / 2,
                viewW,
                viewH,
                static_cast<double>(viewW) / stageW,
                static_cast<double>(viewH) / stageH};
    }
};

}  // namespace limn::sdl
