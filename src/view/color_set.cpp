#include "view/color_set.h"

#include "settings/app_settings.h"
#include "platform/choosers.h"
#include "view/image_button.h"
#include "platform/prompt.h"
#include "calib/magnification.h"
#include "calib/scale_bar.h"
#include "images/dib_image.h"
#include "platform/language.h"
#include "platform/profile.h"
#include "view/colour_swatch.h"
#include "view/font_sample.h"
#include "view/grid_spacing_field.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

QString T(const char* english, const char* japanese) { return QString::fromUtf8(Tr(english, japanese)); }

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

} // namespace

CCColorSet::CCColorSet(const ColorSetContext& context, QWidget* parent)
    : QDialog(parent), m_ctx(context), m_saved(*context.scaleData) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(T("Color setting", "色設定"));
    setAccessibleName(windowTitle());
    setModal(false);
    createControls();
    initDialog();
}

QWidget* CCColorSet::item(int id) const {
    const auto it = m_items.find(id);
    return it == m_items.end() ? nullptr : it->second;
}

void CCColorSet::registerItem(int id, QWidget* w) {
    w->setObjectName(QStringLiteral("item%1").arg(id));
    m_items[id] = w;
}

void CCColorSet::repaintMain() {
    if (m_ctx.repaintMain)
        m_ctx.repaintMain();
}

