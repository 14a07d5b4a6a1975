// The characters the game can show, for cutting the page's fonts down to them: every character
// of every string literal in the C++ files that hold the shown texts, and every digit and sign
// a number can bring. Diagnostics in those files add a few letters too many, never too few.
//   node tools/web/shown-characters.mjs OUTPUT SOURCE...
import { readFileSync, writeFileSync } from 'node:fs';

const numbers = '0123456789+-.,: ';
const escapes = { n: '\n', t: '\t', r: '\r', 0: '\0' };

// The text of each string literal in C++ source, with comments and character literals
// skipped so that a quote in them starts nothing.
function literals(source) {
  const found = [];
  let i = 0;
  const skipQuoted = (quote) => {
    let text = '';
    for (++i; i < source.length && source[i] !== quote; ++i) {
      if (source[i] === '\\') {
        ++i;
        text += escapes[source[i]] ?? source[i];
      } else {
        text += source[i];
      }
    }
    ++i;
    return text;
  };
  while (i < source.length) {
    if (source.startsWith('//', i)) {
      i = source.indexOf('\n', i);
      if (i < 0) break;
    } else if (source.startsWith('/*', i)) {
      i = source.indexOf('*/', i + 2);
      if (i < 0) break;
      i += 2;
    } else if (source[i] === "'" && !/[0-9A-Fa-f]/.test(source[i - 1] ?? '')) {
      skipQuoted("'");
    } else if (source[i] === '"') {
      found.push(skipQuoted('"'));
    } else {
      ++i;
    }
  }
  return found;
}

const [output, ...sources] = process.argv.slice(2);
if (!output || sources.length === 0) {
  console.error('usage: node tools/web/shown-characters.mjs OUTPUT SOURCE...');
  process.exit(2);
}
const characters = new Set(numbers);
for (const source of sources) {
  for (const text of literals(readFileSync(source, 'utf8'))) {
    for (const character of text) {
      if (character >= ' ') characters.add(character);
    }
  }
}
writeFileSync(output, [...characters].sort().join('') + '\n');
