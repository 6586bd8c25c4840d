#include "view/cross_line_set_dlg.h"

#include "platform/choosers.h"
#include "platform/language.h"
#include "view/colour_swatch.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTabBar>
#include <QVBoxLayout>

namespace {

QString T(const char* english, const char* japanese) { return QString::fromUtf8(Tr(english, japanese)); }

QString Q(const std::string& s) { return QString::fromStdString(s); }

// A field the operator is typing in keeps its text; everything else shows the entry.
void SetField(QWidget* w, const std::string& text) {
    const QString t = Q(text);
    if (auto* e = qobject_cast<QLineEdit*>(w)) {
        if (e->text() != t && !e->hasFocus())
            e->setText(t);
    } else if (auto* s = qobject_cast<QSpinBox*>(w)) {
        if (s->text() != t && !s->hasFocus())
            s->setValue(t.toInt());
    }
}

} // namespace

CCrossLineSetDlg::CCrossLineSetDlg(CrossLineModel& model, Choosers& choosers, QWidget* parent)
    : QDialog(parent), m_form(model), m_choosers(choosers) {
    setWindowTitle(T("Cross line", "クロスライン"));
    setAccessibleName(windowTitle());
    m_form.setCalibration(&m_mppX, &m_mppY);
    createControls();
    showTab(CrossLineForm::kFirstTab);
}

QWidget* CCrossLineSetDlg::item(int id) const {
    const auto it = m_items.find(id);
    return it == m_items.end() ? nullptr : it->second;
}

void CCrossLineSetDlg::registerItem(int id, QWidget* w) {
    w->setObjectName(QStringLiteral("item%1").arg(id));
    m_items[id] = w;
}

