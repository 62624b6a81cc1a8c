// Recording stand-in for the GL, GLUT and GLX (WGL on Windows) calls of the
// drawing and window code. Test executables link it (agv_test(... LIBS agv_gl_recorder)) in place
// of the real libraries; nothing is drawn, every call is logged.
//
// Use:
//   recorderReset();                       // empty log, GL defaults (lighting off,
//                                          // colour (1,1,1,1), line width 1, identity)
//   drawDisc(centre, 0.1, &colorRed);      // code under test
//   const auto& prims = recorderPrimitives();
//   prims[0].mode == GL_POLYGON; prims[0].local[i] (as sent to glVertex2d);
//   prims[0].window[i] (transformed by projection x modelview, window units);
//   prims[0].colour, .lineWidth, .lighting (state at glBegin)
//   recorderState().lighting / .lineWidth / .stackDepth (pushes outstanding) ...
//   recorderTexts()       one entry per glRasterPos2f, with the bytes drawn after it
//   recorderCalls()       every call in order: name, numeric args, text (window title)
//   recorderCallNames()   just the names, for order checks; recorderCount("glFlush")
//   recorderErrors()      misuse the real GL would reject or ignore (pop of an empty
//                         stack, vertex outside glBegin/glEnd, nested glBegin...)
//
// Registered GLUT callbacks stay in recorderState() so a test can invoke them.
// glutMainLoop records itself and returns at once. glutTimerFunc logs
// {delay ms, value}; recorderFireTimer() runs the timer armed last, if any.
#pragma once

#include <GL/freeglut.h>
#include <GL/gl.h>
// On Windows the GL headers bring in windows.h, whose empty macros these are.
#undef near
#undef far

#include <string>
#include <vector>

struct RecPoint {
    double x, y;
};

struct RecordedCall {
    std::string name;
    std::vector<double> args;  // numeric arguments in order (pointers left out)
    std::string text;          // string argument, e.g. the window title
};

struct RecordedPrimitive {
    GLenum mode;
    std::vector<RecPoint> local;   // exactly as passed to glVertex2d
    std::vector<RecPoint> window;  // after projection x modelview
    float colour[4];               // state at glBegin
    float lineWidth;
    bool lighting;
    int stackDepth;
    size_t callIndex;  // position of its glBegin in recorderCalls()
};

struct RecordedText {
    float x, y;           // as passed to glRasterPos2f
    RecPoint window;      // raster position after transformation
    bool valid;           // raster position inside the viewport
    bool lighting;        // lighting enabled at glRasterPos2f
    float rasterColour[4];  // colour the characters take
    void* font;           // of the last character drawn
    std::string bytes;    // every glutBitmapCharacter since glRasterPos2f
    size_t callIndex;     // position of its glRasterPos2f in recorderCalls()
};

struct RecorderState {
    bool lighting;
    float colour[4];
    float lineWidth;
    float clearColour[4];
    int viewport[4];
    int scissor[4];
    bool scissorTest;
    GLenum matrixMode;
    double modelview[16];   // column-major, as GL stores it
    double projection[16];
    int stackDepth;         // modelview pushes not yet popped
    int projectionDepth;
    int attribDepth;        // glPushAttrib not yet popped
    bool insideBegin;
    RecPoint rasterPos;
    bool rasterValid;
    float rasterColour[4];
    void (*displayFunc)(void);
    void (*reshapeFunc)(int, int);
    void (*keyboardFunc)(unsigned char, int, int);
    void (*windowStatusFunc)(int);
};

void recorderReset();
const std::vector<RecordedCall>& recorderCalls();
std::vector<std::string> recorderCallNames();
int recorderCount(const char* name);
const std::vector<RecordedPrimitive>& recorderPrimitives();
const std::vector<RecordedText>& recorderTexts();
const RecorderState& recorderState();
const std::vector<std::string>& recorderErrors();
void recorderFireTimer();
// Logs a call with no arguments; for the window-system stand-ins beside this one.
void recorderLogCall(const char* name);
