// Reference paths and the tracking errors of a vehicle state against them.
#pragma once

#include "sim/vehicle.h"

struct TrackingSample {
    double refArc;     // m along the path
    double refTheta;   // rad, path tangent
    double refX, refY; // m, reference point
    double refPhi;     // rad, steering angle that holds the path
    double kappa;      // 1/m
    double pathParam;  // line: x; circle: unwrapped polar angle
    double errD;       // m, positive left of the direction of travel
    double errTheta;   // rad, not wrapped here
    double errPhi;     // rad
    double plotD;      // m, offset as the phase plane plots it
};

// previous.pathParam keeps the circle's polar angle continuous;
// previous and result may be the same record.
void computeTrackingError(int pathKind, const VehicleState& vehicle, const TrackingSample& previous,
                          TrackingSample& result);

// Brings u within [-pi, pi) of p, however many turns apart.
double unwrapAngle(double u, double p);
