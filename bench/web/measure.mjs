// The browser build's figures, in headless Chromium on this machine: what a phone downloads,
// raw and gzip; navigation to the start screen, the start tap to the first frame drawn, and
// navigation to the first frame with the tap as soon as it is offered; and frame times at
// 390 x 844 points with a turning view, at device pixel ratios 3 and 1. SwiftShader draws
// WebGL on the CPU here, so the frame interval is mostly its rasterising: the game's own work
// per frame is given beside it. Then a phone's start (bench/web/phone.mjs): what is requested
// before "Jugar" is enabled, cold starts with the CPU throttled, on this link and on slow 4G,
// beside a bare WebGL page, their long tasks, and the second visit.
//   node bench/web/measure.mjs [runs] [phone runs]    (after scripts/web.sh; uses tests/web's puppeteer)
import { readdirSync, readFileSync } from 'node:fs';
import { gzipSync } from 'node:zlib';
import { join } from 'node:path';
import { launchBrowser, openPage, play, servePage, settle } from '../../tests/web/support/page.mjs';
import { bareStart, barePage, coldStart, cpuSlowdown, packedSizes, secondVisit, slow4g } from './phone.mjs';

const runs = Number(process.argv[2] ?? 5);
const phoneRuns = Number(process.argv[3] ?? 5);
const folder = new URL('../../build/web/', import.meta.url).pathname;
const percentile = (values, p) => {
  const sorted = [...values].sort((a, b) => a - b);
  return sorted[Math.min(sorted.length - 1, Math.round(p * (sorted.length - 1)))];
};
const median = (values) => percentile(values, 0.5);
const kb = (bytes) => `${(bytes / 1024).toFixed(1)} kB`;

function sizes() {
  let [raw, packed] = [0, 0];
  console.log('what a phone downloads (raw, gzip -9):');
  // The .br and .gz files are the same files, for browsers that take them.
  for (const name of readdirSync(folder).filter((file) => !/\.(br|gz)$/.test(file)).sort()) {
    const bytes = readFileSync(join(folder, name));
    const zipped = gzipSync(bytes, { level: 9 }).length;
    [raw, packed] = [raw + bytes.length, packed + zipped];
    console.log(`  ${name.padEnd(22)} ${kb(bytes.length).padStart(10)} ${kb(zipped).padStart(10)}`);
  }
  console.log(`  ${'total'.padEnd(22)} ${kb(raw).padStart(10)} ${kb(packed).padStart(10)}`);
}

// The start button is pressed the moment it is offered, from within the page: what the page
// itself takes, without the driver's own delay in clicking.
function tapAtOnce() {
  new MutationObserver((changes, observer) => {
    const play = document.getElementById('play');
    if (play && !play.disabled) {
      observer.disconnect();
      play.click();
    }
  }).observe(document, { subtree: true, attributes: true, childList: true });
}

async function start(server) {
  const figures = { painted: [], offered: [], tapToFrame: [], toFrame: [] };
  for (let run = 0; run < runs; ++run) {
    const browser = await launchBrowser();
    try {
      const page = await openPage(browser, server.url, { dpr: 3, beforeLoad: tapAtOnce });
      await page.page.waitForFunction(() => window.rovuzu.firstFrameAt !== null, { timeout: 60000 });
      const times = await page.page.evaluate(() => ({ offered: window.rovuzu.readyAt,
        tapped: window.rovuzu.tappedAt, frame: window.rovuzu.firstFrameAt,
        painted: performance.getEntriesByName('first-contentful-paint')[0].startTime }));
      figures.painted.push(times.painted);
      figures.offered.push(times.offered);
      figures.tapToFrame.push(times.frame - times.tapped);
      figures.toFrame.push(times.frame);
    } finally {
      await browser.close();
    }
  }
  const line = (name, values) => console.log(`  ${name}: median ${median(values).toFixed(0)} ms, best ${Math.min(...values).toFixed(0)} ms`);
  console.log(`start, ${runs} cold runs, dpr 3:`);
  line('navigation to the start screen drawn', figures.painted);
  line('navigation to the start button offered', figures.offered);
  line('start tap to the first frame of the round', figures.tapToFrame);
  line('navigation to the first frame of the round, tapped at once', figures.toFrame);
}

async function frames(server, dpr) {
  const browser = await launchBrowser();
  try {
    const page = await openPage(browser, server.url, { dpr });
    await play(page.page);
    await settle(page.page, 30);
    await page.page.keyboard.down('ArrowLeft');  // turns at 90 degrees a second
    const intervals = await page.page.evaluate(() => new Promise((done) => {
      window.rovuzu.frames.length = 0;
      const times = [];
      const step = (time) => {
        times.push(time);
        if (times.length < 241) requestAnimationFrame(step);
        else done(times.slice(1).map((t, i) => t - times[i]));
      };
      requestAnimationFrame(step);
    }));
    await page.page.keyboard.up('ArrowLeft');
    const work = await page.page.evaluate(() => window.rovuzu.frames.slice());
    console.log(`turning frames at 390 x 844, dpr ${dpr} (${intervals.length} intervals):` +
      ` interval p50 ${median(intervals).toFixed(1)} / p99 ${percentile(intervals, 0.99).toFixed(1)} ms;` +
      ` the game's work p50 ${median(work).toFixed(2)} / p99 ${percentile(work, 0.99).toFixed(2)} ms`);
  } finally {
    await browser.close();
  }
}

