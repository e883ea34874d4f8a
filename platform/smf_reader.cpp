// The reader of Standard MIDI Files: channel messages merged in time order, and the file's length.
// Portable and safe on any bytes; it plays nothing and sees no device.
#include <algorithm>

#include "platform/platform.h"

namespace tw::platform {
namespace {

// A variable-length quantity takes at most four bytes (28 bits).
constexpr int quantityBytesLimit = 4;
constexpr std::uint32_t defaultMicrosecondsPerQuarter = 500'000;
constexpr std::size_t headerBytes = 6;
constexpr std::uint8_t metaEvent = 0xFF, tempoMeta = 0x51, endOfTrackMeta = 0x2F;
constexpr std::uint8_t sysexEvent = 0xF0, sysexEscape = 0xF7;

// An event of one track, before the tracks are merged.
struct TickEvent {
  std::int64_t tick = 0;
  std::uint32_t value = 0;  // a packed channel message, or microseconds a quarter
};

class Bytes {
 public:
  explicit Bytes(std::string_view bytes) : bytes_(bytes) {}
  std::size_t left() const { return bytes_.size() - at_; }
  bool byte(std::uint8_t& out) {
    if (at_ >= bytes_.size()) return false;
    out = static_cast<std::uint8_t>(bytes_[at_++]);
    return true;
  }
  bool peek(std::uint8_t& out) const {
    if (at_ >= bytes_.size()) return false;
    out = static_cast<std::uint8_t>(bytes_[at_]);
    return true;
  }
  bool bigEndian(int count, std::uint32_t& out) {
    if (left() < static_cast<std::size_t>(count)) return false;
    out = 0;
    for (int i = 0; i < count; ++i) out = out << 8 | static_cast<std::uint8_t>(bytes_[at_++]);
    return true;
  }
  bool quantity(std::uint32_t& out) {
    out = 0;
    for (int i = 0; i < quantityBytesLimit; ++i) {
      std::uint8_t b = 0;
      if (!byte(b)) return false;
      out = out << 7 | (b & 0x7Fu);
      if ((b & 0x80) == 0) return true;
    }
    return false;
  }
  bool skip(std::size_t count) {
    if (left() < count) return false;
    at_ += count;
    return true;
  }
  // The next count bytes as a reader of their own.
  bool take(std::size_t count, Bytes& part) {
    if (left() < count) return false;
    part = Bytes(bytes_.substr(at_, count));
    at_ += count;
    return true;
  }
  bool littleEndian32(std::uint32_t& out) {
    if (left() < 4) return false;
    out = 0;
    for (int i = 3; i >= 0; --i) out = out << 8 | static_cast<std::uint8_t>(bytes_[at_ + i]);
    at_ += 4;
    return true;
  }
  std::string_view rest() const { return bytes_.substr(at_); }
  bool tag(std::string_view name) {
    if (bytes_.substr(at_, name.size()) != name) return false;
    at_ += name.size();
    return true;
  }

 private:
  std::string_view bytes_;
  std::size_t at_ = 0;
};

// Program change and channel pressure carry one data byte; the other channel messages two.
int dataBytes(std::uint8_t status) {
  const std::uint8_t kind = status & 0xF0;
  return kind == 0xC0 || kind == 0xD0 ? 1 : 2;
}

struct Track {
  std::vector<TickEvent> messages, tempos;
  std::int64_t end = 0;  // the tick of its last event of any kind
};

// A meta event after its type byte; a tempo change joins the tempo map.
bool readMeta(Bytes& in, std::int64_t tick, Track& track, bool& ended) {
  std::uint8_t type = 0;
  std::uint32_t size = 0;
  if (!in.byte(type) || !in.quantity(size)) return false;
  if (type == tempoMeta && size == 3) {
    std::uint32_t tempo = 0;
    if (!in.bigEndian(3, tempo)) return false;
    track.tempos.push_back({tick, tempo});
    return true;
  }
  ended = type == endOfTrackMeta;
  return in.skip(size);
}

// One track chunk's events; false when they break the format or a limit. Running status carries
// over meta and system exclusive events, as files written by many sequencers expect.
bool readTrack(Bytes in, Track& track, std::size_t& events) {
  std::int64_t tick = 0;
  std::uint8_t status = 0;
  for (bool ended = false; !ended && in.left() > 0;) {
    std::uint32_t delta = 0;
    std::uint8_t first = 0;
    if (!in.quantity(delta) || !in.peek(first)) return false;
    tick += delta;
    if (tick > midiSongTickLimit) return false;
    track.end = tick;
    if (first == metaEvent) {
      in.skip(1);
      if (!readMeta(in, tick, track, ended)) return false;
    } else if (first == sysexEvent || first == sysexEscape) {
      std::uint32_t size = 0;
      if (!in.skip(1) || !in.quantity(size) || !in.skip(size)) return false;
    } else {
      if (first & 0x80) {
        if (first > sysexEvent) return false;  // system messages have no place in a file
        status = first;
        in.skip(1);
      }
      if (status == 0) return false;  // running status with no status before it
      std::uint32_t message = status;
      for (int i = 1; i <= dataBytes(status); ++i) {
        std::uint8_t data = 0;
        if (!in.byte(data) || (data & 0x80)) return false;
        message |= std::uint32_t{data} << (8 * i);
      }
      track.messages.push_back({tick, message});
    }
    if (track.messages.size() + track.tempos.size() > midiSongEventLimit - events) return false;
  }
  events += track.messages.size() + track.tempos.size();
  return true;
}

// Ticks to milliseconds: a tick lasts numerator / denominator microseconds, the numerator being
// the tempo (microseconds a quarter, at most 24 bits) and the denominator ticks a quarter, or a
// fixed rate for frame-based time.
class TimeMap {
 public:
  TimeMap(std::uint32_t numerator, std::uint32_t denominator, std::vector<TickEvent> tempos,
          bool tempoApplies)
      : numerator_(numerator), denominator_(denominator), tempos_(std::move(tempos)) {
    if (!tempoApplies) tempos_.clear();
    std::stable_sort(tempos_.begin(), tempos_.end(),
                     [](const TickEvent& a, const TickEvent& b) { return a.tick < b.tick; });
  }
  // Ticks must come in order.
  std::int64_t milliseconds(std::int64_t tick) {
    while (next_ < tempos_.size() && tempos_[next_].tick <= tick) {
      const TickEvent& change = tempos_[next_++];
      start_ += microseconds(change.tick - startTick_);
      startTick_ = change.tick;
      numerator_ = change.value;
    }
    return (start_ + microseconds(tick - startTick_)) / 1000;
  }

