// Column-major 4x4 float matrices with the fixed-function pipeline's own
// arithmetic: single precision, sums taken left to right, no fused steps.
#pragma once

struct Matrix4 {
    float m[16];
};

void matrixIdentity(Matrix4* a);
// a = a * b
void matrixMultiply(Matrix4* a, const Matrix4& b);
void matrixTranslate(Matrix4* a, float x, float y, float z);
// Angle in degrees about the axis (x, y, z).
void matrixRotate(Matrix4* a, float angleDeg, float x, float y, float z);
// out = a * (x, y, z, w)
void matrixTransform(const Matrix4& a, const float in[4], float out[4]);
