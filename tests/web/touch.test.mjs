// Taps: each touchstart is one tap at its first new finger, a click is one tap, and a tap on
// a target hits it.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { facing, positionOf } from './support/geometry.mjs';
import { openPage, orient, play, report, settle, sharedPage } from './support/page.mjs';

const shared = sharedPage();

const taps = (page) => page.lines(/^El toque ha sido en/);

async function touch(page, points) {
  await page.cdp.send('Input.dispatchTouchEvent', { type: 'touchStart', touchPoints: points });
  await page.cdp.send('Input.dispatchTouchEvent', { type: 'touchEnd', touchPoints: [] });
  await settle(page.page);
}

test('a touch on a target hits it and counts it; one beside it hits nothing', async () => {
  const page = await openPage(shared.browser, `${shared.server.url}?seed=3`);
  await play(page.page);
  await orient(page.cdp, 0, 90, 0);
  await page.page.waitForFunction(() => window.rovuzu.report().anchors === 1, { timeout: 30000 });
  const [yaw, pitch] = facing(positionOf((await report(page.page)).anchorTransforms[0]));
  await orient(page.cdp, yaw, 90 + pitch, 0);
  await settle(page.page, 6);

  await touch(page, [{ x: 30, y: 650 }]);
  assert.equal((await report(page.page)).targetCount, 1);
  await touch(page, [{ x: 195, y: 422 }]);
  const hit = await report(page.page);
  assert.equal(hit.targetCount, 0);
  assert.equal(hit.hudText, 'Faltan: 0');
  assert.deepEqual(taps(page), ['El toque ha sido en: (-330.0, -456.0)', 'El toque ha sido en: (0.0, 0.0)']);
  assert.deepEqual(page.errors(), []);
});

test('fingers landing in one event are one tap, and each finger landing later is its own', async () => {
  const page = await openPage(shared.browser, shared.server.url);
  await play(page.page);
  // One event with two fingers, as a browser sends when both land at once.
  await page.page.evaluate(() => {
    const canvas = document.getElementById('canvas');
    const finger = (identifier, x, y) => new Touch({ identifier, target: canvas, clientX: x, clientY: y,
      pageX: x, pageY: y, screenX: x, screenY: y });
    const fingers = [finger(1, 100, 200), finger(2, 300, 600)];
    canvas.dispatchEvent(new TouchEvent('touchstart', { bubbles: true, cancelable: true,
      touches: fingers, targetTouches: fingers, changedTouches: fingers }));
  });
  await settle(page.page);
  assert.deepEqual(taps(page), ['El toque ha sido en: (-190.0, 444.0)']);
  // The protocol lands two fingers as two events: two taps.
  await touch(page, [{ x: 100, y: 200, id: 1 }, { x: 300, y: 600, id: 2 }]);
  assert.deepEqual(taps(page).slice(1), ['El toque ha sido en: (-190.0, 444.0)', 'El toque ha sido en: (210.0, -356.0)']);
  // A click is a tap too.
  await page.page.mouse.click(195, 422);
  await settle(page.page);
  assert.deepEqual(taps(page).slice(3), ['El toque ha sido en: (0.0, 0.0)']);
  assert.deepEqual(page.errors(), []);
});
