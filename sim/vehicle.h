// Vehicle state and the kinematic models of the three drive mechanisms.
#pragma once

// Order matters: elements 0..4 are integrated by index.
struct VehicleState {
    double dist;       // m travelled by the reference point
    double theta;      // rad, body heading
    double x, y;       // m, reference point
    double phi;        // rad, steering angle (equivalent angle for 2DW1C)
    double kappa;      // 1/m, copied from the tracking sample
    double pathParam;  // copied from the tracking sample
};

constexpr int kIntegratedStates = 5;

// Time derivatives of state elements 0..4.
struct StateDerivative {
    double value[kIntegratedStates];
};

double& stateElement(VehicleState& state, int index);

// u is the input the vehicle gets; the vehicle is the one as built
// (vehicleImperfections), the design's at the defaults.
StateDerivative vehicleDerivative(int mechanism, const VehicleState& state, double u);
void limitSteering(int mechanism, VehicleState& state, const StateDerivative& derivative);
