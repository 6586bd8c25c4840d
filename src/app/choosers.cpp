#include "app/choosers.h"

#include "app/font_colour_dialog.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QStringList>

namespace {

// Qt reads the patterns from the parentheses of a filter's text.
QString FilterText(const FileFilter& f) {
    return f.description.contains(QLatin1Char('(')) ? f.description
                                                     : QStringLiteral("%1 (%2)").arg(f.description, f.pattern);
}

std::optional<FileChoice> RunFileDialog(QWidget* parent, const FileRequest& r, bool save) {
    QFileDialog dialog(parent, r.title);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    QStringList filters;
    for (const FileFilter& f : r.filters)
        filters << FilterText(f);
    dialog.setNameFilters(filters);
    if (r.filterIndex >= 1 && r.filterIndex <= filters.size())
        dialog.selectNameFilter(filters[r.filterIndex - 1]);
    dialog.setDefaultSuffix(r.defaultExtension);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !r.confirmOverwrite);
    if (!r.fileName.isEmpty()) {
        const QFileInfo info(r.fileName);
        if (info.dir().exists())
            dialog.setDirectory(info.absolutePath());
        dialog.selectFile(info.fileName());
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    const int filter = static_cast<int>(filters.indexOf(dialog.selectedNameFilter()));
    return FileChoice{dialog.selectedFiles().constFirst(), filter >= 0 ? filter + 1 : 1};
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

std::optional<QString> DialogChoosers::chooseFolder(QWidget* parent, const FileRequest& request) {
    const QString folder = QFileDialog::getExistingDirectory(parent, request.title, request.fileName,
                                                             QFileDialog::ShowDirsOnly);
    if (folder.isEmpty())
        return std::nullopt;
    return folder;
}

std::optional<FileChoice> ScriptedChoosers::answer(Kind kind, const FileRequest& request) {
    Asked asked;
    asked.kind = kind;
    asked.request = request;
    m_asked.push_back(asked);
    if (m_answers.empty())
        return std::nullopt;
    const FileChoice a = m_answers.front();
    m_answers.pop_front();
    if (a.path.isEmpty())
        return std::nullopt;
    return a;
}

std::optional<FileChoice> ScriptedChoosers::saveFile(QWidget*, const FileRequest& request) {
    return answer(Kind::Save, request);
}

std::optional<FileChoice> ScriptedChoosers::openFile(QWidget*, const FileRequest& request) {
    return answer(Kind::Open, request);
}

std::optional<COLORREF> ScriptedChoosers::chooseColour(QWidget*, COLORREF initial) {
    Asked asked;
    asked.kind = Kind::Colour;
    asked.colour = initial;
    m_asked.push_back(asked);
    if (m_colours.empty())
        return std::nullopt;
    const std::optional<COLORREF> a = m_colours.front();
    m_colours.pop_front();
    return a;
}

std::optional<FontChoice> ScriptedChoosers::chooseFont(QWidget*, const LOGFONT& font, COLORREF colour) {
    Asked asked;
    asked.kind = Kind::Font;
    asked.font = font;
    asked.colour = colour;
    m_asked.push_back(asked);
    if (m_fonts.empty())
        return std::nullopt;
    std::optional<FontChoice> a = std::move(m_fonts.front());
    m_fonts.pop_front();
    return a;
}

std::optional<QString> ScriptedChoosers::chooseFolder(QWidget*, const FileRequest& request) {
    const std::optional<FileChoice> a = answer(Kind::Folder, request);
    if (!a)
        return std::nullopt;
    return a->path;
}
