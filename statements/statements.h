// Utility statements: RANDOMIZE, SLEEP, CHDIR, SWAP, READ and RESTORE. The generator lives in
// builtins, the DATA list with its read index and the program folder in host; the only state kept
// here is where READ goes on in the DATA list.
#pragma once

#include <cstddef>
#include <string_view>

namespace tw {
struct Runtime;
}

namespace tw::statements {

// SLEEP waits in slices of at most this many milliseconds and stops between them once the program
// is asked to stop. A program cannot observe it; closing the window ends a SLEEP within one slice.
inline constexpr int sleepSliceLimit = 50;

// The byte offset in the DATA list where item number `dataIndex` begins (npos when the list ends
// before it), so that READ does not count the items from the start each time. It describes the
// list of `dataListSize` bytes and is used only while host's read index still equals `dataIndex`;
// CLEAR (which rebuilds the list and restarts at item 0) and RESTORE move the index, and a walk
// from the start then finds the item again.
struct State {
  int dataIndex = 0;
  std::size_t dataOffset = 0;
  std::size_t dataListSize = 0;
};

// Each handler takes the statement's argument text, function calls already expanded.
void randomizeStatement(Runtime& rt, std::string_view argument);
void sleepStatement(Runtime& rt, std::string_view argument);
void chdirStatement(Runtime& rt, std::string_view argument);
void swapStatement(Runtime& rt, std::string_view argument);
void readStatement(Runtime& rt, std::string_view argument);
// LOCATE column,row: moves the text cursor, adding rows and see-through blanks as needed.
void locateStatement(Runtime& rt, std::string_view argument);
void restoreStatement(Runtime& rt, std::string_view argument);

}  // namespace tw::statements
