// Fuzz target of the builder: any bytes as source text are encoded; a program text that comes out
// is listed and encoded again, and must come out the same. Any bytes are listed as program text.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "tools/builder/builder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  tw::builder::listProgram(bytes);
  tw::builder::BuildError error;
  const std::optional<std::string> text = tw::builder::encodeSource(bytes, "fuzz.bas", error);
  if (!text) return 0;
  const std::string listing = tw::builder::listProgram(*text);
  const std::optional<std::string> again = tw::builder::encodeSource(listing, "listing.bas", error);
  if (!again || *again != *text) {
    std::fprintf(stderr, "the listing does not encode to the same program text\n%s\n",
                 again ? listing.c_str() : tw::builder::describe(error).c_str());
    std::abort();
  }
  return 0;
}
