// Cold starts as a phone meets them: the CPU throttled 4x (Emulation.setCPUThrottlingRate) and
// eight cores told to the page, on this machine's own link or on a slow 4G one
// (Network.emulateNetworkConditions), side by side with a bare page that creates a WebGL
// context and draws one frame; and a second visit in the same profile, when a service worker
// may serve the files.
import { brotliCompressSync, constants, gzipSync } from 'node:zlib';
import { readFileSync } from 'node:fs';
import { join } from 'node:path';
import { launchBrowser } from '../../tests/web/support/page.mjs';

export const cpuSlowdown = 4;
// What the page is told of the phone's cores, as most phones have.
export const phoneCores = 8;
// Lighthouse's slow 4G: 150 ms round trips, 1.6 Mbit/s down, 750 kbit/s up.
export const slow4g = { latency: 150, download: 1.6e6 / 8, upload: 750e3 / 8 };

// A page that only creates a WebGL context, as the game does on load, and draws one frame.
export const barePage = `<!doctype html>
<html><head><meta charset="utf-8">
<meta name="viewport" content="width=device-width, initial-scale=1">
<style>html, body { margin: 0; height: 100%; background: #000; }
canvas { position: fixed; inset: 0; width: 100%; height: 100%; }</style></head>
<body><canvas id="canvas"></canvas><script>
const canvas = document.getElementById('canvas');
canvas.width = innerWidth * devicePixelRatio;
canvas.height = innerHeight * devicePixelRatio;
const gl = canvas.getContext('webgl');
const shader = (type, text) => {
  const made = gl.createShader(type);
  gl.shaderSource(made, text);
  gl.compileShader(made);
  return made;
};
const program = gl.createProgram();
gl.attachShader(program, shader(gl.VERTEX_SHADER, 'attribute vec2 p; void main() { gl_Position = vec4(p, 0, 1); }'));
gl.attachShader(program, shader(gl.FRAGMENT_SHADER, 'void main() { gl_FragColor = vec4(1, 0.2, 0.2, 1); }'));
gl.linkProgram(program);
gl.bindBuffer(gl.ARRAY_BUFFER, gl.createBuffer());
gl.bufferData(gl.ARRAY_BUFFER, new Float32Array([-1, -1, 1, -1, 0, 1]), gl.STATIC_DRAW);
requestAnimationFrame(() => {
  gl.viewport(0, 0, canvas.width, canvas.height);
  gl.clearColor(0.06, 0.09, 0.12, 1);
  gl.clear(gl.COLOR_BUFFER_BIT);
  gl.useProgram(program);
  gl.enableVertexAttribArray(0);
  gl.vertexAttribPointer(0, 2, gl.FLOAT, false, 0, 0);
  gl.drawArrays(gl.TRIANGLES, 0, 3);
  window.bareFrameAt = performance.now();
});
</script></body></html>
`;

// Runs in the page before its own script: keeps the main thread's long tasks, notes when the
// start button is enabled and taps it at once, in a task of its own as a player's tap is.
function watchPage() {
  window.bench = { tasks: [], enabledAt: null, tappedAt: null };
  new PerformanceObserver((list) => {
    for (const task of list.getEntries()) window.bench.tasks.push({ start: task.startTime, duration: task.duration });
  }).observe({ type: 'longtask', buffered: true });
  new MutationObserver((changes, observer) => {
    const button = document.getElementById('play');
    if (!button || button.disabled) return;
    window.bench.enabledAt = performance.now();
    observer.disconnect();
    setTimeout(() => {
      window.bench.tappedAt = performance.now();
      button.click();
    }, 0);
  }).observe(document, { subtree: true, attributes: true, childList: true });
}

// Chromium's CPU throttling slows only a page's main thread, not its workers. Here every
// worker holds each message it posts back by (slowdown - 1) times what it worked for it, from
// the message it was answering, as a phone's cores, all as slow as each other, would give it.
function slowWorkers(slowdown) {
  const Real = window.Worker;
  const hold = (times) => {
    let began = performance.now();
    self.addEventListener('message', () => { began = performance.now(); });
    const post = self.postMessage.bind(self);
    self.postMessage = (...message) => setTimeout(() => post(...message), (performance.now() - began) * times);
  };
  window.Worker = function (url, options) {
    const source = `(${hold})(${slowdown - 1}); importScripts(${JSON.stringify(String(url))});`;
    return new Real(URL.createObjectURL(new Blob([source], { type: 'text/javascript' })), options);
  };
}

// The requests a page makes, with the bytes each took on the wire, from the protocol's events.
function recordRequests(cdp) {
  const requests = new Map();
  cdp.on('Network.requestWillBeSent', (event) => {
    if (!event.request.url.startsWith('http')) return;
    requests.set(event.requestId, { url: event.request.url, sentAt: event.wallTime * 1000, wire: 0,
      encoding: 'identity', fromWorker: false, status: 0 });
  });
  cdp.on('Network.responseReceived', (event) => {
    const request = requests.get(event.requestId);
    if (!request) return;
    const headers = Object.fromEntries(Object.entries(event.response.headers).map(([k, v]) => [k.toLowerCase(), v]));
    request.status = event.response.status;
    request.encoding = headers['content-encoding'] ?? 'identity';
    request.fromWorker = event.response.fromServiceWorker === true;
  });
  cdp.on('Network.loadingFinished', (event) => {
    const request = requests.get(event.requestId);
    if (request) request.wire = event.encodedDataLength;
  });
  return requests;
}

