// The page's layout on three screens, its key buttons and its two languages.
'use strict';
const assert = require('assert');
const {openPage, waitState} = require('./browser');

// Room the bench's first row needs on the first screen.
const kBenchRow = 48;

// Each element's box on the page (not the screen), null where there is none.
async function boxes(page, selectors) {
  return page.evaluate((list) => list.map((selector) => {
    const element = document.querySelector(selector);
    if (!element) return null;
    const r = element.getBoundingClientRect();
    return {left: r.left + scrollX, top: r.top + scrollY, right: r.right + scrollX, bottom: r.bottom + scrollY};
  }), selectors);
}

async function screen(page) {
  return page.evaluate(() => ({width: document.documentElement.clientWidth, height: innerHeight,
    scrollWidth: document.documentElement.scrollWidth}));
}

function assertNoSidewaysScroll(s) {
  assert.ok(s.scrollWidth <= s.width, `the page is ${s.scrollWidth} px wide on a ${s.width} px screen`);
}

function assertOnFirstScreen(name, box, s) {
  assert.ok(box.left >= 0 && box.top >= 0 && box.right <= s.width && box.bottom <= s.height,
    `${name} at ${JSON.stringify(box)} is not on the ${s.width} x ${s.height} first screen`);
}

async function canvasSize(page) {
  return page.evaluate(() => {
    const c = document.getElementById('window');
    return {clientWidth: c.clientWidth, clientHeight: c.clientHeight, width: c.width, height: c.height};
  });
}

// The terminal's columns and rows fill its box and stay inside it.
async function assertTerminalFits(page) {
  const fit = await page.evaluate(() => {
    const box = document.getElementById('terminal').getBoundingClientRect();
    const drawn = document.querySelector('#terminal .xterm-screen').getBoundingClientRect();
    const term = agvTerminal.term;
    return {spareWidth: box.right - drawn.right, cellWidth: drawn.width / term.cols,
      spareHeight: box.bottom - drawn.bottom, cellHeight: drawn.height / term.rows};
  });
  // A scroll bar is at most 20 px wide.
  assert.ok(fit.spareWidth >= 0 && fit.spareWidth < 2 * fit.cellWidth + 20, 'columns ' + JSON.stringify(fit));
  assert.ok(fit.spareHeight >= 0 && fit.spareHeight < 2 * fit.cellHeight, 'rows ' + JSON.stringify(fit));
}

async function answer(page, text) {
  await waitState(page, 'dialog');
  await page.keyboard.type(text, {delay: 5});
}

async function pressButton(page, key) {
  await page.click(`#keys button[data-key="${key}"]`);
}

async function focused(page) {
  return page.evaluate(() => (document.activeElement === document.getElementById('window') ? 'window' :
    document.activeElement === agvTerminal.term.textarea ? 'terminal' : document.activeElement.tagName));
}

async function wide(browser, pageUrl) {
  const page = await openPage(browser, pageUrl);
  await waitState(page, 'dialog');
  const s = await screen(page);
  assertNoSidewaysScroll(s);
  assert.deepStrictEqual(await canvasSize(page), {clientWidth: 800, clientHeight: 800, width: 800, height: 800});
  const [heading, terminal, canvas, bench] = await boxes(page, ['#heading', '#terminal', '#window', '#bench']);
  for (const [name, box] of [['the heading', heading], ['the terminal', terminal], ['the window', canvas]]) {
    assertOnFirstScreen(name, box, s);
  }
  assert.ok(heading.bottom <= terminal.top && heading.bottom <= canvas.top && heading.bottom <= bench.top,
    'the heading is above');
  assert.ok(terminal.right <= canvas.left && canvas.right <= bench.left, 'terminal, window, bench from the left');
  assert.ok(bench.right - bench.left >= 440 && bench.right <= s.width, 'the bench has room on the right');
  await assertTerminalFits(page);
  await page.close();
}

async function medium(browser, pageUrl) {
  const page = await openPage(browser, pageUrl, {width: 1280, height: 800});
  await waitState(page, 'dialog');
  const s = await screen(page);
  assertNoSidewaysScroll(s);
  const size = await canvasSize(page);
  assert.ok(size.clientWidth < 800 && size.clientWidth === size.clientHeight, 'the window is scaled down');
  assert.deepStrictEqual([size.width, size.height], [800, 800], 'the drawing stays 800 x 800');
  const [terminal, canvas, bench, fn, zeta] = await boxes(page, ['#terminal', '#window', '#bench', '#bench-fn',
    '#bench-zeta']);
  assertOnFirstScreen('the terminal', terminal, s);
  assertOnFirstScreen('the window', canvas, s);
  assertOnFirstScreen("the bench's first row", {...bench, bottom: bench.top + kBenchRow}, s);
  // The bench fills its controls in from script, where the page has one.
  if (fn) assertOnFirstScreen('fn on the bench', fn, s);
  if (zeta) assertOnFirstScreen('ζ on the bench', zeta, s);
  await assertTerminalFits(page);
  await page.close();
}

