#pragma once
// The shapes of the easing curves as plain functions of progress k in [0, 1],
// for the curve classes (SineEaseIn and friends) and for anything that wants
// the numbers without an object. Each "in" curve starts slowly, its "out"
// mirror ends slowly, and "in-out" joins the two halves at k = 0.5.

#include <cmath>
#include <numbers>

namespace com::quillfern::motion::easing::curves {

// The ease-in shapes, 0 at k = 0 and 1 at k = 1.
inline double sineIn(double k) {
    return 1 - std::cos(k * std::numbers::pi / 2);
}
inline double cubicIn(double k) {
    return k * k * k;
}
inline double quartIn(double k) {
    return k * k * k * k;
}
inline double quintIn(double k) {
    return k * k * k * k * k;
}
// Pulls back by about 10% before it sets off (the usual overshoot of 1.70158).
inline double backIn(double k) {
    constexpr double s = 1.70158;
    return k * k * ((s + 1) * k - s);
}
// A spring released: swings of growing size with a period of 0.3.
inline double elasticIn(double k) {
    constexpr double period = 0.3;
    const double m = k - 1;
    return -std::exp2(10 * m) * std::sin((m - period / 4) * 2 * std::numbers::pi / period);
}
// A ball dropped onto the end value: the bounce-in is the bounce-out mirrored.
inline double bounceOut(double k) {
    constexpr double n = 7.5625, d = 2.75;
    if (k < 1 / d) return n * k * k;
    if (k < 2 / d) return n * (k - 1.5 / d) * (k - 1.5 / d) + 0.75;
    if (k < 2.5 / d) return n * (k - 2.25 / d) * (k - 2.25 / d) + 0.9375;
    return n * (k - 2.625 / d) * (k - 2.625 / d) + 0.984375;
}
inline double bounceIn(double k) {
    return 1 - bounceOut(1 - k);
}

// The out and in-out forms of any in shape.
template <double (*In)(double)>
double outOf(double k) {
    return 1 - In(1 - k);
}
template <double (*In)(double)>
double inOutOf(double k) {
    return k < 0.5 ? In(2 * k) / 2 : 1 - In(2 - 2 * k) / 2;
}

// Exactly 0 at the start and 1 at the end, whatever rounding the shape has,
// so that a finished tween lands on its end value.
template <double (*Shape)(double)>
double guarded(double k) {
    if (k == 0) return 0;
    if (k == 1) return 1;
    return Shape(k);
}

// b + c * shape(t / d), exactly b at t = 0 and b + c at t = d.
template <double (*Shape)(double)>
double guardedEase(double t, double b, double c, double d) {
    if (t == 0) return b;
    if (t == d) return b + c;
    return b + c * Shape(t / d);
}

}  // namespace com::quillfern::motion::easing::curves
