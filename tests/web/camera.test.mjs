// The picture behind the targets: the rear camera's, or the built-in room where there is none,
// and a line on the page saying which, and what else the page lacks.
import { after, before, test } from 'node:test';
import assert from 'node:assert/strict';
import { mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { barsClip } from './support/clip.mjs';
import { desktopRound } from './support/desktop.mjs';
import { facing, positionOf } from './support/geometry.mjs';
import { launchBrowser, openPage, picture, play, report, servePage, settle } from './support/page.mjs';

const folder = mkdtempSync(join(tmpdir(), 'rovuzu-clips-'));
let server;
before(async () => {
  // The first target of seed 3, faced by a look just after it is placed.
  const first = positionOf(desktopRound(['--seed', '3', '--quit-after', '3.1']).report.anchorTransforms[0]);
  const [yaw, pitch] = facing(first);
  server = await servePage({ 'face.txt': `# seed 3\n3.05 look ${yaw} ${pitch}\n` });
});
after(() => {
  server?.stop();
  rmSync(folder, { recursive: true, force: true });
});

const near = ([r, g, b], [er, eg, eb], tolerance = 60) =>
  Math.abs(r - er) <= tolerance && Math.abs(g - eg) <= tolerance && Math.abs(b - eb) <= tolerance;

// The room's ceiling and window are light: nothing like black.
const isRoom = (shown) => shown.at(195, 60).reduce((a, b) => a + b) > 450;

test('the camera fills the view, cropped to cover, behind the targets', async () => {
  const browser = await launchBrowser({ camera: barsClip(join(folder, 'bars.y4m')) });
  try {
    const page = await openPage(browser, `${server.url}?script=face.txt`);
    await play(page.page);
    assert.equal(await page.page.evaluate(() => window.rovuzu.camera), 'live');
    await page.page.waitForFunction(() => window.rovuzu.report().time > 3.3, { timeout: 30000 });
    await settle(page.page);
    const shown = await picture(page.page);
    // A 4:3 picture in a tall view shows its middle: the green bar left, the blue bar right,
    // edge to edge, and none of the red and white bars at its sides.
    assert.ok(near(shown.at(2, 600), [0, 255, 0]), `left edge ${shown.at(2, 600)}`);
    assert.ok(near(shown.at(387, 600), [0, 0, 255]), `right edge ${shown.at(387, 600)}`);
    assert.ok(near(shown.at(180, 300), [0, 255, 0]) && near(shown.at(210, 300), [0, 0, 255]));
    // The faced target is in the middle, over the picture.
    const middle = shown.at(195, 422);
    assert.ok(!near(middle, [0, 255, 0]) && !near(middle, [0, 0, 255]), `middle ${middle}`);
    assert.deepEqual(page.errors(), []);
  } finally {
    await browser.close();
  }
});

test('a refused camera shows the room and says so in one line', async () => {
  const browser = await launchBrowser({ camera: 'refused' });
  try {
    const page = await openPage(browser, server.url);
    await play(page.page);
    const state = await page.page.evaluate(() => ({ camera: window.rovuzu.camera, lines: window.rovuzu.lines }));
    assert.equal(state.camera, 'refused');
    assert.deepEqual(state.lines.filter((line) => /cámara/.test(line)),
      ['Sin permiso para la cámara: se muestra la sala.']);
    assert.ok(isRoom(await picture(page.page)));
    assert.deepEqual(page.errors(), []);
  } finally {
    await browser.close();
  }
});

test('without a camera or motion sensors the room shows, the keys and a drag turn it, and both are said', async () => {
  const browser = await launchBrowser({ camera: 'none' });
  try {
    const page = await openPage(browser, server.url);
    await play(page.page);
    await page.page.waitForFunction(() => window.rovuzu.motion === 'none', { timeout: 10000 });
    assert.deepEqual(await page.page.evaluate(() => window.rovuzu.lines), [
      'No hay cámara: se muestra la sala.',
      'Sin sensores de movimiento: mira con las flechas o arrastrando con el botón derecho.']);
    const still = await picture(page.page);
    assert.ok(isRoom(still));
    await page.page.keyboard.down('ArrowLeft');
    await new Promise((done) => setTimeout(done, 300));
    await page.page.keyboard.up('ArrowLeft');
    await settle(page.page);
    const turned = (await page.page.evaluate(() => window.rovuzu.report())).time;
    assert.ok(turned > 0);
    const afterKeys = await picture(page.page);
    assert.notDeepEqual(afterKeys.at(195, 422), still.at(195, 422), 'the arrow key turned the view');
    await page.page.mouse.move(200, 400);
    await page.page.mouse.down({ button: 'right' });
    await page.page.mouse.move(260, 400, { steps: 4 });
    await page.page.mouse.up({ button: 'right' });
    await settle(page.page);
    assert.notDeepEqual((await picture(page.page)).at(195, 422), afterKeys.at(195, 422), 'the drag turned it');
    assert.deepEqual(page.errors(), []);
  } finally {
    await browser.close();
  }
});

test('a camera taken away mid-round gives the room and a line; back on the page it is asked for once and returns', async () => {
  const asked = () => {
    window.cameraAsks = 0;
    const ask = navigator.mediaDevices.getUserMedia.bind(navigator.mediaDevices);
    navigator.mediaDevices.getUserMedia = (constraints) => { window.cameraAsks++; return ask(constraints); };
  };
  const browser = await launchBrowser({ camera: barsClip(join(folder, 'bars.y4m')) });
  try {
    const page = await openPage(browser, `${server.url}?seed=12`, { beforeLoad: asked });
    await play(page.page);
    const isBars = (shown) => near(shown.at(2, 600), [0, 255, 0]) && near(shown.at(387, 600), [0, 0, 255]);
    assert.ok(isBars(await picture(page.page)), 'the camera at first');
    const lostLine = 'Se ha perdido la cámara: se muestra la sala hasta que vuelva.';
    const lines = () => page.page.evaluate(() => window.rovuzu.lines);

    // Another app takes the camera: its track ends.
    await page.page.evaluate(() => document.querySelector('video.camera').srcObject.getVideoTracks()[0].stop());
    await settle(page.page);
    const lost = await picture(page.page);
    assert.ok(isRoom(lost) && !isBars(lost), `the room, not the clip: ${lost.at(195, 60)}, ${lost.at(2, 600)}`);
    assert.equal(await page.page.evaluate(() => window.rovuzu.camera), 'lost');
    assert.ok((await lines()).includes(lostLine));
    const { time } = await report(page.page);
    await page.page.waitForFunction((then) => window.rovuzu.report().time > then + 0.5, {}, time);

    // Back on the page: asked for once, and the picture replaces the room.
    await page.page.evaluate(() => document.dispatchEvent(new Event('visibilitychange')));
    await page.page.waitForFunction(() => window.rovuzu.camera === 'live', { timeout: 10000 });
    await settle(page.page);
    assert.ok(isBars(await picture(page.page)), 'the camera back');
    assert.ok(!(await lines()).includes(lostLine));
    // A return with the camera live asks for nothing.
    await page.page.evaluate(() => document.dispatchEvent(new Event('visibilitychange')));
    await settle(page.page);
    assert.equal(await page.page.evaluate(() => window.cameraAsks), 2);
    assert.deepEqual(page.errors(), []);
  } finally {
    await browser.close();
  }
});
