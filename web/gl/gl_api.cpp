// The GL calls of the drawing code, without a GL library underneath.
#include <GL/gl.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "web/gl/clip.h"
#include "web/gl/frame.h"
#include "web/gl/gl_state.h"

GlState glState = {{1, 1, 1, 1}, false, 1.0f, {0, 0, 0, 0}, 0, 0, true, {255, 255, 255, 255}, false, {0, 0, 0, 0}};

static constexpr int kModelviewDepth = 32;
static constexpr int kProjectionDepth = 2;
static constexpr int kAttribDepth = 16;
// No light is switched on: the scene's ambient light (0.2) on the default material's (0.2).
static const float litColour = 0.2f * 0.2f;

struct MatrixStack {
    Matrix4 entries[kModelviewDepth];
    int top;
    int capacity;
};

static MatrixStack modelview = {{}, 0, kModelviewDepth};
static MatrixStack projection = {{}, 0, kProjectionDepth};
static MatrixStack* currentStack = &modelview;
static bool matricesReady = false;

struct SavedAttributes {
    GLbitfield mask;
    GlState state;
};
static SavedAttributes attribStack[kAttribDepth];
static int attribDepth = 0;

static GLenum primitiveMode = 0;
static bool insidePrimitive = false;
static std::vector<ClipVertex> vertices;
static Matrix4 primitiveTransform;

static Matrix4& top() {
    if (!matricesReady) {
        matrixIdentity(&modelview.entries[0]);
        matrixIdentity(&projection.entries[0]);
        matricesReady = true;
    }
    return currentStack->entries[currentStack->top];
}

static unsigned char toUnorm8(float value) {
    const float clamped = value < 0.0f ? 0.0f : value > 1.0f ? 1.0f : value;
    return static_cast<unsigned char>(std::lrint(clamped * 255.0f));
}

void glStateFragmentColour(unsigned char rgba[4]) {
    for (int i = 0; i < 3; ++i) rgba[i] = toUnorm8(glState.lighting ? litColour : glState.colour[i]);
    rgba[3] = toUnorm8(glState.lighting ? 1.0f : glState.colour[3]);
}

Matrix4 glStateModelViewProjection() {
    top();
    Matrix4 m = projection.entries[projection.top];
    matrixMultiply(&m, modelview.entries[modelview.top]);
    return m;
}

void glMatrixMode(GLenum mode) {
    currentStack = mode == GL_PROJECTION ? &projection : &modelview;
}

void glLoadIdentity() {
    matrixIdentity(&top());
}

void glPushMatrix() {
    Matrix4 copy = top();
    if (currentStack->top + 1 < currentStack->capacity) currentStack->entries[++currentStack->top] = copy;
}

void glPopMatrix() {
    if (currentStack->top > 0) --currentStack->top;
}

void glTranslated(GLdouble x, GLdouble y, GLdouble z) {
    matrixTranslate(&top(), static_cast<float>(x), static_cast<float>(y), static_cast<float>(z));
}

void glRotated(GLdouble angle, GLdouble x, GLdouble y, GLdouble z) {
    matrixRotate(&top(), static_cast<float>(angle), static_cast<float>(x), static_cast<float>(y),
                 static_cast<float>(z));
}

void glViewport(GLint x, GLint y, GLsizei width, GLsizei height) {
    clipSetViewport(x, y, width, height);
}

void glColor4f(GLfloat red, GLfloat green, GLfloat blue, GLfloat alpha) {
    const float c[4] = {red, green, blue, alpha};
    std::memcpy(glState.colour, c, sizeof c);
}

void glLineWidth(GLfloat width) {
    if (width > 0.0f) glState.lineWidth = width;
}

void glEnable(GLenum cap) {
    if (cap == GL_LIGHTING) glState.lighting = true;
    if (cap == GL_SCISSOR_TEST) glState.scissorTest = true;
}

void glDisable(GLenum cap) {
    if (cap == GL_LIGHTING) glState.lighting = false;
    if (cap == GL_SCISSOR_TEST) glState.scissorTest = false;
}

void glScissor(GLint x, GLint y, GLsizei width, GLsizei height) {
    if (width < 0 || height < 0) return;
    const int box[4] = {x, y, width, height};
    std::memcpy(glState.scissor, box, sizeof box);
}

