#include "app/frmMain.h"

#include "app/AppFolderSetup.h"
#include "app/CdImageChoice.h"
#include "app/KickstartNote.h"
#include "app/Shutdown.h"
#include "app/StartGameWindow.h"
#include "config/frmOptions.h"
#include "emulator/EmulatorProgram.h"
#include "emulator/EmulatorInterface.h"
#include "games/Collation.h"
#include "games/GameProfiles.h"
#include "help/frmComp.h"
#include "help/frmHelp1.h"
#include "install/ImportFolder.h"
#include "install/MissingFiles.h"
#include "nvram/frmNVRAM.h"
#include "platform/AppFolder.h"
#include "platform/FileError.h"
#include "platform/Files.h"
#include "platform/Host.h"
#include "platform/IgnoringFailure.h"
#include "platform/PathText.h"
#include "platform/cdimage/CdImage.h"
#include "settings/SettingsStore.h"
#include "ui/Artwork.h"
#include "ui/SelectionList.h"
#include "ui/Twips.h"
#include "ui/WindowRegistry.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDropEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QImageReader>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QListWidget>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>

namespace talvero {

namespace {
constexpr const char* kWindowTitle = "Talvero v1.1 - (c) 2001/2002 the Talvero authors";
}  // namespace

frmMain::frmMain(QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("frmMain"));
    // One icon for the whole program: every window without one of its own shows it, help included.
    QGuiApplication::setWindowIcon(WindowIcon());
    // Docks and task bars group the window with its launcher by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.talvero.Talvero"));
    BuildControls();
    BuildMenus();
    // A fixed border: the window keeps the size of its client area and menu bar.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    setWindowFlag(Qt::WindowMaximizeButtonHint, false);
    Windows().main = this;
}

void frmMain::BuildControls()
{
    auto* client = new QWidget(this);
    client->setFixedSize(TwipsSize(6915, 3795));
    setCentralWidget(client);

    m_frame1 = PlaceChild(new QGroupBox(client), "Frame1", TwipsRect(60, -60, 6795, 3795));
    m_list1 = PlaceChild(new SelectionList(m_frame1), "List1", TwipsRect(120, 240, 3015, 2400));
    m_frame2 = PlaceChild(new QGroupBox(m_frame1), "Frame2", TwipsRect(120, 2660, 3015, 495));
    m_label1 = PlaceChild(new QLabel(m_frame2), "Label1", TwipsRect(120, 180, 1170, 195));
    m_option1 = PlaceChild(new QRadioButton(m_frame2), "Option1", TwipsRect(1380, 200, 735, 195));
    m_option2 = PlaceChild(new QRadioButton(m_frame2), "Option2", TwipsRect(2160, 200, 735, 195));
    // The option buttons form one tab stop, the checked one, from start-up on (Qt otherwise
    // narrows them to one only once a button has had the focus); arrow keys move within them.
    const auto keepOneTabStop = [this] {
        for (QRadioButton* option : {m_option1, m_option2})
            option->setFocusPolicy(option->isChecked() ? Qt::StrongFocus : Qt::ClickFocus);
    };
    connect(m_option1, &QRadioButton::toggled, this, keepOneTabStop);
    m_option1->setChecked(true);
    m_command1 = PlaceChild(new QPushButton(m_frame1), "Command1", TwipsRect(120, 3290, 1455, 375));
    m_command2 = PlaceChild(new QPushButton(m_frame1), "Command2", TwipsRect(1680, 3290, 1455, 375));
    // Each button takes Enter itself while it has the focus; elsewhere Enter means Start game.
    m_command1->setAutoDefault(true);
    m_command2->setAutoDefault(true);
    m_command1->setEnabled(false);
    m_image1 = PlaceChild(new QLabel(m_frame1), "Image1", TwipsRect(3240, 230, 3435, 3435));
    m_image1->setAlignment(Qt::AlignCenter);
    m_image1->setPixmap(StartupPicture());
    m_image1->setProperty("showing", QStringLiteral("startup"));

    setTabOrder(m_list1, m_option1);
    setTabOrder(m_option1, m_command1);
    setTabOrder(m_command1, m_command2);
    setTabOrder(m_command2, m_option2);

    connect(m_option1, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            Option1_Click();
    });
    connect(m_option2, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            Option2_Click();
    });
    // A selection, by mouse, keyboard or code; the focus alone only sets the current row.
    connect(m_list1, &QListWidget::itemSelectionChanged, this, [this] {
        if (!m_list1->selectedItems().isEmpty())
            List1_Click();
    });
    connect(m_command1, &QPushButton::clicked, this, &frmMain::Command1_Click);
    connect(m_command2, &QPushButton::clicked, this, &frmMain::Command2_Click);
}

