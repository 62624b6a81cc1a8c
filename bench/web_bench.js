// The page in headless Chromium beside the desktop build, measured in one run:
// the frame time of the start-up frame and of the longest run's last frame
// (1FDW1FS under PI) for the exact and the WebGL rasteriser against the window
// on Mesa's llvmpipe under Xvfb; the six runs' simulation time in WebAssembly
// against the native build; the playback pace of the longest run; the file's size;
// and the bench: how soon the picture follows a change (median of 20), the
// longest task on the page's thread while a slider is dragged, and the settle
// map's time beside agvsim-sweep's for the same grid, mechanism and law.
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

// Milliseconds from each of 20 changes of fn to its runs drawn, the median.
async function benchLatency(tab) {
  const times = await tab.evaluate(async () => {
    const field = document.getElementById('bench-fn');
    const out = [];
    for (let i = 0; i < 20; i++) {
      const start = performance.now();
      field.value = String(0.5 + 0.01 * i);
      field.dispatchEvent(new Event('input'));
      while (agvsim.state() !== 'window') await new Promise((resolve) => setTimeout(resolve, 1));
      out.push(performance.now() - start);
      await new Promise((resolve) => setTimeout(resolve, 100));
    }
    return out;
  });
  return times.sort((a, b) => a - b)[10];
}

// fn's slider dragged for 3 s, one step per frame; the longest task the page's
// thread ran meanwhile (the browser reports those of 50 ms and more).
async function longestTaskWhileDragging(tab) {
  return tab.evaluate(async () => {
    let longest = 0;
    const observer = new PerformanceObserver((list) => {
      for (const entry of list.getEntries()) longest = Math.max(longest, entry.duration);
    });
    observer.observe({entryTypes: ['longtask']});
    const slider = document.getElementById('bench-fn-slider');
    const start = performance.now();
    for (let frame = 0; performance.now() - start < 3000; frame++) {
      slider.value = String(300 + (frame % 200));
      slider.dispatchEvent(new Event('input'));
      await new Promise((resolve) => requestAnimationFrame(resolve));
    }
    while (agvsim.state() !== 'window') await new Promise((resolve) => setTimeout(resolve, 5));
    await new Promise((resolve) => setTimeout(resolve, 100));
    observer.disconnect();
    return longest;
  });
}

// The whole map, from a change of the pose that starts it again, against the sweep.
async function mapTimes(tab, keys, mech, law) {
  await tab.focus('#window');
  for (const key of keys) {
    await waitState(tab, 'window');
    await tab.keyboard.press(key);
  }
  await waitState(tab, 'window');
  const page = await tab.evaluate(async () => {
    const field = document.getElementById('bench-y');
    field.value = field.value === '1' ? '0.9' : '1';
    const start = performance.now();
    field.dispatchEvent(new Event('input'));
    while (!(agvsim.state() === 'window' && agvsim.map().done)) {
      await new Promise((resolve) => setTimeout(resolve, 5));
    }
    return {ms: performance.now() - start, y: field.value};
  });
  const cores = require('os').cpus().length;
  const start = Date.now();
  execFileSync(path.join(nativeBuild, 'agvsim-sweep'), ['--fn', '0.1:2:0.1', '--zeta', '0.1:2:0.1', '--mech', mech,
    '--law', law, '--pose', '-2', page.y, '0', '-j', String(cores)], {maxBuffer: 1 << 24});
  return {page: page.ms, sweep: Date.now() - start, cores};
}

async function benchFigures(browser) {
  const tab = await openPage(browser, 'file://' + path.resolve(page));
  await waitState(tab, 'dialog');
  await tab.keyboard.type('0nn ');
  await waitState(tab, 'window');
  await tab.waitForFunction(() => agvsim.map().done, {timeout: 120000});
  const figures = {latency: await benchLatency(tab), longest: await longestTaskWhileDragging(tab)};
  figures.map = await mapTimes(tab, [], '2DW1C', 'P');
  figures.longestMap = await mapTimes(tab, ['2', 'I'], '1FDW1FS', 'PI');
  await tab.close();
  return figures;
}

async function main() {
  const native = nativeFigures();
  const browser = await launch();
  let exact, webgl, bench;
  try {
    exact = await browserFigures(browser, '?raster=exact', true);
    webgl = await browserFigures(browser, '', false);
    bench = await benchFigures(browser);
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
  console.log(`bench: a change drawn after ${bench.latency.toFixed(0)} ms (median of 20); longest task on the ` +
    `page's thread while dragging ${bench.longest ? bench.longest.toFixed(0) + ' ms' : 'under 50 ms'}`);
  for (const [name, m] of [['2DW1C P', bench.map], ['1FDW1FS PI', bench.longestMap]]) {
    console.log(`settle map of ${name}: ${(m.page / 1000).toFixed(2)} s on the page, ${(m.sweep / 1000).toFixed(2)} s ` +
      `for agvsim-sweep -j ${m.cores} (${(m.page / m.sweep).toFixed(2)} x)`);
  }
  const bytes = fs.readFileSync(page);
  console.log(`${page}: ${bytes.length} bytes, ${zlib.gzipSync(bytes, {level: 9}).length} gzipped`);
}

main().catch((e) => {
  console.error(e);
  process.exit(1);
});
