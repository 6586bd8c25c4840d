#pragma once
#include <QString>

#include <deque>
#include <optional>
#include <vector>

class QWidget;

// File choosers go through this seam so that tests answer them without a person.

// One entry of a chooser's type list, e.g. "CSV File(*.csv)" showing "*.csv".
struct FileFilter {
    QString description;
    QString pattern;
};

struct FileRequest {
    QString title;
    std::vector<FileFilter> filters;
    int filterIndex = 1;           // 1-based, the filter preselected
    QString fileName;              // put into the file-name field, folder included
    QString defaultExtension;      // added to a typed name without one ("csv")
    bool confirmOverwrite = false; // saving: ask before an existing file is replaced
};

struct FileChoice {
    QString path;
    int filterIndex = 1; // 1-based, the filter in force when the operator confirmed
};

class Choosers {
public:
    virtual ~Choosers() = default;
    // Nothing when the operator cancels.
    virtual std::optional<FileChoice> saveFile(QWidget* parent, const FileRequest& request) = 0;
    virtual std::optional<FileChoice> openFile(QWidget* parent, const FileRequest& request) = 0;
    // A folder; request.title is the caption, request.fileName the folder to start in.
    virtual std::optional<QString> chooseFolder(QWidget* parent, const FileRequest& request) = 0;
};

// The program's choosers: modal QFileDialogs.
class DialogChoosers : public Choosers {
public:
    std::optional<FileChoice> saveFile(QWidget* parent, const FileRequest& request) override;
    std::optional<FileChoice> openFile(QWidget* parent, const FileRequest& request) override;
    std::optional<QString> chooseFolder(QWidget* parent, const FileRequest& request) override;
};

// Answers from a queue and remembers what was asked; with an empty queue it
// cancels. For tests and scripted runs.
class ScriptedChoosers : public Choosers {
public:
    enum class Kind { Save, Open, Folder };
    struct Asked {
        Kind kind;
        FileRequest request;
    };

    // A choice with an empty path cancels.
    void queue(FileChoice answer) { m_answers.push_back(std::move(answer)); }
    void queue(const QString& path, int filterIndex = 1) { queue(FileChoice{path, filterIndex}); }
    void queueCancel() { queue(FileChoice{}); }
    const std::vector<Asked>& asked() const { return m_asked; }
    std::optional<FileChoice> saveFile(QWidget* parent, const FileRequest& request) override;
    std::optional<FileChoice> openFile(QWidget* parent, const FileRequest& request) override;
    std::optional<QString> chooseFolder(QWidget* parent, const FileRequest& request) override;

private:
    std::optional<FileChoice> answer(Kind kind, const FileRequest& request);

    std::deque<FileChoice> m_answers;
    std::vector<Asked> m_asked;
};
