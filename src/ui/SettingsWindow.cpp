#include "ui/SettingsWindow.h"

#include "ui/Fonts.h"
#include "ui/ImageControl.h"
#include "ui/KeyCaptureField.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QTreeWidget>

namespace tonlira {
namespace {

struct Geometry {
    int x, y, width, height;
};

void place(QWidget* widget, const Geometry& g) { widget->setGeometry(g.x, g.y, g.width, g.height); }

// The window.
constexpr Geometry cancelButtonGeometry{5, 230, 105, 25};
constexpr Geometry saveButtonGeometry{120, 230, 150, 25};
constexpr Geometry tabsGeometry{5, 5, 265, 220};

// "Allgemein".
constexpr Geometry volumeLabelGeometry{10, 10, 100, 15};
constexpr Geometry volumeGeometry{110, 5, 55, 25};
constexpr int volumeMaximum = 14;
constexpr Geometry showPlaylistGeometry{15, 50, 175, 20};
constexpr Geometry showLibraryGeometry{15, 75, 175, 20};
constexpr Geometry instancesGeometry{15, 100, 220, 20};
constexpr Geometry scrollLabelGeometry{15, 140, 105, 30};
constexpr Geometry scrollSliderGeometry{120, 140, 130, 30};

// "Ansicht": a label and a swatch per row.
struct SwatchRow {
    ColourSetting setting;
    ControlId swatch;
    const char* label;
    int y;
    int labelX;
    int labelWidth;
};
constexpr std::array<SwatchRow, colourSettingCount> swatchRows{{
    {ColourSetting::Background, ControlId::SwatchBackground, "Hintergrundfarbe:", 5, 5, 115},
    {ColourSetting::Player, ControlId::SwatchPlayer, "Playerfarbe:", 30, 5, 115},
    {ColourSetting::Dial, ControlId::SwatchDial, "Drehregler Farbe:", 55, 5, 115},
    {ColourSetting::Display, ControlId::SwatchDisplay, "Anzeigefeld Schriftfarbe:", 80, 5, 120},
    {ColourSetting::Playlist, ControlId::SwatchPlaylist, "Playlist Farbe:", 105, 6, 115},
    {ColourSetting::Library, ControlId::SwatchLibrary, "Audiobibliothek Farbe:", 130, 5, 115},
}};
constexpr int swatchX = 130;
constexpr int swatchSize = 20;
constexpr int swatchLabelHeight = 20;

// "Tastenkürzel".
constexpr Geometry shortcutListGeometry{3, 2, 255, 165};
constexpr int actionColumnWidth = 120;
constexpr int keyColumnWidth = 130;
constexpr Geometry captureGeometry{3, 172, 180, 20};
constexpr Geometry applyGeometry{187, 172, 70, 20};
constexpr int actionColumn = 0;
constexpr int keyColumn = 1;
constexpr int codeRole = Qt::UserRole;

// The controls' own font: the desktop's usual 8-point dialog font, so the
// texts fit the fixed places of the controls.
constexpr int dialogFontPoints = 8;

QFont dialogFont() {
    QFont font(QString::fromLatin1(fontFamily));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pointsToPixels(dialogFontPoints, screenLogicalDpiY()));
    return font;
}

std::size_t indexOf(ColourSetting setting) { return static_cast<std::size_t>(setting); }

QImage filledSquare(Colour colour) {
    QImage image(swatchSize, swatchSize, QImage::Format_RGB32);
    image.fill(toQColor(colour));
    return image;
}

}  // namespace

std::optional<ColourSetting> colourSettingOf(ControlId swatch) {
    for (const SwatchRow& row : swatchRows) {
        if (row.swatch == swatch) {
            return row.setting;
        }
    }
    return std::nullopt;
}

ControlId swatchOf(ColourSetting setting) { return swatchRows[indexOf(setting)].swatch; }

