#include "app/message_box_prompt.h"

#include <QMessageBox>

PromptAnswer MessageBoxPrompt::ask(QWidget* parent, const std::string& text, const std::string& caption,
                                   PromptButtons buttons, PromptIcon icon) {
    QMessageBox box(parent);
    box.setText(QString::fromStdString(text));
    box.setWindowTitle(QString::fromStdString(caption));
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