 private:
  std::int64_t microseconds(std::int64_t ticks) const { return ticks * numerator_ / denominator_; }
  std::uint32_t numerator_, denominator_;
  std::vector<TickEvent> tempos_;
  std::size_t next_ = 0;
  std::int64_t start_ = 0, startTick_ = 0;
};

// The time division: ticks a quarter, or frames a second and ticks a frame. Nothing for a
// division without ticks or a frame rate that does not exist.
std::optional<TimeMap> timeMapOf(std::uint16_t division, std::vector<TickEvent> tempos) {
  if ((division & 0x8000) == 0) {
    if (division == 0) return std::nullopt;
    return TimeMap(defaultMicrosecondsPerQuarter, division, std::move(tempos), true);
  }
  const int frames = -static_cast<std::int8_t>(division >> 8);
  const std::uint32_t ticksPerFrame = division & 0xFF;
  if (ticksPerFrame == 0) return std::nullopt;
  switch (frames) {
    case 24:
    case 25:
    case 30:
      return TimeMap(1'000'000, static_cast<std::uint32_t>(frames) * ticksPerFrame,
                     std::move(tempos), false);
    case 29:  // 30 frames a second, slowed by 1000/1001
      return TimeMap(1'001'000, 30 * ticksPerFrame, std::move(tempos), false);
    default:
      return std::nullopt;
  }
}

// The file inside a RIFF MIDI wrapper (its "data" chunk); any other bytes as they are. A wrapper
// without that chunk gives nothing, which the reader refuses.
std::string_view unwrapped(std::string_view bytes) {
  Bytes in(bytes);
  std::uint32_t size = 0;
  if (!in.tag("RIFF") || !in.littleEndian32(size) || !in.tag("RMID")) return bytes;
  while (in.left() > 0) {
    const bool isData = in.tag("data");
    Bytes chunk(std::string_view{});
    if ((!isData && !in.skip(4)) || !in.littleEndian32(size) || !in.take(size, chunk)) break;
    if (isData) return chunk.rest();
    in.skip(size & 1);  // chunks are padded to an even length
  }
  return {};
}

}  // namespace

bool isMidiFile(std::string_view bytes) {
  return bytes.starts_with("MThd") ||
         (bytes.starts_with("RIFF") && bytes.size() >= 12 && bytes.substr(8, 4) == "RMID");
}

std::optional<MidiSong> readStandardMidiFile(std::string_view bytes) {
  Bytes in(unwrapped(bytes));
  std::uint32_t headerSize = 0, format = 0, trackCount = 0, division = 0;
  if (!in.tag("MThd") || !in.bigEndian(4, headerSize) || headerSize < headerBytes ||
      !in.bigEndian(2, format) || !in.bigEndian(2, trackCount) || !in.bigEndian(2, division) ||
      !in.skip(headerSize - headerBytes))
    return std::nullopt;
  // Format 2 holds independent sequences, not one piece to play.
  if (format > 1 || trackCount == 0) return std::nullopt;

  std::vector<TickEvent> messages, tempos;
  std::int64_t endTick = 0;
  std::size_t events = 0;
  for (std::uint32_t read = 0; read < trackCount;) {
    const bool isTrack = in.tag("MTrk");
    std::uint32_t size = 0;
    Bytes chunk(std::string_view{});
    if ((!isTrack && !in.skip(4)) || !in.bigEndian(4, size) || !in.take(size, chunk))
      return std::nullopt;
    if (!isTrack) continue;  // a chunk of an unknown kind is passed over
    Track track;
    if (!readTrack(chunk, track, events)) return std::nullopt;
    messages.insert(messages.end(), track.messages.begin(), track.messages.end());
    tempos.insert(tempos.end(), track.tempos.begin(), track.tempos.end());
    endTick = std::max(endTick, track.end);
    ++read;
  }
  std::optional<TimeMap> time = timeMapOf(static_cast<std::uint16_t>(division), std::move(tempos));
  if (!time) return std::nullopt;
  // A stable sort keeps the earlier track first among messages at the same tick.
  std::stable_sort(messages.begin(), messages.end(),
                   [](const TickEvent& a, const TickEvent& b) { return a.tick < b.tick; });
  MidiSong song;
  song.messages.reserve(messages.size());
  for (const TickEvent& m : messages)
    song.messages.push_back({time->milliseconds(m.tick), m.value});
  song.length = time->milliseconds(endTick);
  return song;
}

}  // namespace tw::platform
