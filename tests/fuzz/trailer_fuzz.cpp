// Fuzz target of the trailer reader: any bytes as the end of an executable. A trailer that is read
// must be written back to the same bytes it was read from, and read again to the same image.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "host/host.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::optional<tw::host::ProgramImage> image = tw::host::readTrailer(bytes);
  if (!image) return 0;
  tw::host::parseFont(image->fontNumbers, image->faceName);
  const std::optional<std::string> written = tw::host::makeTrailer(*image);
  if (!written || !bytes.ends_with(*written)) {
    std::fprintf(stderr, "a trailer read does not write back as the bytes it came from\n");
    std::abort();
  }
  const std::optional<tw::host::ProgramImage> again = tw::host::readTrailer(*written);
  if (!again || again->programText != image->programText ||
      again->fontNumbers != image->fontNumbers || again->faceName != image->faceName) {
    std::fprintf(stderr, "a written trailer reads back differently\n");
    std::abort();
  }
  return 0;
}
