#include "platform/popup_menu.h"

int ScriptedPopupMenu::exec(QWidget*, ScreenPoint, const std::vector<PopupMenuItem>& items) {
    m_shown.push_back(items);
    if (m_answers.empty())
        return 0;
    const int command = m_answers.front();
    m_answers.pop_front();
    return command;
}
