// The web build in a headless browser, driven as a person would: the mouse on the board, the
// keyboard and the mouse in the menu, a finger on a phone. Every picture is compared pixel for
// pixel with what velnor-analyze render draws for the same moves, so the browser must show
// exactly the desktop's picture; at fractional densities the screen's own pixels are compared.
//
//   node browser_test.js [--browser chromium|firefox]   (scripts/test-web sets the environment)
//   VELNOR_ANALYZE            the native velnor-analyze
//   VELNOR_SHOTS              the folder for the screenshots
//   CHROMIUM, FIREFOX         the browsers, /usr/bin/chromium and /usr/bin/firefox-esr by default
'use strict';

const { spawn, execFileSync } = require('child_process');
const fs = require('fs');
const http = require('http');
const os = require('os');
const path = require('path');
const puppeteer = require('puppeteer-core');
const { decodePng } = require('./png');

const ROOT = path.resolve(__dirname, '..', '..');
const ANALYZE = process.env.VELNOR_ANALYZE;
const SHOTS = process.env.VELNOR_SHOTS || path.join(ROOT, 'build', 'web-test');
const WORK = fs.mkdtempSync(path.join(os.tmpdir(), 'velnor-web-'));
const BROWSER = process.argv[2] === '--browser' ? process.argv[3] : 'chromium';
const FIREFOX = BROWSER === 'firefox';

// The board's geometry: square (x, y) has its 32 x 32 tile at 35x + 2, 35y + 2.
const tile = (x, y) => ({ x: 35 * x + 2, y: 35 * y + 2, w: 32, h: 32 });
const centre = (x, y) => ({ x: 35 * x + 18, y: 35 * y + 18 });
const squareName = (x, y) => 'abcdefgh'[x - 1] + y;
// The two clocks (hh:mm:ss) run with real time, which a render does not have.
const CLOCKS = [{ x: 400, y: 145, w: 104, h: 20 }, { x: 400, y: 245, w: 104, h: 20 }];
const MESSAGE_BOX = { x: 371, y: 285, w: 140, h: 46 };

let passed = 0;
function ok(what) {
  passed += 1;
  console.log(`${BROWSER}: ok ${what}`);
}

// A check that this browser cannot run as written, and what runs instead.
function replaced(what) {
  console.log(`${BROWSER}: replaced ${what}`);
}

function fail(what) {
  throw new Error(what);
}

const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

async function waitFor(what, test, timeoutMs = 15000) {
  const end = Date.now() + timeoutMs;
  let last;
  for (;;) {
    try {
      last = await test();
    } catch (error) {
      last = error.message;  // a page between two documents, say
    }
    if (last === true) return;
    if (Date.now() > end) fail(`${what}${typeof last === 'string' ? `: ${last}` : ''}`);
    await sleep(100);
  }
}

// --- Reference pictures ------------------------------------------------------------------------

// velnor-analyze render of the moves, as {key, png} with the PNG in base64; the players those
// at the start (a person and Computer3) unless the flags say otherwise.
const renders = new Map();
function render(moves, ...flags) {
  const key = [moves, ...flags].join(' ');
  if (!renders.has(key)) {
    const out = path.join(WORK, `render${renders.size}.png`);
    const players = flags.includes('--players') ? [] : ['--players', '0,3'];
    execFileSync(ANALYZE, ['render', '--moves', moves, '--out', out, ...players, ...flags]);
    const bytes = fs.readFileSync(out);
    renders.set(key, { key, png: bytes.toString('base64'), image: decodePng(bytes) });
  }
  return renders.get(key);
}

// The menu table's tree as the game's source states it.
function menuTable() {
  const text = fs.readFileSync(path.join(ROOT, 'shell', 'menu_table.def'), 'utf8');
  const items = [];
  const titles = [];
  let depth = 0;
  for (const line of text.split('\n')) {
    let m;
    if ((m = /^\s*MENU_POPUP\("(.*)"\)/.exec(line))) {
      if (depth === 0) titles.push(m[1]);
      depth += 1;
    } else if (/^\s*MENU_POPUP_END/.test(line)) {
      depth -= 1;
    } else if ((m = /^\s*MENU_ITEM\((\d+), \w+, "(.*)", ([01])\)/.exec(line))) {
      items.push({ id: Number(m[1]), label: m[2], checked: m[3] === '1' });
    }
  }
  return { titles, items };
}

// --- In the page ------------------------------------------------------------------------------

