#pragma once

#include <cstdint>

namespace platform {

// One random generator for the whole run.
void Randomize();                 // seeds from the clock
void seedRandom(std::uint64_t seed); // repeatable draws, for tests
double Rnd();                     // uniform in [0, 1), never 1.0
// floor(Rnd() * n): 0 .. n-1. Every draw of the program goes through here.
int drawIndex(int n);
// How many numbers were drawn so far.
std::uint64_t randomDrawCount();

} // namespace platform
