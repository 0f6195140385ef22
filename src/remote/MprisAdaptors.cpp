#include "remote/MprisAdaptors.h"

#include "remote/RemoteControl.h"

#include <QDBusError>

namespace tonlira {
namespace {

// A refused call is answered with an error instead of its empty reply. The
// bus hands the call's context to the object an adaptor belongs to.
void refuseCall(QDBusContext& context, bool accepted) {
    if (!accepted && context.calledFromDBus()) {
        context.sendErrorReply(QDBusError::LimitsExceeded,
                               QStringLiteral("Too many commands are waiting; try again in a moment."));
    }
}

}  // namespace

MprisRootAdaptor::MprisRootAdaptor(RemoteControl* remote) : QDBusAbstractAdaptor(remote), remote_(remote) {}

QString MprisRootAdaptor::identity() const { return QString::fromLatin1(remoteIdentity); }
QString MprisRootAdaptor::desktopEntry() const { return QString::fromLatin1(remoteDesktopEntry); }
void MprisRootAdaptor::refuseUnless(bool accepted) { refuseCall(*remote_, accepted); }
void MprisRootAdaptor::Raise() { refuseUnless(remote_->raise()); }
void MprisRootAdaptor::Quit() { remote_->quit(); }

MprisPlayerAdaptor::MprisPlayerAdaptor(RemoteControl* remote) : QDBusAbstractAdaptor(remote), remote_(remote) {
    setAutoRelaySignals(true);
}

QString MprisPlayerAdaptor::playbackStatus() const { return playbackStatusText(remote_->state().status); }
QVariantMap MprisPlayerAdaptor::metadata() const { return metadataOf(remote_->state()); }
double MprisPlayerAdaptor::volume() const { return remote_->state().volume; }
qlonglong MprisPlayerAdaptor::position() const { return remote_->positionUs(); }
bool MprisPlayerAdaptor::canGoNext() const { return tonlira::canGoNext(remote_->state()); }
bool MprisPlayerAdaptor::canGoPrevious() const { return tonlira::canGoPrevious(remote_->state()); }
bool MprisPlayerAdaptor::canPlay() const { return tonlira::canPlay(remote_->state()); }
bool MprisPlayerAdaptor::canPause() const { return tonlira::canPlay(remote_->state()); }
bool MprisPlayerAdaptor::canSeek() const { return tonlira::canSeek(remote_->state()); }

void MprisPlayerAdaptor::Play() { refuseUnless(remote_->play()); }
void MprisPlayerAdaptor::Pause() { refuseUnless(remote_->pause()); }
void MprisPlayerAdaptor::PlayPause() { refuseUnless(remote_->playPause()); }
void MprisPlayerAdaptor::Stop() { refuseUnless(remote_->stop()); }
void MprisPlayerAdaptor::Next() { refuseUnless(remote_->next()); }
void MprisPlayerAdaptor::Previous() { refuseUnless(remote_->previous()); }
void MprisPlayerAdaptor::Seek(qlonglong Offset) { refuseUnless(remote_->seek(Offset)); }
void MprisPlayerAdaptor::refuseUnless(bool accepted) { refuseCall(*remote_, accepted); }
void MprisPlayerAdaptor::SetPosition(const QDBusObjectPath& TrackId, qlonglong Position) {
    refuseUnless(remote_->setPosition(TrackId.path(), Position));
}
void MprisPlayerAdaptor::OpenUri(const QString& /*Uri*/) {}

}  // namespace tonlira
