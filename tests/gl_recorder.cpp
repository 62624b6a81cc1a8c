#include "tests/gl_recorder.h"

#include <cmath>
#include <cstring>

namespace {

struct AttribFrame {
    GLbitfield mask;
    RecorderState saved;
};

std::vector<RecordedCall> calls;
std::vector<RecordedPrimitive> primitives;
std::vector<RecordedText> texts;
std::vector<std::string> errors;
std::vector<AttribFrame> attribStack;
std::vector<std::vector<double>> modelviewStack;
std::vector<std::vector<double>> projectionStack;
RecorderState initialState();
RecorderState state = initialState();

void (*pendingTimer)(int) = nullptr;  // GLUT keeps it armed across resets
int pendingTimerValue = 0;

constexpr int kMaxModelviewDepth = 31;  // GL guarantees 32 entries, one in use
constexpr int kMaxProjectionDepth = 1;  // GL guarantees 2

void setIdentity(double m[16]) {
    for (int i = 0; i < 16; ++i) m[i] = (i % 5 == 0) ? 1.0 : 0.0;
}

void log(const char* name, std::vector<double> args = {}, std::string text = {}) {
    calls.push_back(RecordedCall{name, std::move(args), std::move(text)});
}

void setColour(float dst[4], float r, float g, float b, float a) {
    dst[0] = r;
    dst[1] = g;
    dst[2] = b;
    dst[3] = a;
}

double* currentMatrix() {
    return state.matrixMode == GL_PROJECTION ? state.projection : state.modelview;
}

// m = m * b, both column-major.
void multiply(double m[16], const double b[16]) {
    double r[16];
    for (int col = 0; col < 4; ++col)
        for (int row = 0; row < 4; ++row) {
            double sum = 0.0;
            for (int k = 0; k < 4; ++k) sum += m[k * 4 + row] * b[col * 4 + k];
            r[col * 4 + row] = sum;
        }
    std::memcpy(m, r, sizeof r);
}

void apply(const double m[16], const double in[4], double out[4]) {
    for (int row = 0; row < 4; ++row)
        out[row] = m[row] * in[0] + m[4 + row] * in[1] + m[8 + row] * in[2] + m[12 + row] * in[3];
}

RecPoint toWindow(double x, double y) {
    const double p[4] = {x, y, 0.0, 1.0};
    double eye[4], clip[4];
    apply(state.modelview, p, eye);
    apply(state.projection, eye, clip);
    return RecPoint{clip[0] / clip[3], clip[1] / clip[3]};
}

// GL's own initial values.
RecorderState initialState() {
    RecorderState s{};
    s.lighting = false;
    setColour(s.colour, 1, 1, 1, 1);
    s.lineWidth = 1.0f;
    setColour(s.clearColour, 0, 0, 0, 0);
    s.matrixMode = GL_MODELVIEW;
    setIdentity(s.modelview);
    setIdentity(s.projection);
    s.rasterValid = true;
    setColour(s.rasterColour, 1, 1, 1, 1);
    return s;
}

}  // namespace

void recorderReset() {
    calls.clear();
    primitives.clear();
    texts.clear();
    errors.clear();
    attribStack.clear();
    modelviewStack.clear();
    projectionStack.clear();
    state = initialState();
}

const std::vector<RecordedCall>& recorderCalls() { return calls; }

std::vector<std::string> recorderCallNames() {
    std::vector<std::string> names;
    for (const RecordedCall& c : calls) names.push_back(c.name);
    return names;
}

int recorderCount(const char* name) {
    int n = 0;
    for (const RecordedCall& c : calls) n += (c.name == name);
    return n;
}

const std::vector<RecordedPrimitive>& recorderPrimitives() { return primitives; }
const std::vector<RecordedText>& recorderTexts() { return texts; }
const RecorderState& recorderState() { return state; }
const std::vector<std::string>& recorderErrors() { return errors; }

// ---- GL ----

void glBegin(GLenum mode) {
    log("glBegin", {double(mode)});
    if (state.insideBegin) errors.push_back("glBegin inside glBegin");
    state.insideBegin = true;
    RecordedPrimitive p{};
    p.mode = mode;
    std::memcpy(p.colour, state.colour, sizeof p.colour);
    p.lineWidth = state.lineWidth;
    p.lighting = state.lighting;
    p.stackDepth = state.stackDepth;
    p.callIndex = calls.size() - 1;
    primitives.push_back(p);
}

void glEnd(void) {
    log("glEnd");
    if (!state.insideBegin) errors.push_back("glEnd without glBegin");
    state.insideBegin = false;
}

void glVertex2d(GLdouble x, GLdouble y) {
    log("glVertex2d", {x, y});
    if (!state.insideBegin) {
        errors.push_back("glVertex2d outside glBegin/glEnd");
        return;
    }
    primitives.back().local.push_back(RecPoint{x, y});
    primitives.back().window.push_back(toWindow(x, y));
}

void glColor4f(GLfloat red, GLfloat green, GLfloat blue, GLfloat alpha) {
    log("glColor4f", {red, green, blue, alpha});
    setColour(state.colour, red, green, blue, alpha);
}

