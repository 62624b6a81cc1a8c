#include "sim/disturbance.h"

#include "sim/imperfections.h"
#include "sim/noise.h"
#include "sim/settings.h"

constexpr int kStages = 4;
constexpr int kMaxDelaySteps = 2000;  // kMaxDelay / h, h = 0.0005 s

// A term at its default is left out rather than added as a zero, so that the
// perfect vehicle's runs stay what they were bit for bit (-0 + 0 is +0).
static struct {
    bool noisy;
    double sigmaD;      // m
    double sigmaTheta;  // rad
    uint64_t generator;
    NoisePair noise;
    int delay;  // steps
    int slot;   // this step's place in the delay line
    double pastInputs[kMaxDelaySteps][kStages];
    bool biased;
    double bias;  // rad/s
} run;

void startDisturbances(double h) {
    const VehicleImperfections& v = vehicleImperfections;
    run.sigmaD = v.noiseD;
    run.sigmaTheta = v.noiseTheta * kDegToRad;
    run.noisy = v.noiseD != 0.0 || v.noiseTheta != 0.0;
    run.generator = static_cast<uint64_t>(v.seed);
    run.noise = {0.0, 0.0};
    run.delay = delaySteps(v.delay, h);
    if (run.delay > kMaxDelaySteps) run.delay = kMaxDelaySteps;
    for (int i = 0; i < run.delay; ++i)
        for (double& u : run.pastInputs[i]) u = 0.0;
    run.biased = v.inputBias != 0.0;
    run.bias = v.inputBias * kDegToRad;
}

MeasurementNoise beginDisturbedStep(int stepIndex) {
    if (run.delay > 0) run.slot = stepIndex % run.delay;
    if (!run.noisy) return {false, false, 0.0, 0.0};
    if (stepIndex % kSubsteps == 0) run.noise = gaussianPair(&run.generator);
    return {run.sigmaD != 0.0, run.sigmaTheta != 0.0, run.sigmaD * run.noise.n1, run.sigmaTheta * run.noise.n2};
}

double appliedInput(int stage, double u) {
    double applied = u;
    if (run.delay > 0) {
        double& past = run.pastInputs[run.slot][stage - 1];
        applied = past;
        past = u;
    }
    return run.biased ? applied + run.bias : applied;
}
