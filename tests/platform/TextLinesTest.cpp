// Lines read one at a time with a bound on their length, from a text in pieces and from a file.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <fstream>
#include <string>
#include <vector>

#include "platform/TextLines.h"

namespace {

using platform::FileName;
using platform::LineGatherer;
using platform::TextLineReader;

// The lines of `text` fed in pieces of `piece` bytes; "<too long>" marks a refusal.
std::vector<std::string> Gather(const std::string& text, std::size_t piece, std::size_t maxLength)
{
    std::vector<std::string> lines;
    LineGatherer line(maxLength);
    for (std::size_t at = 0; at < text.size();) {
        std::string_view bytes = std::string_view(text).substr(at, piece);
        at += bytes.size();
        while (!bytes.empty()) {
            bytes.remove_prefix(line.take(bytes));
            if (line.tooLong()) {
                lines.push_back("<too long>");
                return lines;
            }
            if (!line.complete()) break;
            lines.emplace_back(line.line());
            line.clear();
        }
    }
    line.end();
    if (line.tooLong()) {
        lines.push_back("<too long>");
    } else if (!line.line().empty()) {
        lines.emplace_back(line.line());
    }
    return lines;
}

std::vector<std::string> ReadAll(TextLineReader& reader)
{
    std::vector<std::string> lines;
    while (const auto line = reader.next()) lines.emplace_back(*line);
    if (reader.tooLong()) lines.push_back("<too long>");
    return lines;
}

}  // namespace

TEST(TextLines, LinesAndTheirBoundWhateverThePieces)
{
    using Lines = std::vector<std::string>;
    const struct {
        const char* name;
        std::string text;
        Lines lines;
    } cases[] = {
        {"CR LF and LF alike", "12\r\nab\n\r\n", {"12", "ab", ""}},
        {"last line without its end", "a\nlast", {"a", "last"}},
        {"longest line, with its CR", "12345\r\nx\n", {"12345", "x"}},
        {"longest line, without an end", "12345", {"12345"}},
        {"one character more", "123456\nx\n", {"<too long>"}},
        {"one character more, without an end", "a\n123456", {"a", "<too long>"}},
        {"one character more before a CR", "123456\r\n", {"<too long>"}},
        {"a CR inside a line counts", "12\r345\n", {"<too long>"}},
        {"a long line after good ones", "a\nb\n" + std::string(100000, 'z') + "\nc\n", {"a", "b", "<too long>"}},
    };
    for (const auto& c : cases) {
        for (std::size_t piece : {std::size_t{1}, std::size_t{3}, c.text.size()}) {
            EXPECT_EQ(Gather(c.text, piece, 5), c.lines) << c.name << ", pieces of " << piece;
        }
        TextLineReader text(std::string_view(c.text), 5);
        EXPECT_EQ(ReadAll(text), c.lines) << c.name << ", whole text";
    }
}

TEST(TextLines, AFileIsReadNoFurtherThanItsFirstWrongLine)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string path = dir.filePath(QStringLiteral("big.txt")).toStdString();
    {
        std::ofstream file(path, std::ios::binary);
        file << "first\r\n" << std::string(10'000'000, 'x') << "\r\n";
    }
    TextLineReader reader(FileName{path}, 100);
    ASSERT_TRUE(reader.isOpen());
    EXPECT_EQ(reader.size(), 10'000'009u);
    EXPECT_EQ(ReadAll(reader), (std::vector<std::string>{"first", "<too long>"}));
    EXPECT_EQ(reader.lineNumber(), 2u);
    EXPECT_LE(reader.bytesRead(), 64u * 1024u) << "one chunk";

    TextLineReader missing(FileName{dir.filePath(QStringLiteral("none.txt")).toStdString()}, 100);
    EXPECT_FALSE(missing.isOpen());
    EXPECT_FALSE(missing.next());
}