// Helpers put into every page: decoding a reference PNG and comparing the canvas with it.
function pageHelpers() {
  window.velnorTest = {
    references: new Map(),
    async load(key, base64) {
      if (this.references.has(key)) return;
      const bytes = Uint8Array.from(atob(base64), (c) => c.charCodeAt(0));
      const bitmap = await createImageBitmap(new Blob([bytes], { type: 'image/png' }),
        { colorSpaceConversion: 'none', premultiplyAlpha: 'none' });
      const canvas = new OffscreenCanvas(bitmap.width, bitmap.height);
      const context = canvas.getContext('2d');
      context.drawImage(bitmap, 0, 0);
      this.references.set(key, context.getImageData(0, 0, bitmap.width, bitmap.height));
    },
    // The canvas at the picture's own pixels, checking that each is a whole block of the
    // backing store's pixels (nearest-neighbour scaling).
    picture() {
      const canvas = document.getElementById('screen');
      const scale = canvas.width / 531;
      const data = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
      const out = new Uint8ClampedArray(531 * 351 * 4);
      let blurred = 0;
      for (let y = 0; y < 351; y++) {
        for (let x = 0; x < 531; x++) {
          const at = ((y * scale) * canvas.width + x * scale) * 4;
          for (let dy = 0; dy < scale; dy++) {
            for (let dx = 0; dx < scale; dx++) {
              const other = at + (dy * canvas.width + dx) * 4;
              for (let c = 0; c < 4; c++) if (data[other + c] !== data[at + c]) blurred++;
            }
          }
          out.set(data.subarray(at, at + 4), (y * 531 + x) * 4);
        }
      }
      return { scale, blurred, pixels: out };
    },
    // Differences between the picture and a reference within a region, outside the masks.
    compare(key, region, masks, picture) {
      const want = this.references.get(key).data;
      const got = (picture || this.picture()).pixels;
      const inside = (r, x, y) => x >= r.x && x < r.x + r.w && y >= r.y && y < r.y + r.h;
      let differences = 0;
      let first = '';
      for (let y = region.y; y < region.y + region.h; y++) {
        for (let x = region.x; x < region.x + region.w; x++) {
          if (masks.some((m) => inside(m, x, y))) continue;
          const i = (y * 531 + x) * 4;
          if (got[i] === want[i] && got[i + 1] === want[i + 1] && got[i + 2] === want[i + 2]) {
            continue;
          }
          if (!differences) first = `(${x}, ${y}) is ${got.slice(i, i + 3)}, not ${want.slice(i, i + 3)}`;
          differences++;
        }
      }
      return differences ? `${differences} pixels differ, first ${first}` : true;
    },
    // Which squares hold a piece: a tile that differs from the reference's empty a1 tile.
    occupied(emptyKey, picture) {
      const squares = [];
      for (let x = 1; x <= 8; x++) {
        for (let y = 1; y <= 8; y++) {
          const t = { x: 35 * x + 2, y: 35 * y + 2, w: 32, h: 32 };
          const empty = this.compareShifted(emptyKey, t, picture);
          if (!empty) squares.push(`${x}${y}`);
        }
      }
      return squares;
    },
    compareShifted(key, t, picture) {
      const want = this.references.get(key).data;  // a1's tile, at 37, 37
      const got = picture.pixels;
      for (let dy = 0; dy < t.h; dy++) {
        for (let dx = 0; dx < t.w; dx++) {
          const i = ((t.y + dy) * 531 + t.x + dx) * 4;
          const j = ((37 + dy) * 531 + 37 + dx) * 4;
          if (got[i] !== want[j] || got[i + 1] !== want[j + 1] || got[i + 2] !== want[j + 2]) {
            return false;
          }
        }
      }
      return true;
    },
  };
}

const WHOLE = { x: 0, y: 0, w: 531, h: 351 };

async function compareWith(page, reference, region = WHOLE, masks = CLOCKS, picture = null) {
  await page.evaluate((k, b) => window.velnorTest.load(k, b), reference.key, reference.png);
  return page.evaluate((k, r, m, p) =>
    window.velnorTest.compare(k, r, m, p ? window.velnorTest[p] : null),
  reference.key, region, masks, picture);
}

async function showsRender(page, what, reference, region, masks, timeoutMs) {
  await waitFor(what, () => compareWith(page, reference, region, masks), timeoutMs);
}

// --- The browser ------------------------------------------------------------------------------

function startServer(...args) {
  const server = spawn(path.join(ROOT, 'scripts', 'serve-web'), args,
    { stdio: ['ignore', 'pipe', 'ignore'] });
  return new Promise((resolve, reject) => {
    server.stdout.once('data', (line) => {
      const m = /http:\/\/\S+/.exec(String(line));
      if (m) resolve({ server, url: m[0] });
      else reject(new Error(`serve-web said: ${line}`));
    });
    server.once('exit', (code) => reject(new Error(`serve-web ended with ${code}`)));
  });
}

