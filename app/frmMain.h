#pragma once

#include <QMainWindow>

#include <string>

class QAction;
class QGroupBox;
class QLabel;
class QMenu;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace talvero {

/// The main window: the game lists with their preview, Start game, the switches, and the way to
/// every other window.
class frmMain : public QMainWindow {
    Q_OBJECT

public:
    explicit frmMain(QWidget* parent = nullptr);

    /// Start-up. False when the cache folder could not be created: the message was shown, the
    /// shutdown sequence ran, and the window must not be shown.
    bool Form_Load();

    /// The shutdown sequence; runs once.
    void Form_Terminate();

    /// The text of the about box.
    static QString AboutText();

    /// Says once what the AppFolder still lacks and where it comes from, offering the import
    /// when it can bring some of it; nothing when all is in place.
    void ShowMissingFilesNotice();

    /// Makes an image file the CD of the options' drive, as Extras > Insert CD image does.
    void InsertImage(const QString& path);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void BuildControls();
    void BuildMenus();
    void BuildImageEntries(QMenu* extras);
    void FillGameList(const QString& system);
    void SelectFirstEntry();
    void ShowPreview(const QString& title);

    void Option1_Click();
    void Option2_Click();
    void List1_Click();
    void Command1_Click();
    void Command2_Click();
    void Frameskip_Click(bool checked);
    void JITComp_Click(bool checked);
    void Extras1_Click();
    void Hilfe1_Click();
    void Hilfe2_Click();
    void Info_Click();

    // The inserted CD image (Extras menu and drops onto the window).
    void InsertImage_Click();
    void EjectImage_Click();
    void ShowInsertedImage();

    void Import_Click();
    /// After a start through the FS-UAE bridge without the Kickstart ROM: says so, once.
    void ShowBuiltInRomNote(const std::string& title);
    /// Each game whose data file is missing says so in its tool tip.
    void ShowMissingDataFiles();

    QGroupBox* m_frame1 = nullptr;
    QListWidget* m_list1 = nullptr;
    QGroupBox* m_frame2 = nullptr;
    QLabel* m_label1 = nullptr;
    QRadioButton* m_option1 = nullptr;
    QRadioButton* m_option2 = nullptr;
    QPushButton* m_command1 = nullptr;
    QPushButton* m_command2 = nullptr;
    QLabel* m_image1 = nullptr;
    QAction* m_frameskip = nullptr;
    QAction* m_jitComp = nullptr;
    QAction* m_insertImage = nullptr;
    QAction* m_ejectImage = nullptr;
    QLabel* m_cdSource = nullptr;  // the status line: the drive, or the image inserted
    bool m_terminated = false;
    bool m_starting = false;  // Start game is running
    bool m_centred = false;
    bool m_romNoteShown = false;
};

}  // namespace talvero
