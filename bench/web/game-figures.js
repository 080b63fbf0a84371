// The game page's figures: its whole transfer gzip-compressed (html, js, wasm and
// the preloaded data), the time from navigation to its first frame on the canvas,
// and the main thread's time per animation frame on the still title screen and in a
// round: the frame's own work (input, timers, enterFrame, tweens, render and present,
// timed by the page's shell with performance.now()) and the whole animation frame
// callback around it (with the browser's own requestAnimationFrame call); in the
// round moles are hit as they come up. Loaded from a local port in headless Chromium,
// RUNS fresh loads for the first frame (median); the page shell's probe page,
// measured in the same run, is the baseline.
// NODE_PATH=build/tests/web/driver/node_modules \
//   node bench/web/game-figures.js build/web/pages CHROMIUM [RUNS]
'use strict';
const fs = require('fs');
const path = require('path');
const zlib = require('zlib');
const { withBrowser, run } = require('../../tests/web/probe-page.js');

const [pagesDir, browserPath, runs = '5'] = process.argv.slice(2);
const LIMITS = { gzipBytes: 1.2e6, firstFrameMs: 1000, roundP95Ms: 2, titleP95Ms: 0.2 };

function gzipBytes(name) {
  const parts = {};
  for (const ext of ['html', 'js', 'wasm', 'data']) {
    const file = path.join(pagesDir, `${name}.${ext}`);
    if (fs.existsSync(file)) parts[ext] = zlib.gzipSync(fs.readFileSync(file), { level: 9 }).length;
  }
  parts.total = Object.values(parts).reduce((a, b) => a + b, 0);
  return parts;
}

// Runs in the page before its scripts: the time of the first drawing on the page's
// canvas, and the duration of every animation frame callback, with whether it drew.
function instrument() {
  const times = { firstFrame: null, frames: [] };
  window.limnFigures = times;
  window.limnFrameTimes = [];  // the shell's own timing of each frame's work
  let drew = false;
  for (const name of ['putImageData', 'drawImage', 'fillRect', 'fill', 'stroke', 'fillText']) {
    const draw = CanvasRenderingContext2D.prototype[name];
    CanvasRenderingContext2D.prototype[name] = function (...args) {
      if (this.canvas.id === 'canvas') {
        drew = true;
        if (times.firstFrame === null) times.firstFrame = performance.now();
      }
      return draw.apply(this, args);
    };
  }
  const request = window.requestAnimationFrame.bind(window);
  window.requestAnimationFrame = (callback) => request((time) => {
    drew = false;
    const start = performance.now();
    try {
      callback(time);
    } finally {
      times.frames.push([performance.now() - start, drew]);
    }
  });
}

async function open(browser, url) {
  const context = await browser.createBrowserContext();
  const page = await context.newPage();
  await page.setCacheEnabled(false);
  await page.setViewport({ width: 320, height: 480, deviceScaleFactor: 2 });
  await page.evaluateOnNewDocument(instrument);
  await page.goto(url);
  return { context, page };
}

const sleep = (ms) => new Promise((r) => setTimeout(r, ms));
const median = (v) => v.length === 0 ? NaN : v.slice().sort((a, b) => a - b)[Math.floor(v.length / 2)];
const p95 = (v) => v.length === 0 ? NaN : v.slice().sort((a, b) => a - b)[Math.min(v.length - 1, Math.floor(v.length * 0.95))];

async function firstFrame(browser, url) {
  const { context, page } = await open(browser, url);
  let ms = NaN;
  for (let i = 0; i < 200 && Number.isNaN(ms); ++i) {
    const t = await page.evaluate(() => window.limnFigures.firstFrame);
    if (t !== null) ms = t;
    else await sleep(25);
  }
  await context.close();
  return ms;
}

async function state(page) {
  return page.evaluate(() => (typeof Module !== 'undefined' && Module.calledRun
    ? UTF8ToString(Module._burrowbop_state()) : '-'));
}

async function until(page, test, what) {
  for (let i = 0; i < 400; ++i) {
    if (test(await state(page))) return;
    await sleep(50);
  }
  throw new Error(`the game never reached ${what}`);
}

