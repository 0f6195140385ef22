#pragma once
// A requester for tests: records every message and answers dialogs from
// scripted replies instead of a person.

#include "platform/Requester.h"

#include <deque>
#include <mutex>
#include <thread>

namespace tonlira::test {

class RecordingRequester final : public Requester {
public:
    struct Shown {
        MessageRequest request;
        std::thread::id thread;
    };

    void showMessage(const MessageRequest& request) override;
    bool confirm(const MessageRequest& request) override;
    std::vector<std::string> chooseFiles(const std::string& startFolder, const std::string& filter) override;
    std::string chooseFolder(const std::string& title, const std::string& startFolder) override;
    std::optional<Colour> chooseColour(Colour initial) override;

    // Scripted answers, consumed in order; when none is left the dialog is
    // cancelled and a confirmation answered with No.
    void answerFiles(std::vector<std::string> files);
    void answerFolder(std::string folder);
    void answerConfirm(bool yes);
    void answerColour(std::optional<Colour> colour);

    std::vector<Shown> messages() const;
    std::size_t messageCount() const;
    std::string lastFilesStartFolder() const;
    std::string lastFilesFilter() const;
    std::string lastFolderTitle() const;
    // The colour each colour chooser opened with, in order.
    std::vector<Colour> colourInitials() const;

private:
    mutable std::mutex mutex_;
    std::vector<Shown> messages_;
    std::deque<std::vector<std::string>> files_;
    std::deque<std::string> folders_;
    std::deque<bool> confirms_;
    std::deque<std::optional<Colour>> colours_;
    std::vector<Colour> colourInitials_;
    std::string lastStartFolder_;
    std::string lastFilter_;
    std::string lastFolderTitle_;
};

// Installs a RecordingRequester for the lifetime of the guard.
class ScopedRequester {
public:
    ScopedRequester();
    ~ScopedRequester();
    ScopedRequester(const ScopedRequester&) = delete;
    ScopedRequester& operator=(const ScopedRequester&) = delete;

    RecordingRequester& operator*() { return *recording_; }
    RecordingRequester* operator->() { return recording_; }

private:
    RecordingRequester* recording_;  // owned by the installed slot
    std::unique_ptr<Requester> previous_;
};

}  // namespace tonlira::test
