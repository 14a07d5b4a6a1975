// The page as a player first meets it, and the round it plays: the same as the desktop's.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { mkdtempSync, readFileSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { desktopRound } from './support/desktop.mjs';
import { readPng } from './support/png.mjs';
import { desktopBinary, openPage, picture, play, report, settle, sharedPage } from './support/page.mjs';

const script = `# seed 5
0.5 look 30 -10
3.2 look 0 0
3.5 tap 187.5 333.5
4.0 taps 100 300 250 300
6.5 move 0 0 -0.5
7.0 tap 20 20
9.25 quit
`;

const shared = sharedPage({ 'round.txt': script, 'broken.txt': '0 jump 1 2\n' });

const taps = (page) => page.lines(/^El toque ha sido en/);

test('the page offers one button, "Jugar", and draws the built-in room as the desktop does', async () => {
  const page = await openPage(shared.browser, shared.server.url);
  await page.page.waitForFunction(() => !document.getElementById('play').disabled);
  const start = await page.page.evaluate(() => ({
    buttons: [...document.querySelectorAll('button')].filter((b) => b.offsetParent !== null).map((b) => b.textContent),
    canvases: document.querySelectorAll('canvas').length,
    scrolls: document.scrollingElement.scrollHeight > innerHeight || document.scrollingElement.scrollWidth > innerWidth,
  }));
  assert.deepEqual(start, { buttons: ['Jugar'], canvases: 1, scrolls: false });
  await play(page.page);
  const shown = await picture(page.page);

  // The desktop's picture of the same view, two pixels a point, at the same still pose.
  const folder = mkdtempSync(join(tmpdir(), 'rovuzu-room-'));
  execFileSync(desktopBinary, ['--headless', '--view', '390x844', '--quit-after', '0.5',
    '--screenshot', join(folder, 'room.png')], { env: { ...process.env, SDL_AUDIODRIVER: 'dummy' } });
  const desktop = readPng(readFileSync(join(folder, 'room.png')));
  rmSync(folder, { recursive: true, force: true });
  let difference = 0;
  let counted = 0;
  // Above the page's lines at the bottom; the HUD and read-outs are the same text in both.
  for (let y = 0; y < 600; y += 3) {
    for (let x = 0; x < 390; x += 3) {
      const web = shown.at(x, y);
      const [a, b, c, d] = [desktop.at(2 * x, 2 * y), desktop.at(2 * x + 1, 2 * y),
        desktop.at(2 * x, 2 * y + 1), desktop.at(2 * x + 1, 2 * y + 1)];
      for (let k = 0; k < 3; ++k) difference += Math.abs(web[k] - (a[k] + b[k] + c[k] + d[k]) / 4);
      counted += 3;
    }
  }
  assert.ok(difference / counted < 8, `the room differs from the desktop's by ${difference / counted} a channel`);
  assert.deepEqual(page.errors(), []);
});

test('an autoplay round on the virtual clock ends in game over after 25 taps, as on the desktop', async () => {
  const page = await openPage(shared.browser, `${shared.server.url}?autoplay&clock=virtual&seed=7`, { width: 375, height: 667 });
  await play(page.page);
  await page.page.waitForFunction(() => window.rovuzu.report().gameOver, { timeout: 60000 });
  const round = await report(page.page);
  assert.deepEqual(taps(page), Array(25).fill('El toque ha sido en: (0.0, 0.0)'));
  assert.equal(round.elapsedText, 'Te ha llevado: 75 segundos');
  assert.equal(round.targetsCreated, 25);
  assert.equal(round.liveTargets, 0);

  const desktop = desktopRound(['--autoplay', '--seed', '7']);
  assert.deepEqual(taps(page), desktop.lines);
  assert.deepEqual(round.anchorTransforms, desktop.report.anchorTransforms);
  assert.deepEqual(page.errors(), []);
});

