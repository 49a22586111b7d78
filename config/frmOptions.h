#pragma once

#include "config/OptionsLogic.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace talvero {

/// The options dialog: CD drive, Kickstart ROM, controller, sound emulation and scanlines.
/// Constructing it loads the settings into its fields without showing anything, so that Start
/// game can use it hidden.
class frmOptions : public QDialog {
    Q_OBJECT

public:
    explicit frmOptions(QWidget* owner);
    ~frmOptions() override;

    QString DriveText() const;
    bool SoundEmulation() const;

private:
    void Form_Load();
    void selDrive_Click();
    void selKick_Click();
    void saveOpt_Click();
    void FillDriveList();
    OptionsState Fields() const;
    void ShowFields(const OptionsState& state);

    QGroupBox* m_frame1 = nullptr;
    QLineEdit* m_drive1 = nullptr;
    QPushButton* m_selDrive = nullptr;
    QLineEdit* m_romFile = nullptr;
    QPushButton* m_selKick = nullptr;
    QComboBox* m_gamePort1 = nullptr;
    QCheckBox* m_sndEmu = nullptr;
    QCheckBox* m_scanlines = nullptr;
    QPushButton* m_saveOpt = nullptr;
    QComboBox* m_drive2 = nullptr;
    QLabel* m_label1 = nullptr;
    QLabel* m_label2 = nullptr;
    QLabel* m_label3 = nullptr;
};

}  // namespace talvero
