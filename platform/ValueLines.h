#pragma once
// The values of the program's text files made of number lines and comma lines, read one line at a
// time through a bounded TextLineReader:
//
//    24 \r\n          a number line: one number, blanks around it
//    0,7,26.4\r\n     a comma line: numbers cut at "," by the file's own splitter
//
// Every value is a number as IsNumberText takes it; a line that holds anything else, or another
// count of fields, is refused by the reader's caller with the reason of the value it missed.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/TextLines.h"

namespace platform {

class ValueLineReader {
public:
    // Cuts a line into its fields, each trimmed of blanks; nullopt when the line holds more than
    // `most` fields (a splitter may stop at the first field too many). Each file format keeps the
    // splitter its files were written for.
    using Splitter = std::optional<std::vector<std::string>> (*)(std::string_view line, std::size_t most);
    // Whether blank lines before a value are passed over or refuse the value.
    enum class BlankLines { Skipped, Refused };

    ValueLineReader(TextLineReader& lines, Splitter split, BlankLines blankLines)
        : lines_(lines), split_(split), blankLines_(blankLines)
    {
    }

    // The next line's fields as numbers, at least `least` and at most `most` of them; false when
    // there is no line, the count is off or a field is no number.
    bool fields(std::vector<double>& values, std::size_t least, std::size_t most);
    // The next line as one number.
    bool number(double& value);
    // The next line as one whole number in low..high.
    bool integer(int& value, int low, int high);
    // True when only blank lines follow, to the end of the file.
    bool onlyBlankLinesLeft();

    // Refuses the file: sets `*reason` (when given) to `text`, or to the line reader's own reason
    // when it stopped early (a line too long, a read error, the byte limit), since the value the
    // caller missed lay there. Gives nullopt.
    std::nullopt_t refuse(std::string* reason, std::string text) const;

private:
    std::optional<std::string_view> nextLine();

    TextLineReader& lines_;
    Splitter split_;
    BlankLines blankLines_;
};

}  // namespace platform
