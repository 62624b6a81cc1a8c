#include "ui/dialog.h"

#include <cmath>

#include "display/info_layer.h"
#include "display/view.h"
#include "platform/console.h"
#include "platform/key_read.h"
#include "sim/gains.h"
#include "sim/run.h"
#include "sim/settings.h"
#include "ui/dialog_entry.h"
#include "ui/vehicle_dialog.h"

static void printTitle() {
    consolePrintf("\n\n移動ロボット(AGV)の走行のフィードバック制御と誤差の収束性");
    consolePrintf("\n・(1)2DW1C, (2)1FDW1FS, (3)1RDW1FS AGV機構");
    consolePrintf("\n・(1)P制御, (2)PI制御");
    consolePrintf("\n・これらの組み合わせの走行シミュレーション");
    consolePrintf("\n\n(1) AGV機構(1:2DW1C, 2:1FDW1FS, 3:1RDW1FS)の選択は描画画面で");
    consolePrintf("\n    初めは%dを描画する", simSettings.mechanism);
}

// At end of input the path stays what it was.
static void choosePath() {
    const bool line = simSettings.pathKind == PathLine;
    consolePrintf("\n\n(2) 経路変更　旧経路 :%s", line ? "原点を通る水平直線" : "原点を中心とし半径=2[m]の円弧");
    consolePrintf("\n    直線=0，円弧=1 のどちらかを選択  I= ");
    const int key = readKey();
    if (key != kNoKey) simSettings.pathKind = key == '0' ? PathLine : PathCircle;
    consolePrintf("%s", simSettings.pathKind == PathLine ? "\n    直線(y=0)を選択した" : "\n    円弧(x^2+y^2=4)を選択した");
}

// A zero divides by zero in the gain formulas; nan, inf or gains that
// overflow would run through every simulated run.
static const char* designValueFault(const double entered[2]) {
    if (!allFinite(entered, 2)) return kNotFinite;
    if (entered[0] == 0.0 || entered[1] == 0.0) return "\n    fnやζが0ではゲインを計算できません．もう一度入力してください";
    if (!gainsFiniteFor(entered[0], entered[1]))
        return "\n    このfnとζではゲインが有限の値になりません．もう一度入力してください";
    return nullptr;
}

static constexpr const char* kRunsNotFinite =
    "\n    この初期位置姿勢からは走行が有限の値になりません．もう一度入力してください";

static bool runsFiniteFrom(double x, double y, double theta) {
    SimSettings trial = simSettings;
    trial.x0 = x;
    trial.y0 = y;
    trial.theta0 = theta;
    return runsFiniteWith(trial, vehicleImperfections);
}

// A far pose overflows the model: the window must never get such runs.
static const char* poseFault(const double entered[3]) {
    if (!allFinite(entered, 3)) return kNotFinite;
    if (!runsFiniteFrom(entered[0], entered[1], entered[2] * kDegToRad)) return kRunsNotFinite;
    return nullptr;
}

static void enterDesignValues() {
    consolePrintf("\n(3) FBC系の固有周波数fn(0.1Hz～1Hz) 減衰比ζ変更　旧fn=%6.3f[Hz] ζ=%6.3f",
                  simSettings.omegaN / kTwoPi, simSettings.zeta);
    double entered[2];
    if (enterNumbers("\n    新fn ζ=", entered, 2, designValueFault)) {
        simSettings.fn = entered[0];
        simSettings.zeta = entered[1];
    }
    simSettings.omegaN = kTwoPi * simSettings.fn;
    consolePrintf("\n    固有振動数fn=%6.3f[Hz]  減衰比ζ=%6.3f", simSettings.fn, simSettings.zeta);
    computeGains();
}

// False at end of input, with the pose as it was.
static bool enterPose() {
    consolePrintf("\n(4) AGVの初期位置姿勢変更  旧P0(x,y,θ)=(%6.3f[m] %6.3f[m] %6.3f[deg])", simSettings.x0,
                  simSettings.y0, simSettings.theta0 * kRadToDeg);
    double entered[3];
    if (!enterNumbers("\n    新初期状態(x,yは±3以下) x y θ=", entered, 3, poseFault)) return false;
    simSettings.x0 = entered[0];
    simSettings.y0 = entered[1];
    simSettings.theta0 = entered[2] * kDegToRad;
    return true;
}

static void useStartupPose() {
    const SimSettings chosen = simSettings;
    setStartupSettings();
    const double x = simSettings.x0, y = simSettings.y0, theta = simSettings.theta0;
    simSettings = chosen;
    simSettings.x0 = x;
    simSettings.y0 = y;
    simSettings.theta0 = theta;
}

// A pose that held on the other path may overflow on this one: it is asked
// for again, and without an answer the start-up pose takes its place. True
// when the trial left the record holding the runs of the settings in force.
static bool keepRunsFinite() {
    if (runsFiniteFrom(simSettings.x0, simSettings.y0, simSettings.theta0)) return true;
    consolePrintf("%s", kRunsNotFinite);
    if (enterPose()) return true;
    useStartupPose();
    return false;
}