// Frame times on the title (still) and in a round (hitting moles).
async function frameTimes(browser, url) {
  const { context, page } = await open(browser, url);
  await until(page, (s) => s === 'Title 0', 'the title');
  await sleep(1500);  // the title's tweens settle
  await page.evaluate(() => { window.limnFigures.frames = []; window.limnFrameTimes.length = 0; });
  await sleep(3000);
  const title = await page.evaluate(() => window.limnFigures.frames);
  const titleWork = await page.evaluate(() => window.limnFrameTimes.slice());
  try {
    for (let i = 0; i < 40 && !(await state(page)).startsWith('Game'); ++i) {
      await page.mouse.click(160, 300);
      await sleep(250);
    }
    await until(page, (s) => s.startsWith('Game'), 'a round');
  } catch (error) {
    console.error(`${error.message}: no round figures`);
    await context.close();
    return { title, titleWork, round: [], roundWork: [], score: await state(page).catch(() => '?') };
  }
  await page.evaluate(() => { window.limnFigures.frames = []; window.limnFrameTimes.length = 0; });
  const end = Date.now() + 10000;
  while (Date.now() < end) {
    const mole = await page.evaluate(() => UTF8ToString(Module._burrowbop_mole()));
    if (mole) {
      const [x, y] = mole.split(' ').map(Number);
      await page.mouse.click(x, y);
    }
    await sleep(120);
  }
  const round = await page.evaluate(() => window.limnFigures.frames);
  const roundWork = await page.evaluate(() => window.limnFrameTimes.slice());
  const score = await state(page);
  await context.close();
  return { title, titleWork, round, roundWork, score };
}

function row(name, value, limit, unit) {
  const ok = Number.isNaN(value) ? 'n/a' : value <= limit ? 'ok' : 'OVER';
  const text = typeof value === 'number' ? value.toFixed(unit === 'bytes' ? 0 : 3) : String(value);
  console.log(`| ${name.padEnd(44)} | ${text.padStart(12)} ${unit.padEnd(5)} | ` +
              `${String(limit).padStart(9)} | ${ok.padEnd(4)} |`);
}

async function main() {
  await withBrowser(pagesDir, browserPath, async (browser, base) => {
    const size = gzipBytes('burrowbop');
    const shellSize = gzipBytes('shell_probe');
    const loads = [];
    const shellLoads = [];
    for (let i = 0; i < +runs; ++i) {
      shellLoads.push(await firstFrame(browser, `${base}/shell_probe.html`));
      loads.push(await firstFrame(browser, `${base}/burrowbop.html`));
    }
    const { title, titleWork, round, roundWork, score } =
        await frameTimes(browser, `${base}/burrowbop.html`);
    const titleMs = title.map(([ms]) => ms);
    const titleDrawn = title.filter(([, drew]) => drew).length;
    const roundMs = round.map(([ms]) => ms);
    const roundDrawn = round.filter(([, drew]) => drew).map(([ms]) => ms);
    console.log(`burrowbop.html gzip: ${JSON.stringify(size)}; shell probe: ${shellSize.total}`);
    console.log(`| ${'figure'.padEnd(44)} | ${'value'.padStart(18)} | ${'limit'.padStart(9)} |      |`);
    console.log(`| ${'-'.repeat(44)} | ${'-'.repeat(18)} | ${'-'.repeat(9)} | ---- |`);
    row('whole transfer, gzip (html, js, wasm, data)', size.total, LIMITS.gzipBytes, 'bytes');
    row(`first frame after navigation (median of ${runs})`, median(loads), LIMITS.firstFrameMs, 'ms');
    row(`title, frame's work p95 (${titleWork.length})`, p95(titleWork), LIMITS.titleP95Ms, 'ms');
    row(`title, whole callback p95 (${titleMs.length}, ${titleDrawn} drew)`, p95(titleMs),
        LIMITS.titleP95Ms, 'ms');
    row(`round, frame's work p95 (${roundWork.length})`, p95(roundWork), LIMITS.roundP95Ms, 'ms');
    row(`round, whole callback p95 (${roundMs.length} frames)`, p95(roundMs), LIMITS.roundP95Ms,
        'ms');
    row(`round, frames that drew, p95 (${roundDrawn.length})`, p95(roundDrawn), LIMITS.roundP95Ms,
        'ms');
    console.log(`round, frames that drew: median ${median(roundDrawn).toFixed(3)} ms, ` +
                `max ${(roundDrawn.length ? Math.max(...roundDrawn) : NaN).toFixed(3)} ms; the round ended at "${score}"`);
    console.log(`baseline (shell probe page): first frame ${median(shellLoads).toFixed(1)} ms, ` +
                `${shellSize.total} bytes gzip; game / baseline: first frame x` +
                `${(median(loads) / median(shellLoads)).toFixed(2)}, size x` +
                `${(size.total / shellSize.total).toFixed(2)}`);
  }, ['--autoplay-policy=no-user-gesture-required'], true);
}

run(main);
