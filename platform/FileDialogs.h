#pragma once
// Open and save dialogs of the file commands. Cancel gives an empty path, and the command then
// ends quietly. Tests answer the dialogs through SetFileDialogAnswerer instead of showing them.

#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

namespace platform {

enum class FileDialogKind { Open, Save };

struct FileDialogOptions {
    // Filter entries in Qt's form, e.g. "プロジェクト ファイル (*.dat)"; the first is selected
    // unless selectedFilter names another (0-based).
    QStringList filters;
    int selectedFilter = 0;
    // Name proposed in the name box; a name holding '*' (such as "*.dat") proposes none.
    QString fileName;
    // Folder the dialog starts in; empty: the current folder.
    QString folder;
    // Suffix added to a typed name that has none ("bmp"); empty adds none.
    QString defaultSuffix;
};

// Shows the dialog modally and returns the chosen path, empty on cancel. The save dialog asks
// no overwrite question of its own: the commands ask theirs.
QString AskFileName(QWidget* parent, FileDialogKind kind, const FileDialogOptions& options);

// Tests replace the dialog with an answerer that sees the request and returns the path (empty
// for cancel); an empty function restores the real dialog.
using FileDialogAnswerer = std::function<QString(FileDialogKind kind, const FileDialogOptions& options)>;
void SetFileDialogAnswerer(FileDialogAnswerer answerer);

}  // namespace platform
