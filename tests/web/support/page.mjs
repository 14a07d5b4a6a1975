// The page under test: a folder served as a static host serves it, a fresh headless Chromium
// for it, and helpers to play it the way a player would.
import { after, before } from 'node:test';
import puppeteer from 'puppeteer-core';
import { spawn } from 'node:child_process';
import { mkdtempSync, rmSync, readdirSync, symlinkSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { dirname, join, resolve } from 'node:path';
import { fileURLToPath } from 'node:url';
import { readPng } from './png.mjs';

export const repository = resolve(dirname(fileURLToPath(import.meta.url)), '../../..');
export const built = join(repository, 'build/web');
export const desktopBinary = process.env.ROVUZU_DESKTOP ?? join(repository, 'build/dev/app/rovuzu');

// A folder holding the built page (or another `folder`) and whatever files a test adds
// (scripts), served on 127.0.0.1 at `port`, a free one by default: a secure context, as a
// phone's HTTPS page is.
export async function servePage(files = {}, { folder = built, port = 0 } = {}) {
  const root = mkdtempSync(join(tmpdir(), 'rovuzu-page-'));
  for (const name of readdirSync(folder)) symlinkSync(join(folder, name), join(root, name));
  for (const [name, text] of Object.entries(files)) writeFileSync(join(root, name), text);
  const server = spawn(process.execPath, [join(repository, 'tools/web/serve.mjs'), root, '--port', String(port)],
    { stdio: ['ignore', 'pipe', 'inherit'] });
  const url = await new Promise((done, fail) => {
    server.stdout.on('data', (text) => {
      const found = /on (http:\S+)/.exec(String(text));
      if (found) done(found[1]);
    });
    server.on('exit', () => fail(new Error('the page server stopped')));
  });
  const stopped = new Promise((done) => server.on('exit', done));
  return { url, root, stop: async () => {
    server.kill();
    await stopped;
    rmSync(root, { recursive: true, force: true });
  } };
}

// camera: a .y4m clip for the fake camera, 'none' for a browser without one, 'refused' for a
// camera the player does not allow. serviceWorkers: whether a page's requests may be answered
// by the service worker that an earlier page registered (the offline tests); by default every
// page sees the server and the network as they are, and a test's interception sees each request.
export async function launchBrowser({ camera = 'none', serviceWorkers = false } = {}) {
  const profile = mkdtempSync(join(tmpdir(), 'rovuzu-chromium-'));
  const args = ['--no-sandbox', '--use-angle=swiftshader', '--enable-unsafe-swiftshader',
    '--disable-background-networking', '--disable-component-update', '--disable-sync',
    '--no-first-run', '--disable-quic', '--no-default-browser-check'];
  // The fake prompt says yes to the camera; a refusal is set on the page's origin instead.
  if (camera !== 'refused') args.push('--use-fake-ui-for-media-stream');
  if (camera !== 'none') args.push('--use-fake-device-for-media-stream');
  if (camera !== 'none' && camera !== 'refused') args.push(`--use-file-for-fake-video-capture=${camera}`);
  const browser = await puppeteer.launch({ executablePath: '/usr/bin/chromium', headless: true,
    userDataDir: profile, args, protocolTimeout: 120000 });
  browser.refusesCamera = camera === 'refused';
  if (!serviceWorkers) {
    const newPage = browser.newPage.bind(browser);
    browser.newPage = async (...options) => {
      const page = await newPage(...options);
      await page.setBypassServiceWorker(true);
      return page;
    };
  }
  const close = browser.close.bind(browser);
  browser.close = async () => { await close(); rmSync(profile, { recursive: true, force: true }); };
  return browser;
}

// For a file of tests: the built page served (with `files` beside it) and a browser launched
// before its tests, both gone after them. The fields are there once the tests run.
export function sharedPage(files = {}) {
  const shared = { server: null, browser: null };
  before(async () => {
    shared.server = await servePage(files);
    shared.browser = await launchBrowser();
  });
  after(async () => {
    await shared.browser?.close();
    await shared.server?.stop();
  });
  return shared;
}

// A phone-sized page (390 by 844 points, one pixel a point, unless said) at `url`: its
// console and errors kept. `beforeLoad` runs in the page before its own script; `onRequest`,
// when given, answers each request the page makes (puppeteer's interception).
export async function openPage(browser, url, { width = 390, height = 844, landscape = false, dpr = 1, beforeLoad, onRequest, cpuSlowdown = 1, cores } = {}) {
  const page = await browser.newPage();
  if (onRequest) {
    await page.setRequestInterception(true);
    page.on('request', onRequest);
  }
  const console = [];
  page.on('console', (message) => console.push({ type: message.type(), text: message.text() }));
  page.on('pageerror', (error) => console.push({ type: 'pageerror', text: String(error.message) }));
  if (browser.refusesCamera) {
    const session = await browser.target().createCDPSession();
    await session.send('Browser.setPermission', { permission: { name: 'camera' }, setting: 'denied',
      origin: new URL(url).origin });
  }
  await page.setViewport({ width, height, deviceScaleFactor: dpr, isMobile: true, hasTouch: true,
    isLandscape: landscape });
  const cdp = await page.createCDPSession();
  if (cpuSlowdown !== 1) await cdp.send('Emulation.setCPUThrottlingRate', { rate: cpuSlowdown });
  if (cores) await cdp.send('Emulation.setHardwareConcurrencyOverride', { hardwareConcurrency: cores });
  if (beforeLoad) await page.evaluateOnNewDocument(beforeLoad);
  await page.goto(url);
  return { page, console, cdp, errors: () => console.filter((m) => m.type === 'error' || m.type === 'pageerror'),
    lines: (pattern) => console.filter((m) => pattern.test(m.text)).map((m) => m.text) };
}

// The start tap, then the first frames of the round.
export async function play(page) {
  await page.waitForFunction(() => !document.getElementById('play').disabled, { timeout: 60000 });
  await page.click('#play');
  await page.waitForFunction(() => window.rovuzu.started && window.rovuzu.camera !== null, { timeout: 60000 });
  await settle(page);
}

// Until the page has drawn a few animation frames since now.
export function settle(page, frames = 4) {
  return page.evaluate((count) => new Promise((done) => {
    const next = () => (--count > 0 ? requestAnimationFrame(next) : done());
    requestAnimationFrame(next);
  }), frames);
}

export const report = (page) => page.evaluate(() => window.rovuzu.report());

// What the page shows, as pixels.
export async function picture(page) {
  return readPng(Buffer.from(await page.screenshot({ type: 'png' })));
}

export const orient = (cdp, alpha, beta, gamma) =>
  cdp.send('DeviceOrientation.setDeviceOrientationOverride', { alpha, beta, gamma });