SettingsWindow::SettingsWindow(const std::array<QString, shortcutActionCount>& actionNames, QWidget* owner)
    : QWidget(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowCloseButtonHint) {
    setWindowTitle(QStringLiteral("Tonlira - Einstellungen"));
    setFixedSize(settingsWindowWidth, settingsWindowHeight);
    setFont(dialogFont());

    tabs_ = new QTabWidget(this);
    place(tabs_, tabsGeometry);
    tabs_->addTab(buildGeneralTab(), QStringLiteral("Allgemein"));
    tabs_->addTab(buildViewTab(), QStringLiteral("Ansicht"));
    tabs_->addTab(buildShortcutTab(actionNames), QStringLiteral("Tastenkürzel"));

    const auto addButton = [this](const QString& text, const Geometry& geometry, ControlId id) {
        auto* button = new QPushButton(text, this);
        place(button, geometry);
        button->setAutoDefault(false);
        controls_[id] = button;
        connect(button, &QPushButton::clicked, this, [this, id] { raiseControl(id, ControlEventType::LeftClick); });
    };
    addButton(QStringLiteral("Abbrechen"), cancelButtonGeometry, ControlId::SettingsCancel);
    addButton(QStringLiteral("Speichern"), saveButtonGeometry, ControlId::SettingsSave);
}

SettingsWindow::~SettingsWindow() = default;

QWidget* SettingsWindow::buildGeneralTab() {
    auto* page = new QWidget;
    place(new QLabel(QStringLiteral("Standardlautstärke:"), page), volumeLabelGeometry);

    volume_ = new QSpinBox(page);
    place(volume_, volumeGeometry);
    volume_->setRange(0, volumeMaximum);
    volume_->setFont(captionFont());
    // The arrows change the value; its text cannot be typed into.
    volume_->findChild<QLineEdit*>()->setReadOnly(true);

    const auto addCheck = [page](const char* text, const Geometry& geometry) {
        auto* box = new QCheckBox(QString::fromUtf8(text), page);
        place(box, geometry);
        return box;
    };
    showPlaylist_ = addCheck("Playlist beim Start zeigen", showPlaylistGeometry);
    showLibrary_ = addCheck("Audiobibliothek beim Start zeigen", showLibraryGeometry);
    multipleInstances_ = addCheck("Mehrere Instanzen von Tonlira zulassen", instancesGeometry);

    auto* scrollLabel = new QLabel(QStringLiteral("Songname Scrollgeschwindigkeit:"), page);
    place(scrollLabel, scrollLabelGeometry);
    scrollLabel->setAlignment(Qt::AlignCenter);
    scrollLabel->setWordWrap(true);

    scrollSlider_ = new QSlider(Qt::Horizontal, page);
    place(scrollSlider_, scrollSliderGeometry);
    scrollSlider_->setRange(scrollSliderMinimum, scrollSliderMaximum);
    scrollSlider_->setTickPosition(QSlider::TicksBelow);
    scrollSlider_->setTickInterval(1);
    scrollSlider_->setPageStep(1);
    return page;
}

QWidget* SettingsWindow::buildViewTab() {
    auto* page = new QWidget;
    for (const SwatchRow& row : swatchRows) {
        place(new QLabel(QString::fromUtf8(row.label), page), {row.labelX, row.y, row.labelWidth, swatchLabelHeight});
        auto* swatch = new ImageControl(row.swatch, swatchX, row.y, swatchSize, swatchSize, page);
        swatch->setCursor(Qt::PointingHandCursor);
        swatches_[indexOf(row.setting)] = swatch;
        controls_[row.swatch] = swatch;
        const ControlId id = row.swatch;
        connect(swatch, &ImageControl::leftButtonDown, this,
                [this, id] { raiseControl(id, ControlEventType::LeftButtonDown); });
        setSwatchColour(row.setting, 0);
    }
    return page;
}

QWidget* SettingsWindow::buildShortcutTab(const std::array<QString, shortcutActionCount>& actionNames) {
    auto* page = new QWidget;
    shortcutList_ = new QTreeWidget(page);
    place(shortcutList_, shortcutListGeometry);
    shortcutList_->setColumnCount(2);
    shortcutList_->setHeaderLabels({QStringLiteral("Aktion"), QStringLiteral("Tastenkürzel")});
    shortcutList_->setColumnWidth(actionColumn, actionColumnWidth);
    shortcutList_->setColumnWidth(keyColumn, keyColumnWidth);
    shortcutList_->header()->setStretchLastSection(false);
    shortcutList_->setRootIsDecorated(false);
    shortcutList_->setSelectionMode(QAbstractItemView::SingleSelection);
    shortcutList_->setSelectionBehavior(QAbstractItemView::SelectRows);
    shortcutList_->setAllColumnsShowFocus(true);
    for (const QString& name : actionNames) {
        auto* item = new QTreeWidgetItem(shortcutList_, {name, QString()});
        item->setData(keyColumn, codeRole, 0U);
    }
    controls_[ControlId::ShortcutList] = shortcutList_;
    connect(shortcutList_, &QTreeWidget::itemSelectionChanged, this,
            [this] { raiseControl(ControlId::ShortcutList, ControlEventType::Change); });

    captureField_ = new KeyCaptureField(page);
    place(captureField_, captureGeometry);

    auto* apply = new QPushButton(QStringLiteral("Übernehmen"), page);
    place(apply, applyGeometry);
    apply->setAutoDefault(false);
    controls_[ControlId::SettingsApply] = apply;
    connect(apply, &QPushButton::clicked, this,
            [this] { raiseControl(ControlId::SettingsApply, ControlEventType::LeftClick); });
    return page;
}

