// agvsim-export: runs the simulations headless and writes every recorded sample
// of each run asked for as CSV to standard output.
#include <cstdio>
#include <cstring>

#include "sim/run.h"
#include "sim/run_figures.h"
#include "sim/settings.h"
#include "tools/common/csv_rows.h"
#include "tools/common/figures_csv.h"
#include "tools/common/run_options.h"

static const char* const kUsage =
    "usage: agvsim-export [--path line|circle] [--fn HZ] [--zeta Z] [--pose X Y THETA_DEG]\n"
    "                     [--mech 2DW1C|1FDW1FS|1RDW1FS] [--law P|PI] [--design | --metrics]\n"
    "Simulates the three mechanisms under P and PI control and writes every\n"
    "recorded sample 0..lastSample of each run as CSV to standard output.\n"
    "  --path line|circle   reference path (default line)\n"
    "  --fn HZ              natural frequency in hertz, not 0 (default 1.0)\n"
    "  --zeta Z             damping ratio, not 0 (default 0.7)\n"
    "  --pose X Y THETA_DEG initial pose in metres and degrees (default -2 1 0)\n"
    "  --mech NAME          only the runs of this mechanism (default all three)\n"
    "  --law P|PI           only the runs under this law (default both)\n"
    "  --design             append the design curve's designD,designTheta: the\n"
    "                       linear closed loop the gains were designed for, from\n"
    "                       the run's sample-0 errors, without steering limits\n"
    "                       or path curvature\n"
    "  --metrics            instead of the samples, one row per run:\n"
    "                       mech,law,settle,designSettle,overshoot,finalD,iae,\n"
    "                       peakPhi,atLimit,endT (see agvsim-export(1))\n"
    "  --help               show this text\n"
    "fn and zeta whose gains come out infinite or undefined are refused, and so\n"
    "is a pose from which any run comes out infinite or undefined.\n"
    "Columns: mech (2DW1C, 1FDW1FS or 1RDW1FS), law (P or PI), k (sample index),\n"
    "t (k * 0.02 s), the vehicle state dist,theta,x,y,phi,kappa,pathParam and the\n"
    "tracking sample refArc,refTheta,refX,refY,refPhi,track_kappa,track_pathParam,\n"
    "errD,errTheta (wrapped into [-pi, pi]),errPhi,plotD. Runs appear in the order\n"
    "2DW1C, 1FDW1FS, 1RDW1FS, each with P before PI. Every number is written in\n"
    "its shortest form that reads back to the same double.\n"
    "The window's phase plane plots dd, the column plotD, against dth, the\n"
    "column errTheta.\n";

static bool chosen(int wanted, int value) { return wanted == 0 || wanted == value; }

enum Output { OutputSamples, OutputDesign, OutputMetrics };

static void writeOutput(int output, int m, int law) {
    if (output != OutputMetrics) {
        writeCsvRun(stdout, m, law, output == OutputDesign);
        return;
    }
    RunFigures figures;
    computeRunFigures(m, law, &figures);
    writeFiguresRow("", m, law, figures);
}

int main(int argc, char** argv) {
    toolName = "agvsim-export";
    setDefaultRunSettings();
    RunChoice choice = {0, 0};
    int output = OutputSamples;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0) {
            std::fputs(kUsage, stdout);
            std::fputs(kVehicleOptionsUsage, stdout);
            return 0;
        }
        const int asked = std::strcmp(argv[i], "--design") == 0    ? OutputDesign
                          : std::strcmp(argv[i], "--metrics") == 0 ? OutputMetrics
                                                                   : OutputSamples;
        if (asked != OutputSamples) {
            if (output != OutputSamples && output != asked) {
                failOption("--design and --metrics", "may not be given together");
                return 2;
            }
            output = asked;
            continue;
        }
        int taken = applyRunOption(argv[i], argv + i + 1, argc - i - 1, &choice);
        if (taken == kNotARunOption) failOption(argv[i], "unknown option");
        if (taken < 0) return 2;
        i += taken;
    }
    if (!designFiniteGains()) return 2;
    runAllMechanisms(simSettings.pathKind);
    if (!refuseNonFiniteRuns()) return 2;
    if (output == OutputMetrics)
        writeFiguresHeader();
    else
        writeCsvHeader(stdout, output == OutputDesign);
    for (int m = 0; m < 3; ++m) {
        if (!chosen(choice.mechanism, m + 1)) continue;
        for (int law = ControlP; law <= ControlPI; ++law) {
            if (chosen(choice.law, law)) writeOutput(output, m, law);
        }
    }
    return std::fflush(stdout) == 0 && !std::ferror(stdout) ? 0 : 1;
}
