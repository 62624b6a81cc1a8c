#include "sim/control.h"

#include "sim/gains.h"
#include "sim/settings.h"

double controlInput(int mechanism, int law, const TrackingSample& e, const ErrorIntegrals& in) {
    const FeedbackGains& g = gainTable.gains[mechanism][law];
    if (mechanism == Mech2DW1C) {
        if (law == ControlPI)
            return -(g.kD * e.errD + g.kTheta * e.errTheta) - g.kI * (g.kD * in.intD + g.kTheta * in.intTheta);
        return -g.kD * e.errD - g.kTheta * e.errTheta;
    }
    const double proportional = -(g.kD * e.errD + g.kTheta * e.errTheta + g.kPhi * e.errPhi);
    if (law == ControlPI)
        return proportional - g.kI * (g.kD * in.intD + g.kTheta * in.intTheta + g.kPhi * in.intPhi);
    return proportional;
}
