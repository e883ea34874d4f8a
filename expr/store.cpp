// The store's reading and writing: types, value texts in and out, conversions for the target's
// type. The layouts of the directory and the string table are left to their own files.
#include <cmath>

#include "expr/detail.h"

namespace tw::expr {
namespace {

bool isRnd(std::string_view reference) {
  if (reference.size() != 3) return false;
  for (std::size_t i = 0; i < 3; ++i)
    if ((reference[i] | 0x20) != "rnd"[i]) return false;
  return true;
}

char upper(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool listed(const std::string& letters, char letter) {
  return letters.find(letter) != std::string::npos;
}

// A string that does not exist is tried as a user-defined function, then reads empty.
void missingString(Runtime& rt, std::string_view name, std::string& out) {
  if (builtins::callUserFunction(rt, name, "", out)) return;
  out = "\"\"";
}

bool readString(Runtime& rt, std::string_view reference, std::string& out) {
  std::string name;
  if (!normaliseStringName(rt, reference, name)) return false;
  long index = findStringValue(rt, name);
  if (index < 0)
    missingString(rt, name, out);
  else
    out = rt.expr.strings[index].value;
  return true;
}

bool readNumeric(Runtime& rt, std::string_view reference, std::string& out) {
  std::string name;
  std::vector<std::int32_t> subscripts;
  if (!parseSubscripts(rt, reference, name, subscripts)) return false;
  int slot = findNumericSlot(rt, name, subscripts);
  if (slot == failedSlot) return false;
  if (slot == noSlot) {
    out.assign(1, '0');
    return true;
  }
  formatFixed(rt.expr.numericValues[slot], 15, out);
  trimNumberText(rt, out);
  return true;
}

bool storeString(Runtime& rt, std::string_view reference, std::string_view quoted) {
  if (quoted.size() > stringLimit) {
    detail::refuse(rt);
    return false;
  }
  std::string name;
  if (!normaliseStringName(rt, reference, name)) return false;
  return detail::setString(rt, name, quoted);
}

bool storeNumeric(Runtime& rt, std::string_view reference, std::string_view text) {
  std::string name;
  std::vector<std::int32_t> subscripts;
  if (!parseSubscripts(rt, reference, name, subscripts)) return false;
  const double value = decimalValue(text);
  int slot = findNumericSlot(rt, name, subscripts);
  if (slot == failedSlot) return false;
  if (slot == noSlot) return detail::createNumeric(rt, name, subscripts, value);
  rt.expr.numericValues[slot] = value;
  return true;
}

}  // namespace

int variableType(Runtime& rt, std::string_view name) {
  std::string_view base = name.substr(0, name.find('('));
  if (!base.empty()) {
    switch (base.back()) {
      case '#':
        return Double;
      case '!':
        return Single;
      case '%':
        return Integer;
      case '$':
        return String;
      default:
        break;
    }
  }
  if (name.empty()) return Double;
  const char first = upper(name[0]);
  const State& s = rt.expr;
  if (listed(s.defIntLetters, first)) return Integer;
  if (listed(s.defSngLetters, first)) return Single;
  if (listed(s.defStrLetters, first)) return String;
  return Double;
}

bool readVariable(Runtime& rt, std::string_view reference, std::string& out) {
  if (isRnd(reference)) {
    formatFixed(builtins::rnd(rt, ""), 7, out);
    return true;
  }
  if (variableType(rt, reference) == String) return readString(rt, reference, out);
  return readNumeric(rt, reference, out);
}

void convertForType(Runtime&, std::string& text, int type) {
  switch (type) {
    case Integer: {
      // Halves go up; the fraction is judged in single precision, so 2.4999999999 counts as 2.5.
      const double x = decimalValue(text);
      const double whole = std::floor(x);
      const float fraction = static_cast<float>(x - whole);
      text = std::to_string(toInteger(fraction >= 0.5f ? whole + 1 : whole));
      break;
    }
    case Single:
      formatFixed(decimalValue(text), 7, text);
      break;
    case String:
      if (!detail::isQuoted(text)) text = '"' + text + '"';
      break;
    default:
      break;
  }
}

bool storeVariable(Runtime& rt, std::string_view reference, std::string_view value) {
  if (reference.empty() || !detail::isLetter(reference[0])) {
    interp::report(rt, interp::InvalidIdentifier, reference);
    return false;
  }
  const int type = variableType(rt, reference);
  std::string text(value);
  convertForType(rt, text, type);
  if (type == String) return storeString(rt, reference, text);
  return storeNumeric(rt, reference, text);
}

namespace detail {

bool readNumber(Runtime& rt, std::string_view reference, double& value) {
  value = 0;
  if (isRnd(reference) || variableType(rt, reference) == String) {
    std::string text;
    if (!readVariable(rt, reference, text)) return false;
    value = decimalValue(text);
    return true;
  }
  std::string name;
  std::vector<std::int32_t> subscripts;
  if (!parseSubscripts(rt, reference, name, subscripts)) return false;
  int slot = findNumericSlot(rt, name, subscripts);
  if (slot == failedSlot) return false;
  if (slot == noSlot) return true;
  const double stored = rt.expr.numericValues[slot];
  // A whole number of at most 15 digits reads back as itself: its text is just its digits.
  if (std::fabs(stored) < 1e15 && stored == std::floor(stored)) {
    value = stored == 0 ? 0.0 : stored;
    return true;
  }
  std::string text;
  formatFixed(stored, 15, text);
  trimNumberText(rt, text);
  value = decimalValue(text);
  return true;
}

bool storeWholeNumber(Runtime& rt, std::string_view reference, double value) {
  if (reference.empty() || !isLetter(reference[0])) {
    interp::report(rt, interp::InvalidIdentifier, reference);
    return false;
  }
  // The integer type rounds to 32 bits; the single type's seven decimals keep a whole number.
  if (variableType(rt, reference) == Integer) value = toInteger(value);
  std::string name;
  std::vector<std::int32_t> subscripts;
  if (!parseSubscripts(rt, reference, name, subscripts)) return false;
  int slot = findNumericSlot(rt, name, subscripts);
  if (slot == failedSlot) return false;
  if (value == 0) value = 0;
  if (slot == noSlot) return createNumeric(rt, name, subscripts, value);
  rt.expr.numericValues[slot] = value;
  return true;
}

bool appendStringTerm(Runtime& rt, std::string_view term, std::string& result) {
  std::string text;
  if (!isRnd(term) && variableType(rt, term) == String) {
    std::string name;
    if (!normaliseStringName(rt, term, name)) return false;
    long index = findStringValue(rt, name);
    if (index >= 0) {
      // Stored values are always quoted; their bytes are appended without a copy between.
      const std::string& value = rt.expr.strings[index].value;
      result.append(value, 1, value.size() - 2);
      return true;
    }
    missingString(rt, name, text);
  } else if (!readVariable(rt, term, text)) {
    return false;
  }
  if (!isQuoted(text)) {
    interp::report(rt, interp::TypeMismatch);
    return false;
  }
  result.append(text, 1, text.size() - 2);
  return true;
}

}  // namespace detail
}  // namespace tw::expr
