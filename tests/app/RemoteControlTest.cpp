// The desktop's remote control through a private session bus, driven as a
// desktop does: a D-Bus client in the same process calls the MPRIS 2
// interfaces of the real program and listens for its signals.

#include "AppFixture.h"

#include "remote/RemoteControl.h"
#include "support/TestMedia.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusError>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCall>
#include <QDBusReply>
#include <QDBusVariant>
#include <QProcess>
#include <QTreeWidget>
#include <QUrl>

#include <sys/prctl.h>

#include <csignal>
#include <limits>

namespace tonlira::test {

// Records the PropertiesChanged signals the player sends.
class SignalLog final : public QObject {
    Q_OBJECT
public:
    QList<QVariantMap> changes;
    QList<qlonglong> seeks;
public slots:
    void propertiesChanged(const QString& /*interface*/, const QVariantMap& changed, const QStringList&) {
        changes.append(changed);
    }
    void seeked(qlonglong position) { seeks.append(position); }
};

namespace {

constexpr const char* player = "org.mpris.MediaPlayer2.Player";
constexpr const char* root = "org.mpris.MediaPlayer2";
constexpr const char* properties = "org.freedesktop.DBus.Properties";

class RemoteControlTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        bus.setProgram(QStringLiteral("dbus-daemon"));
        bus.setArguments({QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--nopidfile"),
                          QStringLiteral("--print-address=1")});
        // The bus ends with the test program, also when a failed check or a
        // sanitizer ends it before the tear-down.
        bus.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
        bus.start();
        ASSERT_TRUE(bus.waitForReadyRead(10'000)) << "no dbus-daemon";
        address = QString::fromUtf8(bus.readLine()).trimmed();
        qputenv("DBUS_SESSION_BUS_ADDRESS", address.toUtf8());
        client = std::make_unique<QDBusConnection>(QDBusConnection::connectToBus(address, QStringLiteral("client")));
        ASSERT_TRUE(client->isConnected());
    }
    void TearDown() override {
        client.reset();
        QDBusConnection::disconnectFromBus(QStringLiteral("client"));
        AppFixture::TearDown();
        bus.kill();
        bus.waitForFinished();
    }

    // Plays the first row, as a double-click on it does.
    void playFirstEntry() {
        app->transport->playEntry(
            app->playlist.access([](PlaylistContents& contents, RowLog&) { return contents.entries[0].serial; }));
    }

    void startWithFiles(const std::vector<std::string>& stems) {
        std::vector<std::string> files;
        for (const std::string& stem : stems) {
            files.push_back(TestMedia::make(TestFormat::Wav, media.path(), 2.0, stem).string());
        }
        ASSERT_TRUE(start(files));
        ASSERT_TRUE(app->remote && app->remote->published());
        client->connect(service(), QString::fromLatin1(remoteObjectPath), QString::fromLatin1(properties),
                        QStringLiteral("PropertiesChanged"), &log,
                        SLOT(propertiesChanged(QString, QVariantMap, QStringList)));
        client->connect(service(), QString::fromLatin1(remoteObjectPath), QString::fromLatin1(player),
                        QStringLiteral("Seeked"), &log, SLOT(seeked(qlonglong)));
    }
    QString service() const { return QString::fromLatin1(remoteServiceName); }

    // Calls without blocking, since the player answers on this thread.
    QDBusMessage call(const char* interface, const QString& method, const QVariantList& arguments = {}) {
        QDBusMessage message = QDBusMessage::createMethodCall(service(), QString::fromLatin1(remoteObjectPath),
                                                              QString::fromLatin1(interface), method);
        message.setArguments(arguments);
        QDBusPendingCall pending = client->asyncCall(message);
        passUntil([&] { return pending.isFinished(); });
        passes(3);
        return pending.reply();
    }
    QVariant property(const char* interface, const char* name) {
        const QDBusMessage reply =
            call(properties, QStringLiteral("Get"), {QString::fromLatin1(interface), QString::fromLatin1(name)});
        if (reply.type() != QDBusMessage::ReplyMessage) {
            return {};
        }
        return reply.arguments().value(0).value<QDBusVariant>().variant();
    }
    int current() {
        return app->playlist.access([](PlaylistContents& contents, RowLog&) { return contents.current; });
    }
    QVariantMap metadata() { return qdbus_cast<QVariantMap>(property(player, "Metadata")); }
    QString status() { return property(player, "PlaybackStatus").toString(); }
    bool changed(const QString& name, const QVariant& value) {
        for (const QVariantMap& change : log.changes) {
            if (change.contains(name) && change.value(name) == value) {
                return true;
            }
        }
        return false;
    }

    QProcess bus;
    QString address;
    std::unique_ptr<QDBusConnection> client;
    SignalLog log;
    TempDir media;
};

TEST_F(RemoteControlTest, TheApplicationIsPublishedUnderTheStandardName) {
    startWithFiles({"song"});
    EXPECT_EQ(property(root, "Identity").toString(), "Tonlira");
    EXPECT_EQ(property(root, "DesktopEntry").toString(), "tonlira");
    EXPECT_TRUE(property(root, "CanQuit").toBool());
    EXPECT_EQ(status(), "Stopped");
}

TEST_F(RemoteControlTest, PlayPauseStartsPausesAndResumesAndEachChangeIsSignalled) {
    startWithFiles({"first", "second"});
    // The last file named is current; from rest one press plays it.
    call(player, QStringLiteral("PlayPause"));
    EXPECT_TRUE(app->playback.playing);
    EXPECT_FALSE(app->playback.paused);
    EXPECT_EQ(status(), "Playing");
    EXPECT_TRUE(passUntil([&] { return changed(QStringLiteral("PlaybackStatus"), QStringLiteral("Playing")); }));

    call(player, QStringLiteral("PlayPause"));
    EXPECT_EQ(status(), "Paused");
    EXPECT_TRUE(passUntil([&] { return changed(QStringLiteral("PlaybackStatus"), QStringLiteral("Paused")); }));
    call(player, QStringLiteral("Pause"));  // already paused: nothing
    EXPECT_EQ(status(), "Paused");
    call(player, QStringLiteral("Play"));
    EXPECT_EQ(status(), "Playing");
    call(player, QStringLiteral("Stop"));
    EXPECT_EQ(status(), "Stopped");
    EXPECT_FALSE(app->playback.playing);
}

TEST_F(RemoteControlTest, TheStatusIsWhatTheListenerHears) {
    startWithFiles({"first", "second"});
    const auto signalled = [&](const char* status) {
        return passUntil([&] { return changed(QStringLiteral("PlaybackStatus"), QString::fromLatin1(status)); });
    };
    choose(MenuId::PlayPause);  // from rest: paused
    EXPECT_EQ(status(), "Paused");
    choose(MenuId::PlayPause);
    EXPECT_EQ(status(), "Playing");
    choose(MenuId::Next);  // on the last entry: the music stops, the flags stay
    EXPECT_TRUE(app->playback.playing);
    EXPECT_EQ(status(), "Stopped");
    EXPECT_TRUE(signalled("Stopped"));

    log.changes.clear();
    const qsizetype seeks = log.seeks.size();
    choose(MenuId::Previous);
    EXPECT_EQ(status(), "Playing");
    EXPECT_TRUE(signalled("Playing"));
    // The list plays to its end: silent, "Stopped", announced, with the
    // rewind of the last entry as a seek.
    app->transport->seekToSlider(1800);
    // The next entry sounding (a start under load shows "Stopped" until its
    // pipeline plays), then its end.
    EXPECT_TRUE(passUntil([&] { return current() == 1 && status() == "Playing"; }));
    log.changes.clear();
    EXPECT_TRUE(signalled("Stopped"));
    EXPECT_EQ(status(), "Stopped");
    EXPECT_TRUE(app->playback.playing);
    EXPECT_GE(log.seeks.size(), seeks + 3) << "the slider, the change of entry and the rewind at the end";
}

TEST_F(RemoteControlTest, MetadataShowsTheCurrentEntryAndFollowsNextAndPrevious) {
    startWithFiles({"first", "second"});
    playFirstEntry();
    passes(3);
    QVariantMap shown = metadata();
    EXPECT_EQ(shown.value("xesam:title").toString(), "first.wav");
    EXPECT_EQ(
        shown.value("xesam:url").toString(),
        QUrl::fromLocalFile(QString::fromStdString((media / "first.wav").string())).toString(QUrl::FullyEncoded));
    EXPECT_NEAR(shown.value("mpris:length").toDouble(), 2'000'000, 100'000);
    EXPECT_TRUE(property(player, "CanGoNext").toBool());
    EXPECT_FALSE(property(player, "CanGoPrevious").toBool());

    call(player, QStringLiteral("Next"));
    EXPECT_EQ(metadata().value("xesam:title").toString(), "second.wav");
    EXPECT_FALSE(property(player, "CanGoNext").toBool());
    EXPECT_TRUE(passUntil([&] { return changed(QStringLiteral("CanGoPrevious"), true); }));
    bool titleSignalled = false;
    for (const QVariantMap& change : log.changes) {
        titleSignalled |= qdbus_cast<QVariantMap>(change.value("Metadata")).value("xesam:title") == "second.wav";
    }
    EXPECT_TRUE(titleSignalled);

    call(player, QStringLiteral("Previous"));
    EXPECT_EQ(metadata().value("xesam:title").toString(), "first.wav");
}

TEST_F(RemoteControlTest, SeekAndSetPositionUseTheTransportWithinTheTrack) {
    startWithFiles({"only"});
    call(player, QStringLiteral("SetPosition"),
         {QVariant::fromValue(QDBusObjectPath(metadata().value("mpris:trackid").value<QDBusObjectPath>())),
          qlonglong{500'000}});
    EXPECT_TRUE(log.seeks.isEmpty()) << "no seek while nothing plays";

    call(player, QStringLiteral("Play"));
    call(player, QStringLiteral("Pause"));
    const QDBusObjectPath track = metadata().value("mpris:trackid").value<QDBusObjectPath>();
    call(player, QStringLiteral("SetPosition"), {QVariant::fromValue(track), qlonglong{1'000'000}});
    EXPECT_NEAR(property(player, "Position").toDouble(), 1'000'000, 50'000);
    ASSERT_EQ(log.seeks.size(), 1);

    call(player, QStringLiteral("SetPosition"),
         {QVariant::fromValue(QDBusObjectPath(QStringLiteral("/org/tonlira/Tonlira/Track/999"))), qlonglong{0}});
    EXPECT_EQ(log.seeks.size(), 1) << "another track's position is ignored";

    call(player, QStringLiteral("Seek"), {qlonglong{-400'000}});
    EXPECT_NEAR(property(player, "Position").toDouble(), 600'000, 50'000);
    call(player, QStringLiteral("Seek"), {qlonglong{-5'000'000}});
    EXPECT_NEAR(property(player, "Position").toDouble(), 0, 50'000);
}

TEST_F(RemoteControlTest, AFloodOfCommandsIsRefusedBeyondTheBoundAndQuitIsStillTaken) {
    startWithFiles({"first", "second"});
    playFirstEntry();
    // Sends three times the bound of `method` calls at once and answers them
    // while no pass of the loop takes an event; the number taken.
    const auto flood = [&](const QString& method, const QVariantList& arguments) {
        std::vector<QDBusPendingCall> calls;
        for (std::size_t i = 0; i < 3 * remotePendingLimit; ++i) {
            QDBusMessage message = QDBusMessage::createMethodCall(service(), QString::fromLatin1(remoteObjectPath),
                                                                  QString::fromLatin1(player), method);
            message.setArguments(arguments);
            calls.push_back(client->asyncCall(message));
        }
        const auto answered = [&] {
            return std::all_of(calls.begin(), calls.end(), [](const QDBusPendingCall& c) { return c.isFinished(); });
        };
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!answered() && std::chrono::steady_clock::now() < end) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        }
        std::size_t taken = 0;
        for (const QDBusPendingCall& c : calls) {
            EXPECT_TRUE(c.isFinished());
            taken += c.isError() ? 0U : 1U;
            EXPECT_TRUE(!c.isError() || c.error().type() == QDBusError::LimitsExceeded)
                << c.error().message().toStdString();
        }
        return taken;
    };
    EXPECT_EQ(flood(QStringLiteral("Seek"), {qlonglong{0}}), remotePendingLimit) << "seeks, done at once";
    EXPECT_EQ(flood(QStringLiteral("Next"), {}), remotePendingLimit) << "commands, queued";
    // Once the loop has taken them, calls are taken again.
    EXPECT_TRUE(passUntil([&] { return app->events.empty(); }));
    EXPECT_EQ(call(player, QStringLiteral("Previous")).type(), QDBusMessage::ReplyMessage);
    call(root, QStringLiteral("Quit"));
    EXPECT_TRUE(passUntil([&] { return app->quitRequested; }));
}

TEST_F(RemoteControlTest, SeekOffsetsAtTheEndsOfTheRangeSaturate) {
    startWithFiles({"first", "second"});
    playFirstEntry();
    ASSERT_TRUE(passUntil([&] { return property(player, "Position").toLongLong() > 100'000; }));
    call(player, QStringLiteral("Seek"), {qlonglong{std::numeric_limits<qlonglong>::max()}});
    EXPECT_TRUE(passUntil([&] { return metadata().value("xesam:title").toString() == "second.wav"; }))
        << "past the end is the next track, not the start of this one";
    // Far enough into the 2 s track that a position read a call later still
    // tells whether it went back to the start.
    ASSERT_TRUE(passUntil([&] { return property(player, "Position").toLongLong() > 1'000'000; }));
    call(player, QStringLiteral("Seek"), {qlonglong{std::numeric_limits<qlonglong>::min()}});
    EXPECT_LT(property(player, "Position").toLongLong(), 700'000);
    EXPECT_EQ(metadata().value("xesam:title").toString(), "second.wav");
}

TEST_F(RemoteControlTest, ControlCharactersShowVisiblyAndTheUrlCarriesTheNamesRealBytes) {
    startWithFiles({"a\x1b[31mb\ac\nd\xff"});
    const QString shown = QString::fromUtf8("a\u241b[31mb\u2407c\u240ad\ufffd.wav");
    ASSERT_EQ(app->window->playlistView()->topLevelItemCount(), 1);
    EXPECT_EQ(app->window->playlistView()->topLevelItem(0)->text(0), shown);
    playFirstEntry();
    passes(3);
    const QVariantMap now = metadata();
    EXPECT_EQ(now.value("xesam:title").toString(), shown);
    EXPECT_EQ(now.value("xesam:url").toString(),
              QUrl::fromLocalFile(QString::fromStdString(media.path().string())).toString() +
                  QStringLiteral("/a%1B%5B31mb%07c%0Ad%FF.wav"));
    EXPECT_TRUE(app->playback.playing) << "the file plays under its real name";
}

TEST_F(RemoteControlTest, QuitEndsTheLoopAndRaiseActivatesTheWindow) {
    startWithFiles({"song"});
    call(root, QStringLiteral("Raise"));
    EXPECT_TRUE(app->window->isVisible());
    call(root, QStringLiteral("Quit"));
    EXPECT_TRUE(app->quitRequested);
}

TEST_F(RemoteControlTest, WithoutASessionBusThePlayerRunsSilently) {
    const TempDir runtime;
    qputenv("DBUS_SESSION_BUS_ADDRESS", QByteArray("unix:path=") + (runtime / "no-bus").c_str());
    ASSERT_TRUE(start({TestMedia::make(TestFormat::Wav, media.path(), 1.0, "song").string()}));
    ASSERT_TRUE(app->remote);
    EXPECT_FALSE(app->remote->published());
    app->remote->publishChanges();
    choose(MenuId::PlayPause);
    choose(MenuId::PlayPause);
    EXPECT_TRUE(app->playback.playing);
}

}  // namespace
}  // namespace tonlira::test

#include "RemoteControlTest.moc"
