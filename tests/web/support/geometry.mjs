// The AR camera as a player sees it, worked out here independently of the game: a pinhole with
// 60 degrees across the view's longer side, at the device's yaw (positive turns left) and pitch
// (positive looks up); and how to find where things went in screenshots.
const radians = (degrees) => (degrees * Math.PI) / 180;

export const focalLength = (width, height) => Math.max(width, height) / 2 / Math.tan(radians(30));

// With a real camera the projection is its picture's instead: 60 degrees across the picture's
// longer side, the picture scaled to cover the view.
export const cameraFocalLength = ([pictureWidth, pictureHeight], width, height) =>
  focalLength(pictureWidth, pictureHeight) * Math.max(width / pictureWidth, height / pictureHeight);

// Where a world point (x, y, z; metres, y up) shows, in view points from the top left.
export function project([x, y, z], yaw, pitch, width, height, f = focalLength(width, height)) {
  const [cy, sy, cp, sp] = [Math.cos(radians(yaw)), Math.sin(radians(yaw)), Math.cos(radians(pitch)), Math.sin(radians(pitch))];
  const turnedX = cy * x - sy * z;  // Ry(-yaw)
  const turnedZ = sy * x + cy * z;
  const seenY = cp * y + sp * turnedZ;  // Rx(-pitch)
  const seenZ = cp * turnedZ - sp * y;
  return [width / 2 + (f * turnedX) / -seenZ, height / 2 - (f * seenY) / -seenZ];
}

// Which way a point lies from the start: yaw and pitch in degrees.
export const facing = ([x, y, z]) => [(Math.atan2(-x, -z) * 180) / Math.PI,
  (Math.atan2(y, Math.hypot(x, z)) * 180) / Math.PI];

const difference = (a, b) => Math.abs(a[0] - b[0]) + Math.abs(a[1] - b[1]) + Math.abs(a[2] - b[2]);

// How many pixels the picture moved from `before` to `after` along x (or y), by the block of
// 2·radius around (x, y) in `before`: the offset, up to `range`, where it matches best.
export function shiftOf(before, after, x, y, { along = 'x', radius = 24, range = 400 } = {}) {
  let best = { offset: 0, cost: Infinity };
  for (let offset = -range; offset <= range; ++offset) {
    let cost = 0;
    for (let j = -radius; j < radius && cost < best.cost; j += 2) {
      for (let i = -radius; i < radius; i += 2) {
        const [ax, ay] = along === 'x' ? [x + i + offset, y + j] : [x + i, y + j + offset];
        if (ax < 0 || ay < 0 || ax >= after.width || ay >= after.height) { cost = Infinity; break; }
        cost += difference(before.at(x + i, y + j), after.at(ax, ay));
      }
    }
    if (cost < best.cost) best = { offset, cost };
  }
  return best.offset;
}

// The middle of the smallest box holding every pixel within `box` that differs from `colour`
// (a round target's centre, however its rings are shaded), or null for none.
export function middleOfOthers(picture, colour, [x0, y0, x1, y1], threshold = 90) {
  let [left, top, right, bottom] = [Infinity, Infinity, -Infinity, -Infinity];
  for (let y = Math.max(0, Math.round(y0)); y < Math.min(picture.height, Math.round(y1)); ++y) {
    for (let x = Math.max(0, Math.round(x0)); x < Math.min(picture.width, Math.round(x1)); ++x) {
      if (difference(picture.at(x, y), colour) > threshold) {
        [left, top, right, bottom] = [Math.min(left, x), Math.min(top, y), Math.max(right, x), Math.max(bottom, y)];
      }
    }
  }
  return right >= left ? [(left + right + 1) / 2, (top + bottom + 1) / 2] : null;
}

// An anchor's world position: the translation of its column-major transform.
export const positionOf = (transform) => [transform[12], transform[13], transform[14]];
