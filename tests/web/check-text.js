// Loads the text probe page (tests/web/TextProbe.cpp) in headless Chromium and checks
// the page's shaper against the desktop's: widths within a percent of what pango
// measures for the same fonts and sizes (the figures below, from the desktop's
// TextFieldNode), the same line count for a wrapped paragraph; and the pixels: text
// where the fields are and nowhere past them, a selection's highlight, a caret.
// node check-text.js PAGES_DIR CHROMIUM
'use strict';
const assert = require('assert/strict');
const { withBrowser, openProbe, run } = require('./probe-page.js');

const [pagesDir, browserPath] = process.argv.slice(2);
const kScale = 2;
// The desktop's textWidth, textHeight and line count of the same fields.
const kDesktop = {
  'width sans12': 270.533, 'width bold24': 608.180, 'width quicksand20': 414.144,
  'height sans12': 13.969, 'width selected': 106.305, 'width caret': 43.672,
};
const kTolerance = 0.01;

run(() => withBrowser(pagesDir, browserPath, async (browser, base) => {
  const { page, lines, near, said } =
      await openProbe(browser, `${base}/text_probe.html`, 'text: drew', kScale);
  const figure = (name) => {
    const line = lines.find((l) => l.startsWith(`text: ${name} `));
    assert.ok(line, `the probe printed "${name}":\n${lines.join('\n')}`);
    return Number(line.split(' ').pop());
  };
  for (const [name, desktop] of Object.entries(kDesktop)) {
    const got = figure(name);
    const off = Math.abs(got / desktop - 1);
    console.log(`web text: ${name} ${got} against the desktop's ${desktop} (${(off * 100).toFixed(3)}%)`);
    assert.ok(off <= kTolerance, `${name}: ${got}, the desktop's ${desktop}`);
  }
  said('text: lines paragraph 9');

  // Pixels of a CSS box matching `test` (r, g, b).
  const count = (x0, y0, x1, y1, test) => page.evaluate((box, source) => {
    const match = new Function('r', 'g', 'b', `return ${source};`);
    const data = document.getElementById('canvas').getContext('2d')
                     .getImageData(box[0], box[1], box[2] - box[0], box[3] - box[1]).data;
    let n = 0;
    for (let i = 0; i < data.length; i += 4) n += match(data[i], data[i + 1], data[i + 2]) ? 1 : 0;
    return n;
  }, [x0 * kScale, y0 * kScale, x1 * kScale, y1 * kScale], test);
  const dark = 'r < 128 && g < 128 && b < 160';
  const highlight = 'Math.abs(r - 168) < 8 && Math.abs(g - 206) < 8 && b > 247';

  assert.ok(await count(12, 12, 282, 28, dark) > 400, 'the small line\'s glyphs');
  assert.equal(await count(285, 10, 320, 30, dark), 0, 'nothing past the small line');
  assert.ok(await count(12, 92, 320, 120, dark) > 800, 'the Quicksand line\'s glyphs');
  assert.ok(await count(12, 162, 212, 320, dark) > 2000, 'the wrapped paragraph');
  assert.equal(await count(214, 160, 320, 320, dark), 0, 'nothing right of its wrap width');
  assert.ok(await count(10, 340, 210, 364, highlight) > 200, 'the selection\'s highlight');
  assert.equal(await count(10, 380, 210, 404, highlight), 0, 'no highlight without a selection');
  // The caret: one pixel wide after "Caret" (2 + 43.672 into the field at x = 10).
  await near(55.5, 392, [0, 0, 128, 255], 40, 'the caret');
  await near(57.5, 392, [255, 255, 255, 255], 0, 'one pixel wide');
  console.log('web text: all checks passed');
}));
