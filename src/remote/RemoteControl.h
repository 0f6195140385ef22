#pragma once
// The desktop's remote control: media keys, sound menus and tools such as
// playerctl reach the player through the MPRIS 2 interfaces on the session
// bus. A call only translates: it becomes the event of the command a person
// would choose (posted to the program's event queue, so the dispatch tables
// decide what happens), a read of the state the transport keeps, or the
// transport's seek. Changes are announced with PropertiesChanged when the
// main loop reports them through publishChanges().
//
// Without a session bus nothing is published and every call is silent.
// GUI thread only.

#include "library/PlaybackState.h"
#include "platform/EventQueue.h"
#include "remote/RemoteState.h"

#include <QDBusConnection>
#include <QDBusContext>
#include <QObject>
#include <QString>

#include <cstdint>

namespace tonlira {

class Playlist;
class PlayerWindow;
class Transport;
class MprisPlayerAdaptor;

inline constexpr const char* remoteIdentity = "Tonlira";
inline constexpr const char* remoteDesktopEntry = "tonlira";
inline constexpr const char* remoteServiceName = "org.mpris.MediaPlayer2.tonlira";
inline constexpr const char* remoteObjectPath = "/org/mpris/MediaPlayer2";
// Commands of the remote control waiting in the event queue at most; the
// main loop handles about a hundred a second, so a person's own command
// never waits long behind them. Further calls are refused until some are done.
inline constexpr std::size_t remotePendingLimit = 16;

// What the remote control reads and drives; all outlive it.
struct RemoteTargets {
    EventQueue& events;
    Playlist& playlist;
    PlaybackState& playback;
    Transport& transport;
    PlayerWindow& window;
};

class RemoteControl final : public QObject, public QDBusContext {
    Q_OBJECT
public:
    // Connects to the session bus under its own connection name and
    // publishes the interfaces; silent when there is no bus.
    explicit RemoteControl(const RemoteTargets& targets);
    ~RemoteControl() override;
    RemoteControl(const RemoteControl&) = delete;
    RemoteControl& operator=(const RemoteControl&) = delete;

    bool published() const { return !service_.isEmpty(); }
    // The bus name taken: the standard one, or one per process when another
    // player of ours holds it.
    QString serviceName() const { return service_; }

    // Called after each event the main loop takes: seeks are taken again,
    // and what changed is announced.
    void eventTaken();
    // Announces what changed since the last announcement, and Seeked after
    // the transport moved the position.
    void publishChanges();

    // The state as it is now.
    RemoteSnapshot state() const;
    std::int64_t positionUs() const;

    // The calls of the two interfaces. False when the call was refused
    // because too many commands still wait (remotePendingLimit), or, for
    // seeks, which are done at once, when as many were done since the loop
    // last took an event; Quit is always taken.
    bool play();
    bool pause();
    bool playPause();
    bool stop();
    bool next();
    bool previous();
    bool seek(std::int64_t offsetUs);
    bool setPosition(const QString& track, std::int64_t positionUs);
    bool raise();
    void quit();

private:
    bool post(MenuId id);
    bool post(const Event& event);
    bool pressPlayButton();
    bool seekTo(std::int64_t positionUs);

    RemoteTargets targets_;
    QString connectionName_;
    QString service_;
    MprisPlayerAdaptor* player_ = nullptr;  // owned by this object
    RemoteSnapshot announced_;
    std::size_t seeksSinceLastEvent_ = 0;
    std::uint64_t announcedSeeks_ = 0;
};

}  // namespace tonlira
