// Loads the page shell's probe page (tests/web/ShellProbe.cpp) in headless Chromium
// and checks it: no console error, the first frame drawn at the device pixel ratio,
// mouse, touch, keys, typed text, the back button and resizes reaching the
// program with the desktop's codes, and the messages for a browser without
// WebAssembly or Web Audio.
// node check-shell.js PAGES_DIR CHROMIUM
'use strict';
const assert = require('assert/strict');
const { withBrowser, watchConsole, waitFor: waitForLine, run } = require('./probe-page.js');

const [pagesDir, browserPath] = process.argv.slice(2);
const ET = { keyDown: 1, char: 2, keyUp: 3, mouseDown: 5, mouseUp: 7, resize: 8, touchBegin: 15,
             touchEnd: 17 };

function parseEvent(text) {
  const m = /^probe: event (\d+) value=(-?\d+) code=(-?\d+) x=(\S+) y=(\S+) flags=(\d+) char=(\d+)$/.exec(text);
  return m && { type: +m[1], value: +m[2], code: +m[3], x: +m[4], y: +m[5], flags: +m[6], char: +m[7] };
}

async function main() {
  await withBrowser(pagesDir, browserPath, async (browser, base) => {
    const url = `${base}/shell_probe.html`;
    await checkProbe(browser, url);
    await checkMissing(browser, url, 'WebAssembly', 'This page needs WebAssembly');
    await checkMissing(browser, url, 'AudioContext', 'This page needs Web Audio');
    console.log('web shell: all checks passed');
  }, ['--autoplay-policy=user-gesture-required']);
}

async function checkProbe(browser, url) {
  const page = await browser.newPage();
  await page.setViewport({ width: 320, height: 480, deviceScaleFactor: 2, hasTouch: true });
  const { errors, lines } = watchConsole(page);
  const events = () => lines.map(parseEvent).filter(Boolean);
  const waitFor = (what, test) => waitForLine(lines, what, test);
  const waitEvent = (what, match) => {
    const from = events().length;
    return waitFor(what, () => events().slice(from).find(match));
  };
  const pixel = (x, y) => page.evaluate((x, y) => Array.from(
    document.getElementById('canvas').getContext('2d').getImageData(x, y, 1, 1).data), x, y);

  const start = Date.now();
  await page.goto(url);
  await waitFor('the first drawing', () => lines.find((l) => l.startsWith('probe: drew')));
  console.log(`first drawing ${Date.now() - start} ms after navigation`);
  assert.equal(await page.$eval('#status', (e) => getComputedStyle(e).display), 'none');
  const size = await page.$eval('#canvas', (c) => [c.width, c.height]);
  assert.deepEqual(size, [640, 960], 'the canvas has the device pixels of a 320 x 480 page at 2x');
  assert.ok(lines.includes('probe: drew 320x480 at scale 2'), lines.join('\n'));
  assert.deepEqual(await pixel(80, 80), [0xF0, 0xC0, 0x20, 255], 'the square at (40, 40) CSS');
  assert.deepEqual(await pixel(300, 300), [0x20, 0x30, 0x40, 255], 'the background');

  assert.equal(await page.evaluate(() => Module.limnAudio), undefined, 'no audio before a tap');
  const click = waitEvent('a mouse press', (e) => e.type === ET.mouseDown);
  await page.mouse.click(100, 200);
  const down = await click;
  assert.deepEqual([down.x, down.y, down.flags & 1], [100, 200, 1]);
  await waitFor('the redraw', () => lines.filter((l) => l.startsWith('probe: drew')).length >= 2);
  await new Promise((r) => setTimeout(r, 100));
  assert.deepEqual(await pixel(200, 400), [0xF0, 0xC0, 0x20, 255], 'the square moved to the click');

  await waitFor('audio running after the click',
                () => page.evaluate(() => Module.limnAudio && Module.limnAudio.state === 'running'));
  const hiddenState = await page.evaluate(async () => {
    const flip = async (hidden) => {
      Object.defineProperty(document, 'hidden', { value: hidden, configurable: true });
      document.dispatchEvent(new Event('visibilitychange'));
      await new Promise((r) => setTimeout(r, 200));
      return Module.limnAudio.state;
    };
    return [await flip(true), await flip(false)];
  });
  assert.deepEqual(hiddenState, ['suspended', 'running'], 'sound is muted while the page is hidden');

  const touch = waitEvent('a touch', (e) => e.type === ET.touchBegin);
  const touchEnd = waitEvent('a touch ending', (e) => e.type === ET.touchEnd);
  await page.touchscreen.tap(150, 300);
  const began = await touch;
  const ended = await touchEnd;
  assert.deepEqual([began.x, began.y], [150, 300]);
  assert.equal(began.value, ended.value, 'one id for the finger from its start to its end');
  assert.ok(began.flags & 0x8000, 'the first finger is the primary touch');

  const keyA = waitEvent('key A', (e) => e.type === ET.keyDown && e.value === 65);
  const charA = waitEvent('typed a', (e) => e.type === ET.char && e.char === 97);
  await page.keyboard.press('KeyA');
  assert.equal((await keyA).code, 97);
  await charA;
  const shiftB = waitEvent('Shift+B', (e) => e.type === ET.keyDown && e.value === 66);
  await page.keyboard.down('ShiftRight');
  await page.keyboard.press('KeyB');
  await page.keyboard.up('ShiftRight');
  const b = await shiftB;
  assert.equal(b.code, 66);
  assert.ok(b.flags & 2, 'shift is down');
  const arrow = waitEvent('the left arrow', (e) => e.type === ET.keyUp && e.value === 37);
  await page.keyboard.press('ArrowLeft');
  await arrow;

  const back = waitEvent('the back button as key 27', (e) => e.type === ET.keyDown && e.value === 27);
  await page.evaluate(() => history.back());
  await back;
  const backAgain = waitEvent('a second back', (e) => e.type === ET.keyDown && e.value === 27);
  await page.evaluate(() => history.back());
  await backAgain;
  assert.ok(page.url().endsWith('/shell_probe.html'), 'the page stays while it takes the back button');

  const resized = waitEvent('a resize', (e) => e.type === ET.resize && e.x === 480);
  await page.setViewport({ width: 480, height: 320, deviceScaleFactor: 3, hasTouch: true });
  const r = await resized;
  assert.equal(r.y, 320);
  assert.deepEqual(await page.$eval('#canvas', (c) => [c.width, c.height]), [1440, 960]);

  assert.deepEqual(errors, [], 'no console errors');
  await page.close();
}

async function checkMissing(browser, url, feature, text) {
  const page = await browser.newPage();
  await page.evaluateOnNewDocument((name) => {
    delete window[name];
    if (name === 'AudioContext') delete window.webkitAudioContext;
  }, feature);
  await page.goto(url);
  await page.waitForFunction(
    (t) => document.getElementById('message').textContent.startsWith(t), { timeout: 5000 }, text);
  await page.close();
}

run(main);
