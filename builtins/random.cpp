// The random generator shared by RND, the bare name rnd and RANDOMIZE. Its whole state lives in
// builtins::State; runs without RANDOMIZE draw the same sequence.
#include "interp/interp.h"

namespace tw::builtins {
namespace {

float randomValue(int output) { return static_cast<float>(output * 3 / 100000.0); }

}  // namespace

int randomStep(State& s) {
  s.randomState = s.randomState * 214013u + 2531011u;
  return static_cast<int>((s.randomState >> 16) & 0x7FFF);
}

void seedRandom(State& s, std::int32_t seed) {
  s.lastRandomSeed = seed;
  s.randomState = static_cast<std::uint32_t>(seed);
  s.lastRandomValue = randomValue(randomStep(s));
}

double rnd(Runtime& rt, std::string_view argument) {
  if (argument.empty()) argument = "1";
  if (!checkArgCount(rt, argument, 1, true)) return 0;
  std::int32_t n = expr::toInteger(expr::scratchNumeric(rt, argument));
  State& s = rt.builtins;
  if (n < 0) seedRandom(s, s.lastRandomSeed);
  float v = randomValue(randomStep(s));
  float result = n == 0 ? s.lastRandomValue : v;
  s.lastRandomValue = v;
  return result;
}

}  // namespace tw::builtins
