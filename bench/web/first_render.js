'use strict';
// First render of the web edition against the bare page: from navigation to the first frame
// painted with the window in it, median of alternate runs in headless Chromium, each run in a
// fresh browser context (no HTTP or compiled-code cache of an earlier run).
//
// node first_render.js BUILD-DIR [RUNS]   (the pages are BUILD-DIR/web and BUILD-DIR/bench-web)
// ORBALTA_BENCH_RAW=1 prints the marks of every run as well.
const path = require('path');
const {serve} = require('../../tools/web/static_server.js');
const {launch} = require('../../tools/replay/web/browser.js');

// Runs in each page before its own scripts. "Painted" is the same for both pages: the first
// animation frame in which a window is laid out (a visible .orb-window), then a message posted
// from that frame, which the page takes after the frame's paint. The rest marks where the time
// went: the wasm fetched and instantiated, the fonts in, main called, the first and the last
// element the program made before that frame.
function probe() {
  const marks = {};
  const mark = (k) => { marks[k] = performance.now(); };
  const first = (k) => { if (!(k in marks)) mark(k); };
  window.orbBench = {marks, done: null};
  window.orbBench.done = new Promise((resolve) => {
    const channel = new MessageChannel();
    channel.port1.onmessage = () => {
      mark('painted');
      // The browser's own entries, once it has filed those of this frame.
      setTimeout(() => {
        for (const p of performance.getEntriesByType('paint')) marks[p.name] = p.startTime;
        for (const r of performance.getEntriesByType('resource')) {
          const kind = kindOf(r.name);
          if (kind) marks[kind + 'Loaded'] = r.responseEnd;
        }
        const nav = performance.getEntriesByType('navigation')[0];
        if (nav) {
          marks.documentRequested = nav.requestStart;
          marks.documentLoaded = nav.responseEnd;
        }
        resolve(marks);
      }, 100);
    };
    const kindOf = (url) => {
      const m = /\.(wasm|js|woff2|css)$/.exec(url);
      return m ? m[1] : null;
    };
    const frame = () => {
      const win = document.querySelector('.orb-window');
      if (win && win.getClientRects().length > 0 && getComputedStyle(win).display !== 'none') {
        mark('frame');
        channel.port2.postMessage(0);
        return;
      }
      requestAnimationFrame(frame);
    };
    requestAnimationFrame(frame);
  });
  // owner[name], a function returning a promise, marks `asked` at its first call and `ready`
  // when its last promise settles.
  const timed = (owner, name, asked, ready) => {
    const real = owner[name];
    owner[name] = function(...args) {
      first(asked);
      return real.apply(this, args).then((r) => {
        mark(ready);
        return r;
      });
    };
  };
  timed(WebAssembly, 'instantiateStreaming', 'wasmStart', 'wasmReady');
  timed(WebAssembly, 'instantiate', 'wasmStart', 'wasmReady');
  timed(FontFaceSet.prototype, 'load', 'fontsAsked', 'fontsReady');
  const create = Document.prototype.createElement;
  Document.prototype.createElement = function(...args) {
    if ('main' in marks && !('frame' in marks)) {
      first('domStart');
      mark('domEnd');
    }
    return create.apply(this, args);
  };
  // The page's `var Module = {...}`: main is called right after onRuntimeInitialized.
  let module;
  Object.defineProperty(window, 'Module', {
    configurable: true,
    get: () => module,
    set: (m) => {
      module = m;
      if (m && !m.orbBenchHooked) {
        m.orbBenchHooked = true;
        const before = m.onRuntimeInitialized;
        m.onRuntimeInitialized = function() {
          if (before) before.apply(this, arguments);
          mark('main');
        };
      }
    },
  });
}

async function once(browser, url) {
  const context = await browser.createBrowserContext();
  try {
    const tab = await context.newPage();
    await tab.setViewport({width: 1024, height: 768});
    await tab.evaluateOnNewDocument(probe);
    await tab.goto(url, {waitUntil: 'domcontentloaded'});
    const marks = await tab.evaluate(() => window.orbBench.done);
    const aborted = await tab.evaluate(() => document.body.getAttribute('data-orbalta-abort'));
    if (aborted) throw new Error(`${url}: the program aborted: ${aborted}`);
    return marks;
  } finally {
    await context.close();
  }
}

