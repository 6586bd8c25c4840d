#include "capture/image_set_kt4_dlg.h"

#include "platform/language.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

#include <climits>

namespace {

using Item = ImageSetKT4Model::Item;

QString Text(const char* english, const char* japanese) {
    return QString::fromUtf8(Tr(english, japanese));
}

} // namespace

CImageSetKT4Dlg::CImageSetKT4Dlg(ImageSetKT4Model& model, QWidget* parent)
    : QDialog(parent), m_model(model) {
    setModal(true);
    setWindowTitle(Text("Image setting", "イメージ設定"));
    m_awbTimer.setInterval(500);
    m_readBackTimer.setInterval(500);
    m_awbTimer.setObjectName(QStringLiteral("timer%1").arg(kTimerAwb));
    m_readBackTimer.setObjectName(QStringLiteral("timer%1").arg(kTimerReadBack));
    connect(&m_awbTimer, &QTimer::timeout, this, [this] {
        m_model.AwbTick();
        refresh();
    });
    connect(&m_readBackTimer, &QTimer::timeout, this, [this] {
        m_model.ReadBackTick();
        refresh();
    });
    build();
    m_model.Open();
    // Setting a range may move a slider; that is no operator's change to write.
    m_showing = true;
    for (int i = 0; i < ImageSetKT4Model::kItemCount; ++i) {
        const ImageSetKT4Model::Pair& p = m_model.pair(static_cast<Item>(i));
        if (!p.available)
            continue;
        m_sliders[i]->setRange(p.minimum, p.maximum);
        // A slider draws ticks at even intervals only, and one at every step of a range
        // of two thousand would be a grey bar: the step moves the slider instead.
        m_sliders[i]->setSingleStep(std::max(1, p.step));
    }
    m_showing = false;
    refresh();
    // 475 x 200 dialog units of the window's font.
    const QFontMetrics fm(font());
    resize(475 * fm.averageCharWidth() / 4, 200 * fm.height() / 8);
}

void CImageSetKT4Dlg::build() {
    auto* top = new QGridLayout(this);
    auto row = [this](QGridLayout* grid, int r, int item, const QString& label) {
        auto* name = new QLabel(label, this);
        auto* slider = new QSlider(Qt::Horizontal, this);
        auto* field = new QLineEdit(this);
        slider->setObjectName(QStringLiteral("item%1").arg(kSliders[item]));
        field->setObjectName(QStringLiteral("item%1").arg(kFields[item]));
        slider->setAccessibleName(label);
        field->setAccessibleName(label);
        field->setValidator(new QIntValidator(INT_MIN, INT_MAX, field));
        field->setMaximumWidth(QFontMetrics(field->font()).horizontalAdvance(QStringLiteral("-00000")) + 12);
        name->setBuddy(field);
        grid->addWidget(name, r, 0);
        grid->addWidget(slider, r, 1);
        grid->addWidget(field, r, 2);
        m_sliders[item] = slider;
        m_fields[item] = field;
        connect(slider, &QSlider::valueChanged, this, [this, item](int v) { onSlider(item, v); });
        connect(field, &QLineEdit::textChanged, this,
                [this, item](const QString& t) { onField(item, t); });
    };

    auto* balance = new QGroupBox(Text("Whitebalance", "ホワイトバランス"), this);
    auto* balanceGrid = new QGridLayout(balance);
    row(balanceGrid, 0, Item::Red, QStringLiteral("Red"));
    row(balanceGrid, 1, Item::Green, QStringLiteral("Green"));
    row(balanceGrid, 2, Item::Blue, QStringLiteral("Blue"));
    m_awb = new QPushButton(QStringLiteral("Awb"), balance);
    m_awb->setObjectName(QStringLiteral("item%1").arg(kAwb));
    m_awb->setAutoDefault(false);
    balanceGrid->addWidget(m_awb, 0, 3, 3, 1);
    // Press and hold: the Awb timer runs while the button is down, and a click measures.
    onButton(m_awb, &QPushButton::pressed, &ImageSetKT4Model::AwbPressed);
    onButton(m_awb, &QPushButton::released, &ImageSetKT4Model::AwbReleased);
    onButton(m_awb, &QPushButton::clicked, &ImageSetKT4Model::AwbClicked);

    auto* exposure = new QGroupBox(Text("Exposure", "露光時間"), this);
    auto* exposureGrid = new QGridLayout(exposure);
    row(exposureGrid, 0, Item::Exposure, Text("Exposure", "露光時間"));
    m_auto = new QCheckBox(Text("Auto", "自動"), exposure);
    m_auto->setObjectName(QStringLiteral("item%1").arg(kAuto));
    exposureGrid->addWidget(m_auto, 0, 3);
    connect(m_auto, &QCheckBox::toggled, this, [this](bool on) {
        if (m_showing)
            return;
        m_model.SetAuto(on);
        refresh();
    });

    m_defaultGains = new QPushButton(Text("Default", "既定値"), this);
    m_defaultGains->setObjectName(QStringLiteral("item%1").arg(kDefaultGains));
    m_defaultGains->setAutoDefault(false);
    onButton(m_defaultGains, &QPushButton::clicked, &ImageSetKT4Model::DefaultGains);

    auto* setting = new QGroupBox(Text("setting", "画像の調整"), this);
    auto* settingGrid = new QGridLayout(setting);
    row(settingGrid, 0, Item::Brightness, Text("Brightness", "明るさ"));
    row(settingGrid, 1, Item::Saturation, Text("Saturation", "鮮やかさ"));
    row(settingGrid, 2, Item::Sharpness, Text("Sharpness", "鮮明度"));
    row(settingGrid, 3, Item::Gamma, Text("Gamma", "ガンマ"));
    auto* defaultProcessing = new QPushButton(Text("Default", "既定値"), this);
    defaultProcessing->setObjectName(QStringLiteral("item%1").arg(kDefaultProcessing));
    defaultProcessing->setAutoDefault(false);
    onButton(defaultProcessing, &QPushButton::clicked, &ImageSetKT4Model::DefaultProcessing);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("item%1").arg(kOk));
    auto* cancel = new QPushButton(Text("Cancel", "キャンセル"), this);
    cancel->setObjectName(QStringLiteral("item%1").arg(kCancel));
    // Enter in a number field must not close the window.
    ok->setAutoDefault(false);
    cancel->setAutoDefault(false);
    connect(ok, &QPushButton::clicked, this, &CImageSetKT4Dlg::accept);
    connect(cancel, &QPushButton::clicked, this, &CImageSetKT4Dlg::reject);

    top->addWidget(balance, 0, 0);
    top->addWidget(exposure, 1, 0);
    auto* leftButtons = new QHBoxLayout;
    leftButtons->addStretch();
    leftButtons->addWidget(m_defaultGains);
    top->addLayout(leftButtons, 2, 0);
    top->addWidget(setting, 0, 1, 2, 1);
    auto* rightButtons = new QHBoxLayout;
    rightButtons->addWidget(defaultProcessing);
    rightButtons->addStretch();
    rightButtons->addWidget(ok);
    rightButtons->addWidget(cancel);
    top->addLayout(rightButtons, 2, 1);
    top->setColumnStretch(0, 1);
    top->setColumnStretch(1, 1);
    for (QPushButton* b : {m_awb, m_defaultGains, defaultProcessing, ok, cancel})
        b->setAccessibleName(b->text());
    m_auto->setAccessibleName(m_auto->text());
}

