// Debian's Chromium, headless, started for the page tests: no network, no GPU.
'use strict';
const fs = require('fs');
const os = require('os');
const path = require('path');
const puppeteer = require('puppeteer-core');

async function launch(extraArgs = []) {
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'agvsim-chromium-'));
  const browser = await puppeteer.launch({
    executablePath: process.env.AGV_CHROMIUM || '/usr/bin/chromium',
    headless: true,
    userDataDir: profile,
    args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
      '--disable-component-update', '--disable-sync', '--enable-unsafe-swiftshader', '--use-angle=swiftshader',
      '--allow-file-access-from-files', ...extraArgs],
  });
  const close = browser.close.bind(browser);
  browser.close = async () => {
    await close();
    fs.rmSync(profile, {recursive: true, force: true});
  };
  return browser;
}

// The page at url, 1700 px wide so the terminal and the window stand side by side.
async function openPage(browser, url) {
  const page = await browser.newPage();
  await page.setViewport({width: 1700, height: 900});
  const errors = [];
  page.on('pageerror', (e) => errors.push(String(e)));
  await page.goto(url);
  await page.waitForFunction(() => window.agvsim !== undefined);
  page.agvErrors = errors;
  return page;
}

async function waitState(page, wanted, timeoutMs = 30000) {
  await page.waitForFunction((w) => window.agvsim.state() === w, {timeout: timeoutMs, polling: 20}, wanted);
}

module.exports = {launch, openPage, waitState};
