#include "app/qmenu_popup.h"

#include <QAction>
#include <QMenu>

int QMenuPopup::exec(QWidget* parent, ScreenPoint at, const std::vector<PopupMenuItem>& items) {
    QMenu menu(parent);
    for (const PopupMenuItem& item : items)
        menu.addAction(QString::fromStdString(item.text))->setData(item.command);
    const QAction* chosen = menu.exec(QPoint(at.x, at.y));
    return chosen ? chosen->data().toInt() : 0;
}
