#pragma once
#include "platform/colorref.h"
#include "platform/logfont.h"

#include <deque>
#include <optional>
#include <string>
#include <vector>

// The window a chooser belongs to: the user-interface library's widget, opaque here.
class QWidget;

// The file, colour and font choosers go through this seam, so that tests and scripted
// runs answer them without a person. Every chooser is modal; texts and paths are UTF-8.

// One entry of a chooser's type list, e.g. "CSV File(*.csv)" showing "*.csv".
struct FileFilter {
    std::string description;
    std::string pattern;
};

struct FileRequest {
    std::string title;
    std::vector<FileFilter> filters;
    int filterIndex = 1;           // 1-based, the filter preselected
    std::string fileName;          // put into the file-name field, folder included
    std::string defaultExtension;  // added to a typed name without one ("csv")
    bool confirmOverwrite = false; // saving: ask before an existing file is replaced
};

struct FileChoice {
    std::string path;
    int filterIndex = 1; // 1-based, the filter in force when the operator confirmed
};

// A font with the colour its text is drawn in.
struct FontChoice {
    LOGFONT font;
    COLORREF colour = 0;
};

class Choosers {
public:
    virtual ~Choosers() = default;
    // Nothing when the operator cancels.
    virtual std::optional<FileChoice> saveFile(QWidget* parent, const FileRequest& request) = 0;
    virtual std::optional<FileChoice> openFile(QWidget* parent, const FileRequest& request) = 0;
    // Colour chooser opened on `initial`.
    virtual std::optional<COLORREF> chooseColour(QWidget* parent, COLORREF initial) = 0;
    // Font chooser over the screen fonts, with the effects and a text colour.
    virtual std::optional<FontChoice> chooseFont(QWidget* parent, const LOGFONT& font, COLORREF colour) = 0;
    // A folder; request.title is the caption, request.fileName the folder to start in.
    virtual std::optional<std::string> chooseFolder(QWidget* parent, const FileRequest& request) = 0;
};

// Answers from queues (one for the file and folder choosers, one each for colours and fonts) and
// remembers what was asked; with an empty queue it cancels. For tests and scripted runs.
class ScriptedChoosers : public Choosers {
public:
    enum class Kind { Save, Open, Colour, Font, Folder };
    struct Asked {
        Kind kind = Kind::Save;
        FileRequest request;  // file choosers
        COLORREF colour = 0;  // colour and font choosers: the colour they opened on
        LOGFONT font;         // font chooser: the font it opened on
    };

    // A choice with an empty path cancels.
    void queue(FileChoice answer) { m_answers.push_back(std::move(answer)); }
    void queue(const std::string& path, int filterIndex = 1) { queue(FileChoice{path, filterIndex}); }
    void queueCancel() { queue(FileChoice{}); }
    // Colour and font answers; nothing queued cancels.
    void queueColour(std::optional<COLORREF> answer) { m_colours.push_back(answer); }
    void queueFont(std::optional<FontChoice> answer) { m_fonts.push_back(std::move(answer)); }
    const std::vector<Asked>& asked() const { return m_asked; }
    std::optional<FileChoice> saveFile(QWidget* parent, const FileRequest& request) override;
    std::optional<FileChoice> openFile(QWidget* parent, const FileRequest& request) override;
    std::optional<COLORREF> chooseColour(QWidget* parent, COLORREF initial) override;
    std::optional<FontChoice> chooseFont(QWidget* parent, const LOGFONT& font, COLORREF colour) override;
    std::optional<std::string> chooseFolder(QWidget* parent, const FileRequest& request) override;

private:
    std::optional<FileChoice> answer(Kind kind, const FileRequest& request);

    std::deque<FileChoice> m_answers;
    std::deque<std::optional<COLORREF>> m_colours;
    std::deque<std::optional<FontChoice>> m_fonts;
    std::vector<Asked> m_asked;
};
