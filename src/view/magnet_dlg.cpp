#include "view/magnet_dlg.h"

#include "platform/language.h"
#include "settings/app_settings.h"
#include "view/up_down.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>

#include <optional>
#include <utility>

namespace {

QString T(const char* english, const char* japanese) { return QString::fromUtf8(Tr(english, japanese)); }

// The text of a number edit read as a signed integer; nothing when it is not one.
std::optional<int> EditInteger(const QString& text) {
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    return ok ? std::optional<int>(v) : std::nullopt;
}

} // namespace

CMagnetDlg::CMagnetDlg(MagnetSettings& magnet, std::function<void()> repaintMain, QWidget* parent)
    : QDialog(parent), m_magnet(magnet), m_repaintMain(std::move(repaintMain)) {
    setWindowTitle(T("Magnet setting", "吸着設定"));
    setAccessibleName(windowTitle());
    setModal(false);
    createControls();
    initDialog();
    adjustSize();
}

QWidget* CMagnetDlg::item(int id) const {
    const auto it = m_items.find(id);
    return it == m_items.end() ? nullptr : it->second;
}

void CMagnetDlg::registerItem(int id, QWidget* w, const QString& name) {
    w->setObjectName(QStringLiteral("item%1").arg(id));
    w->setAccessibleName(name);
    m_items[id] = w;
}

void CMagnetDlg::createControls() {
    auto* grid = new QGridLayout(this);
    const QString typeCaption = T("Type", "検出方式");
    const QString sizeCaption = T("Area", "吸着範囲");
    const QString thresholdCaption = T("Threshold", "スレッシュホールド");

    m_type = new QComboBox(this);
    // In the order of the `Vector` values.
    m_type->addItem(T("Edge", "エッヂ検出"));
    m_type->addItem(T("Edge white only", "エッヂ検出　白のみ"));
    m_type->addItem(T("Edge black only", "エッヂ検出　黒のみ"));
    m_type->addItem(T("Binary", "２値化"));
    registerItem(kType, m_type, typeCaption);
    grid->addWidget(new QLabel(typeCaption, this), 0, 0);
    grid->addWidget(m_type, 0, 1, 1, 2);

    m_show = new QCheckBox(T("Binary", "２値化画面"), this);
    registerItem(kShow, m_show, m_show->text());
    grid->addWidget(m_show, 1, 1, 1, 2);

    m_size = new QLineEdit(this);
    m_size->setMaximumWidth(60);
    registerItem(kSize, m_size, sizeCaption);
    m_sizeArrows = new UpDown(1, 10, this);
    registerItem(kSizeArrows, m_sizeArrows, sizeCaption);
    grid->addWidget(new QLabel(sizeCaption, this), 2, 0);
    auto* sizeRow = new QHBoxLayout;
    sizeRow->setSpacing(0);
    sizeRow->addWidget(m_size);
    sizeRow->addWidget(m_sizeArrows);
    sizeRow->addStretch(1);
    grid->addLayout(sizeRow, 2, 1, 1, 2);

    m_slider = new QSlider(Qt::Horizontal, this);
    m_slider->setRange(0, 255);
    m_slider->setTickPosition(QSlider::TicksBelow);
    m_slider->setTickInterval(32);
    m_slider->setMinimumWidth(160);
    registerItem(kSlider, m_slider, thresholdCaption);
    m_threshold = new QLineEdit(this);
    m_threshold->setMaximumWidth(60);
    registerItem(kThreshold, m_threshold, thresholdCaption);
    m_thresholdArrows = new UpDown(0, 255, this);
    registerItem(kThresholdArrows, m_thresholdArrows, thresholdCaption);
    grid->addWidget(new QLabel(thresholdCaption, this), 3, 0);
    grid->addWidget(m_slider, 3, 1);
    auto* thresholdRow = new QHBoxLayout;
    thresholdRow->setSpacing(0);
    thresholdRow->addWidget(m_threshold);
    thresholdRow->addWidget(m_thresholdArrows);
    grid->addLayout(thresholdRow, 3, 2);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setDefault(true);
    registerItem(kOk, ok, ok->text());
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    grid->addLayout(buttons, 4, 0, 1, 3);

    connect(m_type, &QComboBox::currentIndexChanged, this, [this](int row) { store(m_magnet.Vector, row); });
    connect(m_show, &QCheckBox::toggled, this, [this](bool on) { store(m_magnet.Show, on ? 1 : 0); });
    connect(m_size, &QLineEdit::textChanged, this, &CMagnetDlg::onSizeText);
    connect(m_threshold, &QLineEdit::textChanged, this, &CMagnetDlg::onThresholdText);
    // The arrows and the slider write their position into the edit; the edit stores it.
    connect(m_sizeArrows, &UpDown::stepped, this, [this](int v) { m_size->setText(QString::number(v)); });
    connect(m_thresholdArrows, &UpDown::stepped, this,
            [this](int v) { m_threshold->setText(QString::number(v)); });
    connect(m_slider, &QSlider::valueChanged, this, [this](int v) { m_threshold->setText(QString::number(v)); });
    connect(ok, &QPushButton::clicked, this, &CMagnetDlg::accept);
}

void CMagnetDlg::initDialog() {
    m_filling = true;
    if (m_magnet.Vector >= 0 && m_magnet.Vector < m_type->count())
        m_type->setCurrentIndex(m_magnet.Vector);
    else
        m_type->setCurrentIndex(-1); // a type the list does not know shows none
    m_show->setChecked(m_magnet.Show == 1);
    m_size->setText(QString::number(m_magnet.Size));
    m_sizeArrows->setValue(m_magnet.Size);
    m_threshold->setText(QString::number(m_magnet.TH));
    m_thresholdArrows->setValue(m_magnet.TH);
    {
        const QSignalBlocker quiet(m_slider); // the edit shows TH as stored, even beyond 255
        m_slider->setValue(m_magnet.TH);
    }
    m_filling = false;
}

void CMagnetDlg::store(std::int32_t& field, int value) {
    if (m_filling)
        return;
    field = value;
    if (m_repaintMain)
        m_repaintMain();
}

void CMagnetDlg::onSizeText(const QString& text) {
    const std::optional<int> v = EditInteger(text);
    if (!v || m_filling)
        return;
    m_sizeArrows->setValue(*v);
    store(m_magnet.Size, *v);
}

void CMagnetDlg::onThresholdText(const QString& text) {
    const std::optional<int> v = EditInteger(text);
    if (!v || m_filling)
        return;
    m_thresholdArrows->setValue(*v);
    {
        // Given to the slider without writing the edit back: a typed 300 stays 300.
        const QSignalBlocker quiet(m_slider);
        m_slider->setValue(*v);
    }
    store(m_magnet.TH, *v);
}