void frmMain::BuildMenus()
{
    const auto addMenu = [this](const char* name) {
        QMenu* menu = menuBar()->addMenu(QString());
        menu->setObjectName(QString::fromLatin1(name));
        menu->menuAction()->setObjectName(QString::fromLatin1(name));
        return menu;
    };
    const auto addEntry = [this](QMenu* menu, const char* name, QKeySequence shortcut) {
        QAction* action = menu->addAction(QString());
        action->setObjectName(QString::fromLatin1(name));
        action->setShortcut(shortcut);
        // The main window's keys act in the main window only, never from a help window.
        action->setShortcutContext(Qt::WindowShortcut);
        addAction(action);
        return action;
    };

    QMenu* programm = addMenu("Programm");
    connect(addEntry(programm, "Programm1", QKeySequence(Qt::CTRL | Qt::Key_O)), &QAction::triggered, this,
            &frmMain::Command2_Click);
    programm->addSeparator()->setObjectName(QStringLiteral("Trenn1"));
    connect(addEntry(programm, "Programm2", QKeySequence(Qt::CTRL | Qt::Key_Q)), &QAction::triggered, this,
            &frmMain::Form_Terminate);

    QMenu* extras = addMenu("Extras");
    m_frameskip = addEntry(extras, "Frameskip", QKeySequence(Qt::CTRL | Qt::Key_F));
    m_jitComp = addEntry(extras, "JITComp", QKeySequence(Qt::CTRL | Qt::Key_J));
    for (QAction* action : {m_frameskip, m_jitComp})
        action->setCheckable(true);
    m_frameskip->setChecked(true);
    m_jitComp->setChecked(false);
    connect(m_frameskip, &QAction::triggered, this, &frmMain::Frameskip_Click);
    connect(m_jitComp, &QAction::triggered, this, &frmMain::JITComp_Click);
    extras->addSeparator()->setObjectName(QStringLiteral("Trenn3"));
    connect(addEntry(extras, "Extras1", QKeySequence(Qt::CTRL | Qt::Key_N)), &QAction::triggered, this,
            &frmMain::Extras1_Click);
    connect(addEntry(extras, "Import1", QKeySequence()), &QAction::triggered, this, &frmMain::Import_Click);
    BuildImageEntries(extras);

    QMenu* hilfe = addMenu("Hilfe");
    connect(addEntry(hilfe, "Hilfe1", QKeySequence(Qt::Key_F1)), &QAction::triggered, this,
            &frmMain::Hilfe1_Click);
    connect(addEntry(hilfe, "Hilfe2", QKeySequence(Qt::Key_F2)), &QAction::triggered, this,
            &frmMain::Hilfe2_Click);
    hilfe->addSeparator()->setObjectName(QStringLiteral("Trenn2"));
    connect(addEntry(hilfe, "Info", QKeySequence()), &QAction::triggered, this, &frmMain::Info_Click);
}

// Below the Extras menu's own entries: insert and eject a CD image.
void frmMain::BuildImageEntries(QMenu* extras)
{
    extras->addSeparator()->setObjectName(QStringLiteral("Trenn4"));
    m_insertImage = extras->addAction(QString());
    m_insertImage->setObjectName(QStringLiteral("CDImage1"));
    m_insertImage->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_I));
    m_ejectImage = extras->addAction(QString());
    m_ejectImage->setObjectName(QStringLiteral("CDImage2"));
    m_ejectImage->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    for (QAction* action : {m_insertImage, m_ejectImage}) {
        // Like every menu key, they act in the main window only, never from a help window.
        action->setShortcutContext(Qt::WindowShortcut);
        addAction(action);
    }
    connect(m_insertImage, &QAction::triggered, this, &frmMain::InsertImage_Click);
    connect(m_ejectImage, &QAction::triggered, this, &frmMain::EjectImage_Click);
    setAcceptDrops(true);
    // Below the window's client area, one line says where the game's CD is read from.
    m_cdSource = new QLabel(statusBar());
    m_cdSource->setObjectName(QStringLiteral("CDSource"));
    m_cdSource->setContentsMargins(Twips(180) - Twips(60), 0, 0, 0);  // in line with the list
    statusBar()->addWidget(m_cdSource, 1);
    statusBar()->setSizeGripEnabled(false);
}

