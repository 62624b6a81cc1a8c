// Corner texts and the fn/zeta line with its cut digits.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "display/texts.h"
#include "tests/test_scene_fixture.h"

namespace {

class TextsTest : public ::testing::Test {
protected:
    void SetUp() override {
        useShownDefaults();
        recorderReset();
    }

    static std::string designText(double fn, double zeta) {
        recorderReset();
        drawDesignValuesText(-0.85, 0.8, fn, zeta);
        EXPECT_EQ(recorderTexts().size(), 1u);
        return recorderTexts().empty() ? std::string() : recorderTexts()[0].bytes;
    }

    // The bytes of every text drawn since the last reset.
    static std::vector<std::string> drawnTexts() {
        std::vector<std::string> out;
        for (const RecordedText& t : recorderTexts()) out.push_back(t.bytes);
        return out;
    }
};

TEST_F(TextsTest, DrawTextKeepsTheCurrentColourAndRasterPosition) {
    glColor4f(0.0f, 1.0f, 0.0f, 0.0f);
    drawText(0.25f, -0.5f, GLUT_BITMAP_HELVETICA_18, "dd\n");
    std::vector<std::string> names = recorderCallNames();
    std::vector<std::string> expected = {"glColor4f",           "glPushAttrib",        "glRasterPos2f",
                                         "glutBitmapCharacter", "glutBitmapCharacter", "glutBitmapCharacter",
                                         "glPopAttrib"};
    EXPECT_EQ(names, expected);
    EXPECT_EQ(recorderCalls()[1].args, (std::vector<double>{GL_CURRENT_BIT}));
    const RecordedText& t = recorderTexts()[0];
    EXPECT_EQ(t.x, 0.25f);
    EXPECT_EQ(t.y, -0.5f);
    EXPECT_EQ(t.bytes, "dd\n");
    EXPECT_EQ(t.font, GLUT_BITMAP_HELVETICA_18);
    EXPECT_EQ(recorderState().colour[1], 1.0f);
    EXPECT_EQ(recorderState().attribDepth, 0);
}

TEST_F(TextsTest, CornerBlockNamesWhatIsShown) {
    drawTitle();
    drawConditionTexts();
    std::vector<std::string> expected = {"AGV P and PI Feedback Control",
                                         "(1-1) 2DW1C AGV",
                                         "(2-1) Simple P-Control",
                                         "fn=1.00[Hz],zeta=0.700\n",
                                         "(3) Path=Straight Line",
                                         "Blue  Curve : Trajectory by Simple P-Control",
                                         "Green Curve : Trajectory by PI-Control",
                                         "1 grid=(1.0, 1.0)[m]"};
    EXPECT_EQ(drawnTexts(), expected);
    const float x[] = {-0.99f, -0.95f, -0.95f, -0.85f, -0.95f, -0.90f, -0.90f, -0.90f};
    const float y[] = {0.95f, 0.90f, 0.85f, 0.80f, 0.75f, 0.70f, 0.65f, 0.60f};
    for (size_t i = 0; i < recorderTexts().size(); ++i) {
        EXPECT_EQ(recorderTexts()[i].x, x[i]) << i;
        EXPECT_EQ(recorderTexts()[i].y, y[i]) << i;
        EXPECT_EQ(recorderTexts()[i].font, GLUT_BITMAP_HELVETICA_18);
    }
}

TEST_F(TextsTest, AnImperfectVehicleIsNamedUnderTheCornerBlock) {
    vehicleImperfections.speedFactor = 1.1;
    vehicleImperfections.delay = 0.1;
    drawConditionTexts();
    const RecordedText& last = recorderTexts().back();
    EXPECT_EQ(last.bytes, "Vehicle: speed x1.10, delay 0.10 s");
    EXPECT_EQ(last.x, -0.95f);
    EXPECT_EQ(last.y, 0.55f);
    vehicleImperfections = defaultImperfections();
    recorderReset();
    drawConditionTexts();
    EXPECT_EQ(drawnTexts().back(), "1 grid=(1.0, 1.0)[m]");
}

TEST_F(TextsTest, CornerBlockFollowsMechanismLawAndPath) {
    simSettings.mechanism = Mech1FDW1FS;
    simSettings.controlLaw = ControlPI;
    simSettings.pathKind = PathCircle;
    drawConditionTexts();
    std::vector<std::string> texts = drawnTexts();
    EXPECT_EQ(texts[0], "(1-2) 1FDW1FS AGV");
    EXPECT_EQ(texts[1], "(2-2) PI-Control");
    EXPECT_EQ(texts[3], "(3) Path=Circle");
    recorderReset();
    simSettings.mechanism = Mech1RDW1FS;
    drawConditionTexts();
    EXPECT_EQ(drawnTexts()[0], "(1-3) 1RDW1FS AGV");
}

TEST_F(TextsTest, UnknownValuesLeaveTheirLinesEmpty) {
    simSettings.mechanism = 4;
    simSettings.controlLaw = 0;
    simSettings.pathKind = 2;
    drawConditionTexts();
    std::vector<std::string> expected = {"fn=1.00[Hz],zeta=0.700\n",
                                         "Blue  Curve : Trajectory by Simple P-Control",
                                         "Green Curve : Trajectory by PI-Control", "1 grid=(1.0, 1.0)[m]"};
    EXPECT_EQ(drawnTexts(), expected);
}

TEST_F(TextsTest, DesignValuesAreCutNotRounded) {
    EXPECT_EQ(designText(1.0, 0.7), "fn=1.00[Hz],zeta=0.700\n");
    EXPECT_EQ(designText(0.5, 1.0), "fn=0.50[Hz],zeta=1.000\n");
    EXPECT_EQ(designText(0.123, 0.05), "fn=0.12[Hz],zeta=0.050\n");
    EXPECT_EQ(designText(0.29, 0.7), "fn=0.28[Hz],zeta=0.700\n");  // 0.29 * 100 - 20 is 8.999...
    EXPECT_EQ(designText(0.35, 0.999), "fn=0.35[Hz],zeta=0.999\n");
    EXPECT_EQ(designText(9.999, 9.9999), "fn=9.99[Hz],zeta=9.999\n");
    EXPECT_EQ(designText(0.0, 0.0), "fn=0.00[Hz],zeta=0.000\n");
    // Every call rewrites every digit.
    EXPECT_EQ(designText(3.56, 7.901).size(), 23u);
    EXPECT_EQ(designText(0.0, 0.0), "fn=0.00[Hz],zeta=0.000\n");
}

// Values whose last digit would come out as 10 in the digit arithmetic.
TEST_F(TextsTest, DigitsNeverLeaveTheDigitTable) {
    EXPECT_EQ(designText(0.19999999999999998, 0.39999999999999997), "fn=0.19[Hz],zeta=0.399\n");
    EXPECT_EQ(designText(0.79999999999999993, 0.099999999999999992), "fn=0.79[Hz],zeta=0.099\n");
}

TEST_F(TextsTest, OutOfRangeValuesShowTruthfullyCut) {
    EXPECT_EQ(designText(-0.5, 0.7), "fn=-0.50[Hz],zeta=0.700\n");
    EXPECT_EQ(designText(12.345, -0.0506), "fn=12.34[Hz],zeta=-0.050\n");
    EXPECT_EQ(designText(10.0, 123.4567), "fn=10.00[Hz],zeta=123.456\n");
    EXPECT_EQ(designText(-9.999, -10.5), "fn=-9.99[Hz],zeta=-10.500\n");
    double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(designText(std::nan(""), -inf), "fn=nan[Hz],zeta=-inf\n");
    std::string huge = designText(1e300, -std::numeric_limits<double>::max());
    EXPECT_EQ(huge.substr(0, 4), "fn=1");
    EXPECT_NE(huge.find(".00[Hz],zeta=-1"), std::string::npos);
    EXPECT_EQ(huge.substr(huge.size() - 5), ".000\n");
}

}  // namespace
