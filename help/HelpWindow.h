#pragma once

#include <QDialog>

class QGroupBox;
class QPushButton;

namespace talvero {

/// What both help windows share: a fixed window with a close box only, centred, a frame around
/// everything, a Close button that is both default and cancel button, and the watchdog.
class HelpWindow : public QDialog {
    Q_OBJECT

public:
    HelpWindow(const char* name, QSize clientTwips, QRect frameTwips, QRect closeButtonTwips);

protected:
    void showEvent(QShowEvent* event) override;
    QGroupBox* Frame() const { return m_frame1; }
    QPushButton* CloseButton() const { return m_command1; }

private:
    QGroupBox* m_frame1 = nullptr;
    QPushButton* m_command1 = nullptr;
    bool m_centred = false;
};

}  // namespace talvero
