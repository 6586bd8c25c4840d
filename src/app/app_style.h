#pragma once

class QApplication;

// A dark instrument-panel look that matches the button sheet and the background
// tile: Fusion style, slate surfaces, light text, static texts in teal. In Japanese
// (g_bJapanese, so after InitLanguage()) a font whose Latin letters are proportional.
void ApplyAppStyle(QApplication& app);
