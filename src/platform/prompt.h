#pragma once
#include <deque>
#include <string>
#include <vector>

// The window a prompt belongs to: the user-interface library's widget, opaque here.
class QWidget;

// Message boxes go through this seam so that tests answer them without a person.
// Texts are UTF-8.
enum class PromptButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class PromptIcon { None, Information, Warning, Question, Critical };
enum class PromptAnswer { Ok, Cancel, Yes, No };

class Prompt {
public:
    virtual ~Prompt() = default;
    virtual PromptAnswer ask(QWidget* parent, const std::string& text, const std::string& caption,
                             PromptButtons buttons, PromptIcon icon) = 0;
};

// Answers from a queue and remembers what was asked; with an empty queue it
// answers the first button (Ok or Yes). For tests and scripted runs.
class ScriptedPrompt : public Prompt {
public:
    struct Asked {
        std::string text;
        std::string caption;
        PromptButtons buttons;
        PromptIcon icon;
    };

    void queue(PromptAnswer answer) { m_answers.push_back(answer); }
    const std::vector<Asked>& asked() const { return m_asked; }
    PromptAnswer ask(QWidget* parent, const std::string& text, const std::string& caption,
                     PromptButtons buttons, PromptIcon icon) override;

private:
    std::deque<PromptAnswer> m_answers;
    std::vector<Asked> m_asked;
};
