#include "web/gl/matrix.h"

#include <cmath>
#include <cstring>

static constexpr double kPi = 3.14159265358979323846;

void matrixIdentity(Matrix4* a) {
    for (int i = 0; i < 16; ++i) a->m[i] = (i % 5 == 0) ? 1.0f : 0.0f;
}

void matrixMultiply(Matrix4* a, const Matrix4& b) {
    float p[16];
    for (int row = 0; row < 4; ++row) {
        const float a0 = a->m[row], a1 = a->m[4 + row], a2 = a->m[8 + row], a3 = a->m[12 + row];
        for (int col = 0; col < 4; ++col) {
            const float* bc = b.m + 4 * col;
            p[4 * col + row] = a0 * bc[0] + a1 * bc[1] + a2 * bc[2] + a3 * bc[3];
        }
    }
    std::memcpy(a->m, p, sizeof p);
}

void matrixTranslate(Matrix4* a, float x, float y, float z) {
    float* m = a->m;
    for (int row = 0; row < 4; ++row)
        m[12 + row] = m[row] * x + m[4 + row] * y + m[8 + row] * z + m[12 + row];
}

// The general axis case normalises the axis first; about a coordinate axis
// the sine and cosine go in directly.
static void rotationAbout(Matrix4* r, float s, float c, float x, float y, float z) {
    matrixIdentity(r);
    float* m = r->m;
    if (x == 0.0f && y == 0.0f) {
        m[0] = c;
        m[5] = c;
        m[4] = z < 0.0f ? s : -s;
        m[1] = z < 0.0f ? -s : s;
        return;
    }
    const float length = std::sqrt(x * x + y * y + z * z);
    x /= length;
    y /= length;
    z /= length;
    const float oneC = 1.0f - c;
    m[0] = (oneC * x * x) + c;
    m[4] = (oneC * x * y) - z * s;
    m[8] = (oneC * z * x) + y * s;
    m[1] = (oneC * x * y) + z * s;
    m[5] = (oneC * y * y) + c;
    m[9] = (oneC * y * z) - x * s;
    m[2] = (oneC * z * x) - y * s;
    m[6] = (oneC * y * z) + x * s;
    m[10] = (oneC * z * z) + c;
}

void matrixRotate(Matrix4* a, float angleDeg, float x, float y, float z) {
    if (angleDeg == 0.0f || (x == 0.0f && y == 0.0f && z == 0.0f)) return;
    const float radians = static_cast<float>(angleDeg * kPi / 180.0);
    Matrix4 r;
    rotationAbout(&r, std::sin(radians), std::cos(radians), x, y, z);
    matrixMultiply(a, r);
}

void matrixTransform(const Matrix4& a, const float in[4], float out[4]) {
    for (int row = 0; row < 4; ++row)
        out[row] = a.m[row] * in[0] + a.m[4 + row] * in[1] + a.m[8 + row] * in[2] +
                   a.m[12 + row] * in[3];
}
