#include "render/math.h"

#include <cmath>

Vec3 operator+(const Vec3& a, const Vec3& b) { return {a[0] + b[0], a[1] + b[1], a[2] + b[2]}; }
Vec3 operator-(const Vec3& a, const Vec3& b) { return {a[0] - b[0], a[1] - b[1], a[2] - b[2]}; }
Vec2 operator-(const Vec2& a, const Vec2& b) { return {a[0] - b[0], a[1] - b[1]}; }
Vec3 operator-(const Vec3& a) { return {-a[0], -a[1], -a[2]}; }
Vec3 operator*(const Vec3& a, float s) { return {a[0] * s, a[1] * s, a[2] * s}; }
Vec3 operator/(const Vec3& a, float s) { return {a[0] / s, a[1] / s, a[2] / s}; }

float length(const Vec3& v)
{
    float sum = 0.0f;
    for (int i = 0; i < 3; ++i)
        sum = v[i] * v[i] + sum;
    return std::sqrt(sum);
}

Vec3 normalize(const Vec3& v)
{
    const float len = length(v);
    return {v[0] / len, v[1] / len, v[2] / len};
}

Vec3 cross(const Vec3& a, const Vec3& b)
{
    return {a[1] * b[2] - b[1] * a[2],
            a[2] * b[0] - b[2] * a[0],
            a[0] * b[1] - b[0] * a[1]};
}

float radians(float degrees) { return degrees * kDegreesToRadians; }

Mat4 operator*(const Mat4& a, const Mat4& b)
{
    Mat4 r;
    for (int j = 0; j < 4; ++j) {
        for (int i = 0; i < 4; ++i) {
            float sum = 0.0f;
            for (int k = 0; k < 4; ++k)
                sum += a[k][i] * b[j][k];
            r[j][i] = sum;
        }
    }
    return r;
}

Vec4 operator*(const Mat4& m, const Vec4& v)
{
    Vec4 r;
    for (int i = 0; i < 4; ++i) {
        float sum = 0.0f;
        for (int k = 0; k < 4; ++k)
            sum += m[k][i] * v[k];
        r[i] = sum;
    }
    return r;
}

Mat4 translate(float x, float y, float z)
{
    return {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {x, y, z, 1}};
}

Mat4 translate(const Vec3& t) { return translate(t[0], t[1], t[2]); }

Mat4 rotate(float angleDegrees, float x, float y, float z)
{
    const float a = angleDegrees * kDegreesToRadians;
    const float cs = std::cos(a);
    const float sn = std::sin(a);
    const float t = 1.0f - cs;
    return {{x * x * t + cs, y * x * t + z * sn, x * z * t - y * sn, 0},
            {x * y * t - z * sn, y * y * t + cs, y * z * t + x * sn, 0},
            {x * z * t + y * sn, y * z * t - x * sn, z * z * t + cs, 0},
            {0, 0, 0, 1}};
}

Mat4 rotate(float angleDegrees, const Vec3& axis) { return rotate(angleDegrees, axis[0], axis[1], axis[2]); }

Mat4 perspective(float fovyDegrees, float aspect, float nearPlane, float farPlane)
{
    const float h = std::tan(radians(0.5f * fovyDegrees));
    const float g = 1.0f / h;
    return {{g / aspect, 0, 0, 0},
            {0, g, 0, 0},
            {0, 0, (nearPlane + farPlane) / (nearPlane - farPlane), -1},
            {0, 0, 2.0f * nearPlane * farPlane / (nearPlane - farPlane), 0}};
}

Mat4 lookAt(const Vec3& eye, const Vec3& center, const Vec3& up)
{
    const Vec3 f = normalize(center - eye);
    const Vec3 u0 = normalize(up);
    const Vec3 s = cross(f, u0);
    const Vec3 u = cross(s, f);
    const Mat4 r{{s[0], u[0], -f[0], 0},
                 {s[1], u[1], -f[1], 0},
                 {s[2], u[2], -f[2], 0},
                 {0, 0, 0, 1}};
    return r * translate(-eye);
}
