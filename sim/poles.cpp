#include "sim/poles.h"

#include <algorithm>
#include <utility>
#include <cmath>
#include <complex>

#include "sim/gains.h"
#include "sim/settings.h"

using Complex = std::complex<double>;

int closedLoopPolynomial(int mechanism, int law, double speed, double wheelbase, double c[]) {
    const FeedbackGains& g = gainTable.gains[mechanism][law];
    const double v = speed, l = wheelbase;
    c[0] = 1.0;
    if (mechanism == Mech2DW1C) {
        c[1] = g.kTheta;
        if (law == ControlP) {  // s^2 + kTheta s + V kD
            c[2] = v * g.kD;
            return 2;
        }
        c[2] = v * g.kD + g.kI * g.kTheta;
        c[3] = v * g.kI * g.kD;
        return 3;
    }
    c[1] = g.kPhi;
    if (law == ControlP) {  // s^3 + kPhi s^2 + (V/L) kTheta s + (V^2/L) kD
        c[2] = v / l * g.kTheta;
        c[3] = v * v / l * g.kD;
        return 3;
    }
    c[2] = v / l * g.kTheta + g.kI * g.kPhi;
    c[3] = v * v / l * g.kD + g.kI * v / l * g.kTheta;
    c[4] = g.kI * v * v / l * g.kD;
    return 4;
}

static Complex evaluate(const double c[], int degree, Complex s) {
    Complex p = c[0];
    for (int i = 1; i <= degree; ++i) p = p * s + c[i];
    return p;
}

// Durand-Kerner: every root at once, from points spread on a circle that holds
// them all; a double root (the steered PI design has two) converges linearly,
// hence the generous iteration count.
static void findRoots(const double c[], int degree, Complex roots[]) {
    constexpr int kIterations = 2000;
    double bound = 0.0;
    for (int i = 1; i <= degree; ++i) bound = std::max(bound, std::fabs(c[i]));
    const double radius = 1.0 + bound;
    for (int k = 0; k < degree; ++k) roots[k] = std::polar(radius, 0.4 + kTwoPi * k / degree);
    for (int n = 0; n < kIterations; ++n) {
        double moved = 0.0;
        for (int k = 0; k < degree; ++k) {
            Complex denominator = 1.0;
            for (int j = 0; j < degree; ++j)
                if (j != k) denominator *= roots[k] - roots[j];
            if (denominator == 0.0) denominator = 1e-300;
            const Complex step = evaluate(c, degree, roots[k]) / denominator;
            roots[k] -= step;
            moved = std::max(moved, std::abs(step) / (1.0 + std::abs(roots[k])));
        }
        if (moved < 1e-15) break;
    }
}

PoleSet closedLoopPoles(int mechanism, int law, double speed, double wheelbase) {
    double c[kMaxPoles + 1];
    const int degree = closedLoopPolynomial(mechanism, law, speed, wheelbase, c);
    Complex roots[kMaxPoles];
    findRoots(c, degree, roots);
    // A real root comes back with a rounding-sized imaginary part.
    for (int k = 0; k < degree; ++k)
        if (std::fabs(roots[k].imag()) < 1e-7 * (1.0 + std::abs(roots[k]))) roots[k].imag(0.0);
    const auto before = [](Complex a, Complex b) {
        return a.real() != b.real() ? a.real() < b.real() : a.imag() < b.imag();
    };
    for (int k = 1; k < degree; ++k)  // four at most: insertion
        for (int j = k; j > 0 && before(roots[j], roots[j - 1]); --j) std::swap(roots[j], roots[j - 1]);
    PoleSet set = {degree, {}, {}};
    for (int k = 0; k < degree; ++k) {
        set.re[k] = roots[k].real();
        set.im[k] = roots[k].imag();
    }
    return set;
}