const problems = [];
async function openPage(browser, url, viewport = {}, preload = null) {
  const page = await browser.newPage();
  page.on('console', (m) => {
    if (m.type() === 'error') problems.push(`console error: ${m.text()}`);
  });
  page.on('pageerror', (e) => problems.push(`uncaught: ${e.message}`));
  page.on('requestfailed', (r) => problems.push(`request failed: ${r.url()}`));
  page.on('response', (r) => {
    if (r.status() >= 400) problems.push(`HTTP ${r.status()}: ${r.url()}`);
  });
  await page.setViewport({ width: 720, height: 520, deviceScaleFactor: 1, ...viewport });
  await page.evaluateOnNewDocument(pageHelpers);
  if (preload) await page.evaluateOnNewDocument(preload);
  await page.goto(url);
  return page;
}

function noProblems(what) {
  if (problems.length) fail(`${what}: ${problems.join('; ')}`);
}

async function canvasBox(page) {
  return (await page.$('#screen')).boundingBox();
}

async function clickSquare(page, x, y) {
  const box = await canvasBox(page);
  const c = centre(x, y);
  await page.mouse.click(box.x + c.x * box.width / 531, box.y + c.y * box.height / 351);
}

async function altKey(page, key) {
  await page.keyboard.down('Alt');
  await page.keyboard.press(key);
  await page.keyboard.up('Alt');
}

// A command through the keyboard: Alt and the menu's mnemonic, then the items' mnemonics.
async function menuKeys(page, title, ...keys) {
  await altKey(page, title);
  for (const k of keys) await page.keyboard.press(k);
}

const checked = (page, id) =>
  page.$eval(`.item[data-id="${id}"]`, (e) => e.dataset.checked === 'true');

// The game sets the marks from its own thread, a moment after the command.
async function expectChecks(page, what, marks) {
  await waitFor(what, async () => {
    for (const [id, on] of marks) {
      if (await checked(page, id) !== on) return `item ${id} is ${on ? 'not ' : ''}checked`;
    }
    return true;
  }, 5000);
}

async function shot(page, name) {
  await page.screenshot({ path: path.join(SHOTS, `${name}.png`) });
}

// The picture as the screen shows it, device pixel for device pixel: each of the reference's
// pixels must be a k x k block of the screenshot where the canvas lies, which must start on a
// whole device pixel. The screenshot is saved as NAME.png.
async function screenShows(page, reference, k, name) {
  const place = await page.evaluate(() => {
    const box = document.getElementById('screen').getBoundingClientRect();
    return { x: box.left * window.devicePixelRatio, y: box.top * window.devicePixelRatio };
  });
  const left = Math.round(place.x);
  const top = Math.round(place.y);
  if (Math.abs(place.x - left) > 0.05 || Math.abs(place.y - top) > 0.05) {
    return `the canvas starts at device pixel (${place.x}, ${place.y})`;
  }
  const bytes = await page.screenshot();
  fs.writeFileSync(path.join(SHOTS, `${name}.png`), bytes);
  const screen = decodePng(bytes);
  const want = reference.image;
  if (left < 0 || top < 0 || left + want.width * k > screen.width ||
      top + want.height * k > screen.height) {
    return `the canvas at (${left}, ${top}) leaves the ${screen.width} x ${screen.height} screen`;
  }
  let differences = 0;
  let first = '';
  for (let y = 0; y < want.height * k; y++) {
    for (let x = 0; x < want.width * k; x++) {
      const i = ((top + y) * screen.width + left + x) * 4;
      const j = (Math.floor(y / k) * want.width + Math.floor(x / k)) * 4;
      const got = screen.pixels.subarray(i, i + 3);
      if (got.equals(want.pixels.subarray(j, j + 3))) continue;
      if (!differences) first = `(${x}, ${y}) is ${[...got]}, not ${[...want.pixels.subarray(j, j + 3)]}`;
      differences++;
    }
  }
  return differences ? `${differences} device pixels differ, first ${first}` : true;
}

// --- The checks -------------------------------------------------------------------------------

