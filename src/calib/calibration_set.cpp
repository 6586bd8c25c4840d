#include "calib/calibration_set.h"

#include "calib/auto_calibration.h"
#include "calib/calibration_edit.h"
#include "images/dib_image.h"
#include "platform/language.h"
#include "platform/prompt.h"
#include "platform/text_format.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QBoxLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

QString Text(const char* english, const char* japanese) { return QString::fromUtf8(Tr(english, japanese)); }

} // namespace

CCalibrationSet::CCalibrationSet(QWidget* parent, const CalibrationAutoContext& autoContext)
    : QDialog(parent), m_auto(autoContext) {
    setWindowTitle(Text("Calibration value", "校正値"));
    setModal(false);
    auto* grid = new QGridLayout(this);
    auto label = [this](const QString& caption) {
        auto* l = new QLabel(caption, this);
        return l;
    };
    m_name = new QLineEdit(this);
    m_x = new QLineEdit(this);
    m_y = new QLineEdit(this);
    m_unit = new QComboBox(this);
    m_display = new QLineEdit(this);
    m_display->setReadOnly(true);
    m_display->setFocusPolicy(Qt::NoFocus);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    auto* cancel = new QPushButton(Text("CANCEL", "ｷｬﾝｾﾙ"), this);
    auto* autoButton = new QPushButton(Text("Auto", "自動"), this);
    auto* reset = new QPushButton(Text("Reset", "リセット"), this);
    ok->setDefault(true);
    autoButton->setEnabled(m_auto.profile && m_auto.autoMinSize && m_auto.autoMaxSize && m_auto.prompt);

    const QString nameCaption = Text("CAL name", "校正値名");
    const QString unitCaption = Text("Unit", "単位");
    grid->addWidget(label(nameCaption), 0, 0);
    grid->addWidget(m_name, 0, 1, 1, 3);
    grid->addWidget(label(QStringLiteral("X")), 1, 0);
    grid->addWidget(m_x, 1, 1);
    grid->addWidget(label(QStringLiteral("Y")), 1, 2);
    grid->addWidget(m_y, 1, 3);
    grid->addWidget(label(unitCaption), 2, 0);
    grid->addWidget(m_unit, 2, 1);
    grid->addWidget(m_display, 3, 0, 1, 4);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(autoButton);
    buttons->addWidget(reset);
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    grid->addLayout(buttons, 4, 0, 1, 4);
    m_display->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("X = 0.000000, Y = 0.000000 [mm/pix]")) + 16);

    const std::pair<int, QWidget*> items[] = {{kName, m_name},   {kX, m_x},       {kY, m_y},
                                              {kUnit, m_unit},   {kDisplay, m_display}, {kOk, ok},
                                              {kCancel, cancel}, {kAuto, autoButton},  {kReset, reset}};
    const std::map<int, QString> names = {{kName, nameCaption},  {kX, QStringLiteral("X")},
                                          {kY, QStringLiteral("Y")}, {kUnit, unitCaption},
                                          {kDisplay, Text("Factors", "校正係数")}};
    for (const auto& [id, w] : items) {
        m_items[id] = w;
        w->setObjectName(QStringLiteral("item%1").arg(id));
        const auto name = names.find(id);
        if (name != names.end())
            w->setAccessibleName(name->second);
    }

    connect(ok, &QPushButton::clicked, this, &CCalibrationSet::accept);
    connect(cancel, &QPushButton::clicked, this, &CCalibrationSet::reject);
    connect(reset, &QPushButton::clicked, this, &CCalibrationSet::OnReset);
    connect(autoButton, &QPushButton::clicked, this, &CCalibrationSet::OnAuto);
    connect(m_x, &QLineEdit::textChanged, this, &CCalibrationSet::updateDisplay);
    connect(m_y, &QLineEdit::textChanged, this, &CCalibrationSet::updateDisplay);
    connect(m_unit, &QComboBox::currentIndexChanged, this, &CCalibrationSet::updateDisplay);
}

QWidget* CCalibrationSet::item(int id) const {
    const auto it = m_items.find(id);
    return it == m_items.end() ? nullptr : it->second;
}

QString CCalibrationSet::displayText() const { return m_display->text(); }

void CCalibrationSet::open(CALIBRATION* calibration, QComboBox* calibrationCombo, const CDibImage* picture,
                           IntRect* calibSet) {
    if (isOpen() || calibration == nullptr)
        return;
    record = calibration;
    combo = calibrationCombo;
    image = picture;
    m_CalibSet = calibSet;
    m_CalibCorner = 0;
    OnInitDialog();
    show();
    raise();
    activateWindow();
}

