'use strict';
// Debian's Chromium, headless, and the scripted user's input as the browser's own events
// (mouse and keyboard through the debugging protocol, the clipboard for a paste).
const puppeteer = require('puppeteer-core');

const kChromium = process.env.ORBALTA_CHROMIUM || '/usr/bin/chromium';

function launch() {
  return puppeteer.launch({
    executablePath: kChromium,
    headless: true,
    // The sandbox needs a user namespace that a container or root lacks; the page is ours.
    args: ['--no-sandbox', '--font-render-hinting=none', '--disable-gpu', '--no-first-run',
           '--disable-background-timer-throttling', '--disable-renderer-backgrounding'],
  });
}

// In the order of tools/replay/web/web_driver.cpp.
const kKeys = [
  ['Tab'], ['Tab', 'Shift'], ['Enter'], ['Escape'], ['ArrowLeft'], ['ArrowRight'], ['ArrowUp'],
  ['ArrowDown'], ['Home'], ['End'], ['Backspace'], ['Delete'], ['Space'], ['KeyA', 'Control', 'SelectAll'],
];

async function press(tab, [key, modifier, command]) {
  if (modifier) await tab.keyboard.down(modifier);
  await tab.keyboard.press(key, command ? {commands: [command]} : undefined);
  if (modifier) await tab.keyboard.up(modifier);
}

// The point of a window's element that a user presses: its title bar, past the icon.
async function titlePoint(tab, handle, selector) {
  // The first point of it that no other window covers, as a user aims at what is visible.
  return tab.evaluate((h, sel) => {
    const win = document.getElementById(`orb-w${h}`);
    const el = win ? win.querySelector(sel) : null;
    if (!el) return null;
    const r = el.getBoundingClientRect();
    const y = r.top + r.height / 2;
    const start = sel === '.orb-close' ? r.left + r.width / 2 : r.left + Math.min(30, r.width / 2);
    for (let x = start; x < r.right; x += 8) {
      const hit = document.elementFromPoint(x, y);
      if (hit && win.contains(hit)) return {x, y};
    }
    return {x: start, y};
  }, handle, selector);
}

// The page's input requests: {op, a, b, text}; resolves with the answer the player expects.
function inputFor(tab) {
  return async ({op, a, b, text}) => {
    switch (op) {
      case 1:
        await tab.mouse.click(a, b);
        return 0;
      case 2:
        await press(tab, kKeys[a]);
        return 0;
      case 3:
        if (/^[\x20-\x7e]$/.test(text)) await tab.keyboard.press(text === ' ' ? 'Space' : text);
        else await tab.keyboard.sendCharacter(text);
        return 0;
      case 4: {
        const written = await tab.evaluate((t) => navigator.clipboard.writeText(t).then(
            () => true, () => false), text);
        if (!written) return -1;
        await press(tab, ['KeyV', 'Control', 'Paste']);
        return 0;
      }
      case 5: {
        const client = await tab.$(`#orb-w${a} .orb-client`);
        if (!client) return 0;
        try {
          await client.screenshot({path: text});
          return 1;
        } catch (err) {
          return 0;
        }
      }
      case 6:
      case 7: {
        const p = await titlePoint(tab, a, op === 6 ? '.orb-close' : '.orb-title');
        if (p) await tab.mouse.click(p.x, p.y);
        return 0;
      }
      default:
        return -1;
    }
  };
}

module.exports = {launch, inputFor};
