#pragma once

class QApplication;

// A dark instrument-panel look that matches the button sheet and the background
// tile: Fusion style, slate surfaces, light text, static texts in teal.
void ApplyAppStyle(QApplication& app);
