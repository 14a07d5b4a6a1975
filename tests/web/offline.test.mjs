// The page as an app: Chromium finds it installable, and after one visit it plays from its own
// cache with no network at all; a new build's files take the old build's place whole.
import { after, test } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { cpSync, mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { readPng } from './support/png.mjs';
import { built, launchBrowser, openPage, play, repository, servePage } from './support/page.mjs';

const cleanups = [];
after(async () => {
  for (const cleanup of cleanups.reverse()) await cleanup();
});
async function started(what) {
  cleanups.push(() => (what.stop ? what.stop() : what.close()));
  return what;
}

const autoplay = '?autoplay&clock=virtual&seed=7';
const taps = (page) => page.lines(/^El toque ha sido en/);

// Once the page's worker is active and has cached the build: the names of its caches.
const kept = (page) => page.page.evaluate(async () => {
  const registration = await navigator.serviceWorker.ready;
  while (registration.active.state !== 'activated') await new Promise((done) => setTimeout(done, 50));
  return (await caches.keys()).filter((name) => name.startsWith('rovuzu-'));
});

// Every request of the page, and whether the worker answered it.
function watchRequests(page) {
  const seen = [];
  page.page.on('requestfinished', (request) => seen.push({ url: request.url(), fromWorker: request.response()?.fromServiceWorker() ?? false }));
  page.page.on('requestfailed', (request) => seen.push({ url: request.url(), fromWorker: false, failed: true }));
  return seen;
}

test('Chromium finds the manifest, its icons at their sizes, and nothing that stops an install', async () => {
  const server = await started(await servePage());
  const browser = await started(await launchBrowser({ serviceWorkers: true }));
  const page = await openPage(browser, server.url);
  await page.page.waitForFunction(() => !document.getElementById('play').disabled, { timeout: 60000 });
  await kept(page);
  const found = await page.cdp.send('Page.getAppManifest');
  assert.equal(found.url, new URL('rovuzu.webmanifest', server.url).href);
  assert.deepEqual(found.errors, []);
  const manifest = JSON.parse(found.data);
  assert.deepEqual([manifest.name, manifest.short_name, manifest.display, manifest.orientation, manifest.start_url],
    ['rovuzu', 'rovuzu', 'fullscreen', 'any', './']);
  for (const icon of manifest.icons) {
    const [width, height] = icon.sizes.split('x').map(Number);
    const picture = readPng(readFileSync(join(built, icon.src)));
    assert.deepEqual([picture.width, picture.height], [width, height], icon.src);
  }
  assert.deepEqual(manifest.icons.filter((icon) => icon.purpose === 'any').map((icon) => icon.sizes), ['192x192', '512x512']);
  assert.deepEqual((await page.cdp.send('Page.getInstallabilityErrors')).installabilityErrors, []);
  assert.deepEqual(page.errors(), []);
});

test('after one visit, with the network off and the server gone, a reload plays a whole round', async () => {
  const server = await started(await servePage());
  const browser = await started(await launchBrowser({ serviceWorkers: true }));
  const page = await openPage(browser, `${server.url}${autoplay}`);
  await page.page.waitForFunction(() => !document.getElementById('play').disabled, { timeout: 60000 });
  assert.equal((await kept(page)).length, 1);

  await server.stop();
  await page.page.setOfflineMode(true);
  const requests = watchRequests(page);
  await page.page.reload();
  await play(page.page);
  await page.page.waitForFunction(() => window.rovuzu.report().gameOver, { timeout: 60000 });
  assert.deepEqual(taps(page), Array(25).fill('El toque ha sido en: (0.0, 0.0)'));
  assert.equal((await page.page.evaluate(() => window.rovuzu.report())).elapsedText, 'Te ha llevado: 75 segundos');
  for (const name of ['/', '/rovuzu.js', '/rovuzu.wasm', '/rovuzu.data']) {
    const request = requests.find((seen) => new URL(seen.url).pathname === name);
    assert.ok(request?.fromWorker, `${name} from the worker's cache`);
  }
  assert.deepEqual(requests.filter((request) => request.failed), []);
  assert.deepEqual(page.errors(), []);
});

// The build in another folder, one file changed and packed again as scripts/web.sh packs it.
function anotherBuild() {
  const folder = mkdtempSync(join(tmpdir(), 'rovuzu-build-'));
  cpSync(built, folder, { recursive: true });
  writeFileSync(join(folder, 'index.html'), `${readFileSync(join(folder, 'index.html'))}<!-- another build -->\n`);
  execFileSync(process.execPath, [join(repository, 'tools/web/pack.mjs'), folder], { stdio: 'pipe' });
  return { folder, stop: () => rmSync(folder, { recursive: true, force: true }) };
}

// The whole page as served, comments after its end too.
const pageText = (page) => page.page.evaluate(() => new XMLSerializer().serializeToString(document));

test('a new build at the same address takes over once the old one\'s page is closed, and its cache replaces the old', async () => {
  const second = await started(anotherBuild());
  const browser = await started(await launchBrowser({ serviceWorkers: true }));
  const first = await started(await servePage());
  const port = new URL(first.url).port;
  let page = await openPage(browser, first.url);
  await page.page.waitForFunction(() => !document.getElementById('play').disabled, { timeout: 60000 });
  const [oldCache] = await kept(page);
  await page.page.close();
  await first.stop();

  const server = await started(await servePage({}, { folder: second.folder, port }));
  assert.equal(server.url, first.url);
  // The open page keeps the build it began with while the new one is fetched beside it.
  page = await openPage(browser, server.url);
  await page.page.waitForFunction(() => !document.getElementById('play').disabled, { timeout: 60000 });
  assert.ok(!(await pageText(page)).includes('another build'));
  await page.page.waitForFunction(async () => (await navigator.serviceWorker.getRegistration())?.waiting?.state === 'installed',
    { timeout: 60000, polling: 100 });
  await page.page.close();

  page = await openPage(browser, server.url);
  const requests = watchRequests(page);
  await play(page.page);
  assert.ok((await pageText(page)).includes('another build'));
  const caches = await kept(page);
  assert.equal(caches.length, 1);
  assert.notEqual(caches[0], oldCache);
  assert.ok(requests.filter((request) => /rovuzu\.(js|wasm|data)$/.test(request.url)).every((request) => request.fromWorker));
  assert.deepEqual(page.errors(), []);
});

// The room as the page shows it at the round's start, above its lines and read-outs; and how
// many pixels of two such pictures differ.
async function roomPicture(page) {
  await play(page.page);
  return readPng(Buffer.from(await page.page.screenshot({ type: 'png', clip: { x: 0, y: 0, width: 390, height: 600 } })));
}
function differing(a, b) {
  let count = 0;
  for (let y = 0; y < a.height; ++y) {
    for (let x = 0; x < a.width; ++x) count += a.at(x, y).some((v, k) => v !== b.at(x, y)[k]) ? 1 : 0;
  }
  return count;
}

test('a second visit shows the room as the first painted it, kept by the page; a spoilt copy is painted again', async () => {
  const server = await started(await servePage());
  const browser = await started(await launchBrowser());
  const first = await openPage(browser, `${server.url}?seed=12`);
  const painted = await roomPicture(first);
  assert.equal(await first.page.evaluate(() => window.rovuzu.room), 'painted', 'alone, on two cores');
  await first.page.waitForFunction(async () => (await (await caches.open('painted-room')).keys()).length === 1);

  const again = await openPage(browser, `${server.url}?seed=12`);
  const kept = await roomPicture(again);
  assert.equal(await again.page.evaluate(() => window.rovuzu.room), 'kept');
  assert.equal(differing(kept, painted), 0, 'the very same pixels');

  await again.page.evaluate(async () => {
    const cache = await caches.open('painted-room');
    const [name] = await cache.keys();
    await cache.put(name, new Response(new Uint8Array([82, 86, 90, 49, 9, 9])));
  });
  const spoilt = await openPage(browser, `${server.url}?seed=12`);
  assert.equal(differing(await roomPicture(spoilt), painted), 0);
  assert.equal(await spoilt.page.evaluate(() => window.rovuzu.room), 'painted');
  assert.deepEqual([...first.errors(), ...again.errors(), ...spoilt.errors()], []);
});

// Pages that cannot have the worker which paints the room beside them: none at all, and one
// whose script fails as it starts.
function noWorkers() {
  delete window.Worker;
}
function failingWorkers() {
  const Real = window.Worker;
  window.Worker = function () {
    return new Real(URL.createObjectURL(new Blob(['throw new Error("no room here")'])));
  };
}

// As on a phone's eight cores (this machine has two, where the page paints alone), and with the
// page's own thread slowed (Chromium slows only that one), so that the worker is done first.
test('the room painted beside the page is the very one the game paints itself where no worker runs or it fails', async () => {
  const server = await started(await servePage());
  const fresh = async (beforeLoad, cpuSlowdown) => {
    const browser = await started(await launchBrowser());
    const page = await openPage(browser, `${server.url}?seed=12`, { beforeLoad, cpuSlowdown, cores: 8 });
    const shown = await roomPicture(page);
    return { shown, room: await page.page.evaluate(() => window.rovuzu.room), errors: page.errors() };
  };
  const aside = await fresh(undefined, 4);
  assert.equal(aside.room, 'worker');
  for (const beforeLoad of [noWorkers, failingWorkers]) {
    const itself = await fresh(beforeLoad, 1);
    assert.equal(itself.room, 'painted', beforeLoad.name);
    assert.equal(differing(itself.shown, aside.shown), 0, `${beforeLoad.name}: the very same pixels`);
    assert.deepEqual(itself.errors, [], beforeLoad.name);
  }
});

test('unless a test asks for the worker, its pages meet the server itself, every request seen', async () => {
  const server = await started(await servePage());
  const browser = await started(await launchBrowser());
  const first = await openPage(browser, server.url);
  await first.page.waitForFunction(() => !document.getElementById('play').disabled, { timeout: 60000 });
  assert.equal((await kept(first)).length, 1);
  const page = await browser.newPage();
  await page.setRequestInterception(true);
  const seen = [];
  page.on('request', (request) => {
    seen.push(new URL(request.url()).pathname);
    request.continue();
  });
  await page.goto(server.url);
  await page.waitForFunction(() => !document.getElementById('play').disabled, { timeout: 60000 });
  for (const name of ['/', '/rovuzu.js', '/rovuzu.wasm', '/rovuzu.data']) assert.ok(seen.includes(name), name);
});
