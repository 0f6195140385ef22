#pragma once
// Requesters shown with Qt's standard dialogs on the GUI thread.

#include "platform/Requester.h"

namespace tonlira {

class QtRequester final : public Requester {
public:
    void showMessage(const MessageRequest& request) override;
    bool confirm(const MessageRequest& request) override;
    std::vector<std::string> chooseFiles(const std::string& startFolder, const std::string& filter) override;
    std::string chooseFolder(const std::string& title, const std::string& startFolder) override;
    std::optional<Colour> chooseColour(Colour initial) override;
};

// Message boxes of worker threads. With `released` set, every box a worker
// waits on counts as answered (and is closed when called on the GUI thread),
// and a worker's later boxes return at once until it is cleared again. Used
// to stop a worker that may be waiting for a person: release, join, clear.
void releaseWorkerMessages(bool released);

}  // namespace tonlira