void CCColorSet::createControls() {
    ColorSettings& color = *m_ctx.color;
    ScaleData& bar = *m_ctx.scaleData;
    auto* layout = new QVBoxLayout(this);

    // The three switches, each a cell of the main window's button sheet with its lamp.
    const auto imageButton = [&](int id, const char* caption, QPoint cell, std::function<bool()> on,
                                 std::function<void()> toggle) {
        auto* b = new ImageButton(id, QString::fromUtf8(caption), QSize(50, 53), this);
        b->setSheet(m_ctx.sheet, m_ctx.sheet2x);
        b->setCellOrigin(cell);
        b->setLampsShown(true);
        b->setGreenLampSource(std::move(on));
        b->setFixedSize(50, 53);
        connect(b, &QAbstractButton::clicked, this, [this, b, toggle] {
            toggle();
            b->update();
            update();
            repaintMain();
        });
        registerItem(id, b);
        return b;
    };
    auto* switches = new QHBoxLayout;
    auto* focusBox = new QGroupBox(T("Show focus", "ピントの表示"), this);
    auto* focusRow = new QHBoxLayout(focusBox);
    focusRow->addWidget(imageButton(
        1220, "Focus", {150, 265}, [&color] { return color.focusflg != 0; },
        [this, &color] {
            color.focusflg = color.focusflg ? 0 : 1;
            if (m_ctx.focusToggled)
                m_ctx.focusToggled();
        }));
    auto* gain = new QComboBox(focusBox);
    for (int i = 1; i < kMagnificationCount; ++i)
        gain->addItem(QString::fromStdString(MagnificationName(i)));
    registerItem(1234, gain);
    connect(gain, qOverload<int>(&QComboBox::activated), this, [this, &color](int row) {
        color.focusscale = row;
        repaintMain();
    });
    focusRow->addWidget(gain);
    switches->addWidget(focusBox);

    auto* scaleBox = new QGroupBox(T("Show scale", "スケールの表示"), this);
    auto* scaleGrid = new QGridLayout(scaleBox);
    scaleGrid->addWidget(imageButton(
                             1229, "Scale", {0, 265}, [&bar] { return bar.Visible != 0; },
                             [&bar] { bar.Visible = bar.Visible ? 0 : 1; }),
                         0, 0, 2, 1);
    const auto lengthEdit = [&](int id, const char* caption, int row) {
        scaleGrid->addWidget(new QLabel(QString::fromUtf8(caption), scaleBox), row, 1);
        auto* e = new QLineEdit(scaleBox);
        e->setAccessibleName(QString::fromUtf8(caption));
        e->setMaximumWidth(70);
        registerItem(id, e);
        scaleGrid->addWidget(e, row, 2);
    };
    lengthEdit(1121, "X", 0);
    lengthEdit(1122, "Y", 1);
    scaleGrid->addWidget(new QLabel(T("Type", "表示タイプ"), scaleBox), 0, 3);
    auto* type = new QComboBox(scaleBox);
    type->addItem(T("X bar", "Xバー"));
    type->addItem(T("X-Y bar", "X-Yバー"));
    type->setAccessibleName(T("Type", "表示タイプ"));
    registerItem(1124, type);
    connect(type, qOverload<int>(&QComboBox::activated), this, [this, &bar](int row) {
        bar.Type = row;
        repaintMain();
    });
    scaleGrid->addWidget(type, 0, 4);
    scaleGrid->addWidget(new QLabel(T("Potision", "表示位置"), scaleBox), 1, 3);
    auto* position = new QComboBox(scaleBox);
    for (const auto& [en, ja] : {std::pair{"upper left", "左上"}, std::pair{"lower left", "左下"},
                                 std::pair{"upper right", "右上"}, std::pair{"lower right", "右下"},
                                 std::pair{"center", "中央"}})
        position->addItem(T(en, ja));
    position->setAccessibleName(T("Potision", "表示位置"));
    registerItem(1125, position);
    connect(position, qOverload<int>(&QComboBox::activated), this, &CCColorSet::onPositionPreset);
    scaleGrid->addWidget(position, 1, 4);
    switches->addWidget(scaleBox);

    auto* gridBox = new QGroupBox(T("Show grid", "グリッドの表示"), this);
    auto* gridRow = new QHBoxLayout(gridBox);
    gridRow->addWidget(imageButton(
        1230, "Grid line", {0, 318}, [&color] { return color.gridflg != 0; },
        [&color] { color.gridflg = color.gridflg ? 0 : 1; }));
    switches->addWidget(gridBox);
    layout->addLayout(switches);

    // Colours, widths, spacing and font.
    auto* form = new QGridLayout;
    int row = 0;
    const auto spin = [&](int editId, int spinId, int lo, int hi, std::int32_t& field) {
        auto* s = new QSpinBox(this);
        s->setRange(lo, hi);
        registerItem(editId, s);
        m_items[spinId] = s; // the edit and its arrows are one control here
        connect(s, qOverload<int>(&QSpinBox::valueChanged), this, [this, &field, editId](int v) {
            field = v;
            if (editId == 1144 && !m_writing)
                writeCalibratedGrid();
            repaintMain();
        });
        return s;
    };
    const auto swatch = [&](int id, const char* en, const char* ja, COLORREF& field) {
        form->addWidget(new QLabel(T(en, ja), this), row, 0);
        auto* w = new ColourSwatch(T(en, ja), [&field] { return field; }, this);
        registerItem(id, w);
        connect(w, &ColourSwatch::clicked, this, [this, w, &field] {
            if (!m_ctx.choosers)
                return;
            if (const auto c = m_ctx.choosers->chooseColour(this, field)) {
                field = *c;
                w->update();
                repaintMain();
            }
        });
        form->addWidget(w, row, 1);
    };
    swatch(1023, "Line Size & Color", "測定ライン用", color.line);
    form->addWidget(spin(1141, 208, 1, 20, color.linesize), row++, 2);
    swatch(1026, "Wave Color", "波形用", color.wave);
    form->addWidget(spin(1142, 209, 1, 20, color.wavesize), row++, 2);
    swatch(1027, "Gird Color", "グリッド用", color.grid);
    m_gridSpin = spin(1144, 210, 1, kMaxGridSize, color.gridsize);
    form->addWidget(m_gridSpin, row, 2);
    m_calibratedGrid = new QLineEdit(this);
    m_calibratedGrid->setMaximumWidth(80);
    registerItem(1232, m_calibratedGrid);
    connect(m_calibratedGrid, &QLineEdit::textEdited, this, &CCColorSet::onCalibratedGridEdited);
    form->addWidget(m_calibratedGrid, row++, 3);

    form->addWidget(new QLabel(T("Text font & Color", "測定結果テキスト用"), this), row, 0);
    auto* sample = new FontSample(
        T("Text font & Color", "測定結果テキスト用"), [&color] { return color.font; },
        [&color] { return color.text; }, this);
    registerItem(1024, sample);
    connect(sample, &FontSample::clicked, this, [this, sample, &color] {
        if (!m_ctx.choosers)
            return;
        if (const auto f = m_ctx.choosers->chooseFont(this, color.font, color.text)) {
            color.font = f->font;
            color.text = f->colour;
            sample->update();
            repaintMain();
        }
    });
    form->addWidget(sample, row++, 1, 1, 3);

    form->addWidget(new QLabel(T("Base Line", "基準位置"), this), row, 0);
    auto* baseLine = new QComboBox(this);
    for (const auto& [en, ja] : {std::pair{"X-axis +", "Ｘ軸＋"}, std::pair{"Y-axis +", "Ｙ軸＋"},
                                 std::pair{"X-axis -", "Ｘ軸－"}, std::pair{"Y-axis -", "Ｙ軸－"}})
        baseLine->addItem(T(en, ja));
    baseLine->setAccessibleName(T("Base Line", "基準位置"));
    registerItem(1221, baseLine);
    connect(baseLine, qOverload<int>(&QComboBox::activated), this, [this, &color](int r) {
        color.anglebaseline = r;
        repaintMain();
    });
    form->addWidget(baseLine, row, 1);
    auto* angleRow = new QHBoxLayout;
    angleRow->addWidget(new QLabel(T("Angle", "角度"), this));
    angleRow->addWidget(spin(1143, 213, 1, 359, color.angle));
    auto* showAngle = new QCheckBox(T("Show angle", "角度表示"), this);
    registerItem(1233, showAngle);
    connect(showAngle, &QCheckBox::toggled, this, [this, &color](bool on) {
        if (m_writing)
            return;
        color.showangle = on ? 1 : 0;
        repaintMain();
    });
    angleRow->addWidget(showAngle);
    form->addLayout(angleRow, row++, 2, 1, 2);

    form->addWidget(new QLabel(T("Cross hairs", "十字線"), this), row, 0);
    auto* crossColour = new QComboBox(this);
    crossColour->addItem(T("White", "白"));
    crossColour->addItem(T("Black", "黒"));
    crossColour->setAccessibleName(T("Cross hairs", "十字線"));
    registerItem(1250, crossColour);
    connect(crossColour, qOverload<int>(&QComboBox::activated), this, [this, &color](int r) {
        color.CursorCrosshairs.Color = r == 1 ? kBlack : kWhite;
        repaintMain();
    });
    form->addWidget(crossColour, row, 1);
    auto* outline = new QCheckBox(T("Show outline in white", "白抜きを表示する"), this);
    registerItem(1249, outline);
    connect(outline, &QCheckBox::toggled, this, [this, &color](bool on) {
        if (!m_writing)
            color.CursorCrosshairs.ShowCenter = on ? 1 : 0;
    });
    form->addWidget(outline, row++, 2, 1, 2);
    layout->addLayout(form);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setDefault(true);
    registerItem(1, ok);
    connect(ok, &QPushButton::clicked, this, &CCColorSet::accept);
    auto* okRow = new QHBoxLayout;
    okRow->addStretch();
    okRow->addWidget(ok);
    layout->addLayout(okRow);
}

