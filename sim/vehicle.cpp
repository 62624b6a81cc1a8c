#include "sim/vehicle.h"

#include <cmath>

#include "sim/imperfections.h"
#include "sim/settings.h"

double& stateElement(VehicleState& state, int index) {
    switch (index) {
        case 0: return state.dist;
        case 1: return state.theta;
        case 2: return state.x;
        case 3: return state.y;
        case 4: return state.phi;
        case 5: return state.kappa;
        default: return state.pathParam;
    }
}

static double saturateSteerRate(double u) {
    if (u > kMaxSteerRate) return kMaxSteerRate;
    if (u < -kMaxSteerRate) return -kMaxSteerRate;
    return u;
}

// The vehicle as built: its own speed and wheelbase, the steered wheel at
// phi + offset, the body drifting sideways. A term at its default is left out,
// not added as a zero, so that the perfect vehicle's runs stay bit for bit.
StateDerivative vehicleDerivative(int mechanism, const VehicleState& state, double u) {
    const VehicleImperfections& imp = vehicleImperfections;
    const double speed = kDriveSpeed * imp.speedFactor;
    const double wheel = imp.steerOffset != 0.0 ? state.phi + imp.steerOffset * kDegToRad : state.phi;
    const double v = (mechanism == Mech1FDW1FS) ? speed * std::cos(wheel) : speed;
    double turnRate = u;
    double steerRate = 0.0;
    if (mechanism == Mech1FDW1FS) {
        turnRate = speed * std::sin(wheel) / imp.wheelbase;
        steerRate = saturateSteerRate(u);
    } else if (mechanism == Mech1RDW1FS) {
        turnRate = speed * std::tan(wheel) / imp.wheelbase;
        steerRate = saturateSteerRate(u);
    }
    const double cosTheta = std::cos(state.theta), sinTheta = std::sin(state.theta);
    StateDerivative f;
    f.value[0] = v;
    f.value[1] = turnRate;
    f.value[2] = v * cosTheta;
    f.value[3] = v * sinTheta;
    if (imp.drift != 0.0) {
        f.value[2] -= imp.drift * sinTheta;
        f.value[3] += imp.drift * cosTheta;
    }
    f.value[4] = steerRate;
    return f;
}

void limitSteering(int mechanism, VehicleState& state, const StateDerivative& derivative) {
    // 2DW1C: the steering angle of a front-steered vehicle turning at the same rate.
    if (mechanism == Mech2DW1C)
        state.phi = std::atan(kWheelBase * derivative.value[1] / derivative.value[0]);
    if (state.phi >= kMaxSteerAngle) state.phi = kMaxSteerAngle;
    if (state.phi <= -kMaxSteerAngle) state.phi = -kMaxSteerAngle;
}
