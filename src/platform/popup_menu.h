#pragma once
#include <deque>
#include <string>
#include <vector>

// The window a menu belongs to: the user-interface library's widget, opaque here.
class QWidget;

// Pop-up menus go through this seam so that tests pick their commands without a person.
struct PopupMenuItem {
    int command;
    std::string text; // UTF-8
};

// A position on the screen, in pixels.
struct ScreenPoint {
    int x = 0;
    int y = 0;
};

class PopupMenu {
  public:
    virtual ~PopupMenu() = default;
    // Shows the items at a screen position; the command chosen, or 0 when none was.
    virtual int exec(QWidget* parent, ScreenPoint at, const std::vector<PopupMenuItem>& items) = 0;
};

// Answers from a queue of commands and remembers what was shown; with an empty queue
// nothing is chosen. For tests and scripted runs.
class ScriptedPopupMenu : public PopupMenu {
  public:
    void queue(int command) { m_answers.push_back(command); }
    const std::vector<std::vector<PopupMenuItem>>& shown() const { return m_shown; }
    int exec(QWidget* parent, ScreenPoint at, const std::vector<PopupMenuItem>& items) override;

  private:
    std::deque<int> m_answers;
    std::vector<std::vector<PopupMenuItem>> m_shown;
};
