// A static file server for the pages: node serve.js DIR [PORT] [HOST]. Serves on
// all interfaces by default, so a phone on the same network can open the pages.
// Used by the page tests too (require('./serve.js').serve(dir, port, host)).
'use strict';
const http = require('http');
const fs = require('fs');
const path = require('path');

const types = {
  '.html': 'text/html; charset=utf-8', '.js': 'text/javascript', '.wasm': 'application/wasm',
  '.png': 'image/png', '.jpg': 'image/jpeg', '.wav': 'audio/wav', '.ogg': 'audio/ogg',
  '.data': 'application/octet-stream', '.json': 'application/json',
};

// With `isolated`, pages are cross-origin isolated (COOP and COEP headers), which
// gives them performance.now() at microseconds rather than a tenth of a millisecond.
function serve(dir, port, host, isolated = false) {
  const root = path.resolve(dir);
  const server = http.createServer((request, response) => {
    const name = decodeURIComponent(new URL(request.url, 'http://page').pathname);
    const file = path.join(root, name.endsWith('/') ? name + 'index.html' : name);
    if (!file.startsWith(root + path.sep)) {
      response.writeHead(403).end();
      return;
    }
    fs.stat(file, (error, stat) => {
      if (error || !stat.isFile()) {
        response.writeHead(404).end('not found');
        return;
      }
      response.writeHead(200, {
        'Content-Type': types[path.extname(file)] || 'application/octet-stream',
        'Content-Length': stat.size,
        'Cache-Control': 'no-cache',
        ...(isolated ? { 'Cross-Origin-Opener-Policy': 'same-origin',
                         'Cross-Origin-Embedder-Policy': 'require-corp' } : {}),
      });
      fs.createReadStream(file).pipe(response);
    });
  });
  return new Promise((resolve) => server.listen(port, host, () => resolve(server)));
}

module.exports = { serve };

if (require.main === module) {
  const dir = process.argv[2] || '.';
  const port = Number(process.argv[3] || 8080);
  const host = process.argv[4] || '0.0.0.0';
  serve(dir, port, host).then(() => {
    const pages = fs.readdirSync(dir).filter((f) => f.endsWith('.html'));
    console.log(`Serving ${path.resolve(dir)} on http://${host}:${port}/ (Ctrl+C ends it)`);
    for (const page of pages) console.log(`  http://<this machine's address>:${port}/${page}`);
  });
}
