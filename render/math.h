// Single-precision vectors and the column-major 4 × 4 matrix.
// Angles at this interface are in degrees; matrices act on column vectors
// from the left, so in A * B the right factor B acts on a vertex first.
#pragma once

struct Vec2 {
    float v[2];
    Vec2() = default;
    Vec2(float x, float y) : v{x, y} {}
    float& operator[](int i) { return v[i]; }
    float operator[](int i) const { return v[i]; }
};

struct Vec3 {
    float v[3];
    Vec3() = default;
    Vec3(float x, float y, float z) : v{x, y, z} {}
    float& operator[](int i) { return v[i]; }
    float operator[](int i) const { return v[i]; }
    float* data() { return v; }
    const float* data() const { return v; }
};

struct Vec4 {
    float v[4];
    Vec4() = default;
    Vec4(float x, float y, float z, float w) : v{x, y, z, w} {}
    float& operator[](int i) { return v[i]; }
    float operator[](int i) const { return v[i]; }
};

// Four columns, 16 contiguous floats: m[col][row] sits at 4·col + row.
struct Mat4 {
    Vec4 c[4];
    Mat4() = default;
    Mat4(const Vec4& c0, const Vec4& c1, const Vec4& c2, const Vec4& c3) : c{c0, c1, c2, c3} {}
    Vec4& operator[](int col) { return c[col]; }
    const Vec4& operator[](int col) const { return c[col]; }
    float* data() { return c[0].v; }
    const float* data() const { return c[0].v; }
};

static_assert(sizeof(Mat4) == 16 * sizeof(float), "Mat4 must be 16 contiguous floats");

// The degrees-to-radians factor, exactly the float 0x3C8EFA35.
inline constexpr float kDegreesToRadians = 0.017453292f;

Vec3 operator+(const Vec3& a, const Vec3& b);
Vec3 operator-(const Vec3& a, const Vec3& b);
Vec2 operator-(const Vec2& a, const Vec2& b);
Vec3 operator-(const Vec3& a);
Vec3 operator*(const Vec3& a, float s);
Vec3 operator/(const Vec3& a, float s);

float length(const Vec3& v);
Vec3 normalize(const Vec3& v);  // no zero guard: normalize of zero gives NaN
Vec3 cross(const Vec3& a, const Vec3& b);
float radians(float degrees);

Mat4 operator*(const Mat4& a, const Mat4& b);
Vec4 operator*(const Mat4& m, const Vec4& v);

Mat4 translate(float x, float y, float z);
Mat4 translate(const Vec3& t);
Mat4 rotate(float angleDegrees, float x, float y, float z);
Mat4 rotate(float angleDegrees, const Vec3& axis);
Mat4 perspective(float fovyDegrees, float aspect, float nearPlane, float farPlane);
Mat4 lookAt(const Vec3& eye, const Vec3& center, const Vec3& up);