async function startsAsTheDesktop(page) {
  await showsRender(page, 'the canvas shows the start', render(''), WHOLE, []);
  ok('the canvas is the start picture, pixel for pixel');
  await shot(page, 'start');

  const table = menuTable();
  const titles = await page.$$eval('.menu-title', (b) => b.map((e) => e.textContent));
  const plain = (label) => label.replace(/&(.)/g, '$1');
  if (JSON.stringify(titles) !== JSON.stringify(table.titles.map(plain))) {
    fail(`the menu bar reads ${titles}`);
  }
  for (const item of table.items) {
    const shown = await page.$eval(`.item[data-id="${item.id}"]`, (e) => ({
      label: e.querySelector('.label').textContent,
      underlined: e.querySelector('u') && e.querySelector('u').textContent,
      checked: e.dataset.checked === 'true',
    }));
    const mnemonic = /&(.)/.exec(item.label)[1];
    if (shown.label !== plain(item.label) || shown.underlined !== mnemonic ||
        shown.checked !== item.checked) {
      fail(`item ${item.id} shows ${JSON.stringify(shown)} for ${JSON.stringify(item)}`);
    }
  }
  ok('the menu has every label, mnemonic and first check mark of the menu table');
}

async function personAgainstComputer(page) {
  await clickSquare(page, 6, 5);
  const afterF5 = render('f5');
  await showsRender(page, 'f5 shows side 1\'s piece', afterF5, tile(6, 5), []);
  ok('a click on f5 places the piece');
  let reply = null;
  await waitFor('the computer replies to f5', async () => {
    for (const r of ['d6', 'f4', 'f6']) {
      if (await compareWith(page, render(`f5 ${r}`)) === true) reply = r;
    }
    return reply !== null;
  });
  ok(`the computer replies ${reply}, and the panel shows it`);

  await altKey(page, 'KeyO');
  const menuOpen = await page.$$eval('.popup:not([hidden]) .label', (l) => l.map((e) => e.textContent));
  if (!menuOpen.includes('ガイドの表示(G)')) fail(`Alt+O opened ${menuOpen}`);
  await shot(page, 'settings-menu');
  await page.keyboard.press('KeyG');
  await showsRender(page, 'the guide markers appear', render(`f5 ${reply}`, '--guide'));
  await expectChecks(page, 'the guide\'s check mark', [[1260, true]]);
  ok('Alt+O, G: the guide\'s check mark and markers');
  await shot(page, 'guide');

  // Off again with the mouse.
  await page.click('.menu-title:nth-child(4)');
  await page.click('.item[data-id="1260"]');
  await showsRender(page, 'the guide markers go', render(`f5 ${reply}`));
  await expectChecks(page, 'the guide\'s check mark goes', [[1260, false]]);
  ok('the mouse turns the guide off');
}

async function keyboardInMenus(page) {
  // 設定: down twice to 音を鳴らす, Enter.
  await altKey(page, 'KeyO');
  for (const k of ['ArrowDown', 'ArrowDown', 'Enter']) await page.keyboard.press(k);
  await expectChecks(page, 'the arrows and Enter turn the sound off', [[1280, false]]);
  // Up from the top wraps to スレッドの優先度, Right opens it at 高い, down twice to 低い.
  await altKey(page, 'KeyO');
  for (const k of ['ArrowUp', 'ArrowRight', 'ArrowDown', 'ArrowDown', 'Enter']) {
    await page.keyboard.press(k);
  }
  await expectChecks(page, 'the priority goes low', [[1340, true], [1330, false]]);
  // Escape closes the menu, then leaves the bar: a mnemonic then does nothing.
  await altKey(page, 'KeyO');
  await page.keyboard.press('Escape');
  if (await page.$('.popup:not([hidden])')) fail('Escape left the menu open');
  await page.keyboard.press('Escape');
  await page.keyboard.press('KeyS');
  await sleep(500);
  if (await checked(page, 1280)) fail('a key after Escape reached the menu');
  await menuKeys(page, 'KeyO', 'KeyS');
  await expectChecks(page, 'the sound on again', [[1280, true]]);
  ok('the arrows, Enter and Escape in the menus');
}

