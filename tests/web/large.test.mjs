// A view larger than the GPU and the browser let a page draw at the device's pixel ratio: the
// page draws it whole at a lower ratio, and the player's touches still land on what is drawn.
import { after, before, test } from 'node:test';
import assert from 'node:assert/strict';
import { desktopRound } from './support/desktop.mjs';
import { facing, positionOf, project } from './support/geometry.mjs';
import { launchBrowser, openPage, play, report, servePage, settle } from './support/page.mjs';
import { readPng } from './support/png.mjs';

const side = 3000;  // CSS pixels, view points
const shrink = 0.2;  // screenshots at a fifth of a pixel a point
const turn = 10;  // degrees left of the first target, which then shows right of the middle
let server;
let browser;
let aim;
before(async () => {
  const first = positionOf(desktopRound(['--seed', '3', '--quit-after', '3.1']).report.anchorTransforms[0]);
  const [yaw, pitch] = facing(first);
  aim = { first, yaw: yaw + turn, pitch };
  // Turned at once; on the virtual clock a page plays half a second a frame, however slowly
  // it draws a view this large.
  const look = `# seed 3\n0 look ${aim.yaw} ${aim.pitch}\n`;
  server = await servePage({ 'aim.txt': look, 'aim-2s.txt': `${look}2 quit\n`, 'aim-4s.txt': `${look}4 quit\n` });
  browser = await launchBrowser();
});
after(async () => {
  await browser?.close();
  server?.stop();
});

// The clip's scale counts device pixels.
const shot = async (page, dpr) => readPng(Buffer.from(await page.screenshot({ type: 'png',
  clip: { x: 0, y: 0, width: side, height: side, scale: shrink / dpr } })));

const distance = (p, q) => Math.abs(p[0] - q[0]) + Math.abs(p[1] - q[1]) + Math.abs(p[2] - q[2]);

// The box, in view points, around every pixel within `reach` points of `around` that differs
// between two shots.
function changes(a, b, [cx, cy], reach) {
  let box = null;
  for (let y = Math.max(0, Math.round((cy - reach) * shrink)); y < Math.min(a.height, (cy + reach) * shrink); ++y) {
    for (let x = Math.max(0, Math.round((cx - reach) * shrink)); x < Math.min(a.width, (cx + reach) * shrink); ++x) {
      if (distance(a.at(x, y), b.at(x, y)) <= 60) continue;
      const [x0, y0, x1, y1] = box ?? [x, y, x, y];
      box = [Math.min(x0, x), Math.min(y0, y), Math.max(x1, x), Math.max(y1, y)];
    }
  }
  return box && box.map((v, i) => (v + (i < 2 ? 0 : 1)) / shrink);
}

// The large view at a pixel ratio, turned to the aim: the page, and what it shows once the
// round has ended at `seconds` (2: before any target, 4: with the first one alone), or, live,
// once the first target is there.
async function aimed(dpr, seconds) {
  const script = seconds ? `aim-${seconds}s.txt` : 'aim.txt';
  const page = await openPage(browser, `${server.url}?clock=virtual&script=${script}`, { width: side, height: side, dpr });
  await play(page.page);
  await page.page.waitForFunction((until) => (until ? window.rovuzu.report().time >= until
    : window.rovuzu.report().anchors >= 1), { timeout: 120000, polling: 'raf' }, seconds);
  const picture = await shot(page.page, dpr);
  assert.equal(picture.width, side * shrink);
  return { page, picture };
}

const canvasOf = (page) => page.evaluate(() => {
  const element = document.getElementById('canvas');
  const gl = element.getContext('webgl');
  return { width: element.width, height: element.height, buffer: [gl.drawingBufferWidth, gl.drawingBufferHeight],
    viewport: [...gl.getParameter(gl.MAX_VIEWPORT_DIMS)], renderbuffer: gl.getParameter(gl.MAX_RENDERBUFFER_SIZE) };
});

test('a 3000 by 3000 view at ratio 3 draws whole at the ratio it can have, and a touch on a target hits it', async () => {
  const empty = await aimed(3, 2);
  const first = await aimed(3, 4);
  const canvas = await canvasOf(first.page.page);
  // The browser here gives at most 5760 pixels a side: 9000 cannot be had.
  assert.ok(canvas.width < 3 * side, `a canvas of ${canvas.width} pixels`);
  assert.deepEqual(canvas.buffer, [canvas.width, canvas.height]);
  assert.ok(canvas.width <= Math.min(canvas.viewport[0], canvas.renderbuffer));

  // The first target is drawn where the AR camera puts it in view points...
  const expected = project(aim.first, aim.yaw, aim.pitch, side, side);
  const box = changes(empty.picture, first.picture, expected, 300);
  assert.ok(box, `no target drawn near ${expected}`);
  const drawn = [(box[0] + box[2]) / 2, (box[1] + box[3]) / 2];
  assert.ok(Math.hypot(drawn[0] - expected[0], drawn[1] - expected[1]) < 15,
    `drawn at ${drawn}, expected at ${expected}`);
  // ... and a touch there hits it.
  const live = await aimed(3);
  const { page, cdp } = live.page;
  await cdp.send('Input.dispatchTouchEvent', { type: 'touchStart', touchPoints: [{ x: drawn[0], y: drawn[1] }] });
  await cdp.send('Input.dispatchTouchEvent', { type: 'touchEnd', touchPoints: [] });
  await settle(page);
  const hit = await report(page);
  assert.equal(hit.targetsCreated - hit.targetCount, 1, `${hit.targetCount} of ${hit.targetsCreated} left`);
  assert.deepEqual(live.page.errors(), []);
  await Promise.all([empty, first, live].map((shown) => shown.page.page.close()));
});

test('drawn at the lower ratio, the view is the one drawn where it fits: HUD, room and target in their places', async () => {
  const large = await aimed(3, 4);
  const fitting = await aimed(1, 4);
  const [a, b] = [large.picture, fitting.picture];
  let different = 0;
  for (let y = 0; y < a.height; ++y) {
    for (let x = 0; x < a.width; ++x) {
      // Not the read-outs' corner, whose frame rate differs.
      if (x > a.width - 40 && y > a.height - 10) continue;
      if (distance(a.at(x, y), b.at(x, y)) > 60) ++different;
    }
  }
  // Edges fall on other pixels at another ratio: under half a percent here. A view drawn
  // past what the GPU gives differs almost everywhere.
  assert.ok(different < a.width * a.height * 0.02, `${different} pixels differ`);
  assert.equal((await canvasOf(fitting.page.page)).width, side);
  await large.page.page.close();
  await fitting.page.page.close();
});
