#pragma once

#include "install/InstallProgress.h"

#include <QElapsedTimer>

class QProgressDialog;
class QWidget;

namespace talvero {

/// Start game's copies on screen: a progress dialog with the game, the file being copied and the
/// share done, which appears only once the work has taken half a second. Between pieces of the
/// copies it lets the windows repaint; until the dialog (application-modal) is shown, no user
/// input reaches any window, so nothing can start a second game or open another window.
class StartGameProgress final : public InstallProgress {
public:
    explicit StartGameProgress(QWidget* parent);
    ~StartGameProgress() override;
    StartGameProgress(const StartGameProgress&) = delete;
    StartGameProgress& operator=(const StartGameProgress&) = delete;

    void Report(const std::string& title, const std::string& file, std::uint64_t done,
                std::uint64_t total) override;
    bool Cancelled() override;

    /// How long the work may take before the dialog appears.
    static constexpr int kShowAfterMilliseconds = 500;

private:
    QProgressDialog* m_dialog;
    QElapsedTimer m_clock;
};

}  // namespace talvero
