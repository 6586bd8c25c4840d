#include "app/dialog_choosers.h"

#include "app/font_colour_dialog.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QStringList>

namespace {

// Qt reads the patterns from the parentheses of a filter's text.
QString FilterText(const FileFilter& f) {
    const QString description = QString::fromStdString(f.description);
    return description.contains(QLatin1Char('('))
               ? description
               : QStringLiteral("%1 (%2)").arg(description, QString::fromStdString(f.pattern));
}

std::optional<FileChoice> RunFileDialog(QWidget* parent, const FileRequest& r, bool save) {
    QFileDialog dialog(parent, QString::fromStdString(r.title));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    QStringList filters;
    for (const FileFilter& f : r.filters)
        filters << FilterText(f);
    dialog.setNameFilters(filters);
    if (r.filterIndex >= 1 && r.filterIndex <= filters.size())
        dialog.selectNameFilter(filters[r.filterIndex - 1]);
    dialog.setDefaultSuffix(QString::fromStdString(r.defaultExtension));
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !r.confirmOverwrite);
    if (!r.fileName.empty()) {
        const QFileInfo info(QString::fromStdString(r.fileName));
        if (info.dir().exists())
            dialog.setDirectory(info.absolutePath());
        dialog.selectFile(info.fileName());
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    const int filter = static_cast<int>(filters.indexOf(dialog.selectedNameFilter()));
    return FileChoice{dialog.selectedFiles().constFirst().toStdString(), filter >= 0 ? filter + 1 : 1};
}

} // namespace

std::optional<FileChoice> DialogChoosers::saveFile(QWidget* parent, const FileRequest& request) {
    return RunFileDialog(parent, request, true);
}

std::optional<FileChoice> DialogChoosers::openFile(QWidget* parent, const FileRequest& request) {
    return RunFileDialog(parent, request, false);
}

std::optional<COLORREF> DialogChoosers::chooseColour(QWidget* parent, COLORREF initial) {
    const QColor c = QColorDialog::getColor(QColor(GetRValue(initial), GetGValue(initial), GetBValue(initial)), parent);
    if (!c.isValid())
        return std::nullopt;
    return RGB(c.red(), c.green(), c.blue());
}

std::optional<FontChoice> DialogChoosers::chooseFont(QWidget* parent, const LOGFONT& font, COLORREF colour) {
    FontColourDialog dialog(font, colour, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return FontChoice{dialog.chosenFont(), dialog.chosenColour()};
}

std::optional<std::string> DialogChoosers::chooseFolder(QWidget* parent, const FileRequest& request) {
    const QString folder = QFileDialog::getExistingDirectory(parent, QString::fromStdString(request.title),
                                                             QString::fromStdString(request.fileName),
                                                             QFileDialog::ShowDirsOnly);
    if (folder.isEmpty())
        return std::nullopt;
    return folder.toStdString();
}
