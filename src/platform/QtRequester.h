#pragma once
// Requesters shown with Qt's standard dialogs on the GUI thread.

#include "platform/Requester.h"

#include <functional>

namespace tonlira {

class QtRequester final : public Requester {
public:
    void showMessage(const MessageRequest& request) override;
    bool confirm(const MessageRequest& request) override;
    std::vector<std::string> chooseFiles(const std::string& startFolder,
                                         const std::string& filter) override;
    std::string chooseFolder(const std::string& title, const std::string& startFolder) override;
    std::optional<Colour> chooseColour(Colour initial) override;
};

// True on the thread that owns the application's widgets (and when there is
// no application yet).
bool isGuiThread();

// Message boxes of worker threads. With `released` set, every box a worker
// waits on counts as answered (and is closed when called on the GUI thread),
// and a worker's later boxes return at once until it is cleared again. Used
// to stop a worker that may be waiting for a person: release, join, clear.
void releaseWorkerMessages(bool released);

// Runs `work` on the GUI thread: directly when called there, otherwise
// queued to it while the calling thread waits for it to finish.
void runOnGuiThread(const std::function<void()>& work);

}  // namespace tonlira
