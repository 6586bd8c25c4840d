#pragma once
// The main window over a scratch folder, with scripted prompts, choosers and menus.
#include "platform/choosers.h"
#include "app/measure_dlg.h"
#include "platform/popup_menu.h"
#include "platform/prompt.h"
#include "images/bmp_codec.h"
#include "images/thumbnail_store.h"
#include "platform/language.h"
#include "platform/temp_dir.h"
#include "support/fake_camera.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

class MainWindowTest : public ::testing::Test {
  protected:
    void SetUp() override { g_bJapanese = false; }
    void TearDown() override {
        dlg.reset();
        g_bJapanese = false;
    }

    CMeasureDlg& open(int progressDelayMs = 500) {
        MeasureDlgOptions o;
        o.prompt = &prompt;
        o.choosers = &choosers;
        o.popupMenu = &menu;
        o.dpi = DpiScale{};
        o.settingsPath = dir + "/Mirelta.ini";
        o.dataFolder = dir + "/data/";
        o.oldSettingsPath = dir + "/old/Mirelta.ini";
        o.thumbnailProgressDelayMs = progressDelayMs;
        o.camera = &camera;
        dlg = std::make_unique<CMeasureDlg>(o);
        dlg->show();
        QCoreApplication::processEvents();
        return *dlg;
    }

    // Closes the window as the operator does (the index is written on the way out).
    void close() {
        prompt.queue(PromptAnswer::Yes);
        dlg->close();
        dlg.reset();
    }

    std::string saveFolder() const { return dir + "/data/bmp"; }

    // File names of the thumbnails, in order.
    std::vector<std::string> names() const {
        std::vector<std::string> out;
        for (const THUMBNAIL* t = dlg->thumbnails().At(0); t; t = t->next)
            out.push_back(std::filesystem::path(t->path).filename().string());
        return out;
    }

    // Pictures in a folder, by name.
    std::vector<std::string> files(const std::string& folder) const {
        std::vector<std::string> out;
        for (const auto& e : std::filesystem::directory_iterator(folder))
            out.push_back(e.path().filename().string());
        std::sort(out.begin(), out.end());
        return out;
    }

    void fillDisplay(int r, int g, int b) { dlg->displayImage().fillRect(RGB(r, g, b)); }

    TempDir temp;
    std::string dir = temp.path();
    FakeCamera camera;
    ScriptedPrompt prompt;
    ScriptedChoosers choosers;
    ScriptedPopupMenu menu;
    std::unique_ptr<CMeasureDlg> dlg;
};
