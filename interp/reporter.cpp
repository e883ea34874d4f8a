// The reporter: the one place where errors and warnings end up. It runs the ON ERROR statement or
// ends the program (errors) and shows the message box; it never fails and throws nothing.
#include <string>

#include "interp/interp.h"

namespace tw::interp {
namespace {

// The longest prefix of text that fits limit bytes without splitting a double-byte character.
std::string_view cutToFit(std::string_view text, std::size_t limit) {
  if (text.size() <= limit) return text;
  std::size_t end = 0;
  while (end < limit) {
    std::size_t step = platform::isLeadByte(static_cast<unsigned char>(text[end])) ? 2 : 1;
    if (end + step > limit) break;
    end += step;
  }
  return text.substr(0, end);
}

std::string compose(int code, std::string_view callerText) {
  std::string_view format = message(code);
  std::string m;
  if (auto at = format.find("%s"); at != std::string_view::npos) {
    m.append(format.substr(0, at)).append(callerText).append(format.substr(at + 2));
  } else {
    m.append(format);
  }
  return m;
}

}  // namespace

void report(Runtime& rt, int code, std::string_view callerText) {
  State& s = rt.interp;
  ++s.reports;
  // A handler statement that itself fails would report again without end; its failure is shown.
  if (!s.errorHandlerStmt.empty() && !s.dispatchingHandler) {
    std::string handler = s.errorHandlerStmt;
    s.dispatchingHandler = true;
    dispatchStatement(rt, handler);
    s.dispatchingHandler = false;
    return;
  }
  const bool error = code < 100;
  if (error) {
    s.endedByError = true;
    endProgram(rt);
  }
  const std::size_t capacity = reportBufferSize - 1;
  std::string m(cutToFit(compose(code, callerText), capacity));
  std::string frame = (error ? "\n\nError line:" : "\n\nWarning line:") + std::to_string(s.currentLine);
  // The frame and its line number are kept whole; the message gives way.
  std::string box(cutToFit(m, capacity > frame.size() ? capacity - frame.size() : 0));
  box += frame;
  rt.sys.window->messageBox(text(error ? Text::ErrorBoxTitle : Text::WarningBoxTitle), box,
                            error ? platform::BoxIcon::Error : platform::BoxIcon::Information);
}

}  // namespace tw::interp
