#include "platform/prompt.h"

PromptAnswer ScriptedPrompt::ask(QWidget*, const std::string& text, const std::string& caption,
                                 PromptButtons buttons, PromptIcon icon) {
    m_asked.push_back({text, caption, buttons, icon});
    if (!m_answers.empty()) {
        const PromptAnswer a = m_answers.front();
        m_answers.pop_front();
        return a;
    }
    return buttons == PromptButtons::YesNo || buttons == PromptButtons::YesNoCancel
               ? PromptAnswer::Yes
               : PromptAnswer::Ok;
}
