#pragma once
// A main window on a settings file of its own, with scripted prompts and choosers.
#include "platform/choosers.h"
#include "app/main_dialog_template.h"
#include "app/measure_dlg.h"
#include "platform/prompt.h"
#include "app/result_list_view.h"
#include "model/compute_values.h"
#include "platform/language.h"
#include "support/fake_camera.h"
#include "support/measure_record.h"

#include <QCoreApplication>
#include <QSize>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

class MeasureDlgFixture : public ::testing::Test {
protected:
    void SetUp() override {
        char tmpl[] = "/tmp/mirelta-dlg-XXXXXX";
        dir = mkdtemp(tmpl);
        g_bJapanese = false;
    }
    void TearDown() override {
        dlg.reset();
        g_bJapanese = false;
        std::filesystem::remove_all(dir);
    }

    // The window at its default size, or at `size` from the start.
    CMeasureDlg& open(QSize size = QSize()) {
        MeasureDlgOptions o;
        o.prompt = &prompt;
        o.choosers = &choosers;
        o.dpi = DpiScale{};
        o.settingsPath = dir + "/Mirelta.ini";
        o.dataFolder = dir + "/data/";
        o.oldSettingsPath = dir + "/old/Mirelta.ini";
        o.camera = &camera;
        dlg = std::make_unique<CMeasureDlg>(o);
        if (size.isValid())
            dlg->resize(size);
        dlg->show();
        QCoreApplication::processEvents();
        return *dlg;
    }

    // Closes the window as the operator does (Yes to the question), writing the settings.
    void quit() {
        prompt.queue(PromptAnswer::Yes);
        dlg->close();
        dlg.reset();
    }

    // What a measuring tool does with a finished figure: values with the
    // selected calibration, the record into the list, its rows appended.
    MEASURE* measure(std::int32_t tool, std::vector<DPOINT> pts) {
        MEASURE m = CompleteRecord(tool, pts);
        ComputeValues(m, *dlg->selectedCalibration(), dlg->settings().color.anglebaseline, dlg->displayImage());
        dlg->measurements().AddNode(&m);
        dlg->resultList().AddRowsOfCurrent();
        return dlg->measurements().current;
    }

    // The text of one column of the results list, top to bottom.
    std::vector<std::string> column(int c) const {
        std::vector<std::string> cells;
        CResultListView& list = dlg->resultList();
        for (int r = 0; r < list.rowCount(); ++r)
            cells.push_back(list.item(r, c) ? list.item(r, c)->text().toStdString() : std::string("<none>"));
        return cells;
    }

    static std::string readFile(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    std::string dir;
    FakeCamera camera;
    ScriptedPrompt prompt;
    ScriptedChoosers choosers;
    std::unique_ptr<CMeasureDlg> dlg;
};
