// Expected console texts of the settings dialog, built from the program's
// formats with snprintf, in UTF-8; cp932() turns them into the bytes a pipe gets.
#pragma once

#include <cstdarg>
#include <cstdio>
#include <string>

#include "platform/encoding.h"

namespace transcript {

inline std::string format(const char* fmt, ...) __attribute__((format(printf, 1, 2)));
inline std::string format(const char* fmt, ...) {
    char buffer[1024];
    va_list args;
    va_start(args, fmt);
    std::vsnprintf(buffer, sizeof buffer, fmt, args);
    va_end(args);
    return buffer;
}

inline std::string cp932(const std::string& utf8) {
    static char out[65536];
    const long n = toCp932(utf8.data(), utf8.size(), out, sizeof out);
    return n < 0 ? std::string("<not convertible>") : std::string(out, static_cast<size_t>(n));
}

// The six gain lines, from the printed values (2DW1C P, PI, steered P, PI).
inline std::string gainLines(const double p2[2], const double pi2[3], const double ps[3], const double pis[4]) {
    std::string s;
    s += format("\ngain() 2DW1C   P制御  K[d,θ]=(%7.4f %7.4f)", p2[0], p2[1]);
    s += format("\n               PI制御 K[d,θ,I]=(%7.4f %7.4f %7.4f)", pi2[0], pi2[1], pi2[2]);
    for (const char* name : {"1FDW1FS", "1RDW1FS"}) {
        s += format("\n       %s P制御  K[d,θ,φ]=(%7.4f %7.4f %7.4f)", name, ps[0], ps[1], ps[2]);
        s += format("\n               PI制御 K[d,θ,φ,I]=(%7.4f %7.4f %7.4f %7.4f)", pis[0], pis[1], pis[2], pis[3]);
    }
    return s;
}

// fn 1.0 Hz, zeta 0.7.
inline std::string startupGains() {
    const double p2[] = {39.4784, 8.7965}, pi2[] = {29.6088, 11.0405, 2.9920};
    const double ps[] = {248.0502, 94.7482, 15.0796}, pis[] = {347.2703, 77.3777, 17.5929, 4.4880};
    return gainLines(p2, pi2, ps, pis);
}

// fn 0.5 Hz, zeta 0.7.
inline std::string halfHertzGains() {
    const double p2[] = {9.8696, 4.3982}, pi2[] = {7.4022, 5.5202, 1.4960};
    const double ps[] = {31.0063, 23.6871, 7.5398}, pis[] = {43.4088, 19.3444, 8.7965, 2.2440};
    return gainLines(p2, pi2, ps, pis);
}

inline std::string title(int mechanism) {
    return "\n\n移動ロボット(AGV)の走行のフィードバック制御と誤差の収束性"
           "\n・(1)2DW1C, (2)1FDW1FS, (3)1RDW1FS AGV機構"
           "\n・(1)P制御, (2)PI制御"
           "\n・これらの組み合わせの走行シミュレーション"
           "\n\n(1) AGV機構(1:2DW1C, 2:1FDW1FS, 3:1RDW1FS)の選択は描画画面で" +
           format("\n    初めは%dを描画する", mechanism);
}

inline std::string pathSection(bool oldCircle, bool newCircle) {
    return std::string("\n\n(2) 経路変更　旧経路 :") + (oldCircle ? "原点を中心とし半径=2[m]の円弧" : "原点を通る水平直線") +
           "\n    直線=0，円弧=1 のどちらかを選択  I= " +
           (newCircle ? "\n    円弧(x^2+y^2=4)を選択した" : "\n    直線(y=0)を選択した");
}

inline const char* yesNo() { return "\nyes:y  no:n  入力 "; }

inline std::string fnQuestion(double fn, double zeta) {
    return format("\nFB系の固有振動数変更する？　旧fn=%6.3f[Hz] ζ=%6.3f", fn, zeta) + yesNo();
}

// The fn entry up to the gain lines; `note` is what the dialog says about the entry, if anything.
inline std::string fnEntry(double oldFn, double oldZeta, const std::string& note, double fn, double zeta) {
    return format("\n(3) FBC系の固有周波数fn(0.1Hz～1Hz) 減衰比ζ変更　旧fn=%6.3f[Hz] ζ=%6.3f", oldFn, oldZeta) +
           "\n    新fn ζ=" + note + format("\n    固有振動数fn=%6.3f[Hz]  減衰比ζ=%6.3f", fn, zeta);
}

inline std::string poseQuestion(double x, double y, double degrees) {
    return format("\nAGVの初期位置姿勢変更する？　旧P0(x,y,θ)=(%6.3f[m] %6.3f[m] %6.3f[deg])", x, y, degrees) + yesNo();
}

inline std::string poseEntry(double x, double y, double degrees, const std::string& note) {
    return format("\n(4) AGVの初期位置姿勢変更  旧P0(x,y,θ)=(%6.3f[m] %6.3f[m] %6.3f[deg])", x, y, degrees) +
           "\n    新初期状態(x,yは±3以下) x y θ=" + note;
}

struct Summary {
    int mechanism, controlLaw;
    double fn, zeta, x, y, degrees;
    bool circle;
};

// vehicle: the values off their defaults, as the summary names them.
inline std::string summary(const Summary& s, const std::string& vehicle = "") {
    static const char* const mechanisms[] = {"", "\n(1-1) 1:2DW1Cタイプ", "\n(1-1) 2:1FDW1FSタイプ",
                                             "\n(1-1) 3:1RDW1FSタイプ"};
    std::string text = "\n\n/*************** 設定したAGVの経路生成条件 ************************/";
    text += mechanisms[s.mechanism];
    text += format("\n(1-2) 駆動最大速度  Vmax=%5.2f[m/s]", 2.0);
    if (s.mechanism != 1) text += format("\n(1-3) ステアリング最大角速度　ωmax=%5.2f[rad/s]", 3.0);
    text += "\n(2)経路復帰フィードバック制御方式";
    text += s.controlLaw == 1 ? "\n(2-1) 経路誤差(経路ずれ・角度誤差)の単純P制御" : "\n(2-2) 経路誤差(経路ずれ・角度誤差)のPI制御";
    text += format("\n(2-3) FBC系の固有振動数fn=%6.3f[Hz]  減衰比ζ=%7.4f", s.fn, s.zeta);
    text += format("\n(2-4) 初期状態(x,y,θ)=(%6.3f[m], %6.3f[m], %6.3f[deg])", s.x, s.y, s.degrees);
    if (!vehicle.empty()) text += "\n(2-5) 車両の誤差・外乱(既定値以外) " + vehicle;
    text += s.circle ? "\n(3-2) 円弧経路x^2+y^2=4" : "\n(3-1) 直線経路y=0";
    text += "\n/***********************************************************************/\n";
    return text;
}

// Everything after the summary: computation lines, key help, the final key's echo.
inline std::string computationAndHelp(const std::string& echo) {
    return std::string("\n") + "\n\n          只今計算中．．．．．．．\n" +
           "\n-------------------計算終了------------------------" +
           "\n\n(1) 理論経路（赤)" + "\n(2) P制御のAGV走行軌道（青）" + "\n(2) PI制御のAGV走行軌道（緑）" +
           "\n・経路，初期位置姿勢の変更はキーで選択" + "\n(1) 描画画面上でキーによる操作選択" +
           "\n(1-1) '1' '2' '3' : AGVのタイプ選択，そのまま描画画面で" + "\n(1-2) 'c'         : 経路変更のために文字画面へ" +
           "\n(1-3) 'P' 'I'     : P制御・PI制御の描画選択，そのまま描画画面で" +
           "\n(1-4) 'f'         : FBC系の固有振動数[Hz]の変更のために文字画面へ" +
           "\n(1-5) 'h'         : 初期条件変更のために文字画面へ" +
           "\n(1-6) 'd'         : 車両の誤差・外乱の変更のために文字画面へ" + "\n(2) 描画の選択" +
           "\n(2-1) 's'            ：運動継続" + "\n(2-2) '0'            ：運動初期に戻す" +
           "\n(2-3) 'x' 'X' 'y' 'Y'：ロボット図の左右上下移動" + "\n(2-4) 'w' 'W'：ロボット図の縮小拡大" +
           "\n(2-5) 'z' 'Z'：位相平面図の左右移動" +
           "\n(2-6) ' '            ：再生・一時停止" + "\n(2-7) 't'            ：情報表示の切替" + "\n(3)   ESC    ：終了" + "\n\n任意キーで描画画面へ       " + echo;
}

// The full sequence, as at start-up: path, question on fn, question on the pose.
inline std::string fullPass(bool oldCircle, bool newCircle, const Summary& s, const std::string& echo) {
    return title(s.mechanism) + pathSection(oldCircle, newCircle) + fnQuestion(s.fn, s.zeta) +
           poseQuestion(s.x, s.y, s.degrees) + summary(s) + computationAndHelp(echo);
}

const Summary kStartupSummary = {1, 1, 1.0, 0.7, -2.0, 1.0, 0.0, false};

// The dialog's own notes on an entry it could not take as typed.
inline std::string refused(const std::string& text) { return "\n    「" + text + "」は使えません．もう一度入力してください"; }
inline const char* noInput() { return "\n    入力がありません．前の値のままにします"; }
inline const char* notFinite() { return "\n    有限の数値ではありません．もう一度入力してください"; }
inline const char* zeroDesignValue() { return "\n    fnやζが0ではゲインを計算できません．もう一度入力してください"; }
inline const char* gainsNotFinite() { return "\n    このfnとζではゲインが有限の値になりません．もう一度入力してください"; }
inline const char* runsNotFinite() { return "\n    この初期位置姿勢からは走行が有限の値になりません．もう一度入力してください"; }
// The vehicle section up to its question: the nine values in force, in entry order.
inline std::string vehicleSection(const double v[9]) {
    return "\n\n(5) 車両の誤差・外乱の変更　現在の値" +
           format("\n    速度倍率=%6.3f  ホイールベース=%6.3f[m]", v[0], v[1]) +
           format("\n    入力バイアス=%6.3f[deg/s]  ステア角オフセット=%6.3f[deg]  横すべり=%6.3f[m/s]", v[2], v[3], v[4]) +
           format("\n    計測雑音σd=%6.3f[m]  σθ=%6.3f[deg]  乱数の種=%.0f", v[5], v[6], v[7]) +
           format("\n    むだ時間=%6.3f[s]", v[8]) + "\n車両の誤差・外乱を変更する？" + yesNo();
}
inline const char* vehiclePrompt(int entry) {
    static const char* const prompts[] = {"\n    新 速度倍率 ホイールベース[m]=",
                                          "\n    新 入力バイアス[deg/s] ステア角オフセット[deg] 横すべり[m/s]=",
                                          "\n    新 計測雑音σd[m] σθ[deg] 乱数の種=", "\n    新 むだ時間[s](0～1)="};
    return prompts[entry];
}
inline const char* vehicleRunsNotFinite() { return "\n    この車両の値では走行が有限の値になりません．もう一度入力してください"; }
inline const char* fnPrompt() { return "\n    新fn ζ="; }
inline const char* posePrompt() { return "\n    新初期状態(x,yは±3以下) x y θ="; }

}  // namespace transcript
