// The interpreter core: the run loop, statement dispatch, the reporter (errors and warnings),
// program start, END and CLEAR, and the Runtime object that owns all state of one run.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "builtins/builtins.h"
#include "expr/expr.h"
#include "graphics/graphics.h"
#include "host/host.h"
#include "io/io.h"
#include "platform/platform.h"
#include "screen/screen.h"
#include "sound/sound.h"
#include "statements/statements.h"

namespace tw::interp {

// A statement may hold at most this many bytes; a longer one is a syntax error (error 1).
inline constexpr std::size_t statementLimit = 8191;
// A line number has at most this many digits; more is a syntax error (error 1).
inline constexpr std::size_t lineNumberLimit = 19;
// Report texts are composed in buffers of this many bytes with their NUL; longer texts are cut.
inline constexpr std::size_t reportBufferSize = 256;
// GOSUB nesting and FOR nesting that a program can reach; one level more is refused with error
// 12. Observable.
inline constexpr std::size_t gosubLimit = 256;
inline constexpr std::size_t forLimit = 1024;
// Loop variable names are compared on at most this many bytes. Observable only by names too long
// to be stored.
inline constexpr std::size_t loopNameLimit = 50;

// The reporter's codes: below 100 an error ends the program; from 100 up a warning.
enum ErrorCode : int {
  SyntaxError = 1,
  NotAssignable = 2,
  InvalidIdentifier = 3,
  UnexpectedError = 4,
  OutOfRange = 5,
  ReturnWithoutGosub = 6,
  FileAccessError = 7,
  CannotOpenFile = 8,
  TypeMismatch = 9,
  WrongParameterCount = 10,
  NoDataForRead = 11,
  MemoryRangeExceeded = 12,
  CannotRefer = 13,
  ArrayMemoryExceeded = 14,
  InternalMemoryError = 15,
  OwnText = 99,
  InvalidInput = 101,
  NextWithoutFor = 102,
  WendWithoutWhile = 103,
};

// The run-time's own texts reported with code 99 or shown in boxes, in code page 932.
enum class Text {
  ChainRefused,
  RunRefused,
  DivisionByZero,
  ArrayAlreadyDefined,  // contains %s
  NegativeSubscript,
  NegativeSleep,
  EmptyAsc,
  LogNegative,
  SqrNegative,
  MciError,  // contains %s
  NoMidiDevice,
  FileSystemError,
  ErrorTitle,
  ErrorBoxTitle,
  WarningBoxTitle,
};
std::string_view text(Text id);
// The message of a code ("%s" not yet filled in); empty for a code without one.
std::string_view message(int code);

// The results of the scans of the program text. The text does not change while a program runs, so
// each scan is made once and kept under the position it started from.
struct ScanCache {
  bool ready = false;
  std::vector<std::int32_t> lineStarts;  // -1 and the position of every newline, in order
  std::vector<std::int64_t> lineReach;   // the highest line number at or before each line start
  expr::TextMap<std::int32_t> labels;    // label target -> line start, or a failure mark
  struct Result {
    std::string name;  // the loop variable the scan looked for
    std::int32_t position;
  };
  std::unordered_map<std::uint64_t, Result> results;
};

// A statement prepared once from its text (the fast path; see prepared.cpp).
struct PreparedStatement {
  virtual ~PreparedStatement() = default;
  // Runs the statement as the reference path would; false when this run must go through the
  // reference path instead, with nothing done yet.
  virtual bool run(Runtime& rt) = 0;
  // A FOR, which its NEXT may run at once (see Next in prepared.cpp).
  bool loopHead = false;
};

// What the run loop knows of each statement of the text, by the position where it begins.
struct PreparedEntry {
  bool tried = false;
  std::uint64_t meaning = 0;  // the store's meaning generation it was prepared under
  std::unique_ptr<PreparedStatement> statement;
};
// How the branch filter cuts a statement of a THEN or ELSE part.
struct BranchCut {
  bool known = false;
  bool run = true;                 // false: nothing of it runs
  std::int32_t lineEnd = -1;       // where execution goes on after an ELSE was cut off; -1: no move
  std::string text;                // the statement that runs
};
// A statement of a THEN or ELSE part: how the filter cuts it, and what runs.
struct BranchSite {
  BranchCut cut;
  PreparedEntry entry;
};
// What the run loop knows of the position where a line or a statement begins.
struct Site {
  std::int32_t end = -1;        // the statement's terminator
  std::int32_t trimmedEnd = 0;  // the end of the statement without its trailing blanks
  bool ready = false;           // the statement runs as it stands (see findEnd)
  std::int32_t lineBlank = -2;  // the blank after a line's digits; -1 when other bytes come first
  std::int32_t lineNumber = 0;
  // At a terminator (':' or a newline): where the statement after it begins, -2 not yet known, -1
  // when the run loop must read on byte by byte; and the number of its line if it begins one.
  std::int32_t next = -2;
  std::int32_t nextLine = -1;
  PreparedEntry entry;
  std::unique_ptr<BranchSite> branch;
};
struct PreparedStatements {
  std::vector<Site> sites;  // one for every position of the text and its end
};

struct State {
  std::int32_t runPos = 0;       // index of the last byte consumed; -1 before the first line
  std::int32_t currentLine = 0;  // the number of the line being executed
  std::int32_t stmtStartPos = 0;  // the terminator before the statement now executing
  bool inBranch = false;          // running the THEN or ELSE part of an IF
  std::atomic<bool> stopRequested{false};
  std::atomic<bool> interpreterStarted{false};
  std::int32_t gosubDepth = 0;
  std::array<std::int32_t, gosubLimit> gosubPositions{};
  std::array<bool, gosubLimit> gosubInBranch{};
  std::array<double, forLimit> forLimits{};
  std::int32_t forDepth = -1;
  bool forReentry = false;
  std::string errorHandlerStmt;  // the ON ERROR statement; empty when none is installed
  std::uint32_t reports = 0;     // reports so far: a handler that saw one returns at once
  ScanCache scans;
  PreparedStatements prepared;
  // Every statement through the text rewriting itself: the reference the fast path is checked
  // against (TW_REFERENCE=1 in the environment).
  bool referenceOnly = false;
  // Statements the run may still start; when none is left the run stops as a closed window stops
  // it, so that a fuzzer's endless program ends. Counted only in builds that define
  // TW_STATEMENT_BUDGET (the fuzz preset): even a decrement is a cost every statement would pay.
  // Not observable by a program.
  std::uint64_t statementsLeft = UINT64_MAX;
  bool dispatchingHandler = false;
  std::atomic<bool> endedByError{false};  // an error report ended the program
  std::mutex endMutex;                    // END may run on either thread, once
  bool endDone = false;
};

// What the dispatcher hands a handler.
struct StatementRecord {
  std::string argument;  // after the code and its blank, with function calls expanded
  std::uint16_t code = 0;
  bool handled = false;
  std::string_view full;  // the statement as the run loop cut it
};

// Runs the program from runPos until it ends; 1 if the text ran out, 0 if it was stopped.
// Sends the window Msg::Destroy before returning.
int runProgram(Runtime& rt);
// The site of the terminator (':' or a newline) at pos, where the statement after it begins filled in.
Site& continuationAt(Runtime& rt, std::int32_t pos);
// Dispatches one statement; false if it was refused (stop requested, or an unknown code).
bool dispatchStatement(Runtime& rt, std::string_view statement);
// Applies the branch filter to a statement of a THEN or ELSE part; false: do not execute it.
bool branchFilter(Runtime& rt, std::string& statement);
// The prepared form of a statement's text; nothing when it is not understood.
std::unique_ptr<PreparedStatement> prepareStatement(Runtime& rt, std::string_view statement);

// The position a jump to the target (digits, or a label with its '*') continues from: the newline
// before the line, or -1 for the first line. Nothing after a reported error.
std::optional<std::int32_t> findLine(Runtime& rt, std::string_view target);

// Reports an error (code below 100) or a warning, or runs the installed ON ERROR statement.
void report(Runtime& rt, int code, std::string_view text = {});

// Program start: resets the run flags, performs CLEAR and sets the program directory.
void startProgram(Runtime& rt, std::string programDir);
// END: stops the program and releases what it holds; only the first request does the clean-up.
void endProgram(Runtime& rt);
// CLEAR: forgets variables, DATA position, declarations, functions and the ON ERROR handler.
void clearProgram(Runtime& rt);

// The body of the interpreter thread once the image is loaded: program start and the run loop.
void interpreterThread(Runtime& rt, std::string programDir);

}  // namespace tw::interp

namespace tw {

// Everything one run of a program holds. There are no globals: a test may make many.
struct Runtime {
  explicit Runtime(platform::Services services) : sys(services) {}
  Runtime(const Runtime&) = delete;
  Runtime& operator=(const Runtime&) = delete;

  platform::Services sys;
  host::State host;
  interp::State interp;
  expr::State expr;
  builtins::State builtins;
  screen::State screen;
  statements::State statements;
  io::State io;
  graphics::State graphics;
  sound::State sound;
};

}  // namespace tw