// A phone: one column, the window as wide as the screen with its keys as buttons under it.
async function phone(browser, pageUrl) {
  const page = await openPage(browser, pageUrl, {width: 390, height: 844});
  await waitState(page, 'dialog');
  assertNoSidewaysScroll(await screen(page));
  const size = await canvasSize(page);
  assert.ok(size.clientWidth <= 390 && size.clientWidth === size.clientHeight, 'the window fits the width');
  assert.deepStrictEqual([size.width, size.height], [800, 800], 'the drawing stays 800 x 800');
  const [canvas, keys, terminal] = await boxes(page, ['#window', '#keys', '#terminal']);
  assert.ok(keys.top >= canvas.bottom && keys.top - canvas.bottom < 20 && terminal.top >= keys.bottom,
    'the keys right under the window, the terminal below them');
  await assertTerminalFits(page);

  // A person scrolls down to the dialog; the window comes back into view when it ends, and
  // the space bar that ends it does not scroll it away again, smoothly either.
  await page.evaluate(() => document.getElementById('terminal').scrollIntoView());
  await answer(page, '0nn ');
  await waitState(page, 'window');
  await new Promise((resolve) => setTimeout(resolve, 600));
  const s = await screen(page);
  assertNoSidewaysScroll(s);
  const scrollY = await page.evaluate(() => scrollY);
  const [shown, shownKeys] = await boxes(page, ['#window', '#keys']);
  for (const [name, box] of [['the window', shown], ['its keys', shownKeys]]) {
    assertOnFirstScreen(name + ' after the dialog', {...box, top: box.top - scrollY, bottom: box.bottom - scrollY}, s);
  }

  await pressButton(page, '2');
  await waitState(page, 'window');
  assert.strictEqual((await page.evaluate(() => agvsim.view())).mechanism, 2);
  assert.strictEqual(await focused(page), 'window', 'the window keeps the keys');
  await pressButton(page, 'c');
  await waitState(page, 'dialog');
  assert.strictEqual(await focused(page), 'terminal', 'the dialog a button opens takes the keys');
  // Dropped while the dialog waits, as a typed key is, and not typed into the dialog.
  const before = await page.evaluate(() => agvsim.transcript());
  await pressButton(page, '3');
  assert.strictEqual(await page.evaluate(() => agvsim.transcript()), before);
  assert.strictEqual(await focused(page), 'terminal', 'the dialog keeps the keys');
  await answer(page, '0nn ');
  await waitState(page, 'window');
  assert.strictEqual((await page.evaluate(() => agvsim.view())).mechanism, 2);
  await pressButton(page, ' ');
  await page.waitForFunction(() => agvsim.view().playing, {timeout: 5000});
  assert.deepStrictEqual(page.agvErrors, []);
  await page.close();
}

async function headingText(page) {
  return page.evaluate(() => [document.documentElement.lang, document.querySelector('#heading p').textContent,
    document.getElementById('language').textContent, document.querySelector('#keys [data-key=" "]').textContent]);
}

async function languages(browser, pageUrl) {
  const page = await openPage(browser, pageUrl);
  await waitState(page, 'dialog');
  const english = await headingText(page);
  assert.strictEqual(english[0], 'en');
  assert.match(english[1], /^Answer the dialog in the terminal/);
  assert.deepStrictEqual(english.slice(2), ['日本語', 'space']);
  await page.click('#language');
  const japanese = await headingText(page);
  assert.strictEqual(japanese[0], 'ja');
  assert.match(japanese[1], /^文字画面の問いに答えたら/);
  assert.deepStrictEqual(japanese.slice(2), ['English', 'スペース']);
  assert.strictEqual(await focused(page), 'terminal', 'the switch keeps no focus');
  await page.click('#language');
  assert.deepStrictEqual(await headingText(page), english);
  await page.close();

  const preferringJapanese = await openPage(browser, pageUrl, {beforeLoad: (p) => p.evaluateOnNewDocument(() => {
    Object.defineProperty(Navigator.prototype, 'languages', {get: () => ['ja-JP', 'en-US']});
    Object.defineProperty(Navigator.prototype, 'language', {get: () => 'ja-JP'});
  })});
  assert.deepStrictEqual(await headingText(preferringJapanese), japanese);
  await preferringJapanese.close();
}

async function layoutChecks(browser, pageUrl, check) {
  await check('a wide screen shows the window one to one between the terminal and the bench', () =>
    wide(browser, pageUrl));
  await check('at 1280 x 800 the terminal, the scaled window and the bench are on the first screen', () =>
    medium(browser, pageUrl));
  await check("on a phone nothing scrolls sideways and the key buttons are the window's keys", () =>
    phone(browser, pageUrl));
  await check('the heading is in the browser\'s language, English or Japanese, with a switch', () =>
    languages(browser, pageUrl));
}

module.exports = {layoutChecks};
