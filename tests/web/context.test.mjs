// The GPU taken away mid-round and given back, as a phone's browser does when it needs the
// memory or the page goes to the background: the round goes on unseen, and once the context
// is back the view is drawn exactly as before.
import { after, before, test } from 'node:test';
import assert from 'node:assert/strict';
import { mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { barsClip } from './support/clip.mjs';
import { facing, positionOf } from './support/geometry.mjs';
import { launchBrowser, openPage, orient, picture, play, report, servePage, settle } from './support/page.mjs';

const folder = mkdtempSync(join(tmpdir(), 'rovuzu-context-'));
let server;
before(async () => {
  server = await servePage();
});
after(() => {
  server?.stop();
  rmSync(folder, { recursive: true, force: true });
});

// Where pixels differ by more than a shade, outside the read-outs' corner (its frame rate
// changes from frame to frame): how many, and the box around them.
function changed(a, b) {
  const found = { count: 0, box: null };
  for (let y = 0; y < a.height; ++y) {
    for (let x = 0; x < a.width; ++x) {
      if (x > a.width - 120 && y > a.height - 30) continue;
      const [p, q] = [a.at(x, y), b.at(x, y)];
      if (Math.abs(p[0] - q[0]) + Math.abs(p[1] - q[1]) + Math.abs(p[2] - q[2]) <= 6) continue;
      ++found.count;
      const [x0, y0, x1, y1] = found.box ?? [x, y, x, y];
      found.box = [Math.min(x0, x), Math.min(y0, y), Math.max(x1, x), Math.max(y1, y)];
    }
  }
  return found;
}

const lose = (page) => page.evaluate(() => {
  window.lost = document.getElementById('canvas').getContext('webgl').getExtension('WEBGL_lose_context');
  window.lost.loseContext();
});
const restore = (page) => page.evaluate(() => window.lost.restoreContext());
const drawn = (page) => page.evaluate(() => window.rovuzu.frames.length);

// Faces the round's first target once it is placed, so that the view holds the room, a target,
// the HUD, the read-outs and the page's lines.
async function faceFirstTarget(page) {
  await orient(page.cdp, 0, 90, 0);
  await page.page.waitForFunction(() => window.rovuzu.report().anchors === 1, { timeout: 30000 });
  const [yaw, pitch] = facing(positionOf((await report(page.page)).anchorTransforms[0]));
  await orient(page.cdp, yaw, 90 + pitch, 0);
  await settle(page.page, 6);
}

// Loses the context, lets game time pass, gives it back; what was shown before and after.
async function loseAndRestore(page) {
  const shown = await picture(page.page);
  const time = (await report(page.page)).time;
  await lose(page.page);
  await settle(page.page);
  const drawnWhileLost = await drawn(page.page);
  await page.page.waitForFunction((since) => window.rovuzu.report().time > since + 0.5, { timeout: 30000 }, time);
  const stillLost = await drawn(page.page);
  await restore(page.page);
  await settle(page.page, 6);
  return { shown, time, framesWhileLost: stillLost - drawnWhileLost, again: await picture(page.page) };
}

test('a lost context comes back mid-round: the room, the target, the text and the read-outs drawn as before', async () => {
  const browser = await launchBrowser();
  try {
    const page = await openPage(browser, `${server.url}?seed=3`);
    await play(page.page);
    await faceFirstTarget(page);
    const { shown, time, framesWhileLost, again } = await loseAndRestore(page);
    // The view was whole before: the room, the faced target in the middle, the HUD.
    assert.ok(shown.at(195, 60).reduce((a, b) => a + b) > 450, 'the room');
    assert.equal((await report(page.page)).hudText, 'Faltan: 1');
    // Nothing was drawn while the context was away, and the round went on meanwhile.
    assert.equal(framesWhileLost, 0);
    const after = await report(page.page);
    assert.ok(after.time > time + 0.5, `time ${time} then ${after.time}`);
    assert.equal(after.targetsCreated, 1);
    // Back, the same pixels.
    assert.deepEqual(changed(shown, again), { count: 0, box: null });
    assert.deepEqual(page.errors(), []);
    assert.deepEqual(page.lines(/WebGL/), []);
  } finally {
    await browser.close();
  }
});

test('the camera picture comes back with the context', async () => {
  const browser = await launchBrowser({ camera: barsClip(join(folder, 'bars.y4m')) });
  try {
    const page = await openPage(browser, `${server.url}?seed=3`);
    await play(page.page);
    assert.equal(await page.page.evaluate(() => window.rovuzu.camera), 'live');
    await faceFirstTarget(page);
    const { shown, again } = await loseAndRestore(page);
    // The green and blue bars, edge to edge, and the target over them: the same pixels again.
    assert.ok(shown.at(2, 600)[1] > 200 && shown.at(387, 600)[2] > 200, 'the camera picture');
    assert.deepEqual(changed(shown, again), { count: 0, box: null });
    assert.deepEqual(page.errors(), []);
  } finally {
    await browser.close();
  }
});
