// A handheld Android phone with WebXR's immersive-ar, emulated in the page by Meta's Immersive
// Web Emulation Runtime (iwer): Chromium's own navigator.xr answers no for immersive-ar, so the
// runtime is forced in before the page's scripts run. It ships headsets only; the phone is a
// configuration of ours. What the page was shown is kept for the tests: the last view it drew
// (its pose in the `local` space, column-major, and its projection matrix).
import { readFileSync } from 'node:fs';

const runtime = readFileSync(new URL('../node_modules/iwer/build/iwer.min.js', import.meta.url), 'utf8');

function emulatePhone(fovy) {
  const device = new window.IWER.XRDevice({
    name: 'Android phone',
    controllerConfig: undefined,
    supportedSessionModes: ['inline', 'immersive-ar'],
    supportedFeatures: ['viewer', 'local', 'anchors', 'hit-test', 'dom-overlay'],
    supportedFrameRates: [60],
    isSystemKeyboardSupported: false,
    internalNominalFrameRate: 60,
    environmentBlendModes: { 'immersive-ar': 'alpha-blend' },
    interactionMode: 'screen-space',
    userAgent: navigator.userAgent,
  }, { stereoEnabled: false, ipd: 0, fovy });
  device.installRuntime({ forceInstall: true });
  window.xrDevice = device;
  const getViewerPose = window.XRFrame.prototype.getViewerPose;
  window.XRFrame.prototype.getViewerPose = function (space) {
    const pose = getViewerPose.call(this, space);
    const layer = this.session.renderState.baseLayer;
    const view = pose && layer && pose.views.find((v) => layer.getViewport(v).width > 0);
    if (view) window.xrSeen = { view: [...view.transform.matrix], projection: [...view.projectionMatrix] };
    return pose;
  };
}

// The page's script before its own: the runtime and a phone seeing `fovy` radians top to bottom.
export const xrPhone = ({ fovy = Math.PI / 3 } = {}) => `${runtime}\n(${emulatePhone})(${fovy});`;

// Puts the emulated phone at `position` (metres, the runtime's own space) turned by `rotation`
// (a quaternion x, y, z, w); it applies on the next XR frame.
export const placePhone = (page, position, rotation) => page.evaluate(([p, q]) => {
  window.xrDevice.position.set(p[0], p[1], p[2]);
  window.xrDevice.quaternion.set(q[0], q[1], q[2], q[3]);
}, [position, rotation]);

// Yaw (about y, left positive), then pitch (about x, up positive), then roll (about z): the
// quaternion, worked out here on its own.
export function quaternionOf(yaw, pitch, roll = 0) {
  const half = (degrees) => (degrees * Math.PI) / 360;
  const y = [0, Math.sin(half(yaw)), 0, Math.cos(half(yaw))];
  const x = [Math.sin(half(pitch)), 0, 0, Math.cos(half(pitch))];
  const z = [0, 0, Math.sin(half(roll)), Math.cos(half(roll))];
  const times = ([ax, ay, az, aw], [bx, by, bz, bw]) => [
    aw * bx + ax * bw + ay * bz - az * by,
    aw * by - ax * bz + ay * bw + az * bx,
    aw * bz + ax * by - ay * bx + az * bw,
    aw * bw - ax * bx - ay * by - az * bz];
  return times(times(y, x), z);
}

// Where a point of the `local` world shows in the page (CSS pixels from the top left) for the
// view the page last drew: through the inverse of the view's rigid transform, then its
// projection, then the clip square stretched over the page.
export function projectThroughView([x, y, z], seen, width, height) {
  const m = seen.view;
  const d = [x - m[12], y - m[13], z - m[14]];
  // The rotation's inverse is its transpose.
  const local = [0, 1, 2].map((row) => m[row * 4] * d[0] + m[row * 4 + 1] * d[1] + m[row * 4 + 2] * d[2]);
  const p = seen.projection;
  const clip = [0, 1, 3].map((row) => p[row] * local[0] + p[4 + row] * local[1] + p[8 + row] * local[2] + p[12 + row]);
  return [(clip[0] / clip[2] + 1) / 2 * width, (1 - clip[1] / clip[2]) / 2 * height];
}

// The yaw and pitch that face a point from `from`.
export const facingFrom = ([x, y, z], [fx, fy, fz]) => [
  (Math.atan2(-(x - fx), -(z - fz)) * 180) / Math.PI,
  (Math.atan2(y - fy, Math.hypot(x - fx, z - fz)) * 180) / Math.PI];
