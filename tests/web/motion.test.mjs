// The phone's motion sensors turn the device: the first reading is where tracking began, and
// then the world and its targets stay put while the phone turns, in portrait and landscape.
import { after, before, describe, test } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { grey, greyClip } from './support/clip.mjs';
import { cameraFocalLength, facing, focalLength, middleOfOthers, positionOf, project, shiftOf } from './support/geometry.mjs';
import { desktopBinary, launchBrowser, openPage, orient, picture, play, report, servePage, settle } from './support/page.mjs';
import { readPng } from './support/png.mjs';

const folder = mkdtempSync(join(tmpdir(), 'rovuzu-motion-'));
const greyRgb = [grey[0], grey[0], grey[0]];
const turn = 10;  // degrees
let server;
before(async () => { server = await servePage(); });
after(() => {
  server?.stop();
  rmSync(folder, { recursive: true, force: true });
});

// The sensors' readings of a phone held upright, its camera at `yaw` and `pitch` (degrees,
// left and up positive): the browser's alpha, beta, gamma for each way of holding it.
const portrait = (yaw, pitch) => [yaw, 90 + pitch, 0];
const landscape = (yaw, pitch) => [90 + yaw, 0, -90 - pitch];

// Turns the phone and waits until the page has drawn it.
async function hold(page, reading) {
  await orient(page.cdp, ...reading);
  await page.page.waitForFunction(() => window.rovuzu.motion === 'sensed');
  await settle(page.page, 6);
}

for (const [name, size, holding] of [['portrait', [390, 844], portrait], ['landscape', [844, 390], landscape]]) {
  describe(`held in ${name}`, () => {
    const [width, height] = size;
    const shift = Math.tan((turn * Math.PI) / 180) * focalLength(width, height);

    test('turning left moves the room right, and tilting down moves it up, by the angle turned', async () => {
      const browser = await launchBrowser();
      try {
        // Seed 12 places its first four targets far behind: the room alone is in view.
        const page = await openPage(browser, `${server.url}?seed=12`, { width, height, landscape: name === 'landscape' });
        await play(page.page);
        await hold(page, holding(0, 0));
        const ahead = await picture(page.page);
        await hold(page, holding(turn, 0));
        const left = await picture(page.page);
        await hold(page, holding(0, -turn));
        const down = await picture(page.page);
        const moved = shiftOf(ahead, left, width / 2, height / 2);
        const rose = shiftOf(ahead, down, width / 2, height / 2, { along: 'y' });
        assert.ok(Math.abs(moved - shift) <= 3, `moved ${moved} px right, expected ${shift.toFixed(1)}`);
        assert.ok(Math.abs(-rose - shift) <= 3, `moved ${-rose} px up, expected ${shift.toFixed(1)}`);
        assert.deepEqual(page.errors(), []);
      } finally {
        await browser.close();
      }
    });

    test("a target over the camera's picture stays on its spot in the world as the phone turns", async () => {
      const browser = await launchBrowser({ camera: greyClip(join(folder, 'grey.y4m')) });
      try {
        const page = await openPage(browser, `${server.url}?seed=3`, { width, height, landscape: name === 'landscape' });
        await play(page.page);
        await hold(page, holding(0, 0));
        await page.page.waitForFunction(() => window.rovuzu.report().anchors === 1, { timeout: 30000 });
        const target = positionOf((await report(page.page)).anchorTransforms[0]);
        const [yaw, pitch] = facing(target);
        // Half the turn: the camera's picture is a closer view than the room's, and the whole
        // target must stay in view to be found.
        const step = turn / 2;
        for (const [turnedYaw, turnedPitch] of [[yaw, pitch], [yaw + step, pitch], [yaw, pitch + step]]) {
          await hold(page, holding(turnedYaw, turnedPitch));
          // The grey clip is 640 by 480: the projection is the picture's.
          const f = cameraFocalLength([640, 480], width, height);
          const [x, y] = project(target, turnedYaw, turnedPitch, width, height, f);
          const found = middleOfOthers(await picture(page.page), greyRgb, [x - 60, y - 60, x + 60, y + 60]);
          assert.ok(found, `no target near ${x}, ${y}`);
          assert.ok(Math.hypot(found[0] - x, found[1] - y) <= 3,
            `target at ${found[0].toFixed(1)}, ${found[1].toFixed(1)}, expected ${x.toFixed(1)}, ${y.toFixed(1)}`);
        }
        assert.deepEqual(page.errors(), []);
      } finally {
        await browser.close();
      }
    });
  });
}

