// The same workload as TweenBench.cpp in two tween libraries for Node.js:
// one frame update of N running tweens of one float property on plain objects.
// Prints "<library> plain <count> <ns per tween>".
import { createRequire } from 'node:module';

const require = createRequire(process.env.SCRATCH + '/');
const { gsap } = require('gsap');
const TWEEN = require('@tweenjs/tween.js');

function timeFrames(frames, step) {
  const start = process.hrtime.bigint();
  for (let f = 0; f < frames; f++) step(f);
  return Number(process.hrtime.bigint() - start);
}

// GSAP's root clock only moves forward: every run continues from where the last stopped.
let gsapClock = 0;

function benchGsap(count, frames) {
  gsap.ticker.sleep();
  gsap.ticker.lagSmoothing(0);
  gsap.updateRoot(gsapClock);
  const targets = Array.from({ length: count }, () => ({ x: 0 }));
  for (const t of targets) gsap.to(t, { x: 100, duration: 1000, ease: 'expo.out' });
  gsapClock += 0.016;
  gsap.updateRoot(gsapClock);
  const start = gsapClock;
  const ns = timeFrames(frames, (f) => gsap.updateRoot(start + 0.016 * (f + 1)));
  gsapClock = start + 0.016 * (frames + 1);
  const moved = targets.every((t) => t.x > 0 && t.x < 100);
  gsap.globalTimeline.clear();
  if (!moved) throw new Error('gsap tweens did not run');
  return ns / frames / count;
}

function benchTweenJs(count, frames) {
  const group = new TWEEN.Group();
  const targets = Array.from({ length: count }, () => ({ x: 0 }));
  for (const t of targets) {
    new TWEEN.Tween(t, group).to({ x: 100 }, 1000000).easing(TWEEN.Easing.Exponential.Out).start(0);
  }
  group.update(16);
  const ns = timeFrames(frames, (f) => group.update(32 + f * 16));
  const moved = targets.every((t) => t.x > 0 && t.x < 100);
  group.removeAll();
  if (!moved) throw new Error('tween.js tweens did not run');
  return ns / frames / count;
}

for (const count of [10000, 64000]) {
  const frames = count > 10000 ? 20 : 60;
  benchGsap(count, frames); // warm the JIT
  console.log(`gsap plain ${count} ${benchGsap(count, frames).toFixed(1)}`);
  benchTweenJs(count, frames);
  console.log(`tweenjs plain ${count} ${benchTweenJs(count, frames).toFixed(1)}`);
}
