// Canvas 2D for the page's raster (CanvasCalls.h is the C++ half): drawing contexts,
// paths, gradients and pictures live in handle tables here and cross to wasm as small
// integers. Handle 0 is "none" everywhere; context 1 is the page's canvas.
//
// Pictures cross as ImageData copied from wasm memory (premultiplied ARGB32, the
// surfaces' format), kept per key and version: a picture asked for again at the same
// version is not copied again.
mergeInto(LibraryManager.library, {
  $LimnRaster__deps: ['$LimnShell'],
  $LimnRaster: {
    // Slot 1 is kept for the page's canvas (false until first used): a context made
    // before the page's is first asked for must not take its handle.
    contexts: [null, false],
    paths: [null],
    gradients: [null],
    pictures: [null],
    pictureKeys: null,  // key -> picture handle, made on first use
    uploads: 0,
    // BlendMode in wire order; the two Canvas 2D lacks take the nearest it has.
    blends: ['source-over', 'source-over', 'multiply', 'screen', 'lighten', 'darken',
             'difference', 'lighter', 'difference', 'difference', 'destination-in',
             'destination-out', 'overlay', 'hard-light'],
    caps: ['round', 'butt', 'square'],
    joins: ['round', 'miter', 'bevel'],
    probe: null,  // a 1 x 1 context for point-in-path questions

    add: function (table, value) {
      for (var i = 1; i < table.length; ++i) {
        if (table[i] === null) { table[i] = value; return i; }
      }
      table.push(value);
      return table.length - 1;
    },
    drop: function (table, handle) {
      if (handle > 0 && handle < table.length) table[handle] = null;
    },
    // The page's canvas may be drawn on before the shell starts (its 2D context
    // is the same object either way).
    context: function (handle) {
      if (handle === 1 && !LimnRaster.contexts[1]) {
        var canvas = LimnShell.canvas || Module['canvas'] || document.getElementById('canvas');
        LimnRaster.contexts[1] = LimnShell.context || canvas.getContext('2d');
      }
      return LimnRaster.contexts[handle];
    },
    // Sets a context's transform after its origin: where its drawing's (0, 0) is
    // (the page's canvas places the stage's frame there; 0, 0 when never set).
    setTransform: function (c, a, b, cc, d, e, f) {
      c.setTransform(a, b, cc, d, e + (c.limnOriginX || 0), f + (c.limnOriginY || 0));
    },
    // 0xAARRGGBB (straight alpha) as a CSS colour.
    color: function (argb) {
      argb >>>= 0;
      return 'rgba(' + ((argb >>> 16) & 255) + ',' + ((argb >>> 8) & 255) + ',' + (argb & 255) +
             ',' + ((argb >>> 24) / 255) + ')';
    },
    newCanvas: function (width, height) {
      if (typeof OffscreenCanvas !== 'undefined') return new OffscreenCanvas(width, height);
      var canvas = document.createElement('canvas');
      canvas.width = width;
      canvas.height = height;
      return canvas;
    },
    matrix: function (a, b, c, d, e, f) {
      return new DOMMatrix([a, b, c, d, e, f]);
    },
    // Premultiplied ARGB32 rows in wasm memory to straight RGBA.
    toImageData: function (at, width, height, stride, opaque) {
      var image = new ImageData(width, height);
      var out = new Uint32Array(image.data.buffer);
      var heap = HEAPU32;
      for (var y = 0; y < height; ++y) {
        var from = (at + y * stride) >> 2;
        var to = y * width;
        for (var x = 0; x < width; ++x) {
          var p = heap[from + x];
          var a = opaque ? 255 : p >>> 24;
          var r = (p >>> 16) & 255, g = (p >>> 8) & 255, b = p & 255;
          if (a === 0) { out[to + x] = 0; continue; }
          if (a !== 255) {
            r = ((r * 255 + (a >> 1)) / a) | 0;
            g = ((g * 255 + (a >> 1)) / a) | 0;
            b = ((b * 255 + (a >> 1)) / a) | 0;
            if (r > 255) r = 255;
            if (g > 255) g = 255;
            if (b > 255) b = 255;
          }
          out[to + x] = ((a << 24) | (b << 16) | (g << 8) | r) >>> 0;
        }
      }
      return image;
    },
    // Straight RGBA to premultiplied ARGB32 rows in wasm memory.
    fromImageData: function (image, at, stride) {
      var data = new Uint32Array(image.data.buffer);
      var heap = HEAPU32;
      for (var y = 0; y < image.height; ++y) {
        var to = (at + y * stride) >> 2;
        var from = y * image.width;
        for (var x = 0; x < image.width; ++x) {
          var p = data[from + x];
          var a = p >>> 24;
          var r = p & 255, g = (p >>> 8) & 255, b = (p >>> 16) & 255;
          if (a !== 255) {
            r = ((r * a + 127) / 255) | 0;
            g = ((g * a + 127) / 255) | 0;
            b = ((b * a + 127) / 255) | 0;
          }
          heap[to + x] = ((a << 24) | (r << 16) | (g << 8) | b) >>> 0;
        }
      }
    },
    // Fills or strokes `path` with the context's current style; a paint matrix
    // (given as six numbers, null for none) places the style's space in the path's.
    paint: function (c, path, matrix, fill, evenOdd) {
      if (!matrix) {
        if (fill) c.fill(path, evenOdd ? 'evenodd' : 'nonzero');
        else c.stroke(path);
        return;
      }
      var inverse = matrix.inverse();
      if (!isFinite(inverse.a)) return;
      var moved = new Path2D();
      moved.addPath(path, inverse);
      c.save();
      c.transform(matrix.a, matrix.b, matrix.c, matrix.d, matrix.e, matrix.f);
      if (fill) {
        c.fill(moved, evenOdd ? 'evenodd' : 'nonzero');
      } else {
        // The line keeps its width in the path's space when the paint space is
        // scaled evenly (the usual case); a skewed paint space skews the line.
        c.lineWidth = c.lineWidth / Math.sqrt(Math.abs(matrix.a * matrix.d - matrix.b * matrix.c));
        c.stroke(moved);
      }
      c.restore();
    },
  },

  limn_raster_canvas_size__deps: ['$LimnRaster'],
  limn_raster_canvas_size: function (handle, widthAt, heightAt) {
    var c = LimnRaster.context(handle);
    HEAP32[widthAt >> 2] = c ? c.canvas.width : 0;
    HEAP32[heightAt >> 2] = c ? c.canvas.height : 0;
  },

  // A transparent layer of its own to draw into (masks, filters, cached bitmaps, a
  // surface's canvas); most are read back, so they are kept in memory for reading.
  limn_raster_layer_new__deps: ['$LimnRaster'],
  limn_raster_layer_new: function (width, height) {
    var canvas = LimnRaster.newCanvas(Math.max(1, width), Math.max(1, height));
    return LimnRaster.add(LimnRaster.contexts, canvas.getContext('2d', { willReadFrequently: true }));
  },
  limn_raster_layer_free__deps: ['$LimnRaster'],
  limn_raster_layer_free: function (handle) {
    if (handle !== 1) LimnRaster.drop(LimnRaster.contexts, handle);
  },
  // Draws layer `from` into context `into` at the current transform, alpha and blend.
  limn_raster_draw_layer__deps: ['$LimnRaster'],
  limn_raster_draw_layer: function (into, from, x, y) {
    var c = LimnRaster.context(into), layer = LimnRaster.context(from);
    if (c && layer) c.drawImage(layer.canvas, x, y);
  },
  // Reads a box of a context into premultiplied ARGB32 rows at `at`.
  limn_raster_read__deps: ['$LimnRaster'],
  limn_raster_read: function (handle, x, y, width, height, at, stride) {
    var c = LimnRaster.context(handle);
    if (!c || width <= 0 || height <= 0) return;
    LimnRaster.fromImageData(c.getImageData(x, y, width, height), at, stride);
  },

  // Writes premultiplied ARGB32 rows from `at` into a box of a context, replacing
  // what was there (the clip, transform and blend are not consulted).
  limn_raster_write__deps: ['$LimnRaster'],
  limn_raster_write: function (handle, x, y, width, height, at, stride) {
    var c = LimnRaster.context(handle);
    if (!c || width <= 0 || height <= 0) return;
    c.putImageData(LimnRaster.toImageData(at, width, height, stride, 0), x, y);
  },
  // Clears a context whole and drops its saved states, transform and clip.
  limn_raster_reset__deps: ['$LimnRaster'],
  limn_raster_reset: function (handle) {
    var c = LimnRaster.context(handle);
    if (c) c.canvas.width = c.canvas.width;
  },
  // Whether (x, y) is inside the filled path, or on it stroked with the line given.
  limn_raster_path_contains__deps: ['$LimnRaster'],
  limn_raster_path_contains: function (path, evenOdd, x, y) {
    var r = LimnRaster;
    if (!r.probe) r.probe = r.newCanvas(1, 1).getContext('2d');
    return r.probe.isPointInPath(r.paths[path], x, y, evenOdd ? 'evenodd' : 'nonzero') ? 1 : 0;
  },
  limn_raster_stroke_contains__deps: ['$LimnRaster'],
  limn_raster_stroke_contains: function (path, width, caps, joints, miterLimit, x, y) {
    var r = LimnRaster;
    if (!r.probe) r.probe = r.newCanvas(1, 1).getContext('2d');
    var c = r.probe;
    c.lineWidth = width;
    c.lineCap = r.caps[caps] || 'round';
    c.lineJoin = r.joins[joints] || 'round';
    c.miterLimit = miterLimit;
    return c.isPointInStroke(r.paths[path], x, y) ? 1 : 0;
  },

  limn_raster_save__deps: ['$LimnRaster'],
  limn_raster_save: function (handle) { LimnRaster.context(handle).save(); },
  limn_raster_restore__deps: ['$LimnRaster'],
  limn_raster_restore: function (handle) { LimnRaster.context(handle).restore(); },
  limn_raster_set_transform__deps: ['$LimnRaster'],
  limn_raster_set_transform: function (handle, a, b, c, d, e, f) {
    LimnRaster.setTransform(LimnRaster.context(handle), a, b, c, d, e, f);
  },
  // Moves where a context's drawing starts: every transform set on it after this
  // is translated by (x, y) in device pixels (reads, writes and clears are not).
  limn_raster_set_origin__deps: ['$LimnRaster'],
  limn_raster_set_origin: function (handle, x, y) {
    var c = LimnRaster.context(handle);
    if (!c) return;
    c.limnOriginX = x;
    c.limnOriginY = y;
  },
  limn_raster_transform__deps: ['$LimnRaster'],
  limn_raster_transform: function (handle, a, b, c, d, e, f) {
    LimnRaster.context(handle).transform(a, b, c, d, e, f);
  },
  limn_raster_set_alpha__deps: ['$LimnRaster'],
  limn_raster_set_alpha: function (handle, alpha) {
    LimnRaster.context(handle).globalAlpha = alpha;
  },
  limn_raster_set_blend__deps: ['$LimnRaster'],
  limn_raster_set_blend: function (handle, mode) {
    LimnRaster.context(handle).globalCompositeOperation = LimnRaster.blends[mode] || 'source-over';
  },
  limn_raster_set_smoothing__deps: ['$LimnRaster'],
  limn_raster_set_smoothing: function (handle, smooth) {
    LimnRaster.context(handle).imageSmoothingEnabled = !!smooth;
  },
  limn_raster_clip_rect__deps: ['$LimnRaster'],
  limn_raster_clip_rect: function (handle, x, y, width, height) {
    var c = LimnRaster.context(handle);
    c.beginPath();
    c.rect(x, y, width, height);
    c.clip();
  },
  limn_raster_clip_path__deps: ['$LimnRaster'],
  limn_raster_clip_path: function (handle, path, evenOdd) {
    LimnRaster.context(handle).clip(LimnRaster.paths[path], evenOdd ? 'evenodd' : 'nonzero');
  },
  // Clears a box to transparent (device pixels, whatever the transform).
  limn_raster_clear_rect__deps: ['$LimnRaster'],
  limn_raster_clear_rect: function (handle, x, y, width, height) {
    var c = LimnRaster.context(handle);
    c.save();
    c.setTransform(1, 0, 0, 1, 0, 0);
    c.clearRect(x, y, width, height);
    c.restore();
  },

  limn_raster_path_new__deps: ['$LimnRaster'],
  limn_raster_path_new: function () { return LimnRaster.add(LimnRaster.paths, new Path2D()); },
  limn_raster_path_free__deps: ['$LimnRaster'],
  limn_raster_path_free: function (path) { LimnRaster.drop(LimnRaster.paths, path); },
  limn_raster_move_to__deps: ['$LimnRaster'],
  limn_raster_move_to: function (path, x, y) { LimnRaster.paths[path].moveTo(x, y); },
  limn_raster_line_to__deps: ['$LimnRaster'],
  limn_raster_line_to: function (path, x, y) { LimnRaster.paths[path].lineTo(x, y); },
  limn_raster_quad_to__deps: ['$LimnRaster'],
  limn_raster_quad_to: function (path, cx, cy, x, y) {
    LimnRaster.paths[path].quadraticCurveTo(cx, cy, x, y);
  },
  limn_raster_cubic_to__deps: ['$LimnRaster'],
  limn_raster_cubic_to: function (path, c1x, c1y, c2x, c2y, x, y) {
    LimnRaster.paths[path].bezierCurveTo(c1x, c1y, c2x, c2y, x, y);
  },
  limn_raster_rect__deps: ['$LimnRaster'],
  limn_raster_rect: function (path, x, y, width, height) {
    LimnRaster.paths[path].rect(x, y, width, height);
  },
  limn_raster_close__deps: ['$LimnRaster'],
  limn_raster_close: function (path) { LimnRaster.paths[path].closePath(); },

  limn_raster_fill_color__deps: ['$LimnRaster'],
  limn_raster_fill_color: function (handle, path, argb, evenOdd) {
    var c = LimnRaster.context(handle);
    c.fillStyle = LimnRaster.color(argb);
    c.fill(LimnRaster.paths[path], evenOdd ? 'evenodd' : 'nonzero');
  },
  // Sets the line for the strokes that follow: width, caps and joins in wire order.
  limn_raster_set_line__deps: ['$LimnRaster'],
  limn_raster_set_line: function (handle, width, caps, joints, miterLimit) {
    var c = LimnRaster.context(handle);
    c.lineWidth = width;
    c.lineCap = LimnRaster.caps[caps] || 'round';
    c.lineJoin = LimnRaster.joins[joints] || 'round';
    c.miterLimit = miterLimit;
  },
  limn_raster_stroke_color__deps: ['$LimnRaster'],
  limn_raster_stroke_color: function (handle, path, argb) {
    var c = LimnRaster.context(handle);
    c.strokeStyle = LimnRaster.color(argb);
    c.stroke(LimnRaster.paths[path]);
  },

  // Gradients in their own space (placed by the paint matrix of the fill).
  limn_raster_linear_gradient_new__deps: ['$LimnRaster'],
  limn_raster_linear_gradient_new: function (x0, y0, x1, y1) {
    var g = LimnRaster.context(1).createLinearGradient(x0, y0, x1, y1);
    return LimnRaster.add(LimnRaster.gradients, g);
  },
  limn_raster_radial_gradient_new__deps: ['$LimnRaster'],
  limn_raster_radial_gradient_new: function (x0, y0, r0, x1, y1, r1) {
    var g = LimnRaster.context(1).createRadialGradient(x0, y0, Math.max(0, r0), x1, y1,
                                                       Math.max(0, r1));
    return LimnRaster.add(LimnRaster.gradients, g);
  },
  limn_raster_gradient_stop__deps: ['$LimnRaster'],
  limn_raster_gradient_stop: function (gradient, offset, argb) {
    LimnRaster.gradients[gradient].addColorStop(Math.min(1, Math.max(0, offset)),
                                                LimnRaster.color(argb));
  },
  limn_raster_gradient_free__deps: ['$LimnRaster'],
  limn_raster_gradient_free: function (gradient) {
    LimnRaster.drop(LimnRaster.gradients, gradient);
  },
  // Fills (stroke 0) or strokes (1) a path with a gradient under a paint matrix.
  limn_raster_paint_gradient__deps: ['$LimnRaster'],
  limn_raster_paint_gradient: function (handle, path, gradient, stroke, evenOdd, a, b, c, d, e, f) {
    var context = LimnRaster.context(handle);
    var g = LimnRaster.gradients[gradient];
    if (stroke) context.strokeStyle = g;
    else context.fillStyle = g;
    LimnRaster.paint(context, LimnRaster.paths[path], LimnRaster.matrix(a, b, c, d, e, f), !stroke,
                     evenOdd);
  },

  // The picture for `key` at `version`: copied from `at` (premultiplied ARGB32 rows,
  // `stride` bytes apart) only when the version moved or the size changed.
  limn_raster_picture__deps: ['$LimnRaster'],
  limn_raster_picture: function (key, version, at, width, height, stride, opaque) {
    var r = LimnRaster;
    if (!r.pictureKeys) r.pictureKeys = new Map();
    var handle = r.pictureKeys.get(key);
    var picture = handle ? r.pictures[handle] : null;
    if (picture && picture.version === version && picture.canvas.width === width &&
        picture.canvas.height === height) {
      return handle;
    }
    if (!picture) {
      picture = { version: -1, canvas: r.newCanvas(width, height) };
      handle = r.add(r.pictures, picture);
      r.pictureKeys.set(key, handle);
    }
    if (picture.canvas.width !== width) picture.canvas.width = width;
    if (picture.canvas.height !== height) picture.canvas.height = height;
    picture.canvas.getContext('2d').putImageData(r.toImageData(at, width, height, stride, opaque),
                                                 0, 0);
    picture.version = version;
    ++r.uploads;
    return handle;
  },
  // Forgets the picture of a surface that went away.
  limn_raster_picture_free__deps: ['$LimnRaster'],
  limn_raster_picture_free: function (key) {
    var r = LimnRaster;
    var handle = r.pictureKeys ? r.pictureKeys.get(key) : 0;
    if (!handle) return;
    r.pictureKeys.delete(key);
    r.drop(r.pictures, handle);
  },
  // How many pictures were copied from wasm memory so far.
  limn_raster_uploads__deps: ['$LimnRaster'],
  limn_raster_uploads: function () { return LimnRaster.uploads; },
  // Draws a box of a picture at the current transform, alpha and blend.
  limn_raster_draw_picture__deps: ['$LimnRaster'],
  limn_raster_draw_picture: function (handle, picture, sx, sy, sw, sh, smooth) {
    var c = LimnRaster.context(handle);
    var p = LimnRaster.pictures[picture];
    if (!c || !p || sw <= 0 || sh <= 0) return;
    c.imageSmoothingEnabled = !!smooth;
    c.drawImage(p.canvas, sx, sy, sw, sh, 0, 0, sw, sh);
  },
  // Fills (stroke 0) or strokes (1) a path with a picture, repeated or not, under a
  // paint matrix.
  limn_raster_paint_picture__deps: ['$LimnRaster'],
  limn_raster_paint_picture: function (handle, path, picture, repeat, smooth, stroke, evenOdd,
                                       a, b, c, d, e, f) {
    var context = LimnRaster.context(handle);
    var p = LimnRaster.pictures[picture];
    if (!context || !p) return;
    var pattern = context.createPattern(p.canvas, repeat ? 'repeat' : 'no-repeat');
    pattern.setTransform(LimnRaster.matrix(a, b, c, d, e, f));
    context.imageSmoothingEnabled = !!smooth;
    if (stroke) {
      context.strokeStyle = pattern;
      context.stroke(LimnRaster.paths[path]);
    } else {
      context.fillStyle = pattern;
      context.fill(LimnRaster.paths[path], evenOdd ? 'evenodd' : 'nonzero');
    }
  },
});
