'use strict';
// The server hands out files of its folder only, whatever the request path says.
const test = require('node:test');
const assert = require('node:assert');
const path = require('path');
const {fileFor} = require('./static_server.js');

const root = path.resolve('/srv/orbalta');
const rows = [
  {name: 'a file', url: '/orbalta.wasm', want: path.join(root, 'orbalta.wasm')},
  {name: 'the folder', url: '/', want: path.join(root, 'index.html')},
  {name: 'a subfolder', url: '/fonts/', want: path.join(root, 'fonts', 'index.html')},
  {name: 'a query', url: '/index.html?x=1', want: path.join(root, 'index.html')},
  {name: 'dot segments', url: '/../etc/passwd', want: path.join(root, 'etc', 'passwd')},
  {name: 'encoded dot segments', url: '/%2e%2e/%2e%2e/etc/passwd', want: path.join(root, 'etc', 'passwd')},
  {name: 'encoded slash', url: '/..%2f..%2fetc/passwd', want: null},
  {name: 'a NUL byte', url: '/index.html%00.js', want: null},
  {name: 'bad escape', url: '/%E0%A4%A', want: null},
];

for (const row of rows) {
  test(row.name, () => {
    assert.strictEqual(fileFor(root, row.url), row.want);
  });
}
