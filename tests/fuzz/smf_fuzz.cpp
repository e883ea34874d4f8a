// Fuzz target of the MIDI file reader: any bytes as a file. A file that is read must be one that
// MCI takes for a MIDI file and give channel messages only, in time order, none after its length.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "platform/platform.h"

namespace {

bool isChannelMessage(std::uint32_t m) {
  const std::uint32_t status = m & 0xFF;
  const std::uint32_t dataBytes = (status & 0xE0) == 0xC0 ? 1 : 2;
  return status >= 0x80 && status < 0xF0 && (m >> 8 & 0x80) == 0 && (m >> 16 & 0x80) == 0 &&
         m >> (8 * (dataBytes + 1)) == 0;
}

void fail(const char* what) {
  std::fprintf(stderr, "%s\n", what);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::optional<tw::platform::MidiSong> song = tw::platform::readStandardMidiFile(bytes);
  if (!song) return 0;
  if (!tw::platform::isMidiFile(bytes)) fail("a file read that does not look like a MIDI file");
  if (song->messages.size() > tw::platform::midiSongEventLimit) fail("more messages than allowed");
  std::int64_t previous = 0;
  for (const tw::platform::TimedMidiMessage& m : song->messages) {
    if (!isChannelMessage(m.message)) fail("a message that is not a channel message");
    if (m.milliseconds < previous) fail("messages out of time order");
    if (m.milliseconds > song->length) fail("a message after the file's length");
    previous = m.milliseconds;
  }
  return 0;
}