// Straight up and down, where yaw and roll turn about the same axis: the page's view must be the
// very rotation the sensors say, as the desktop draws it from the same quaternion, worked out
// here on its own from the browser's angles (device in the Earth's frame: Rz(alpha) Rx(beta)
// Ry(gamma); the Earth's up is the world's y).
const quaternionTimes = ([ax, ay, az, aw], [bx, by, bz, bw]) => [
  aw * bx + ax * bw + ay * bz - az * by, aw * by - ax * bz + ay * bw + az * bx,
  aw * bz + ax * by - ay * bx + az * bw, aw * bw - ax * bx - ay * by - az * bz];
const about = (axis, degrees) => {
  const half = (degrees * Math.PI) / 360;
  const q = [0, 0, 0, Math.cos(half)];
  q[axis] = Math.sin(half);
  return q;
};
const sensed = (alpha, beta, gamma) =>
  [about(0, -90), about(2, alpha), about(0, beta), about(1, gamma)].reduce(quaternionTimes);

// The desktop's picture of a rotation, at one pixel a point like the page's.
function desktopPicture(rotation, [width, height]) {
  const script = join(folder, 'pose.txt');
  const shot = join(folder, 'pose.png');
  writeFileSync(script, `0.1 orient ${rotation.join(' ')}\n0.5 quit\n`);
  execFileSync(desktopBinary, ['--headless', '--seed', '12', '--view', `${width}x${height}`, '--script', script,
    '--screenshot', shot], { env: { ...process.env, SDL_AUDIODRIVER: 'dummy' } });
  const big = readPng(readFileSync(shot));
  return { width, height, at: (x, y) => [0, 1, 2].map((k) => (big.at(2 * x, 2 * y)[k] + big.at(2 * x + 1, 2 * y)[k]
    + big.at(2 * x, 2 * y + 1)[k] + big.at(2 * x + 1, 2 * y + 1)[k]) / 4) };
}

test('looking straight up or down, and just short of it, the view is the rotation the sensors say', async () => {
  const browser = await launchBrowser();
  try {
    const [width, height] = [390, 844];
    const page = await openPage(browser, `${server.url}?seed=12`, { width, height });
    await play(page.page);
    await hold(page, [0, 90, 0]);  // where tracking begins: the heading the rest is measured from
    // Where to look for texture with corners: a square on the rug below, a crossing of the
    // ceiling's joints above.
    const offs = [];
    for (const [beta, x, y] of [[0, 283, 103], [0.5, 283, 103], [-180, 310, 620], [179.5, 310, 620]]) {
      await hold(page, [30, beta, 0]);
      const shown = await picture(page.page);
      const drawn = desktopPicture(sensed(30, beta, 0), [width, height]);
      const across = shiftOf(drawn, shown, x, y, { range: 40 });
      const down = shiftOf(drawn, shown, x, y, { along: 'y', range: 40 });
      offs.push(`beta ${beta}: ${Math.hypot(across, down).toFixed(1)}`);
      // The two draw the room's textures differently (the page filters them, the desktop does
      // not): a pixel or two between them is that; a clamp short of vertical is a degree, 13 px.
      assert.ok(Math.hypot(across, down) <= 3, `beta ${beta}: the view is off by ${across}, ${down} px`);
    }
    console.log(`near vertical, off by (px): ${offs.join(', ')}`);
    assert.deepEqual(page.errors(), []);
  } finally {
    await browser.close();
  }
});

test('sensors that answer after the first second take back the line that said there were none', async () => {
  const browser = await launchBrowser();
  try {
    // Seed 12 places its first four targets far behind: the room alone is in view.
    const page = await openPage(browser, `${server.url}?seed=12`);
    await play(page.page);
    await page.page.waitForFunction(() => window.rovuzu.motion === 'none', { timeout: 10000 });
    const sensorsLine = (lines) => lines.filter((line) => /sensores/.test(line));
    assert.equal(sensorsLine(await page.page.evaluate(() => window.rovuzu.lines)).length, 1);
    await new Promise((done) => setTimeout(done, 500));
    await hold(page, portrait(0, 0));
    assert.deepEqual(sensorsLine(await page.page.evaluate(() => window.rovuzu.lines)), []);
    assert.equal(await page.page.evaluate(() => document.getElementById('lines').textContent.includes('sensores')), false);
    // And they turn the view from then on, by the angle turned.
    const ahead = await picture(page.page);
    await hold(page, portrait(turn, 0));
    const moved = shiftOf(ahead, await picture(page.page), 195, 422);
    const shift = Math.tan((turn * Math.PI) / 180) * focalLength(390, 844);
    assert.ok(Math.abs(moved - shift) <= 3, `moved ${moved} px right, expected ${shift.toFixed(1)}`);
    assert.deepEqual(page.errors(), []);
  } finally {
    await browser.close();
  }
});
