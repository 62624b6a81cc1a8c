#include "ui/dialog_entry.h"

#include <cmath>

#include "platform/console.h"
#include "platform/key_read.h"
#include "platform/number_entry.h"
#include "sim/record.h"
#include "sim/run.h"

const char* const kNotFinite = "\n    有限の数値ではありません．もう一度入力してください";

bool answeredYes() {
    consolePrintf("\nyes:y  no:n  入力 ");
    return readKey() == 'y';
}

static void reportUnusable(const char* text) {
    // Apart, so that typed text the console cannot convert leaves the Japanese intact.
    consolePrintf("\n    「");
    consolePrintf("%s", text);
    consolePrintf("」は使えません．もう一度入力してください");
}

bool enterNumbers(const char* prompt, double values[], int count, EntryFault fault) {
    for (;;) {
        consolePrintf("%s", prompt);
        const NumberEntry entry = readNumbers(values, count);
        if (entry.end == EntryEndOfInput) {
            consolePrintf("\n    入力がありません．前の値のままにします");
            return false;
        }
        if (entry.end == EntryRefused) {
            reportUnusable(entry.unusable);
            continue;
        }
        const char* problem = fault(values);
        if (!problem) return true;
        consolePrintf("%s", problem);
    }
}

bool allFinite(const double values[], int count) {
    for (int i = 0; i < count; ++i)
        if (!std::isfinite(values[i])) return false;
    return true;
}

bool runsFiniteWith(const SimSettings& settings, const VehicleImperfections& vehicle) {
    const SimSettings chosenSettings = simSettings;
    const VehicleImperfections chosenVehicle = vehicleImperfections;
    simSettings = settings;
    vehicleImperfections = vehicle;
    runAllMechanisms(simSettings.pathKind);
    simSettings = chosenSettings;
    vehicleImperfections = chosenVehicle;
    return recordedRunsFinite();
}
