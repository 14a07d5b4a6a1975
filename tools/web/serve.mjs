// Serves a built page folder (build/web by default) as any static host would: HTTP on
// 127.0.0.1:8080, or with --https (and a certificate folder) HTTPS on 0.0.0.0:8443, which a
// phone on the same network can reach. A file with a .br or .gz copy beside it goes out as the
// best copy the browser accepts; validators let a browser check its cached copy cheaply.
// Node's own modules only.
//   node tools/web/serve.mjs [FOLDER] [--port N] [--host ADDRESS] [--https CERT_FOLDER]
// Port 0 takes any free port; the line it prints names the address.
import { createServer as createHttp } from 'node:http';
import { createServer as createHttps } from 'node:https';
import { createReadStream, readFileSync, statSync } from 'node:fs';
import { extname, join, normalize, resolve } from 'node:path';

const types = {
  '.html': 'text/html; charset=utf-8', '.js': 'text/javascript; charset=utf-8',
  '.mjs': 'text/javascript; charset=utf-8', '.wasm': 'application/wasm',
  '.data': 'application/octet-stream', '.json': 'application/json', '.txt': 'text/plain; charset=utf-8',
  '.png': 'image/png', '.css': 'text/css; charset=utf-8', '.webmanifest': 'application/manifest+json',
};
// Best first: brotli is the smaller.
const encodings = [['br', '.br'], ['gzip', '.gz']];

function options(args) {
  const chosen = { folder: 'build/web', port: null, host: null, https: null };
  for (let i = 0; i < args.length; ++i) {
    if (args[i] === '--port') chosen.port = Number(args[++i]);
    else if (args[i] === '--host') chosen.host = args[++i];
    else if (args[i] === '--https') chosen.https = args[++i];
    else chosen.folder = args[i];
  }
  chosen.port ??= chosen.https ? 8443 : 8080;
  chosen.host ??= chosen.https ? '0.0.0.0' : '127.0.0.1';
  chosen.folder = resolve(chosen.folder);
  return chosen;
}

function serveFile(root, request, response) {
  let path;
  try {
    path = decodeURIComponent(new URL(request.url, 'http://page').pathname);
  } catch {
    response.writeHead(400).end();
    return;
  }
  const file = normalize(join(root, path.endsWith('/') ? path + 'index.html' : path));
  if (file !== root && !file.startsWith(root + '/')) {
    response.writeHead(403).end();
    return;
  }
  const found = fileAt(file);
  if (!found) {
    response.writeHead(404, { 'Content-Type': 'text/plain' }).end('not found');
    return;
  }
  const copies = encodings.filter(([, suffix]) => fileAt(file + suffix));
  const [coding, suffix] = copies.find(([name]) => accepts(request.headers['accept-encoding'], name)) ?? [];
  const sent = coding ? fileAt(file + suffix) : found;
  const headers = {
    'Content-Type': types[extname(file)] ?? 'application/octet-stream',
    'Cache-Control': 'no-cache',
    ETag: `"${sent.size.toString(16)}-${Math.floor(sent.mtimeMs).toString(16)}${coding ? `-${coding}` : ''}"`,
    'Last-Modified': sent.mtime.toUTCString(),
    ...(coding && { 'Content-Encoding': coding }),
    ...(copies.length > 0 && { Vary: 'Accept-Encoding' }),
  };
  if (unchanged(request, headers.ETag, sent)) {
    response.writeHead(304, headers).end();
    return;
  }
  response.writeHead(200, { ...headers, 'Content-Length': sent.size });
  if (request.method === 'HEAD') response.end();
  else createReadStream(coding ? file + suffix : file).pipe(response);
}

function fileAt(path) {
  try {
    const found = statSync(path);
    return found.isFile() ? found : null;
  } catch {
    return null;
  }
}

// Whether an Accept-Encoding header takes `coding`: named, or under "*", with a q above 0.
function accepts(header, coding) {
  const weights = new Map();
  for (const part of (header ?? '').split(',')) {
    const [name, ...parameters] = part.trim().toLowerCase().split(';');
    const q = parameters.map((p) => /^\s*q=([0-9.]+)\s*$/.exec(p)).find(Boolean);
    if (name) weights.set(name, q ? Number(q[1]) : 1);
  }
  return (weights.get(coding) ?? weights.get('*') ?? 0) > 0;
}

// A conditional request for the very copy the browser already holds.
function unchanged(request, etag, sent) {
  const matches = request.headers['if-none-match'];
  if (matches) return matches.split(',').some((tag) => tag.trim().replace(/^W\//, '') === etag || tag.trim() === '*');
  const since = Date.parse(request.headers['if-modified-since'] ?? '');
  return !Number.isNaN(since) && Math.floor(sent.mtimeMs / 1000) * 1000 <= since;
}

const chosen = options(process.argv.slice(2));
const handler = (request, response) => serveFile(chosen.folder, request, response);
const server = chosen.https
  ? createHttps({ key: readFileSync(join(chosen.https, 'key.pem')), cert: readFileSync(join(chosen.https, 'cert.pem')) }, handler)
  : createHttp(handler);
server.on('error', (error) => {
  console.error(`rovuzu: cannot serve on ${chosen.host}:${chosen.port} (${error.message})`);
  process.exit(1);
});
server.listen(chosen.port, chosen.host, () => {
  const scheme = chosen.https ? 'https' : 'http';
  console.log(`Serving ${chosen.folder} on ${scheme}://${chosen.host}:${server.address().port}/`);
});
