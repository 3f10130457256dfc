#pragma once
// The line layer of NMEA 0183 input: lines assembled from a serial byte stream, the checksum,
// and the splitting of a sentence into its comma fields.
//
// A sentence on the wire:   $GPGGA,045851.000,3519.9046,N,13640.2631,E,1,04,2.2,80.4,M,,,,0000*39<CR><LF>
//                           '$', the address (talker and type), comma fields, '*', two hex
//                           digits: the exclusive-or of every byte between '$' and '*'.

#include <array>
#include <cstddef>
#include <functional>
#include <optional>
#include <string_view>

namespace gps {

// The longest line kept, in characters without the line end. The standard's sentences hold at
// most 80 (82 with CR LF); receivers' longer proprietary lines fit too.
inline constexpr std::size_t kMaxNmeaLineLength = 160;

// Cuts a byte stream into lines. A read may hold any part of one sentence or several: bytes are
// kept until CR or LF ends the line (CR LF, LF or CR alone; empty lines are skipped). A '$'
// inside a line starts a new line, so a sentence cut short without its line end is not glued to
// the next one. A line longer than kMaxNmeaLineLength is dropped whole (up to its line end)
// without growing the buffer. The assembler keeps no reference to the bytes fed to it.
class NmeaLineAssembler {
public:
    using LineHandler = std::function<void(std::string_view line)>;

    // Feeds `size` bytes and calls `onLine` with each completed line (without its line end); the
    // view is valid during the call only.
    void feed(const char* data, std::size_t size, const LineHandler& onLine);
    // Drops a partial line (after the port was closed, for instance).
    void reset();

    std::size_t droppedLongLines() const { return droppedLong_; }

private:
    std::array<char, kMaxNmeaLineLength> buffer_{};
    std::size_t length_ = 0;
    bool overflow_ = false;  // the current line outgrew the buffer and is being skipped
    std::size_t droppedLong_ = 0;
};

// The sentence between '$' and '*' when `line` is "$<body>*hh" with hh the right checksum (hex
// digits in either case) and nothing after it, and the body begins with an address (letters and
// digits beginning with a letter, up to the first ',' or the end). nullopt for a wrong or missing
// checksum, a body with bytes outside printable ASCII, a body without an address, or a line that
// does not begin with '$': in a damaged stream the rest of a sentence whose start was lost can
// carry a checksum that matches by chance, and only a line that starts with '$' and an address
// is a sentence.
std::optional<std::string_view> CheckNmeaChecksum(std::string_view line);

// The comma fields of a sentence body, field 0 being the address ("GPGGA"). Empty fields keep
// their places ("A,,B" gives "A", "", "B"; a trailing comma gives an empty last field). Views
// into the body, valid while it is.
inline constexpr int kMaxNmeaFields = 32;
struct NmeaFields {
    std::array<std::string_view, kMaxNmeaFields> field{};
    int count = 0;
    std::string_view operator[](int k) const { return k >= 0 && k < count ? field[static_cast<std::size_t>(k)] : std::string_view(); }
};

// Splits `body` into at most `maxFields` fields (at most kMaxNmeaFields); false as soon as the
// body turns out to hold more.
bool SplitNmeaFields(std::string_view body, NmeaFields& out, int maxFields = kMaxNmeaFields);

}  // namespace gps
