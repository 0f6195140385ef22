#pragma once
// Starts the real program in-process on the offscreen platform, with its
// settings in a fresh application-data folder and a requester that answers
// for the person.

#include "app/AppState.h"
#include "support/RecordingRequester.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>

namespace tonlira::test {

class AppFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Runs start-up; false when the instance refused to start.
    bool start(std::vector<std::string> arguments = {});
    // Runs loop passes until `done` holds or `limit` passes.
    bool passUntil(const std::function<bool()>& done, std::chrono::milliseconds limit = std::chrono::seconds(5));
    void passes(int count);
    void post(const Event& event) { app->events.post(event); }
    // Posts a menu event and runs passes until the loop took it.
    void choose(MenuId id);

    std::filesystem::path prefsPath() const { return appData.path() / "Tonlira" / "Tonlira.prefs"; }
    // The size of the window's area below the menu bar.
    QSize areaBelowMenu() const;

    TempDir appData;
    ScopedRequester requests;
    std::unique_ptr<AppState> app;
};

}  // namespace tonlira::test
