#include "remote/RemoteControl.h"

#include "library/Playlist.h"
#include "remote/MprisAdaptors.h"
#include "transport/Transport.h"
#include "ui/PlayerWindow.h"

#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QDBusMessage>

#include <atomic>
#include <limits>

namespace tonlira {
namespace {

constexpr const char* propertiesInterface = "org.freedesktop.DBus.Properties";
constexpr const char* playerInterface = "org.mpris.MediaPlayer2.Player";

// Each remote control has a connection of its own, closed with it.
QString nextConnectionName() {
    static std::atomic<int> count{0};
    return QStringLiteral("tonlira-remote-%1").arg(++count);
}

// The bus named by the environment as it is now (the bus library keeps the
// first address it read); else the library's own search for one.
QDBusConnection connectSessionBus(const QString& name) {
    const QString address = qEnvironmentVariable("DBUS_SESSION_BUS_ADDRESS");
    return address.isEmpty() ? QDBusConnection::connectToBus(QDBusConnection::SessionBus, name)
                             : QDBusConnection::connectToBus(address, name);
}

// Offsets come from anyone on the bus: position + offset saturates instead
// of overflowing.
std::int64_t saturatingSum(std::int64_t a, std::int64_t b) {
    std::int64_t sum = 0;
    if (__builtin_add_overflow(a, b, &sum)) {
        return b > 0 ? std::numeric_limits<std::int64_t>::max() : std::numeric_limits<std::int64_t>::min();
    }
    return sum;
}

}  // namespace

RemoteControl::RemoteControl(const RemoteTargets& targets)
    : targets_(targets), connectionName_(nextConnectionName()) {
    new MprisRootAdaptor(this);
    player_ = new MprisPlayerAdaptor(this);
    announced_ = state();
    announcedSeeks_ = targets_.transport.seekCount();

    QDBusConnection bus = connectSessionBus(connectionName_);
    if (!bus.isConnected() || !bus.registerObject(QString::fromLatin1(remoteObjectPath), this)) {
        return;
    }
    // A second player of ours (when several instances are allowed) takes a
    // name of its own, as the standard asks.
    const QString standard = QString::fromLatin1(remoteServiceName);
    const QString perProcess = standard + QStringLiteral(".instance%1").arg(QCoreApplication::applicationPid());
    for (const QString& name : {standard, perProcess}) {
        if (bus.registerService(name)) {
            service_ = name;
            return;
        }
    }
    bus.unregisterObject(QString::fromLatin1(remoteObjectPath));
}

RemoteControl::~RemoteControl() {
    {
        QDBusConnection bus(connectionName_);
        if (bus.isConnected()) {
            if (published()) {
                bus.unregisterService(service_);
            }
            bus.unregisterObject(QString::fromLatin1(remoteObjectPath));
        }
    }
    QDBusConnection::disconnectFromBus(connectionName_);
}

RemoteSnapshot RemoteControl::state() const {
    const int attenuation = dialVolume(getDialValue(targets_.window.volumeDial()));
    return takeRemoteSnapshot(targets_.playlist, targets_.playback, attenuation);
}

std::int64_t RemoteControl::positionUs() const { return remotePositionUs(targets_.playlist); }

void RemoteControl::eventTaken() {
    seeksSinceLastEvent_ = 0;
    publishChanges();
}

void RemoteControl::publishChanges() {
    if (!published()) {
        return;
    }
    const std::uint64_t seeks = targets_.transport.seekCount();
    if (seeks != announcedSeeks_ && player_ != nullptr) {
        announcedSeeks_ = seeks;
        emit player_->Seeked(positionUs());
    }
    const RemoteSnapshot now = state();
    if (now == announced_) {
        return;
    }
    const QVariantMap changed = changedPlayerProperties(announced_, now);
    announced_ = now;
    if (changed.isEmpty()) {
        return;
    }
    QDBusMessage signal =
        QDBusMessage::createSignal(QString::fromLatin1(remoteObjectPath), QString::fromLatin1(propertiesInterface),
                                   QStringLiteral("PropertiesChanged"));
    signal << QString::fromLatin1(playerInterface) << changed << QStringList();
    QDBusConnection(connectionName_).send(signal);
}

bool RemoteControl::post(const Event& event) {
    return targets_.events.postLimited(event, EventOrigin::Remote, remotePendingLimit);
}

bool RemoteControl::post(MenuId id) { return post(Event::menu(id)); }

// The play button ("Abspielen") starts the current entry from rest.
bool RemoteControl::pressPlayButton() {
    return post(Event::control(WindowId::Player, ControlId::PlayButton, ControlEventType::LeftClick));
}

bool RemoteControl::play() {
    switch (state().status) {
    case RemoteStatus::Stopped: return pressPlayButton();
    case RemoteStatus::Paused: return post(MenuId::PlayPause);
    case RemoteStatus::Playing: break;
    }
    return true;
}

bool RemoteControl::pause() {
    if (state().status != RemoteStatus::Playing) {
        return true;
    }
    if (targets_.playback.paused && !post(MenuId::PlayPause)) {
        // Played on by the play button while the pause flag was set: the
        // first "Play/Pause" only clears the flag, the second pauses.
        return false;
    }
    return post(MenuId::PlayPause);
}

// From rest "Play/Pause" would only pause the entry; a remote's play/pause
// key is expected to start playback, as the play button does.
bool RemoteControl::playPause() {
    return state().status == RemoteStatus::Stopped ? pressPlayButton() : post(MenuId::PlayPause);
}

bool RemoteControl::stop() { return post(MenuId::Stop); }
bool RemoteControl::next() { return post(MenuId::Next); }
bool RemoteControl::previous() { return post(MenuId::Previous); }
// Ending the program is never refused, however many commands wait.
void RemoteControl::quit() { targets_.events.post(Event::menu(MenuId::Quit)); }

bool RemoteControl::seekTo(std::int64_t targetUs) {
    // Seeks are done at once, not queued: they are bounded per event the
    // loop takes instead, so a flood of them cannot hold the loop up either.
    if (seeksSinceLastEvent_ >= remotePendingLimit) {
        return false;
    }
    ++seeksSinceLastEvent_;
    targets_.transport.seekToSlider(static_cast<int>(targetUs / microsecondsPerMs));
    publishChanges();  // Seeked
    return true;
}

bool RemoteControl::seek(std::int64_t offsetUs) {
    const RemoteSnapshot now = state();
    if (!canSeek(now)) {
        return true;
    }
    const std::int64_t target = saturatingSum(positionUs(), offsetUs);
    if (target > now.lengthUs) {
        // Past the end: on to the next track, as the standard asks.
        return post(MenuId::Next);
    }
    return seekTo(std::max<std::int64_t>(target, 0));
}

bool RemoteControl::setPosition(const QString& track, std::int64_t targetUs) {
    const RemoteSnapshot now = state();
    // Only for the track on show, and only within it.
    if (!canSeek(now) || track != trackPath(now.track) || targetUs < 0 || targetUs > now.lengthUs) {
        return true;
    }
    return seekTo(targetUs);
}

bool RemoteControl::raise() {
    PlayerWindow& window = targets_.window;
    if (!window.isVisible()) {
        // Shrunk into the taskbar: its restore button brings the window back.
        return post(Event::control(WindowId::MiniPlayer, ControlId::MiniRestore, ControlEventType::LeftClick));
    }
    if (window.isMinimized()) {
        window.showNormal();
    }
    window.raise();
    window.activateWindow();
    return true;
}

}  // namespace tonlira