bool frmMain::Form_Load()
{
    setWindowTitle(QString::fromLatin1(kWindowTitle));
    m_label1->setText(QStringLiteral("Show games for:"));
    WidenToFit(m_label1, 1380 - 120);
    m_option1->setText(QStringLiteral("CD32"));
    m_option2->setText(QStringLiteral("CDTV"));
    // The layout's 735 twips leave "CDTV" a letter short beside its indicator; there is room
    // up to the frame's edge.
    WidenToFit(m_option2, 3015 - 2160 - 30);
    m_command1->setText(QStringLiteral("&Start game"));
    m_command2->setText(QStringLiteral("&Options"));
    findChild<QMenu*>(QStringLiteral("Programm"))->setTitle(QStringLiteral("&Program"));
    findChild<QAction*>(QStringLiteral("Programm1"))->setText(QStringLiteral("&Options"));
    findChild<QAction*>(QStringLiteral("Programm2"))->setText(QStringLiteral("&Exit"));
    findChild<QMenu*>(QStringLiteral("Extras"))->setTitle(QStringLiteral("&Extras"));
    m_frameskip->setText(QStringLiteral("Enable &frameskip"));
    m_jitComp->setText(QStringLiteral("Enable &JIT compiler"));
    findChild<QAction*>(QStringLiteral("Extras1"))->setText(QStringLiteral("&NVRAM-Manager"));
    findChild<QAction*>(QStringLiteral("Import1"))->setText(QStringLiteral("&Import from another Talvero folder..."));
    findChild<QMenu*>(QStringLiteral("Hilfe"))->setTitle(QStringLiteral("&Help"));
    findChild<QAction*>(QStringLiteral("Hilfe1"))->setText(QStringLiteral("&1. Joypad-Emulation"));
    findChild<QAction*>(QStringLiteral("Hilfe2"))->setText(QStringLiteral("&2. Compatibility"));
    findChild<QAction*>(QStringLiteral("Info"))->setText(QStringLiteral("&About Talvero..."));
    ShowInsertedImage();

    const Switches stored = StoredSwitches();
    m_frameskip->setChecked(stored.frameskip);
    m_jitComp->setChecked(stored.jitCompiler);

    try {
        CreateFolderIfMissing(AppPath("\\Cache"));
    } catch (const std::exception& error) {
        ReportCacheFolderNotCreated(error);
        Form_Terminate();
        return false;
    }
    FillGameList(QStringLiteral("CD32"));
    // Said once, when the window shows; the program stays usable (options, save data, help).
    if (const auto problem = AppFolderUnusableByEmulator())
        QTimer::singleShot(0, this, [text = *problem] { ShowMessage(text, MessageIcon::Exclamation); });
    return true;
}

void frmMain::FillGameList(const QString& system)
{
    m_list1->clear();
    std::vector<std::string> shown;
    for (const std::string& title : TitlesOfList(system.toStdString())) {
        m_list1->insertItem(InsertSorted(shown, title), QString::fromStdString(title));
    }
    ShowMissingDataFiles();
}

void frmMain::ShowMissingDataFiles()
{
    for (int row = 0; row < m_list1->count(); ++row) {
        QListWidgetItem* item = m_list1->item(row);
        const auto missing = MissingDataFile(item->text().toStdString());
        item->setToolTip(missing ? QStringLiteral("The game data file %1 is missing from %2.\n"
                                                  "Extras > Import from another Talvero folder... brings it.")
                                       .arg(QString::fromStdString(*missing),
                                            QString::fromStdString(AppPath("\\Data")))
                                 : QString());
    }
}

void frmMain::SelectFirstEntry()
{
    if (m_list1->count() > 0)
        m_list1->setCurrentRow(0, QItemSelectionModel::ClearAndSelect);
}

void frmMain::Option1_Click()
{
    FillGameList(QStringLiteral("CD32"));
    SelectFirstEntry();
}

