// What goes over the wire: the build's big files packed as brotli and gzip beside themselves,
// the server sending the best copy the browser takes with the file's own type, and the
// offline worker told the build's version and every file with its hash.
import { after, before, test } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { createHash, randomBytes } from 'node:crypto';
import { cpSync, mkdtempSync, readdirSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { request } from 'node:http';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { brotliDecompressSync, gunzipSync } from 'node:zlib';
import { built, repository, servePage } from './support/page.mjs';

let server;
before(async () => {
  server = await servePage();
});
after(async () => {
  await server?.stop();
});

// A GET (or another method) of `path` with the given request headers: status, headers, body.
function fetchRaw(path, headers = {}, method = 'GET') {
  return new Promise((done, fail) => {
    request(new URL(path, server.url), { method, headers }, (response) => {
      const chunks = [];
      response.on('data', (chunk) => chunks.push(chunk));
      response.on('end', () => done({ status: response.statusCode, headers: response.headers, body: Buffer.concat(chunks) }));
    }).on('error', fail).end();
  });
}

const decoders = { br: brotliDecompressSync, gzip: gunzipSync };
const types = { 'rovuzu.wasm': 'application/wasm', 'rovuzu.js': 'text/javascript; charset=utf-8',
  'rovuzu.data': 'application/octet-stream', 'index.html': 'text/html; charset=utf-8',
  'rovuzu.webmanifest': 'application/manifest+json' };

test('each big file goes out as brotli, or gzip, when the browser takes it, with its own type', async () => {
  // The data is mostly pictures and sound, compressed already: gzip does not shrink it enough
  // to be worth a copy, so it goes out as brotli or as it is.
  const data = await fetchRaw('rovuzu.data', { 'Accept-Encoding': 'gzip, br' });
  assert.equal(data.headers['content-encoding'], 'br');
  assert.ok(brotliDecompressSync(data.body).equals(readFileSync(join(built, 'rovuzu.data'))));
  for (const name of ['index.html', 'rovuzu.js', 'rovuzu.wasm']) {
    const type = types[name];
    const plain = readFileSync(join(built, name));
    for (const [accepted, coding] of [['gzip, deflate, br, zstd', 'br'], ['br;q=0, gzip', 'gzip'], ['gzip', 'gzip'], ['*', 'br']]) {
      const sent = await fetchRaw(name, { 'Accept-Encoding': accepted });
      assert.equal(sent.status, 200);
      assert.equal(sent.headers['content-encoding'], coding, `${name} for "${accepted}"`);
      assert.equal(sent.headers['content-type'], type, name);
      assert.equal(sent.headers.vary, 'Accept-Encoding', name);
      assert.equal(Number(sent.headers['content-length']), sent.body.length);
      assert.ok(sent.body.length < plain.length, `${name} packed is smaller`);
      assert.ok(decoders[coding](sent.body).equals(plain), `${name} in ${coding} unpacks to the file`);
    }
  }
});

test('a browser that takes no packed copy gets the file as it is', async () => {
  for (const [name, type] of Object.entries(types)) {
    const plain = readFileSync(join(built, name));
    for (const headers of [{}, { 'Accept-Encoding': 'identity' }, { 'Accept-Encoding': 'br;q=0, gzip;q=0' }, { 'Accept-Encoding': 'deflate' }]) {
      const sent = await fetchRaw(name, headers);
      assert.equal(sent.headers['content-encoding'], undefined, `${name} for ${JSON.stringify(headers)}`);
      assert.equal(sent.headers['content-type'], type);
      assert.ok(sent.body.equals(plain), name);
    }
  }
  const page = await fetchRaw('/', { 'Accept-Encoding': 'gzip' });
  assert.ok(gunzipSync(page.body).equals(readFileSync(join(built, 'index.html'))), 'the folder\'s address is its page');
  const head = await fetchRaw('rovuzu.wasm', { 'Accept-Encoding': 'br' }, 'HEAD');
  assert.deepEqual([head.headers['content-encoding'], head.body.length], ['br', 0]);
});

test('a browser holding the copy it would be sent hears that it is unchanged', async () => {
  for (const accepted of ['br', 'gzip', 'identity']) {
    const first = await fetchRaw('rovuzu.wasm', { 'Accept-Encoding': accepted });
    const again = await fetchRaw('rovuzu.wasm', { 'Accept-Encoding': accepted, 'If-None-Match': first.headers.etag });
    assert.equal(again.status, 304, accepted);
    assert.equal(again.body.length, 0);
    const since = await fetchRaw('rovuzu.wasm', { 'Accept-Encoding': accepted, 'If-Modified-Since': first.headers['last-modified'] });
    assert.equal(since.status, 304, accepted);
  }
  // Another copy's tag is not this one: the whole file comes.
  const brotli = await fetchRaw('rovuzu.wasm', { 'Accept-Encoding': 'br' });
  const gzip = await fetchRaw('rovuzu.wasm', { 'Accept-Encoding': 'gzip', 'If-None-Match': brotli.headers.etag });
  assert.equal(gzip.status, 200);
  assert.equal(gzip.headers['content-encoding'], 'gzip');
});

const integrity = (bytes) => `sha256-${createHash('sha256').update(bytes).digest('base64')}`;
const keptBy = (folder) => JSON.parse(/^const build = (.*);$/m.exec(readFileSync(join(folder, 'service-worker.js'), 'utf8'))[1]);
const packed = /\.(br|gz)$/;
const pack = (folder) => execFileSync(process.execPath, [join(repository, 'tools/web/pack.mjs'), folder], { stdio: 'pipe' });

test('the build packs only what packing shrinks, and tells the worker every file with its hash', () => {
  const names = readdirSync(built);
  for (const name of ['index.html', 'rovuzu.js', 'rovuzu.wasm', 'service-worker.js']) {
    assert.ok(names.includes(`${name}.br`) && names.includes(`${name}.gz`), name);
  }
  assert.deepEqual(names.filter((name) => /\.png\.(br|gz)$/.test(name)), [], 'pictures are compressed already');
  const build = keptBy(built);
  assert.match(build.version, /^[0-9a-f]{16}$/);
  const served = names.filter((name) => !packed.test(name) && name !== 'service-worker.js').sort();
  assert.deepEqual(build.files.map((file) => file.name), served);
  for (const file of build.files) assert.equal(file.integrity, integrity(readFileSync(join(built, file.name))), file.name);
});

test('the built page\'s own files are those of the source, whatever was linked last', () => {
  const source = join(repository, 'platform/host/web');
  for (const name of ['index.html', 'webapp.js', 'rovuzu.webmanifest']) {
    assert.ok(readFileSync(join(built, name)).equals(readFileSync(join(source, name))), name);
  }
  for (const name of readdirSync(join(source, 'icons'))) {
    assert.ok(readFileSync(join(built, name)).equals(readFileSync(join(source, 'icons', name))), name);
  }
  const withoutBuild = (folder) => readFileSync(join(folder, 'service-worker.js'), 'utf8').replace(/^const build = .*;$/m, '');
  assert.equal(withoutBuild(built), withoutBuild(source));
});

// A small build: text that packs well, bytes that do not, a copy left over, the worker.
function smallBuild() {
  const folder = mkdtempSync(join(tmpdir(), 'rovuzu-build-'));
  writeFileSync(join(folder, 'index.html'), '<!doctype html><p>Jugar</p>\n'.repeat(100));
  writeFileSync(join(folder, 'game.js'), 'console.log("rovuzu");\n'.repeat(200));
  writeFileSync(join(folder, 'noise.data'), randomBytes(4096));
  writeFileSync(join(folder, 'small.txt'), 'under a kilobyte');
  writeFileSync(join(folder, 'gone.js.br'), 'from an earlier build');
  cpSync(join(repository, 'platform/host/web/service-worker.js'), join(folder, 'service-worker.js'));
  return folder;
}

test('packing writes copies only where they shrink a file, of the file as it is now', () => {
  const folder = smallBuild();
  try {
    pack(folder);
    assert.deepEqual(readdirSync(folder).filter((name) => packed.test(name)).sort(),
      ['game.js.br', 'game.js.gz', 'index.html.br', 'index.html.gz', 'service-worker.js.br', 'service-worker.js.gz']);
    writeFileSync(join(folder, 'game.js'), 'console.log("rovuzu 2");\n'.repeat(200));
    pack(folder);
    const game = readFileSync(join(folder, 'game.js'));
    assert.ok(brotliDecompressSync(readFileSync(join(folder, 'game.js.br'))).equals(game));
    assert.ok(gunzipSync(readFileSync(join(folder, 'game.js.gz'))).equals(game));
  } finally {
    rmSync(folder, { recursive: true, force: true });
  }
});

test('the worker\'s version changes with any file and only then', () => {
  const folder = smallBuild();
  try {
    pack(folder);
    const first = keptBy(folder);
    assert.deepEqual(first.files.map((file) => file.name), ['game.js', 'index.html', 'noise.data', 'small.txt']);
    for (const file of first.files) assert.equal(file.integrity, integrity(readFileSync(join(folder, file.name))), file.name);
    pack(folder);
    assert.deepEqual(keptBy(folder), first, 'the same files, the same build');
    writeFileSync(join(folder, 'small.txt'), 'under a kilobyte, changed');
    pack(folder);
    const second = keptBy(folder);
    assert.notEqual(second.version, first.version);
    assert.equal(second.files[3].integrity, integrity(readFileSync(join(folder, 'small.txt'))));
  } finally {
    rmSync(folder, { recursive: true, force: true });
  }
});

const saysOneLine = (pattern) => (error) => error.status === 1 && pattern.test(String(error.stderr)) &&
  String(error.stderr).trim().split('\n').length === 1;

test('packing what is not a build says so in one line', () => {
  assert.throws(() => pack('/nonexistent/rovuzu'), saysOneLine(/^rovuzu: \/nonexistent\/rovuzu: no such folder$/m));
  const folder = mkdtempSync(join(tmpdir(), 'rovuzu-build-'));
  try {
    writeFileSync(join(folder, 'index.html'), '<!doctype html>');
    assert.throws(() => pack(folder), saysOneLine(/^rovuzu: .*service-worker\.js: cannot read the offline worker \(ENOENT\)$/m));
    writeFileSync(join(folder, 'service-worker.js'), '// no build line\n');
    assert.throws(() => pack(folder), saysOneLine(/^rovuzu: .*service-worker\.js: no line "const build = \.\.\.;" to write the build into$/m));
  } finally {
    rmSync(folder, { recursive: true, force: true });
  }
});
