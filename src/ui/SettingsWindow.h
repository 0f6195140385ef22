#pragma once
// The settings window, "Tonlira - Einstellungen": the start options and the
// scroll speed ("Allgemein"), six colour swatches ("Ansicht") and the
// shortcut list with its key-capture field ("Tastenkürzel"), above the
// buttons "Abbrechen" and "Speichern".
//
// The window is passive: its controls hold the values, and what the person
// does is reported as intents (control events of window 1, and its close
// box); the application decides what happens. GUI thread only.

#include "platform/EventQueue.h"
#include "settings/EditableSettings.h"

#include <QString>
#include <QWidget>

#include <array>
#include <map>
#include <optional>

class QCheckBox;
class QSlider;
class QSpinBox;
class QTabWidget;
class QTreeWidget;

namespace tonlira {

class ImageControl;
class KeyCaptureField;

inline constexpr int settingsWindowWidth = 275;
inline constexpr int settingsWindowHeight = 260;

// The colour each swatch stands for, and back.
std::optional<ColourSetting> colourSettingOf(ControlId swatch);
ControlId swatchOf(ColourSetting setting);

class SettingsWindow final : public QWidget {
    Q_OBJECT
public:
    // `actionNames` fill the column "Aktion", one per bindable command in
    // number order. The window belongs to `owner` and stays above it.
    SettingsWindow(const std::array<QString, shortcutActionCount>& actionNames, QWidget* owner);
    ~SettingsWindow() override;

    // Fills every control: the start options, the slider, the swatches and
    // the shortcut rows.
    void setValues(const EditableSettings& values);
    // What the controls hold now.
    EditableSettings values() const;

    void setSwatchColour(ColourSetting setting, Colour colour);
    Colour swatchColour(ColourSetting setting) const;

    // The shortcut list: the selected row (-1 for none) and each row's code.
    int selectedShortcutRow() const;
    void selectShortcutRow(int row);
    ShortcutCode shortcutCode(int row) const;
    void setShortcutCode(int row, ShortcutCode code);
    QString shortcutText(int row) const;

    // The key-capture field.
    ShortcutCode capturedCode() const;
    void setCapturedCode(ShortcutCode code);

    // Places the window over the middle of `owner`.
    void centreOn(const QWidget* owner);
    void bringToFront();

    QWidget* control(ControlId id) const;
    QTabWidget* tabs() const { return tabs_; }
    QSpinBox* volumeField() const { return volume_; }
    QSlider* scrollSlider() const { return scrollSlider_; }
    QTreeWidget* shortcutList() const { return shortcutList_; }
    KeyCaptureField* captureField() const { return captureField_; }

signals:
    void eventRaised(const tonlira::Event& event);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* buildGeneralTab();
    QWidget* buildViewTab();
    QWidget* buildShortcutTab(const std::array<QString, shortcutActionCount>& actionNames);
    void raiseControl(ControlId id, ControlEventType type);

    QTabWidget* tabs_ = nullptr;
    QSpinBox* volume_ = nullptr;
    QCheckBox* showPlaylist_ = nullptr;
    QCheckBox* showLibrary_ = nullptr;
    QCheckBox* multipleInstances_ = nullptr;
    QSlider* scrollSlider_ = nullptr;
    std::array<ImageControl*, colourSettingCount> swatches_{};
    std::array<Colour, colourSettingCount> swatchColours_{};
    QTreeWidget* shortcutList_ = nullptr;
    KeyCaptureField* captureField_ = nullptr;
    std::map<ControlId, QWidget*> controls_;
};

}  // namespace tonlira
