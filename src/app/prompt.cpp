#include "app/prompt.h"

#include <QMessageBox>

PromptAnswer MessageBoxPrompt::ask(QWidget* parent, const QString& text, const QString& caption,
                                   PromptButtons buttons, PromptIcon icon) {
    QMessageBox box(parent);
    box.setText(text);
    box.setWindowTitle(caption);
    switch (icon) {
    case PromptIcon::None: box.setIcon(QMessageBox::NoIcon); break;
    case PromptIcon::Information: box.setIcon(QMessageBox::Information); break;
    case PromptIcon::Warning: box.setIcon(QMessageBox::Warning); break;
    case PromptIcon::Question: box.setIcon(QMessageBox::Question); break;
    case PromptIcon::Critical: box.setIcon(QMessageBox::Critical); break;
    }
    switch (buttons) {
    case PromptButtons::Ok: box.setStandardButtons(QMessageBox::Ok); break;
    case PromptButtons::OkCancel: box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel); break;
    case PromptButtons::YesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
    case PromptButtons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    }
    switch (box.exec()) {
    case QMessageBox::Yes: return PromptAnswer::Yes;
    case QMessageBox::No: return PromptAnswer::No;
    case QMessageBox::Ok: return PromptAnswer::Ok;
    default: return PromptAnswer::Cancel;
    }
}

PromptAnswer ScriptedPrompt::ask(QWidget*, const QString& text, const QString& caption,
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
