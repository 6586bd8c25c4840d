#pragma once
#include <QDialog>

#include <string>
#include <vector>

class QComboBox;

// The model-choice window: the model names listed for one device, sorted; OK and
// closing both give the list's current text.
class CCameraSelectDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kModelList = 1235;

    CCameraSelectDlg(const std::vector<std::string>& names, const std::string& preselect,
                     QWidget* parent = nullptr);
    QComboBox* list() const { return m_list; }
    std::string chosenName() const;

    // Shows the window modally and returns the chosen text.
    static std::string Choose(QWidget* parent, const std::vector<std::string>& names,
                              const std::string& preselect);

private:
    QComboBox* m_list;
};