void frmMain::Option2_Click()
{
    FillGameList(QStringLiteral("CDTV"));
    SelectFirstEntry();
}

void frmMain::List1_Click()
{
    if (!m_command1->isEnabled())
        m_command1->setEnabled(true);
    ShowPreview(m_list1->selectedItems().first()->text());
}

void frmMain::ShowPreview(const QString& title)
{
    const std::string path = AppPath("\\Previews\\" + title.toStdString() + ".jpg");
    QImage picture;
    if (FileExists(path))
        picture = QImageReader(QString::fromStdString(path)).read();
    if (picture.isNull()) {
        // No preview, or one that is no picture: the area stays empty, without a message.
        m_image1->clear();
        m_image1->setProperty("showing", QStringLiteral("none"));
        return;
    }
    // Scaled to the screen's pixels, so that it stays sharp at a scale factor above 1.
    const qreal ratio = devicePixelRatioF();
    QPixmap scaled = QPixmap::fromImage(
        picture.scaled(m_image1->size() * ratio, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    scaled.setDevicePixelRatio(ratio);
    m_image1->setPixmap(scaled);
    m_image1->setProperty("showing", QStringLiteral("preview"));
}

void frmMain::Command1_Click()
{
    // While a start copies, the window keeps painting; it must not start another one.
    if (m_starting)
        return;
    const QScopedValueRollback<bool> starting(m_starting, true);
    const auto selected = m_list1->selectedItems();
    const QString title = selected.isEmpty() ? QString() : selected.first()->text();
    const StartResult result = StartGameFromWindow(
        title.toStdString(), Switches{m_frameskip->isChecked(), m_jitComp->isChecked()}, this);
    if (result == StartResult::Started)
        ShowBuiltInRomNote(title.toStdString());
}

// Said once a run, and never again once the user ticks the box.
void frmMain::ShowBuiltInRomNote(const std::string& title)
{
    bool wanted = true;
    IgnoringFailure([&] { wanted = Settings().ReadBool(SettingKey::KickstartNote, true).value_or(true); });
    if (m_romNoteShown || !wanted)
        return;
    const std::string note = BuiltInRomNote(title);
    if (note.empty())
        return;
    m_romNoteShown = true;
    MessageBoxRequest request;
    request.text = note;
    request.icon = MessageIcon::Information;
    request.checkBoxText = "Do not show this again";
    bool turnedOff = false;
    request.checkBoxChecked = &turnedOff;
    CurrentHost().ShowMessage(request);
    // Not remembered when the settings cannot be written: the note comes again at the next run.
    if (turnedOff)
        IgnoringFailure([] { Settings().Write(SettingKey::KickstartNote, BooleanText(false)); });
}

void frmMain::Command2_Click()
{
    if (m_starting)
        return;
    frmOptions dialog(this);
    dialog.exec();
}

void frmMain::Frameskip_Click(bool checked)
{
    try {
        Settings().Write(SettingKey::Frameskip, BooleanText(checked));
    } catch (const std::exception&) {
        // The switch has changed on screen; it is simply not remembered.
    }
}

void frmMain::JITComp_Click(bool checked)
{
    try {
        Settings().Write(SettingKey::JITComp, BooleanText(checked));
    } catch (const std::exception&) {}
}

void frmMain::Extras1_Click()
{
    if (m_starting)
        return;
    frmNVRAM manager(this);
    manager.exec();
}

void frmMain::Hilfe1_Click()
{
    if (m_starting)
        return;
    ShowHelpWindow<frmHelp1>(Windows().joypadHelp);
}

void frmMain::Hilfe2_Click()
{
    if (m_starting)
        return;
    ShowHelpWindow<frmComp>(Windows().compatibility);
}

QString frmMain::AboutText()
{
    const QStringList lines = {
        QStringLiteral("Talvero v1.1"),
        QStringLiteral("(c) 2001/2002 the Talvero authors"),
        QString(),
        QStringLiteral("eMail: talvero@example.org"),
        QStringLiteral("Homepage: https://talvero.example.org"),
        QString(),
        QStringLiteral("Joypad-Emulation (FakePad) \u00A9 1999 its author"),
        QString(),
        QStringLiteral("WinUAE-Homepage: https://www.winuae.net"),
        QString(),
        QStringLiteral("Special thanks to: everyone who tested Talvero"),
    };
    return lines.join(QStringLiteral("\r\n"));
}

void frmMain::Info_Click()
{
    if (m_starting)
        return;
    ShowMessage(AboutText().toStdString(), MessageIcon::Information, "Info");
}

void frmMain::Import_Click()
{
    if (m_starting)
        return;
    ImportFromAnotherFolder();
    ShowMissingDataFiles();
    if (!m_list1->selectedItems().isEmpty())
        ShowPreview(m_list1->selectedItems().first()->text());
}

void frmMain::ShowMissingFilesNotice()
{
    const MissingFiles missing = FindMissingFiles();
    const std::string notice = MissingFilesNotice(missing);
    if (notice.empty())
        return;
    if (!ImportCanHelp(missing)) {
        ShowMessage(notice, MessageIcon::Information);
        return;
    }
    if (AskYesNo(notice + "\n\nImport the files now from another Talvero folder, such as an existing installation?"))
        Import_Click();
}

void frmMain::InsertImage_Click()
{
    const auto path = CurrentHost().ChooseFileToOpen(
        {"Insert CD image", "CD images (*.cue *.iso *.nrg)", "*.cue *.iso *.nrg"});
    if (path)
        InsertImage(QString::fromStdString(*path));
}

void frmMain::EjectImage_Click()
{
    EjectCdImage();
    ShowInsertedImage();
}

void frmMain::InsertImage(const QString& path)
{
    InsertCdImage(path.toStdString());
    ShowInsertedImage();
}

// The eject entry and the status line name the image that is in; the entry is there only while
// one is.
void frmMain::ShowInsertedImage()
{
    m_insertImage->setText(QStringLiteral("&Insert CD image..."));
    const std::string image = InsertedCdImage();
    m_ejectImage->setEnabled(!image.empty());
    m_ejectImage->setText(
        image.empty()
            ? QStringLiteral("&Eject CD image")
            : QStringLiteral("&Eject CD image (%1)").arg(QString::fromStdString(LastPartOf(image))));
    const QString line = image.empty() ? QStringLiteral("CD: the drive chosen in the options")
                                       : QStringLiteral("CD image inserted: %1 (used instead of the drive)")
                                             .arg(QString::fromStdString(LastPartOf(image)));
    // A long image name is shortened in the middle to the window's width; the tip holds the path.
    m_cdSource->setText(
        m_cdSource->fontMetrics().elidedText(line, Qt::ElideMiddle, Twips(6915) - Twips(180) - Twips(120)));
    m_cdSource->setToolTip(QString::fromStdString(image));
}

// One image file dropped onto the window is inserted as if chosen through the menu.
void frmMain::dragEnterEvent(QDragEnterEvent* event)
{
    const auto urls = event->mimeData()->urls();
    if (urls.size() == 1 && urls.first().isLocalFile() &&
        HasCdImageExtension(urls.first().toLocalFile().toStdString()))
        event->acceptProposedAction();
}

void frmMain::dropEvent(QDropEvent* event)
{
    const auto urls = event->mimeData()->urls();
    if (urls.size() != 1 || !urls.first().isLocalFile())
        return;
    event->acceptProposedAction();
    InsertImage(urls.first().toLocalFile());
}

void frmMain::Form_Terminate()
{
    if (m_terminated || m_starting)
        return;
    m_terminated = true;
    ResetConfigurationAtShutdown();
    CloseWindowsInOrder();
    QCoreApplication::quit();
}

void frmMain::keyPressEvent(QKeyEvent* event)
{
    // Enter that no focused button took for itself presses Start game, as a dialog's default
    // button would.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && m_command1->isEnabled()) {
        m_command1->click();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void frmMain::closeEvent(QCloseEvent* event)
{
    if (m_starting) {
        event->ignore();
        return;
    }
    // While a help window is open the program lives on; that window's watchdog ends it later.
    if (!m_terminated && !Windows().joypadHelp && !Windows().compatibility)
        Form_Terminate();
    event->accept();
}

void frmMain::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!m_centred && screen()) {
        m_centred = true;
        const QRect available = screen()->availableGeometry();
        move(available.center() - QPoint(frameGeometry().width() / 2, frameGeometry().height() / 2));
    }
}

}  // namespace talvero
