// Loads the audio probe page (tests/web/AudioProbe.cpp) in headless Chromium and
// checks the page's audio output: no console error; before any tap the mixer is
// pulled in real time with no audio context (a tone played at load advances);
// a tap starts the context, which then pulls the blocks, and the one-second tone
// finishes after about its length; again with the context at 48000 Hz, whose
// blocks are interpolated from the mixer's 44100.
// node check-audio.js PAGES_DIR CHROMIUM
'use strict';
const assert = require('assert/strict');
const { withBrowser, watchConsole, waitFor: waitForLine, run } = require('./probe-page.js');

const [pagesDir, browserPath] = process.argv.slice(2);

function parse(text) {
  const m = /^probe: audio mixed=(\d+) finished=(\d) driver=(\S+)$/.exec(text);
  return m && { mixed: +m[1], finished: m[2] === '1', driver: m[3] };
}

async function main() {
  await withBrowser(pagesDir, browserPath, async (browser, base) => {
    await checkPage(browser, `${base}/audio_probe.html`, 0);
    await checkPage(browser, `${base}/audio_probe.html`, 48000);
  }, ['--autoplay-policy=user-gesture-required']);
}

async function checkPage(browser, url, forcedRate) {
  const page = await browser.newPage();
  if (forcedRate) {
    await page.evaluateOnNewDocument((rate) => {
      const Original = window.AudioContext;
      window.AudioContext = class extends Original {
        constructor() { super({ sampleRate: rate }); }
      };
    }, forcedRate);
  }
  await page.setViewport({ width: 320, height: 480 });
  const { errors, lines } = watchConsole(page);
  const last = () => lines.map(parse).filter(Boolean).pop();
  const waitFor = (what, test) => waitForLine(lines, what, test);

  const start = Date.now();
  await page.goto(url);
  const first = await waitFor('a report', () => last());
  assert.equal(first.driver, 'webaudio');
  await waitFor('blocks pulled before any tap', () => last() && last().mixed >= 4410);
  assert.equal(await page.evaluate(() => Module.limnAudio), undefined, 'no context yet');

  await page.mouse.click(100, 200);
  await waitFor('the context running',
                () => page.evaluate(() => Module.limnAudio && Module.limnAudio.state === 'running'));
  const rate = await page.evaluate(() => Module.limnAudio.sampleRate);
  if (forcedRate) assert.equal(rate, forcedRate);
  const done = await waitFor('the tone finished', () => last() && last().finished && last());
  const seconds = (Date.now() - start) / 1000;
  assert.equal(done.mixed, 44100, 'every frame of the tone mixed once');
  assert.ok(seconds >= 0.9 && seconds < 4, `finished ${seconds} s after loading`);
  assert.deepEqual(errors, []);
  console.log(`web audio: all checks passed (context at ${rate} Hz, tone done in ${seconds} s)`);
  await page.close();
}

run(main);
