// The channel functions EOF and LOF: their arguments here, the channels themselves in io.
#include "builtins/detail.h"

namespace tw::builtins::detail {

std::int32_t eofFunction(Runtime& rt, std::string_view a) {
  if (!checkArgCount(rt, a, 1, true)) return 0;
  const std::uint32_t reportsBefore = rt.interp.reports;
  const std::int32_t channel = integerArgument(rt, a);
  if (rt.interp.reports != reportsBefore) return 0;
  return io::endOfFile(rt, channel);
}

// LOF(1), LOF(#1) and LOF(10) name channel 1 by their first digit, unevaluated; any other
// argument (a variable, an expression) is evaluated.
std::int32_t lofFunction(Runtime& rt, std::string_view a) {
  if (!checkArgCount(rt, a, 1, true)) return 0;
  if (!a.empty() && a[0] == '#') a.remove_prefix(1);
  if (!a.empty() && a[0] >= '0' && a[0] <= '9') return io::lengthOfFile(rt, a[0] - '0');
  const std::uint32_t reportsBefore = rt.interp.reports;
  const std::int32_t channel = integerArgument(rt, a);
  if (rt.interp.reports != reportsBefore) return 0;
  return io::lengthOfFile(rt, channel);
}

}  // namespace tw::builtins::detail
