// A phone turned mid-round: the HUD's label is placed again from the view's new frame, whole and
// near the top in either orientation, and the round goes on as it was.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { openPage, picture, play, report, settle, sharedPage } from './support/page.mjs';

const shared = sharedPage();

// The box around the text the page draws in the middle band of the view's upper half: white
// glyphs, each beside the black of its halo.
function textBox(shown) {
  const bright = (x, y) => shown.at(x, y).slice(0, 3).every((v) => v >= 245);
  const dark = (x, y) => shown.at(x, y).slice(0, 3).every((v) => v <= 40);
  const band = [Math.round(shown.width * 0.3), Math.round(shown.width * 0.7)];
  let [top, bottom, left, right] = [Infinity, -Infinity, Infinity, -Infinity];
  for (let y = 0; y < shown.height / 2; ++y) {
    for (let x = band[0]; x < band[1]; ++x) {
      const haloed = bright(x, y) && [[-3, 0], [3, 0], [0, -3], [0, 3]].some(([dx, dy]) =>
        y + dy >= 0 && dark(x + dx, y + dy));
      if (haloed) [top, bottom, left, right] = [Math.min(top, y), Math.max(bottom, y), Math.min(left, x), Math.max(right, x)];
    }
  }
  return { top, bottom, middle: (left + right) / 2 };
}

test('portrait, landscape and portrait again mid-round: the HUD shows whole near the top each time', async () => {
  const page = await openPage(shared.browser, `${shared.server.url}?seed=12`, { width: 390, height: 844 });
  await play(page.page);
  await page.page.waitForFunction(() => window.rovuzu.report().targetsCreated === 1, { timeout: 30000 });
  const before = await report(page.page);
  for (const [width, height, landscape] of [[390, 844, false], [844, 390, true], [390, 844, false]]) {
    await page.page.setViewport({ width, height, deviceScaleFactor: 1, isMobile: true, hasTouch: true, isLandscape: landscape });
    await settle(page.page, 6);
    const box = textBox(await picture(page.page));
    assert.ok(box.top >= 4, `${width}x${height}: the HUD is cut off at the top (its text starts at row ${box.top})`);
    assert.ok(box.bottom <= height * 0.4, `${width}x${height}: the HUD is not near the top (it ends at row ${box.bottom})`);
    assert.ok(Math.abs(box.middle - width / 2) <= 6, `${width}x${height}: the HUD is not in the middle (${box.middle})`);
  }
  const after = await report(page.page);
  assert.equal(after.hudText, before.hudText);
  assert.equal(after.targetsCreated, before.targetsCreated);
  assert.deepEqual(after.anchorTransforms, before.anchorTransforms);
  assert.deepEqual(page.errors(), []);
});
