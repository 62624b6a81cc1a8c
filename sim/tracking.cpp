#include "sim/tracking.h"

#include <cmath>

#include "sim/settings.h"

double unwrapAngle(double u, double p) {
    // Far apart: jump by whole turns first so the bounded tests below suffice.
    const double gap = p - u;
    if (std::fabs(gap) > 5.0 * kPi && std::isfinite(gap))
        u += kTwoPi * std::nearbyint(gap / kTwoPi);
    for (int i = 0; i < 2 && !(u - p > -kPi); ++i) u += kTwoPi;
    for (int i = 0; i < 2 && !(u - p < kPi); ++i) u -= kTwoPi;
    return u;
}

static void trackLine(const VehicleState& s, TrackingSample& t) {
    t.refArc = s.x;
    t.refTheta = 0.0;
    t.refX = s.x;
    t.refY = 0.0;
    t.refPhi = 0.0;
    t.kappa = 0.0;
    t.pathParam = s.x;
    t.errD = s.y;
    t.errTheta = s.theta;
    t.errPhi = s.phi;
    t.plotD = s.y;
}

static void trackCircle(const VehicleState& s, double previousParam, TrackingSample& t) {
    const double a = kPathRadius;
    const double r = std::sqrt(s.x * s.x + s.y * s.y);
    const double e = r - a;
    const double u = unwrapAngle(std::atan2(s.y, s.x), previousParam);
    t.refTheta = u + kHalfPi;
    t.refArc = a * u;
    t.refX = a * std::cos(u);
    t.refY = a * std::sin(u);
    t.refPhi = std::atan(kWheelBase * kPathCurvature);
    t.kappa = kPathCurvature;
    t.pathParam = u;
    t.errD = -e;
    t.errTheta = s.theta - t.refTheta;
    t.errPhi = s.phi - t.refPhi;
    t.plotD = e;
}

void computeTrackingError(int pathKind, const VehicleState& vehicle, const TrackingSample& previous,
                          TrackingSample& result) {
    const double previousParam = previous.pathParam;
    if (pathKind == PathCircle)
        trackCircle(vehicle, previousParam, result);
    else
        trackLine(vehicle, result);
}
