// Opens example pages (the same programs as on the desktop) in headless Chromium and
// checks that each loads without a console error and draws what the desktop draws
// where it draws it, that a moving page draws only its damaged boxes on the
// canvas and reads nothing back, that a still page draws nothing at all, and that
// every example page runs for a few seconds without a crash or a console error.
// node check-examples.js PAGES_DIR CHROMIUM
'use strict';
const assert = require('assert/strict');
const fs = require('fs');
const path = require('path');
const { withBrowser, watchConsole, waitFor, run } = require('./probe-page.js');

const [pagesDir, browserPath] = process.argv.slice(2);

// Counts every drawing call on any canvas of the page, the boxes of the page's own
// canvas drawn in (pixels written to it, or rectangles it is clipped to: the stage
// draws its damaged boxes straight on it, each inside its own clip) and the pixels
// read back from it, from before the page's code runs.
function countDrawing() {
  window.limnDrawing = { calls: 0, shownPixels: 0, shownWrites: 0, shownReads: 0 };
  const proto = CanvasRenderingContext2D.prototype;
  for (const name of ['putImageData', 'drawImage', 'fill', 'stroke', 'fillRect', 'clearRect',
                      'strokeRect', 'fillText', 'strokeText']) {
    const original = proto[name];
    proto[name] = function (...args) {
      window.limnDrawing.calls++;
      if (name === 'putImageData' && this.canvas.id === 'canvas') {
        window.limnDrawing.shownWrites++;
        window.limnDrawing.shownPixels += args[0].width * args[0].height;
      }
      return original.apply(this, args);
    };
  }
  let lastRect = 0;
  const rect = proto.rect, clip = proto.clip, read = proto.getImageData;
  proto.rect = function (x, y, w, h) {
    if (this.canvas.id === 'canvas') lastRect = Math.abs(w * h);
    return rect.call(this, x, y, w, h);
  };
  proto.clip = function (...args) {
    if (this.canvas.id === 'canvas' && args.length === 0) {
      window.limnDrawing.shownWrites++;
      window.limnDrawing.shownPixels += lastRect;
    }
    return clip.apply(this, args);
  };
  proto.getImageData = function (...args) {
    if (this.canvas.id === 'canvas') window.limnDrawing.shownReads++;
    return read.apply(this, args);
  };
}

async function openExample(browser, base, name) {
  const page = await browser.newPage();
  await page.setViewport({ width: 320, height: 480, deviceScaleFactor: 1 });
  await page.evaluateOnNewDocument(countDrawing);
  const { errors, lines } = watchConsole(page);
  // A renderer that goes down ("Page crashed!") says nothing on the console.
  page.on('error', (error) => errors.push(String(error)));
  await page.goto(`${base}/${name}.html`);
  const rgb = (x, y) => page.evaluate((x, y) => Array.from(
    document.getElementById('canvas').getContext('2d').getImageData(x, y, 1, 1).data.slice(0, 3)),
    x, y);
  const drawing = () => page.evaluate(() => ({ ...window.limnDrawing }));
  // Shown once the canvas holds the stage: its first frame is written whole.
  await waitFor(lines, `${name}'s first frame`, async () => (await drawing()).shownWrites > 0);
  const frames = (n) => page.evaluate((n) => new Promise((done) => {
    const step = () => (--n > 0 ? requestAnimationFrame(step) : done());
    requestAnimationFrame(step);
  }), n);
  // The share of the canvas's pixels, in a box of CSS pixels, unlike `colour`.
  const unlike = (colour, x, y, w, h) => page.evaluate((colour, x, y, w, h) => {
    const data = document.getElementById('canvas').getContext('2d').getImageData(x, y, w, h).data;
    let differing = 0;
    for (let i = 0; i < data.length; i += 4) {
      if (colour.some((v, k) => Math.abs(data[i + k] - v) > 8)) ++differing;
    }
    return differing / (w * h);
  }, colour, x, y, w, h);
  const near = async (x, y, want, what) => {
    const got = await rgb(x, y);
    assert.ok(got.every((v, i) => Math.abs(v - want[i]) <= 6),
              `${name}: ${what} at (${x}, ${y}): got ${got}, want ${want}`);
  };
  const noErrors = () => assert.deepEqual(errors, [], `${name}: no console error`);
  // Lets the page run for `ms` (the browser's time) and checks it is alive and quiet.
  const runFor = async (ms) => {
    await new Promise((done) => setTimeout(done, ms));
    noErrors();
    assert.equal(await page.evaluate(() => 1), 1, `${name}: the page answers`);
  };
  return { page, lines, frames, drawing, unlike, near, noErrors, runFor };
}

