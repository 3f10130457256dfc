#pragma once
// What the building input's open and save commands of building-data files decide, apart from
// their dialogs. A file's type is the suffix of its file name, exactly "dat" or "txt"; any other
// is passed over without a message.
//
// Open: a chosen file of the right type is read (LoadLineDataFile); only when it was good does
// the window take its caption, clear its change count and sample state. A broken file shows the
// reader's message and changes nothing.
// Save: the names of the demonstration's sample files are refused with a message, an existing
// file is replaced only after the user agrees, and the change count and sample state are cleared
// only after a successful write: a cancelled dialog, a refused overwrite or a failed write keep
// the unsaved changes.

#include <string>

inline constexpr const char* kSaveRefusedNames[] = {"LineData5.dat", "LineData10.dat"};
inline constexpr const char* kSaveRefusedMessage = "このデータは保存できません。";
inline constexpr const char* kOverwriteQuestion = "同じファイル名があります上書きしますか？";

// True when the file name's suffix is exactly "dat" or "txt".
bool IsLineDataFileType(const std::string& path);

// The window caption after a data file was opened: "データファイル/" and the file name.
std::string LineDataCaption(const std::string& path);

enum class SaveDecision {
    Write,          // write the file
    AskOverwrite,   // the file exists: write only when the user agrees
    RefusedName,    // one of kSaveRefusedNames (compared exactly): show kSaveRefusedMessage
    NotADataFile,   // another type: end without a message
};
SaveDecision DecideLineDataSave(const std::string& path, bool fileExists);
