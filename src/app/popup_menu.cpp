#include "app/popup_menu.h"

#include <QAction>
#include <QMenu>

int QMenuPopup::exec(QWidget* parent, QPoint globalPos, const std::vector<PopupMenuItem>& items) {
    QMenu menu(parent);
    for (const PopupMenuItem& item : items)
        menu.addAction(item.text)->setData(item.command);
    const QAction* chosen = menu.exec(globalPos);
    return chosen ? chosen->data().toInt() : 0;
}

int ScriptedPopupMenu::exec(QWidget*, QPoint, const std::vector<PopupMenuItem>& items) {
    m_shown.push_back(items);
    if (m_answers.empty())
        return 0;
    const int command = m_answers.front();
    m_answers.pop_front();
    return command;
}
