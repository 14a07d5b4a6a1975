// The desktop game, headless, for rounds the page must repeat exactly.
import { execFileSync } from 'node:child_process';
import { existsSync, mkdtempSync, readFileSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { desktopBinary } from './page.mjs';

// Its standard output's lines and its report, after a headless run with these arguments.
export function desktopRound(args) {
  if (!existsSync(desktopBinary)) throw new Error(`${desktopBinary} is not built: run scripts/test.sh`);
  const folder = mkdtempSync(join(tmpdir(), 'rovuzu-desktop-'));
  try {
    const output = execFileSync(desktopBinary, ['--headless', ...args, '--report', join(folder, 'report.json')],
      { encoding: 'utf8', env: { ...process.env, SDL_AUDIODRIVER: 'dummy' } });
    return { lines: output.split('\n').filter(Boolean), report: JSON.parse(readFileSync(join(folder, 'report.json'), 'utf8')) };
  } finally {
    rmSync(folder, { recursive: true, force: true });
  }
}
