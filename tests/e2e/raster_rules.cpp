// The rasteriser's rules the program's frames leave loose, drawn in one small
// scene: lines at exactly 45 degrees, widths that round, vertices on pixel
// centres and on the snapping grid's half steps, shared polygon edges, lines
// leaving the view volume, a scissor box. Built twice, against Mesa (a GLUT window, read
// back) and against the canvas rasteriser, each writing the scene as a PPM.
// Usage: agv_raster_rules_{mesa,canvas} OUT.ppm
#include <GL/gl.h>

#include <cstdio>
#include <cstdlib>

#include "ppm.h"

#ifdef AGV_RULES_CANVAS
#include "web/gl/raster.h"
#else
#include <GL/glut.h>
#endif

static constexpr int kSize = 128;  // px, square: window and device coordinates agree exactly
static const char* outPath = nullptr;

// Window pixel coordinates to normalised device coordinates; pixel centres at k + 0.5.
static void vertex(double x, double y) {
    glVertex2d(x / kSize * 2 - 1, y / kSize * 2 - 1);
}

static void line(float width, double x0, double y0, double x1, double y1) {
    glLineWidth(width);
    glBegin(GL_LINES);
    vertex(x0, y0);
    vertex(x1, y1);
    glEnd();
}

static void drawScene() {
    glViewport(0, 0, kSize, kSize);
    glClearColor(1, 1, 1, 0);
    glClear(GL_COLOR_BUFFER_BIT);
    glColor4f(0.8f, 0.1f, 0.1f, 0);
    line(1, 4.5, 4.5, 30.5, 30.5);        // 45 degrees through pixel centres
    line(1, 4.5, 30.5, 30.5, 4.5);
    line(1, 36, 4, 62, 30);               // 45 degrees through pixel corners
    line(3, 70, 4, 96, 30);
    glColor4f(0.1f, 0.5f, 0.1f, 0);
    const float widths[] = {1.5f, 2.49f, 2.5f, 3.5f, 4};  // each rounds to a whole pixel count
    for (int i = 0; i < 5; ++i) {
        line(widths[i], 4, 38.5 + 7 * i, 44, 41.25 + 7 * i);
        line(widths[i], 52.5 + 7 * i, 38, 55.25 + 7 * i, 72);
    }
    glColor4f(0.1f, 0.1f, 0.8f, 0);
    glBegin(GL_POLYGON);  // vertices on pixel centres, edges shared inside the fan
    vertex(4.5, 80.5);
    vertex(30.5, 80.5);
    vertex(34.5, 96.5);
    vertex(18.5, 112.5);
    vertex(4.5, 96.5);
    glEnd();
    // Half a snapping step (1/512 px) off pixel centres: which way the vertex rounds
    // decides whether the centres on an edge are filled.
    constexpr double half = 1.0 / 512;
    glColor4f(0.6f, 0.4f, 0.1f, 0);
    glBegin(GL_TRIANGLES);
    vertex(44.5 + half, 80.25);
    vertex(60, 90);
    vertex(44.5 + half, 100.25);
    vertex(64.25, 82.5 + half);
    vertex(80.25, 82.5 + half);
    vertex(72, 100);
    glEnd();
    line(1, 84.5 + half, 80, 84.5 + half, 100);
    line(2, 88, 86.5 - half, 100, 86.5 - half);
    glColor4f(0.2f, 0.2f, 0.2f, 0);
    line(3, -20, 120.3, 160, 114.7);      // leaves the view volume at both ends
    line(2, 100, -5, 126, 140);
    glBegin(GL_LINE_LOOP);
    vertex(110.5, 60.5);
    vertex(122.25, 72.5);
    vertex(110.5, 84.75);
    vertex(98.5, 72.5);
    glEnd();
    // A scissor box cuts the clear, wide lines and triangles at its pixel edges.
    glScissor(102, 6, 20, 22);
    glEnable(GL_SCISSOR_TEST);
    glClearColor(0.9f, 0.9f, 0.5f, 0);
    glClear(GL_COLOR_BUFFER_BIT);
    glColor4f(0.5f, 0.1f, 0.6f, 0);
    line(5, 96, 10.5, 126, 24.5);
    glBegin(GL_TRIANGLES);
    vertex(98, 2);
    vertex(126, 8);
    vertex(110, 32);
    glEnd();
    glDisable(GL_SCISSOR_TEST);
}

#ifdef AGV_RULES_CANVAS
static int drawAndWrite() {
    rasterInit(RasterExact, kSize, kSize);
    drawScene();
    rasterPresent();
    return writePpm(outPath, rasterPixels(), kSize, kSize, 4) ? 0 : 1;
}
#else
static void onDisplay() {
    static unsigned char pixels[kSize * kSize * 3];
    drawScene();
    glFinish();
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, kSize, kSize, GL_RGB, GL_UNSIGNED_BYTE, pixels);
    std::exit(writePpm(outPath, pixels, kSize, kSize, 3) ? 0 : 1);
}

static int drawAndWrite() {
    int argc = 1;
    char name[] = "agv_raster_rules_mesa";
    char* argv[] = {name, nullptr};
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE);
    glutInitWindowSize(kSize, kSize);
    glutCreateWindow("raster rules");
    glutDisplayFunc(onDisplay);
    glutMainLoop();
    return 1;
}
#endif

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUT.ppm\n", argv[0]);
        return 2;
    }
    outPath = argv[1];
    return drawAndWrite();
}