// The byte limit: a file of that size is read whole, a larger one is refused by its size unread.
TEST(TextLines, AFileBeyondTheByteLimitIsRefusedUnread)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string path = dir.filePath(QStringLiteral("lines.txt")).toStdString();
    {
        std::ofstream file(path, std::ios::binary);
        file << "ab\r\ncd\n";
    }
    TextLineReader atLimit(FileName{path}, 10, 3, 7);
    EXPECT_EQ(ReadAll(atLimit), (std::vector<std::string>{"ab", "cd"}));
    EXPECT_FALSE(atLimit.tooLarge());

    TextLineReader over(FileName{path}, 10, 3, 6);
    EXPECT_EQ(ReadAll(over), std::vector<std::string>{});
    EXPECT_TRUE(over.tooLarge());
    EXPECT_EQ(over.bytesRead(), 0u);
    EXPECT_EQ(over.stopReason(), "ファイルが大きすぎます（6 バイトまで）。");
    EXPECT_EQ(atLimit.stopReason(), "") << "read to its end";
}

// Why a reader stopped, as the readers' messages say it: the line too long is named by its number.
TEST(TextLines, AStopIsNamedWithTheLineAndTheBound)
{
    TextLineReader reader(std::string_view("ab\ncdefgh\nij\n"), 4);
    EXPECT_EQ(ReadAll(reader), (std::vector<std::string>{"ab", "<too long>"}));
    EXPECT_EQ(reader.stopReason(), "2 行目が長すぎます（1 行 4 文字まで）。");
}

// A reader that passes over the lines too long goes on with the line after each, wherever the
// chunks end; a line that runs beyond the bound it is given stops it there, as a reader that
// passes over nothing stops.
TEST(TextLines, ALineTooLongIsPassedOverWithinItsBound)
{
    using Lines = std::vector<std::string>;
    const std::string zeros(20, '\0');
    const struct {
        const char* name;
        std::string text;
        std::uintmax_t bound;
        Lines lines;
        std::size_t lastLine;
    } cases[] = {
        {"within the bound", "a\n" + zeros + "\nb\n", 20, {"a", "<passed 20>", "b"}, 3},
        {"one byte beyond it", "a\n" + zeros + "\nb\n", 19, {"a", "<too long>"}, 2},
        {"one character more than a line", "123456\nb\n", 6, {"<passed 6>", "b"}, 2},
        {"its CR counts", "123456\r\nb\n", 7, {"<passed 7>", "b"}, 2},
        {"to the end of the file", "a\r\n" + zeros, 20, {"a", "<passed 20>"}, 2},
        {"two in a row", zeros + "\n" + zeros + "\nc", 20, {"<passed 20>", "<passed 20>", "c"}, 3},
    };
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string path = dir.filePath(QStringLiteral("lines.txt")).toStdString();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        {
            std::ofstream file(path, std::ios::binary | std::ios::trunc);
            file << c.text;
        }
        auto read = [&](TextLineReader& reader) {
            Lines lines;
            for (;;) {
                if (const auto line = reader.next()) {
                    lines.emplace_back(*line);
                } else if (!reader.tooLong()) {
                    break;
                } else if (const auto length = reader.passOverLongLine(c.bound)) {
                    lines.push_back("<passed " + std::to_string(*length) + ">");
                } else {
                    lines.push_back("<too long>");
                    EXPECT_FALSE(reader.next()) << "stopped at the line";
                    break;
                }
            }
            EXPECT_EQ(reader.lineNumber(), c.lastLine);
            EXPECT_EQ(reader.stopReason().empty(), c.lines.back() != "<too long>");
            return lines;
        };
        TextLineReader text(std::string_view(c.text), 5);
        EXPECT_EQ(read(text), c.lines) << "whole text";
        for (std::size_t chunk : {std::size_t{1}, std::size_t{3}, std::size_t{64 * 1024}}) {
            TextLineReader file(FileName{path}, 5, chunk);
            EXPECT_EQ(read(file), c.lines) << "chunks of " << chunk;
        }
    }
}
