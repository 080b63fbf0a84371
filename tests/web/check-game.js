// The game's page (burrowbop.html) in headless Chromium, played as a person would:
// no console error, the logo then the title, a tap starts a round, a tap on a mole
// scores and asks for a squeak, the back button returns to the title. The session is
// recorded in the page and replayed by the desktop game. The kept desktop recordings
// replay in the page to the same state on every frame (their .trail files), and
// frames captured at the same moments of a replay match the desktop's within a
// tolerance (see FRAME_TOLERANCE). LIMN_UPDATE_REPLAYS=1 keeps the page's recording
// as the fixture page-round.limnrec (with its trail), which the desktop replays too.
// node check-game.js PAGES_DIR CHROMIUM REPLAYS_DIR DESKTOP_GAME GAME_DATA_DIR [SHOTS_DIR]
'use strict';
const assert = require('assert/strict');
const fs = require('fs');
const os = require('os');
const path = require('path');
const { spawnSync } = require('child_process');
const { withBrowser, watchConsole, waitFor, run } = require('./probe-page.js');

const [pagesDir, browserPath, replaysDir, desktopGame, gameData, shotsDir] =
    process.argv.slice(2).map((arg, i) => (i === 1 ? arg : path.resolve(arg)));
const scratch = fs.mkdtempSync(path.join(os.tmpdir(), 'limn-game-page-'));

// A frame of the page matches the desktop's when at most `share` of its pixels differ
// by more than `levels` in a channel, and at most `farShare` by more than `far`: text
// and anti-aliased edges are drawn by different rasters, the rest is the same picture.
const FRAME_TOLERANCE = { levels: 4, share: 0.02, far: 32, farShare: 0.01 };
// The clock times (s) of the replayed round whose frames are compared: the title
// and two moments of the round.
const CAPTURE_AT = '4.5,30,60';

async function openGame(browser, query) {
  const page = await browser.newPage();
  await page.setViewport({ width: 320, height: 480, deviceScaleFactor: 2, hasTouch: true });
  const said = watchConsole(page);
  await page.goto(`${browser.base}/burrowbop.html${query}`);
  const call = (name) => page.evaluate((n) => UTF8ToString(Module['_' + n]()), name);
  const until = (what, test, tries = 4) => waitFor(said.lines, what, async () => {
    for (let i = 0; i < tries; ++i) {
      const found = await test();
      if (found) return found;
      await new Promise((r) => setTimeout(r, 250));
    }
    return null;
  });
  const state = () => page.evaluate(() => typeof Module !== 'undefined' && Module.calledRun
    ? UTF8ToString(Module._burrowbop_state()) : '-');
  return { page, said, call, until, state };
}

async function shoot(page, name) {
  if (shotsDir) await page.screenshot({ path: path.join(shotsDir, `${name}.png`) });
}

// Logo, title, a round, a mole hit, back to the title; the recording made meanwhile.
async function playAndRecord(browser) {
  const game = await openGame(browser, '?record');
  const { page, said, until, state } = game;
  await until('the logo', async () => (await state()).startsWith('Logo'), 1);
  await new Promise((r) => setTimeout(r, 500));
  await shoot(page, 'logo');
  assert.equal(await page.$eval('#status', (e) => getComputedStyle(e).display), 'none',
               'the progress bar is gone');
  assert.equal(await page.$eval('#bar', (e) => e.style.width), '100%',
               'the progress bar counted the code and the data file to their ends');
  await until('the title', async () => (await state()) === 'Title 0');
  await new Promise((r) => setTimeout(r, 300));
  await shoot(page, 'title');
  // The title takes a tap once its buttons have come in.
  await until('a round', async () => {
    if ((await state()) === 'Title 0') await page.mouse.click(160, 300);
    return (await state()) === 'Game 0';
  });
  let hits = 0;
  for (let i = 0; i < 200 && hits < 3; ++i) {
    const mole = await game.call('burrowbop_mole');
    if (mole) {
      const [x, y] = mole.split(' ').map(Number);
      const before = await state();
      await page.mouse.click(x, y);
      await new Promise((r) => setTimeout(r, 150));
      if ((await state()) !== before) ++hits;
    }
    await new Promise((r) => setTimeout(r, 100));
  }
  assert.ok(hits > 0, `a mole was hit; the game is at ${await state()}`);
  const scored = await state();
  assert.match(scored, /^Game [1-9]\d*$/, 'the hit scored');
  const sounds = await game.call('limn_session_sounds');
  assert.match(sounds, /sounds\/eep\d?\.wav/, `a squeak was asked for; sounds:\n${sounds}`);
  await shoot(page, 'round');
  await page.evaluate(() => history.back());
  await until('the title again', async () => (await state()).startsWith('Title '));
  const recording = Buffer.from(await page.evaluate(() => Array.from(Module.limnRecording())));
  const trail = await game.call('burrowbop_trail');
  assert.deepEqual(said.errors, [], 'no console error');
  await page.close();
  console.log(`played: ${scored.split(' ')[1]} points, ${trail.split('\n').length - 1} changes ` +
              `of state, recording of ${recording.length} bytes`);
  return { recording, trail };
}

// The desktop game replays `recording` (its exit status says how it went); frames
// captured at `captureAt` go to `captures`.
function replayOnDesktop(recording, captures, captureAt) {
  const env = { ...process.env, LIMN_REPLAY: recording, SDL_AUDIODRIVER: 'dummy' };
  if (captures) Object.assign(env, { LIMN_CAPTURE: captures + '/', LIMN_CAPTURE_AT: captureAt });
  const done = spawnSync(desktopGame, [], { cwd: gameData, env, encoding: 'utf8' });
  assert.equal(done.status, 0, `the desktop game replays ${recording}:\n${done.stdout}${done.stderr}`);
  return done.stderr;
}

