#include "DataFileCommands.h"

#include "site/SiteFiles.h"

bool IsLineDataFileType(const std::string& path)
{
    const std::string suffix = FileSuffix(path);
    return suffix == "dat" || suffix == "txt";
}

std::string LineDataCaption(const std::string& path) { return "データファイル/" + FileNameOfPath(path); }

SaveDecision DecideLineDataSave(const std::string& path, bool fileExists)
{
    const std::string name = FileNameOfPath(path);
    for (const char* refused : kSaveRefusedNames) {
        if (name == refused) return SaveDecision::RefusedName;
    }
    if (!IsLineDataFileType(path)) return SaveDecision::NotADataFile;
    return fileExists ? SaveDecision::AskOverwrite : SaveDecision::Write;
}
