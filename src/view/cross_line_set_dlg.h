#pragma once
#include "view/cross_line_drag.h"
#include "view/cross_line_form.h"

#include <QDialog>

#include <map>

class Choosers;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QTabBar;

// The cross-line window (modeless): the two lists, the entry being edited and the
// distance between two entries. Its logic is CrossLineForm; this turns the controls'
// notifications into calls on it and writes its fields back. Closing only hides it.
class CCrossLineSetDlg : public QDialog {
    Q_OBJECT
public:
    CCrossLineSetDlg(CrossLineModel& model, Choosers& choosers, QWidget* parent);

    QWidget* item(int id) const;
    template <class T> T* itemAs(int id) const { return qobject_cast<T*>(item(id)); }

    CrossLineForm& form() { return m_form; }
    // The selected calibration's units per pixel; the fields follow.
    void setCalibration(double mppX, double mppY);
    // Rewrites every field from the entry being edited and the distance.
    void refresh();
    // Which list and row the picture's drag rule looks at.
    CrossLineWindowState windowState() const;

signals:
    // An entry changed: the picture is repainted.
    void entriesChanged();

public slots:
    void accept() override {}       // Enter leaves it open
    void reject() override { hide(); }

private:
    void createControls();
    void registerItem(int id, QWidget* w);
    void fillRows();
    void showTab(int tab);
    void selectRow(int row);
    void edited(bool changed);

    CrossLineForm m_form;
    Choosers& m_choosers;
    double m_mppX = 1.0;
    double m_mppY = 1.0;
    std::map<int, QWidget*> m_items;
};
