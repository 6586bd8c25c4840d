#pragma once
#include <QPoint>
#include <QString>

#include <deque>
#include <vector>

class QWidget;

// Pop-up menus go through this seam so that tests pick their commands without a person.
struct PopupMenuItem {
    int command;
    QString text;
};

class PopupMenu {
  public:
    virtual ~PopupMenu() = default;
    // Shows the items at a screen position; the command chosen, or 0 when none was.
    virtual int exec(QWidget* parent, QPoint globalPos,
                     const std::vector<PopupMenuItem>& items) = 0;
};

// The program's menus: a QMenu.
class QMenuPopup : public PopupMenu {
  public:
    int exec(QWidget* parent, QPoint globalPos, const std::vector<PopupMenuItem>& items) override;
};

// Answers from a queue of commands and remembers what was shown; with an empty queue
// nothing is chosen. For tests and scripted runs.
class ScriptedPopupMenu : public PopupMenu {
  public:
    void queue(int command) { m_answers.push_back(command); }
    const std::vector<std::vector<PopupMenuItem>>& shown() const { return m_shown; }
    int exec(QWidget* parent, QPoint globalPos, const std::vector<PopupMenuItem>& items) override;

  private:
    std::deque<int> m_answers;
    std::vector<std::vector<PopupMenuItem>> m_shown;
};