void SettingsWindow::setValues(const EditableSettings& values) {
    volume_->setValue(values.defaultVolume);
    showPlaylist_->setChecked(values.showPlaylist);
    showLibrary_->setChecked(values.showLibrary);
    multipleInstances_->setChecked(values.multipleInstances);
    scrollSlider_->setValue(values.scrollSteps);
    for (const SwatchRow& row : swatchRows) {
        setSwatchColour(row.setting, values.colours[indexOf(row.setting)]);
    }
    for (int row = 0; row < shortcutActionCount; ++row) {
        setShortcutCode(row, values.shortcuts[static_cast<std::size_t>(row)]);
    }
}

EditableSettings SettingsWindow::values() const {
    EditableSettings values;
    values.defaultVolume = volume_->value();
    values.showPlaylist = showPlaylist_->isChecked();
    values.showLibrary = showLibrary_->isChecked();
    values.multipleInstances = multipleInstances_->isChecked();
    values.scrollSteps = scrollSlider_->value();
    values.colours = swatchColours_;
    for (int row = 0; row < shortcutActionCount; ++row) {
        values.shortcuts[static_cast<std::size_t>(row)] = shortcutCode(row);
    }
    return values;
}

void SettingsWindow::setSwatchColour(ColourSetting setting, Colour colour) {
    swatchColours_[indexOf(setting)] = colour;
    swatches_[indexOf(setting)]->setImage(filledSquare(colour));
}

Colour SettingsWindow::swatchColour(ColourSetting setting) const { return swatchColours_[indexOf(setting)]; }

int SettingsWindow::selectedShortcutRow() const {
    const QList<QTreeWidgetItem*> selected = shortcutList_->selectedItems();
    return selected.isEmpty() ? -1 : shortcutList_->indexOfTopLevelItem(selected.front());
}

void SettingsWindow::selectShortcutRow(int row) {
    if (QTreeWidgetItem* item = shortcutList_->topLevelItem(row)) {
        shortcutList_->setCurrentItem(item);
    } else {
        shortcutList_->clearSelection();
    }
}

ShortcutCode SettingsWindow::shortcutCode(int row) const {
    const QTreeWidgetItem* item = shortcutList_->topLevelItem(row);
    return item != nullptr ? item->data(keyColumn, codeRole).toUInt() : noShortcut;
}

void SettingsWindow::setShortcutCode(int row, ShortcutCode code) {
    if (QTreeWidgetItem* item = shortcutList_->topLevelItem(row)) {
        item->setData(keyColumn, codeRole, code);
        item->setText(keyColumn, QString::fromStdString(shortcutName(code)));
    }
}

QString SettingsWindow::shortcutText(int row) const {
    const QTreeWidgetItem* item = shortcutList_->topLevelItem(row);
    return item != nullptr ? item->text(keyColumn) : QString();
}

ShortcutCode SettingsWindow::capturedCode() const { return captureField_->code(); }

void SettingsWindow::setCapturedCode(ShortcutCode code) { captureField_->setCode(code); }

void SettingsWindow::centreOn(const QWidget* owner) {
    const QRect area = owner->frameGeometry();
    move(area.center() - QPoint(width() / 2, height() / 2));
}

void SettingsWindow::bringToFront() {
    showNormal();
    raise();
    activateWindow();
}

QWidget* SettingsWindow::control(ControlId id) const {
    const auto found = controls_.find(id);
    return found != controls_.end() ? found->second : nullptr;
}

void SettingsWindow::closeEvent(QCloseEvent* event) {
    // Closing is the application's decision.
    event->ignore();
    emit eventRaised(Event::close(WindowId::Settings));
}

void SettingsWindow::raiseControl(ControlId id, ControlEventType type) {
    emit eventRaised(Event::control(WindowId::Settings, id, type));
}

}  // namespace tonlira