void CCColorSet::initDialog() {
    ColorSettings& color = *m_ctx.color;
    const ScaleData& bar = *m_ctx.scaleData;
    m_writing = true;
    itemAs<QSpinBox>(1141)->setValue(color.linesize);
    itemAs<QSpinBox>(1142)->setValue(color.wavesize);
    itemAs<QSpinBox>(1144)->setValue(color.gridsize);
    itemAs<QSpinBox>(1143)->setValue(color.angle);
    m_ScaleDec = m_ctx.profile ? m_ctx.profile->GetInt("CALIBRATION", "ScaleDec", 1) : 1;
    writeCalibratedGrid();
    itemAs<QComboBox>(1221)->setCurrentIndex(color.anglebaseline >= 0 && color.anglebaseline < 4
                                                 ? color.anglebaseline
                                                 : -1);
    itemAs<QCheckBox>(1233)->setChecked(color.showangle != 0);
    itemAs<QComboBox>(1124)->setCurrentIndex(bar.Type == 1 ? 1 : 0);
    itemAs<QComboBox>(1125)->setCurrentIndex(-1);
    m_X = bar.Size.cx;
    m_Y = bar.Size.cy;
    auto* gain = itemAs<QComboBox>(1234);
    gain->setCurrentIndex(color.focusscale >= 0 && color.focusscale < gain->count() ? color.focusscale : -1);
    itemAs<QCheckBox>(1249)->setChecked(color.CursorCrosshairs.ShowCenter != 0);
    // Every opening starts with white crosshairs.
    itemAs<QComboBox>(1250)->setCurrentIndex(0);
    color.CursorCrosshairs.Color = kWhite;
    itemAs<QLineEdit>(1121)->setText(QString::number(m_X));
    itemAs<QLineEdit>(1122)->setText(QString::number(m_Y));
    m_writing = false;
}

