#pragma once
#include <QString>

#include <deque>
#include <vector>

class QWidget;

// Message boxes go through this seam so that tests answer them without a person.
enum class PromptButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class PromptIcon { None, Information, Warning, Question, Critical };
enum class PromptAnswer { Ok, Cancel, Yes, No };

class Prompt {
public:
    virtual ~Prompt() = default;
    virtual PromptAnswer ask(QWidget* parent, const QString& text, const QString& caption,
                             PromptButtons buttons, PromptIcon icon) = 0;
};

// The program's prompt: a modal QMessageBox.
class MessageBoxPrompt : public Prompt {
public:
    PromptAnswer ask(QWidget* parent, const QString& text, const QString& caption,
                     PromptButtons buttons, PromptIcon icon) override;
};

// Answers from a queue and remembers what was asked; with an empty queue it
// answers the first button (Ok or Yes). For tests and scripted runs.
class ScriptedPrompt : public Prompt {
public:
    struct Asked {
        QString text;
        QString caption;
        PromptButtons buttons;
        PromptIcon icon;
    };

    void queue(PromptAnswer answer) { m_answers.push_back(answer); }
    const std::vector<Asked>& asked() const { return m_asked; }
    PromptAnswer ask(QWidget* parent, const QString& text, const QString& caption,
                     PromptButtons buttons, PromptIcon icon) override;

private:
    std::deque<PromptAnswer> m_answers;
    std::vector<Asked> m_asked;
};
