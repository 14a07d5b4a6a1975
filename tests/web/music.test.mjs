// The music is not part of what the page needs to start: it is fetched once the round has
// begun, and plays when it arrives; a page whose music never arrives plays its round silently.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { openPage, play, settle, sharedPage } from './support/page.mjs';

const shared = sharedPage();

// Counts what the page starts playing, by the length of each sound, and when.
const listen = () => {
  window.played = [];
  const start = AudioBufferSourceNode.prototype.start;
  AudioBufferSourceNode.prototype.start = function (...args) {
    window.played.push({ seconds: Math.round(this.buffer.duration), loops: this.loop, at: performance.now() });
    return start.apply(this, args);
  };
};

// Holds the page's requests for the music until `answer` is called with how to answer them.
async function holdMusic(page) {
  const held = [];
  await page.cdp.send('Fetch.enable', { patterns: [{ urlPattern: '*rovuzu.mp3' }] });
  page.cdp.on('Fetch.requestPaused', (request) => held.push(request.requestId));
  return {
    held,
    answer: (how) => Promise.all(held.splice(0).map((requestId) => how(requestId))),
  };
}

const played = (page) => page.page.evaluate(() => window.played);
const musicLoops = async (page) => (await played(page)).filter((sound) => sound.loops);

test('the music is fetched only once the round has begun, and begins when it arrives', async () => {
  const page = await openPage(shared.browser, `${shared.server.url}?seed=4`, { beforeLoad: listen });
  await page.page.waitForFunction(() => !document.getElementById('play').disabled);
  const before = await page.page.evaluate(() => performance.getEntriesByType('resource').map((e) => e.name));
  assert.deepEqual(before.filter((name) => name.endsWith('rovuzu.mp3')), [], 'nothing of the music before "Jugar"');

  const music = await holdMusic(page);
  await play(page.page);
  await page.page.waitForFunction(() => window.rovuzu.firstFrameAt !== null);
  await settle(page.page, 10);
  assert.equal(music.held.length, 1, 'asked for once the round has begun');
  assert.deepEqual(await musicLoops(page), [], 'no music before its bytes arrive');

  const answeredAt = await page.page.evaluate(() => performance.now());
  await music.answer((requestId) => page.cdp.send('Fetch.continueRequest', { requestId }));
  await page.page.waitForFunction(() => window.played.some((sound) => sound.loops), { timeout: 30000 });
  const loops = await musicLoops(page);
  assert.equal(loops.length, 1);
  assert.ok(loops[0].seconds > 5, `the music, ${loops[0].seconds} s long`);
  assert.ok(loops[0].at > answeredAt);
  const report = await page.page.evaluate(() => window.rovuzu.report());
  assert.equal(report.gameOver, false, 'the round went on meanwhile');
  assert.deepEqual(page.errors(), []);
});

test('a page whose music cannot be fetched plays its round silently, saying so on stderr', async () => {
  const page = await openPage(shared.browser, `${shared.server.url}?autoplay&clock=virtual&seed=7`, { beforeLoad: listen });
  const music = await holdMusic(page);
  page.cdp.on('Fetch.requestPaused', () => music.answer((requestId) =>
    page.cdp.send('Fetch.fulfillRequest', { requestId, responseCode: 404, body: '' })));
  await play(page.page);
  await page.page.waitForFunction(() => window.rovuzu.report().gameOver, { timeout: 60000 });
  const sounds = await played(page);
  assert.equal(sounds.filter((sound) => sound.loops).length, 0, 'no music');
  assert.equal(sounds.filter((sound) => !sound.loops).length, 25, 'a hit sound a target');
  assert.equal(page.lines(/^El toque ha sido en/).length, 25);
  const shown = await page.page.evaluate(() => window.rovuzu.lines);
  assert.deepEqual(shown.filter((line) => /rovuzu|mp3|música/i.test(line)), [], 'nothing on the page about it');
  const errors = page.errors().map((message) => message.text).filter((text) => !text.startsWith('Failed to load resource'));
  assert.deepEqual(errors, ['rovuzu: rovuzu.mp3: cannot be fetched (404 Not Found); it stays silent']);
});
