#pragma once

#include <QDialog>

class QGroupBox;
class QListWidget;
class QPushButton;

namespace talvero {

/// The NVRAM manager: backs up, restores and deletes the save files of the games that keep them.
class frmNVRAM : public QDialog {
    Q_OBJECT

public:
    explicit frmNVRAM(QWidget* owner);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Form_Load();
    void List1_Click();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Refresh();
    QString SelectedEntry() const;

    QGroupBox* m_frame1 = nullptr;
    QListWidget* m_list1 = nullptr;
    QPushButton* m_command1 = nullptr;
    QPushButton* m_command2 = nullptr;
    QPushButton* m_command3 = nullptr;
    QPushButton* m_command4 = nullptr;
};

}  // namespace talvero