async function computerAgainstComputer(page) {
  await menuKeys(page, 'KeyO', 'KeyA', 'KeyF');  // animation: fast
  await menuKeys(page, 'KeyP', 'KeyG', 'Digit8');  // MopraGET: Computer8
  await menuKeys(page, 'KeyP', 'KeyB', 'Digit1');  // Zarbo: Computer1
  await expectChecks(page, 'the speed and the players', [[1290, true], [1300, false],
    [1160, true], [1080, false], [1180, true], [1200, false]]);
  ok('the keyboard sets the speed and both players, with their check marks');
  await menuKeys(page, 'KeyG', 'KeyN');  // new game

  // The game is over when the picture stands still: while it goes on, a clock ticks.
  let last = '';
  let still = 0;
  await waitFor('the game ends', async () => {
    const now = await page.evaluate(() => {
      const p = window.velnorTest.picture().pixels;
      let h = 0;
      for (let i = 0; i < p.length; i += 4) h = (h * 31 + p[i] + 7 * p[i + 1] + 13 * p[i + 2]) | 0;
      return String(h);
    });
    still = now === last ? still + 1 : 0;
    last = now;
    return still >= 30;
  }, 240000);
  await shot(page, 'result');
  await page.evaluate(() => { window.velnorTest.final = window.velnorTest.picture(); });

  // The moves, read back by stepping through the game from its start.
  const start = render('');
  const occupied = (picture) => page.evaluate((k, p) =>
    window.velnorTest.occupied(k, p ? window.velnorTest[p] : window.velnorTest.picture()),
  start.key, picture);
  const discs = (await occupied('final')).length;
  await menuKeys(page, 'KeyE', 'KeyF');
  await waitFor('the first position', async () => (await occupied()).length === 4);
  const moves = [];
  let before = await occupied();
  for (let n = 4; n < discs; n++) {
    await menuKeys(page, 'KeyE', 'KeyP');
    let now = before;
    await waitFor(`move ${moves.length + 1}`, async () => {
      now = await occupied();
      return now.length === before.length + 1;
    });
    const square = now.find((s) => !before.includes(s));
    moves.push(squareName(Number(square[0]), Number(square[1])));
    before = now;
  }
  const same = await compareWith(page, render(moves.join(' '), '--players', '8,1'), WHOLE,
    CLOCKS, 'final');
  if (same !== true) fail(`the end of ${moves.join(' ')} differs from its render: ${same}`);
  const message = await page.evaluate((r) => {
    const p = window.velnorTest.final.pixels;
    let marked = 0;
    for (let y = r.y; y < r.y + r.h; y++) {
      for (let x = r.x; x < r.x + r.w; x++) if (p[(y * 531 + x) * 4] !== 255) marked++;
    }
    return marked;
  }, MESSAGE_BOX);
  if (!message) fail('the message box is empty at the end');
  ok(`computer against computer plays ${moves.length} moves to the result message`);
}

// A phone: the window shows whole, in portrait at k = 2 and, turned, in landscape at k = 3; the
// menu is big enough for a finger, and taps open it, choose in it and play.
const PHONE = { width: 430, height: 932, deviceScaleFactor: 3, isMobile: true, hasTouch: true };
async function onAPhone(page) {
  const tapOn = async (selector) => {
    const box = await (await page.$(selector)).boundingBox();
    await page.touchscreen.tap(box.x + box.width / 2, box.y + box.height / 2);
  };
  const wholeAt = async (what, k) => {
    await waitFor(`${what}: the picture at ${k} x ${k}`, () => page.evaluate((k) =>
      document.getElementById('screen').width === 531 * k, k));
    const seen = await page.evaluate(() => {
      const box = document.getElementById('window').getBoundingClientRect();
      return { left: box.left, right: box.right, width: window.visualViewport.width };
    });
    if (seen.left < 0 || seen.right > seen.width) {
      fail(`${what}: the window spans ${seen.left} to ${seen.right} of ${seen.width} pixels`);
    }
  };

  await showsRender(page, 'the start on a phone', render(''));
  await wholeAt('on a phone in portrait', 2);
  if (FIREFOX) {
    replaced('the 40 px menu on a phone: Firefox cannot emulate a coarse pointer, so the ' +
      'menu keeps its desktop size there and is tapped as it is');
  } else {
    const heights = await page.$$eval('.menu-title', (t) => t.map((e) => e.offsetHeight));
    if (Math.min(...heights) < 40) fail(`on a phone the menu's titles are ${heights} px tall`);
  }
  await tapOn('.menu-title:nth-child(4)');
  await waitFor('a tap opens 設定', () => page.$eval('.item[data-id="1260"]',
    (e) => !e.closest('.popup').hidden));
  const popup = await page.$eval('.popup:not([hidden])', (e) => ({
    right: e.getBoundingClientRect().right, width: window.visualViewport.width,
    heights: [...e.querySelectorAll('.item')].map((i) => i.offsetHeight) }));
  if (popup.right > popup.width) fail(`on a phone 設定 opens past the screen's edge: ${popup.right}`);
  if (!FIREFOX && Math.min(...popup.heights) < 40) {
    fail(`on a phone the menu's items are ${popup.heights} px tall`);
  }
  await shot(page, 'phone-menu');
  await tapOn('.item[data-id="1260"]');
  await expectChecks(page, 'a tap on the guide\'s item', [[1260, true]]);
  await showsRender(page, 'the guide on a phone', render('', '--guide'));
  await shot(page, 'phone-portrait');
  ok('on a phone in portrait the whole window shows at 2 x 2; taps open the menu, on screen, and choose');

  const portrait = page.viewport();
  await page.setViewport({ ...portrait, width: portrait.height, height: portrait.width });
  await wholeAt('turned to landscape', 3);
  const same = await screenShows(page, render('', '--guide'), 3, 'phone-landscape');
  if (same !== true) fail(`turned to landscape the screen is not the picture at 3 x 3: ${same}`);
  const box = await canvasBox(page);
  const c = centre(6, 5);
  await page.touchscreen.tap(box.x + c.x * box.width / 531, box.y + c.y * box.height / 351);
  await showsRender(page, 'a tap on f5 plays it', render('f5', '--guide'), tile(6, 5), []);
  ok('turned to landscape the window shows whole at 3 x 3, and a tap on f5 plays f5');
}

