// What a page costs to load: its transfer gzip-compressed (html, js, wasm) and the
// time from navigation to its first drawing (the page's console line ending in
// ": drew"), median of RUNS loads from a local port in headless Chromium, each in
// a fresh context with no cache. Reported with ratios to BASELINE, measured in the
// same run (the page shell's probe: the platform alone).
// NODE_PATH=build/tests/web/driver/node_modules \
//   node bench/web/page-load.js build/web/pages CHROMIUM canvas_probe [shell_probe] [RUNS]
'use strict';
const fs = require('fs');
const path = require('path');
const zlib = require('zlib');
const puppeteer = require('puppeteer-core');
const { serve } = require('../../tests/web/serve.js');

const [pagesDir, browserPath, pageName, baseline = 'shell_probe', runs = '7'] =
    process.argv.slice(2);

function gzipBytes(name) {
  let total = 0;
  for (const ext of ['html', 'js', 'wasm']) {
    const file = path.join(pagesDir, `${name}.${ext}`);
    if (fs.existsSync(file)) total += zlib.gzipSync(fs.readFileSync(file), { level: 9 }).length;
  }
  return total;
}

async function firstDrawing(browser, url) {
  const context = await browser.createBrowserContext();
  const page = await context.newPage();
  await page.setCacheEnabled(false);
  await page.setViewport({ width: 320, height: 480, deviceScaleFactor: 2 });
  let resolve;
  const drawn = new Promise((r) => { resolve = r; });
  const start = Date.now();
  page.on('console', (m) => { if (/: drew\b/.test(m.text())) resolve(Date.now() - start); });
  await page.goto(url);
  const ms = await Promise.race([drawn, new Promise((r) => setTimeout(() => r(NaN), 10000))]);
  await context.close();
  return ms;
}

const median = (values) => values.slice().sort((a, b) => a - b)[Math.floor(values.length / 2)];

async function main() {
  const server = await serve(pagesDir, 0, '127.0.0.1');
  const base = `http://127.0.0.1:${server.address().port}`;
  const browser = await puppeteer.launch({
    executablePath: browserPath, headless: 'shell', args: ['--no-sandbox'],
  });
  try {
    const results = {};
    for (const name of [baseline, pageName]) {
      const times = [];
      for (let i = 0; i < +runs; ++i) times.push(await firstDrawing(browser, `${base}/${name}.html`));
      results[name] = { gzip: gzipBytes(name), firstMs: median(times) };
      console.log(`${name}: ${results[name].gzip} bytes gzipped, first drawing ` +
                  `${results[name].firstMs} ms after navigation (median of ${runs})`);
    }
    const a = results[pageName], b = results[baseline];
    console.log(`${pageName} / ${baseline}: size x${(a.gzip / b.gzip).toFixed(2)}, ` +
                `first drawing x${(a.firstMs / b.firstMs).toFixed(2)}`);
  } finally {
    await browser.close();
    server.close();
  }
}

main().catch((error) => {
  console.error(error);
  process.exit(1);
});
