#include "display/texts.h"

#include <GL/glut.h>

#include <cmath>
#include <cstdio>
#include <cstring>

#include "sim/imperfections.h"
#include "sim/settings.h"

static const char digitTable[] = "0123456789";

void drawText(float x, float y, void* font, const char* text) {
    glPushAttrib(GL_CURRENT_BIT);
    glRasterPos2f(x, y);
    for (const char* c = text; *c != '\0'; ++c) {
        glutBitmapCharacter(font, static_cast<unsigned char>(*c));
    }
    glPopAttrib();
}

void drawTitle() {
    drawText(-0.99f, 0.95f, GLUT_BITMAP_HELVETICA_18, "AGV P and PI Feedback Control");
}

static const char* mechanismText(int mechanism) {
    switch (mechanism) {
    case Mech2DW1C: return "(1-1) 2DW1C AGV";
    case Mech1FDW1FS: return "(1-2) 1FDW1FS AGV";
    case Mech1RDW1FS: return "(1-3) 1RDW1FS AGV";
    default: return nullptr;
    }
}

static const char* lawText(int law) {
    switch (law) {
    case ControlP: return "(2-1) Simple P-Control";
    case ControlPI: return "(2-2) PI-Control";
    default: return nullptr;
    }
}

static const char* pathText(int pathKind) {
    switch (pathKind) {
    case PathLine: return "(3) Path=Straight Line";
    case PathCircle: return "(3) Path=Circle";
    default: return nullptr;
    }
}

static void drawOptionalText(float x, float y, const char* text) {
    if (text != nullptr) {
        drawText(x, y, GLUT_BITMAP_HELVETICA_18, text);
    }
}

void drawConditionTexts() {
    drawOptionalText(-0.95f, 0.90f, mechanismText(simSettings.mechanism));
    drawOptionalText(-0.95f, 0.85f, lawText(simSettings.controlLaw));
    drawDesignValuesText(-0.85, 0.8, simSettings.fn, simSettings.zeta);
    drawOptionalText(-0.95f, 0.75f, pathText(simSettings.pathKind));
    drawText(-0.90f, 0.70f, GLUT_BITMAP_HELVETICA_18, "Blue  Curve : Trajectory by Simple P-Control");
    drawText(-0.90f, 0.65f, GLUT_BITMAP_HELVETICA_18, "Green Curve : Trajectory by PI-Control");
    drawText(-0.90f, 0.60f, GLUT_BITMAP_HELVETICA_18, "1 grid=(1.0, 1.0)[m]");
    drawVehicleText();
}

// Every picture of an imperfect vehicle says what was simulated; the perfect
// vehicle's frames stay as they always were.
void drawVehicleText() {
    char text[400];
    describeImperfections(vehicleImperfections, text, sizeof text);
    if (text[0] != '\0') drawText(-0.95f, 0.55f, GLUT_BITMAP_HELVETICA_18, text);
}

// Rounding can push a digit just outside 0..9 (0.19999999999999998 · 100
// is 20.0, giving a hundredths digit of 10); such a digit is held at the
// nearest bound before the next digit is derived from it.
static int digitValue(double scaledRest) {
    int value = static_cast<int>(scaledRest);
    if (value < 0) value = 0;
    if (value > 9) value = 9;
    return value;
}

// Appends value cut (never rounded) to `decimals` places (2 or 3). The
// digits come from the magnitude, so a negative value reads as its
// magnitude with a minus sign; units of 10 and more are written in full.
static void appendCutDecimal(char* out, size_t size, double value, int decimals) {
    size_t used = std::strlen(out);
    if (!std::isfinite(value)) {
        std::snprintf(out + used, size - used, "%s", std::isnan(value) ? "nan" : value < 0 ? "-inf" : "inf");
        return;
    }
    double magnitude = std::fabs(value);
    double units = std::trunc(magnitude);
    double r = magnitude - units;
    int t = digitValue(r * 10);
    int h = digitValue(r * 100 - 10 * t);
    int k = digitValue(r * 1000 - 100 * t - 10 * h);
    char digits[4] = {digitTable[t], digitTable[h], digitTable[k], '\0'};
    digits[decimals] = '\0';
    if (units < 10.0) {
        char unitDigit = digitTable[static_cast<int>(units)];
        std::snprintf(out + used, size - used, "%s%c.%s", value < 0 ? "-" : "", unitDigit, digits);
    } else {
        std::snprintf(out + used, size - used, "%s%.0f.%s", value < 0 ? "-" : "", units, digits);
    }
}

void drawDesignValuesText(double x, double y, double fn, double zeta) {
    // Rebuilt in full on every call; 0 <= value < 10 gives the fixed
    // 23 characters "fn=d.dd[Hz],zeta=d.ddd\n".
    static char text[704];  // room for two values near DBL_MAX written in full
    text[0] = '\0';
    std::strcat(text, "fn=");
    appendCutDecimal(text, sizeof text, fn, 2);
    std::strcat(text, "[Hz],zeta=");
    appendCutDecimal(text, sizeof text, zeta, 3);
    std::strcat(text, "\n");
    drawText(static_cast<float>(x), static_cast<float>(y), GLUT_BITMAP_HELVETICA_18, text);
}
