// The bench's checks, one per behaviour, against the Linux build's tools: a
// slider's figures, a refused value, the pin, the poles, a map cell and a click,
// a goal link.
'use strict';
const assert = require('assert');
const {execFileSync} = require('child_process');
const path = require('path');
const {openPage, waitState} = require('./browser');

// The window waits and the bench has the runs of the settings in force.
async function settled(page) {
  await waitState(page, 'window', 60000);
  await page.waitForFunction(() => agvsim.figures().length === 6 && agvsim.state() === 'window', {polling: 20});
}

// The start-up dialog answered by the person, or by the page for a link's settings.
async function startPage(browser, url) {
  const page = await openPage(browser, url);
  if (!url.includes('#')) {
    await waitState(page, 'dialog');
    await page.keyboard.type('0nn ', {delay: 5});
  } else {
    await page.waitForFunction(() => agvsim.state() === 'busy');
  }
  await settled(page);
  return page;
}

// A control's new text, as a person's typing or dragging gives it.
async function setControl(page, id, value) {
  await page.evaluate((i, v) => {
    const control = document.getElementById(i);
    control.value = v;
    control.dispatchEvent(new Event('input'));
  }, id, value);
}

function tool(linuxBuild, name, args) {
  return execFileSync(path.join(linuxBuild, name), args, {maxBuffer: 1 << 26}).toString();
}

function metricRows(csv) {
  const [header, ...lines] = csv.trim().split('\n');
  const names = header.split(',');
  return lines.map((line) => Object.fromEntries(line.split(',').map((cell, i) =>
    [names[i], i < names.indexOf('law') + 1 ? cell : cell === '' ? null : Number(cell)])));
}

// Settle times are whole samples and must agree; the rest to the browser's last bits.
function assertSameFigures(actual, expected) {
  assert.strictEqual(actual.length, expected.length);
  actual.forEach((row, r) => {
    for (const [name, want] of Object.entries(expected[r])) {
      const got = row[name];
      if (want === null || typeof want === 'string' || name.includes('ettle')) {
        assert.strictEqual(got, want, `${row.mech} ${row.law} ${name}`);
      } else {
        assert.ok(Math.abs(got - want) <= 1e-9 * Math.max(1, Math.abs(want)), `${row.mech} ${row.law} ${name}: ` +
          `${got} against ${want}`);
      }
    }
  });
}

async function sliderFigures(browser, pageUrl, linuxBuild) {
  const page = await startPage(browser, pageUrl);
  await setControl(page, 'bench-fn-slider', '300');  // 0.05 · 40^0.3
  const text = await page.evaluate(() => document.getElementById('bench-fn').value);
  assert.strictEqual(text, '0.151');
  await page.waitForFunction(() => agvsim.state() === 'busy', {polling: 5}).catch(() => {});
  await settled(page);
  assert.strictEqual((await page.evaluate(() => agvsim.settings())).fn, 0.151);
  assertSameFigures(await page.evaluate(() => agvsim.figures()),
    metricRows(tool(linuxBuild, 'agvsim-export', ['--fn', '0.151', '--metrics'])));
  assert.ok((await page.evaluate(() => location.hash)).startsWith('#path=line&fn=0.151&zeta=0.7'));
  assert.ok((await page.evaluate(() => agvsim.transcript())).endsWith('fn = 0.151'));
  // A refused value says why beside its control and changes nothing.
  for (const [id, text, reason] of [['bench-zeta', '0', 'ζ'], ['bench-delay', '2', '1 s'],
    ['bench-fn', 'abc', 'number']]) {
    await setControl(page, id, text);
    await page.waitForFunction((i) => document.getElementById(i + '-reason').textContent !== '', {}, id);
    await settled(page);
    assert.ok((await page.evaluate((i) => document.getElementById(i + '-reason').textContent, id)).includes(reason));
  }
  const settings = await page.evaluate(() => agvsim.settings());
  assert.deepStrictEqual([settings.fn, settings.zeta, settings.delay], [0.151, 0.7, 0]);
  assert.strictEqual(await page.evaluate(() => document.getElementById('bench-zeta').value), '0');
  assert.deepStrictEqual(page.agvErrors, []);
  await page.close();
}