void CCrossLineSetDlg::createControls() {
    auto* layout = new QVBoxLayout(this);
    auto* tabs = new QTabBar(this);
    tabs->addTab(T("Clossline", "クロスライン"));
    tabs->addTab(T("With circle", "円付き"));
    tabs->setAccessibleName(T("Clossline", "クロスライン"));
    registerItem(1239, tabs);
    layout->addWidget(tabs);

    auto* top = new QHBoxLayout;
    auto* rows = new QListWidget(this);
    rows->setAccessibleName(T("Cross lines", "クロスライン"));
    rows->setMaximumWidth(120);
    registerItem(1225, rows);
    top->addWidget(rows);
    auto* buttons = new QVBoxLayout;
    const auto button = [&](int id, const QString& caption) {
        auto* b = new QPushButton(caption, this);
        b->setAutoDefault(false);
        b->setAccessibleName(caption);
        registerItem(id, b);
        buttons->addWidget(b);
        return b;
    };
    QPushButton* add = button(1223, T("Add", "追加"));
    QPushButton* sub = button(1224, T("Sub", "削除"));
    auto* show = new QCheckBox(T("Line show", "ライン表示"), this);
    show->setAccessibleName(show->text());
    registerItem(1227, show);
    buttons->addWidget(show);
    buttons->addStretch();
    top->addLayout(buttons);
    layout->addLayout(top);

    auto* grid = new QGridLayout;
    int row = 0;
    const auto edit = [&](int id, const QString& caption, bool readOnly) {
        auto* e = new QLineEdit(this);
        e->setReadOnly(readOnly);
        e->setAccessibleName(caption);
        e->setMinimumWidth(70);
        registerItem(id, e);
        return e;
    };
    const auto label = [&](const QString& text) { return new QLabel(text, this); };
    grid->addWidget(label(QStringLiteral("X")), row, 1);
    grid->addWidget(label(QStringLiteral("Y")), row, 2);
    ++row;
    grid->addWidget(label(T("Position", "位置")), row, 0);
    grid->addWidget(edit(1121, QStringLiteral("X"), false), row, 1);
    grid->addWidget(edit(1122, QStringLiteral("Y"), false), row, 2);
    ++row;
    grid->addWidget(edit(1125, QStringLiteral("X"), true), row, 1);
    grid->addWidget(edit(1126, QStringLiteral("Y"), true), row, 2);
    ++row;
    grid->addWidget(label(T("Diameter", "直径")), row, 0);
    grid->addWidget(edit(1128, T("Diameter", "直径"), false), row, 1);
    grid->addWidget(edit(1129, T("Diameter", "直径"), false), row, 2);
    ++row;
    grid->addWidget(edit(1130, T("Diameter", "直径"), false), row, 1);
    grid->addWidget(edit(1131, T("Diameter", "直径"), false), row, 2);
    item(1129)->hide(); // one diameter: the circle is round
    item(1131)->hide();
    ++row;
    grid->addWidget(label(T("Type", "線種")), row, 0);
    auto* type = new QComboBox(this);
    type->addItem(T("Solid line", "実線"));
    type->addItem(T("Dashed line", "破線"));
    type->setAccessibleName(T("Type", "線種"));
    registerItem(1124, type);
    grid->addWidget(type, row, 1, 1, 2);
    ++row;
    grid->addWidget(label(T("Transparency", "透明度")), row, 0);
    auto* draw = new QSpinBox(this);
    draw->setRange(0, 100);
    draw->setAccessibleName(T("Transparency", "透明度"));
    registerItem(1127, draw);
    grid->addWidget(draw, row, 1);
    ++row;
    grid->addWidget(label(T("Size", "太さ")), row, 0);
    auto* size = new QSpinBox(this);
    size->setRange(kCrossLineMinSize, kCrossLineMaxSize);
    size->setAccessibleName(T("Size", "太さ"));
    registerItem(1123, size);
    grid->addWidget(size, row, 1);
    auto* swatch = new ColourSwatch(T("Color", "色"), [this] { return m_form.fields().swatch; }, this);
    registerItem(1072, swatch);
    grid->addWidget(swatch, row, 2);
    layout->addLayout(grid);

    auto* distanceBox = new QGroupBox(T("Distance", "２点間距離"), this);
    auto* dist = new QGridLayout(distanceBox);
    auto* target = new QComboBox(distanceBox);
    target->setAccessibleName(T("Distance", "２点間距離"));
    registerItem(1244, target);
    dist->addWidget(target, 0, 0, 1, 2);
    const char* axes[] = {"X", "Y", "XY"};
    for (int k = 0; k < 3; ++k) {
        dist->addWidget(label(QString::fromLatin1(axes[k])), k + 1, 0);
        dist->addWidget(edit(1132 + k, QString::fromLatin1(axes[k]), true), k + 1, 1);
    }
    layout->addWidget(distanceBox);
    auto* message = new QLabel(this);
    QPalette pal = message->palette();
    pal.setColor(QPalette::WindowText, Qt::red);
    message->setPalette(pal);
    registerItem(1243, message);
    layout->addWidget(message);

    connect(tabs, &QTabBar::currentChanged, this, [this](int tab) { showTab(tab); });
    connect(add, &QPushButton::clicked, this, [this] {
        m_form.add(Tr("Please click three points", "３点クリックしてください"));
        fillRows();
        refresh();
        emit entriesChanged();
    });
    connect(sub, &QPushButton::clicked, this, [this] {
        if (!m_form.sub())
            return;
        fillRows();
        refresh();
        emit entriesChanged();
    });
    connect(rows, &QListWidget::currentRowChanged, this, [this](int r) {
        if (!m_form.writing())
            selectRow(r);
    });
    connect(target, qOverload<int>(&QComboBox::activated), this, [this](int r) {
        m_form.selectDistanceRow(r);
        refresh();
    });
    connect(show, &QCheckBox::toggled, this, [this](bool on) { edited(m_form.editShow(on)); });
    const auto onText = [this](int id, auto apply) {
        connect(itemAs<QLineEdit>(id), &QLineEdit::textChanged, this,
                [this, apply](const QString& t) { edited(apply(t.toStdString())); });
    };
    onText(1121, [this](const std::string& t) { return m_form.editX(t); });
    onText(1122, [this](const std::string& t) { return m_form.editY(t); });
    onText(1128, [this](const std::string& t) { return m_form.editDiameter(t, false); });
    onText(1130, [this](const std::string& t) { return m_form.editCalibratedDiameter(t, false); });
    connect(size, &QSpinBox::textChanged, this,
            [this](const QString& t) { edited(m_form.editSize(t.toStdString())); });
    connect(draw, &QSpinBox::textChanged, this,
            [this](const QString& t) { edited(m_form.editTransparency(t.toStdString())); });
    connect(type, qOverload<int>(&QComboBox::activated), this, [this](int r) { edited(m_form.editType(r)); });
    connect(swatch, &ColourSwatch::clicked, this, [this] {
        const CROSSLINE* e = m_form.edited();
        if (!e)
            return;
        if (const std::optional<COLORREF> c = m_choosers.chooseColour(this, e->Color))
            edited(m_form.editColour(*c));
    });
}

