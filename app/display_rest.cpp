#include "app/display_rest.h"

#include "platform/display_power.h"
#include "sound/DirectSound.h"

namespace {

// A display that powers down is noticed within this time.
constexpr std::chrono::seconds kAwakeLookEvery{1};

} // namespace

DisplayRest::DisplayRest()
{
    watchDisplayPower();
    m_lastLook = std::chrono::steady_clock::now();
}

DisplayRest::State DisplayRest::look()
{
    const auto now = std::chrono::steady_clock::now();
    if (!m_resting && now - m_lastLook < kAwakeLookEvery)
        return State::Awake;
    m_lastLook = now;
    const bool powered = displayPowered();
    if (powered == !m_resting)
        return m_resting ? State::Resting : State::Awake;
    m_resting = !powered;
    if (m_resting) {
        CDirectSound::rest();
        return State::Resting;
    }
    CDirectSound::wake();
    return State::JustWoke;
}