// Counts the clicks played, each a buffer source started, with its context.
function countClicks() {
  window.velnorClicks = [];
  const start = AudioBufferSourceNode.prototype.start;
  AudioBufferSourceNode.prototype.start = function (...args) {
    window.velnorClicks.push(this.context);
    return start.apply(this, args);
  };
}

// A finger's first tap on a page sounds, though a touch lets the page start sound only as it
// lifts, after the game has asked for the tap's click. Puppeteer's page.evaluate counts as a
// gesture for five seconds, which the tap waits out.
async function firstTapSounds(browser, url) {
  const page = await openPage(browser, url, PHONE, countClicks);
  await showsRender(page, 'the start on a phone', render(''));
  const box = await canvasBox(page);
  const c = centre(6, 5);
  await sleep(5500);
  await page.touchscreen.tap(box.x + c.x * box.width / 531, box.y + c.y * box.height / 351);
  await showsRender(page, 'the first tap plays f5', render('f5'), tile(6, 5), []);
  await waitFor('the first tap clicks', () => page.evaluate((anyState) => {
    const clicks = window.velnorClicks;
    return clicks.length > 0 && (anyState || clicks.every((c) => c.state === 'running')) ||
      `${clicks.length} clicks, ${clicks.map((context) => context.state)}`;
  }, FIREFOX), 5000);
  await page.close();
  if (FIREFOX) {
    replaced('the first tap\'s sound: headless Firefox keeps every audio context suspended, so ' +
      'the test checks that the click is started');
  }
  ok('on a phone the first tap, on f5, sounds its click');
}

// At a fractional density each of the picture's pixels is a whole k x k block of the screen's
// pixels, k the nearest whole number for which the window fits.
const DENSITIES = [[1.25, 1], [1.5, 2], [1.75, 2], [2.625, 3]];
async function atFractionalDensities(browser, url) {
  for (const [ratio, k] of DENSITIES) {
    const page = await openPage(browser, url, { deviceScaleFactor: ratio });
    await showsRender(page, `the start at density ${ratio}`, render(''), WHOLE, []);
    const same = await screenShows(page, render(''), k, `density-${ratio}`);
    if (same !== true) fail(`at density ${ratio} the screen is not the picture at ${k} x ${k}: ${same}`);
    if (ratio === 2.625) await clicksByDevicePixel(page, ratio, k);
    await page.close();
  }
  ok(`at densities ${DENSITIES.map(([r, k]) => `${r} (${k} x ${k})`).join(', ')} the screen ` +
    'shows every pixel of the picture as a whole block');
  ok('a click on f5\'s last device pixel plays it, and one on the grid line beside it nothing');
}

// The click lands on the device pixel it points at: the first one of the grid line right of f5
// hits nothing, the last one of f5, at its lower right, hits f5.
async function clicksByDevicePixel(page, ratio, k) {
  const box = await canvasBox(page);
  const left = Math.round(box.x * ratio);
  const top = Math.round(box.y * ratio);
  // The middle of device pixel d; Firefox takes whole CSS px only: the one nearest the edge
  // between d and the next device pixel (side -1) or d and the one before (side +1).
  const css = (origin, d, side) => {
    if (!FIREFOX) return (origin + d + 0.5) / ratio;
    return side < 0 ? Math.floor((origin + d + 1) / ratio - 1e-9) : Math.ceil((origin + d) / ratio);
  };
  if (FIREFOX) {
    replaced('the clicks on single device pixels: Firefox takes whole CSS px, so each click is ' +
      'on the CSS px nearest the edge between f5 and the grid line, on its own side');
  }
  await page.mouse.click(css(left, 245 * k, 1), css(top, (35 * 5 + 18) * k, 1));
  await sleep(500);
  const untouched = await compareWith(page, render(''), tile(6, 5), []);
  if (untouched !== true) fail(`a click on the grid line right of f5 played: ${untouched}`);
  await page.mouse.click(css(left, 245 * k - 1, -1), css(top, 210 * k - 1, -1));
  await showsRender(page, 'a click on f5\'s last device pixel plays f5', render('f5'), tile(6, 5), []);
}

