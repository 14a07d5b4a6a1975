// Readies a built page folder for serving: writes a brotli (.br) and a gzip (.gz) copy beside
// each file that they make smaller, for servers that send the best one a browser takes.
// Node's own modules only; scripts/web.sh runs it on build/web/.
//   node tools/web/pack.mjs FOLDER
import { readdirSync, readFileSync, rmSync, statSync, writeFileSync } from 'node:fs';
import { join } from 'node:path';
import { promisify } from 'node:util';
import { brotliCompress, constants, gzip } from 'node:zlib';

const packed = /\.(br|gz)$/;
// Below this a file fits in one or two packets whatever its encoding.
const smallest = 1024;

function fail(message) {
  console.error(`rovuzu: ${message}`);
  process.exit(1);
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
await compress(folder);
