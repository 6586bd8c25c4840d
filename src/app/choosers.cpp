#include "app/choosers.h"

#include "app/font_colour_dialog.h"

#include <QColorDialog>
#include <QFileDialog>

namespace {

QColor ToQColor(COLORREF c) { return QColor(GetRValue(c), GetGValue(c), GetBValue(c)); }

QFileDialog* MakeFileDialog(QWidget* parent, const Choosers::FileRequest& r) {
    auto* d = new QFileDialog(parent, r.title, r.folder);
    d->setNameFilters(r.filters);
    if (r.filterIndex >= 0 && r.filterIndex < r.filters.size())
        d->selectNameFilter(r.filters[r.filterIndex]);
    if (!r.fileName.isEmpty())
        d->selectFile(r.fileName);
    return d;
}

std::optional<Choosers::FileChoice> RunFileDialog(QFileDialog* d, const Choosers::FileRequest& r) {
    std::optional<Choosers::FileChoice> choice;
    if (d->exec() == QDialog::Accepted && !d->selectedFiles().isEmpty()) {
        const int index = r.filters.indexOf(d->selectedNameFilter());
        choice = Choosers::FileChoice{d->selectedFiles().first(), index < 0 ? 0 : index};
    }
    delete d;
    return choice;
}

} // namespace

std::optional<COLORREF> DialogChoosers::chooseColour(QWidget* parent, COLORREF initial) {
    const QColor c = QColorDialog::getColor(ToQColor(initial), parent);
    if (!c.isValid())
        return std::nullopt;
    return RGB(c.red(), c.green(), c.blue());
}

std::optional<Choosers::FontChoice> DialogChoosers::chooseFont(QWidget* parent, const LOGFONT& font,
                                                               COLORREF colour) {
    FontColourDialog d(font, colour, parent);
    if (d.exec() != QDialog::Accepted)
        return std::nullopt;
    return FontChoice{d.chosenFont(), d.chosenColour()};
}

std::optional<Choosers::FileChoice> DialogChoosers::openFile(QWidget* parent, const FileRequest& request) {
    QFileDialog* d = MakeFileDialog(parent, request);
    d->setAcceptMode(QFileDialog::AcceptOpen);
    d->setFileMode(QFileDialog::ExistingFile);
    return RunFileDialog(d, request);
}

std::optional<Choosers::FileChoice> DialogChoosers::saveFile(QWidget* parent, const FileRequest& request) {
    QFileDialog* d = MakeFileDialog(parent, request);
    d->setAcceptMode(QFileDialog::AcceptSave);
    d->setFileMode(QFileDialog::AnyFile);
    if (!request.confirmOverwrite)
        d->setOption(QFileDialog::DontConfirmOverwrite);
    return RunFileDialog(d, request);
}

std::optional<QString> DialogChoosers::chooseFolder(QWidget* parent, const QString& title,
                                                    const QString& folder) {
    const QString dir = QFileDialog::getExistingDirectory(parent, title, folder);
    if (dir.isEmpty())
        return std::nullopt;
    return dir;
}

std::optional<COLORREF> ScriptedChoosers::chooseColour(QWidget*, COLORREF initial) {
    Asked a;
    a.kind = Kind::Colour;
    a.colour = initial;
    m_asked.push_back(a);
    return take(m_colours);
}

std::optional<Choosers::FontChoice> ScriptedChoosers::chooseFont(QWidget*, const LOGFONT& font,
                                                                 COLORREF colour) {
    Asked a;
    a.kind = Kind::Font;
    a.font = font;
    a.colour = colour;
    m_asked.push_back(a);
    return take(m_fonts);
}

std::optional<Choosers::FileChoice> ScriptedChoosers::openFile(QWidget*, const FileRequest& request) {
    Asked a;
    a.kind = Kind::OpenFile;
    a.file = request;
    m_asked.push_back(a);
    return take(m_opens);
}

std::optional<Choosers::FileChoice> ScriptedChoosers::saveFile(QWidget*, const FileRequest& request) {
    Asked a;
    a.kind = Kind::SaveFile;
    a.file = request;
    m_asked.push_back(a);
    return take(m_saves);
}

std::optional<QString> ScriptedChoosers::chooseFolder(QWidget*, const QString&, const QString& folder) {
    Asked a;
    a.kind = Kind::Folder;
    a.folder = folder;
    m_asked.push_back(a);
    return take(m_folders);
}
