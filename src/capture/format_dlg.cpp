#include "capture/format_dlg.h"

#include "capture/media_subtype.h"
#include "platform/language.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <cstdlib>
#include <limits>

CFormatDlg::CFormatDlg(const QString& deviceName, std::vector<FormatRow> rows, QWidget* parent)
    : QDialog(parent), m_rows(std::move(rows)) {
    setWindowTitle(QString::fromUtf8(Tr("Video format", "ビデオ フォーマット")));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(deviceName, this));
    m_list = new QTreeWidget(this);
    m_list->setRootIsDecorated(false);
    m_list->setAccessibleName(QString::fromUtf8(Tr("Formats", "フォーマット一覧")));
    m_list->setHeaderLabels({QString::fromUtf8(Tr("Size", "サイズ")),
                             QString::fromUtf8(Tr("Frame rate", "フレームレート")),
                             QString::fromUtf8(Tr("Format", "フォーマット"))});
    for (const FormatRow& row : m_rows)
        new QTreeWidgetItem(m_list, {SizeText(row), RateText(row),
                                     QString::fromStdString(MediaSubtypeLabel(row.subtype))});
    m_list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    layout->addWidget(m_list);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(QString::fromUtf8(Tr("Cancel", "キャンセル")));
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, &QDialog::accept);
    buttons->button(QDialogButtonBox::Ok)->setEnabled(!m_rows.empty());
    resize(420, 360);
}

void CFormatDlg::selectRow(int row) {
    if (QTreeWidgetItem* item = m_list->topLevelItem(row))
        m_list->setCurrentItem(item);
}

void CFormatDlg::select(const FormatRow& current) {
    int best = m_rows.empty() ? -1 : 0;
    std::int64_t bestDistance = std::numeric_limits<std::int64_t>::max();
    const std::int64_t interval = IntervalOfRate(current.rate);
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        const FormatRow& r = m_rows[i];
        if (r.width != current.width || r.height != current.height || !(r.subtype == current.subtype))
            continue;
        const std::int64_t d = std::llabs(IntervalOfRate(r.rate) - interval);
        if (d < bestDistance) {
            best = static_cast<int>(i);
            bestDistance = d;
        }
    }
    selectRow(best);
}

std::optional<FormatRow> CFormatDlg::chosen() const {
    const int row = m_list->indexOfTopLevelItem(m_list->currentItem());
    if (row < 0 || static_cast<std::size_t>(row) >= m_rows.size())
        return std::nullopt;
    return m_rows[static_cast<std::size_t>(row)];
}

QString CFormatDlg::SizeText(const FormatRow& row) {
    return QStringLiteral("%1 x %2").arg(row.width).arg(row.height);
}

QString CFormatDlg::RateText(const FormatRow& row) {
    if (!row.rate.isSet())
        return QStringLiteral("-");
    return QStringLiteral("%1 fps").arg(row.rate.perSecond(), 0, 'f', 1);
}