function before(run) {
  console.log('requested before "Jugar" is enabled (one cold run): raw, gzip -9, brotli -q 11,' +
    ' and what crossed the wire with its encoding:');
  const total = { raw: 0, gzip: 0, brotli: 0, wire: 0 };
  for (const request of packedSizes(server, run.before)) {
    for (const key of Object.keys(total)) total[key] += request[key];
    console.log(`  ${request.name.padEnd(14)} ${kb(request.raw).padStart(10)} ${kb(request.gzip).padStart(10)}` +
      ` ${kb(request.brotli).padStart(10)} ${kb(request.wire).padStart(10)} ${request.encoding}` +
      `${request.fromWorker ? ' (service worker)' : ''}`);
  }
  console.log(`  ${'total'.padEnd(14)} ${kb(total.raw).padStart(10)} ${kb(total.gzip).padStart(10)}` +
    ` ${kb(total.brotli).padStart(10)} ${kb(total.wire).padStart(10)}`);
}

const ms = (values) => `median ${median(values).toFixed(0)} ms (best ${Math.min(...values).toFixed(0)}, worst ${Math.max(...values).toFixed(0)})`;

function phoneLines(bareRuns, game, bareName = 'bare page') {
  const pick = (key) => game.map((run) => run[key]);
  const bare = bareRuns.map((run) => run.frameAt);
  console.log(`    ${bareName}, navigation to its WebGL frame: ${ms(bare)};` +
    ` its longest task ${ms(bareRuns.map((run) => run.longest))}`);
  console.log(`    navigation to "Jugar" enabled: ${ms(pick('enabled'))},` +
    ` ${(median(pick('enabled')) / median(bare)).toFixed(1)}x the bare page`);
  console.log(`    tap to the round's first frame: ${ms(pick('tapToFrame'))}`);
  console.log(`    longest task before "Jugar": ${ms(pick('longestBefore'))}`);
  console.log(`    longest task from the tap to the first frame: ${ms(pick('longestAfterTap'))}`);
  const rooms = pick('room');
  console.log(`    the room's pictures: ${[...new Set(rooms)].map((from) =>
    `${rooms.filter((room) => room === from).length} ${from}`).join(', ')}`);
}

// Runs of each kind take turns, so that the machine's load falls on all of them alike.
async function phone() {
  const kinds = { bare: [], game: [], gameSlowWorkers: [], bareSlow: [], gameSlow: [], second: [], secondSlow: [] };
  for (let run = 0; run < phoneRuns; ++run) {
    kinds.bare.push(await bareStart(server, null));
    kinds.game.push(await coldStart(server, null));
    kinds.gameSlowWorkers.push(await coldStart(server, null, true));
    kinds.bareSlow.push(await bareStart(server, slow4g));
    kinds.gameSlow.push(await coldStart(server, slow4g));
    kinds.second.push(await secondVisit(server, null));
    kinds.secondSlow.push(await secondVisit(server, slow4g));
  }
  before(kinds.game[0]);
  console.log(`a phone's start: CPU ${cpuSlowdown}x slower, dpr 3, ${phoneRuns} cold runs of each, taking turns` +
    ' (a task counts as long from 50 ms; 0 is none):');
  console.log('  this machine\'s link:');
  phoneLines(kinds.bare, kinds.game);
  console.log(`  this machine's link, the page's workers ${cpuSlowdown}x slower too (Chromium throttles only the main thread):`);
  phoneLines(kinds.bare, kinds.gameSlowWorkers);
  console.log(`  slow 4G (${slow4g.latency} ms latency, ${(slow4g.download * 8e-6).toFixed(1)} Mbit/s down, ${(slow4g.upload * 8e-3).toFixed(0)} kbit/s up):`);
  phoneLines(kinds.bareSlow, kinds.gameSlow);
  for (const [name, visits, bare] of [['this link', kinds.second, kinds.bare], ['slow 4G', kinds.secondSlow, kinds.bareSlow]]) {
    const workers = [...new Set(visits.map((visit) => visit.worker))].join(', ');
    const served = visits[0].before;
    const wire = served.filter((request) => !request.fromWorker).reduce((sum, request) => sum + request.wire, 0);
    console.log(`  second visit, ${name} (service worker: ${workers}; before "Jugar",` +
      ` ${served.filter((request) => request.fromWorker).length} of ${served.length} requests from it, ${kb(wire)} over the network):`);
    phoneLines(bare, visits, 'bare page (its cold start above)');
  }
}

sizes();
const server = await servePage({ 'bare.html': barePage });
try {
  await start(server);
  await frames(server, 3);
  await frames(server, 1);
  await phone();
} finally {
  server.stop();
}
