// Deterministic mutations of fuzz inputs: the same seed gives the same inputs.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class InputMutator {
public:
    // seeds: the corpus; dictionary: short texts worth inserting (tokens of the
    // input language).
    InputMutator(std::vector<std::string> seeds, std::uint64_t seed);

    // The next input: a corpus entry changed by a few random edits.
    std::string next();

private:
    std::uint64_t random();
    std::size_t below(std::size_t n);
    void mutate(std::string& input);
    std::string token();

    std::vector<std::string> m_seeds;
    std::uint64_t m_state;
};
