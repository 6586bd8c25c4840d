#pragma once
#include "platform/colorref.h"
#include "platform/logfont.h"

#include <QString>
#include <QStringList>

#include <deque>
#include <optional>
#include <vector>

class QWidget;

// The colour, font, file and folder choosers go through this seam, so that tests and
// scripted runs answer them without a person. Every chooser is modal; nothing comes back
// when the operator cancels.
class Choosers {
public:
    struct FontChoice {
        LOGFONT font;
        COLORREF colour = 0;
    };
    // A file chooser's question. Filters are "Bitmap File(*.bmp)"-style entries; the
    // index is 0-based, as is the one that comes back.
    struct FileRequest {
        QString title;
        QString folder;   // where it opens
        QString fileName; // proposed name (save)
        QStringList filters;
        int filterIndex = 0;
        bool confirmOverwrite = true; // save: ask before replacing a file
    };
    struct FileChoice {
        QString path;
        int filterIndex = 0;
    };

    virtual ~Choosers() = default;
    // Colour chooser opened on `initial`.
    virtual std::optional<COLORREF> chooseColour(QWidget* parent, COLORREF initial) = 0;
    // Font chooser over the screen fonts, with the effects and a text colour.
    virtual std::optional<FontChoice> chooseFont(QWidget* parent, const LOGFONT& font,
                                                 COLORREF colour) = 0;
    virtual std::optional<FileChoice> openFile(QWidget* parent, const FileRequest& request) = 0;
    virtual std::optional<FileChoice> saveFile(QWidget* parent, const FileRequest& request) = 0;
    virtual std::optional<QString> chooseFolder(QWidget* parent, const QString& title,
                                                const QString& folder) = 0;
};

// The program's choosers: QColorDialog, a font dialog with a colour button, QFileDialog.
class DialogChoosers : public Choosers {
public:
    std::optional<COLORREF> chooseColour(QWidget* parent, COLORREF initial) override;
    std::optional<FontChoice> chooseFont(QWidget* parent, const LOGFONT& font, COLORREF colour) override;
    std::optional<FileChoice> openFile(QWidget* parent, const FileRequest& request) override;
    std::optional<FileChoice> saveFile(QWidget* parent, const FileRequest& request) override;
    std::optional<QString> chooseFolder(QWidget* parent, const QString& title,
                                        const QString& folder) override;
};

// Answers from queues, one per kind of chooser, and remembers what was asked. An empty
// queue answers as a cancelled chooser.
class ScriptedChoosers : public Choosers {
public:
    enum class Kind { Colour, Font, OpenFile, SaveFile, Folder };
    struct Asked {
        Kind kind = Kind::Colour;
        COLORREF colour = 0; // colour and font choosers: the colour they opened on
        LOGFONT font;
        FileRequest file;
        QString folder;
    };

    void queueColour(std::optional<COLORREF> answer) { put(m_colours, answer); }
    void queueFont(std::optional<FontChoice> answer) { put(m_fonts, answer); }
    void queueOpenFile(std::optional<FileChoice> answer) { put(m_opens, answer); }
    void queueSaveFile(std::optional<FileChoice> answer) { put(m_saves, answer); }
    void queueFolder(std::optional<QString> answer) { put(m_folders, answer); }
    const std::vector<Asked>& asked() const { return m_asked; }

    std::optional<COLORREF> chooseColour(QWidget* parent, COLORREF initial) override;
    std::optional<FontChoice> chooseFont(QWidget* parent, const LOGFONT& font, COLORREF colour) override;
    std::optional<FileChoice> openFile(QWidget* parent, const FileRequest& request) override;
    std::optional<FileChoice> saveFile(QWidget* parent, const FileRequest& request) override;
    std::optional<QString> chooseFolder(QWidget* parent, const QString& title,
                                        const QString& folder) override;

private:
    // An answer, or a cancel when `given` is false.
    template <class T> struct Answer {
        bool given = false;
        T value{};
    };
    template <class T> static void put(std::deque<Answer<T>>& queue, const std::optional<T>& a) {
        queue.push_back(a ? Answer<T>{true, *a} : Answer<T>{});
    }
    template <class T> static std::optional<T> take(std::deque<Answer<T>>& queue) {
        if (queue.empty())
            return std::nullopt;
        const Answer<T> a = queue.front();
        queue.pop_front();
        if (!a.given)
            return std::nullopt;
        return a.value;
    }

    std::deque<Answer<COLORREF>> m_colours;
    std::deque<Answer<FontChoice>> m_fonts;
    std::deque<Answer<FileChoice>> m_opens;
    std::deque<Answer<FileChoice>> m_saves;
    std::deque<Answer<QString>> m_folders;
    std::vector<Asked> m_asked;
};
