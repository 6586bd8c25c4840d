#pragma once
#include "platform/choosers.h"

// The program's choosers: modal QFileDialogs, QColorDialog, and a font dialog with a
// colour button.
class DialogChoosers : public Choosers {
public:
    std::optional<FileChoice> saveFile(QWidget* parent, const FileRequest& request) override;
    std::optional<FileChoice> openFile(QWidget* parent, const FileRequest& request) override;
    std::optional<COLORREF> chooseColour(QWidget* parent, COLORREF initial) override;
    std::optional<FontChoice> chooseFont(QWidget* parent, const LOGFONT& font, COLORREF colour) override;
    std::optional<std::string> chooseFolder(QWidget* parent, const FileRequest& request) override;
};
