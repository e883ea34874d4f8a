// The numeric directory: entry texts in creation order, the slots that follow them and the index
// beside them. Only this file lays out entries and slots; values are written by the store.
#include <algorithm>
#include <new>

#include "expr/detail.h"

namespace tw::expr {
namespace {

template <typename Numbers>
std::string elementKey(const Numbers& subscripts) {
  std::string key;
  for (auto s : subscripts) key.append(std::to_string(s)).push_back(',');
  return key;
}

int lookupElement(Runtime& rt, const NumericIndexEntry& entry,
                  const std::vector<std::int32_t>& subscripts) {
  if (entry.arraySlot != noSlot) {
    long offset = elementOffset(rt, subscripts, entry.bounds);
    return offset < 0 ? failedSlot : entry.arraySlot + static_cast<int>(offset);
  }
  auto it = entry.elements.find(elementKey(subscripts));
  return it == entry.elements.end() ? noSlot : it->second;
}

// Bytes that would break the directory text (its separator and markers) may not stand in a name.
bool fitsDirectoryText(std::string_view name) {
  return std::none_of(name.begin(), name.end(),
                      [](char c) { return c == ',' || (c >= '\0' && c <= numberEnd); });
}

// The checks before an entry is appended; false after a reported error.
bool admitEntry(Runtime& rt, std::string_view name, std::size_t entrySize) {
  if (!fitsDirectoryText(name)) {
    interp::report(rt, interp::InvalidIdentifier, name);
    return false;
  }
  // The entry, its ',' and the directory's ending NUL must fit.
  if (entrySize > entryLimit || rt.expr.numericDirectory.size() + entrySize + 2 > directoryLimit) {
    detail::refuse(rt);
    return false;
  }
  return true;
}

bool growValues(Runtime& rt, std::int64_t count) {
  std::vector<double>& values = rt.expr.numericValues;
  if (static_cast<std::int64_t>(values.size()) + count > rt.expr.slotsAllowed) {
    interp::report(rt, interp::InternalMemoryError);
    return false;
  }
  try {
    values.resize(values.size() + static_cast<std::size_t>(count), 0.0);
  } catch (const std::bad_alloc&) {
    interp::report(rt, interp::InternalMemoryError);
    return false;
  }
  return true;
}

std::int64_t slotCount(int kind, const std::vector<int>& numbers) {
  return kind == Array ? linearIndex(numbers) + 1 : 1;
}

// Reads the index back from the directory text; run after entries were removed.
void rebuildIndex(State& s) {
  s.numericIndex.clear();
  std::string name;
  std::vector<int> numbers;
  std::int64_t slot = 0;
  std::string_view directory = s.numericDirectory;
  for (std::size_t start = 0, end; start < directory.size(); start = end + 1) {
    end = directory.find(',', start);
    int kind = parseDirectoryEntry(directory.substr(start, end - start), name, numbers);
    NumericIndexEntry& entry = s.numericIndex[name];
    const int first = static_cast<int>(slot);
    if (kind == Scalar) entry.scalarSlot = first;
    if (kind == Element) entry.elements.emplace(elementKey(numbers), first);
    if (kind == Array) entry.arraySlot = first, entry.bounds = numbers;
    slot += slotCount(kind, numbers);
  }
}

}  // namespace

int findNumericSlot(Runtime& rt, std::string_view name,
                    const std::vector<std::int32_t>& subscripts) {
  auto it = rt.expr.numericIndex.find(name);
  if (it == rt.expr.numericIndex.end()) return noSlot;
  if (subscripts.empty()) return it->second.scalarSlot;
  return lookupElement(rt, it->second, subscripts);
}

int parseDirectoryEntry(std::string_view entry, std::string& name, std::vector<int>& numbers) {
  numbers.clear();
  std::size_t marker = entry.find_first_of("\x01\x02");
  name.assign(entry.substr(0, marker));
  if (marker == std::string_view::npos) return Scalar;
  std::size_t start = marker + 1;
  for (std::size_t end; (end = entry.find(numberEnd, start)) != std::string_view::npos;
       start = end + 1)
    numbers.push_back(static_cast<int>(decimalValue(entry.substr(start, end - start))));
  return entry[marker] == elementMarker ? Element : Array;
}

bool hasArrayEntries(const State& s, std::string_view name) {
  auto it = s.numericIndex.find(name);
  return it != s.numericIndex.end() &&
         (it->second.arraySlot != noSlot || !it->second.elements.empty());
}

std::int64_t linearIndex(const std::vector<int>& bounds) {
  std::int64_t count = 1;
  for (int bound : bounds) {
    if (bound < 0) return -1;
    // Past the slot limit the exact count no longer matters: the array cannot be made.
    count = std::min<std::int64_t>(count * (bound + std::int64_t{1}), slotLimit + 1);
  }
  return count - 1;
}

long elementOffset(Runtime& rt, const std::vector<std::int32_t>& subscripts,
                   const std::vector<int>& bounds) {
  if (subscripts.size() != bounds.size()) {
    interp::report(rt, interp::ArrayMemoryExceeded);
    return -1;
  }
  std::int64_t offset = 0;
  std::int64_t stride = 1;
  for (std::size_t k = bounds.size(); k-- > 0;) {
    if (subscripts[k] > bounds[k]) {
      interp::report(rt, interp::ArrayMemoryExceeded);
      return -1;
    }
    offset += subscripts[k] * stride;
    stride *= bounds[k] + std::int64_t{1};
  }
  return static_cast<long>(offset);
}

bool declareArray(Runtime& rt, std::string_view name, const std::vector<std::int32_t>& bounds) {
  if (hasArrayEntries(rt.expr, name)) {
    std::string message(interp::text(interp::Text::ArrayAlreadyDefined));
    if (auto at = message.find("%s"); at != std::string::npos) message.replace(at, 2, name);
    interp::report(rt, interp::OwnText, message);
    return false;
  }
  std::string entry(name);
  entry.push_back(arrayMarker);
  for (std::int32_t bound : bounds) entry.append(std::to_string(bound)).push_back(numberEnd);
  if (!admitEntry(rt, name, entry.size())) return false;
  const std::vector<int> dims(bounds.begin(), bounds.end());
  const auto first = static_cast<int>(rt.expr.numericValues.size());
  if (!growValues(rt, linearIndex(dims) + 1)) return false;
  rt.expr.numericDirectory.append(entry).push_back(',');
  NumericIndexEntry& index = rt.expr.numericIndex.try_emplace(std::string(name)).first->second;
  index.arraySlot = first;
  index.bounds = dims;
  ++rt.expr.creations;
  return true;
}

void eraseNumeric(State& s, std::string_view name) {
  std::string kept;
  std::vector<double> values;
  std::string entryName;
  std::vector<int> numbers;
  std::size_t slot = 0;
  std::string_view directory = s.numericDirectory;
  for (std::size_t start = 0, end; start < directory.size(); start = end + 1) {
    end = directory.find(',', start);
    std::string_view entry = directory.substr(start, end - start);
    const int kind = parseDirectoryEntry(entry, entryName, numbers);
    const auto count = static_cast<std::size_t>(slotCount(kind, numbers));
    if (entryName != name) {
      kept.append(entry).push_back(',');
      values.insert(values.end(), s.numericValues.begin() + static_cast<long>(slot),
                    s.numericValues.begin() + static_cast<long>(slot + count));
    }
    slot += count;
  }
  s.numericDirectory = std::move(kept);
  s.numericValues = std::move(values);
  rebuildIndex(s);
  ++s.layoutGeneration;
}

namespace detail {

bool createNumeric(Runtime& rt, std::string_view name, const std::vector<std::int32_t>& subscripts,
                   double value) {
  std::string entry(name);
  if (!subscripts.empty()) {
    entry.push_back(elementMarker);
    for (std::int32_t s : subscripts) entry.append(std::to_string(s)).push_back(numberEnd);
  }
  if (!admitEntry(rt, name, entry.size()) || !growValues(rt, 1)) return false;
  State& s = rt.expr;
  const auto slot = static_cast<int>(s.numericValues.size() - 1);
  s.numericValues[slot] = value;
  s.numericDirectory.append(entry).push_back(',');
  NumericIndexEntry& index = s.numericIndex.try_emplace(std::string(name)).first->second;
  if (subscripts.empty())
    index.scalarSlot = slot;
  else
    index.elements.emplace(elementKey(subscripts), slot);
  ++s.creations;
  return true;
}

}  // namespace detail
}  // namespace tw::expr
