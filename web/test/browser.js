// The browser the page tests drive: Debian's Chromium, headless, or with
// AGV_BROWSER=firefox Debian's Firefox ESR, which has WebGL only with a display
// (tools/web.sh gives it a private Xvfb). No network, no GPU.
'use strict';
const fs = require('fs');
const os = require('os');
const path = require('path');
const puppeteer = require('puppeteer-core');

const engine = process.env.AGV_BROWSER || 'chromium';

function chromiumOptions(webgl) {
  return {
    headless: true,
    executablePath: process.env.AGV_CHROMIUM || '/usr/bin/chromium',
    args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
      '--disable-component-update', '--disable-sync', '--enable-unsafe-swiftshader', '--use-angle=swiftshader',
      '--allow-file-access-from-files', ...(webgl ? [] : ['--disable-3d-apis'])],
  };
}

// Downloads go to the folder without a question; Firefox takes it as a preference.
function firefoxOptions(webgl, downloads) {
  return {
    browser: 'firefox',
    executablePath: process.env.AGV_FIREFOX || '/usr/bin/firefox-esr',
    headless: !process.env.DISPLAY,
    extraPrefsFirefox: {
      'webgl.disabled': !webgl,
      'browser.download.folderList': 2,
      'browser.download.dir': downloads,
      'browser.download.useDownloadDir': true,
      'browser.download.always_ask_before_handling_new_types': false,
      'browser.download.start_downloads_in_tmp_dir': false,
    },
  };
}

async function launch({webgl = true} = {}) {
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'agvsim-browser-'));
  const downloads = path.join(profile, 'downloads');
  fs.mkdirSync(downloads);
  const options = engine === 'firefox' ? firefoxOptions(webgl, downloads) : chromiumOptions(webgl);
  const browser = await puppeteer.launch({userDataDir: path.join(profile, 'user'), ...options});
  browser.agvDownloads = downloads;
  const close = browser.close.bind(browser);
  browser.close = async () => {
    await close();
    fs.rmSync(profile, {recursive: true, force: true});
  };
  return browser;
}

// The folder a click on a download lands in.
async function allowDownloads(page) {
  const folder = page.browser().agvDownloads;
  if (engine !== 'firefox') {
    const session = await page.createCDPSession();
    await session.send('Browser.setDownloadBehavior', {behavior: 'allow', downloadPath: folder});
  }
  return folder;
}

// The page at url, on a screen wide enough for the window's drawing one to one beside
// the terminal and the bench unless given another size; beforeLoad(page) runs before it loads.
async function openPage(browser, url, {width = 1800, height = 1000, beforeLoad} = {}) {
  const page = await browser.newPage();
  await page.setViewport({width, height});
  if (beforeLoad) await beforeLoad(page);
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

module.exports = {engine, launch, allowDownloads, openPage, waitState};
