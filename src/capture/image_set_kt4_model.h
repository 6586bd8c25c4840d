#pragma once
#include <array>
#include <cstdint>

class C5U87xCtl;
class Profile;
struct WhiteBalanceMeasure;

// What the register camera's image-setting window does, without the window: the eight
// values with their ranges, the writes a field change makes, automatic exposure, the
// press-and-hold automatic white balance, the two "Default" buttons and Cancel. The window
// shows value() in each slider and field and calls the operations on its events; the
// read-back and Awb timers (500 ms each) run while the matching *TimerRunning() is true.
//
// The same object, never shown, performs the camera's background operations: Initialise
// at camera start, Restart after the first frames, Store at camera stop.
//
// Without a camera (no non-zero chip id when opened) the window operations do nothing.
class ImageSetKT4Model {
  public:
    enum Item { Red, Green, Blue, Exposure, Brightness, Saturation, Sharpness, Gamma };
    static constexpr int kItemCount = 8;
    enum class AwbState { Idle, Measuring, Applied };

    struct Pair {
        bool available = false; // the controller gave its information
        int minimum = 0;
        int maximum = 0;
        int step = 1; // the one tick mark sits at this position
        int defaultValue = 0;
    };

    // The settings-file section and keys of the stored camera settings.
    static constexpr const char* kSection = "Camera";
    static constexpr std::array<const char*, kItemCount> kKeys = {
        "WB_RED",        "WB_GREEN",      "WB_BLUE",      "EXPOSURE",
        "VP_BRIGHTNESS", "VP_SATURATION", "VP_SHARPNESS", "VP_GAMMA"};
    static constexpr const char* kAutoKey = "WB_AUTO";

    // `measure` is the frame handler's white-balance measurement block; without it
    // there is no Awb.
    explicit ImageSetKT4Model(C5U87xCtl& ctl, WhiteBalanceMeasure* measure = nullptr);

    // Background operations.
    void Initialise();
    void Restart(const Profile& profile);
    // Writes the stored values in the order green, blue, red, exposure, brightness,
    // saturation, sharpness, gamma; a missing key takes the controller's default.
    void ApplyStored(const Profile& profile);
    // Writes section "Camera". A value that cannot be read leaves its key as it was.
    void Store(Profile& profile);

    // Opening the window: camera check, information, opening values.
    void Open();
    bool present() const { return m_present; }
    const Pair& pair(Item item) const { return m_pairs[item]; }
    int value(Item item) const { return m_values[item]; }
    int openingValue(Item item) const { return m_opening[item]; }
    bool enabled(Item item) const;
    bool awbEnabled() const;
    bool defaultGainsEnabled() const { return m_present && !m_auto; }
    bool autoOn() const { return m_auto; }
    AwbState awbState() const { return m_awb; }
    bool readBackTimerRunning() const { return m_auto; }
    bool awbTimerRunning() const { return m_awbTimer; }

    // A number field changed (a slider move puts its position into the field first).
    // Writes the value, kept to its range, unless it is the one last written. While
    // "Auto" is on the colour and exposure values are not written (the read-back would
    // otherwise write the sensor's own choices back); the processing values still are,
    // as their controls stay enabled.
    void SetField(Item item, int value);
    // Switching off writes the shown exposure and gains, so the camera keeps them.
    void SetAuto(bool on);
    void ReadBackTick();
    void AwbPressed();
    void AwbReleased();
    void AwbClicked();
    void AwbTick();
    void DefaultGains();      // "Default" 1090
    void DefaultProcessing(); // "Default" 1084
    // "Cancel" and the close box: "Auto" off, the eight opening values written back.
    void Cancel();

    // Awb's correction of a colour gain by a measured ratio: the fine bits scaled (and
    // masked), the coarse bits kept. A ratio that is not a finite, non-negative number
    // leaves the gain as it is.
    static int CorrectedGain(int gain, double ratio);

  private:
    static bool IsRegisterItem(Item item) { return item <= Exposure; }
    bool write(Item item, int value, bool force);
    bool readRegister(Item item, int& value);
    // The controller's information for all eight; `current` gets the values it reports.
    void loadInfo(std::array<int, kItemCount>& current);
    void startMeasurement();
    void stopAwb();

    C5U87xCtl& m_ctl;
    WhiteBalanceMeasure* m_measure;
    bool m_present = false;
    bool m_auto = false;
    AwbState m_awb = AwbState::Idle;
    bool m_awbHeld = false;
    bool m_awbTimer = false;
    std::array<Pair, kItemCount> m_pairs{};
    std::array<int, kItemCount> m_values{};
    std::array<int, kItemCount> m_opening{};
    std::array<int, kItemCount> m_written{};
    std::array<bool, kItemCount> m_hasWritten{};
};
