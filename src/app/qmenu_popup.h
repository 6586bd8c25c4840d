#pragma once
#include "platform/popup_menu.h"

// The program's menus: a QMenu.
class QMenuPopup : public PopupMenu {
  public:
    int exec(QWidget* parent, ScreenPoint at, const std::vector<PopupMenuItem>& items) override;
};
