#include "app/StatusBar.h"

#include "app/AppState.h"
#include "ui/StatusBarWidget.h"

namespace tonlira {
namespace {

constexpr std::uint64_t bytesPerMegabyte = 1024;  // applied twice, truncating

std::uint64_t megabytes(std::uint64_t bytes) { return bytes / bytesPerMegabyte / bytesPerMegabyte; }

}  // namespace

std::string memoryLine(const MemoryStatus& status) {
    const std::uint64_t used = megabytes(status.totalBytes - status.availableBytes);
    const std::uint64_t total = megabytes(status.totalBytes);
    return "RAM auslastung: " + std::to_string(status.loadPercent) + "%" + "     ( " + std::to_string(used) + " / " +
           std::to_string(total) + " MB)";
}

void createStatusBar(AppState& app) { app.window->createStatusBar(); }

void toggleStatusBar(AppState& app) {
    if (!app.statusBarShown) {
        app.window->setChecked(MenuId::ShowStatusBar, true);
        createStatusBar(app);
    } else {
        app.window->setChecked(MenuId::ShowStatusBar, false);
        app.window->freeStatusBar();
    }
    app.window->resizePass();
    app.layoutSettled = false;
}

void refreshMemoryFields(AppState& app) {
    StatusBarWidget* bar = app.window->statusBarWidget();
    if (bar == nullptr) {
        return;
    }
    const auto status = queryMemoryStatus();
    if (!status) {
        return;
    }
    bar->setFieldText(StatusBarWidget::MemoryLine, QString::fromStdString(memoryLine(*status)));
    bar->setMemoryLoad(static_cast<int>(status->loadPercent));
}

}  // namespace tonlira