void glLineWidth(GLfloat width) {
    log("glLineWidth", {width});
    if (state.insideBegin) errors.push_back("glLineWidth inside glBegin/glEnd");
    if (width <= 0.0f) {
        errors.push_back("glLineWidth with a width not above 0");
        return;
    }
    state.lineWidth = width;
}

void glEnable(GLenum cap) {
    log("glEnable", {double(cap)});
    if (cap == GL_LIGHTING) state.lighting = true;
    if (cap == GL_SCISSOR_TEST) state.scissorTest = true;
}

void glDisable(GLenum cap) {
    log("glDisable", {double(cap)});
    if (cap == GL_LIGHTING) state.lighting = false;
    if (cap == GL_SCISSOR_TEST) state.scissorTest = false;
}

GLboolean glIsEnabled(GLenum cap) {
    log("glIsEnabled", {double(cap)});
    return (cap == GL_LIGHTING && state.lighting) ? GL_TRUE : GL_FALSE;
}

void glMatrixMode(GLenum mode) {
    log("glMatrixMode", {double(mode)});
    state.matrixMode = mode;
}

void glLoadIdentity(void) {
    log("glLoadIdentity");
    setIdentity(currentMatrix());
}

void glPushMatrix(void) {
    log("glPushMatrix");
    bool projection = state.matrixMode == GL_PROJECTION;
    int& depth = projection ? state.projectionDepth : state.stackDepth;
    if (depth >= (projection ? kMaxProjectionDepth : kMaxModelviewDepth)) {
        errors.push_back("glPushMatrix overflows the stack");
        return;
    }
    double* m = currentMatrix();
    (projection ? projectionStack : modelviewStack).emplace_back(m, m + 16);
    ++depth;
}

void glPopMatrix(void) {
    log("glPopMatrix");
    bool projection = state.matrixMode == GL_PROJECTION;
    std::vector<std::vector<double>>& stack = projection ? projectionStack : modelviewStack;
    if (stack.empty()) {
        errors.push_back("glPopMatrix on an empty stack");
        return;
    }
    std::memcpy(currentMatrix(), stack.back().data(), 16 * sizeof(double));
    stack.pop_back();
    --(projection ? state.projectionDepth : state.stackDepth);
}

void glTranslated(GLdouble x, GLdouble y, GLdouble z) {
    log("glTranslated", {x, y, z});
    double t[16];
    setIdentity(t);
    t[12] = x;
    t[13] = y;
    t[14] = z;
    multiply(currentMatrix(), t);
}

void glRotated(GLdouble angle, GLdouble x, GLdouble y, GLdouble z) {
    log("glRotated", {angle, x, y, z});
    double len = std::sqrt(x * x + y * y + z * z);
    if (len == 0.0) return;
    x /= len;
    y /= len;
    z /= len;
    double a = angle * 3.14159265358979323846 / 180.0, c = std::cos(a), s = std::sin(a), k = 1.0 - c;
    const double r[16] = {x * x * k + c,     y * x * k + z * s, x * z * k - y * s, 0,
                          x * y * k - z * s, y * y * k + c,     y * z * k + x * s, 0,
                          x * z * k + y * s, y * z * k - x * s, z * z * k + c,     0,
                          0,                 0,                 0,                 1};
    multiply(currentMatrix(), r);
}

void glViewport(GLint x, GLint y, GLsizei width, GLsizei height) {
    log("glViewport", {double(x), double(y), double(width), double(height)});
    state.viewport[0] = x;
    state.viewport[1] = y;
    state.viewport[2] = width;
    state.viewport[3] = height;
}

void glScissor(GLint x, GLint y, GLsizei width, GLsizei height) {
    log("glScissor", {double(x), double(y), double(width), double(height)});
    const int box[4] = {x, y, width, height};
    std::memcpy(state.scissor, box, sizeof box);
}

void glClear(GLbitfield mask) { log("glClear", {double(mask)}); }

void glClearColor(GLclampf red, GLclampf green, GLclampf blue, GLclampf alpha) {
    log("glClearColor", {red, green, blue, alpha});
    setColour(state.clearColour, red, green, blue, alpha);
}

void glFlush(void) { log("glFlush"); }

// With lighting on, no light and default material the lit colour is the
// global ambient 0.2 times the material ambient 0.2, alpha from the diffuse.
void glRasterPos2f(GLfloat x, GLfloat y) {
    log("glRasterPos2f", {x, y});
    RecPoint w = toWindow(x, y);
    state.rasterPos = w;
    state.rasterValid = w.x >= -1.0 && w.x <= 1.0 && w.y >= -1.0 && w.y <= 1.0;
    if (state.lighting)
        setColour(state.rasterColour, 0.04f, 0.04f, 0.04f, 1.0f);
    else
        std::memcpy(state.rasterColour, state.colour, sizeof state.rasterColour);
    RecordedText t{};
    t.x = x;
    t.y = y;
    t.window = w;
    t.valid = state.rasterValid;
    t.lighting = state.lighting;
    std::memcpy(t.rasterColour, state.rasterColour, sizeof t.rasterColour);
    t.callIndex = calls.size() - 1;
    texts.push_back(t);
}