// A desktop window narrower than the game's: all of it can be scrolled to.
async function inANarrowWindow(page) {
  await showsRender(page, 'the start in a narrow window', render(''), WHOLE, []);
  const seen = await page.evaluate(() => {
    const box = document.getElementById('window').getBoundingClientRect();
    return { left: box.left + window.scrollX, right: box.right + window.scrollX,
      width: document.documentElement.scrollWidth };
  });
  if (seen.left < 0 || seen.right > seen.width) {
    fail(`in a narrow window the game's spans ${seen.left} to ${seen.right} of ${seen.width} pixels`);
  }
  await shot(page, 'narrow');
  ok('in a window 450 px wide every part of the game\'s window can be scrolled to');
}

// Without SharedArrayBuffer the page says so, in Japanese and English, and where the game plays.
async function withoutSharedMemory(browser, url) {
  const page = await openPage(browser, url, {}, () => { delete window.SharedArrayBuffer; });
  await waitFor('the notice names SharedArrayBuffer', () => page.$eval('#notice', (n) =>
    !n.hidden && n.textContent.includes('SharedArrayBuffer') && n.textContent.includes('使えません') &&
    n.textContent.includes('Firefox')));
  await shot(page, 'no-shared-memory');
  ok('without SharedArrayBuffer the page says what is missing and which browsers play');
}

// A hard reload (Ctrl+Shift+R) goes past the service worker, so the page is not isolated: it
// has the worker serve it again, and plays.
async function hardReload(page) {
  if (FIREFOX) {
    replaced('the hard reload: Firefox\'s WebDriver BiDi cannot reload past the cache, so ' +
      'Chromium alone tries it');
    return;
  }
  await page.reload({ ignoreCache: true });
  await showsRender(page, 'the start after a hard reload', render(''), WHOLE, [], 30000);
  if (!await page.evaluate(() => window.crossOriginIsolated)) fail('not isolated');
  await clickSquare(page, 6, 5);
  await showsRender(page, 'f5 after a hard reload', render('f5'), tile(6, 5), []);
  ok('a hard reload of the page from a host without the headers plays f5');
}

// After one visit the game starts and plays with the server gone.
async function offline(browser) {
  const visit = await startServer('0');
  const page = await openPage(browser, visit.url);
  await showsRender(page, 'the start before going offline', render(''), WHOLE, []);
  await waitFor('the service worker keeps the game', () =>
    page.evaluate(() => navigator.serviceWorker.controller !== null), 30000);
  const gone = new Promise((resolve) => visit.server.once('exit', resolve));
  visit.server.kill();
  await gone;
  await page.reload();
  await showsRender(page, 'the start without the server', render(''), WHOLE, [], 30000);
  await clickSquare(page, 6, 5);
  await showsRender(page, 'f5 without the server', render('f5'), tile(6, 5), []);
  ok('after one visit the game starts and plays f5 with the server gone');
}

// Two copies of the game on one host, under /a/ and /b/, as two builds (/b/'s worker names
// another hash): the visit to /b/ leaves /a/'s cache alone, and both play with the server gone.
function serveTwoCopies() {
  const types = { '.html': 'text/html', '.js': 'text/javascript', '.css': 'text/css',
    '.wasm': 'application/wasm', '.png': 'image/png', '.webmanifest': 'application/manifest+json' };
  const server = http.createServer((request, response) => {
    const m = /^\/([ab])\/([^/?]*)/.exec(request.url);
    const file = m && path.join(ROOT, 'build', 'web', m[2] || 'index.html');
    if (!file || !fs.existsSync(file)) {
      response.writeHead(404).end();
      return;
    }
    let body = fs.readFileSync(file);
    if (m[1] === 'b' && m[2] === 'sw.js') {
      body = String(body).replace(/[0-9a-f]{16}/,
        (hash) => hash.replace(/./g, (digit) => (parseInt(digit, 16) ^ 1).toString(16)));
    }
    response.writeHead(200, { 'Content-Type': types[path.extname(file)], 'Cache-Control': 'no-cache',
      'Cross-Origin-Opener-Policy': 'same-origin', 'Cross-Origin-Embedder-Policy': 'require-corp' });
    response.end(body);
  });
  return new Promise((resolve) => server.listen(0, '127.0.0.1',
    () => resolve({ server, url: `http://localhost:${server.address().port}/` })));
}

