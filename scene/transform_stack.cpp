#include "scene/transform_stack.h"

#include <cmath>

namespace {

// Slot indices outside the table fall back to slot 0 rather than reaching
// past it.
int validSlot(int slot)
{
    return slot >= 0 && slot < TransformStack::kSlotCount ? slot : 0;
}

} // namespace

TransformStack::TransformStack(float x, float y, float z) : m_position(x, y, z)
{
    m_target = m_position + m_forward;
}

void TransformStack::setPosition(float x, float y, float z)
{
    m_position = Vec3(x, y, z);
    m_target = m_position + m_forward;
}

void TransformStack::pitch(float degrees)
{
    const float a = radians(degrees);
    m_forward = m_forward * std::cos(a) + m_up * std::sin(a);
    m_up = cross(m_right, m_forward);
    m_target = m_position + m_forward;
}

void TransformStack::yaw(float degrees)
{
    const float a = radians(degrees);
    m_forward = m_forward * std::cos(a) - m_right * std::sin(a);
    m_right = cross(m_forward, m_up);
    m_target = m_position + m_forward;
}

void TransformStack::selectSlot(int slot)
{
    m_currentSlot = validSlot(slot);
    m_slots[m_currentSlot] = lookAt(m_position, m_target, m_up);
}

void TransformStack::setCurrentSlot(int slot)
{
    m_currentSlot = validSlot(slot);
}

void TransformStack::setProjection(const Mat4& projection)
{
    m_projection = projection;
}

Mat4 TransformStack::currentView() const
{
    return m_slots[m_currentSlot];
}
