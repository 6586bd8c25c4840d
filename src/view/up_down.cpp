#include "view/up_down.h"

#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

UpDown::UpDown(int minimum, int maximum, QWidget* parent)
    : QWidget(parent), m_min(minimum), m_max(std::max(minimum, maximum)), m_value(minimum) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    const auto arrow = [this, column](Qt::ArrowType type, int delta) {
        auto* b = new QToolButton(this);
        b->setArrowType(type);
        b->setAutoRepeat(true);
        b->setFocusPolicy(Qt::NoFocus);
        b->setFixedSize(16, 11);
        connect(b, &QToolButton::clicked, this, [this, delta] { step(delta); });
        column->addWidget(b);
        return b;
    };
    m_up = arrow(Qt::UpArrow, 1);
    m_down = arrow(Qt::DownArrow, -1);
}

void UpDown::setValue(int value) { m_value = std::clamp(value, m_min, m_max); }

void UpDown::step(int delta) {
    const int next = std::clamp(m_value + delta, m_min, m_max);
    if (next == m_value)
        return;
    m_value = next;
    emit stepped(m_value);
}
