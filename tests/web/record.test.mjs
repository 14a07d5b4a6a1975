// A player's phone brought to us: ?record keeps the session's input in the desktop's script
// format and offers it as a download, which replays headless on the desktop, and in the page,
// to the same round. And after game over, another round at once.
import { after, test } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { existsSync, mkdtempSync, readFileSync, readdirSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { desktopRound } from './support/desktop.mjs';
import { facing, positionOf } from './support/geometry.mjs';
import { openPage, orient, play, report, settle, sharedPage } from './support/page.mjs';

const folder = mkdtempSync(join(tmpdir(), 'rovuzu-record-'));
const shared = sharedPage();
after(() => rmSync(folder, { recursive: true, force: true }));

const taps = (page) => page.lines(/^El toque ha sido en/);

async function touch(page, x, y) {
  await page.cdp.send('Input.dispatchTouchEvent', { type: 'touchStart', touchPoints: [{ x, y }] });
  await page.cdp.send('Input.dispatchTouchEvent', { type: 'touchEnd', touchPoints: [] });
  await settle(page.page);
}

// Clicks the page's own button and waits for the browser's download.
async function download(page) {
  const cdp = await shared.browser.target().createCDPSession();
  await cdp.send('Browser.setDownloadBehavior', { behavior: 'allow', downloadPath: folder });
  await page.page.click('#record');
  const name = await page.page.evaluate(() => window.rovuzu.recording.split('/').pop());
  const file = join(folder, name);
  for (let i = 0; i < 100 && !existsSync(file); ++i) await new Promise((done) => setTimeout(done, 100));
  assert.ok(existsSync(file), `${name} was not downloaded: ${readdirSync(folder)}`);
  return { name, text: readFileSync(file, 'utf8') };
}

test('a session recorded on the phone replays to the same round, headless on the desktop and in the page', async () => {
  const page = await openPage(shared.browser, `${shared.server.url}?record`);
  await play(page.page);
  await orient(page.cdp, 10, 90, 0);
  await page.page.waitForFunction(() => window.rovuzu.report().anchors === 1, { timeout: 30000 });
  const [yaw, pitch] = facing(positionOf((await report(page.page)).anchorTransforms[0]));
  await orient(page.cdp, (370 + yaw) % 360, 90 + pitch, 0);
  await settle(page.page, 6);
  await touch(page, 30, 650);      // beside it
  await touch(page, 195, 422);     // on it
  await orient(page.cdp, 40, 100, 5);
  await settle(page.page, 6);
  const phone = await report(page.page);
  assert.equal(phone.targetCount, 0, 'the second touch hit the target');
  const { name, text } = await download(page);
  assert.match(name, /^rovuzu-\d+\.txt$/);
  assert.match(text, /^# seed \d+$/m);
  assert.match(text, / orient /);
  assert.match(text, / resize 390\.0 844\.0$/m);
  assert.equal(text.match(/ tap /g).length, 2);

  const recording = join(folder, name);
  const desktop = desktopRound(['--script', recording, '--quit-after', String(phone.time)]);
  assert.deepEqual(desktop.lines, taps(page));
  assert.deepEqual(desktop.report, phone);

  // The same file played in the page, on its virtual clock, up to the same time.
  writeFileSync(join(shared.server.root, name), `${text}${phone.time} quit\n`);
  const replay = await openPage(shared.browser, `${shared.server.url}?script=${name}&clock=virtual`);
  await play(replay.page);
  await replay.page.waitForFunction((time) => window.rovuzu.report().time === time, { timeout: 60000 }, phone.time);
  assert.deepEqual(taps(replay), taps(page));
  assert.deepEqual(await report(replay.page), phone);
  assert.deepEqual([...page.errors(), ...replay.errors()], []);
});

test('"Jugar otra vez" after game over plays a whole new round from what the page has, with no request', async () => {
  const page = await openPage(shared.browser, `${shared.server.url}?autoplay&clock=virtual&seed=7`, { width: 375, height: 667 });
  await play(page.page);
  await page.page.waitForFunction(() => window.rovuzu.report().gameOver, { timeout: 60000 });
  await page.page.waitForSelector('#again', { visible: true });
  const requests = [];
  page.page.on('request', (request) => requests.push(request.url()));
  await page.page.click('#again');
  await page.page.waitForFunction(() => window.rovuzu.report().targetsCreated === 1, { timeout: 60000 });
  assert.equal(await page.page.$eval('#again', (button) => getComputedStyle(button).display), 'none');
  await page.page.waitForFunction(() => window.rovuzu.report().gameOver, { timeout: 60000 });
  const second = await report(page.page);
  assert.equal(second.elapsedText, 'Te ha llevado: 75 segundos');
  assert.equal(taps(page).length, 50, 'two whole rounds of 25');
  assert.deepEqual(second.anchorTransforms, desktopRound(['--autoplay', '--seed', '7']).report.anchorTransforms);
  assert.deepEqual(requests, []);
  assert.deepEqual(page.errors(), []);
  assert.equal(await page.page.evaluate(() => window.rovuzu.rounds), 2);
});
