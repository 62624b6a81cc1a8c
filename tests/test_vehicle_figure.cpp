#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <vector>

#include "display/view.h"
#include "figures/vehicle_figure.h"
#include "sim/settings.h"
#include "tests/figures_test_util.h"
#include "tests/gl_recorder.h"

namespace {

struct Pose {
    double x, y, theta, phi;
};

std::vector<RecordedPrimitive> drawFigure(int mechanism, Pose pose, double zoom, double panX = 0.0,
                                          double panY = 0.0, const RgbaColor* colour = &colorBlue) {
    simSettings.mechanism = mechanism;
    viewState.zoom = zoom;
    viewState.panX = panX;
    viewState.panY = panY;
    recorderReset();
    const double position[2] = {pose.x, pose.y};
    drawVehicleFigures(position, pose.theta, pose.phi, colour);
    return recorderPrimitives();
}

// A window point in metres along a frame turned by angle about origin.
RecPoint inFrame(RecPoint p, RecPoint origin, double angle, double z) {
    const double dx = p.x - origin.x, dy = p.y - origin.y;
    const double c = std::cos(angle), s = std::sin(angle);
    return RecPoint{(dx * c + dy * s) / z, (-dx * s + dy * c) / z};
}

Extent extentInFrame(const RecordedPrimitive& prim, RecPoint origin, double angle, double z) {
    std::vector<RecPoint> pts;
    for (const RecPoint& p : prim.window) pts.push_back(inFrame(p, origin, angle, z));
    return extentOf(pts);
}

void expectExtent(const Extent& e, double minX, double maxX, double minY, double maxY, const char* what) {
    SCOPED_TRACE(what);
    EXPECT_NEAR(e.minX, minX, 1e-9);
    EXPECT_NEAR(e.maxX, maxX, 1e-9);
    EXPECT_NEAR(e.minY, minY, 1e-9);
    EXPECT_NEAR(e.maxY, maxY, 1e-9);
}

RecPoint centreOf(const RecordedPrimitive& prim) {
    const Extent e = extentOf(prim.window);
    return RecPoint{(e.minX + e.maxX) / 2, (e.minY + e.maxY) / 2};
}

// What a piece is: mode, vertex count, colour, and for lines their kind.
enum Width { Fill, Thick, Thin, Outline };
struct Piece {
    GLenum mode;
    size_t vertices;
    const RgbaColor* colour;
    Width width;
};

const RgbaColor* const kBody = nullptr;  // stands for the run colour

const Piece kBodyPiece{GL_POLYGON, 5, kBody, Fill};
const Piece kRearWheel{GL_POLYGON, 242, kBody, Fill};
const Piece kThickLine{GL_LINES, 2, &colorBlack, Thick};
const Piece kThinLine{GL_LINES, 2, &colorBlack, Thin};
const Piece kBoxFill{GL_POLYGON, 4, &colorWhite, Fill};
const Piece kBoxOutline{GL_LINE_LOOP, 4, &colorBlack, Outline};
const Piece kWheelFill{GL_POLYGON, 242, &colorWhite, Fill};
const Piece kWheelOutline{GL_LINE_LOOP, 242, &colorBlack, Outline};
const Piece kHeadFill{GL_POLYGON, 120, &colorWhite, Fill};
const Piece kHeadArc{GL_LINE_STRIP, 238, &colorBlack, Outline};
const Piece kPivotFill{GL_POLYGON, 120, &colorWhite, Fill};
const Piece kPivotOutline{GL_LINE_LOOP, 238, &colorBlack, Outline};
const Piece kDot{GL_POLYGON, 120, &colorWhite, Fill};

const std::vector<Piece> kTwoDriveWheelsAndCaster = {
    kBodyPiece, kRearWheel, kRearWheel, kThickLine, kBoxFill, kBoxOutline, kThickLine, kBoxFill,
    kBoxOutline, kWheelFill, kWheelOutline, kThickLine, kThinLine, kThinLine, kThinLine, kPivotFill,
    kPivotOutline, kDot};
const std::vector<Piece> kFrontDriveSteer = {
    kThickLine, kBodyPiece, kRearWheel, kRearWheel, kHeadFill, kHeadArc, kThinLine, kThinLine,
    kWheelFill, kWheelOutline, kThickLine, kBoxFill, kBoxOutline, kDot};
const std::vector<Piece> kRearDriveFrontSteer = {
    kBodyPiece, kThickLine, kRearWheel, kRearWheel, kBoxFill, kBoxOutline, kThinLine, kThinLine,
    kThickLine, kBoxFill, kBoxOutline, kHeadFill, kHeadArc, kThinLine, kThinLine, kWheelFill,
    kWheelOutline, kDot};

const std::vector<Piece>& piecesOf(int mechanism) {
    return mechanism == Mech2DW1C ? kTwoDriveWheelsAndCaster
           : mechanism == Mech1FDW1FS ? kFrontDriveSteer
                                      : kRearDriveFrontSteer;
}

void expectPieces(const std::vector<RecordedPrimitive>& prims, const std::vector<Piece>& expected,
                  const RgbaColor& body, double zoom) {
    ASSERT_EQ(prims.size(), expected.size());
    for (size_t i = 0; i < prims.size(); ++i) {
        SCOPED_TRACE(i);
        const Piece& e = expected[i];
        EXPECT_EQ(prims[i].mode, e.mode);
        EXPECT_EQ(prims[i].window.size(), e.vertices);
        EXPECT_TRUE(sameColour(prims[i].colour, e.colour ? *e.colour : body));
        if (e.width == Thick) {
            EXPECT_FLOAT_EQ(prims[i].lineWidth, float(0.04 * zoom * 400));
        } else if (e.width == Thin) {
            EXPECT_FLOAT_EQ(prims[i].lineWidth, 3.2f);
        } else if (e.width == Outline) {
            EXPECT_EQ(prims[i].lineWidth, 2.0f);
        }
    }
}

const int kMechanisms[] = {Mech2DW1C, Mech1FDW1FS, Mech1RDW1FS};

TEST(VehicleFigure, DefaultViewPoseMatchesTheWorkedExample) {
    for (int mech : kMechanisms) {
        SCOPED_TRACE(mech);
        const auto prims = drawFigure(mech, {2.0, 0.5, 0.0, 0.0}, 0.2);
        const size_t body = mech == Mech1FDW1FS ? 1 : 0;
        const size_t wheels = mech == Mech2DW1C ? 1 : 2;
        const auto& v = prims[body].window;
        ASSERT_EQ(v.size(), 5u);
        expectNear(v[0], -0.04, -0.1, 1e-12);
        expectNear(v[1], 0.2, -0.1, 1e-12);
        expectNear(v[2], 0.257735, 0.0, 1e-6);
        expectNear(v[3], 0.2, 0.1, 1e-12);
        expectNear(v[4], -0.04, 0.1, 1e-12);
        expectNear(centreOf(prims[wheels]), 0.0, 0.12, 1e-12);
        expectNear(centreOf(prims[wheels + 1]), 0.0, -0.12, 1e-12);
        // F: the pivot of the caster, or the centre of the front wheel.
        const RecordedPrimitive& atF = mech == Mech2DW1C ? prims[15] : prims[prims.size() - (mech == Mech1FDW1FS ? 6 : 3)];
        expectNear(centreOf(atF), 0.2, 0.0, 1e-12);
        const RecordedPrimitive& dot = prims.back();
        expectNear(centreOf(dot), 0.0, 0.0, 1e-12);
        expectNear(dot.window[0], 0.008, 0.0, 1e-12);
    }
}

TEST(VehicleFigure, EachMechanismDrawsItsPiecesInOrder) {
    const Pose pose{1.1, -0.3, 0.4, -0.2};
    for (int mech : kMechanisms) {
        SCOPED_TRACE(mech);
        const auto blue = drawFigure(mech, pose, 0.25);
        expectPieces(blue, piecesOf(mech), colorBlue, 0.25);
        expectCleanProtocol();
        EXPECT_LE(blue.size(), 18u);

        // The PI run differs only in the body colour.
        const auto green = drawFigure(mech, pose, 0.25, 0.0, 0.0, &colorGreen);
        expectPieces(green, piecesOf(mech), colorGreen, 0.25);
        for (size_t i = 0; i < blue.size(); ++i)
            for (size_t k = 0; k < blue[i].window.size(); ++k)
                EXPECT_TRUE(blue[i].window[k].x == green[i].window[k].x && blue[i].window[k].y == green[i].window[k].y);
    }
}

TEST(VehicleFigure, OutOfRangeMechanismDrawsOnlyTheReferenceDot) {
    for (int mech : {0, 4, -1}) {
        const auto prims = drawFigure(mech, {0.5, 1.5, 1.0, 0.3}, 0.3, 0.1, 0.2);
        ASSERT_EQ(prims.size(), 1u);
        EXPECT_EQ(prims[0].mode, GLenum(GL_POLYGON));
        EXPECT_TRUE(sameColour(prims[0].colour, colorWhite));
        expectNear(centreOf(prims[0]), (0.5 - 2.0) * 0.3 + 0.1, (1.5 - 0.5) * 0.3 + 0.2, 1e-12);
        expectNear(prims[0].window[0], (0.5 - 2.0) * 0.3 + 0.1 + 0.04 * 0.3, (1.5 - 0.5) * 0.3 + 0.2, 1e-12);
        expectCleanProtocol();
    }
}

// A general pose: every piece measured in the body frame (u, v) about O or in
// the steered frame (u', v') about F, in metres.
constexpr Pose kPose{1.3, -0.8, 0.7, 0.35};
constexpr double kZoom = 0.3, kPanX = 0.1, kPanY = -0.05;

struct Frames {
    RecPoint o, f;
    double theta, steered;
};

Frames framesOf() {
    const RecPoint o{(kPose.x - 2.0) * kZoom + kPanX, (kPose.y - 0.5) * kZoom + kPanY};
    const RecPoint f{o.x + 1.0 * kZoom * std::cos(kPose.theta), o.y + 1.0 * kZoom * std::sin(kPose.theta)};
    return Frames{o, f, kPose.theta, kPose.theta + kPose.phi};
}

Extent inBody(const RecordedPrimitive& p) {
    const Frames fr = framesOf();
    return extentInFrame(p, fr.o, fr.theta, kZoom);
}

Extent inSteered(const RecordedPrimitive& p) {
    const Frames fr = framesOf();
    return extentInFrame(p, fr.f, fr.steered, kZoom);
}

void expectLine(const RecordedPrimitive& p, bool steered, RecPoint a, RecPoint b, const char* what) {
    SCOPED_TRACE(what);
    const Frames fr = framesOf();
    const RecPoint from = steered ? fr.f : fr.o;
    const double angle = steered ? fr.steered : fr.theta;
    expectNear(inFrame(p.window[0], from, angle, kZoom), a.x, a.y, 1e-9);
    expectNear(inFrame(p.window[1], from, angle, kZoom), b.x, b.y, 1e-9);
}

void expectRoundAboutF(const RecordedPrimitive& p, double radius, const char* what) {
    SCOPED_TRACE(what);
    const RecPoint f = framesOf().f;
    for (const RecPoint& q : p.window) EXPECT_NEAR(std::hypot(q.x - f.x, q.y - f.y), radius * kZoom, 1e-12);
}

void expectSteeredWheelAndFork(const std::vector<RecordedPrimitive>& prims, size_t head) {
    // From the steered right side, clockwise round the back, to just past the left.
    expectRoundAboutF(prims[head], 0.04, "steering head");
    std::vector<RecPoint> local;
    for (const RecPoint& q : prims[head].window) local.push_back(inFrame(q, framesOf().f, framesOf().steered, kZoom));
    expectNear(local.front(), 0.0, -0.04, 1e-9);
    expectNear(local.back(), -0.04 * std::sin(piConst / 120), 0.04 * std::cos(piConst / 120), 1e-9);
    for (const RecPoint& q : local) EXPECT_LE(q.x, 1e-9);
    expectLine(prims[head + 2], true, {0.048, 0.048}, {-0.048, 0.048}, "fork left");
    expectLine(prims[head + 3], true, {0.048, -0.048}, {-0.048, -0.048}, "fork right");
    expectExtent(inSteered(prims[head + 4]), -0.1, 0.1, -0.04, 0.04, "front wheel");
}

TEST(VehicleFigure, TwoDriveWheelsAndCasterGeometry) {
    const auto prims = drawFigure(Mech2DW1C, kPose, kZoom, kPanX, kPanY);
    ASSERT_EQ(prims.size(), 18u);
    expectExtent(inBody(prims[1]), -0.18, 0.18, 0.54, 0.66, "left wheel");
    expectExtent(inBody(prims[2]), -0.18, 0.18, -0.66, -0.54, "right wheel");
    expectLine(prims[3], false, {0, 0.54}, {0, 0.38}, "left stub");
    expectExtent(inBody(prims[4]), -0.08, 0.08, 0.22, 0.38, "left box");
    expectLine(prims[6], false, {0, -0.54}, {0, -0.38}, "right stub");
    expectExtent(inBody(prims[7]), -0.08, 0.08, -0.38, -0.22, "right box");
    expectExtent(inSteered(prims[9]), -0.3, -0.1, -0.04, 0.04, "caster wheel");
    expectLine(prims[11], true, {0, 0}, {-0.08, 0}, "stem");
    expectLine(prims[12], true, {-0.08, 0.048}, {-0.24, 0.048}, "fork leg");
    expectLine(prims[13], true, {-0.08, 0.048}, {-0.08, -0.048}, "crossbar");
    expectLine(prims[14], true, {-0.24, -0.048}, {-0.08, -0.048}, "fork leg");
    expectRoundAboutF(prims[15], 0.04, "pivot");
    expectRoundAboutF(prims[16], 0.04, "pivot outline");

    // Unsteered, the caster trails straight behind F, inside the body.
    const auto straight = drawFigure(Mech2DW1C, {2.0, 0.5, 0.0, 0.0}, 0.2);
    expectNear(centreOf(straight[9]), 0.8 * 0.2, 0.0, 1e-12);
    EXPECT_LT(extentOf(straight[9].window).maxX, 1.0 * 0.2);
}

TEST(VehicleFigure, FrontDriveSteerGeometry) {
    const auto prims = drawFigure(Mech1FDW1FS, kPose, kZoom, kPanX, kPanY);
    ASSERT_EQ(prims.size(), 14u);
    expectLine(prims[0], false, {0, 0.6}, {0, -0.6}, "rear axle");
    expectSteeredWheelAndFork(prims, 4);
    expectLine(prims[10], true, {0, 0.04}, {0, 0.12}, "shaft");
    expectExtent(inSteered(prims[11]), -0.08, 0.08, 0.12, 0.28, "drive box");
}

TEST(VehicleFigure, RearDriveFrontSteerGeometry) {
    const auto prims = drawFigure(Mech1RDW1FS, kPose, kZoom, kPanX, kPanY);
    ASSERT_EQ(prims.size(), 18u);
    expectLine(prims[1], false, {0, 0.6}, {0, -0.6}, "rear axle");
    expectExtent(inBody(prims[4]), -0.08, 0.08, -0.08, 0.08, "crossed box");
    expectLine(prims[6], false, {-0.08, -0.08}, {0.08, 0.08}, "diagonal");
    expectLine(prims[7], false, {0.08, -0.08}, {-0.08, 0.08}, "diagonal");
    expectLine(prims[8], false, {0.08, 0}, {0.16, 0}, "shaft");
    expectExtent(inBody(prims[9]), 0.16, 0.32, -0.08, 0.08, "drive box");
    expectSteeredWheelAndFork(prims, 11);
}

// Steering turns its own pieces about F and leaves every other vertex as it was.
TEST(VehicleFigure, SteeringTurnsOnlyTheSteeredPieces) {
    const std::set<size_t> turned[] = {{9, 10, 11, 12, 13, 14},
                                       {4, 5, 6, 7, 8, 9, 10, 11, 12},
                                       {11, 12, 13, 14, 15, 16}};
    const double phi = 0.5;
    for (int mech : kMechanisms) {
        SCOPED_TRACE(mech);
        const Pose straight{kPose.x, kPose.y, kPose.theta, 0.0};
        const Pose steered{kPose.x, kPose.y, kPose.theta, phi};
        const auto a = drawFigure(mech, straight, kZoom, kPanX, kPanY);
        const auto b = drawFigure(mech, steered, kZoom, kPanX, kPanY);
        ASSERT_EQ(a.size(), b.size());
        const RecPoint f = framesOf().f;
        for (size_t i = 0; i < a.size(); ++i) {
            SCOPED_TRACE(i);
            const bool turns = turned[mech - 1].count(i) > 0;
            for (size_t k = 0; k < a[i].window.size(); ++k) {
                const RecPoint p = a[i].window[k], q = b[i].window[k];
                if (!turns) {
                    ASSERT_TRUE(p.x == q.x && p.y == q.y) << k;
                    continue;
                }
                const double dx = p.x - f.x, dy = p.y - f.y;
                expectNear(q, f.x + dx * std::cos(phi) - dy * std::sin(phi),
                           f.y + dx * std::sin(phi) + dy * std::cos(phi), 1e-9);
            }
        }
    }
}

// Lengths scale with the zoom; thin lines and outlines keep their pixels.
TEST(VehicleFigure, HalvingTheZoomHalvesEveryPiece) {
    const Pose pose{2.0, 0.5, 0.9, -0.4};  // O at the window centre
    for (int mech : kMechanisms) {
        SCOPED_TRACE(mech);
        const auto full = drawFigure(mech, pose, 0.2);
        const auto half = drawFigure(mech, pose, 0.1);
        expectPieces(full, piecesOf(mech), colorBlue, 0.2);
        expectPieces(half, piecesOf(mech), colorBlue, 0.1);
        for (size_t i = 0; i < full.size(); ++i)
            for (size_t k = 0; k < full[i].window.size(); ++k)
                expectNear(half[i].window[k], full[i].window[k].x / 2, full[i].window[k].y / 2, 1e-12);
    }
}

}  // namespace
