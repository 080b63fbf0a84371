// Loads the canvas probe page (tests/web/CanvasProbe.cpp) in headless Chromium and
// checks what the scene's Canvas drew on the page: repeated and reflected gradients,
// clips kept across layers and saves, a masked layer, a filtered layer, a stroke
// with a device-pixel pen; and the path geometry's answers.
// node check-canvas.js PAGES_DIR CHROMIUM
'use strict';
const { withBrowser, openProbe, run } = require('./probe-page.js');

const [pagesDir, browserPath] = process.argv.slice(2);
const kScale = 2;
const kBackground = [0x20, 0x30, 0x40, 255];

run(() => withBrowser(pagesDir, browserPath, async (browser, base) => {
  const { near, said } =
      await openProbe(browser, `${base}/canvas_probe.html`, 'canvas: drew', kScale);
  said('canvas: path kept 1');
  said(`canvas: clip 0 0 ${320 * kScale} ${480 * kScale}`);
  said('canvas: extents outside 0 loose 0');
  said('canvas: contains 1 0 0 1 1 0');
  const grey = (v) => [v, v, v, 255];
  const half = (rgb) => rgb.map((v, i) => Math.round(v / 2 + kBackground[i] / 2)).concat(255);

  // Repeat: each 20-pixel period runs black to white again; reflect runs back.
  await near(10.25, 20, grey(3), 6, 'a repeated period\'s start');
  await near(20, 20, grey(128), 6, 'its middle');
  await near(30.25, 20, grey(3), 6, 'the next period\'s start');
  await near(29.75, 20, grey(252), 6, 'the end of the first');
  await near(30.25, 50, grey(252), 6, 'a reflected period runs back');
  await near(49.75, 50, grey(3), 6, 'to black');
  await near(100, 20, grey(128), 8, 'the last period, far along the axis');

  await near(45, 100, half([255, 0, 0]), 2, 'the layer\'s red inside both clips, at half alpha');
  await near(20, 100, kBackground, 0, 'nothing of it outside the inner clip');
  await near(65, 100, kBackground, 0, 'nor outside the outer clip');
  await near(20, 125, half([0, 255, 0]), 2, 'the green after the inner clip ended');
  await near(20, 135, kBackground, 0, 'still inside the outer clip');
  await near(75, 85, [255, 255, 255, 255], 0, 'the clip ended with its save');

  await near(125, 85, [0, 0, 255, 255], 0, 'masked content where the mask is');
  await near(150, 110, kBackground, 0, 'none in the mask\'s hole');
  await near(185, 110, kBackground, 0, 'none outside the mask');

  await near(220, 100, [0, 0, 255, 255], 0, 'the filter\'s box, inverted');
  await near(205, 85, kBackground, 0, 'nothing of the layer outside the box');

  await near(60, 160, [255, 255, 255, 255], 0, 'the device-width stroke');
  await near(60, 161.5, kBackground, 0, 'is 4 device pixels wide');
  await near(130, 160, [255, 0, 255, 255], 0, 'the path drawn twice');
  console.log('web canvas: all checks passed');
}));
