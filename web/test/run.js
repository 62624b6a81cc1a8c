// The page in headless Chromium or Firefox against the Linux build, both run now:
// start-up transcript, title, frames, focus, dropped keys, playback pace,
// the link, the address, the CSV, the exact raster without WebGL, the layout
// on three screens with its key buttons and its two languages, and the bench.
// Usage: node run.js PAGE.html LINUX_BUILD_DIR
'use strict';
const assert = require('assert');
const {execFileSync} = require('child_process');
const fs = require('fs');
const os = require('os');
const path = require('path');
const {engine, launch, allowDownloads, openPage, waitState} = require('./browser');
const {readPng} = require('./png');
const {layoutChecks} = require('./layout');
const {benchChecks} = require('./bench');

const [pageFile, linuxBuild] = process.argv.slice(2);
const work = fs.mkdtempSync(path.join(os.tmpdir(), 'agvsim-web-test-'));
// The page alone in an empty folder, opened from disk.
const alone = path.join(fs.mkdtempSync(path.join(work, 'page-')), 'agvsim.html');
fs.copyFileSync(pageFile, alone);
const pageUrl = 'file://' + alone;
const repeat = (key, n) => Array(n).fill(key);
const firstKeys = ['3', 'I', ...repeat('s', 12), 'W', 'W', 'x', 'Y', 'z'];
const secondKeys = ['2', 'P', ...repeat('s', 30)];
const startAnswers = '0nn ';
const circleAnswers = ['1', 'y', '0.5 1.0\r', 'y', '-1 3 -30\r', ' '];

function linuxReference() {
  const script = [{answer: startAnswers}, {keys: []}, {frame: 'startup'}, {keys: firstKeys}, {frame: 'first'},
    {keys: ['c']}, {answer: '1y0.5 1.0\ny-1 3 -30\n '}, {keys: secondKeys}, {frame: 'second'}];
  fs.writeFileSync(path.join(work, 'script.json'), JSON.stringify(script));
  execFileSync('/usr/bin/python3', [path.join(__dirname, '../../tests/e2e/linux_reference.py'),
    path.join(linuxBuild, 'agvsim'), path.join(work, 'script.json'), work], {stdio: 'inherit'});
  const reference = JSON.parse(fs.readFileSync(path.join(work, 'reference.json'), 'utf8'));
  reference.frame = (name) => fs.readFileSync(path.join(work, name + '.rgb'));
  return reference;
}

async function canvasPixels(page) {
  const canvas = await page.$('#window');
  const box = await page.evaluate((c) => {
    const r = c.getBoundingClientRect();
    return {x: r.left + c.clientLeft, y: r.top + c.clientTop, width: c.clientWidth, height: c.clientHeight};
  }, canvas);
  return readPng(Buffer.from(await page.screenshot({clip: box, encoding: 'binary'}))).rgb;
}

// A canvas gives only the kind of context it was first asked for.
async function canvasContext(page) {
  return page.evaluate(() => (document.getElementById('window').getContext('webgl') ? 'webgl' : '2d'));
}

function differingPixels(a, b) {
  let differing = 0;
  for (let i = 0; i < a.length; i += 3) {
    if (a[i] !== b[i] || a[i + 1] !== b[i + 1] || a[i + 2] !== b[i + 2]) differing++;
  }
  return differing;
}

async function focused(page) {
  return page.evaluate(() => (document.getElementById('window') === document.activeElement ? 'window' : 'terminal'));
}

// Keys on the canvas, each once the window waits for it, as a person waits for the picture.
async function pressKeys(page, keys) {
  for (const key of keys) {
    await waitState(page, 'window');
    await page.keyboard.press(key);
  }
  await waitState(page, 'window');
}

async function answer(page, answers) {
  for (const text of answers) {
    await waitState(page, 'dialog');
    await page.keyboard.type(text, {delay: 5});
  }
}

const results = [];
async function check(name, body) {
  try {
    await body();
    results.push([name, null]);
    console.log('ok   ' + name);
  } catch (e) {
    results.push([name, e]);
    console.log('FAIL ' + name + '\n     ' + String(e.stack || e).split('\n').slice(0, 6).join('\n     '));
  }
}