function median(values) {
  const v = values.filter((x) => typeof x === 'number' && !Number.isNaN(x)).sort((a, b) => a - b);
  if (v.length === 0) return NaN;
  const n = v.length;
  return n % 2 ? v[(n - 1) / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// The spans between marks, in the order a start-up passes them.
const kSpans = [
  ['navigation to the page requested', null, 'documentRequested'],
  ['navigation to the page loaded', null, 'documentLoaded'],
  ['navigation to the .js loaded', null, 'jsLoaded'],
  ['navigation to wasm asked for', null, 'wasmStart'],
  ['navigation to wasm fetched, compiled, instantiated', null, 'wasmReady'],
  ['  of which fetch and compile (instantiateStreaming)', 'wasmStart', 'wasmReady'],
  ['navigation to fonts loaded', null, 'fontsReady'],
  ['navigation to main called', null, 'main'],
  ['main to painted', 'main', 'painted'],
  ['  main to the first element made', 'main', 'domStart'],
  ['  first to last element made', 'domStart', 'domEnd'],
  ['  last element to the frame (rest of the task, style)', 'domEnd', 'frame'],
  ['  frame to painted (layout and paint)', 'frame', 'painted'],
  ['navigation to first contentful paint (CDP)', null, 'first-contentful-paint'],
];

function span(marks, from, to) {
  if (!(to in marks) || (from && !(from in marks))) return NaN;
  return marks[to] - (from ? marks[from] : 0);
}

async function main() {
  const build = path.resolve(process.argv[2] || path.join(__dirname, '..', '..', 'build'));
  const runs = Number(process.argv[3] || 21);
  const {server, url} = await serve(build);
  const browser = await launch();
  const pages = [
    {name: 'orbalta', url: url + 'web/index.html', marks: []},
    {name: 'bare page', url: url + 'bench-web/index.html', marks: []},
  ];
  try {
    for (let i = 0; i < 2; ++i) {
      for (const p of pages) await once(browser, p.url);
    }
    // Alternate, the order swapped every round, so that a drift of the machine falls on both.
    for (let i = 0; i < runs; ++i) {
      const order = i % 2 ? [pages[1], pages[0]] : pages;
      for (const p of order) {
        p.marks.push(await once(browser, p.url));
        if (process.env.ORBALTA_BENCH_RAW) {
          const m = p.marks[p.marks.length - 1];
          console.log(p.name, ['documentLoaded', 'jsLoaded', 'wasmStart', 'main', 'painted']
              .map((k) => `${k} ${m[k] !== undefined ? m[k].toFixed(1) : '-'}`).join(' '));
        }
      }
    }
  } finally {
    await browser.close().catch(() => {});
    server.close();
  }
  const fmt = (ms) => (Number.isNaN(ms) ? '-' : `${ms.toFixed(1)} ms`);
  const painted = pages.map((p) => median(p.marks.map((m) => m.painted)));
  console.log(`First render, navigation to the window painted, medians of ${runs} alternate runs:`);
  console.log(`  orbalta   ${fmt(painted[0])}`);
  console.log(`  bare page ${fmt(painted[1])}`);
  console.log(`  ratio     ${(painted[0] / painted[1]).toFixed(2)}x`);
  console.log('\nWhere the time goes (medians of each span):');
  const width = Math.max(...kSpans.map((s) => s[0].length));
  console.log(`  ${''.padEnd(width)}  ${'orbalta'.padStart(9)}  ${'bare'.padStart(9)}`);
  for (const [label, from, to] of kSpans) {
    const cells = pages.map((p) => fmt(median(p.marks.map((m) => span(m, from, to)))));
    console.log(`  ${label.padEnd(width)}  ${cells[0].padStart(9)}  ${cells[1].padStart(9)}`);
  }
}

main().catch((err) => {
  console.error(`first_render: ${err && err.stack ? err.stack : err}`);
  process.exit(1);
});
