// A page on a bad network: a game file that cannot be fetched or compiled, or a browser that
// cannot draw, is said on the start screen in one line with a button that tries again, and
// the retry plays once the file is served again.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { openPage, play, report, sharedPage } from './support/page.mjs';

const loadLine = 'No se pudo cargar el juego: comprueba la conexión y vuelve a intentarlo.';
const portal = '<!doctype html><html><body><h1>Wi-Fi gratis</h1><p>Acepta las condiciones.</p></body></html>';

const shared = sharedPage();

// What the start screen shows: its lines and the buttons a player can press.
const startScreen = (page) => page.evaluate(() => ({ lines: window.rovuzu.lines,
  buttons: [...document.querySelectorAll('#start button')].filter((b) => !b.hidden && !b.disabled)
    .map((b) => b.textContent) }));

// The page's answer to a request for `file` while it fails: a 404, no answer at all, or a
// captive portal's page in its place.
const failures = {
  404: (request) => request.respond({ status: 404, contentType: 'text/plain', body: 'Not Found' }),
  'a network error': (request) => request.abort('failed'),
  'a web page': (request) => request.respond({ status: 200, contentType: 'text/html', body: portal }),
};

for (const file of ['rovuzu.wasm', 'rovuzu.data', 'rovuzu.js']) {
  for (const [how, fail] of Object.entries(failures)) {
    test(`${file} failing with ${how} is said, and the retry plays once it is served`, async () => {
      let failing = true;
      const page = await openPage(shared.browser, shared.server.url, {
        onRequest: (request) => (failing && new URL(request.url()).pathname === `/${file}` ? fail(request) : request.continue()),
      });
      try {
        await page.page.waitForFunction(() => window.rovuzu.lines.length > 0, { timeout: 30000 });
        assert.deepEqual(await startScreen(page.page), { lines: [loadLine], buttons: ['Reintentar'] });
        assert.ok(page.lines(/^rovuzu: /).some((line) => line.startsWith(`rovuzu: ${file}: `)),
          `the console names the file: ${page.lines(/^rovuzu: /)}`);

        failing = false;
        await Promise.all([page.page.waitForNavigation(), page.page.click('#retry')]);
        await play(page.page);
        assert.deepEqual(await page.page.evaluate(() => window.rovuzu.lines.filter((line) => /cargar/.test(line))), []);
        await page.page.waitForFunction(() => window.rovuzu.report().time > 0.5, { timeout: 30000 });
        assert.equal((await report(page.page)).hudAttached, true);
      } finally {
        await page.page.close();
      }
    });
  }
}

test('too little memory to compile the game is said the same way', async () => {
  const page = await openPage(shared.browser, shared.server.url, {
    beforeLoad: () => {
      WebAssembly.compile = () => Promise.reject(new RangeError('WebAssembly.compile(): Out of memory'));
    },
  });
  try {
    await page.page.waitForFunction(() => window.rovuzu.lines.length > 0, { timeout: 30000 });
    assert.deepEqual(await startScreen(page.page), { lines: [loadLine], buttons: ['Reintentar'] });
    assert.deepEqual(page.lines(/^rovuzu: /), ['rovuzu: rovuzu.wasm: RangeError: WebAssembly.compile(): Out of memory']);
  } finally {
    await page.page.close();
  }
});

test('a browser that cannot make a WebGL context says so, with the same retry', async () => {
  const page = await openPage(shared.browser, shared.server.url, {
    beforeLoad: () => {
      const getContext = HTMLCanvasElement.prototype.getContext;
      HTMLCanvasElement.prototype.getContext = function (kind, ...rest) {
        return /webgl/.test(kind) ? null : getContext.call(this, kind, ...rest);
      };
    },
  });
  try {
    await page.page.waitForFunction(() => window.rovuzu.lines.length > 0, { timeout: 30000 });
    assert.deepEqual(await startScreen(page.page),
      { lines: ['Este navegador no puede mostrar el juego: no tiene WebGL.'], buttons: ['Reintentar'] });
  } finally {
    await page.page.close();
  }
});
