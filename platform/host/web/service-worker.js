// Keeps the game for offline play. When it installs, every file of its build goes into a
// cache named after the build's version; from then on each page of the game is served from
// that cache, network or not. A new build's worker fills a cache of its own in the
// background and takes over once no page of the old build is open: a page keeps the files of
// one build for its whole life, and the old build's cache is then dropped.
// tools/web/pack.mjs writes the build's version and files into the next line.
const build = { version: 'unpacked', files: [] };
const cacheName = `rovuzu-${build.version}`;
const kept = new Set(build.files.map((file) => new URL(file.name, self.location).href));

self.addEventListener('install', (event) => {
  // No copy from the browser's own cache unchecked; a file that does not match its hash (a
  // half-finished upload, a stale copy on the way) fails the install, which the next visit
  // tries again, and the old build stays whole meanwhile.
  const requests = build.files.map((file) => new Request(file.name, { cache: 'no-cache', integrity: file.integrity }));
  event.waitUntil(caches.open(cacheName).then((cache) => cache.addAll(requests)));
});

self.addEventListener('activate', (event) => {
  event.waitUntil(caches.keys().then((names) => Promise.all(names
    .filter((name) => name.startsWith('rovuzu-') && name !== cacheName)
    .map((name) => caches.delete(name)))));
});

// The page's address may carry options (?seed=7): any of them opens the same page.
function keptFile(request) {
  const url = new URL(request.url);
  if (request.mode === 'navigate') url.search = '';
  if (url.pathname.endsWith('/')) url.pathname += 'index.html';
  return kept.has(url.href) ? url.href : null;
}

self.addEventListener('fetch', (event) => {
  const file = event.request.method === 'GET' ? keptFile(event.request) : null;
  if (!file) return;  // not the build's (a script the address names): the network, as ever
  event.respondWith(caches.open(cacheName)
    .then((cache) => cache.match(file, { ignoreVary: true }))
    .then((found) => found ?? fetch(event.request)));
});
