// The page in headless Chromium beside the desktop build, measured in one run:
// the frame time of the start-up frame and of the longest run's last frame
// (1FDW1FS under PI) for the exact and the WebGL rasteriser against the window
// on Mesa's llvmpipe under Xvfb; the six runs' simulation time in WebAssembly
// against the native build; the playback pace of the longest run; the file's size.
// Usage: node web_bench.js BENCH_PAGE.html PAGE.html NATIVE_BUILD_DIR
'use strict';
const {execFileSync} = require('child_process');
const fs = require('fs');
const path = require('path');
const zlib = require('zlib');
const {launch, openPage, waitState} = require('../web/test/browser');

const [benchPage, page, nativeBuild] = process.argv.slice(2);
const kSampleSeconds = 0.02;
const kMeasureSeconds = 3;

function googleBenchmark(command, args) {
  const out = execFileSync(command, [...args, '--benchmark_format=json'], {maxBuffer: 1 << 24}).toString();
  const benchmarks = JSON.parse(out.slice(out.indexOf('{'))).benchmarks;
  // Names carry their options after a slash: startUpFrame/min_time:2.000.
  return (name) => benchmarks.find((b) => b.name === name || b.name.startsWith(name + '/'));
}

function nativeFigures() {
  const frames = googleBenchmark(path.join(__dirname, 'run_frame_bench.sh'), [nativeBuild]);
  const simulation = googleBenchmark(path.join(nativeBuild, 'bench', 'bench_simulation'), []);
  const ms = (b) => (b.real_time * {ns: 1e-6, us: 1e-3, ms: 1, s: 1e3}[b.time_unit]);
  return {startup: ms(frames('startUpFrame')), last: ms(frames('longestRunLastFrame')),
    pace: frames('playLongestRun').sim_s_per_wall_s, line: ms(simulation('simulation/line')),
    circle: ms(simulation('simulation/circle'))};
}

// Mean time of a call repeated for some seconds, in the page, after one call unmeasured.
// A WebGL frame counts once its pixels can be read, as glFinish waits on the desktop.
async function meanMilliseconds(tab, call, args) {
  return tab.evaluate((call, args, seconds) => {
    const gl = document.getElementById('window').getContext('webgl');
    const pixel = new Uint8Array(4);
    const once = () => {
      Module.ccall(call, null, args.map(() => 'number'), args);
      if (gl) gl.readPixels(0, 0, 1, 1, gl.RGBA, gl.UNSIGNED_BYTE, pixel);
    };
    once();
    let n = 0;
    const start = performance.now();
    while (performance.now() - start < seconds * 1000) {
      once();
      ++n;
    }
    return (performance.now() - start) / n;
  }, call, args, kMeasureSeconds);
}

// The longest run played with the space bar from its start to its end.
async function pace(tab) {
  await tab.evaluate(() => Module.ccall('agvBenchShowLongestRun', 'number', ['number'], [0]));
  await tab.focus('#window');
  const start = Date.now();
  await tab.keyboard.press(' ');
  await tab.waitForFunction(() => !agvsim.view().playing, {timeout: 180000, polling: 20});
  const wall = (Date.now() - start) / 1000;
  return (await tab.evaluate(() => agvsim.view().animIndexPI)) * kSampleSeconds / wall;
}

async function browserFigures(browser, query, withSimulation) {
  const tab = await openPage(browser, 'file://' + path.resolve(benchPage) + query);
  for (const key of '0nn ') {
    await waitState(tab, 'dialog');
    await tab.keyboard.type(key);
  }
  await waitState(tab, 'window');
  const figures = {startup: await meanMilliseconds(tab, 'agvGlutDisplay', [])};
  await tab.evaluate(() => Module.ccall('agvBenchShowLongestRun', 'number', ['number'], [1]));
  figures.last = await meanMilliseconds(tab, 'agvGlutDisplay', []);
  if (withSimulation) {
    figures.line = await meanMilliseconds(tab, 'agvBenchSimulate', [0]);
    figures.circle = await meanMilliseconds(tab, 'agvBenchSimulate', [1]);
    await tab.evaluate(() => Module.ccall('agvBenchSimulate', null, ['number'], [0]));
  }
  figures.pace = await pace(tab);
  await tab.close();
  return figures;
}

async function main() {
  const native = nativeFigures();
  const browser = await launch();
  let exact, webgl;
  try {
    exact = await browserFigures(browser, '?raster=exact', true);
    webgl = await browserFigures(browser, '', false);
  } finally {
    await browser.close();
  }
  const f = (v, digits = 1) => v.toFixed(digits).padStart(10);
  console.log('                                desktop  exact raster  WebGL raster');
  console.log(`start-up frame [ms]          ${f(native.startup)}${f(exact.startup)}    ${f(webgl.startup)}`);
  console.log(`longest run's last frame [ms]${f(native.last)}${f(exact.last)}    ${f(webgl.last)}`);
  console.log(`playback pace [sim s/s]      ${f(native.pace, 3)}${f(exact.pace, 3)}    ${f(webgl.pace, 3)}`);
  console.log('                                 native   WebAssembly');
  console.log(`six runs on the line [ms]    ${f(native.line)}${f(exact.line)}`);
  console.log(`six runs on the circle [ms]  ${f(native.circle)}${f(exact.circle)}`);
  const bytes = fs.readFileSync(page);
  console.log(`${page}: ${bytes.length} bytes, ${zlib.gzipSync(bytes, {level: 9}).length} gzipped`);
}

main().catch((e) => {
  console.error(e);
  process.exit(1);
});
