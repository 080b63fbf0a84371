// Bytes per running tween in the two tween libraries of bench.mjs, as
// bench_memory counts ours: N tweens of one property ("x" to 100) on plain
// objects made beforehand, each run one frame; the growth of the JavaScript
// heap (after a full collection) divided by N, the vars object included.
// Run with --expose-gc. Prints "memory <library> tween <bytes> heap (per object)".
import { gsap } from 'gsap';
import * as TWEEN from '@tweenjs/tween.js';

gsap.ticker.remove(gsap.updateRoot);
gsap.ticker.lagSmoothing(0);

const count = 10000;

function heap() {
  globalThis.gc();
  globalThis.gc();
  return process.memoryUsage().heapUsed;
}

function perTween(start) {
  const targets = Array.from({ length: count }, () => ({ x: 0 }));
  const before = heap();
  const kept = start(targets);
  const bytes = (heap() - before) / count;
  if (!targets.every((t) => t.x > 0 && t.x < 100)) throw new Error('the tweens did not run');
  return { bytes, kept };
}

gsap.updateRoot(0);
const gsapRun = perTween((targets) => {
  for (const t of targets) gsap.to(t, { x: 100, duration: 1000 });
  gsap.updateRoot(0.016);
  return null;
});
console.log(`memory gsap tween ${gsapRun.bytes.toFixed(1)} heap (per object)`);
gsap.globalTimeline.clear();

const group = new TWEEN.Group();
const tweenJsRun = perTween((targets) => {
  for (const t of targets) new TWEEN.Tween(t, group).to({ x: 100 }, 1000000).start(0);
  group.update(16);
  return group;
});
console.log(`memory tween.js tween ${tweenJsRun.bytes.toFixed(1)} heap (per object)`);
group.removeAll();
gsap.ticker.sleep();