void glPushAttrib(GLbitfield mask) {
    log("glPushAttrib", {double(mask)});
    attribStack.push_back(AttribFrame{mask, state});
    ++state.attribDepth;
}

void glPopAttrib(void) {
    log("glPopAttrib");
    if (attribStack.empty()) {
        errors.push_back("glPopAttrib on an empty stack");
        return;
    }
    AttribFrame f = attribStack.back();
    attribStack.pop_back();
    --state.attribDepth;
    if (f.mask & GL_CURRENT_BIT) {
        std::memcpy(state.colour, f.saved.colour, sizeof state.colour);
        std::memcpy(state.rasterColour, f.saved.rasterColour, sizeof state.rasterColour);
        state.rasterPos = f.saved.rasterPos;
        state.rasterValid = f.saved.rasterValid;
    }
    if (f.mask & GL_LINE_BIT) state.lineWidth = f.saved.lineWidth;
    if (f.mask & (GL_ENABLE_BIT | GL_LIGHTING_BIT)) state.lighting = f.saved.lighting;
    if (f.mask & GL_VIEWPORT_BIT) std::memcpy(state.viewport, f.saved.viewport, sizeof state.viewport);
    if (f.mask & GL_COLOR_BUFFER_BIT)
        std::memcpy(state.clearColour, f.saved.clearColour, sizeof state.clearColour);
}

void glGetFloatv(GLenum pname, GLfloat* params) {
    log("glGetFloatv", {double(pname)});
    switch (pname) {
    case GL_CURRENT_COLOR:
        std::memcpy(params, state.colour, 4 * sizeof(float));
        break;
    case GL_CURRENT_RASTER_COLOR:
        std::memcpy(params, state.rasterColour, 4 * sizeof(float));
        break;
    case GL_LINE_WIDTH:
        params[0] = state.lineWidth;
        break;
    case GL_CURRENT_RASTER_POSITION:
        params[0] = float(state.rasterPos.x);
        params[1] = float(state.rasterPos.y);
        params[2] = 0.0f;
        params[3] = 1.0f;
        break;
    case GL_MODELVIEW_MATRIX:
        for (int i = 0; i < 16; ++i) params[i] = float(state.modelview[i]);
        break;
    default:
        errors.push_back("glGetFloatv of a value the recorder does not keep");
    }
}

void glGetIntegerv(GLenum pname, GLint* params) {
    log("glGetIntegerv", {double(pname)});
    switch (pname) {
    case GL_MODELVIEW_STACK_DEPTH:
        params[0] = state.stackDepth + 1;
        break;
    case GL_VIEWPORT:
        std::memcpy(params, state.viewport, 4 * sizeof(int));
        break;
    case GL_CURRENT_RASTER_POSITION_VALID:
        params[0] = state.rasterValid;
        break;
    default:
        errors.push_back("glGetIntegerv of a value the recorder does not keep");
    }
}

// ---- GLUT ----

void* glutBitmapHelvetica18 = nullptr;

void glutBitmapCharacter(void* font, int character) {
    log("glutBitmapCharacter", {double(character)}, std::string(1, char(character)));
    if (texts.empty()) {
        errors.push_back("glutBitmapCharacter before any glRasterPos2f");
        return;
    }
    texts.back().bytes.push_back(char(character));
    texts.back().font = font;
}

void glutSwapBuffers(void) { log("glutSwapBuffers"); }
void glutPostRedisplay(void) { log("glutPostRedisplay"); }
void glutInit(int* pargc, char** /*argv*/) { log("glutInit", {double(pargc ? *pargc : -1)}); }

void glutInitWindowSize(int width, int height) {
    log("glutInitWindowSize", {double(width), double(height)});
}

void glutInitDisplayMode(unsigned int displayMode) {
    log("glutInitDisplayMode", {double(displayMode)});
}

int glutCreateWindow(const char* title) {
    log("glutCreateWindow", {}, title ? title : "");
    return 1;
}

void glutDisplayFunc(void (*callback)(void)) {
    log("glutDisplayFunc");
    state.displayFunc = callback;
}

void glutReshapeFunc(void (*callback)(int, int)) {
    log("glutReshapeFunc");
    state.reshapeFunc = callback;
}

void glutKeyboardFunc(void (*callback)(unsigned char, int, int)) {
    log("glutKeyboardFunc");
    state.keyboardFunc = callback;
}

void glutTimerFunc(unsigned int ms, void (*callback)(int), int value) {
    log("glutTimerFunc", {double(ms), double(value)});
    pendingTimer = callback;
    pendingTimerValue = value;
}

void recorderFireTimer() {
    void (*timer)(int) = pendingTimer;
    pendingTimer = nullptr;
    if (timer) timer(pendingTimerValue);
}

void glutWindowStatusFunc(void (*callback)(int)) {
    log("glutWindowStatusFunc");
    state.windowStatusFunc = callback;
}

void glutMainLoop(void) { log("glutMainLoop"); }

void recorderLogCall(const char* name) { log(name); }
