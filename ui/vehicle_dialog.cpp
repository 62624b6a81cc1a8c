#include "ui/vehicle_dialog.h"

#include <cstdio>

#include "platform/console.h"
#include "sim/imperfections.h"
#include "ui/dialog_entry.h"

// The console's name for each value, and how it prints it.
struct Label {
    const char* name;
    const char* format;  // the value after "name="
};
static const Label kLabels[kImperfectionFields] = {
    {"速度倍率", "%6.3f"},         {"ホイールベース", "%6.3f[m]"}, {"入力バイアス", "%6.3f[deg/s]"},
    {"ステア角オフセット", "%6.3f[deg]"}, {"横すべり", "%6.3f[m/s]"},  {"計測雑音σd", "%6.3f[m]"},
    {"σθ", "%6.3f[deg]"},          {"乱数の種", "%.0f"},           {"むだ時間", "%6.3f[s]"},
};

// One entry: its fields, in the order typed.
struct EntryGroup {
    int first, count;
    const char* prompt;
};
static const EntryGroup kGroups[] = {
    {ImpSpeedFactor, 2, "\n    新 速度倍率 ホイールベース[m]="},
    {ImpInputBias, 3, "\n    新 入力バイアス[deg/s] ステア角オフセット[deg] 横すべり[m/s]="},
    {ImpNoiseD, 3, "\n    新 計測雑音σd[m] σθ[deg] 乱数の種="},
    {ImpDelay, 1, "\n    新 むだ時間[s](0～1)="},
};

// By ImperfectionFault.
static const char* const kFaultFormats[] = {
    "",
    "",  // not finite: the dialog's own line
    "\n    %sは0より大きくしてください．もう一度入力してください",
    "\n    %sは0より大きく100以下にしてください．もう一度入力してください",
    "\n    %sは負にできません．もう一度入力してください",
    "\n    %sは0～1[s]にしてください．もう一度入力してください",
    "\n    %sは0～4294967295の整数にしてください．もう一度入力してください",
};
static constexpr const char* kRunsNotFinite =
    "\n    この車両の値では走行が有限の値になりません．もう一度入力してください";

static void printValue(int field, const char* separator) {
    consolePrintf("%s%s=", separator, kLabels[field].name);
    consolePrintf(kLabels[field].format, imperfection(vehicleImperfections, field));
}

static const EntryGroup* entering;  // the entry vehicleFault checks

static VehicleImperfections withEntered(const double* values) {
    VehicleImperfections v = vehicleImperfections;
    for (int i = 0; i < entering->count; ++i) imperfection(v, entering->first + i) = values[i];
    return v;
}

// The first refused value by name; then runs that would overflow.
static const char* vehicleFault(const double* values) {
    static char message[200];
    for (int i = 0; i < entering->count; ++i) {
        const int field = entering->first + i;
        const ImperfectionFault fault = imperfectionFault(field, values[i]);
        if (fault == ImpNotFinite) return kNotFinite;
        if (fault != ImpFine) {
            std::snprintf(message, sizeof message, kFaultFormats[fault], kLabels[field].name);
            return message;
        }
    }
    return runsFiniteWith(simSettings, withEntered(values)) ? nullptr : kRunsNotFinite;
}

static void printValuesInForce() {
    consolePrintf("\n\n(5) 車両の誤差・外乱の変更　現在の値");
    for (const EntryGroup& group : kGroups) {
        for (int i = 0; i < group.count; ++i) printValue(group.first + i, i == 0 ? "\n    " : "  ");
    }
}

void vehicleSection() {
    printValuesInForce();
    consolePrintf("\n車両の誤差・外乱を変更する？");
    if (!answeredYes()) return;
    for (const EntryGroup& group : kGroups) {
        double entered[3];
        entering = &group;
        // At the end of input this value and the ones after it stay as they were.
        if (!enterNumbers(group.prompt, entered, group.count, vehicleFault)) return;
        vehicleImperfections = withEntered(entered);
    }
}

void printVehicleSummary() {
    if (isPerfectVehicle(vehicleImperfections)) return;
    consolePrintf("\n(2-5) 車両の誤差・外乱(既定値以外)");
    const char* separator = " ";
    for (int field = 0; field < kImperfectionFields; ++field) {
        if (atDefault(vehicleImperfections, field)) continue;
        printValue(field, separator);
        separator = ", ";
    }
}
