// The platform boundary: one small interface per operating-system service, and the code page 932
// codec used where text crosses to the system. Nothing here may include a platform header.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tw::platform {

// ---- Code page 932 text -------------------------------------------------------------------------

// True for the first byte of a double-byte character (0x81-0x9F, 0xE0-0xFC).
inline bool isLeadByte(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

// Converts code page 932 bytes to UTF-8. A byte sequence without a character is written as U+FFFD
// and clears *lossless when given.
std::string cp932ToUtf8(std::string_view text, bool* lossless = nullptr);

// Converts UTF-8 to code page 932. On a character without a code page 932 form (or malformed
// UTF-8) it returns nothing and sets *badOffset to that character's byte offset in the input.
std::optional<std::string> utf8ToCp932(std::string_view text, std::size_t* badOffset = nullptr);

bool isValidUtf8(std::string_view text);

// The code page 932 bytes of typed UTF-8 text, character by character: a character without a code
// page 932 form, and a malformed byte, are left out.
std::string typedCp932(std::string_view utf8);

// The same conversions for UTF-16, the form in which text crosses to Windows. A code page 932
// byte sequence without a character becomes U+FFFD and clears *lossless when given; UTF-16
// without a code page 932 form (a lone surrogate included) gives nothing.
std::u16string cp932ToUtf16(std::string_view text, bool* lossless = nullptr);
std::optional<std::string> utf16ToCp932(std::u16string_view text);
// Between UTF-8 and UTF-16 (the paths and words of a command line); malformed input becomes
// U+FFFD.
std::u16string utf8ToUtf16(std::string_view text);
std::string utf16ToUtf8(std::u16string_view text);

// ---- Window, messages, caret, IME, message boxes ------------------------------------------------

enum class Msg : std::uint8_t {
  Create, Destroy, Size, SetFocus, KillFocus, Paint, Close, KeyDown, Char, MciNotify,
};
struct Message {
  Msg msg;
  std::uint32_t param = 0;  // the key code of KeyDown and Char
};
// The window procedure: screen logic shared by every backend, run on the UI thread.
using WindowProcedure = std::function<void(const Message&)>;

enum class BoxIcon : std::uint8_t { Error, Information };
struct Extent {
  int width = 0;
  int height = 0;
};

// What a program waits for when it reads the keyboard.
enum class KeyRequest : std::uint8_t {
  Line,  // INPUT: the keys of one line, up to and including Enter
  Key,   // INPUT$: one key, waiting for it
  Peek,  // INKEY$: one key if one has been typed
};

// Keys of the arrow block, as the window reports them with Msg::KeyDown.
enum VirtualKey : std::uint32_t { KeyLeft = 0x25, KeyUp = 0x26, KeyRight = 0x27, KeyDown = 0x28 };

class Window {
 public:
  virtual ~Window() = default;
  // Runs the event loop on the calling thread (the UI thread) until postQuit; returns its code.
  virtual int run() = 0;
  // Runs the window procedure for the message on the UI thread and waits for it to finish.
  virtual void send(const Message& message) = 0;
  // Ends the event loop; called by the window procedure while it handles Msg::Destroy.
  virtual void postQuit(int code) = 0;
  // A modal box owned by the window; title and text are code page 932.
  virtual void messageBox(std::string_view title, std::string_view text, BoxIcon icon) = 0;
  virtual Extent clientSize() const = 0;
  virtual bool isForeground() const = 0;
  // Repaints the whole client area later (erasing it first).
  virtual void invalidate() = 0;
  virtual void showCaret(int x, int y, int width, int height) = 0;
  virtual void hideCaret() = 0;
  virtual void setImePosition(int x, int y) = 0;
  // Text the program wrote to the screen (code page 932); the headless console echoes it.
  virtual void echo(std::string_view text) = 0;
  // The program is about to wait for keys. A real window delivers keys as they are typed and
  // does nothing here; the headless window types the keys it reads from its console now, as
  // Msg::Char messages through the window procedure (Enter as 13), so that a run reads exactly
  // the keys it asks for. When the console has ended, Line and Key send Msg::Close instead.
  virtual void keysWanted(KeyRequest request) = 0;
};

// ---- Drawing surfaces, pictures and the screen font ------------------------------------------

using Colour = std::uint32_t;  // 0x00BBGGRR
struct Rect {
  int left = 0, top = 0, right = 0, bottom = 0;
};

// How a picture's pixels combine with those beneath: copy, OR, XOR.
enum class RasterOp : std::uint8_t { Copy, Or, Xor };

// A picture held by the program (made by GET, loaded by PICTURE).
class Picture {
 public:
  virtual ~Picture() = default;
  virtual Extent size() const = 0;
};

// One surface the statements draw on: the graphics bitmap, or the window that shows it. Drawing
// follows GDI's rules: a line leaves out its end pixel; rectangles and ellipses exclude their right
// and bottom edges; arcs and pies run counter-clockwise from the ray through (x3,y3) to the ray
// through (x4,y4), and with the two points equal they are whole. Everything is clipped to the
// surface.
class Canvas {
 public:
  virtual ~Canvas() = default;
  virtual Extent size() const = 0;
  // The colour of a pixel; nothing outside the surface.
  virtual std::optional<Colour> pixel(int x, int y) const = 0;
  virtual void setPixel(int x, int y, Colour c) = 0;
  virtual void line(int x1, int y1, int x2, int y2, Colour pen) = 0;
  virtual void fillRect(const Rect& r, Colour c) = 0;
  // Outlined in pen, filled with fill when given.
  virtual void rectangle(const Rect& r, Colour pen, std::optional<Colour> fill) = 0;
  virtual void ellipse(const Rect& r, Colour pen, std::optional<Colour> fill) = 0;
  virtual void arc(const Rect& r, int x3, int y3, int x4, int y4, Colour pen) = 0;
  virtual void pie(const Rect& r, int x3, int y3, int x4, int y4, Colour pen, Colour fill) = 0;
  // One cell of text in the screen font at (x, y), its top-left corner: a byte, or a double-byte
  // character. Without a background the pixels between the strokes are left as they are.
  virtual void drawText(int x, int y, std::string_view cell, Colour foreground,
                        std::optional<Colour> background) = 0;
  // Copies the rectangle r of another surface to the same place here (the bitmap to the window).
  virtual void copyFrom(const Canvas& source, const Rect& r) = 0;
  // Moves the whole surface so that the pixel at (dx, dy) goes to (0, 0); pixels whose source lies
  // outside stay as they were.
  virtual void scroll(int dx, int dy) = 0;
  // The pixels of r as a new picture (r's right column and bottom row excluded).
  virtual std::unique_ptr<Picture> capture(const Rect& r) const = 0;
  // Draws a picture with its top-left corner at (x, y).
  virtual void putPicture(const Picture& picture, int x, int y, RasterOp op) = 0;
  // A Windows bitmap file (code page 932 name) as a picture; nothing when it cannot be loaded.
  virtual std::unique_ptr<Picture> loadPicture(std::string_view fileName) = 0;
};

// The screen font's metrics.
class ScreenFont {
 public:
  virtual ~ScreenFont() = default;
  // The extent of a text in the font (the layout measures one byte at a time).
  virtual Extent measure(std::string_view text) const = 0;
  // The height of a line: the font's height and external leading.
  virtual int lineHeight() const = 0;
};

// ---- Files and folders --------------------------------------------------------------------------

using FileHandle = std::intptr_t;
inline constexpr FileHandle invalidFile = -1;
enum class FileAccess : std::uint8_t { Read, Write, ReadWrite };
enum class FileCreate : std::uint8_t { OpenExisting, CreateAlways, OpenAlways };
enum class SeekFrom : std::uint8_t { Begin, Current, End };
struct DirEntry {
  std::string name;  // code page 932
  bool directory = false;
};

// File names are code page 932; '\' separates folders on every system.
class Files {
 public:
  virtual ~Files() = default;
  virtual FileHandle open(std::string_view name, FileAccess access, FileCreate create) = 0;
  virtual long long read(FileHandle f, void* buffer, std::size_t count) = 0;  // -1 on failure
  virtual long long write(FileHandle f, const void* data, std::size_t count) = 0;
  virtual long long seek(FileHandle f, long long offset, SeekFrom from) = 0;  // new position or -1
  virtual long long size(FileHandle f) = 0;
  virtual bool close(FileHandle f) = 0;
  virtual bool remove(std::string_view name) = 0;
  virtual bool makeDirectory(std::string_view name) = 0;
  // The entries matching a pattern with '*' and '?' in its last part; false if none can be read.
  virtual bool list(std::string_view pattern, std::vector<DirEntry>& entries) = 0;
};

// ---- Sound, serial port, settings, clock --------------------------------------------------------

// The MIDI output device. shortMessage may be called from several threads at once.
class Midi {
 public:
  virtual ~Midi() = default;
  virtual int deviceCount() = 0;
  // Opens the last device; false: errorText() says why.
  virtual bool open() = 0;
  // A short message packed as the system takes it: status in the low byte, then the data bytes.
  // False: errorText() says why.
  virtual bool shortMessage(std::uint32_t message) = 0;
  // The system's text for the last failure, code page 932.
  virtual std::string errorText() = 0;
  virtual void close() = 0;
};

class Mci {
 public:
  virtual ~Mci() = default;
  // Carries out a command string (code page 932): 0 on success, otherwise an error code. With
  // notify, the window receives Msg::MciNotify when the command completes, if the command itself
  // asks for a notice. Relative file names are taken in folder where the implementation resolves
  // names itself. A command that waits returns early once stop is set.
  virtual std::uint32_t sendString(std::string_view command, bool notify, std::string_view folder,
                                   const std::atomic<bool>& stop) = 0;
  // The text of an error code, code page 932.
  virtual std::string errorString(std::uint32_t code) = 0;
  virtual void beep() = 0;
};

// The MCI commands of the subset that the Linux implementation carries out. Words are separated
// by blanks or tabs and matched in any letter case; a word in double quotes may hold blanks.
enum class MciVerb : std::uint8_t { Open, Play, Stop, Pause, Resume, Seek, StatusQuery, Close };
enum class MciStatusItem : std::uint8_t { Unset, Mode, Length, Position };
enum class MciSeekTarget : std::uint8_t { Unset, Start, End, Position };
struct MciCommand {
  MciVerb verb = MciVerb::Open;
  std::string device;  // open: the file name; otherwise the alias, or "all" for close
  std::string type;    // open: the type word, lower case; empty when not given
  std::string alias;   // open: the alias; empty when not given
  std::optional<std::int64_t> from, to;  // play, in milliseconds
  MciSeekTarget seek = MciSeekTarget::Unset;
  std::int64_t seekPosition = 0;  // in milliseconds
  MciStatusItem item = MciStatusItem::Unset;
  bool notify = false;
  bool wait = false;
};
// The error codes of the subset; errorString gives their texts.
enum MciError : std::uint32_t {
  MciOk = 0,
  MciUnknownCommand,
  MciMissingParameter,
  MciBadParameter,
  MciFileUnreadable,
  MciUnknownDevice,
  MciAliasInUse,
  MciNoAudio,
  MciUnsupportedFile,
  MciOutOfRange,
  MciUnsupportedOperation,
  MciTooManyDevices,
};
// Positions and times of a command are at most this many milliseconds (about 11 days); a larger
// number is a bad parameter. Observable through the error of such a command.
inline constexpr std::int64_t mciTimeLimit = 999'999'999;
// Reads a command; nothing, with the error code, when it is not one of the subset.
std::optional<MciCommand> parseMciCommand(std::string_view command, MciError& error);
// The Japanese text of an error code of the subset, code page 932.
std::string_view mciErrorText(std::uint32_t code);

struct SerialSettings {
  int port = 1;  // the n of COMn
  int baudRate = 9600;
  int dataBits = 8;
  int parity = 0;    // 0 none, 1 odd, 2 even
  int stopBits = 0;  // 0 one, 1 one and a half, 2 two
  bool xonXoff = true;
  bool rtsCts = false;
};

// The longest a read or a write of a serial port waits before it returns, so that its caller can
// look whether the program is being stopped. Not observable: the caller waits again.
inline constexpr int serialWaitMilliseconds = 50;

// Serial ports, each used by one opener at a time. Reads and writes wait at most
// serialWaitMilliseconds.
class Serial {
 public:
  virtual ~Serial() = default;
  // Port COMn of the settings with their line settings; invalidFile when it does not exist, is in
  // use or cannot be opened with that access.
  virtual FileHandle open(const SerialSettings& settings, FileAccess access) = 0;
  // The bytes read, at least one; 0 when none arrived within the wait; -1 when the line has ended
  // (the connection closed, the device gone) or cannot be read.
  virtual long long read(FileHandle port, void* buffer, std::size_t count) = 0;
  // The bytes written within the wait, 0 while flow control holds the line; -1 on failure.
  virtual long long write(FileHandle port, const void* data, std::size_t count) = 0;
  // The bytes received and not yet read; -1 on failure.
  virtual long long waiting(FileHandle port) = 0;
  virtual void close(FileHandle port) = 0;
};

// The stored settings: the RS232C text, and where ports are mapped (the Linux settings file) the
// other NAME=VALUE lines.
class Settings {
 public:
  virtual ~Settings() = default;
  virtual std::optional<std::string> read() = 0;
  virtual bool write(std::string_view value) = 0;
  // The value of another NAME= line; a store that keeps only the RS232C text has none.
  virtual std::optional<std::string> value(std::string_view) { return std::nullopt; }
};

struct LocalTime {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

class Clock {
 public:
  virtual ~Clock() = default;
  virtual LocalTime now() = 0;
  // Whole seconds since the start of 1970, UTC.
  virtual std::int64_t epochSeconds() = 0;
  virtual void sleep(int milliseconds) = 0;
  // Milliseconds from an arbitrary start, never going back (timing, not the time of day).
  virtual std::int64_t steadyMilliseconds() = 0;
  virtual bool keyPressed(int virtualKey) = 0;
};

// ---- The services of one run --------------------------------------------------------------------

struct Services {
  Window* window = nullptr;
  Canvas* bitmap = nullptr;      // the graphics layer
  Canvas* clientArea = nullptr;  // what the window shows
  ScreenFont* font = nullptr;
  Files* files = nullptr;
  Midi* midi = nullptr;
  Mci* mci = nullptr;
  Serial* serial = nullptr;
  Settings* settings = nullptr;
  Clock* clock = nullptr;
};

// ---- Implementations of this system -------------------------------------------------------------

// A message box as one line: "[TITLE] " and the text, newlines as blanks, in UTF-8 and ended by a
// newline. Headless runs write it to stderr; --box-log appends it to a file.
std::string boxLine(std::string_view title, std::string_view text);

struct HeadlessOptions {
  Extent client{640, 400};
  std::string boxLog;  // boxes are appended here instead of going to stderr
};

// The headless window: an event loop with no window, message boxes as one line on stderr, screen
// text echoed to stdout in UTF-8.
std::unique_ptr<Window> makeHeadlessWindow(WindowProcedure procedure, HeadlessOptions options);

struct DesktopOptions {
  int scale = 0;       // screen pixels a client pixel takes across and down; 0 picks 2 or 1
  std::string title;   // UTF-8
  std::string boxLog;  // boxes are appended here instead of being shown
};
// A window on the desktop and what comes with it.
struct Desktop {
  std::unique_ptr<Window> window;
  std::unique_ptr<Clock> clock;  // the system's clock; the key state is the window's keyboard
  Extent display;                // the size of the desktop's display
};
// The desktop window (Linux): a window on the display that DISPLAY or WAYLAND_DISPLAY names,
// showing clientArea (a raster surface of the first client size, resized with the window) scaled
// without smoothing, taking keys as they are typed. It is shown when run() starts. Nothing, with
// the reason in error, when no window can be made on that display.
std::optional<Desktop> openDesktopWindow(WindowProcedure procedure, Canvas& clientArea,
                                         DesktopOptions options, std::string& error);
// The built-in font: 8 by 16 pixels a byte, a double-byte character twice as wide.
std::unique_ptr<ScreenFont> makeBuiltinFont();
// A surface of the given size drawn by the portable rasteriser with the built-in font, black at
// first.
std::unique_ptr<Canvas> makeRasterCanvas(Extent size);
// A surface of that size that nobody looks at (the client area of a headless run that writes no
// screenshot): drawing on it does nothing and it reads black.
std::unique_ptr<Canvas> makeUnseenCanvas(Extent size);
// Writes a raster surface's pixels as a PNG file; false when it cannot be written.
bool writePng(const Canvas& canvas, const std::string& path);
// What a window that shows a raster surface needs of it. The watcher is called after every change
// of the pixels, on the thread that drew them, until another (or an empty one) replaces it; the
// replacing call waits for a watcher still running.
using CanvasWatcher = std::function<void()>;
void watchRasterCanvas(Canvas& canvas, CanvasWatcher watcher);
// A new size: the pixels that still fit keep their place, the rest is black.
void resizeRasterCanvas(Canvas& canvas, Extent size);
// Calls reader with the pixels, in rows from the top, while nobody draws.
void readRasterCanvas(const Canvas& canvas,
                      const std::function<void(const Colour* pixels, Extent size)>& reader);
std::unique_ptr<Files> makeFiles();
std::unique_ptr<Clock> makeClock();
// MCI over the sound mixer (Linux): the subset of parseMciCommand; notices are sent to the
// window from a thread of its own. The mixer is loaded at the first sampled sound or beep; MIDI
// files play through a synthesiser of their own with the sound font given (empty: the default).
std::unique_ptr<Mci> makeMixerMci(Window& window, std::string soundFont);
// The system's serial ports. On Linux the settings' COMn= lines map a port to a device or to
// tcp:HOST:PORT (COMn is /dev/ttyS(n-1) without one); on Windows COMn is the system's port.
std::unique_ptr<Serial> makeSerial(Settings* settings);
// Settings kept in a file; an empty path means the default place for this user.
std::unique_ptr<Settings> makeSettings(std::string path);

// The settings file holds NAME=VALUE lines; the RS232C value is the line of this name.
inline constexpr std::string_view serialSettingName = "RS232C";
// The value of the first NAME= line of a settings file's text; nothing when there is none.
std::optional<std::string> settingsValue(std::string_view fileText, std::string_view name);
// The text with the first NAME= line set to the value (added as the last line when there is
// none); every other line is kept as it stands.
std::string withSettingsValue(std::string_view fileText, std::string_view name,
                              std::string_view value);

// ---- MIDI: the recorder of --midi, MIDI files, and the synthesiser of Linux ---------------------

struct TimedMidiMessage {
  // Recorded: the clock's steady reading when it was sent. Read from a file: its time from the
  // file's start.
  std::int64_t milliseconds = 0;
  std::uint32_t message = 0;  // packed as Midi::shortMessage takes it
  friend bool operator==(const TimedMidiMessage&, const TimedMidiMessage&) = default;
};
// The bytes of a Standard MIDI File holding the messages: format 0, division 1000, tempo
// 1,000,000 microseconds a quarter note, so that one tick is one millisecond from the first.
std::string standardMidiFile(const std::vector<TimedMidiMessage>& messages);

// The channel messages of a Standard MIDI File (formats 0 and 1), every track merged in time
// order (at one time, the earlier track first), and the file's length: the time of its last event
// of any kind, the end of a track included.
struct MidiSong {
  std::vector<TimedMidiMessage> messages;
  std::int64_t length = 0;  // milliseconds
};
// A file holds at most this many channel messages and tempo changes together; a larger one is
// refused. Observable through the error of opening such a file.
inline constexpr std::size_t midiSongEventLimit = 1'000'000;
// No event may lie more than this many ticks after its track's start; a later one refuses the
// file (it keeps every time computation within 64 bits). Observable the same way.
inline constexpr std::int64_t midiSongTickLimit = std::int64_t{1} << 36;
// Nothing when the bytes are not such a file: truncated, malformed, format 2, beyond a limit. The
// file may come in a RIFF MIDI wrapper.
std::optional<MidiSong> readStandardMidiFile(std::string_view bytes);
// Whether the bytes begin as a MIDI file, bare or wrapped.
bool isMidiFile(std::string_view bytes);

// Plays a song's messages on a device at their times, on a thread of its own. Without a device it
// keeps the same pace in silence. Called from one thread at a time.
class MidiSongPlayer {
 public:
  virtual ~MidiSongPlayer() = default;
  virtual std::int64_t length() const = 0;
  // Plays the range from..to (milliseconds, from <= to <= length), starting now: the channels
  // are reset and given the controllers and programs set before `from`, then the messages at from
  // or later and before `to` (at `to` too when it is the end) go out at their times. Stops what
  // played before.
  virtual void play(std::int64_t from, std::int64_t to) = 0;
  // Where the last play is by the steady clock: from, and the time since it started, at most to.
  virtual std::int64_t position() const = 0;
  // Ends the play at once; when it is cut short, every note that sounds is silenced.
  virtual void stop() = 0;
  // The last play has sent its last message and reached `to`; true before the first.
  virtual bool finished() const = 0;
};
std::unique_ptr<MidiSongPlayer> makeMidiSongPlayer(MidiSong song, Midi* device);

class MidiRecorder : public Midi {
 public:
  // Every message accepted so far, in the order sent.
  virtual std::vector<TimedMidiMessage> recorded() = 0;
};
// Records every message with the clock's steady time and passes it on to the device. Without a
// device (none given, or one that counts none) it stands alone as the one device, which accepts
// everything.
std::unique_ptr<MidiRecorder> makeMidiRecorder(std::unique_ptr<Midi> device, Clock& clock);
// The MIDI device a run plays on: the system's device, behind a recorder when one is asked for.
struct MidiOutput {
  std::unique_ptr<Midi> device;
  MidiRecorder* recorder = nullptr;  // the device itself when recording
};
MidiOutput makeMidiOutput(std::unique_ptr<Midi> device, bool record, Clock& clock);

struct SynthOptions {
  std::string soundFont;  // empty: the system's default General MIDI sound font
  std::string wav;        // when given, the output is also written here
};
// Linux: a General MIDI synthesiser playing through the audio output when there is one. Its
// library is loaded by the first deviceCount(), which counts one device when the library and the
// sound font load.
std::unique_ptr<Midi> makeSynthMidi(SynthOptions options);
// Windows: the system's MIDI output (winmm).
std::unique_ptr<Midi> makeWinmmMidi();

// The path of the running executable (UTF-8), empty if unknown.
std::string executablePath();

// ---- The Windows implementations (platform/win32) -----------------------------------------------

// A font as Windows describes it (a LOGFONT), its face name in UTF-16.
struct LogFont {
  std::int32_t height = 0, width = 0, escapement = 0, orientation = 0, weight = 0;
  std::uint8_t italic = 0, underline = 0, strikeOut = 0, charSet = 0, outPrecision = 0,
               clipPrecision = 0, quality = 0, pitchAndFamily = 0;
  std::u16string faceName;  // at most logFontFaceLimit units
};
inline constexpr std::size_t logFontFaceLimit = 31;

struct Win32WindowOptions {
  std::u16string title;
  Extent client{640, 400};  // the first client size
  std::string boxLog;       // UTF-8 path; boxes are appended here instead of being shown
  LogFont font;             // also the font of the input method's composition window
};

// The application's window: open() registers the class and creates the window (its creation
// runs the procedure with Msg::Create), show() shows it; run() is the message loop.
class DesktopWindow : public Window {
 public:
  // False when the class cannot be registered or the window cannot be created.
  virtual bool open() = 0;
  virtual void show() = 0;
  // What the window shows, drawn through the window's device context.
  virtual Canvas& clientArea() = 0;
};

// The display's size in pixels.
Extent displaySize();
// The screen font made from a LOGFONT; cells are measured through their UTF-16 form.
std::unique_ptr<ScreenFont> makeGdiFont(const LogFont& font);
// A memory device context holding a bitmap of the given size, black at first, that draws text in
// the font (made by makeGdiFont). writePng writes it.
std::unique_ptr<Canvas> makeGdiBitmap(Extent size, const ScreenFont& font);
std::unique_ptr<DesktopWindow> makeDesktopWindow(WindowProcedure procedure, Win32WindowOptions options,
                                                 const ScreenFont& font);
// MCI through the system's media control interface; the window receives its notices.
std::unique_ptr<Mci> makeWinmmMci(DesktopWindow& window);
// The settings value in the registry of the current user.
std::unique_ptr<Settings> makeRegistrySettings();
// A message box without an owner, or its line appended to the box log when one is given (UTF-8).
void showLoneBox(std::string_view title, std::string_view text, BoxIcon icon,
                 const std::string& boxLog);
// The process's command line as the system holds it.
std::u16string wideCommandLine();

}  // namespace tw::platform
