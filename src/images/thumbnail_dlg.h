#pragma once
#include "images/thumbnail_grid.h"

#include <QDialog>

class CThumbNail;
class PopupMenu;
class Prompt;
class QImage;
class QScrollBar;

// The thumbnail browser (THUMB): every thumbnail of the save folder in a grid with its
// number and file name. Double-click or "Open" ends it with the entry's index + 1000;
// "Remove" and "Trash box" act on the file at once. Closing it any other way gives a
// result below 1000.
class CThumbnailDlg : public QDialog {
    Q_OBJECT
  public:
    static constexpr int kScrollBar = 1071;
    static constexpr int kOpenResultBase = 1000;
    static constexpr int kCommandOpen = 32780;
    static constexpr int kCommandRemove = 32779;
    static constexpr int kCommandTrash = 32781;

    // `list` and `tile` (the background picture) must outlive the dialog.
    CThumbnailDlg(CThumbNail* list, const QImage* tile, Prompt& prompt, PopupMenu& menu,
                  QWidget* parent = nullptr);

    QScrollBar* scrollBar() const { return m_scroll; }
    int selectedEntry() const { return m_selected; }
    // The grid for the current size and scroll position.
    ThumbnailGrid grid() const;
    // Sets the scroll bar's range for the current size and number of thumbnails.
    void setScrollRange();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    void onCommand(int command);

    CThumbNail* m_list;
    const QImage* m_tile;
    Prompt& m_prompt;
    PopupMenu& m_menu;
    QScrollBar* m_scroll;
    int m_selected = 0;
};
