#include "remote/MprisAdaptors.h"

#include "remote/RemoteControl.h"

namespace tonlira {

MprisRootAdaptor::MprisRootAdaptor(RemoteControl* remote) : QDBusAbstractAdaptor(remote), remote_(remote) {}

QString MprisRootAdaptor::identity() const { return QString::fromLatin1(remoteIdentity); }
QString MprisRootAdaptor::desktopEntry() const { return QString::fromLatin1(remoteDesktopEntry); }
void MprisRootAdaptor::Raise() { remote_->raise(); }
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

void MprisPlayerAdaptor::Play() { remote_->play(); }
void MprisPlayerAdaptor::Pause() { remote_->pause(); }
void MprisPlayerAdaptor::PlayPause() { remote_->playPause(); }
void MprisPlayerAdaptor::Stop() { remote_->stop(); }
void MprisPlayerAdaptor::Next() { remote_->next(); }
void MprisPlayerAdaptor::Previous() { remote_->previous(); }
void MprisPlayerAdaptor::Seek(qlonglong Offset) { remote_->seek(Offset); }
void MprisPlayerAdaptor::SetPosition(const QDBusObjectPath& TrackId, qlonglong Position) {
    remote_->setPosition(TrackId.path(), Position);
}
void MprisPlayerAdaptor::OpenUri(const QString& /*Uri*/) {}

}  // namespace tonlira
