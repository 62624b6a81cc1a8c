// Shared set-up for the window-drawing tests: known settings and view, a
// hand-made trajectory record, and readers of the recorded primitives.
#pragma once

#include <gtest/gtest.h>

#include <cmath>

#include "display/view.h"
#include "figures/primitives.h"
#include "sim/record.h"
#include "sim/imperfections.h"
#include "sim/settings.h"
#include "tests/gl_recorder.h"

// Beyond lastSample every sample holds this, far outside any frame.
constexpr double kPoison = 999.0;

inline void useShownDefaults() {
    simSettings.fn = 1.0;
    simSettings.zeta = 0.7;
    setStartupSettings();
    vehicleImperfections = defaultImperfections();
    resetView();
    resetViewAfterRuns();
}

// Sample i of run (m, law) lies at x = i + 0.1 * law + m, y = 0.5 * law;
// tracking point (i, 0); phase point (0.1 * i, 0.2 * i * law).
inline void fillRun(int m, int law, int last) {
    trajectoryRecord.lastSample[m][law] = last;
    for (int i = 0; i < kMaxSamples; ++i) {
        VehicleState& s = trajectoryRecord.state[law][m][i];
        TrackingSample& t = trajectoryRecord.track[law][m][i];
        bool used = i <= last;
        s.x = used ? i + 0.1 * law + m : kPoison;
        s.y = used ? 0.5 * law : kPoison;
        s.theta = used ? 0.01 * i : kPoison;
        s.phi = 0.0;
        t.refX = used ? i : kPoison;
        t.refY = used ? 0.0 : kPoison;
        t.plotD = used ? 0.1 * i : kPoison;
        t.errTheta = used ? 0.02 * i * law : kPoison;
    }
}

inline void fillAllRuns(int lastP, int lastPI) {
    for (int m = 0; m < 3; ++m) {
        fillRun(m, ControlP, lastP);
        fillRun(m, ControlPI, lastPI);
    }
}

inline bool sameColour(const float c[4], const RgbaColor& expected) {
    return c[0] == expected.red && c[1] == expected.green && c[2] == expected.blue &&
           c[3] == expected.alpha;
}

inline bool isDisc(const RecordedPrimitive& p) {
    return p.mode == GL_POLYGON && p.window.size() == circleSegments;
}

inline bool isSegment(const RecordedPrimitive& p) {
    return p.mode == GL_LINES && p.window.size() == 2;
}

// Centre of a recorded disc in window units: its vertices are symmetric.
inline RecPoint discCentre(const RecordedPrimitive& p) {
    RecPoint c{0.0, 0.0};
    for (const RecPoint& v : p.window) {
        c.x += v.x / p.window.size();
        c.y += v.y / p.window.size();
    }
    return c;
}

inline double discRadius(const RecordedPrimitive& p) {
    RecPoint c = discCentre(p);
    return std::hypot(p.window[0].x - c.x, p.window[0].y - c.y);
}

inline RecPoint worldPoint(double x, double y) {
    double w[2];
    worldToWindow(x, y, w);
    return RecPoint{w[0], w[1]};
}

inline ::testing::AssertionResult near(RecPoint actual, RecPoint expected, double tolerance = 1e-9) {
    if (std::fabs(actual.x - expected.x) <= tolerance && std::fabs(actual.y - expected.y) <= tolerance) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "(" << actual.x << ", " << actual.y << ") is not ("
                                         << expected.x << ", " << expected.y << ")";
}

// No vertex of the frame may come from a sample beyond lastSample.
inline bool touchesPoison(const RecordedPrimitive& p) {
    for (const RecPoint& v : p.window) {
        if (std::fabs(v.x) > 50.0 || std::fabs(v.y) > 50.0) return true;
    }
    return false;
}
