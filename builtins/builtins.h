// Built-in functions: the rewriting of function calls in statement texts, the function routines,
// user-defined functions (DEF FN) and the random generator.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tw {
struct Runtime;
}

namespace tw::builtins {

// ---- Limits -------------------------------------------------------------------------------------
// DEF FN definitions a program can hold; a further one is refused with error 12. Observable.
inline constexpr std::size_t userFunctionLimit = 255;
// Each side of a DEF FN (name with parameters, body) holds at most this many bytes; a longer one
// is refused with error 12. Observable.
inline constexpr std::size_t userFunctionTextLimit = 998;

// A statement text that expansion would make longer than this is refused with error 12 and the
// expansion stops. Observable.
inline constexpr std::size_t expandedTextLimit = 8191;
// The contents of a string result (its quotes not counted): a longer result is cut to this many
// bytes, so that it fits a string value. Observable.
inline constexpr std::size_t resultContentsLimit = 8189;
// User-defined functions running one inside the other; a call beyond this depth is refused with
// error 12. Observable in practice only by a function that calls itself, directly or through
// others, which could never end; the limit keeps the stack small.
inline constexpr int userCallLimit = 64;

// One DEF FN: the name with its parameter list ("FNA(X,Y)", blanks removed) and the body.
struct UserFunction {
  std::string left;
  std::string body;
};

struct State {
  std::uint32_t randomState = 1;  // the generator; RANDOMIZE seeds it
  std::int32_t lastRandomSeed = 0;
  float lastRandomValue = 0.0f;  // what RND(0) returns next
  std::vector<UserFunction> userFunctions;  // in definition order; CLEAR empties it
  int userCallDepth = 0;                    // user-defined function calls in progress
  // A call of the chain in progress ran past userCallLimit: the chain's other calls are refused
  // too, until its outermost call returns.
  bool userCallsRefused = false;
};

// ---- Function calls -----------------------------------------------------------------------------

// Replaces every function call in a statement text by its result text, innermost first.
void expandFunctionCalls(Runtime& rt, std::string& text);
// True when expanding the text would give the text itself: no call of a function, no CURDIR$,
// DATE$, INKEY$ or TIME$, parentheses that balance.
bool expansionIsIdentity(const Runtime& rt, std::string_view text);
// The result text of one call text (name through its closing parenthesis).
std::string dispatchFunction(Runtime& rt, std::string_view callText);
// True when the argument text holds exactly `expected` top-level arguments; otherwise false, with
// error 10 reported when `report` is set.
bool checkArgCount(Runtime& rt, std::string_view arguments, int expected, bool report);

// The numeric functions of one argument that a prepared expression computes itself: the
// function of the argument's value, reporting as the call does, and how the call writes its
// result into the text (whole: as a whole number; otherwise with 15 decimals).
struct NumericFunction {
  double (*apply)(Runtime& rt, double x);
  bool whole;
};
// The function of that name (any letter case), or nullptr.
const NumericFunction* findNumericFunction(std::string_view name);
// True when expanding the text calls no function other than those of findNumericFunction, each
// with an argument free of parentheses, commas and quotes, and LEN, ASC, CHR$, MID$, LEFT$ and
// RIGHT$, and changes nothing else: the functions that prepared statements call themselves.
bool expansionCallsOnlyPrepared(const Runtime& rt, std::string_view text);

// ---- User-defined functions ---------------------------------------------------------------------

// Records a DEF FN (both texts without blanks). False after a reported error 12 (table full, or
// a text longer than its slot).
bool defineUserFunction(Runtime& rt, std::string_view left, std::string_view body);
// True when the call expansion takes name( for a call: a built-in function (any letter case) or a
// user-defined one (letter case as written).
bool isFunctionName(const Runtime& rt, std::string_view name);
// Calls the user-defined function of that name; false if there is none.
bool callUserFunction(Runtime& rt, std::string_view name, std::string_view arguments,
                      std::string& out);

// ---- String literals ----------------------------------------------------------------------------

// Appends the literal form of one byte (escape pairs for 0x01, '"' and NUL), in quotes if asked.
void charToLiteral(unsigned char byte, std::string& out, bool quoted);
// Appends the raw bytes that a literal's contents stand for; false after a reported error 4.
bool unescapeString(Runtime& rt, std::string_view contents, std::string& out);

// ---- The random generator -----------------------------------------------------------------------

// One step of the generator: an output from 0 to 32767.
int randomStep(State& s);
// Seeds the generator as RANDOMIZE does: the seed is kept, one step is drawn for RND(0).
void seedRandom(State& s, std::int32_t seed);
// RND with its argument text ("" is RND(1)); the value as a double.
double rnd(Runtime& rt, std::string_view argument);

}  // namespace tw::builtins