async function twoCopiesOffline(browser) {
  const host = await serveTwoCopies();
  const pages = [];
  for (const copy of ['a', 'b']) {
    const page = await openPage(browser, `${host.url}${copy}/`);
    await showsRender(page, `the start of /${copy}/`, render(''), WHOLE, []);
    await waitFor(`/${copy}/'s worker keeps the game`, () => page.evaluate(async () =>
      navigator.serviceWorker.controller !== null &&
      (await navigator.serviceWorker.ready).active.state === 'activated'), 30000);
    pages.push(page);
  }
  host.server.close();
  host.server.closeAllConnections();
  for (const [i, page] of pages.entries()) {
    const copy = 'ab'[i];
    await page.reload();
    await showsRender(page, `/${copy}/ without the server`, render(''), WHOLE, [], 30000);
    await clickSquare(page, 6, 5);
    await showsRender(page, `f5 in /${copy}/ without the server`, render('f5'), tile(6, 5), []);
    await page.close();
  }
  ok('two copies of the game under two folders of one host each play f5 with the server gone');
}

async function exitWhilePlaying(page) {
  await menuKeys(page, 'KeyG', 'KeyN');
  await sleep(300);
  await menuKeys(page, 'KeyG', 'KeyX');
  await waitFor('the page says the game has ended', () =>
    page.$eval('#notice', (n) => !n.hidden && n.textContent.includes('ゲームは終了しました')));
  await shot(page, 'ended');
  ok('Exit during play ends the game, and the page says so');
}

function launch() {
  if (FIREFOX) {
    return puppeteer.launch({
      browser: 'firefox',
      protocol: 'webDriverBiDi',
      executablePath: process.env.FIREFOX || '/usr/bin/firefox-esr',
      headless: true,
    });
  }
  return puppeteer.launch({
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    headless: true,
    userDataDir: path.join(WORK, 'profile'),
    args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync',
      '--force-color-profile=srgb'],
  });
}

async function main() {
  fs.mkdirSync(SHOTS, { recursive: true });
  const isolated = await startServer('0');
  const plain = await startServer('--plain', '0');
  const browser = await launch();
  console.log(`${BROWSER}: ${await browser.version()}`);
  try {
    const page = await openPage(browser, isolated.url);
    await startsAsTheDesktop(page);
    await personAgainstComputer(page);
    await keyboardInMenus(page);
    await computerAgainstComputer(page);
    await exitWhilePlaying(page);
    noProblems('the game');

    const sharp = await openPage(browser, isolated.url, { deviceScaleFactor: 2 });
    await showsRender(sharp, 'the start at twice the density', render(''), WHOLE, []);
    const { scale, blurred } = await sharp.evaluate(() => {
      const p = window.velnorTest.picture();
      return { scale: p.scale, blurred: p.blurred };
    });
    if (scale !== 2 || blurred) fail(`at density 2 the canvas is scaled ${scale}, ${blurred} blurred`);
    ok('at density 2 every pixel is a sharp 2 x 2 block');
    await altKey(sharp, 'KeyP');
    await sharp.keyboard.press('KeyB');
    await shot(sharp, 'density-2-players');
    await sharp.close();

    await atFractionalDensities(browser, isolated.url);
    await inANarrowWindow(await openPage(browser, isolated.url, { width: 450 }));
    await onAPhone(await openPage(browser, isolated.url, PHONE));
    await firstTapSounds(browser, isolated.url);
    await withoutSharedMemory(browser, isolated.url);

    const hosted = await openPage(browser, plain.url);
    await showsRender(hosted, 'the start from a host without the headers', render(''), WHOLE, [],
      30000);
    if (!await hosted.evaluate(() => window.crossOriginIsolated)) fail('not isolated');
    ok('from a host without the headers, the service worker isolates the page');
    await hardReload(hosted);
    noProblems('the page');

    await offline(browser);
    await twoCopiesOffline(browser);
    noProblems('offline');
  } finally {
    await browser.close();
    isolated.server.kill();
    plain.server.kill();
    fs.rmSync(WORK, { recursive: true, force: true });
  }
  console.log(`${BROWSER}: ${passed} passed, 0 failed`);
}

main().catch((error) => {
  console.log(`${BROWSER}: FAILED: ${error.message}`);
  if (problems.length) console.log(`${BROWSER}: also: ${problems.join('; ')}`);
  process.exit(1);
});