// The example pages the index lists, in its order.
function examplePages() {
  const index = fs.readFileSync(path.join(pagesDir, 'index.html'), 'utf8');
  return Array.from(index.matchAll(/href="([a-z_]+)\.html"/g), (m) => m[1]);
}

const hex = (v) => [(v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF];

run(() => withBrowser(pagesDir, browserPath, async (browser, base) => {
  // A panel, a circle and a card turning every frame (examples/display_hello.cpp).
  {
    const hello = await openExample(browser, base, 'display_hello');
    await hello.frames(10);
    await hello.near(5, 5, hex(0xF4F1DE), 'the stage\'s background');
    await hello.near(40, 300, hex(0xE9E4D4), 'the panel');
    await hello.near(160, 390, hex(0x2A9D8F), 'the circle');
    await hello.near(20, 240, hex(0x3D405B), 'the panel\'s border');
    // Only the turning card's boxes are written, never the whole canvas again.
    const before = await hello.drawing();
    await hello.frames(20);
    const after = await hello.drawing();
    const writes = after.shownWrites - before.shownWrites;
    const pixels = after.shownPixels - before.shownPixels;
    assert.ok(writes > 0, 'display_hello: the card turns on');
    assert.equal(after.shownReads - before.shownReads, 0,
                 'display_hello: frames read nothing back from the canvas');
    assert.ok(pixels / writes < 0.5 * 320 * 480,
              `display_hello: ${pixels / writes} pixels written a frame, the damaged boxes only`);
    hello.noErrors();
    await hello.page.close();
  }
  // A thousand balls on a dark stage (examples/display_sprites.cpp).
  {
    const sprites = await openExample(browser, base, 'display_sprites');
    await sprites.frames(10);
    const balls = await sprites.unlike(hex(0x101820), 0, 0, 320, 480);
    assert.ok(balls > 0.05 && balls < 0.95, `display_sprites: balls on the stage (${balls})`);
    await sprites.frames(10);
    const moved = await sprites.unlike(hex(0x101820), 0, 0, 320, 480);
    assert.ok(moved > 0.05, `display_sprites: still balls after moving (${moved})`);
    sprites.noErrors();
    await sprites.page.close();
  }
  // Text on a stage 330 pixels high, shown in the middle of the canvas
  // (examples/text_fields.cpp).
  {
    const text = await openExample(browser, base, 'text_fields');
    await text.frames(10);
    await text.near(160, 40, [0, 0, 0], 'the letterbox above the stage');
    const inked = await text.unlike(hex(0xF1FAEE), 0, 75, 320, 330);
    assert.ok(inked > 0.01, `text_fields: text and fields drawn (${inked})`);
    text.noErrors();
    await text.page.close();
  }
  // Tiles waiting for a click: nothing changes, so nothing is drawn
  // (examples/events_click.cpp).
  {
    const still = await openExample(browser, base, 'events_click');
    await still.frames(10);
    const before = await still.drawing();
    await still.frames(30);
    const after = await still.drawing();
    assert.equal(after.calls - before.calls, 0, 'events_click: a still page draws nothing');
    still.noErrors();
    await still.page.close();
  }
  // A star drifting on tweens, each started by the end of the one before (the first
  // ends after 1.4 s): it keeps moving past the first hand-over
  // (examples/star_catch.cpp).
  {
    const star = await openExample(browser, base, 'star_catch');
    await star.runFor(2000);
    const before = await star.drawing();
    await star.runFor(2000);
    const after = await star.drawing();
    assert.ok(after.shownWrites > before.shownWrites, 'star_catch: the star drifts on');
    await star.page.close();
  }
  // Every other example runs a while without taking the page down.
  const pages = examplePages();
  assert.ok(pages.includes('star_catch') && pages.length >= 10, `the index lists ${pages}`);
  for (const name of pages.filter((page) => page !== 'star_catch')) {
    const example = await openExample(browser, base, name);
    await example.runFor(5000);
    await example.page.close();
  }
}));
