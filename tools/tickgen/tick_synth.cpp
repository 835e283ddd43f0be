#include "tools/tickgen/tick_synth.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;

// A ringing mode of the struck parts: frequency (Hz), amplitude, decay time
// constant (s). The upper modes follow a free steel bar's ratios
// (1 : 2.76 : 5.40 : 8.93), which is what makes the strike sound metallic
// rather than tonal; the low mode is the case answering the strike.
struct Mode {
    double frequency;
    double amplitude;
    double decay;
};

constexpr Mode kModes[] = {
    {1370.0, 0.30, 0.0060},
    {3781.0, 0.34, 0.0042},
    {7398.0, 0.24, 0.0026},
    {12234.0, 0.12, 0.0016},
    {410.0, 0.22, 0.0075},
};

// Small deterministic noise source (xorshift32), uniform in [-1, 1].
class Noise {
public:
    explicit Noise(std::uint32_t seed) : m_state(seed) {}
    double next()
    {
        m_state ^= m_state << 13;
        m_state ^= m_state >> 17;
        m_state ^= m_state << 5;
        return static_cast<double>(m_state) / 2147483647.5 - 1.0;
    }

private:
    std::uint32_t m_state;
};

// Adds one strike starting at sample `start`, scaled by `gain`: a hard,
// very short broadband click, a brief high-passed noise burst (the rattle of
// the contact) and the damped modes.
void addStrike(std::vector<double>& out, int start, double gain, Noise& noise)
{
    const double rate = kTickSampleRate;
    double previousNoise = 0.0;
    for (int n = start; n < static_cast<int>(out.size()); ++n) {
        const double t = (n - start) / rate;
        const double white = noise.next();
        const double highPassed = white - previousNoise;  // first difference: tilts the noise up
        previousNoise = white;

        double value = 0.9 * highPassed * std::exp(-t / 0.00018);   // the click
        value += 0.30 * highPassed * std::exp(-t / 0.0014);         // the rattle
        const double attack = 1.0 - std::exp(-t / 0.00008);         // modes start within ~0.2 ms
        for (const Mode& mode : kModes)
            value += attack * mode.amplitude * std::exp(-t / mode.decay) * std::sin(2.0 * kPi * mode.frequency * t);
        out[n] += gain * value;
    }
}

} // namespace

std::vector<std::int16_t> synthesizeTick()
{
    std::vector<double> mix(kTickSampleCount, 0.0);
    Noise noise(0x7A3C19E5u);
    // The pallet strikes, then the escape tooth settles a few milliseconds later.
    addStrike(mix, 0, 1.0, noise);
    addStrike(mix, static_cast<int>(0.0065 * kTickSampleRate), 0.42, noise);

    // Peak at 70% of full scale leaves headroom for the mixer.
    double peak = 0.0;
    for (double v : mix)
        peak = std::max(peak, std::abs(v));
    const double scale = 0.70 * 32767.0 / peak;

    // The last 10 ms fade to silence so that the sound ends without a step.
    const int fadeLength = static_cast<int>(0.010 * kTickSampleRate);
    std::vector<std::int16_t> samples(kTickSampleCount);
    for (int n = 0; n < kTickSampleCount; ++n) {
        double v = mix[n] * scale;
        const int fromEnd = kTickSampleCount - 1 - n;
        if (fromEnd < fadeLength)
            v *= 0.5 - 0.5 * std::cos(kPi * fromEnd / fadeLength);
        samples[n] = static_cast<std::int16_t>(std::lround(std::clamp(v, -32767.0, 32767.0)));
    }
    return samples;
}
