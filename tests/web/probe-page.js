// What the probe-page checks share: Chromium on a served pages folder, a probe page
// opened at a device scale with its console kept, and pixel checks at CSS positions.
'use strict';
const assert = require('assert/strict');
const puppeteer = require('puppeteer-core');
const { serve } = require('./serve.js');

// Serves `pagesDir` (cross-origin isolated with `isolated`, see serve.js), opens
// Chromium (with `extraArgs` on its command line) and runs `check(browser, baseUrl)`.
async function withBrowser(pagesDir, browserPath, check, extraArgs = [], isolated = false) {
  const server = await serve(pagesDir, 0, '127.0.0.1', isolated);
  const browser = await puppeteer.launch({
    executablePath: browserPath, headless: 'shell', args: ['--no-sandbox', ...extraArgs],
  });
  try {
    await check(browser, `http://127.0.0.1:${server.address().port}`);
  } finally {
    await browser.close();
    server.close();
  }
}

// Keeps what a page says: every console line, and its errors (uncaught ones too).
function watchConsole(page) {
  const errors = [];
  const lines = [];
  page.on('pageerror', (error) => errors.push(String(error)));
  page.on('console', (message) => {
    if (message.type() === 'error') errors.push(message.text());
    lines.push(message.text());
  });
  return { errors, lines };
}

// Polls `test` every 50 ms until it gives something, for about five seconds; the
// timeout names `what` and shows what the page said.
async function waitFor(lines, what, test) {
  for (let i = 0; i < 100; ++i) {
    const found = await test();
    if (found) return found;
    await new Promise((r) => setTimeout(r, 50));
  }
  throw new Error(`timed out waiting for ${what}; the page said:\n${lines.join('\n')}`);
}

// Opens `url` at 320 x 480 CSS pixels and `scale`, and waits for the console line
// `done`. Fails on any console error.
async function openProbe(browser, url, done, scale) {
  const page = await browser.newPage();
  await page.setViewport({ width: 320, height: 480, deviceScaleFactor: scale });
  const { errors, lines } = watchConsole(page);
  await page.goto(url);
  for (let i = 0; i < 100 && !lines.includes(done); ++i) {
    await new Promise((r) => setTimeout(r, 50));
  }
  assert.ok(lines.includes(done), `the probe never said "${done}"; it said:\n${lines.join('\n')}`);
  assert.deepEqual(errors, [], 'no console error');
  const pixel = (x, y) => page.evaluate((x, y) => Array.from(
    document.getElementById('canvas').getContext('2d').getImageData(x, y, 1, 1).data),
    Math.floor(x * scale), Math.floor(y * scale));
  const near = async (x, y, want, tolerance, what) => {
    const got = await pixel(x, y);
    const off = got.some((v, i) => Math.abs(v - want[i]) > tolerance);
    assert.ok(!off, `${what} at (${x}, ${y}): got ${got}, want ${want} within ${tolerance}`);
  };
  const said = (line) => assert.ok(lines.includes(line), `"${line}" in:\n${lines.join('\n')}`);
  return { page, lines, pixel, near, said };
}

function run(main) {
  main().catch((error) => {
    console.error(error);
    process.exit(1);
  });
}

module.exports = { withBrowser, watchConsole, waitFor, openProbe, run };
