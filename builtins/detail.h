// Helpers shared by the files of builtins/ only; no other folder includes this header.
// It holds no state: everything lives in rt.builtins.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "builtins/builtins.h"
#include "interp/interp.h"

namespace tw::builtins::detail {

static_assert(resultContentsLimit + 2 == expr::stringLimit, "a result literal is a string value");

// A function routine: takes the argument text (blanks outside literals removed) and appends its
// result text to out; it appends nothing when it has no result.
using Routine = void (*)(Runtime& rt, std::string_view arguments, std::string& out);

// The routine of a built-in function name (any letter case); nullptr when there is none.
Routine findFunction(std::string_view name);
// Appends the result text of one call text to out: what dispatchFunction returns.
void dispatchInto(Runtime& rt, std::string_view callText, std::string& out);

// ---- Bytes and literals -------------------------------------------------------------------------

inline bool isLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
inline bool isLeadByte(char c) { return platform::isLeadByte(static_cast<unsigned char>(c)); }

// Appends contents (escape pairs kept) in quotes, cut to resultContentsLimit bytes.
void appendQuoted(std::string& out, std::string_view contents);
// Appends raw bytes as a literal, each written by charToLiteral, cut to resultContentsLimit bytes
// without splitting an escape pair or a double-byte character.
void appendRawAsLiteral(std::string& out, std::string_view raw);
// Appends a number written "%d".
void appendInteger(std::string& out, std::int64_t value);

// ---- Arguments ----------------------------------------------------------------------------------

using expr::topLevelComma;
// Counts the top-level arguments; false (nothing reported) when a ')' has no '(' before it.
bool countArguments(std::string_view text, int& count);
// Evaluates a string argument into its contents (escape pairs kept); false after a reported error.
bool stringArgument(Runtime& rt, std::string_view text, std::string& contents);
// Evaluates a numeric argument with the to-integer conversion.
std::int32_t integerArgument(Runtime& rt, std::string_view text);
// True when the text ends outside literals with its parentheses balanced.
bool isBalanced(std::string_view text);

// The arguments of MID$ and KMID$: the contents, the 1-based start and the length (-1 when none
// is given). False after a reported error, or (nothing reported) when start is below 1.
struct SliceArguments {
  std::string contents;
  std::int32_t start = 0;
  std::int64_t length = -1;
};
bool sliceArguments(Runtime& rt, std::string_view arguments, SliceArguments& a);

// The arguments of INSTR and KINSTR: the byte offset where the search begins, the searched and
// the sought contents, and whether a start was given. False after a reported error.
struct SearchArguments {
  std::int64_t offset = 0;
  bool hasStart = false;
  std::string searched, sought;
};
bool searchArguments(Runtime& rt, std::string_view arguments, SearchArguments& a);

// ---- The no-parenthesis functions ---------------------------------------------------------------

// Appends the quoted result of CURDIR$, DATE$ or TIME$ named by name (any case); false when the
// name is none of them.
bool appendBareFunction(Runtime& rt, std::string_view name, std::string& out);
// False when no such name ends in the byte c: a quick test before the names are compared.
bool mayEndBareName(char c);

// ---- Routines -----------------------------------------------------------------------------------

// Numeric functions.
double absFunction(Runtime& rt, std::string_view a);
double atnFunction(Runtime& rt, std::string_view a);
double cdblFunction(Runtime& rt, std::string_view a);
std::int32_t cintFunction(Runtime& rt, std::string_view a);
double cosFunction(Runtime& rt, std::string_view a);
double csngFunction(Runtime& rt, std::string_view a);
double expFunction(Runtime& rt, std::string_view a);
std::int32_t fixFunction(Runtime& rt, std::string_view a);
std::int32_t intFunction(Runtime& rt, std::string_view a);
double logFunction(Runtime& rt, std::string_view a);
double rndFunction(Runtime& rt, std::string_view a);
std::int32_t sgnFunction(Runtime& rt, std::string_view a);
double sinFunction(Runtime& rt, std::string_view a);
double sqrFunction(Runtime& rt, std::string_view a);
double tanFunction(Runtime& rt, std::string_view a);
double valFunction(Runtime& rt, std::string_view a);

// String functions.
std::int32_t ascFunction(Runtime& rt, std::string_view a);
std::int32_t instrFunction(Runtime& rt, std::string_view a);
std::int32_t lenFunction(Runtime& rt, std::string_view a);
void chrFunction(Runtime& rt, std::string_view a, std::string& out);
void hexFunction(Runtime& rt, std::string_view a, std::string& out);
void octFunction(Runtime& rt, std::string_view a, std::string& out);
void leftFunction(Runtime& rt, std::string_view a, std::string& out);
void rightFunction(Runtime& rt, std::string_view a, std::string& out);
void midFunction(Runtime& rt, std::string_view a, std::string& out);
void spaceFunction(Runtime& rt, std::string_view a, std::string& out);
void strFunction(Runtime& rt, std::string_view a, std::string& out);
void stringFunction(Runtime& rt, std::string_view a, std::string& out);

// Double-byte string functions.
std::int32_t kinstrFunction(Runtime& rt, std::string_view a);
std::int32_t klenFunction(Runtime& rt, std::string_view a);
void akcnvFunction(Runtime& rt, std::string_view a, std::string& out);
void kacnvFunction(Runtime& rt, std::string_view a, std::string& out);
void kmidFunction(Runtime& rt, std::string_view a, std::string& out);

// The double-byte form of a single byte (high byte first), 0 when it has none.
std::uint16_t fullWidthForm(unsigned char byte);
// The single-byte form of a double-byte code, 0 when it has none.
unsigned char halfWidthForm(std::uint16_t code);

// System functions served by the table.
void rgbFunction(Runtime& rt, std::string_view a, std::string& out);

// The channel functions.
std::int32_t eofFunction(Runtime& rt, std::string_view a);
std::int32_t lofFunction(Runtime& rt, std::string_view a);

// The keyboard and the screen.
void appendInkey(Runtime& rt, std::string& out);
void inputKeysFunction(Runtime& rt, std::string_view a, std::string& out);
std::int32_t keyStateFunction(Runtime& rt, std::string_view a);
void pointFunction(Runtime& rt, std::string_view a, std::string& out);

}  // namespace tw::builtins::detail
