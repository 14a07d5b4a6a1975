// Serves a built page folder (build/web by default) as any static host would: HTTP on
// 127.0.0.1:8080, or with --https (and a certificate folder) HTTPS on 0.0.0.0:8443, which a
// phone on the same network can reach. Node's own modules only.
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
  '.png': 'image/png', '.css': 'text/css; charset=utf-8',
};

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
  let found;
  try {
    found = statSync(file);
  } catch {
    found = null;
  }
  if (!found || !found.isFile()) {
    response.writeHead(404, { 'Content-Type': 'text/plain' }).end('not found');
    return;
  }
  response.writeHead(200, {
    'Content-Type': types[extname(file)] ?? 'application/octet-stream',
    'Content-Length': found.size,
    'Cache-Control': 'no-cache',
  });
  if (request.method === 'HEAD') response.end();
  else createReadStream(file).pipe(response);
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
