#pragma once
#include <QWidget>

class QToolButton;

// The arrow pair beside a number edit: a position within a range, moved one step by
// each arrow. The edit keeps its own text; the owner writes the position into it when
// an arrow moves it and gives the edit's number back with setValue, which clamps to the
// range and says nothing.
class UpDown : public QWidget {
    Q_OBJECT
public:
    UpDown(int minimum, int maximum, QWidget* parent);

    int value() const { return m_value; }
    int minimum() const { return m_min; }
    int maximum() const { return m_max; }
    void setValue(int value);
    // One step as the arrows take it: +1 up, -1 down.
    void step(int delta);

    QToolButton* upButton() const { return m_up; }
    QToolButton* downButton() const { return m_down; }

signals:
    // An arrow moved the position.
    void stepped(int value);

private:
    int m_min;
    int m_max;
    int m_value;
    QToolButton* m_up = nullptr;
    QToolButton* m_down = nullptr;
};
