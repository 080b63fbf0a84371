// The same workload as TweenBench.cpp in two tween libraries for Node.js:
// one frame update of N running tweens of one float property on plain objects,
// each library driven by a synthetic clock. Times are process CPU time.
// Prints "<library> plain <count> <ns per tween>".
import { gsap } from 'gsap';
import * as TWEEN from '@tweenjs/tween.js';

// Nothing may render at wall-clock time: take the root update off the ticker
// and call it with our own clock (seconds; it only ever moves forward).
gsap.ticker.remove(gsap.updateRoot);
gsap.ticker.lagSmoothing(0);
let gsapClock = 0;

function cpuNs() {
  const { user, system } = process.cpuUsage();
  return (user + system) * 1000;
}

function timeFrames(frames, step) {
  const start = cpuNs();
  for (let f = 0; f < frames; f++) step(f);
  return cpuNs() - start;
}

// Every target must have moved during the timed frames, and not reached the end.
function checkMoved(name, targets, before) {
  targets.forEach((t, i) => {
    if (!(t.x > before[i] && t.x < 100)) throw new Error(`${name} tweens did not run`);
  });
}

function benchGsap(count, frames) {
  gsap.updateRoot(gsapClock);
  const targets = Array.from({ length: count }, () => ({ x: 0 }));
  for (const t of targets) gsap.to(t, { x: 100, duration: 1000, ease: 'expo.out' });
  gsapClock += 0.016;
  gsap.updateRoot(gsapClock);
  const before = targets.map((t) => t.x);
  const start = gsapClock;
  const ns = timeFrames(frames, (f) => gsap.updateRoot(start + 0.016 * (f + 1)));
  gsapClock = start + 0.016 * (frames + 1);
  checkMoved('gsap', targets, before);
  gsap.globalTimeline.clear();
  return ns / frames / count;
}

function benchTweenJs(count, frames) {
  const group = new TWEEN.Group();
  const targets = Array.from({ length: count }, () => ({ x: 0 }));
  for (const t of targets) {
    new TWEEN.Tween(t, group).to({ x: 100 }, 1000000).easing(TWEEN.Easing.Exponential.Out).start(0);
  }
  group.update(16);
  const before = targets.map((t) => t.x);
  const ns = timeFrames(frames, (f) => group.update(32 + f * 16));
  checkMoved('tween.js', targets, before);
  group.removeAll();
  return ns / frames / count;
}

for (const count of [10000, 64000]) {
  const frames = count > 10000 ? 20 : 60;
  benchGsap(count, frames); // warm the JIT
  console.log(`gsap plain ${count} ${benchGsap(count, frames).toFixed(1)}`);
  benchTweenJs(count, frames);
  console.log(`tweenjs plain ${count} ${benchTweenJs(count, frames).toFixed(1)}`);
}
// The ticker keeps a timer of its own alive; the benchmark is done.
gsap.ticker.sleep();
