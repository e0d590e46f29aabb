'use strict';
// Saving the summary in the page itself (build/web), in headless Chromium: a download where the
// browser has no file picker, and the picker's cancel and write failure. The bytes must be those
// the desktop systems write (tests/ui/golden/summary.txt), and "Saved to File" must show only
// for a save that happened.
const test = require('node:test');
const assert = require('node:assert');
const fs = require('fs');
const os = require('os');
const path = require('path');
const {serve} = require('../../tools/web/static_server.js');
const {launch} = require('../../tools/replay/web/browser.js');

const kSite = process.env.ORBALTA_WEB_SITE || path.join(__dirname, '..', '..', 'build', 'web');
const kGolden = fs.readFileSync(path.join(__dirname, '..', 'ui', 'golden', 'summary.txt'));
const kName = 'rezumat-web.txt';

let server;
let url;
let browser;

test.before(async () => {
  ({server, url} = await serve(kSite));
  browser = await launch();
});

test.after(async () => {
  if (browser) await browser.close();
  if (server) server.close();
});

// A tab on the page, its downloads into a folder of their own, `setup` run before the page's
// scripts (it replaces the file picker); resolves once the main window is up.
async function openPage(setup) {
  const context = await browser.createBrowserContext();
  const downloads = fs.mkdtempSync(path.join(os.tmpdir(), 'orbalta-web-save-'));
  const cdp = await browser.target().createCDPSession();
  await cdp.send('Browser.setDownloadBehavior', {
    behavior: 'allow', downloadPath: downloads, browserContextId: context.id, eventsEnabled: true,
  });
  const finished = [];
  cdp.on('Browser.downloadProgress', (e) => {
    if (e.state === 'completed' || e.state === 'canceled') finished.push(e.state);
  });
  const tab = await context.newPage();
  await tab.setViewport({width: 1024, height: 768});
  await tab.evaluateOnNewDocument(setup);
  await tab.goto(url + 'index.html');
  await tab.waitForSelector('#orb-w1 .orb-client', {visible: true});
  const close = async () => {
    await context.close();
    await cdp.detach().catch(() => {});
    fs.rmSync(downloads, {recursive: true, force: true});
  };
  return {tab, downloads, finished, close};
}

// Opens the summary window and presses its save button.
async function pressSave(tab) {
  if (!(await saveButton(tab))) {
    await tab.click('[aria-label="Sumar"]');
    await tab.waitForFunction(() => !!window.orbTestSave());
  }
  await tab.click(`#${await saveButton(tab)}`);
}

async function saveButton(tab) {
  await tab.evaluate(() => {
    window.orbTestSave = () => {
      const b = [...document.querySelectorAll('.orb-window button')].find(
          (e) => e.textContent === 'Salveaza in Fisier' && e.getClientRects().length > 0);
      return b ? b.id : null;
    };
  });
  return tab.evaluate(() => window.orbTestSave());
}

// The message box showing, as [title, text], or null once `ms` pass without one.
async function messageBox(tab, ms) {
  try {
    await tab.waitForSelector('.orb-msgbox:not(.orb-askname)', {visible: true, timeout: ms});
  } catch (err) {
    return null;
  }
  return tab.evaluate(() => [document.getElementById('orb-msgbox-title').textContent,
                             document.getElementById('orb-msgbox-text').textContent]);
}

async function closeMessageBox(tab) {
  await tab.click('.orb-msgbox-ok');
  await tab.waitForSelector('.orb-msgbox', {hidden: true});
}

// What the page's stand-in file picker was given and wrote.
function pickerLog(tab) {
  return tab.evaluate(() => ({picked: window.orbTestPicked,
                              written: window.orbTestWritten ? Array.from(window.orbTestWritten) : null}));
}

// The program goes on: with a picker that works now, the next save is written and confirmed.
async function savesAgain(tab) {
  await tab.evaluate(() => { window.orbTestMode = {pick: 'ok', write: 'ok', close: 'ok'}; });
  await pressSave(tab);
  assert.deepStrictEqual(await messageBox(tab, 5000), ['Saved to File', kName]);
  assert.ok(Buffer.from((await pickerLog(tab)).written).equals(kGolden),
            'the bytes differ from the golden summary');
  await closeMessageBox(tab);
}

// Resolves once the browser reports the page's downloads ended, or `ms` have passed.
async function downloadsEnded(page, ms) {
  const until = Date.now() + ms;
  while (!page.finished.length && Date.now() < until) await new Promise((r) => setTimeout(r, 50));
  return page.finished;
}

