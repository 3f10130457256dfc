#pragma once
// The line splitter of the building-data file reader: cuts a text at a separator into the
// shared field array gSplitText.
//
// Rules (they are those of the stored files, keep them): fields are trimmed of blanks; a
// separator right after a separator opens the next field with the separator as its first
// character ("a,,b" gives "a" and ",b") while a blank between them makes an empty field
// ("a, ,b" gives "a", "", "b"); a separator at the very start makes an empty field 0 (",a" gives
// "" and "a"); a trailing separator adds no field ("a," gives "a"). A separator of more than one
// character never matches, so the whole text becomes field 0.

#include <array>
#include <optional>
#include <string>
#include <string_view>

inline constexpr int kSplitFields = 51;  // fields 0..50

// The fields of the last split. Every split blanks fields 0..10 first; fields 11..50 change only
// where a split reaches them, so they may still hold fields of an earlier, longer text.
extern std::array<std::string, kSplitFields> gSplitText;

// Splits `text` at `separator` into gSplitText and returns the index of the last field, one less
// when that field is empty (an empty or all-blank text gives -1; an empty separator gives -1 and
// only blanks fields 0..10). A text of more than 51 fields fills fields 0..50 and gives nullopt.
std::optional<int> SplitLineData(std::string_view text, std::string_view separator);
