// The README's picture of the bench: the page at 1800 x 1000 with a goal link,
// 1RDW1FS under PI shown, the runs of fn 0.35 Hz pinned, then fn raised to 0.5 Hz.
// Usage: node make_bench_screenshot.js PAGE.html OUT.png
'use strict';
const path = require('path');
const {launch, openPage, waitState} = require('./browser');

async function settled(page) {
  await waitState(page, 'window', 60000);
  await page.waitForFunction(() => agvsim.figures().length === 6 && agvsim.state() === 'window' && agvsim.map().done,
    {timeout: 120000, polling: 50});
}

async function main() {
  const [pageFile, out] = process.argv.slice(2);
  const browser = await launch();
  try {
    const goal = '1RDW1FS.PI.settle<3,1RDW1FS.PI.atLimit<0.5';
    const page = await openPage(browser, `file://${path.resolve(pageFile)}#fn=0.35&pose=-2,0.2,0&goal=${goal}`);
    await page.waitForFunction(() => agvsim.state() === 'busy');
    await settled(page);
    await page.focus('#window');
    await page.keyboard.press('3');
    await waitState(page, 'window');
    await page.keyboard.press('I');
    await settled(page);
    await page.click('#bench-pin');
    for (const [id, value] of [['bench-fn', '0.5']]) {
      await page.evaluate((i, v) => {
        const field = document.getElementById(i);
        field.value = v;
        field.dispatchEvent(new Event('input'));
      }, id, value);
      await settled(page);
    }
    const bench = await page.$('#bench');
    await bench.screenshot({path: out});
  } finally {
    await browser.close();
  }
}

main().catch((e) => {
  console.error(e);
  process.exit(1);
});