void CCrossLineSetDlg::setCalibration(double mppX, double mppY) {
    m_mppX = mppX;
    m_mppY = mppY;
    refresh();
}

CrossLineWindowState CCrossLineSetDlg::windowState() const {
    return {isVisible(), m_form.tab(), m_form.selectedRow()};
}

void CCrossLineSetDlg::fillRows() {
    CrossLineForm::Writing writing(m_form);
    const std::vector<std::string> texts = m_form.rows();
    auto* rows = itemAs<QListWidget>(1225);
    auto* target = itemAs<QComboBox>(1244);
    rows->clear();
    target->clear();
    for (const std::string& t : texts) {
        rows->addItem(Q(t));
        target->addItem(Q(t));
    }
}

void CCrossLineSetDlg::showTab(int tab) {
    m_form.showTab(tab);
    for (int id : {1124, 1127})
        item(id)->setEnabled(m_form.typeEnabled());
    for (int id : {1128, 1129, 1130, 1131})
        item(id)->setEnabled(m_form.diameterEnabled());
    fillRows();
    refresh();
}

void CCrossLineSetDlg::selectRow(int row) {
    m_form.selectRow(row);
    refresh();
}

void CCrossLineSetDlg::edited(bool changed) {
    if (!changed)
        return;
    refresh();
    emit entriesChanged();
}

void CCrossLineSetDlg::refresh() {
    CrossLineForm::Writing writing(m_form);
    const CrossLineFields f = m_form.fields();
    auto* tabs = itemAs<QTabBar>(1239);
    if (tabs->currentIndex() != m_form.tab())
        tabs->setCurrentIndex(m_form.tab());
    auto* rows = itemAs<QListWidget>(1225);
    if (rows->currentRow() != m_form.selectedRow())
        rows->setCurrentRow(m_form.selectedRow());
    auto* target = itemAs<QComboBox>(1244);
    if (target->currentIndex() != m_form.distanceRow())
        target->setCurrentIndex(m_form.distanceRow());
    SetField(item(1121), f.x);
    SetField(item(1122), f.y);
    SetField(item(1125), f.calX);
    SetField(item(1126), f.calY);
    SetField(item(1128), f.diameter);
    SetField(item(1129), f.diameterY);
    SetField(item(1130), f.calDiameter);
    SetField(item(1131), f.calDiameterY);
    SetField(item(1123), f.size);
    SetField(item(1127), f.transparency);
    itemAs<QComboBox>(1124)->setCurrentIndex(f.typeRow);
    itemAs<QCheckBox>(1227)->setChecked(f.show);
    SetField(item(1132), f.distX);
    SetField(item(1133), f.distY);
    SetField(item(1134), f.distXY);
    itemAs<QLabel>(1243)->setText(Q(m_form.message()));
    item(1072)->update();
}