void CCalibrationSet::OnInitDialog() {
    const QSignalBlocker blockUnit(m_unit);
    const QSignalBlocker blockX(m_x);
    const QSignalBlocker blockY(m_y);
    m_unit->clear();
    for (int u = 0; u < 3; ++u)
        m_unit->addItem(QString::fromUtf8(UnitText(u)));
    m_unit->setCurrentIndex(record->unit);
    m_name->setText(QString::fromStdString(record->name));
    X = record->length.x;
    Y = record->length.y;
    m_x->setText(QString::fromStdString(EditNumber(X)));
    m_y->setText(QString::fromStdString(EditNumber(Y)));
    showFactors();
}

void CCalibrationSet::readEdits() {
    X = StrToDoubleC(m_x->text().toStdString().c_str());
    Y = StrToDoubleC(m_y->text().toStdString().c_str());
}

void CCalibrationSet::showFactors() {
    m_display->setText(QString::fromStdString(CalibrationDisplayText(X, Y, *record, m_unit->currentIndex())));
}

void CCalibrationSet::updateDisplay() {
    if (!isOpen())
        return;
    readEdits();
    showFactors();
}

void CCalibrationSet::accept() {
    if (!isOpen())
        return;
    readEdits();
    ConfirmCalibration(*record, m_name->text().toStdString(), X, Y, m_unit->currentIndex());
    if (combo != nullptr && record->id >= 0 && record->id < combo->count()) {
        // Renamed in place, and chosen.
        combo->setItemText(record->id, QString::fromStdString(record->name));
        combo->setCurrentIndex(record->id);
    }
    finish(1);
}

void CCalibrationSet::reject() {
    if (!isOpen()) {
        hide();
        return;
    }
    // What Reset and the drags did to the record stays.
    finish(2);
}

void CCalibrationSet::finish(int wParam) {
    if (QWidget* owner = parentWidget())
        QCoreApplication::postEvent(owner, new CalibClosedEvent(wParam));
    record->dragMode = 0;
    m_CalibCorner = 0;
    hide();
    record = nullptr;
}

void CCalibrationSet::OnReset() {
    if (!isOpen())
        return;
    IntRect unused;
    ResetCalibrationSet(*record, m_CalibSet ? *m_CalibSet : unused, image ? image->width() : 0,
                        image ? image->height() : 0);
    {
        const QSignalBlocker blockUnit(m_unit);
        const QSignalBlocker blockX(m_x);
        const QSignalBlocker blockY(m_y);
        m_unit->setCurrentIndex(record->unit);
        X = Y = 10.0;
        m_x->setText(QString::fromStdString(EditNumber(X)));
        m_y->setText(QString::fromStdString(EditNumber(Y)));
    }
    showFactors();
    if (QWidget* owner = parentWidget())
        owner->update();
}

bool CCalibrationSet::OnAuto() {
    if (!isOpen() || !image || !m_CalibSet || !m_auto.profile || !m_auto.autoMinSize ||
        !m_auto.autoMaxSize || !m_auto.prompt)
        return false;
    ReloadAutoSizeLimits(*m_auto.profile, *m_auto.autoMinSize, *m_auto.autoMaxSize);
    const AutoCalibrationResult result =
        AutoCalibrate(*image, *m_CalibSet, *m_auto.autoMinSize, *m_auto.autoMaxSize, *record);
    if (!result.ok()) {
        m_auto.prompt->ask(this, Tr("Error", "エラー"), "Mirelta", PromptButtons::Ok, PromptIcon::Warning);
        return false;
    }
    showFactors();
    m_auto.prompt->ask(this, Tr("Automatic calibration completion", "オートキャリブレーション完了"), "Mirelta",
                       PromptButtons::Ok, PromptIcon::Information);
    if (QWidget* owner = parentWidget())
        owner->update();
    return true;
}

CalibDragCursor CCalibrationSet::rightButtonDown(DPOINT mouse) {
    if (!isOpen() || m_CalibSet == nullptr)
        return CalibDragCursor::None;
    return CalibDragBegin(*record, *m_CalibSet, m_CalibCorner, mouse);
}

CalibDragStep CCalibrationSet::mouseMove(DPOINT mouse, bool insideImage) {
    if (!isOpen() || m_CalibSet == nullptr)
        return {};
    const CalibDragStep step = CalibDragMove(*record, *m_CalibSet, m_CalibCorner, mouse, insideImage);
    if (step.displayChanged)
        showFactors();
    return step;
}

void CCalibrationSet::rightButtonUp() {
    if (isOpen())
        CalibDragEnd(*record, m_CalibCorner);
}
