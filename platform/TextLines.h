#pragma once
// Text files read one line at a time with a bound on every line, so that a wrong file (a picture,
// an archive, a log picked by mistake) is refused after its first lines instead of being copied
// whole into memory first.
//
// A line ends with LF; a CR before the LF is dropped (CR LF and LF files read alike). Lengths are
// counted without the line end.

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

namespace platform {

// Gathers one line from bytes that arrive in pieces of any size, holding at most the longest
// allowed line, its CR and one byte more (enough to know that a line is too long).
class LineGatherer {
public:
    explicit LineGatherer(std::size_t maxLength) : maxLength_(maxLength) {}

    // Takes bytes from the front of `bytes` up to and including the first LF and returns how many
    // it took. Takes nothing once the line is complete or too long.
    std::size_t take(std::string_view bytes);
    // The bytes ended without an LF: the line so far is the last one (too long when it is
    // longer than the longest allowed).
    void end();
    // An LF ended the line.
    bool complete() const { return complete_; }
    // The line is longer than the longest allowed: the rest of it is not gathered.
    bool tooLong() const { return tooLong_; }
    // The line so far, without its LF and a CR before it.
    std::string_view line() const;
    // Bytes of the line gathered so far, a CR among them.
    std::size_t gathered() const { return line_.size(); }
    // Starts the next line.
    void clear();

private:
    std::size_t maxLength_;
    std::string line_;
    bool complete_ = false;
    bool tooLong_ = false;
};

// The file a TextLineReader reads.
struct FileName {
    std::string path;
};

// Gives the lines of a file, read in chunks holding one chunk and one line, or of a text in
// memory, one at a time. `next` gives the next line (valid until the next call), or nullopt at
// the end, at a line longer than `maxLength` (tooLong), at a read error (failed) or beyond the
// byte limit (tooLarge).
class TextLineReader {
public:
    // No byte limit.
    static constexpr std::uintmax_t kNoByteLimit = UINTMAX_MAX;

    // A file is read in chunks of `chunkSize` bytes; a reader of small files takes small chunks
    // so that a wrong file costs no more than one. A file larger than `maxBytes` is refused by
    // its size without being read; one whose size is not known beforehand (a pipe, a device) or
    // that grows while it is read is refused once more than `maxBytes` have been read.
    TextLineReader(FileName file, std::size_t maxLength, std::size_t chunkSize = 64 * 1024,
                   std::uintmax_t maxBytes = kNoByteLimit);
    TextLineReader(std::string_view text, std::size_t maxLength);

    // False when the file could not be opened (a text is always open).
    bool isOpen() const { return !fromFile_ || file_.is_open(); }
    // Size in bytes of the file when it was opened, or of the text.
    std::uintmax_t size() const { return size_; }
    std::optional<std::string_view> next();
    bool tooLong() const { return gatherer_.tooLong(); }
    // After `next` stopped at a line too long: reads on to the end of that line without keeping
    // it, while the whole line (its bytes before the LF) is at most `maxLength` bytes. Gives the
    // line's length, and `next` goes on with the line after it; gives nullopt, and the reader
    // stays stopped at that line, when the line runs on beyond `maxLength`, at a read error or
    // beyond the byte limit. A reader that passes over no line stops at the first one too long.
    std::optional<std::uintmax_t> passOverLongLine(std::uintmax_t maxLength);
    // False when the line `next` gave last is a last line without its line end (a file whose
    // writer stopped in the middle of a line).
    bool lineEnded() const { return gatherer_.complete(); }
    bool failed() const { return failed_; }
    // The file is larger than the byte limit (by its size, or by what was read).
    bool tooLarge() const { return tooLarge_; }
    // Bytes read from the file (or taken from the text) so far.
    std::uintmax_t bytesRead() const { return bytesRead_; }
    // 1-based number of the line `next` gave or refused last.
    std::size_t lineNumber() const { return lineNumber_; }
    // Why the reader stopped before the end, as a reader's message says it: the file too large,
    // a line too long (named by its number) or a read error; empty when none of these.
    std::string stopReason() const;

private:
    // The next bytes into pending_; false at the end or on a read error.
    bool fill();

    bool fromFile_ = false;
    std::ifstream file_;
    std::string_view text_;
    std::uintmax_t size_ = 0;
    std::uintmax_t maxBytes_ = kNoByteLimit;
    std::size_t maxLength_ = 0;
    std::vector<char> chunk_;
    std::string_view pending_;  // bytes read and not yet taken
    LineGatherer gatherer_;
    std::uintmax_t bytesRead_ = 0;
    std::size_t lineNumber_ = 0;
    bool atEnd_ = false;  // everything was read
    bool done_ = false;   // nothing more to give
    bool failed_ = false;
    bool tooLarge_ = false;
};

// The limits a line-based file is read with.
struct LineFileLimits {
    std::size_t maxLineLength = 0;
    // Bytes read at a time: a reader of small files takes small chunks, so that a wrong file
    // costs no more than one.
    std::size_t chunkSize = 64 * 1024;
    // A larger file is refused (TextLineReader).
    std::uintmax_t maxBytes = TextLineReader::kNoByteLimit;
};

// How reading a line-based file ended.
enum class LineFileEnd {
    Read,        // the parse took the file
    Refused,     // the parse refused it, for the reason it gave
    CannotOpen,  // the file could not be opened
    TooLarge,    // the file is larger than the byte limit
    ReadError,   // a read failed before the end
};

template <class Data>
struct LineFileRead {
    std::optional<Data> data;  // only when `end` is Read
    LineFileEnd end = LineFileEnd::Read;
    // Why it was not read: the parse's reason (Refused) or the line reader's (TooLarge,
    // ReadError); empty otherwise.
    std::string reason;
    std::uintmax_t bytesRead = 0;
};

// Reads the file at `path` within `limits` through `parse`, which takes the lines from the
// TextLineReader it is given and returns a std::optional, setting the std::string it is given to
// the reason when it refuses. A file too large or a read error ends the reading whatever the
// parse made of the lines before; a line too long ends the lines the parse is given, and the
// parse names it in its refusal.
template <class Parse>
auto ReadLineFile(const std::string& path, const LineFileLimits& limits, Parse&& parse)
    -> LineFileRead<typename std::invoke_result_t<Parse&, TextLineReader&, std::string*>::value_type>
{
    LineFileRead<typename std::invoke_result_t<Parse&, TextLineReader&, std::string*>::value_type> read;
    TextLineReader lines(FileName{path}, limits.maxLineLength, limits.chunkSize, limits.maxBytes);
    if (!lines.isOpen()) {
        read.end = LineFileEnd::CannotOpen;
        return read;
    }
    std::string reason;
    auto data = parse(lines, &reason);
    read.bytesRead = lines.bytesRead();
    if (lines.tooLarge() || lines.failed()) {
        read.end = lines.tooLarge() ? LineFileEnd::TooLarge : LineFileEnd::ReadError;
        read.reason = lines.stopReason();
    } else if (!data) {
        read.end = LineFileEnd::Refused;
        read.reason = std::move(reason);
    } else {
        read.data = std::move(data);
    }
    return read;
}

}  // namespace platform
