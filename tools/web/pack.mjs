// Readies a built page folder for serving: tells the offline worker (service-worker.js) the
// build's version and the files it keeps, and writes a brotli (.br) and a gzip (.gz) copy
// beside each file that they make smaller, for servers that send the best one a browser takes.
// Node's own modules only; scripts/web.sh runs it on build/web/.
//   node tools/web/pack.mjs FOLDER
import { createHash } from 'node:crypto';
import { readdirSync, readFileSync, rmSync, statSync, writeFileSync } from 'node:fs';
import { join } from 'node:path';
import { promisify } from 'node:util';
import { brotliCompress, constants, gzip } from 'node:zlib';

const workerName = 'service-worker.js';
const packed = /\.(br|gz)$/;
// The line of the worker that holds what it keeps, written again at each build.
const buildLine = /^const build = .*;$/m;
// Below this a file fits in one or two packets whatever its encoding.
const smallest = 1024;

function fail(message) {
  console.error(`rovuzu: ${message}`);
  process.exit(1);
}

// The files the build serves, in a fixed order: everything but the worker and packed copies.
function builtFiles(folder) {
  return readdirSync(folder)
    .filter((name) => name !== workerName && !packed.test(name) && statSync(join(folder, name)).isFile())
    .sort();
}

// The version names every byte the worker would serve, and the worker's own code.
function version(folder, files, worker) {
  const hash = createHash('sha256');
  for (const name of files) hash.update(`${name}\0`).update(readFileSync(join(folder, name))).update('\0');
  hash.update(worker.replace(buildLine, ''));
  return hash.digest('hex').slice(0, 16);
}

function writeWorker(folder) {
  const path = join(folder, workerName);
  let worker;
  try {
    worker = readFileSync(path, 'utf8');
  } catch (error) {
    fail(`${path}: cannot read the offline worker (${error.code})`);
  }
  if (!buildLine.test(worker)) fail(`${path}: no line "const build = ...;" to write the build into`);
  const files = builtFiles(folder);
  const build = {
    version: version(folder, files, worker),
    // The browser checks each file against its hash, so a cache never mixes two builds.
    files: files.map((name) => ({ name,
      integrity: `sha256-${createHash('sha256').update(readFileSync(join(folder, name))).digest('base64')}` })),
  };
  writeFileSync(path, worker.replace(buildLine, `const build = ${JSON.stringify(build)};`));
  return build;
}

// The strongest settings: a build is packed once and downloaded many times. Brotli's best
// takes seconds for the data; the files are packed side by side, on zlib's thread pool.
const packers = {
  br: (bytes) => promisify(brotliCompress)(bytes, { params: { [constants.BROTLI_PARAM_QUALITY]: 11,
    [constants.BROTLI_PARAM_SIZE_HINT]: bytes.length } }),
  gz: (bytes) => promisify(gzip)(bytes, { level: 9 }),
};

// A .br and a .gz beside each file they shrink by a tenth or more; none beside the others
// (pictures, already compressed), and none left from an earlier build.
async function compress(folder) {
  for (const name of readdirSync(folder).filter((file) => packed.test(file))) rmSync(join(folder, name));
  const jobs = readdirSync(folder).flatMap((name) => {
    if (!statSync(join(folder, name)).isFile()) return [];
    const bytes = readFileSync(join(folder, name));
    if (bytes.length < smallest) return [];
    return Object.entries(packers).map(async ([suffix, pack]) => {
      const copy = await pack(bytes);
      if (copy.length <= 0.9 * bytes.length) writeFileSync(join(folder, `${name}.${suffix}`), copy);
    });
  });
  await Promise.all(jobs);
}

if (process.argv.length !== 3) fail('usage: node tools/web/pack.mjs FOLDER');
const folder = process.argv[2];
if (!statSync(folder, { throwIfNoEntry: false })?.isDirectory()) fail(`${folder}: no such folder`);
const build = writeWorker(folder);
await compress(folder);
console.error(`rovuzu: ${folder}: build ${build.version}, ${build.files.length} files kept for offline play`);