void CCColorSet::writeCalibratedGrid() {
    const bool wasWriting = m_writing;
    m_writing = true;
    const double mpp = m_ctx.scaleData->mpp.x;
    m_calibratedGrid->setText(QString::fromStdString(CalibratedGridText(m_ctx.color->gridsize, mpp, m_ScaleDec)));
    // Without a calibration there is no calibrated spacing to type.
    m_calibratedGrid->setEnabled(!CalibratedGridText(1, mpp, 1).empty());
    m_writing = wasWriting;
}

void CCColorSet::refreshCalibratedGrid() { writeCalibratedGrid(); }

void CCColorSet::onCalibratedGridEdited(const QString& text) {
    if (m_writing)
        return;
    const auto in = ParseCalibratedGrid(text.toStdString(), m_ctx.scaleData->mpp.x);
    if (!in)
        return;
    m_ScaleDec = in->scaleDec;
    if (!in->gridSize)
        return;
    m_ctx.color->gridsize = *in->gridSize;
    m_writing = true;
    m_gridSpin->setValue(*in->gridSize);
    m_writing = false;
    repaintMain();
}

bool CCColorSet::readLengths(int& x, int& y, bool complain) {
    for (const auto& [id, out] : {std::pair<int, int*>{1121, &x}, std::pair<int, int*>{1122, &y}}) {
        auto* edit = itemAs<QLineEdit>(id);
        bool ok = false;
        const int v = edit->text().trimmed().toInt(&ok);
        if (!ok) {
            if (complain) {
                if (m_ctx.prompt)
                    m_ctx.prompt->ask(this, Tr("Please enter an integer.", "整数を入力してください。"),
                                      windowTitle().toStdString(), PromptButtons::Ok, PromptIcon::Warning);
                edit->setFocus();
                edit->selectAll();
            }
            return false;
        }
        *out = v;
    }
    return true;
}

void CCColorSet::onPositionPreset(int row) {
    int x = m_X;
    int y = m_Y;
    if (readLengths(x, y, false)) {
        m_X = x;
        m_Y = y;
    }
    ScaleData& bar = *m_ctx.scaleData;
    const int w = m_ctx.displayImage ? m_ctx.displayImage->width() : 0;
    const int h = m_ctx.displayImage ? m_ctx.displayImage->height() : 0;
    if (const auto pos = ScaleBarPresetPosition(row, m_X, m_Y, bar.mpp, w, h))
        bar.Pos = *pos;
    bar.Size.cx = m_X;
    bar.Size.cy = m_Y;
    repaintMain();
}

void CCColorSet::accept() {
    int x = 0;
    int y = 0;
    if (!readLengths(x, y, true))
        return;
    m_X = x;
    m_Y = y;
    m_ctx.scaleData->Size.cx = x;
    m_ctx.scaleData->Size.cy = y;
    repaintMain();
    if (m_ctx.profile)
        m_ctx.profile->WriteInt("CALIBRATION", "ScaleDec", m_ScaleDec);
    QDialog::accept();
}

void CCColorSet::reject() {
    // The bar goes back; the calibration's factors and unit in the same block are the
    // calibration's, which may have been changed meanwhile, and stay.
    ScaleData& bar = *m_ctx.scaleData;
    bar.Visible = m_saved.Visible;
    bar.Type = m_saved.Type;
    bar.Pos = m_saved.Pos;
    bar.Size = m_saved.Size;
    bar.Scale_x = m_saved.Scale_x;
    bar.Scalexy = m_saved.Scalexy;
    ScaleBarRelease(bar);
    repaintMain();
    QDialog::reject();
}
