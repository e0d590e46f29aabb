'use strict';
// A static file server on 127.0.0.1 for the web edition's folder: the page needs http (a
// browser fetches no .wasm from file://) and the wasm MIME type for streaming compilation.
const fs = require('fs');
const http = require('http');
const path = require('path');

const kTypes = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript; charset=utf-8',
  '.css': 'text/css; charset=utf-8',
  '.wasm': 'application/wasm',
  '.woff2': 'font/woff2',
  '.png': 'image/png',
  '.ico': 'image/x-icon',
};

// Resolves a request path inside `root`, or null for anything that leaves it.
function fileFor(root, url) {
  let name;
  try {
    name = decodeURIComponent(new URL(url, 'http://host').pathname);
  } catch (e) {
    return null;
  }
  if (name.includes('\0')) return null;
  if (name.endsWith('/')) name += 'index.html';
  const full = path.resolve(root, '.' + name);
  const rel = path.relative(root, full);
  if (rel.startsWith('..') || path.isAbsolute(rel)) return null;
  return full;
}

// Serves `root` on a free port; resolves to {server, url}.
function serve(root, port = 0) {
  const absRoot = path.resolve(root);
  const server = http.createServer((req, res) => {
    const file = fileFor(absRoot, req.url);
    if (file === null || (req.method !== 'GET' && req.method !== 'HEAD')) {
      res.writeHead(file === null ? 400 : 405);
      res.end();
      return;
    }
    fs.readFile(file, (err, data) => {
      if (err) {
        res.writeHead(404, {'Content-Type': 'text/plain'});
        res.end('not found\n');
        return;
      }
      const type = kTypes[path.extname(file).toLowerCase()] || 'application/octet-stream';
      res.writeHead(200, {'Content-Type': type, 'Content-Length': data.length,
                          'Cache-Control': 'no-cache'});
      res.end(req.method === 'HEAD' ? undefined : data);
    });
  });
  return new Promise((resolve, reject) => {
    server.once('error', reject);
    server.listen(port, '127.0.0.1', () => {
      resolve({server, url: `http://127.0.0.1:${server.address().port}/`});
    });
  });
}

module.exports = {serve, fileFor};
