#pragma once
#include "platform/prompt.h"

// The program's prompt: a modal QMessageBox.
class MessageBoxPrompt : public Prompt {
public:
    PromptAnswer ask(QWidget* parent, const std::string& text, const std::string& caption,
                     PromptButtons buttons, PromptIcon icon) override;
};