async function openThrottled(browser, url, { network, beforeLoad, workersThrottled = false }) {
  const page = await browser.newPage();
  await page.setViewport({ width: 390, height: 844, deviceScaleFactor: 3, isMobile: true, hasTouch: true });
  const cdp = await page.createCDPSession();
  await cdp.send('Network.enable');
  const requests = recordRequests(cdp);
  await cdp.send('Emulation.setCPUThrottlingRate', { rate: cpuSlowdown });
  await cdp.send('Emulation.setHardwareConcurrencyOverride', { hardwareConcurrency: phoneCores });
  if (network) {
    await cdp.send('Network.emulateNetworkConditions', { offline: false, latency: network.latency,
      downloadThroughput: network.download, uploadThroughput: network.upload });
  }
  if (beforeLoad) await page.evaluateOnNewDocument(beforeLoad);
  if (workersThrottled) await page.evaluateOnNewDocument(slowWorkers, cpuSlowdown);
  await page.goto(url, { waitUntil: 'domcontentloaded', timeout: 120000 });
  return { page, requests };
}

// Navigation to the bare page's frame, in milliseconds, and its longest task on the way (the
// browser's own cost of a WebGL context, which the game pays too).
export async function bareStart(server, network) {
  const browser = await launchBrowser({ serviceWorkers: true });
  try {
    const { page } = await openThrottled(browser, `${server.url}bare.html`, { network, beforeLoad: watchPage });
    await page.waitForFunction(() => window.bareFrameAt !== undefined, { timeout: 120000 });
    return await page.evaluate(() => ({ frameAt: window.bareFrameAt,
      longest: Math.max(0, ...window.bench.tasks.filter((task) => task.start < window.bareFrameAt)
        .map((task) => task.duration)) }));
  } finally {
    await browser.close();
  }
}

// One start of the game in `browser`: navigation to the start button enabled, the tap to the
// round's first frame, the longest task before the button and between the tap and the frame,
// where the room's pictures came from, and the requests made before the button was enabled.
async function gameStart(browser, server, network, workersThrottled = false) {
  const { page, requests } = await openThrottled(browser, server.url,
    { network, beforeLoad: watchPage, workersThrottled });
  await page.waitForFunction(() => window.rovuzu?.firstFrameAt !== null && window.bench.tappedAt !== null,
    { timeout: 180000 });
  const seen = await page.evaluate(() => ({ ...window.bench, frameAt: window.rovuzu.firstFrameAt,
    room: window.rovuzu.room, origin: performance.timeOrigin }));
  const longest = (from, to) => Math.max(0, ...seen.tasks
    .filter((task) => task.start < to && task.start + task.duration > from).map((task) => task.duration));
  const enabledWall = seen.origin + seen.enabledAt;
  return {
    page,
    enabled: seen.enabledAt,
    tapToFrame: seen.frameAt - seen.tappedAt,
    longestBefore: longest(0, seen.enabledAt),
    longestAfterTap: longest(seen.tappedAt, seen.frameAt),
    room: seen.room,
    before: [...requests.values()].filter((request) => request.sentAt <= enabledWall),
  };
}

// `workersThrottled`: the page's workers as slow as its main thread (slowWorkers).
export async function coldStart(server, network, workersThrottled = false) {
  const browser = await launchBrowser({ serviceWorkers: true });
  try {
    const { page, ...figures } = await gameStart(browser, server, network, workersThrottled);
    return figures;
  } finally {
    await browser.close();
  }
}

// The state of the worker the page registers within 10 s of offering the start, once it has
// installed what it caches; 'none' if it registers none.
async function activatedWorker() {
  const waited = (ms) => new Promise((done) => setTimeout(done, ms));
  for (let tries = 0; tries < 100; ++tries) {
    if (await navigator.serviceWorker.getRegistration()) {
      const activated = async () => {
        const { active } = await navigator.serviceWorker.ready;
        while (active.state === 'activating') await waited(50);
        return active.state;
      };
      return Promise.race([activated(), waited(60000).then(() => 'not activated within 60 s')]);
    }
    await waited(100);
  }
  return 'none';
}

// A first visit without throttling, then, once any service worker it registers has activated,
// a second visit in the same profile, timed as a cold start is.
export async function secondVisit(server, network) {
  const browser = await launchBrowser({ serviceWorkers: true });
  try {
    const first = await browser.newPage();
    await first.goto(server.url);
    await first.waitForFunction(() => !document.getElementById('play').disabled, { timeout: 120000 });
    const worker = await first.evaluate(activatedWorker);
    await first.close();
    const { page, ...figures } = await gameStart(browser, server, network);
    return { ...figures, worker };
  } finally {
    await browser.close();
  }
}

// What the requests' bodies come to raw, gzip -9 and brotli -q 11, from the served folder.
export function packedSizes(server, requests) {
  return requests.map((request) => {
    const path = new URL(request.url).pathname;
    const bytes = readFileSync(join(server.root, path.endsWith('/') ? `${path}index.html` : path));
    return { ...request, name: path, raw: bytes.length, gzip: gzipSync(bytes, { level: 9 }).length,
      brotli: brotliCompressSync(bytes, { params: { [constants.BROTLI_PARAM_QUALITY]: 11,
        [constants.BROTLI_PARAM_SIZE_HINT]: bytes.length } }).length };
  });
}
