// Built-in functions: the rewriting of function calls in statement texts, the function routines,
// user-defined functions and the random generator.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tw {
struct Runtime;
}

namespace tw::builtins {

struct State {
  std::uint32_t randomState = 1;  // the generator; RANDOMIZE seeds it
  std::int32_t lastRandomSeed = 0;
  float lastRandomValue = 0.0f;  // what RND(0) returns next
};

// Replaces every function call in a statement text by its result text. Calls are served as the
// function issues add them; until then the text stays as it is.
void expandFunctionCalls(Runtime& rt, std::string& text);

// Calls the user-defined function of that name; false if there is none.
bool callUserFunction(Runtime& rt, std::string_view name, std::string_view arguments,
                      std::string& out);

// One step of the generator: an output from 0 to 32767.
int randomStep(State& s);
// RND with its argument text ("" is RND(1)); the value as a double.
double rnd(Runtime& rt, std::string_view argument);

}  // namespace tw::builtins