void glClearColor(GLclampf red, GLclampf green, GLclampf blue, GLclampf alpha) {
    const float c[4] = {red, green, blue, alpha};
    std::memcpy(glState.clearColour, c, sizeof c);
}

void glClear(GLbitfield mask) {
    if (!(mask & GL_COLOR_BUFFER_BIT)) return;
    unsigned char rgba[4];
    for (int i = 0; i < 4; ++i) rgba[i] = toUnorm8(glState.clearColour[i]);
    frameClear(rgba);
}

void glFlush() {}

void glPushAttrib(GLbitfield mask) {
    if (attribDepth < kAttribDepth) attribStack[attribDepth++] = {mask, glState};
}

void glPopAttrib() {
    if (attribDepth == 0) return;
    const SavedAttributes& saved = attribStack[--attribDepth];
    if (saved.mask & GL_CURRENT_BIT) {
        std::memcpy(glState.colour, saved.state.colour, sizeof glState.colour);
        glState.rasterX = saved.state.rasterX;
        glState.rasterY = saved.state.rasterY;
        glState.rasterValid = saved.state.rasterValid;
        std::memcpy(glState.rasterColour, saved.state.rasterColour, sizeof glState.rasterColour);
    }
    if (saved.mask & (GL_ENABLE_BIT | GL_LIGHTING_BIT)) glState.lighting = saved.state.lighting;
    if (saved.mask & (GL_ENABLE_BIT | GL_SCISSOR_BIT)) glState.scissorTest = saved.state.scissorTest;
    if (saved.mask & GL_SCISSOR_BIT) std::memcpy(glState.scissor, saved.state.scissor, sizeof glState.scissor);
    if (saved.mask & GL_LINE_BIT) glState.lineWidth = saved.state.lineWidth;
    if (saved.mask & GL_COLOR_BUFFER_BIT)
        std::memcpy(glState.clearColour, saved.state.clearColour, sizeof glState.clearColour);
}

void glBegin(GLenum mode) {
    if (insidePrimitive) return;
    insidePrimitive = true;
    primitiveMode = mode;
    vertices.clear();
    primitiveTransform = glStateModelViewProjection();
}

void glVertex2d(GLdouble x, GLdouble y) {
    if (!insidePrimitive) return;
    const float in[4] = {static_cast<float>(x), static_cast<float>(y), 0.0f, 1.0f};
    float out[4];
    matrixTransform(primitiveTransform, in, out);
    vertices.push_back({out[0], out[1], out[2], out[3]});
}

static void drawLines(int step, bool closed, const unsigned char rgba[4]) {
    const int n = static_cast<int>(vertices.size());
    for (int i = 0; i + 1 < n; i += step) clipLine(vertices[i], vertices[i + 1], glState.lineWidth, rgba);
    if (closed && n >= 2) clipLine(vertices[n - 1], vertices[0], glState.lineWidth, rgba);
}

// Polygons and fans become triangles around the first vertex.
static void drawFan(const unsigned char rgba[4]) {
    for (size_t i = 0; i + 2 < vertices.size(); ++i) {
        const ClipVertex t[3] = {vertices[i + 1], vertices[i + 2], vertices[0]};
        clipTriangle(t, rgba);
    }
}

static void drawTriangles(const unsigned char rgba[4]) {
    for (size_t i = 0; i + 2 < vertices.size(); i += 3) clipTriangle(&vertices[i], rgba);
}

// The primitive takes the colour current at its end: the program sets none inside.
void glEnd() {
    if (!insidePrimitive) return;
    insidePrimitive = false;
    unsigned char rgba[4];
    glStateFragmentColour(rgba);
    switch (primitiveMode) {
    case GL_LINES: drawLines(2, false, rgba); break;
    case GL_LINE_STRIP: drawLines(1, false, rgba); break;
    case GL_LINE_LOOP: drawLines(1, true, rgba); break;
    case GL_TRIANGLES: drawTriangles(rgba); break;
    case GL_POLYGON:
    case GL_TRIANGLE_FAN: drawFan(rgba); break;
    default: break;
    }
}

void glRasterPos2f(GLfloat x, GLfloat y) {
    const float in[4] = {x, y, 0.0f, 1.0f};
    float out[4];
    matrixTransform(glStateModelViewProjection(), in, out);
    glState.rasterValid = clipPoint({out[0], out[1], out[2], out[3]}, &glState.rasterX, &glState.rasterY);
    glStateFragmentColour(glState.rasterColour);
}