template <class Signal>
void CImageSetKT4Dlg::onButton(QPushButton* button, Signal signal, void (ImageSetKT4Model::*operation)()) {
    connect(button, signal, this, [this, operation] {
        (m_model.*operation)();
        refresh();
    });
}

QWidget* CImageSetKT4Dlg::item(int id) const {
    return findChild<QWidget*>(QStringLiteral("item%1").arg(id));
}

void CImageSetKT4Dlg::onSlider(int item, int position) {
    if (m_showing)
        return;
    // The slider's position goes into its field, whose change writes it.
    m_fields[item]->setText(QString::number(position));
}

void CImageSetKT4Dlg::onField(int item, const QString& text) {
    if (m_showing)
        return;
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok)
        return; // an empty field or a lone sign while typing: nothing to write yet
    m_model.SetField(static_cast<Item>(item), value);
    refresh();
}

void CImageSetKT4Dlg::refresh() {
    m_showing = true;
    for (int i = 0; i < ImageSetKT4Model::kItemCount; ++i) {
        const Item item = static_cast<Item>(i);
        const bool available = m_model.pair(item).available;
        m_sliders[i]->setEnabled(m_model.enabled(item));
        m_fields[i]->setEnabled(m_model.enabled(item));
        if (!available || !m_model.present())
            continue;
        const int value = m_model.value(item);
        if (m_sliders[i]->value() != value)
            m_sliders[i]->setValue(value);
        // A field being typed into keeps its text when it says the same number.
        bool ok = false;
        if (m_fields[i]->text().toInt(&ok) != value || !ok)
            m_fields[i]->setText(QString::number(value));
    }
    m_auto->setChecked(m_model.autoOn());
    m_auto->setEnabled(m_model.present());
    m_awb->setEnabled(m_model.awbEnabled());
    m_defaultGains->setEnabled(m_model.defaultGainsEnabled());
    m_showing = false;
    if (m_model.awbTimerRunning() != m_awbTimer.isActive())
        m_model.awbTimerRunning() ? m_awbTimer.start() : m_awbTimer.stop();
    if (m_model.readBackTimerRunning() != m_readBackTimer.isActive())
        m_model.readBackTimerRunning() ? m_readBackTimer.start() : m_readBackTimer.stop();
}

void CImageSetKT4Dlg::accept() {
    m_awbTimer.stop();
    m_readBackTimer.stop();
    QDialog::accept();
}

void CImageSetKT4Dlg::reject() {
    m_model.Cancel();
    m_awbTimer.stop();
    m_readBackTimer.stop();
    QDialog::reject();
}
