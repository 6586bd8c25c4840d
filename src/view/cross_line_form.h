#pragma once
#include "platform/colorref.h"
#include "view/cross_line_model.h"

#include <string>
#include <vector>

// Row texts of the cross-line window's list box and distance combo box: "Master", then
// "Slave_1", "Slave_2", ...
std::string CrossLineRowText(int row);
std::vector<std::string> CrossLineRowTexts(std::size_t count);

// What the cross-line window's fields read, made from the entry being edited.
struct CrossLineFields {
    std::string x = "0", y = "0";          // 1121, 1122
    std::string calX = "0", calY = "0";    // 1125, 1126
    std::string diameter, diameterY;       // 1128, 1129 (hidden)
    std::string calDiameter, calDiameterY; // 1130, 1131 (hidden)
    std::string size = "1";                // 1123
    std::string transparency = "100";      // 1127
    int typeRow = 0;                       // 1124
    bool show = false;                     // 1227
    COLORREF swatch = kCrossLineGreen;     // 1072
    // Distance between the list box's row and the distance combo's row (1132 ... 1134);
    // empty while either has no row.
    std::string distX, distY, distXY;
};

// The part of the cross-line window that is not widgets: which list is shown, the rows
// selected, the entry being edited, and what every field reads. The window turns its
// notifications into these calls and writes back fields().
class CrossLineForm {
  public:
    static constexpr int kFirstTab = CrossLineModel::kFirst;
    static constexpr int kSecondTab = CrossLineModel::kSecond;

    explicit CrossLineForm(CrossLineModel& model) : m_model(model) {}

    // The selected calibration's units per pixel (Part of choosing a calibration); null
    // reads 1.
    void setCalibration(const double* mppX, const double* mppY) {
        m_mppX = mppX;
        m_mppY = mppY;
    }

    // Shows a tab: row 0 selected in the list and in the distance combo.
    void showTab(int tab);
    int tab() const { return m_tab; }
    // Type and Transparency are edited on the first tab, the diameters on the second.
    bool typeEnabled() const { return m_tab == kFirstTab; }
    bool diameterEnabled() const { return m_tab == kSecondTab; }

    std::vector<std::string> rows() const { return CrossLineRowTexts(list().size()); }
    // -1 for none.
    void selectRow(int row);
    void selectDistanceRow(int row);
    int selectedRow() const { return m_row; }
    int distanceRow() const { return m_distanceRow; }
    // The entry being edited, or null.
    CROSSLINE* edited();

    CrossLineFields fields() const;
    const std::string& message() const { return m_message; }
    void setMessage(std::string text) { m_message = std::move(text); }

    // Add and Sub buttons. Add appends an entry with the new-entry defaults and selects
    // it; on the second tab it asks for three clicks (`clickPrompt`). Sub removes the
    // selected row where allowed: on the first tab only slaves; on the second any row,
    // the master only when it is alone. Returns false when nothing was removed.
    void add(const std::string& clickPrompt);
    bool sub();

    // The window writes its own controls inside one of these; the change notifications
    // that causes are ignored.
    class Writing {
      public:
        explicit Writing(CrossLineForm& f) : m_f(f), m_was(f.m_writing) { f.m_writing = true; }
        ~Writing() { m_f.m_writing = m_was; }
        Writing(const Writing&) = delete;
        Writing& operator=(const Writing&) = delete;

      private:
        CrossLineForm& m_f;
        bool m_was;
    };
    bool writing() const { return m_writing; }

    // Edits of the fields (the text as typed; text that is not a number reads 0). Each
    // returns true when it changed the entry being edited: repaint the picture and
    // refresh the other fields.
    bool editX(const std::string& text);
    bool editY(const std::string& text);
    bool editSize(const std::string& text);
    bool editTransparency(const std::string& text);
    bool editType(int row);
    bool editShow(bool on);
    bool editDiameter(const std::string& text, bool yField);
    bool editCalibratedDiameter(const std::string& text, bool yField);
    bool editColour(COLORREF colour);

    // The window's current Type, Size and Transparency, taken by new entries of the
    // first list.
    int typeRow() const { return m_typeRow; }
    int size() const { return m_size; }
    int transparency() const { return m_draw; }

  private:
    CrossLineList& list() { return m_model.list(m_tab); }
    const CrossLineList& list() const { return m_model.list(m_tab); }
    const CROSSLINE* editedEntry() const;
    bool canEdit() const { return !m_writing && editedEntry() != nullptr; }
    double mppX() const { return m_mppX ? *m_mppX : 1.0; }
    double mppY() const { return m_mppY ? *m_mppY : 1.0; }
    void takeFieldsFrom(const CROSSLINE* e);

    CrossLineModel& m_model;
    const double* m_mppX = nullptr;
    const double* m_mppY = nullptr;
    int m_tab = kFirstTab;
    int m_row = -1;
    int m_distanceRow = -1;
    bool m_writing = false;
    std::string m_message;
    int m_typeRow = 0;
    int m_size = 1;
    int m_draw = 100;
};
