// Canvas 2D text for the page's shaper (TextCalls.h is the C++ half): fonts live in
// a table here and cross to wasm as small integers; a character's advance is
// measured once per font and kept. Text is measured and drawn with geometric
// precision: advances in fractions of a pixel, as the desktop lays them out (the
// page would otherwise round a web font's advances to whole pixels). Faces from font files are registered from
// their bytes with FontFace, which Chromium parses at once: a face is usable for
// measuring and drawing as soon as limn_text_face returns.
mergeInto(LibraryManager.library, {
  $LimnText__deps: ['$LimnRaster'],
  $LimnText: {
    fonts: [null],  // {css, big (the same at 1000 px), widths: Map, metrics}
    faces: 0,
    measurer: null,  // a context of its own for measuring
    context: function () {
      if (!LimnText.measurer) {
        LimnText.measurer = LimnRaster.newCanvas(1, 1).getContext('2d');
      }
      return LimnText.measurer;
    },
    string: function (at, count) {
      var codes = HEAPU32.subarray(at >> 2, (at >> 2) + count);
      var out = '';
      for (var i = 0; i < codes.length; i += 4096) {
        out += String.fromCodePoint.apply(null, codes.subarray(i, i + 4096));
      }
      return out;
    },
  },

  limn_text_font__deps: ['$LimnText'],
  limn_text_font: function (families, size, bold, italic) {
    var list = UTF8ToString(families);
    var style = (italic ? 'italic ' : '') + (bold ? 'bold ' : '');
    LimnText.fonts.push({
      css: style + size + 'px ' + list, big: style + '1000px ' + list, size: size,
      widths: new Map(), metrics: null,
    });
    return LimnText.fonts.length - 1;
  },

  limn_text_face__deps: ['$LimnText'],
  limn_text_face: function (bytes, length) {
    if (typeof FontFace === 'undefined') return 0;
    var name = 'limn-face-' + (LimnText.faces + 1);
    var face;
    try {
      face = new FontFace(name, HEAPU8.slice(bytes, bytes + length));
    } catch (e) {
      return 0;
    }
    if (face.status === 'error') return 0;
    (self.document ? document.fonts : self.fonts).add(face);
    return ++LimnText.faces;
  },

  limn_text_advances__deps: ['$LimnText'],
  limn_text_advances: function (handle, text, count, out) {
    var font = LimnText.fonts[handle];
    var context = null;
    var codes = HEAPU32.subarray(text >> 2, (text >> 2) + count);
    var widths = HEAPF64.subarray(out >> 3, (out >> 3) + count);
    for (var i = 0; i < count; ++i) {
      var code = codes[i];
      var width = font.widths.get(code);
      if (width === undefined) {
        if (!context) {
          context = LimnText.context();
          context.font = font.css;
          context.letterSpacing = '0px';
          context.fontKerning = 'none';
          context.textRendering = 'geometricPrecision';
        }
        width = context.measureText(String.fromCodePoint(code)).width;
        font.widths.set(code, width);
      }
      widths[i] = width;
    }
  },

  // Measured at 1000 px and scaled: the page rounds a font's box to whole pixels.
  limn_text_metrics__deps: ['$LimnText'],
  limn_text_metrics: function (handle, out) {
    var font = LimnText.fonts[handle];
    if (!font.metrics) {
      var context = LimnText.context();
      context.font = font.big;
      var m = context.measureText('Hg');
      var scale = font.size / 1000;
      font.metrics = [m.fontBoundingBoxAscent * scale, m.fontBoundingBoxDescent * scale];
    }
    HEAPF64[out >> 3] = font.metrics[0];
    HEAPF64[(out >> 3) + 1] = font.metrics[1];
  },

  limn_text_draw__deps: ['$LimnText', '$LimnRaster'],
  limn_text_draw: function (handle, font, text, count, x, baseline, spacing, argb, a, b, c, d, e,
                            f) {
    var context = LimnRaster.context(handle);
    context.save();
    LimnRaster.setTransform(context, a, b, c, d, e, f);
    context.globalAlpha = 1;
    context.globalCompositeOperation = 'source-over';
    context.font = LimnText.fonts[font].css;
    context.fontKerning = 'none';
    context.textRendering = 'geometricPrecision';
    context.letterSpacing = spacing + 'px';
    context.textAlign = 'left';
    context.textBaseline = 'alphabetic';
    context.fillStyle = LimnRaster.color(argb);
    context.fillText(LimnText.string(text, count), x, baseline);
    context.restore();
  },
});
