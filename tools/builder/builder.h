// The builder: encodes readable source into program text (statement codes, word operators), lists
// program text back as source, and makes applications (a runtime executable plus a trailer).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tw::builder {

// A build failure at a place in the source. Columns count bytes of the line as the file holds it,
// from 1; the message is English, UTF-8.
struct BuildError {
  std::string file;
  int line = 0;
  int column = 0;
  std::string message;
};
// "FILE:LINE:COLUMN: error: MESSAGE"
std::string describe(const BuildError& error);

// Encodes a source file's bytes (UTF-8, or code page 932 when they are not valid UTF-8) into
// program text. fileName only names the file in errors.
std::optional<std::string> encodeSource(std::string_view source, std::string_view fileName,
                                        BuildError& error);

// The program text as readable source: codes as keywords, operator escapes as words, in UTF-8
// (code page 932 as it stands when some byte has no UTF-8 form). Encoding it again gives the
// same program text.
std::string listProgram(std::string_view programText);

// The command tarnwick-build; returns its exit status.
int runBuilderCommand(int argc, char** argv);

}  // namespace tw::builder
