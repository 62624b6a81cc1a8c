#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <unistd.h>

#include "platform/console.h"
#include "sim/gains.h"
#include "sim_fixture.h"

namespace {

struct GainCase {
    double fn, zeta;
    double p2[2], pi2[3], steeredP[3], steeredPI[4];  // printed order
};

const GainCase kCases[] = {
    {1.0, 0.7, {39.4784, 8.7965}, {29.6088, 11.0405, 2.9920}, {248.0502, 94.7482, 15.0796},
     {347.2703, 77.3777, 17.5929, 4.4880}},
    {0.5, 0.7, {9.8696, 4.3982}, {7.4022, 5.5202, 1.4960}, {31.0063, 23.6871, 7.5398},
     {43.4088, 19.3444, 8.7965, 2.2440}},
    {0.1, 1.0, {0.3948, 1.2566}, {0.2961, 1.4137, 0.2094}, {0.2481, 1.1844, 1.8850},
     {0.4961, 1.5791, 2.5133, 0.3142}},
};

const FeedbackGains& gains(int mechanism, int law) { return gainTable.gains[mechanism][law]; }

TEST(GainDesign, TablesMatchTheDesignExamples) {
    for (const GainCase& c : kCases) {
        SCOPED_TRACE(c.fn);
        useStartupSettings(PathLine, c.fn, c.zeta);
        EXPECT_NEAR(gains(Mech2DW1C, ControlP).kD, c.p2[0], 5e-5);
        EXPECT_NEAR(gains(Mech2DW1C, ControlP).kTheta, c.p2[1], 5e-5);
        EXPECT_NEAR(gains(Mech2DW1C, ControlPI).kD, c.pi2[0], 5e-5);
        EXPECT_NEAR(gains(Mech2DW1C, ControlPI).kTheta, c.pi2[1], 5e-5);
        EXPECT_NEAR(gains(Mech2DW1C, ControlPI).kI, c.pi2[2], 5e-5);
        for (int m : {Mech1FDW1FS, Mech1RDW1FS}) {
            const FeedbackGains& p = gains(m, ControlP);
            const FeedbackGains& pi = gains(m, ControlPI);
            EXPECT_NEAR(p.kD, c.steeredP[0], 5e-5);
            EXPECT_NEAR(p.kTheta, c.steeredP[1], 5e-5);
            EXPECT_NEAR(p.kPhi, c.steeredP[2], 5e-5);
            EXPECT_NEAR(pi.kD, c.steeredPI[0], 5e-5);
            EXPECT_NEAR(pi.kTheta, c.steeredPI[1], 5e-5);
            EXPECT_NEAR(pi.kPhi, c.steeredPI[2], 5e-5);
            EXPECT_NEAR(pi.kI, c.steeredPI[3], 5e-5);
        }
    }
}

// Captures what computeGains writes to standard output, in the console's UTF-8 form.
std::string capturedGainLines() {
    setConsoleEncoding(EncodingUtf8);
    std::fflush(stdout);
    char path[] = "/tmp/agv-gains-XXXXXX";
    const int fd = mkstemp(path);
    const int saved = dup(STDOUT_FILENO);
    dup2(fd, STDOUT_FILENO);
    computeGains();
    std::fflush(stdout);
    dup2(saved, STDOUT_FILENO);
    close(saved);
    std::string text;
    char buffer[4096];
    lseek(fd, 0, SEEK_SET);
    for (ssize_t n; (n = read(fd, buffer, sizeof buffer)) > 0;) text.append(buffer, static_cast<size_t>(n));
    close(fd);
    unlink(path);
    return text;
}

TEST(GainPrintout, SixLinesByteForByte) {
    useStartupSettings();
    const std::string expected =
        "\ngain() 2DW1C   P制御  K[d,θ]=(39.4784  8.7965)"
        "\n               PI制御 K[d,θ,I]=(29.6088 11.0405  2.9920)"
        "\n       1FDW1FS P制御  K[d,θ,φ]=(248.0502 94.7482 15.0796)"
        "\n               PI制御 K[d,θ,φ,I]=(347.2703 77.3777 17.5929  4.4880)"
        "\n       1RDW1FS P制御  K[d,θ,φ]=(248.0502 94.7482 15.0796)"
        "\n               PI制御 K[d,θ,φ,I]=(347.2703 77.3777 17.5929  4.4880)";
    EXPECT_EQ(capturedGainLines(), expected);
}

TEST(GainPrintout, RepeatableAndPaddedForSmallGains) {
    useStartupSettings(PathLine, 0.1, 1.0);
    const std::string first = capturedGainLines();
    EXPECT_EQ(first, capturedGainLines());
    EXPECT_NE(first.find("K[d,θ]=( 0.3948  1.2566)"), std::string::npos) << first;
}

}  // namespace
