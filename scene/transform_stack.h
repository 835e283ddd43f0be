// The camera: an eye with an orthonormal viewing frame, five stored view
// matrices (slots) and the projection.
#pragma once

#include "render/math.h"

class TransformStack {
public:
    static constexpr int kSlotCount = 5;

    // Eye at (x, y, z), looking along −Z with up +Y; slot 0 in use.
    TransformStack(float x, float y, float z);

    void setPosition(float x, float y, float z);
    // Turns forward toward up (negative: down).
    void pitch(float degrees);
    // Turns forward away from right (positive: to the left).
    void yaw(float degrees);
    // Stores the view from the current frame in slot and makes it current.
    void selectSlot(int slot);
    // Makes slot current without recomputing it.
    void setCurrentSlot(int slot);
    void setProjection(const Mat4& projection);

    Mat4 currentView() const;
    Mat4 projection() const { return m_projection; }

    Vec3 position() const { return m_position; }
    Vec3 target() const { return m_target; }
    Vec3 forward() const { return m_forward; }
    Vec3 right() const { return m_right; }
    Vec3 up() const { return m_up; }
    int currentSlot() const { return m_currentSlot; }

private:
    Mat4 m_slots[kSlotCount]{};
    int m_currentSlot = 0;
    Vec3 m_position;
    Vec3 m_target;
    Vec3 m_forward{0.0f, 0.0f, -1.0f};
    Vec3 m_right{1.0f, 0.0f, 0.0f};
    Vec3 m_up{0.0f, 1.0f, 0.0f};
    Mat4 m_projection{};
};
