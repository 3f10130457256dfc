#include "TextLines.h"

#include <algorithm>

#include <filesystem>

namespace platform {

std::size_t LineGatherer::take(std::string_view bytes)
{
    if (complete_ || tooLong_) return 0;
    const std::size_t end = bytes.find('\n');
    const std::string_view piece = bytes.substr(0, end);
    // Room for the longest line, its CR and one byte that shows the line is longer.
    const std::size_t room = maxLength_ + 2 - line_.size();
    line_.append(piece.substr(0, std::min(piece.size(), room)));
    if (line_.size() > maxLength_ + 1 || (end != std::string_view::npos && line().size() > maxLength_)) {
        tooLong_ = true;
        return std::min(piece.size(), room);
    }
    if (end == std::string_view::npos) return bytes.size();
    complete_ = true;
    return end + 1;
}

void LineGatherer::end()
{
    if (!complete_ && line().size() > maxLength_) tooLong_ = true;
}

std::string_view LineGatherer::line() const
{
    std::string_view text(line_);
    if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
    return text;
}

void LineGatherer::clear()
{
    line_.clear();
    complete_ = false;
    tooLong_ = false;
}

TextLineReader::TextLineReader(FileName file, std::size_t maxLength, std::size_t chunkSize, std::uintmax_t maxBytes)
    : fromFile_(true), file_(std::filesystem::path(file.path), std::ios::binary), maxBytes_(maxBytes), maxLength_(maxLength),
      chunk_(std::max<std::size_t>(chunkSize, 1)), gatherer_(maxLength)
{
    std::error_code error;
    if (file_.is_open()) {
        // A pipe or a device has no size: only what is read of it counts.
        const auto size = std::filesystem::file_size(std::filesystem::path(file.path), error);
        size_ = error ? 0 : size;
        if (size_ > maxBytes_) {
            tooLarge_ = true;
            done_ = true;
        }
    }
}

TextLineReader::TextLineReader(std::string_view text, std::size_t maxLength)
    : text_(text), size_(text.size()), maxLength_(maxLength), gatherer_(maxLength)
{
}

std::string TextLineReader::stopReason() const
{
    if (tooLarge_) return "ファイルが大きすぎます（" + std::to_string(maxBytes_) + " バイトまで）。";
    if (tooLong()) return std::to_string(lineNumber_) + " 行目が長すぎます（1 行 " + std::to_string(maxLength_) + " 文字まで）。";
    if (failed_) return "ファイルを最後まで読み込めませんでした。";
    return {};
}

bool TextLineReader::fill()
{
    if (atEnd_) return false;
    if (!fromFile_) {
        atEnd_ = true;
        pending_ = text_;
    } else {
        file_.read(chunk_.data(), static_cast<std::streamsize>(chunk_.size()));
        if (file_.bad()) {
            failed_ = true;
            return false;
        }
        const auto got = static_cast<std::size_t>(file_.gcount());
        atEnd_ = got < chunk_.size();
        pending_ = std::string_view(chunk_.data(), got);
    }
    bytesRead_ += pending_.size();
    if (bytesRead_ > maxBytes_) {
        tooLarge_ = true;
        pending_ = {};
        return false;
    }
    return !pending_.empty();
}

std::optional<std::string_view> TextLineReader::next()
{
    if (done_ || !isOpen()) return std::nullopt;
    gatherer_.clear();
    while (!gatherer_.complete()) {
        if (pending_.empty() && !fill()) break;
        pending_.remove_prefix(gatherer_.take(pending_));
        if (gatherer_.tooLong()) {
            ++lineNumber_;
            done_ = true;
            return std::nullopt;
        }
    }
    if (failed_ || tooLarge_) {
        done_ = true;
        return std::nullopt;
    }
    if (!gatherer_.complete()) {
        // The end: a last line without its line end still counts, an empty rest does not.
        done_ = true;
        gatherer_.end();
        if (gatherer_.tooLong()) ++lineNumber_;
        if (gatherer_.tooLong() || gatherer_.line().empty()) return std::nullopt;
    }
    ++lineNumber_;
    return gatherer_.line();
}

std::optional<std::uintmax_t> TextLineReader::passOverLongLine(std::uintmax_t maxLength)
{
    if (!gatherer_.tooLong() || failed_ || tooLarge_) return std::nullopt;
    // The gatherer took the start of the line; the rest is passed over a chunk at a time.
    std::uintmax_t length = gatherer_.gathered();
    for (;;) {
        const std::size_t end = pending_.find('\n');
        const std::size_t piece = end == std::string_view::npos ? pending_.size() : end;
        if (length + piece > maxLength) return std::nullopt;
        length += piece;
        if (end != std::string_view::npos) {
            pending_.remove_prefix(end + 1);
            break;
        }
        pending_ = {};
        if (!fill()) {
            if (failed_ || tooLarge_) return std::nullopt;
            break;  // the line ran to the end of the file
        }
    }
    gatherer_.clear();
    done_ = false;
    return length;
}

}  // namespace platform