// The whole session in one raster: dialog, keys, a dialog from the window, more keys.
async function session(browser, reference, query, compare) {
  const page = await openPage(browser, pageUrl + query);
  await waitState(page, 'dialog');
  assert.strictEqual(await focused(page), 'terminal', 'the waiting dialog has the focus');
  await answer(page, Array.from(startAnswers));
  await waitState(page, 'window');
  assert.strictEqual(await focused(page), 'window', 'the window has the focus after the dialog');
  assert.strictEqual(await page.title(), reference.title);
  compare('startup', await canvasPixels(page));
  await pressKeys(page, firstKeys);
  compare('first', await canvasPixels(page));
  await page.keyboard.press('c');
  await waitState(page, 'dialog');
  assert.strictEqual(await focused(page), 'terminal');
  // A click gives the canvas the focus; its keys are dropped while the dialog waits.
  await page.click('#window');
  await page.keyboard.press('1');
  await page.keyboard.press(' ');
  await page.click('#terminal');
  await answer(page, circleAnswers);
  await waitState(page, 'window');
  assert.deepStrictEqual(await page.evaluate(() => agvsim.view()),
    {mechanism: 3, controlLaw: 2, animIndexP: 0, animIndexPI: 0, playing: false});
  await pressKeys(page, secondKeys);
  compare('second', await canvasPixels(page));
  assert.deepStrictEqual(page.agvErrors, []);
  return page;
}

async function main() {
  const reference = linuxReference();
  const browser = await launch();
  try {
    await check('start-up transcript equals the Linux pipe transcript', async () => {
      const page = await openPage(browser, pageUrl);
      await waitState(page, 'dialog');
      const transcript = await page.evaluate(() => agvsim.transcript());
      assert.strictEqual(transcript, reference.startup.replace(/\r\n/g, '\n'));
      await page.close();
    });
    await check('exact frames equal the Linux window; title, focus, keys dropped in a dialog', async () => {
      const page = await session(browser, reference, '?raster=exact', (name, pixels) =>
        assert.strictEqual(differingPixels(pixels, reference.frame(name)), 0, name + ' frame'));
      await page.close();
    });
    let webgl;
    await check('WebGL frames match the Linux window in 99.5 % of their pixels', async () => {
      webgl = await session(browser, reference, '', (name, pixels) => {
        const differing = differingPixels(pixels, reference.frame(name));
        console.log(`     ${name}: ${differing} pixels differ`);
        assert.ok(differing <= 0.005 * 800 * 800, name + ' frame');
      });
      assert.strictEqual(await canvasContext(webgl), 'webgl');
    });
    await check('the space bar plays in real time', async () => {
      assert.ok(webgl, 'needs the WebGL session');
      await pressKeys(webgl, ['0', ' ']);
      const start = await webgl.evaluate(() => [performance.now(), agvsim.view().animIndexPI]);
      await new Promise((resolve) => setTimeout(resolve, 1500));
      const end = await webgl.evaluate(() => [performance.now(), agvsim.view().animIndexPI]);
      const pace = ((end[1] - start[1]) * 0.02) / ((end[0] - start[0]) / 1000);
      console.log(`     pace ${pace.toFixed(3)} simulated s per s`);
      assert.ok(pace > 0.8 && pace < 1.25, 'pace ' + pace);
      await webgl.close();
    });
    await check('a link answers the dialogs; the address and the CSV follow the settings and the vehicle', async () => {
      await linkAndCsv(browser);
    });
    await layoutChecks(browser, pageUrl, check);
    await benchChecks(browser, check, pageUrl, linuxBuild);
  } finally {
    await browser.close();
  }
  await check('the exact raster is used where WebGL is unavailable', async () => {
    const plain = await launch({webgl: false});
    try {
      const page = await openPage(plain, pageUrl);
      await answer(page, Array.from(startAnswers));
      await waitState(page, 'window');
      assert.strictEqual(differingPixels(await canvasPixels(page), reference.frame('startup')), 0);
      assert.strictEqual(await canvasContext(page), '2d');
    } finally {
      await plain.close();
    }
  });
  fs.rmSync(work, {recursive: true, force: true});
  const failed = results.filter(([, e]) => e).length;
  console.log(`web (${engine}): ${results.length - failed} passed, ${failed} failed`);
  process.exit(failed ? 1 : 0);
}

function exportCsv(args) {
  return execFileSync(path.join(linuxBuild, 'agvsim-export'), args, {maxBuffer: 1 << 28}).toString();
}

