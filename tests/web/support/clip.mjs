// Clips for Chromium's fake camera (--use-file-for-fake-video-capture): YUV4MPEG2, a header
// line and then each frame's I420 planes. Colours are given as limited-range Y'CbCr.
import { writeFileSync } from 'node:fs';

// Four upright bars, left to right.
export const bars = [
  { name: 'red', yuv: [81, 90, 240] },
  { name: 'green', yuv: [145, 54, 34] },
  { name: 'blue', yuv: [41, 240, 110] },
  { name: 'white', yuv: [235, 128, 128] },
];
export const grey = [126, 128, 128];

export function writeClip(file, { width = 640, height = 480, frames = 10, colourAt }) {
  const parts = [Buffer.from(`YUV4MPEG2 W${width} H${height} F30:1 Ip A1:1 C420jpeg\n`)];
  for (let frame = 0; frame < frames; ++frame) {
    const luma = Buffer.alloc(width * height);
    const blue = Buffer.alloc((width / 2) * (height / 2));
    const red = Buffer.alloc((width / 2) * (height / 2));
    for (let y = 0; y < height; ++y) {
      for (let x = 0; x < width; ++x) {
        const [l, b, r] = colourAt(x, y, width, height);
        luma[y * width + x] = l;
        if (x % 2 === 0 && y % 2 === 0) {
          blue[(y / 2) * (width / 2) + x / 2] = b;
          red[(y / 2) * (width / 2) + x / 2] = r;
        }
      }
    }
    parts.push(Buffer.from('FRAME\n'), luma, blue, red);
  }
  writeFileSync(file, Buffer.concat(parts));
  return file;
}

export const barsClip = (file) =>
  writeClip(file, { colourAt: (x, y, width) => bars[Math.floor((x * 4) / width)].yuv });
export const greyClip = (file) => writeClip(file, { colourAt: () => grey });
