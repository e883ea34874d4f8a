// Expressions and variables: the numeric, string and condition evaluators, the scratch assignment
// and the assignment statement, and the variable store. Statements that use them live elsewhere.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tw {
struct Runtime;
}

namespace tw::expr {

// ---- Limits -------------------------------------------------------------------------------------
// The numeric evaluator's work text, also after a value is spliced in; a longer one is refused
// with error 12. Observable.
inline constexpr std::size_t workTextLimit = 1023;
// One operand's text; a longer operand is refused with error 12. Observable.
inline constexpr std::size_t operandLimit = 255;
// Operators in one flat expression; more are refused with error 12. Observable.
inline constexpr std::size_t operatorLimit = 254;
// A string value with its quotes (the 8,192-byte buffers less their NUL); a longer result or
// stored value is refused with error 12. Observable.
inline constexpr std::size_t stringLimit = 8191;
// The numeric directory and the string table texts with their ending NUL; a store that would pass
// them is refused with error 12. Observable.
inline constexpr std::size_t directoryLimit = 65535;
inline constexpr std::size_t stringTableLimit = 65535;
// One directory entry with its markers and numbers, without its ','; a longer one cannot be
// created (error 12). Observable.
inline constexpr std::size_t entryLimit = 49;
// Subscripts of one reference; more are a syntax error. Observable.
inline constexpr std::size_t subscriptLimit = 254;
// Nested evaluations (groups, NOT operands, subscripts, condition groups) at one time; deeper
// nesting is refused with error 12 so that the stack cannot overflow. Observable only by
// expressions far beyond what a statement of 8,191 bytes normally holds.
inline constexpr int nestingLimit = 256;
// Slots of the value block; a DIM or store beyond it reports error 15 like a failed allocation.
// Observable only by very large arrays.
inline constexpr std::int64_t slotLimit = std::int64_t{1} << 28;

// Letters of one DEFINT, DEFSNG or DEFSTR list; a declaration that would pass it is refused with
// error 12. Observable.
inline constexpr std::size_t letterListLimit = 255;

// Variable types.
enum Type : int { Double = 0, Integer = 1, Single = 2, String = 3 };
// Kinds of numeric directory entries.
enum EntryKind : int { Scalar = 0, Element = 1, Array = 2 };
// Markers of the directory text.
inline constexpr char elementMarker = '\x01';
inline constexpr char arrayMarker = '\x02';
inline constexpr char numberEnd = '\x03';

// findNumericSlot results other than a slot.
inline constexpr int noSlot = -1;      // the variable does not exist
inline constexpr int failedSlot = -2;  // an error was reported (a subscript beyond its bound)

// Hashing that lets the indexes be searched with a string_view, without a copy of the key.
struct TextHash {
  using is_transparent = void;
  std::size_t operator()(std::string_view s) const noexcept {
    return std::hash<std::string_view>{}(s);
  }
};
template <typename T>
using TextMap = std::unordered_map<std::string, T, TextHash, std::equal_to<>>;

// Where a numeric name lives, kept beside the directory text so that no access walks it.
struct NumericIndexEntry {
  int scalarSlot = noSlot;
  int arraySlot = noSlot;  // first slot of a DIM array
  std::vector<int> bounds;
  TextMap<int> elements;  // subscripts written "%d," each -> slot
};

struct StringVariable {
  std::string name;   // normalised: s$ or s$(3,4)
  std::string value;  // quoted
};

struct State {
  // The numeric directory: entries in creation order, each ended by ','.
  std::string numericDirectory;
  std::vector<double> numericValues;  // one slot per scalar or element, in directory order
  TextMap<NumericIndexEntry> numericIndex;
  // The string table as lines in creation order, its size as the table text counts it, and an
  // index by name.
  std::vector<StringVariable> strings;
  std::size_t stringTableSize = 0;
  TextMap<std::size_t> stringIndex;
  // DEFINT, DEFSNG and DEFSTR letter lists (upper-case letters).
  std::string defIntLetters, defSngLetters, defStrLetters;
  // Error-12 refusals so far: an assignment whose evaluation adds one stores nothing.
  std::uint32_t refusals = 0;
  // Counters that prepared statements check: slots moved (CLEAR, ERASE), variables or arrays
  // made, and what a name means (its type by the letter lists, a user-defined function, CLEAR).
  std::uint64_t layoutGeneration = 0;
  std::uint64_t creations = 0;
  std::uint64_t meaningGeneration = 0;
  // Evaluations in progress, one inside the other.
  int nesting = 0;
  // The slots this run may hold: slotLimit, unless a harness lowers it (the programs fuzz target
  // does, so that a legal but huge DIM stays within the fuzzer's memory limit). Not observable.
  std::int64_t slotsAllowed = slotLimit;
};

// ---- Numeric evaluator --------------------------------------------------------------------------

// Copies text without the blanks and tabs that stand outside double quotes.
void stripBlanks(std::string_view source, std::string& destination);
std::string stripBlanks(std::string_view source);
// The first comma at or after `from` outside double quotes and parentheses; npos when none.
std::size_t topLevelComma(std::string_view text, std::size_t from = 0);

// An AND, OR, XOR or NOT escape (0x01 and its letter) at pos.
bool isLogicOperatorAt(std::string_view text, std::size_t pos);
// An arithmetic operator byte, or an operator escape, at pos.
bool isOperatorAt(std::string_view text, std::size_t pos);

// Truncates toward zero and keeps the low 32 bits as a signed integer; values with no 64-bit
// integer (NaN, infinities, beyond 2^63) give 0.
std::int32_t toInteger(double value);
// The decimal conversion of the evaluators: white space, sign, digits, fraction, exponent (E or
// D); stops at the first byte that does not fit; no digits give 0. Reads back the texts that
// numbers beyond the double range are written as (1.#INF, -1.#INF, 1.#QNAN, -1.#IND).
double decimalValue(std::string_view text);

// Evaluates NAME=expression and returns the value; stores nothing. After a reported error 0.
double evalNumeric(Runtime& rt, std::string_view assignment);
// The reducer: a flat text "xxxxx=..." of operands and operators.
double reduceExpression(Runtime& rt, std::string_view text);
// Tidies a number's decimal text in place (trailing zeros, leading 0, 15 significant digits).
void trimNumberText(Runtime& rt, std::string& text);
// The value written "%15.15f" and tidied: the text a number is read or printed as.
std::string numberText(Runtime& rt, double value);
// The value as printf's "%.*f" writes it; the values beyond the double range as decimalValue
// reads them back.
void formatFixed(double value, int decimals, std::string& out);
// Exact shortcuts for the two round trips through text that evaluation makes, computed in
// integers: the value of formatFixed(value, 15) read back, and of numberText(value) read back.
// False where a shortcut does not apply (zero results, values beyond 1e15, NaN, infinities);
// the text must then be written.
bool quickFifteenDecimals(double value, double& out);
bool quickReadBack(double value, double& out);

// ---- Variable store -----------------------------------------------------------------------------

int variableType(Runtime& rt, std::string_view name);
// The value text of a variable or element (numbers tidied, strings quoted). A variable that does
// not exist reads "0" or the empty string. False after a reported error.
bool readVariable(Runtime& rt, std::string_view reference, std::string& out);
// Converts the value text for the reference's type and stores it; false after a reported error,
// with nothing stored.
bool storeVariable(Runtime& rt, std::string_view reference, std::string_view value);
void convertForType(Runtime& rt, std::string& text, int type);
// Splits a numeric reference into name and evaluated subscripts (empty for a scalar).
bool parseSubscripts(Runtime& rt, std::string_view reference, std::string& name,
                     std::vector<std::int32_t>& subscripts);
// The string-variable name with every subscript evaluated: s$(1+1) is s$(2).
bool normaliseStringName(Runtime& rt, std::string_view reference, std::string& out);
// The slot of a scalar (no subscripts) or element; noSlot, or failedSlot after a reported error.
int findNumericSlot(Runtime& rt, std::string_view name,
                    const std::vector<std::int32_t>& subscripts);
// The index of a string variable in `strings`, -1 if absent.
long findStringValue(Runtime& rt, std::string_view normalisedName);
// Cuts an entry (without its ',') off at its marker and reads the numbers before each 0x03.
int parseDirectoryEntry(std::string_view entry, std::string& name, std::vector<int>& numbers);
// The string table as its text: for each variable a newline, the name, a blank and the value.
std::string stringTableText(const State& s);
// Empties the store and the letter lists (CLEAR).
void clearVariables(State& s);

// Arrays in the store. True when the name has a DIM array or elements stored without DIM.
bool hasArrayEntries(const State& s, std::string_view name);
// Appends a DIM array (slots zero-filled); false after a reported error, nothing created.
bool declareArray(Runtime& rt, std::string_view name, const std::vector<std::int32_t>& bounds);
// The offset of an element within a DIM array; -1 after reporting error 14.
long elementOffset(Runtime& rt, const std::vector<std::int32_t>& subscripts,
                   const std::vector<int>& bounds);
// The element count of a DIM array less one; arrays with a bound below 0 have no slots.
std::int64_t linearIndex(const std::vector<int>& bounds);
// Removes every entry of a numeric name (scalar, array, elements) with their slots.
void eraseNumeric(State& s, std::string_view name);
// Removes one string variable or element by its normalised name.
void eraseString(State& s, std::string_view normalisedName);

// The DIM statement: declares arrays (and resets scalars) named in its argument text.
void dimStatement(Runtime& rt, std::string_view argument);
// The ERASE statement: removes every variable of each name in its argument text.
void eraseStatement(Runtime& rt, std::string_view argument);
void eraseName(Runtime& rt, std::string_view name);

// ---- Assignment, strings, conditions ------------------------------------------------------------

void assignStatement(Runtime& rt, std::string_view text);
// Evaluates NAME=string expression into result (quoted); false after a reported error, with the
// terms joined so far, unquoted, in result.
bool evalString(Runtime& rt, std::string_view assignment, std::string& result);
// A condition: -1 or 0 for comparisons, otherwise the integer value of the expression.
std::int32_t evalCondition(Runtime& rt, std::string_view condition);
std::int32_t evalComparison(Runtime& rt, std::string_view comparison);

// The scratch assignment: the value of an argument text, through "xxxxx=%s".
double scratchNumeric(Runtime& rt, std::string_view argument);
// The string value of an argument text, without its quotes; false after a reported error.
bool scratchString(Runtime& rt, std::string_view argument, std::string& value);

// ---- Prepared expressions (the fast path) -------------------------------------------------------
// An expression, assignment or condition read once from its text; evaluating it gives exactly what
// the text rewriting gives, value for value and report for report. Preparing gives nothing for a
// text it does not understand; running gives false, with nothing done, when this one evaluation
// must go through the text.

struct PreparedNumeric;
struct PreparedAssignment;
struct PreparedCondition;
struct PreparedNumericDeleter {
  void operator()(PreparedNumeric* p) const;
};
struct PreparedAssignmentDeleter {
  void operator()(PreparedAssignment* p) const;
};
struct PreparedConditionDeleter {
  void operator()(PreparedCondition* p) const;
};
struct PreparedStringAssignment;
struct PreparedStringAssignmentDeleter {
  void operator()(PreparedStringAssignment* p) const;
};
using PreparedStringAssignmentPtr =
    std::unique_ptr<PreparedStringAssignment, PreparedStringAssignmentDeleter>;
using PreparedNumericPtr = std::unique_ptr<PreparedNumeric, PreparedNumericDeleter>;
using PreparedAssignmentPtr = std::unique_ptr<PreparedAssignment, PreparedAssignmentDeleter>;
using PreparedConditionPtr = std::unique_ptr<PreparedCondition, PreparedConditionDeleter>;

// A numeric expression without blanks, as the scratch assignment evaluates it.
PreparedNumericPtr prepareNumeric(Runtime& rt, std::string_view expression);
bool evaluatePrepared(Runtime& rt, PreparedNumeric& p, double& value);
// The value of an expression that is one number, as evaluating it gives; false for any other.
bool constantOf(const PreparedNumeric& p, double& value);
// An assignment statement's text, as assignStatement runs it.
PreparedAssignmentPtr prepareAssignment(Runtime& rt, std::string_view statement);
bool runPrepared(Runtime& rt, PreparedAssignment& a);
// Runs a count, NAME=NAME+N or NAME=NAME-N with N a whole number, in the one case that needs no
// text: the variable holds a whole number and stays one of at most 15 digits. value is then the
// variable as it reads back. False, with nothing done, for any other assignment or case.
bool runCount(Runtime& rt, PreparedAssignment& a, double& value);
// A condition, as evalCondition evaluates it.
// statementSize: the length of the statement the condition stands in, which the expansion of
// its calls must keep within its limit.
PreparedConditionPtr prepareCondition(Runtime& rt, std::string_view condition,
                                      std::size_t statementSize);
bool evaluatePrepared(Runtime& rt, PreparedCondition& c, std::int32_t& value);

}  // namespace tw::expr