// Replays the kept recording `name` in the page: same state on every frame.
async function replayInPage(browser, name, captureAt) {
  const query = `?replay=replays/${name}.limnrec` + (captureAt ? `&capture=${captureAt}` : '');
  const game = await openGame(browser, query);
  const report = await game.until(`the replay of ${name}`,
                                  () => game.page.evaluate(() => Module.limnReplay), 40);
  assert.ok(report.ok, `${name} replays in the page: ${JSON.stringify(report)}`);
  assert.equal(report.pixelsChecked, false, 'the desktop drew it: its pixels go unchecked');
  const trail = await game.call('burrowbop_trail');
  assert.equal(trail, fs.readFileSync(path.join(replaysDir, `${name}.trail`), 'utf8'),
               `${name}: the same state and score on every frame as on the desktop`);
  const captures = await game.page.evaluate(() => {
    const found = Module.limnCaptures();
    const out = {};
    for (const name in found) out[name] = Array.from(found[name]);
    return out;
  });
  assert.deepEqual(game.said.errors, [], 'no console error');
  console.log(`${name}: ${report.frames} frames replayed in the page, as on the desktop`);
  return { page: game.page, captures };
}

// Compares two PNGs (bytes) in the page: their pixels, and how many are off by more
// than each of `levels` in a channel.
async function differ(page, a, b, levels) {
  return page.evaluate(async (a, b, levels) => {
    const pixels = async (bytes) => {
      const bitmap = await createImageBitmap(new Blob([new Uint8Array(bytes)]));
      const canvas = new OffscreenCanvas(bitmap.width, bitmap.height);
      const context = canvas.getContext('2d');
      context.drawImage(bitmap, 0, 0);
      return context.getImageData(0, 0, bitmap.width, bitmap.height);
    };
    const [x, y] = [await pixels(a), await pixels(b)];
    if (x.width !== y.width || x.height !== y.height) {
      return { size: `${x.width}x${x.height} against ${y.width}x${y.height}` };
    }
    const off = levels.map(() => 0);
    for (let i = 0; i < x.data.length; i += 4) {
      const d = Math.max(Math.abs(x.data[i] - y.data[i]), Math.abs(x.data[i + 1] - y.data[i + 1]),
                         Math.abs(x.data[i + 2] - y.data[i + 2]));
      levels.forEach((level, k) => { if (d > level) ++off[k]; });
    }
    return { pixels: x.width * x.height, off };
  }, Array.from(a), Array.from(b), levels);
}

async function compareFrames(page, pageCaptures, name) {
  const captures = fs.mkdtempSync(path.join(scratch, 'desktop-'));
  replayOnDesktop(path.join(replaysDir, `${name}.limnrec`), captures, CAPTURE_AT);
  const desktop = fs.readdirSync(captures).filter((f) => f.endsWith('.png')).sort();
  assert.deepEqual(Object.keys(pageCaptures).sort(), desktop,
                   'the same moments captured in the page and on the desktop');
  assert.ok(desktop.length >= 3, `frames captured: ${desktop}`);
  for (const frame of desktop) {
    const bytes = fs.readFileSync(path.join(captures, frame));
    const { levels, far } = FRAME_TOLERANCE;
    const result = await differ(page, pageCaptures[frame], bytes, [levels, far]);
    assert.ok(!result.size, `${frame}: ${result.size}`);
    const [share, farShare] = result.off.map((n) => n / result.pixels);
    console.log(`${name} ${frame}: ${(100 * share).toFixed(2)}% of the pixels off by more ` +
                `than ${levels} levels, ${(100 * farShare).toFixed(2)}% by more than ${far}`);
    if (shotsDir) {
      fs.writeFileSync(path.join(shotsDir, `page-${frame}`), Buffer.from(pageCaptures[frame]));
      fs.writeFileSync(path.join(shotsDir, `desktop-${frame}`), bytes);
    }
    assert.ok(share <= FRAME_TOLERANCE.share && farShare <= FRAME_TOLERANCE.farShare,
              `${frame}: ${result.off} of ${result.pixels} pixels differ from the desktop's`);
  }
}

async function main() {
  const served = path.join(pagesDir, 'replays');
  fs.mkdirSync(served, { recursive: true });
  for (const name of ['first-taps', 'whole-round']) {
    fs.copyFileSync(path.join(replaysDir, `${name}.limnrec`), path.join(served, `${name}.limnrec`));
  }
  if (shotsDir) fs.mkdirSync(shotsDir, { recursive: true });
  await withBrowser(pagesDir, browserPath, async (browser, base) => {
    browser.base = base;
    const { recording, trail } = await playAndRecord(browser);
    const made = path.join(scratch, 'page-made.limnrec');
    fs.writeFileSync(made, recording);
    const said = replayOnDesktop(made);
    assert.match(said, /as recorded \(pixels unchecked: drawn by another raster\)/);
    console.log(`the page's recording on the desktop: ${said.trim()}`);
    if (process.env.LIMN_UPDATE_REPLAYS) {
      fs.writeFileSync(path.join(replaysDir, 'page-round.limnrec'), recording);
      fs.writeFileSync(path.join(replaysDir, 'page-round.trail'), trail);
    }
    await (await replayInPage(browser, 'first-taps')).page.close();
    const round = await replayInPage(browser, 'whole-round', CAPTURE_AT);
    await compareFrames(round.page, round.captures, 'whole-round');
    console.log('game page: all checks passed');
  }, ['--autoplay-policy=no-user-gesture-required']);
  fs.rmSync(scratch, { recursive: true, force: true });
}

run(main);
