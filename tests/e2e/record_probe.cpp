// Prints recorded samples of the start-up runs, so the window tests can work
// out where the program must have drawn them.
// Usage: agv_record_probe [--pose x y degrees] <pathKind> <mechanism>:<law>:<sample> ...
// A sample of -1 stands for the run's last sample, * for every sample of the run.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "sim/gains.h"
#include "sim/record.h"
#include "sim/run.h"
#include "sim/settings.h"

static void setStartupSettings(int pathKind, const double pose[3]) {
    simSettings.mechanism = Mech2DW1C;
    simSettings.pathKind = pathKind;
    simSettings.controlLaw = ControlP;
    simSettings.omegaN = kTwoPi * simSettings.fn;
    designGains();
    simSettings.x0 = pose[0];
    simSettings.y0 = pose[1];
    simSettings.theta0 = pose[2] * kDegToRad;
    simSettings.phi0 = 0.0;
}

static void printSample(int mechanism, int law, int sample) {
    const int m = mechanism - 1;
    const VehicleState& s = trajectoryRecord.state[law][m][sample];
    const TrackingSample& t = trajectoryRecord.track[law][m][sample];
    std::printf("sample %d %d %d %d %.9f %.9f %.9f %.9f %.9f %.9f %.9f %.9f\n", mechanism, law,
                sample, trajectoryRecord.lastSample[m][law], s.x, s.y, s.theta, s.phi, t.refX,
                t.refY, t.plotD, t.errTheta);
}

static bool answerQuery(const char* query) {
    int mechanism = 0, law = 0, sample = 0;
    char all = 0;
    const bool every = std::sscanf(query, "%d:%d:%c", &mechanism, &law, &all) == 3 && all == '*';
    if (!every && std::sscanf(query, "%d:%d:%d", &mechanism, &law, &sample) != 3) return false;
    if (mechanism < 1 || mechanism > 3 || law < 1 || law > 2) return false;
    const int last = trajectoryRecord.lastSample[mechanism - 1][law];
    if (every) {
        for (int i = 0; i <= last; ++i) printSample(mechanism, law, i);
        return true;
    }
    printSample(mechanism, law, sample < 0 || sample > last ? last : sample);
    return true;
}

int main(int argc, char** argv) {
    double pose[3] = {-2.0, 1.0, 0.0};
    int first = 1;
    if (argc > 4 && std::strcmp(argv[1], "--pose") == 0) {
        for (int i = 0; i < 3; ++i) pose[i] = std::atof(argv[2 + i]);
        first = 5;
    }
    if (argc <= first) {
        std::fprintf(stderr, "usage: %s [--pose x y degrees] pathKind mechanism:law:sample ...\n",
                     argv[0]);
        return 2;
    }
    setStartupSettings(std::atoi(argv[first]), pose);
    runAllMechanisms(simSettings.pathKind);
    for (int i = first + 1; i < argc; ++i) {
        if (!answerQuery(argv[i])) {
            std::fprintf(stderr, "bad query %s\n", argv[i]);
            return 2;
        }
    }
    return 0;
}
