#include "FileDialogs.h"

#include <QDir>
#include <QFileDialog>

namespace platform {

namespace {
FileDialogAnswerer& Answerer()
{
    static FileDialogAnswerer answerer;
    return answerer;
}
}  // namespace

void SetFileDialogAnswerer(FileDialogAnswerer answerer) { Answerer() = std::move(answerer); }

QString AskFileName(QWidget* parent, FileDialogKind kind, const FileDialogOptions& options)
{
    if (Answerer()) {
        return Answerer()(kind, options);
    }
    QFileDialog dialog(parent);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    if (kind == FileDialogKind::Open) {
        dialog.setWindowTitle(QStringLiteral("ファイルを開く"));
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    } else {
        dialog.setWindowTitle(QStringLiteral("名前を付けて保存"));
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
    }
    dialog.setDirectory(options.folder.isEmpty() ? QDir::currentPath() : options.folder);
    dialog.setNameFilters(options.filters);
    if (options.selectedFilter >= 0 && options.selectedFilter < options.filters.size()) {
        dialog.selectNameFilter(options.filters[options.selectedFilter]);
    }
    if (!options.defaultSuffix.isEmpty()) {
        dialog.setDefaultSuffix(options.defaultSuffix);
    }
    if (!options.fileName.isEmpty() && !options.fileName.contains(QLatin1Char('*'))) {
        dialog.selectFile(options.fileName);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().constFirst();
}

}  // namespace platform