// Same rows and columns. The browser's maths library differs from glibc's in the last
// bit of some results, which these settings' runs carry up to about 3e-12: numbers to 1e-11,
// relative, absolute below 1.
function assertSameRuns(actual, expected) {
  const a = actual.split('\n'), e = expected.split('\n');
  assert.strictEqual(a.length, e.length, 'line count');
  for (let i = 0; i < e.length; i++) {
    const x = a[i].split(','), y = e[i].split(',');
    assert.strictEqual(x.length, y.length, 'fields of line ' + (i + 1));
    for (let k = 0; k < y.length; k++) {
      if (x[k] === y[k]) continue;
      const u = Number(x[k]), v = Number(y[k]);
      assert.ok(Math.abs(u - v) <= 1e-11 * Math.max(1, Math.abs(v)), `line ${i + 1}: ${x[k]} against ${y[k]}`);
    }
  }
}

async function downloadCsv(page) {
  const folder = await allowDownloads(page);
  await waitState(page, 'window');
  const file = path.join(folder, 'agvsim-runs.csv');
  fs.rmSync(file, {force: true});  // an earlier download must not answer for this one
  await page.click('#download-csv');
  for (let i = 0; i < 200 && !fs.existsSync(file); i++) await new Promise((resolve) => setTimeout(resolve, 50));
  return fs.readFileSync(file, 'utf8');
}

async function linkAndCsv(browser) {
  const page = await openPage(browser, pageUrl + '#path=circle&fn=0.5&zeta=1&pose=-1,3,-30');
  await page.waitForFunction(() => agvsim.state() === 'busy');
  await waitState(page, 'window', 60000);
  assert.strictEqual(await page.evaluate(() => location.hash), '#path=circle&fn=0.5&zeta=1&pose=-1,3,-30');
  assertSameRuns(await downloadCsv(page), exportCsv(['--path', 'circle', '--fn', '0.5', '--zeta', '1', '--pose',
    '-1', '3', '-30']));
  await page.keyboard.press('h');
  await answer(page, ['0.5 -0.5 135.0\r', ' ']);
  await waitState(page, 'window');
  assert.strictEqual(await page.evaluate(() => location.hash), '#path=circle&fn=0.5&zeta=1&pose=0.5,-0.5,135.0');
  await page.close();
  // A value the dialog refuses leaves the rest of the dialog to the person.
  const refused = await openPage(browser, pageUrl + '#fn=0&pose=1,1,1');
  await refused.waitForFunction(() => agvsim.state() === 'busy');
  await waitState(refused, 'dialog', 60000);
  await new Promise((resolve) => setTimeout(resolve, 500));
  assert.strictEqual(await refused.evaluate(() => agvsim.state()), 'dialog');
  await refused.close();
  await vehicleLink(browser);
}

// The vehicle's values go into the 'd' section after the start-up dialog, the address
// names those off their defaults, and the CSV is agvsim-export's with the same options.
async function vehicleLink(browser) {
  // No run of this setting reaches the steering limit, where the last bits of the
  // browser's sines would grow.
  const page = await openPage(browser, pageUrl + '#fn=0.3&pose=-2,0.2,0&delay=0.1&inputBias=5&noiseD=0.005');
  await page.waitForFunction(() => agvsim.state() === 'busy');
  await waitState(page, 'window', 60000);
  assert.strictEqual(await page.evaluate(() => location.hash),
    '#path=line&fn=0.3&zeta=0.7&pose=-2,0.2,0&inputBias=5&noiseD=0.005&delay=0.1');
  assert.ok((await page.evaluate(() => agvsim.transcript())).includes('むだ時間= 0.100[s]'));
  assertSameRuns(await downloadCsv(page), exportCsv(['--fn', '0.3', '--pose', '-2', '0.2', '0', '--delay', '0.1',
    '--input-bias', '5', '--noise-d', '0.005']));
  await page.close();
  // A refused value stops the typing at its entry: the next entry is not typed into it.
  const refused = await openPage(browser, pageUrl + '#speedFactor=0&delay=0.1');
  await refused.waitForFunction(() => agvsim.state() === 'busy');
  await waitState(refused, 'dialog', 60000);
  await new Promise((resolve) => setTimeout(resolve, 500));
  const transcript = await refused.evaluate(() => agvsim.transcript());
  assert.ok(transcript.endsWith('新 速度倍率 ホイールベース[m]='), transcript.slice(-200));
  await refused.close();
}

main().catch((e) => {
  console.error(e);
  process.exit(1);
});
