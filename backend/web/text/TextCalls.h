#pragma once
// The Canvas 2D text calls of the page's shaper (text.js beside it is their
// JavaScript half). Fonts are handles into a table on the page (0 is "none");
// text crosses as code points (32 bits each) in wasm memory. Sizes are CSS
// pixels of the current transform; colours straight 0xAARRGGBB. WebAssembly
// builds only.
//
//   int font = limn_text_font("\"DejaVu Sans\", sans-serif", 12, 0, 0);
//   limn_text_advances(font, codePoints, count, widths);

#include <cstdint>

extern "C" {

// A font of a CSS family list ("\"Name\", sans-serif") at `size` pixels.
int limn_text_font(const char* families, double size, int bold, int italic);
// Registers the font file's bytes as a face of its own; the family name to use
// ("limn-face-N"), or 0 when the page can't read it as a font.
int limn_text_face(const void* bytes, int length);
// The advance of each code point alone, without letter spacing, into `out`.
void limn_text_advances(int font, const std::uint32_t* text, int count, double* out);
// Ascent, descent (both >= 0) of the font, in pixels, into out[0], out[1].
void limn_text_metrics(int font, double* out);
// Draws the text from (x, baseline) on a context (CanvasCalls.h) under the
// transform (a, b, c, d, e, f), inside the context's clip.
void limn_text_draw(int context, int font, const std::uint32_t* text, int count, double x,
                    double baseline, double letterSpacing, std::uint32_t argb, double a, double b,
                    double c, double d, double e, double f);
}