// Saves through the name box under kName, as the download it gives must be.
async function downloadAs(page) {
  await pressSave(page.tab);
  const input = await page.tab.waitForSelector('.orb-askname input', {visible: true});
  // Nothing is said while the name is still being typed.
  assert.strictEqual(await messageBox(page.tab, 200), null);
  await input.click({clickCount: 3});
  await page.tab.keyboard.type(kName);
  await page.tab.keyboard.press('Enter');
  assert.deepStrictEqual(await messageBox(page.tab, 5000), ['Saved to File', kName]);
  assert.deepStrictEqual(await downloadsEnded(page, 5000), ['completed']);
  assert.deepStrictEqual(fs.readdirSync(page.downloads), [kName]);
  assert.ok(fs.readFileSync(path.join(page.downloads, kName)).equals(kGolden),
            'the file differs from the golden summary');
  await closeMessageBox(page.tab);
}

const withoutPicker = () => {
  delete window.showSaveFilePicker;
  delete Window.prototype.showSaveFilePicker;
};

test('without a file picker the summary is downloaded under the name typed', async () => {
  const page = await openPage(withoutPicker);
  try {
    await downloadAs(page);
  } finally {
    await page.close();
  }
});

test('without a file picker a cancelled name box saves nothing', async () => {
  const page = await openPage(withoutPicker);
  try {
    await pressSave(page.tab);
    await page.tab.waitForSelector('.orb-askname input', {visible: true});
    await page.tab.keyboard.type(kName);
    await page.tab.keyboard.press('Escape');
    await page.tab.waitForSelector('.orb-askname', {hidden: true});
    assert.strictEqual(await messageBox(page.tab, 1000), null);
    assert.deepStrictEqual(fs.readdirSync(page.downloads), []);
    // The program goes on: the next save is downloaded.
    await downloadAs(page);
  } finally {
    await page.close();
  }
});

// A stand-in for the browser's picker, doing what window.orbTestMode says: 'ok' or the name of
// the DOMException that its pick, its writable's write or close rejects with. It logs what it
// was given and what it wrote.
function fakePicker(mode) {
  return `(() => {
    window.orbTestMode = ${JSON.stringify(mode)};
    window.orbTestPicked = null;
    window.orbTestWritten = null;
    const step = (what, then) => (window.orbTestMode[what] === 'ok' ? Promise.resolve(then()) :
        Promise.reject(new DOMException('It went wrong', window.orbTestMode[what])));
    window.showSaveFilePicker = (options) => {
      window.orbTestPicked = options.suggestedName;
      window.orbTestWritten = null;
      return step('pick', () => ({name: ${JSON.stringify(kName)}, createWritable: () => Promise.resolve({
        write: (bytes) => step('write', () => { window.orbTestWritten = new Uint8Array(bytes); }),
        close: () => step('close', () => {}),
        abort: () => Promise.resolve(),
      })}));
    };
  })()`;
}

test('a picker the user cancels changes nothing and the program goes on', async () => {
  const page = await openPage(fakePicker({pick: 'AbortError', write: 'ok', close: 'ok'}));
  try {
    await pressSave(page.tab);
    assert.strictEqual(await messageBox(page.tab, 1500), null);
    const log = await pickerLog(page.tab);
    assert.strictEqual(log.picked, 'summary.txt');
    assert.strictEqual(log.written, null);
    assert.strictEqual(await page.tab.$('.orb-askname'), null);
    assert.deepStrictEqual(fs.readdirSync(page.downloads), []);
    await savesAgain(page.tab);
  } finally {
    await page.close();
  }
});

test('a picker the browser refuses to show leaves the download under the name typed', async () => {
  const page = await openPage(fakePicker({pick: 'SecurityError', write: 'ok', close: 'ok'}));
  try {
    await downloadAs(page);
  } finally {
    await page.close();
  }
});

test('a picker that writes gives the golden bytes and then "Saved to File"', async () => {
  const page = await openPage(fakePicker({pick: 'ok', write: 'ok', close: 'ok'}));
  try {
    await pressSave(page.tab);
    assert.deepStrictEqual(await messageBox(page.tab, 5000), ['Saved to File', kName]);
    const log = await pickerLog(page.tab);
    assert.ok(Buffer.from(log.written).equals(kGolden), 'the bytes differ from the golden summary');
    await closeMessageBox(page.tab);
    await savesAgain(page.tab);
  } finally {
    await page.close();
  }
});

const failures = [
  {name: 'the write fails', write: 'QuotaExceededError', close: 'ok'},
  {name: 'the close fails', write: 'ok', close: 'InvalidStateError'},
];
for (const row of failures) {
  test(`a picker whose save fails gives the failure, not success: ${row.name}`, async () => {
    const page = await openPage(fakePicker({pick: 'ok', write: row.write, close: row.close}));
    try {
      await pressSave(page.tab);
      assert.deepStrictEqual(await messageBox(page.tab, 5000),
                             ['Error', `Could not save to ${kName}: It went wrong`]);
      await closeMessageBox(page.tab);
      assert.deepStrictEqual(fs.readdirSync(page.downloads), []);
      await savesAgain(page.tab);
    } finally {
      await page.close();
    }
  });
}