async function pinAndPoles(browser, pageUrl) {
  const page = await startPage(browser, pageUrl);
  await page.click('#bench-pin');
  const pinned = await page.evaluate(() => agvsim.pinned());
  assert.strictEqual(pinned.fn, 1);
  await setControl(page, 'bench-speedFactor', '1.2');
  await settled(page);
  assert.deepStrictEqual(await page.evaluate(() => agvsim.pinned()), pinned, 'the pin keeps its runs');
  assert.strictEqual(await page.evaluate(() => document.querySelectorAll('#bench-figures tr.pinned').length), 6);
  // 1RDW1FS under PI: s^4 + kPhi s^3 + ((V/L) kTheta + kI kPhi) s^2 + ((V^2/L) kD + kI (V/L) kTheta) s + kI (V^2/L) kD.
  await page.focus('#window');
  await page.keyboard.press('3');
  await waitState(page, 'window');
  await page.keyboard.press('I');
  await waitState(page, 'window');
  const poles = await page.evaluate(() => agvsim.poles());
  const w = 2 * 3.14159265358979, zeta = 0.7;
  const g = {kPhi: 4 * zeta * w, kTheta: 4 * zeta * zeta * w * w, kD: 2 * zeta * w ** 3, kI: w / (2 * zeta)};
  const polynomial = (v, l) => [1, g.kPhi, v / l * g.kTheta + g.kI * g.kPhi, v * v / l * g.kD + g.kI * v / l * g.kTheta,
    g.kI * v * v / l * g.kD];
  for (const [roots, coefficients] of [[poles.design, polynomial(1, 1)], [poles.vehicle, polynomial(1.2, 1)]]) {
    assert.strictEqual(roots.length, 4);
    for (const [re, im] of roots) {
      let pr = 0, pi = 0;
      for (const c of coefficients) [pr, pi] = [pr * re - pi * im + c, pr * im + pi * re];
      assert.ok(Math.hypot(pr, pi) < 1e-6 * coefficients[4], `p(${re}+${im}j) = ${Math.hypot(pr, pi)}`);
    }
  }
  assert.ok(Math.abs(poles.vehicle[0][0] - poles.design[0][0]) > 0.01, 'the vehicle moved its poles');
  await page.click('#bench-pin');
  assert.strictEqual(await page.evaluate(() => agvsim.pinned()), null);
  // While a dialog waits the bench does; after it, the bench shows the dialog's values.
  await page.focus('#window');
  await page.keyboard.press('f');
  await waitState(page, 'dialog');
  assert.ok(await page.evaluate(() => document.getElementById('bench-fn').disabled));
  await page.keyboard.type('0.8 0.7\rn ', {delay: 5});
  await settled(page);
  assert.deepStrictEqual(await page.evaluate(() => [document.getElementById('bench-fn').disabled,
    document.getElementById('bench-fn').value, document.getElementById('bench-speedFactor').value]),
  [false, '0.8', '1.2']);
  await page.close();
}

async function mapCellAndClick(browser, pageUrl, linuxBuild) {
  const page = await startPage(browser, pageUrl + '#path=circle&drift=0.02');
  await page.waitForFunction(() => agvsim.map().done, {timeout: 120000, polling: 100});
  const map = await page.evaluate(() => agvsim.map());
  // At fn 0.5 the circle's standing offset keeps every cell from settling; at 1 Hz they settle.
  const rows = metricRows(tool(linuxBuild, 'agvsim-sweep', ['--path', 'circle', '--drift', '0.02', '--fn', '0.5,1',
    '--zeta', '0.1:2:0.1', '--mech', '2DW1C', '--law', 'P', '-j', '1']));
  rows.forEach((row, k) => {
    const i = map.fn.indexOf(Number(row.fn)), j = k % 20;
    assert.strictEqual(map.settle[i][j], row.settle, `fn ${map.fn[i]} zeta ${map.zeta[j]}`);
  });
  assert.ok(rows.some((row) => row.settle !== null) && rows.some((row) => row.settle === null));
  await page.click('rect[data-fn="0.3"][data-zeta="1"]');
  await settled(page);
  const settings = await page.evaluate(() => agvsim.settings());
  assert.deepStrictEqual([settings.fn, settings.zeta, settings.drift], [0.3, 1, 0.02]);
  await page.close();
}

async function goalLink(browser, pageUrl) {
  const goal = '2DW1C.P.settle<3,1RDW1FS.PI.atLimit>0.5,2DW1C.PI.finalD<0.001,2DW1C.X.settle<1';
  const page = await startPage(browser, `${pageUrl}#fn=0.5&goal=${goal}`);
  const goals = await page.evaluate(() => agvsim.goals());
  const figures = await page.evaluate(() => agvsim.figures());
  assert.deepStrictEqual(goals.map((g) => g.text), goal.split(','));
  assert.strictEqual(goals[0].value, figures[0].settle);
  assert.strictEqual(goals[0].met, figures[0].settle < 3);
  assert.strictEqual(goals[1].met, figures[5].atLimit > 0.5);
  assert.strictEqual(goals[2].value, Math.abs(figures[1].finalD));
  assert.deepStrictEqual([goals[3].value, goals[3].met], [null, false], 'an unreadable condition stays listed');
  await setControl(page, 'bench-zeta', '1');
  await settled(page);
  assert.ok(decodeURIComponent(await page.evaluate(() => location.hash)).endsWith(`&goal=${goal}`),
    'the address keeps the goal');
  assert.notDeepStrictEqual(await page.evaluate(() => agvsim.goals()), goals, 'the goals follow the runs');
  await page.close();
}

async function benchChecks(browser, check, pageUrl, linuxBuild) {
  await check('bench: a slider gives agvsim-export\'s figures; refused values change nothing', () =>
    sliderFigures(browser, pageUrl, linuxBuild));
  await check('bench: the pin keeps its runs; the poles are the polynomial\'s roots; a dialog holds the bench', () =>
    pinAndPoles(browser, pageUrl));
  await check('bench: a map cell equals agvsim-sweep\'s; a click sets fn and zeta', () =>
    mapCellAndClick(browser, pageUrl, linuxBuild));
  await check('bench: a goal link lists each condition, live, and stays in the address', () =>
    goalLink(browser, pageUrl));
}

module.exports = {benchChecks};