test('the hit sound and the music play through Web Audio, and a page without it plays silently', async () => {
  // Counts what the page starts playing, by the length of each sound.
  const listen = () => {
    window.played = [];
    const start = AudioBufferSourceNode.prototype.start;
    AudioBufferSourceNode.prototype.start = function (...args) {
      window.played.push({ seconds: Math.round(this.buffer.duration), loops: this.loop });
      return start.apply(this, args);
    };
  };
  const page = await openPage(shared.browser, `${shared.server.url}?autoplay&clock=virtual&seed=7`, { beforeLoad: listen });
  await play(page.page);
  await page.page.waitForFunction(() => window.rovuzu.report().gameOver, { timeout: 60000 });
  const played = await page.page.evaluate(() => window.played);
  assert.equal(await page.page.evaluate(() => window.rovuzu.audio), 'running');
  assert.equal(played.filter((sound) => sound.loops).length, 1, 'the music, looping');
  assert.equal(played.filter((sound) => !sound.loops).length, 25, 'a hit sound a target');

  const silent = await openPage(shared.browser, `${shared.server.url}?autoplay&clock=virtual&seed=7`, {
    beforeLoad: () => { delete window.AudioContext; delete window.webkitAudioContext; } });
  await play(silent.page);
  await silent.page.waitForFunction(() => window.rovuzu.report().gameOver, { timeout: 60000 });
  assert.equal(await silent.page.evaluate(() => window.rovuzu.audio), 'none');
  assert.equal(taps(silent).length, 25);
  assert.deepEqual(silent.errors(), []);
});

test('a script plays the same round, to the same report, as the desktop plays it', async () => {
  const page = await openPage(shared.browser, `${shared.server.url}?script=round.txt&clock=virtual`, { width: 375, height: 667 });
  await play(page.page);
  await page.page.waitForFunction(() => window.rovuzu.report().time === 9.25, { timeout: 60000 });
  const desktop = desktopRound(['--script', join(shared.server.root, 'round.txt')]);
  assert.deepEqual(taps(page), desktop.lines);
  assert.equal(taps(page).length, 3);
  assert.deepEqual(await report(page.page), desktop.report);
});

test('a bad address, an unknown option or a broken script is refused on the page, with no start', async () => {
  for (const [query, problem] of [['?seed=x', '?seed=x: not a whole number'],
    ['?Seed=5', '?Seed=5: not an option here; the page takes ?seed, ?autoplay'],
    ['?seed=5&foo=1', '?foo=1: not an option here'],
    ['?script=missing.txt', 'missing.txt: cannot be fetched'],
    ['?script=broken.txt', 'broken.txt: line 1']]) {
    const page = await openPage(shared.browser, `${shared.server.url}${query}`);
    await page.page.waitForFunction(() => window.rovuzu.lines.length > 0, { timeout: 30000 });
    const shown = await page.page.evaluate(() => ({ lines: window.rovuzu.lines,
      buttons: [...document.querySelectorAll('button')].filter((b) => b.offsetParent !== null).length,
      disabled: document.getElementById('play').disabled }));
    assert.equal(shown.lines.length, 1, query);
    assert.ok(shown.lines[0].includes(problem), `${query}: ${shown.lines[0]}`);
    assert.equal(shown.disabled, true, query);
    assert.equal(shown.buttons, 0, `${query}: nothing to press`);
    await page.page.close();
  }
});

test('Web Audio suspended by the phone (a call, an app switch) resumes on the next tap', async () => {
  const page = await openPage(shared.browser, shared.server.url);
  await play(page.page);
  await page.page.evaluate(() => Module.rovuzuAudio.suspend());
  await page.page.waitForFunction(() => window.rovuzu.audio === 'suspended');
  await settle(page.page);
  assert.equal(await page.page.evaluate(() => window.rovuzu.audio), 'suspended', 'nothing resumes it but a tap');
  await page.page.touchscreen.tap(195, 500);
  await page.page.waitForFunction(() => window.rovuzu.audio === 'running', { timeout: 5000 });
  assert.deepEqual(page.errors(), []);
});