static void askDesignValues() {
    consolePrintf("\nFB系の固有振動数変更する？　旧fn=%6.3f[Hz] ζ=%6.3f", simSettings.fn, simSettings.zeta);
    if (answeredYes()) enterDesignValues();
}

static void askPose() {
    consolePrintf("\nAGVの初期位置姿勢変更する？　旧P0(x,y,θ)=(%6.3f[m] %6.3f[m] %6.3f[deg])", simSettings.x0,
                  simSettings.y0, simSettings.theta0 * kRadToDeg);
    if (answeredYes()) enterPose();
}

static const char* const kKeyHelp[] = {
    "\n\n(1) 理論経路（赤)",
    "\n(2) P制御のAGV走行軌道（青）",
    "\n(2) PI制御のAGV走行軌道（緑）",
    "\n・経路，初期位置姿勢の変更はキーで選択",
    "\n(1) 描画画面上でキーによる操作選択",
    "\n(1-1) '1' '2' '3' : AGVのタイプ選択，そのまま描画画面で",
    "\n(1-2) 'c'         : 経路変更のために文字画面へ",
    "\n(1-3) 'P' 'I'     : P制御・PI制御の描画選択，そのまま描画画面で",
    "\n(1-4) 'f'         : FBC系の固有振動数[Hz]の変更のために文字画面へ",
    "\n(1-5) 'h'         : 初期条件変更のために文字画面へ",
    "\n(1-6) 'd'         : 車両の誤差・外乱の変更のために文字画面へ",
    "\n(2) 描画の選択",
    "\n(2-1) 's'            ：運動継続",
    "\n(2-2) '0'            ：運動初期に戻す",
    "\n(2-3) 'x' 'X' 'y' 'Y'：ロボット図の左右上下移動",
    "\n(2-4) 'w' 'W'：ロボット図の縮小拡大",
    "\n(2-5) 'z' 'Z'：位相平面図の左右移動",
    "\n(2-6) ' '            ：再生・一時停止",
    "\n(2-7) 't'            ：情報表示の切替",
    "\n(3)   ESC    ：終了",
    "\n\n任意キーで描画画面へ       ",
};

// The runs are deterministic: a trial run of these settings is the real one.
static void computeRunsAndWait(bool runsRecorded) {
    printSettingsSummary();
    consolePrintf("\n");
    consolePrintf("\n\n          只今計算中．．．．．．．\n");
    if (!runsRecorded) runAllMechanisms(simSettings.pathKind);
    refreshRunFigures();
    consolePrintf("\n-------------------計算終了------------------------");
    resetViewAfterRuns();
    for (const char* line : kKeyHelp) consolePrintf("%s", line);
    const int key = readAnyKey();
    if (key != kNoKey) consolePrintf(" %c", key);
}

void printSettingsSummary() {
    static const char* const mechanismLines[] = {"", "\n(1-1) 1:2DW1Cタイプ", "\n(1-1) 2:1FDW1FSタイプ",
                                                 "\n(1-1) 3:1RDW1FSタイプ"};
    const int mechanism = simSettings.mechanism;
    consolePrintf("\n\n/*************** 設定したAGVの経路生成条件 ************************/");
    if (mechanism >= Mech2DW1C && mechanism <= Mech1RDW1FS) consolePrintf("%s", mechanismLines[mechanism]);
    consolePrintf("\n(1-2) 駆動最大速度  Vmax=%5.2f[m/s]", kMaxDriveSpeed);
    if (mechanism == Mech1FDW1FS || mechanism == Mech1RDW1FS)
        consolePrintf("\n(1-3) ステアリング最大角速度　ωmax=%5.2f[rad/s]", kMaxSteerRate);
    consolePrintf("\n(2)経路復帰フィードバック制御方式");
    if (simSettings.controlLaw == ControlP) consolePrintf("\n(2-1) 経路誤差(経路ずれ・角度誤差)の単純P制御");
    if (simSettings.controlLaw == ControlPI) consolePrintf("\n(2-2) 経路誤差(経路ずれ・角度誤差)のPI制御");
    consolePrintf("\n(2-3) FBC系の固有振動数fn=%6.3f[Hz]  減衰比ζ=%7.4f", simSettings.omegaN / kTwoPi,
                  simSettings.zeta);
    consolePrintf("\n(2-4) 初期状態(x,y,θ)=(%6.3f[m], %6.3f[m], %6.3f[deg])", simSettings.x0, simSettings.y0,
                  simSettings.theta0 * kRadToDeg);
    printVehicleSummary();
    consolePrintf("%s", simSettings.pathKind == PathLine ? "\n(3-1) 直線経路y=0" : "\n(3-2) 円弧経路x^2+y^2=4");
    consolePrintf("\n/***********************************************************************/");
    consolePrintf("\n");
}

void settingsDialog() {
    printTitle();
    if (simSettings.lastKey == 'f') {
        enterDesignValues();
        askPose();
    } else if (simSettings.lastKey == 'h') {
        enterPose();
    } else if (simSettings.lastKey == 'd') {
        vehicleSection();
    } else {
        choosePath();
        askDesignValues();
        askPose();
    }
    computeRunsAndWait(keepRunsFinite());
}
