#include "FileDialogs.h"

#include <QFileDialog>
#include <QFileIconProvider>
#include <QFileInfo>

namespace {

// Icons and type names from what the directory entry says (folder or file, and the name's
// suffix), never from the file's contents.
class NameOnlyIconProvider final : public QFileIconProvider
{
public:
    using QFileIconProvider::icon;

    QIcon icon(const QFileInfo& info) const override
    {
        return icon(info.isDir() ? QAbstractFileIconProvider::Folder : QAbstractFileIconProvider::File);
    }

    QString type(const QFileInfo& info) const override
    {
        if (info.isDir())
            return QStringLiteral("文件夹");
        const QString suffix = info.suffix();
        return suffix.isEmpty() ? QStringLiteral("文件") : suffix.toUpper() + QStringLiteral(" 文件");
    }
};

NameOnlyIconProvider& iconProvider()
{
    static NameOnlyIconProvider provider;
    return provider;
}

// Qt's own chooser, its icons from names only, set before it is shown: the folder's files are
// listed in the background, but their icons and types are looked up when the event loop hands
// the listing over, by then through this provider.
void prepare(QFileDialog& dialog)
{
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setIconProvider(&iconProvider());
    dialog.setOption(QFileDialog::ReadOnly);
    dialog.setOption(QFileDialog::DontUseCustomDirectoryIcons);
}

QString run(QFileDialog& dialog)
{
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

} // namespace

namespace FileDialogs {

QString openFile(QWidget* parent, const QString& caption, const QString& folder)
{
    QFileDialog dialog(parent, caption);
    prepare(dialog);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setDirectory(folder);
    return run(dialog);
}

QString saveFile(QWidget* parent, const QString& caption, const QString& path, const QString& filter)
{
    QFileDialog dialog(parent, caption);
    prepare(dialog);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setNameFilter(filter);
    // A bare name is proposed in the current folder.
    const QFileInfo proposed(path);
    dialog.setDirectory(proposed.absolutePath());
    dialog.selectFile(proposed.fileName());
    return run(dialog);
}

QString folder(QWidget* parent, const QString& caption, const QString& folder)
{
    QFileDialog dialog(parent, caption);
    prepare(dialog);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    dialog.setDirectory(folder);
    return run(dialog);
}

} // namespace FileDialogs
