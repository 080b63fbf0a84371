// Loads the raster probe page (tests/web/RasterProbe.cpp) in headless Chromium and
// checks what it drew through the Canvas 2D calls: solid and translucent fills, a
// gradient under a paint matrix, pictures copied from wasm memory once per version
// (premultiplied alpha undone), a clip, a stroke, a repeated picture fill, a layer
// drawn with a blend mode, and a read back into wasm memory.
// node check-raster.js PAGES_DIR CHROMIUM
'use strict';
const assert = require('assert/strict');
const { withBrowser, openProbe, run } = require('./probe-page.js');

const [pagesDir, browserPath] = process.argv.slice(2);
const kScale = 2;
const kBackground = [0x20, 0x30, 0x40, 255];

run(() => withBrowser(pagesDir, browserPath, async (browser, base) => {
  const { pixel, near, said, lines } =
      await openProbe(browser, `${base}/raster_probe.html`, 'raster: drew', kScale);

  await near(20, 20, [255, 0, 0, 255], 0, 'the red square');
  await near(40, 40, [127, 0, 128, 255], 1, 'half blue over red');
  await near(60, 60, [16, 24, 160, 255], 1, 'half blue over the background');
  await near(100.5, 30, [0, 0, 0, 255], 3, 'the gradient\'s start, placed by its matrix');
  await near(150, 30, [128, 128, 128, 255], 3, 'the gradient\'s middle');
  await near(199.5, 30, [255, 255, 255, 255], 3, 'the gradient\'s end');
  await near(210, 30, kBackground, 0, 'nothing past the gradient\'s box');

  said('raster: uploads 1 2 same handle 1');  // copied again only for a new version
  said('raster: after free uploads 3');
  await near(15, 105, [0, 255, 0, 255], 0, 'the picture\'s opaque green row');
  await near(15, 115, [0x90, 0x18, 0x20, 255], 2, 'its half-transparent red row, unpremultiplied');
  await near(15, 125, kBackground, 0, 'its clear row');
  await near(15, 135, [255, 255, 255, 255], 0, 'its white row');
  await near(65, 105, [0, 0, 255, 255], 0, 'the picture\'s next version (blue first pixel)');
  await near(75, 105, [0, 255, 0, 255], 0, 'the rest of its first row');

  await near(230, 110, [255, 255, 0, 255], 0, 'the fill inside the clip');
  await near(210, 110, kBackground, 0, 'nothing outside the clip');
  await near(230, 130, kBackground, 0, 'nothing under the clip');

  await near(60, 200, [255, 255, 255, 255], 0, 'the stroke');
  await near(60, 204, kBackground, 0, 'the stroke is 6 wide');
  await near(8, 200, kBackground, 0, 'its ends are not capped');
  await near(112, 200, kBackground, 0, 'its far end is not capped');

  await near(150.5, 200.5, [0, 0, 255, 255], 0, 'the repeated picture\'s first pixel');
  await near(152.5, 200.5, [0, 255, 0, 255], 0, 'its green row');
  await near(150.5, 204.5, kBackground, 0, 'its clear row');
  await near(158.5, 200.5, [0, 0, 255, 255], 0, 'its repeat');

  await near(30, 270, [128, 0, 0, 255], 1, 'red multiplied by grey');
  const read = lines.find((l) => l.startsWith('raster: read '));
  assert.ok(read, lines.join('\n'));
  const argb = parseInt(read.slice('raster: read '.length), 16) >>> 0;
  const [r, g, b, a] = await pixel(40, 40);
  assert.equal(argb, ((a << 24) | (r << 16) | (g << 8) | b) >>> 0, 'read back as ARGB32');
  console.log('web raster: all checks passed');
}));
