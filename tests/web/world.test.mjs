// World tracking: on a phone that offers WebXR's immersive-ar (here an emulated one) the start
// tap enters it, the browser tracks the phone's rotation and position, and the game draws its
// targets where the world and the view's own projection put them.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { middleOfOthers, positionOf } from './support/geometry.mjs';
import { openPage, picture, play, report, settle, sharedPage } from './support/page.mjs';
import { facingFrom, placePhone, projectThroughView, quaternionOf, xrPhone } from './support/xr.mjs';

const [width, height] = [390, 844];
const eye = 1.6;  // the runtime's phone starts this high; `local` begins there
const black = [0, 0, 0];
const shared = sharedPage();

const taps = (page) => page.lines(/^El toque ha sido en/);

async function playInWorld(query = '?seed=3') {
  const page = await openPage(shared.browser, `${shared.server.url}${query}`, { width, height, beforeLoad: xrPhone() });
  await page.page.waitForFunction(() => window.rovuzu.xr !== null);
  await placePhone(page.page, [0, eye, 0], [0, 0, 0, 1]);
  await play(page.page);
  return page;
}

// Puts the phone at `at` (metres from where the session began) turned by yaw, pitch and roll,
// and waits until the page has drawn it so.
async function hold(page, at, yaw, pitch, roll = 0) {
  await placePhone(page.page, [at[0], at[1] + eye, at[2]], quaternionOf(yaw, pitch, roll));
  await page.page.waitForFunction(([x, y, z]) => {
    const m = window.xrSeen?.view;
    return m && Math.abs(m[12] - x) < 1e-6 && Math.abs(m[13] - y) < 1e-6 && Math.abs(m[14] - z) < 1e-6;
  }, {}, at);
  await settle(page.page, 3);
  return page.page.evaluate(() => window.xrSeen);
}

// The first target's middle in the page's picture, near where the view's projection puts it.
async function findTarget(page, target, seen) {
  const [x, y] = projectThroughView(target, seen, width, height);
  const found = middleOfOthers(await picture(page.page), black, [x - 50, y - 50, x + 50, y + 50]);
  assert.ok(found, `no target near ${x.toFixed(1)}, ${y.toFixed(1)}`);
  return { expected: [x, y], found, off: Math.hypot(found[0] - x, found[1] - y) };
}

test('the start tap enters world tracking, and a target stays on its spot in the world as the phone turns and walks', async () => {
  const page = await playInWorld();
  assert.equal(await page.page.evaluate(() => window.rovuzu.tracking), 'world');
  await page.page.waitForFunction(() => window.rovuzu.report().anchors === 1, { timeout: 30000 });
  const target = positionOf((await report(page.page)).anchorTransforms[0]);
  const offs = [];
  for (const [at, turn] of [
    [[0, 0, 0], [0, 0, 0]],          // facing it
    [[0.4, 0, 0], [5, 0, 0]],        // stepped sideways, still facing where it was
    [[0, 0.3, 0], [-6, -4, 0]],      // stepped up and turned
    [[0, 0, 0], [0, 0, 25]],         // rolled
  ]) {
    const [yaw, pitch] = facingFrom(target, at);
    const seen = await hold(page, at, yaw + turn[0], pitch + turn[1], turn[2]);
    const { off, found, expected } = await findTarget(page, target, seen);
    offs.push(off);
    assert.ok(off <= 2.5, `at ${at}: target at ${found.map((v) => v.toFixed(1))}, expected ${expected.map((v) => v.toFixed(1))}`);
  }
  console.log(`registration (px): ${offs.map((v) => v.toFixed(2)).join(', ')}`);
  assert.deepEqual(page.errors(), []);
});

test('a touch on a target in world tracking hits it', async () => {
  const page = await playInWorld();
  await page.page.waitForFunction(() => window.rovuzu.report().anchors === 1, { timeout: 30000 });
  const target = positionOf((await report(page.page)).anchorTransforms[0]);
  const [yaw, pitch] = facingFrom(target, [0.2, 0, 0]);
  const seen = await hold(page, [0.2, 0, 0], yaw + 4, pitch - 3);
  const { found } = await findTarget(page, target, seen);
  await page.cdp.send('Input.dispatchTouchEvent', { type: 'touchStart', touchPoints: [{ x: found[0], y: found[1] }] });
  await page.cdp.send('Input.dispatchTouchEvent', { type: 'touchEnd', touchPoints: [] });
  await page.page.waitForFunction(() => window.rovuzu.report().targetCount === 0, { timeout: 10000 });
  assert.equal(taps(page).length, 1);
  assert.equal((await report(page.page)).hudText, 'Faltan: 0');
});

test('when the session ends mid-round the round goes on with the sensors, and is drawn', async () => {
  const page = await playInWorld();
  await page.page.waitForFunction(() => window.rovuzu.report().anchors === 1, { timeout: 30000 });
  await page.page.evaluate(() => window.rovuzu_endWorld = true);
  await page.page.evaluate(() => navigator.xr && window.xrDevice.activeSession?.end());
  await page.page.waitForFunction(() => window.rovuzu.xr === 'ended', { timeout: 10000 });
  const before = (await report(page.page)).time;
  await settle(page.page, 20);
  const after = await report(page.page);
  assert.ok(after.time > before, 'the round goes on');
  assert.notEqual(await page.page.evaluate(() => window.rovuzu.tracking), 'world');
  const shown = await picture(page.page);
  const lit = [0, 1, 2, 3, 4, 5, 6, 7, 8].filter((i) => {
    const [r, g, b] = shown.at(40 + i * 40, 600);
    return r + g + b > 60;
  }).length;
  assert.ok(lit >= 7, 'the room is drawn again behind the round');
  assert.ok((await page.page.evaluate(() => window.rovuzu.lines)).some((l) => l.startsWith('Se cerró la realidad aumentada')));
});

test('where immersive-ar is not offered, or ?xr=off, the page plays with the sensors as before', async () => {
  const plain = await openPage(shared.browser, `${shared.server.url}?seed=3`, { width, height });
  await play(plain.page);
  assert.equal(await plain.page.evaluate(() => window.rovuzu.xr), 'none');
  assert.equal(await plain.page.evaluate(() => window.rovuzu.tracking), 'manual');
  const off = await playInWorld('?seed=3&xr=off');
  assert.equal(await off.page.evaluate(() => window.rovuzu.xr), 'off');
  assert.notEqual(await off.page.evaluate(() => window.rovuzu.tracking), 'world');
  assert.deepEqual(off.errors(), []);
});
